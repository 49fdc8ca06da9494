// Runs the built ambrix-batch --dump-sheet on files written here: a purchases workbook must print
// exactly what the same data saved as delimited text prints.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/workbook/cell_text.hpp"
#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/temp_folder.hpp"
#include "tests/workbook/support/xls_builder.hpp"
#include "tests/workbook/support/xlsx_builder.hpp"

namespace ambrix {
namespace {

using vt::testing::ProgramRun;
using vt::testing::TempFolder;

constexpr int kColumnasCompras = 68;

// Runs the program with `args` in the pinned environment, with the folder as HOME and its win.ini
// as the regional settings, so that nothing of the machine's own set-up reaches it.
ProgramRun ejecuta(const TempFolder& dir, const std::vector<std::string>& args) {
  std::string arguments;
  for (const std::string& a : args) arguments += " " + vt::testing::quoted(a);
  return vt::testing::runBatch(dir.path(), dir.file("win.ini"), arguments, {{"HOME", dir.file("")}});
}

// How a value is stored in the workbook; the delimited file always holds `texto`.
enum class Tipo { Texto, Numero, Fecha, Vacia };

struct Celda {
  Tipo tipo;
  std::string texto;       // what the program must read
  std::string guardado{};  // the cell's stored number, when it differs from the text
};

Celda txt(std::string t) { return {Tipo::Texto, std::move(t)}; }
Celda num(std::string t, std::string guardado = {}) {
  std::string v = guardado.empty() ? t : std::move(guardado);
  return {Tipo::Numero, std::move(t), std::move(v)};
}
Celda fecha(std::string t, std::string serial) { return {Tipo::Fecha, std::move(t), std::move(serial)}; }
Celda vacia() { return {Tipo::Vacia, ""}; }

using Fila = std::vector<Celda>;

const std::string kAutorizacion = "1234567890123456789012345678901234567";

// The header and three purchases; each row padded to the sheet's 68 columns with amounts and
// blanks.
std::vector<Fila> compras() {
  std::vector<Fila> filas = {
      {txt("codSustento"), txt("tpIdProv"), txt("idProv"), txt("tipoComprobante"), txt("fechaRegistro"),
       txt("establecimiento"), txt("puntoEmision"), txt("secuencial"), txt("fechaEmision"),
       txt("autorizacion"), txt("baseNoGraIva"), txt("baseImponible"), txt("razonSocial")},
      {txt("01"), txt("01"), num("1790012345001"), txt("01"), fecha("31/05/2013", "41425"), txt("001"),
       txt("001"), txt("000012345"), fecha("16/05/2013", "41410"), txt(kAutorizacion), num("0"), num("100.5"),
       txt("PEÑA CÍA. LTDA.")},
      {txt("02"), txt("02"), txt("0912345678"), txt("01"), fecha("01/05/2013", "41395"), txt("002"),
       txt("010"), txt("000000007"), fecha("29/02/2012", "40968"), txt(kAutorizacion),
       num("0.3", "0.30000000000000004"), num("-12.75"), txt("  Juan  Pérez ")},
      {txt("01"), txt("01"), num("1790012345001"), txt("03"), fecha("31/05/2013", "41425"), txt("001"),
       txt("001"), txt("000000100"), fecha("31/05/2013", "41425"),
       txt("1105201301179001234500120010010000001"), num("1250"), vacia(), txt("Distribuidora \"La Ñ\"")},
  };
  for (std::size_t r = 0; r < filas.size(); ++r) {
    for (int c = static_cast<int>(filas[r].size()); c < kColumnasCompras; ++c) {
      if (r == 0) {
        filas[r].push_back(txt("campo" + std::to_string(c)));
      } else if (c % 3 == 0) {
        filas[r].push_back(vacia());
      } else {
        filas[r].push_back(num(std::to_string(c * static_cast<int>(r)) + ".25"));
      }
    }
  }
  return filas;
}

void escribeLibro(const std::string& ruta, const std::vector<Fila>& filas) {
  vt::testing::XlsxSpec spec;
  spec.cellXfFormats = {0, 14};
  std::string xml;
  for (std::size_t r = 0; r < filas.size(); ++r) {
    xml += "<row r=\"" + std::to_string(r + 1) + "\">";
    for (std::size_t c = 0; c < filas[r].size(); ++c) {
      const Celda& celda = filas[r][c];
      const std::string at =
          vt::workbook::cellReference(static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(c));
      switch (celda.tipo) {
        case Tipo::Texto:
          // Alternate inline and shared strings: workbooks saved by users hold the latter.
          if (c % 2 == 0) {
            xml += vt::testing::inlineCell(at, celda.texto);
          } else {
            xml += "<c r=\"" + at + "\" t=\"s\"><v>" + std::to_string(spec.sharedItems.size()) + "</v></c>";
            spec.sharedItems.push_back("<t xml:space=\"preserve\">" + vt::testing::xmlEscape(celda.texto) +
                                       "</t>");
          }
          break;
        case Tipo::Numero:
          xml += vt::testing::numberCell(at, celda.guardado);
          break;
        case Tipo::Fecha:
          xml += vt::testing::numberCell(at, celda.guardado, 1);
          break;
        case Tipo::Vacia:
          break;
      }
    }
    xml += "</row>";
  }
  spec.sheets[0].rowsXml = xml;
  vt::testing::writeXlsx(ruta, spec);
}

void escribeTexto(const std::string& ruta, const std::vector<Fila>& filas) {
  std::string texto;
  for (const Fila& fila : filas) {
    for (std::size_t c = 0; c < fila.size(); ++c) texto += (c ? ";" : "") + fila[c].texto;
    texto += "\r\n";
  }
  vt::testing::writeFile(ruta, texto);
}

class DumpSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    // Regional settings of an office in Ecuador: "," decimals must not reach the cell texts.
    const std::string ini =
        "[Intl]\r\nsShortDate=dd/MM/yyyy\r\nsTimeFormat=HH:mm:ss\r\nsDecimal=,\r\nsThousand=.\r\n";
    vt::testing::writeFile(dir_.file("win.ini"), ini);
  }
  ProgramRun vuelca(const std::string& ruta, const std::string& tipo) {
    return ejecuta(dir_, {"--dump-sheet", ruta, "--tipo", tipo, "--hoja", "0", "--separador", ";"});
  }
  TempFolder dir_;
};

TEST_F(DumpSheet, PurchasesWorkbookPrintsWhatItsDelimitedTextPrints) {
  const std::vector<Fila> filas = compras();
  const std::string libro = dir_.file("compras.xlsx"), texto = dir_.file("compras.csv");
  escribeLibro(libro, filas);
  escribeTexto(texto, filas);

  const ProgramRun deLibro = vuelca(libro, "xls");
  const ProgramRun deTexto = vuelca(texto, "csv");
  ASSERT_EQ(deLibro.status, 0) << deLibro.out;
  ASSERT_EQ(deTexto.status, 0) << deTexto.out;
  EXPECT_EQ(deLibro.out, deTexto.out);

  std::vector<std::string> lineas;
  for (std::size_t at = 0, end; (end = deLibro.out.find('\n', at)) != std::string::npos; at = end + 1) {
    lineas.push_back(deLibro.out.substr(at, end - at));
  }
  ASSERT_EQ(lineas.size(), 3u) << deLibro.out;
  EXPECT_EQ(lineas[0].rfind("01\t01\t1790012345001\t01\t31/05/2013\t001\t001\t000012345\t16/05/2013\t" +
                                kAutorizacion + "\t0\t100.5\tPEÑA CÍA. LTDA.\t13.25\t14.25\t\t",
                            0),
            0u)
      << lineas[0];
  EXPECT_EQ(lineas[1].rfind("02\t02\t0912345678\t01\t01/05/2013\t002\t010\t000000007\t29/02/2012\t" +
                                kAutorizacion + "\t0.3\t-12.75\t  Juan  Pérez \t",
                            0),
            0u)
      << lineas[1];
  for (const std::string& linea : lineas) {
    EXPECT_EQ(std::count(linea.begin(), linea.end(), '\t'), kColumnasCompras - 1) << linea;
  }
}

TEST_F(DumpSheet, DateCellsFollowTheRegionalShortDate) {
  const std::string ini = "[Intl]\r\nsShortDate=yyyy-MM-dd\r\nsTimeFormat=HH:mm\r\n";
  vt::testing::writeFile(dir_.file("win.ini"), ini);
  std::vector<Fila> filas = {{txt("fecha"), txt("hora")},
                             {fecha("2013-05-31", "41425"), fecha("2013-05-31 14:30", "41425.604166666664")}};
  for (Fila& fila : filas) fila.resize(kColumnasCompras, vacia());
  const std::string libro = dir_.file("fechas.xlsx");
  escribeLibro(libro, filas);
  const ProgramRun s = vuelca(libro, "xls");
  ASSERT_EQ(s.status, 0) << s.out;
  EXPECT_EQ(s.out.rfind("2013-05-31\t2013-05-31 14:30\t\t", 0), 0u) << s.out;
}

TEST_F(DumpSheet, LoadFailurePrintsTheMessageAndEndsWithOne) {
  // A header of the purchases' 68 columns and a row with one field more.
  std::string texto = "c0";
  for (int c = 1; c < kColumnasCompras; ++c) texto += ";c" + std::to_string(c);
  texto += "\r\n" + std::string(kColumnasCompras, ';') + "\r\n";
  const std::string noLibro = dir_.file("compras.xlsx"), anchoDeMas = dir_.file("compras.csv");
  vt::testing::writeFile(noLibro, texto);
  vt::testing::writeFile(anchoDeMas, texto);
  const struct {
    std::string ruta, tipo, mensaje;
  } cases[] = {
      {noLibro, "xls", "El archivo no es un libro de Excel (.xlsx o .xls)"},
      {dir_.file("falta.xlsx"), "xls", "No se pudo abrir el archivo"},
      {anchoDeMas, "csv",
       "Tiene demasiadas columnas o el caracter separador ';'  está muchas veces \r\nRevise columna de "
       "Nombres o "
       "Montos "},
  };
  for (const auto& c : cases) {
    const ProgramRun s = vuelca(c.ruta, c.tipo);
    EXPECT_EQ(s.status, 1) << c.ruta;
    EXPECT_EQ(s.out, "Error al cargar archivo " + c.ruta + "\r\n" + c.mensaje + "\n");
  }
}

}  // namespace
}  // namespace ambrix
