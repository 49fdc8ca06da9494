// Runs the built ambrix-batch --dump-sheet on files written here: a purchases workbook must print
// exactly what the same data saved as delimited text prints.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/profile/text_file.hpp"
#include "platform/workbook/cell_text.hpp"
#include "tests/workbook/support/temp_dir.hpp"
#include "tests/workbook/support/xls_builder.hpp"
#include "tests/workbook/support/xlsx_builder.hpp"

extern char** environ;

namespace ambrix {
namespace {

using vt::testing::TempDir;

constexpr int kColumnasCompras = 68;

struct Salida {
  int status = -1;
  std::string texto;  // standard output and standard error
};

bool startsWithAny(const std::string& entry, std::initializer_list<const char*> prefixes) {
  for (const char* p : prefixes) {
    if (entry.rfind(p, 0) == 0) return true;
  }
  return false;
}

// Runs the program with `args` in the C locale, with the folder as HOME and its win.ini as the
// regional settings, so that nothing of the machine's own set-up reaches it.
Salida ejecuta(const TempDir& dir, const std::vector<std::string>& args) {
  std::vector<std::string> entorno;
  for (char** e = environ; *e; ++e) {
    if (!startsWithAny(*e, {"AMBRIX_", "LC_", "LANG=", "LANGUAGE=", "HOME="})) entorno.emplace_back(*e);
  }
  const std::string carpeta = dir.file("");
  entorno.push_back("LC_ALL=C");
  entorno.push_back("HOME=" + carpeta);
  entorno.push_back("AMBRIX_WIN_INI=" + dir.file("win.ini"));

  std::vector<std::string> argv = {VT_BINARY_DIR "/bin/ambrix-batch"};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> argvC, envC;
  for (std::string& a : argv) argvC.push_back(a.data());
  for (std::string& e : entorno) envC.push_back(e.data());
  argvC.push_back(nullptr);
  envC.push_back(nullptr);

  const std::string captura = dir.file("salida.txt");
  Salida s;
  const pid_t pid = fork();
  if (pid < 0) return s;
  if (pid == 0) {
    const int fd = open(captura.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0 || dup2(fd, 1) < 0 || dup2(fd, 2) < 0) _exit(127);
    execve(argvC[0], argvC.data(), envC.data());
    _exit(127);
  }
  int raw = 0;
  if (waitpid(pid, &raw, 0) != pid) return s;
  s.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  s.texto = vt::readWholeFile(captura).value_or("");
  return s;
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
  vt::testing::writeFile(ruta, vt::testing::Bytes(texto.begin(), texto.end()));
}

class DumpSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    // Regional settings of an office in Ecuador: "," decimals must not reach the cell texts.
    const std::string ini =
        "[Intl]\r\nsShortDate=dd/MM/yyyy\r\nsTimeFormat=HH:mm:ss\r\nsDecimal=,\r\nsThousand=.\r\n";
    vt::testing::writeFile(dir_.file("win.ini"), vt::testing::Bytes(ini.begin(), ini.end()));
  }
  Salida vuelca(const std::string& ruta, const std::string& tipo) {
    return ejecuta(dir_, {"--dump-sheet", ruta, "--tipo", tipo, "--hoja", "0", "--separador", ";"});
  }
  TempDir dir_;
};

TEST_F(DumpSheet, PurchasesWorkbookPrintsWhatItsDelimitedTextPrints) {
  const std::vector<Fila> filas = compras();
  const std::string libro = dir_.file("compras.xlsx"), texto = dir_.file("compras.csv");
  escribeLibro(libro, filas);
  escribeTexto(texto, filas);

  const Salida deLibro = vuelca(libro, "xls");
  const Salida deTexto = vuelca(texto, "csv");
  ASSERT_EQ(deLibro.status, 0) << deLibro.texto;
  ASSERT_EQ(deTexto.status, 0) << deTexto.texto;
  EXPECT_EQ(deLibro.texto, deTexto.texto);

  std::vector<std::string> lineas;
  for (std::size_t at = 0, end; (end = deLibro.texto.find('\n', at)) != std::string::npos; at = end + 1) {
    lineas.push_back(deLibro.texto.substr(at, end - at));
  }
  ASSERT_EQ(lineas.size(), 3u) << deLibro.texto;
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
  vt::testing::writeFile(dir_.file("win.ini"), vt::testing::Bytes(ini.begin(), ini.end()));
  std::vector<Fila> filas = {{txt("fecha"), txt("hora")},
                             {fecha("2013-05-31", "41425"), fecha("2013-05-31 14:30", "41425.604166666664")}};
  for (Fila& fila : filas) fila.resize(kColumnasCompras, vacia());
  const std::string libro = dir_.file("fechas.xlsx");
  escribeLibro(libro, filas);
  const Salida s = vuelca(libro, "xls");
  ASSERT_EQ(s.status, 0) << s.texto;
  EXPECT_EQ(s.texto.rfind("2013-05-31\t2013-05-31 14:30\t\t", 0), 0u) << s.texto;
}

TEST_F(DumpSheet, LoadFailurePrintsTheMessageAndEndsWithOne) {
  // A header of the purchases' 68 columns and a row with one field more.
  std::string texto = "c0";
  for (int c = 1; c < kColumnasCompras; ++c) texto += ";c" + std::to_string(c);
  texto += "\r\n" + std::string(kColumnasCompras, ';') + "\r\n";
  const std::string noLibro = dir_.file("compras.xlsx"), anchoDeMas = dir_.file("compras.csv");
  vt::testing::writeFile(noLibro, vt::testing::Bytes(texto.begin(), texto.end()));
  vt::testing::writeFile(anchoDeMas, vt::testing::Bytes(texto.begin(), texto.end()));
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
    const Salida s = vuelca(c.ruta, c.tipo);
    EXPECT_EQ(s.status, 1) << c.ruta;
    EXPECT_EQ(s.texto, "Error al cargar archivo " + c.ruta + "\r\n" + c.mensaje + "\n");
  }
}

}  // namespace
}  // namespace ambrix
