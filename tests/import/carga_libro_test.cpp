#include <gtest/gtest.h>

#include "platform/conversions/conversions.hpp"
#include "platform/profile/configuracion.hpp"
#include "tests/import/load_helpers.hpp"
#include "tests/support/files.hpp"
#include "tests/support/short_dates.hpp"
#include "tests/support/temp_folder.hpp"
#include "tests/workbook/support/xls_builder.hpp"
#include "tests/workbook/support/xlsx_builder.hpp"

namespace ambrix {
namespace {

using testing::carga;
using vt::testing::inlineCell;
using vt::testing::numberCell;

const std::string kFixtures = std::string(VT_SOURCE_DIR) + "/tests/workbook/fixtures/";

std::string ref(char col, int row) { return std::string(1, col) + std::to_string(row); }

// A block of `rows` rows (header included) in columns A..J, a value in K2, an empty row, and a
// row after it.
vt::testing::XlsxSpec bloque(int rows) {
  vt::testing::XlsxSpec spec;
  std::string xml;
  for (int r = 1; r <= rows; ++r) {
    xml += "<row r=\"" + std::to_string(r) + "\">";
    for (char c = 'A'; c <= 'J'; ++c) xml += inlineCell(ref(c, r), r == 1 ? std::string("h") + c : ref(c, r));
    if (r == 2) xml += inlineCell("K2", "columna K");
    xml += "</row>";
  }
  xml +=
      "<row r=\"" + std::to_string(rows + 2) + "\">" + inlineCell(ref('A', rows + 2), "después") + "</row>";
  spec.sheets[0].rowsXml = xml;
  return spec;
}

class CargaLibro : public ::testing::Test {
 protected:
  vt::testing::TempFolder dir_;
  std::string ruta_ = dir_.file("libro.xlsx");
};

TEST_F(CargaLibro, BlockAroundA1AndTheSheetsFixedColumns) {
  vt::testing::writeXlsx(ruta_, bloque(5));
  const auto anulados = carga("xls", kHojaAnulados, ruta_);
  ASSERT_TRUE(anulados.ok) << anulados.error;
  EXPECT_EQ(anulados.ultimaFila, 4);
  EXPECT_EQ(anulados.ultimaColumna, 9);
  EXPECT_EQ(anulados.dump,
            "A2\tB2\tC2\tD2\tE2\tF2\tG2\tH2\tI2\tJ2\n"
            "A3\tB3\tC3\tD3\tE3\tF3\tG3\tH3\tI3\tJ3\n"
            "A4\tB4\tC4\tD4\tE4\tF4\tG4\tH4\tI4\tJ4\n"
            "A5\tB5\tC5\tD5\tE5\tF5\tG5\tH5\tI5\tJ5\n");

  const auto compras = carga("xls", kHojaCompras, ruta_);
  ASSERT_TRUE(compras.ok);
  EXPECT_EQ(compras.ultimaFila, 4);
  EXPECT_EQ(compras.ultimaColumna, 67);
  EXPECT_EQ(gaInfoCompras->get(1, 10), "columna K");
  EXPECT_EQ(gaInfoCompras->get(4, 67), "");
  EXPECT_EQ(carga("xls", kHojaVentas, ruta_).ultimaColumna, 22);
  EXPECT_EQ(carga("xls", kHojaExportaciones, ruta_).ultimaColumna, 23);
}

TEST_F(CargaLibro, ValuesWithTheirTexts) {
  vt::testing::XlsxSpec spec;
  spec.cellXfFormats = {0, 14};
  spec.sheets[0].rowsXml = "<row r=\"1\">" + inlineCell("A1", "h") + "</row><row r=\"2\">" +
                           numberCell("A2", "100.5") + numberCell("B2", "1790012345001") +
                           numberCell("C2", "0.30000000000000004") + numberCell("D2", "41425", 1) +
                           "<c r=\"E2\" t=\"b\"><v>1</v></c>" + inlineCell("F2", " ") + "</row>";
  vt::testing::writeXlsx(ruta_, spec);
  const auto r = carga("xls", kHojaAnulados, ruta_);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.dump, "100.5\t1790012345001\t0.3\t31/05/2013\tTrue\t \t\t\t\t\n");
}

TEST_F(CargaLibro, DatesInTheRegionalShortDateOrder) {
  vt::testing::XlsxSpec spec;
  spec.cellXfFormats = {0, 22};
  spec.sheets[0].rowsXml = "<row r=\"1\">" + inlineCell("A1", "h") + "</row><row r=\"2\">" +
                           numberCell("A2", "41425", 1) + numberCell("B2", "41425.604166666664", 1) +
                           "</row>";
  vt::testing::writeXlsx(ruta_, spec);
  vt::ConfiguracionRegional& regional = vt::currentConfiguration().regional;
  const vt::ConfiguracionRegional antes = regional;
  regional.gsFormatoFecha = "yyyy-MM-dd";
  regional.gsFormatoHora = "HH:mm";
  const auto r = carga("xls", kHojaAnulados, ruta_);
  regional = antes;
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.dump, "2013-05-31\t2013-05-31 14:30\t\t\t\t\t\t\t\t\n");
}

// Date cells come out in the regional short date and read back as the same dates: no day and
// month ever trade places on the way from the workbook to the validators.
TEST_F(CargaLibro, DateCellsReadBackUnderEveryRegionalShortDate) {
  // 31/05/2013 (no month 31: a swap is not a date) and 03/05/2013 (a swap is a silent 5 March).
  const vt::conv::Date fechas[] = {{2013, 5, 31}, {2013, 5, 3}};
  const char* seriales[] = {"41425", "41397"};
  vt::testing::XlsxSpec xlsx;
  xlsx.cellXfFormats = {0, 14};
  xlsx.sheets[0].rowsXml = "<row r=\"1\">" + inlineCell("A1", "h") + "</row><row r=\"2\">" +
                           numberCell("A2", seriales[0], 1) + numberCell("B2", seriales[1], 1) + "</row>";
  vt::testing::writeXlsx(ruta_, xlsx);
  vt::testing::XlsSpec xls;
  xls.cellXfFormats = {14};  // XF 16: a date
  xls.sheets[0].cells.label(0, 0, "h");
  xls.sheets[0].cells.number(1, 0, 41425, 16);
  xls.sheets[0].cells.number(1, 1, 41397, 16);
  const std::string rutaXls = dir_.file("libro.xls");
  vt::testing::writeXls(rutaXls, xls);

  for (const char* corta : vt::testing::kShortDates) {
    const vt::testing::ScopedShortDate regional(corta);
    for (const std::string& ruta : {ruta_, rutaXls}) {
      SCOPED_TRACE(std::string(corta) + " " + ruta);
      const auto r = carga("xls", kHojaAnulados, ruta);
      ASSERT_TRUE(r.ok) << r.error;
      for (int c = 0; c < 2; ++c) {
        const std::string celda(gaInfoAnulados->get(1, c));
        EXPECT_EQ(celda, vt::conv::FormatDate(fechas[c], corta));
        EXPECT_EQ(vt::conv::ParseDate(celda), fechas[c]) << celda;
        EXPECT_EQ(vt::conv::ParseDateByPattern(vt::conv::DateCell(celda), vt::conv::kDateCellPattern),
                  fechas[c])
            << celda;
      }
    }
  }
}

TEST_F(CargaLibro, FailuresNameTheFileAndTheCell) {
  const std::string cabecera = "Error al cargar archivo " + ruta_ + "\r\n";
  const struct {
    const char* what;
    std::string row2;
    bool ok;
    std::string mensaje;
  } cases[] = {
      {"error cell", inlineCell("A2", "x") + "<c r=\"C2\" t=\"e\"><v>#N/A</v></c>", false,
       cabecera + "La celda C2 contiene el error #N/A"},
      {"formula without value", inlineCell("A2", "x") + "<c r=\"B2\"><f>A1*2</f></c>", false,
       cabecera + "La celda B2 tiene una fórmula sin valor calculado; abra y guarde el libro con la hoja de "
                  "cálculo"},
      {"error beyond the sheet's columns is not read",
       inlineCell("A2", "x") + "<c r=\"K2\" t=\"e\"><v>#REF!</v></c>", true, ""},
  };
  for (const auto& c : cases) {
    vt::testing::XlsxSpec spec;
    spec.sheets[0].rowsXml =
        "<row r=\"1\">" + inlineCell("A1", "h") + "</row><row r=\"2\">" + c.row2 + "</row>";
    vt::testing::writeXlsx(ruta_, spec);
    const auto r = carga("xls", kHojaAnulados, ruta_);
    EXPECT_EQ(r.ok, c.ok) << c.what;
    EXPECT_EQ(r.error, c.mensaje) << c.what;
  }

  vt::testing::writeFile(ruta_, {'a', ';', 'b'});
  EXPECT_EQ(carga("xls", kHojaAnulados, ruta_).error,
            cabecera + "El archivo no es un libro de Excel (.xlsx o .xls)");
  const std::string falta = dir_.file("falta.xls");
  EXPECT_EQ(carga("xls", kHojaAnulados, falta).error,
            "Error al cargar archivo " + falta + "\r\nNo se pudo abrir el archivo");
}

TEST_F(CargaLibro, XlsFileOfAnotherWriter) {
  const auto r = carga("xls", kHojaAnulados, kFixtures + "xlwt_datos.xls");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.ultimaFila, 4);
  EXPECT_EQ(r.dump,
            "  PEÑA  \t100.5\t31/05/2013\tTrue\t\t7\t\t\t\t\n"
            "Juan Pérez\t1790012345001\t31/05/2013 14:30:00\tFalse\t\t-3\t\t\t\t\n"
            " \t0.3\t01/01/2013\tTrue\t\t0\t\t\t\t\n"
            "ÁÉÍÓÚ ñ\t1E-05\t29/02/2012\tFalse\t\t123456789\t\t\t\t\n");
}

TEST_F(CargaLibro, WorkbookAndDelimitedTextOfTheSameDataLoadAlike) {
  const std::vector<std::vector<std::string>> datos = {
      {"RUC", "Nombre", "Monto", "Fecha", "c4", "c5", "c6", "c7", "c8", "c9"},
      {"1790012345001", "  PEÑA S.A. ", "100.5", "31/05/2013", "", "x", "", "", "0", ""},
      {"0912345678", "Juan", "0.3", "01/01/2013", "a", "", "", "", "1", "z"},
  };
  vt::testing::XlsxSpec spec;
  spec.cellXfFormats = {0, 14};
  std::string xml, csv;
  for (std::size_t r = 0; r < datos.size(); ++r) {
    xml += "<row r=\"" + std::to_string(r + 1) + "\">";
    for (std::size_t c = 0; c < datos[r].size(); ++c) {
      const std::string& v = datos[r][c];
      const std::string at = ref(static_cast<char>('A' + c), static_cast<int>(r + 1));
      if (r > 0 && (c == 2 || c == 8 || (c == 0 && v[0] != '0'))) {
        xml += numberCell(at, v);
      } else if (r > 0 && c == 3) {
        xml += numberCell(at, v == "31/05/2013" ? "41425" : "41275", 1);
      } else if (!v.empty()) {
        xml += inlineCell(at, v);
      }
      csv += (c ? ";" : "") + v;
    }
    xml += "</row>";
    csv += "\r\n";
  }
  spec.sheets[0].rowsXml = xml;
  vt::testing::writeXlsx(ruta_, spec);
  const std::string texto = dir_.file("datos.csv");
  vt::testing::writeFile(texto, csv);
  const auto libro = carga("xls", kHojaAnulados, ruta_);
  const auto delimitado = carga("csv", kHojaAnulados, texto);
  ASSERT_TRUE(libro.ok && delimitado.ok) << libro.error << delimitado.error;
  EXPECT_EQ(libro.dump, delimitado.dump);
}

TEST_F(CargaLibro, OneWorkbookForTwoSheetsGivesItsActiveSheetTwice) {
  vt::testing::writeXlsx(ruta_, bloque(3));
  std::vector<std::string> archivos = {"", "", ruta_, ruta_};
  std::string tipo = "xls", separador, error;
  ASSERT_TRUE(gfCargaArchivoExcel(tipo, archivos, separador, error)) << error;
  EXPECT_EQ(gaInfoAnulados->get(2, 0), "A3");
  EXPECT_EQ(gaInfoExportaciones->get(2, 0), "A3");
}

}  // namespace
}  // namespace ambrix
