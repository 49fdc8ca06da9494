#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string_view>

#include "import/sheet_loaders.hpp"
#include "tests/import/load_helpers.hpp"
#include "tests/support/files.hpp"
#include "tests/support/temp_folder.hpp"
#include "tests/workbook/support/xls_builder.hpp"

namespace ambrix {
namespace {

using testing::carga;

const std::string kCabecera =
    "c0;c1;c2;c3;c4;c5;c6;c7;c8;c9";  // ten fields: enough for the cancelled documents

// A text saved as "Unicode": the byte-order mark, then each unit in the given order.
std::string utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

std::string mensajeSeparador(const std::string& ruta, const std::string& sep) {
  return "Error al cargar archivo " + ruta + "\r\nTiene demasiadas columnas o el caracter separador '" + sep +
         "'  está muchas veces \r\nRevise columna de Nombres o Montos ";
}

// A FIFO named as a sheet is refused at once, never waited on.
TEST(CargaTexto, AFifoIsNoSheet) {
  vt::testing::TempFolder dir;
  const std::string ruta = dir.file("hoja.csv");
  ASSERT_EQ(::mkfifo(ruta.c_str(), 0600), 0);
  const auto r = carga("csv", kHojaAnulados, ruta);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error.rfind("Error al cargar archivo " + ruta + "\r\n", 0), 0u) << r.error;
}

TEST(CargaTexto, Cases) {
  const struct {
    const char* what;
    std::string bytes;
    std::string separador;
    bool ok;
    std::string dump;  // expected rows; empty when the load fails
    long ultimaFila;
  } cases[] = {
      {"final line break", kCabecera + "\r\na;b\r\n", ";", true, "a\tb\t\t\t\t\t\t\t\t\n", 1},
      {"no final line break", kCabecera + "\r\na;b", ";", true, "a\tb\t\t\t\t\t\t\t\t\n", 1},
      {"LF line ends", kCabecera + "\na;b\nc;d\n", ";", true, "a\tb\t\t\t\t\t\t\t\t\nc\td\t\t\t\t\t\t\t\t\n",
       2},
      {"mixed line ends", kCabecera + "\r\na\nb\r\n", ";", true, "a\t\t\t\t\t\t\t\t\t\nb\t\t\t\t\t\t\t\t\t\n",
       2},
      {"CR line ends: rows, not a header alone", kCabecera + "\ra;b\rc;d\r", ";", true,
       "a\tb\t\t\t\t\t\t\t\t\nc\td\t\t\t\t\t\t\t\t\n", 2},
      {"a CR inside a CRLF file stays in its cell", kCabecera + "\r\na\rb;c\r\n", ";", true,
       "a\\rb\tc\t\t\t\t\t\t\t\t\n", 1},
      {"nine fields leave the tenth empty", kCabecera + "\r\n1;2;3;4;5;6;7;8;9\r\n", ";", true,
       "1\t2\t3\t4\t5\t6\t7\t8\t9\t\n", 1},
      {"header only", kCabecera + "\r\n", ";", true, "", 0},
      {"an empty line in between is a row", kCabecera + "\r\na\r\n\r\nb\r\n", ";", true,
       "a\t\t\t\t\t\t\t\t\t\n\t\t\t\t\t\t\t\t\t\nb\t\t\t\t\t\t\t\t\t\n", 3},
      {"quotes and blanks kept", kCabecera + "\r\n\"a;b\"; x ;  \r\n", ";", true,
       "\"a\tb\"\t x \t  \t\t\t\t\t\t\n", 1},
      {"Windows-1252 read as UTF-8",
       kCabecera + "\r\nPE\xD1"
                   "A;\x80\r\n",
       ";", true, "PEÑA\t€\t\t\t\t\t\t\t\t\n", 1},
      {"UTF-8 kept, mark dropped", "\xEF\xBB\xBF" + kCabecera + "\r\nPEÑA\r\n", ";", true,
       "PEÑA\t\t\t\t\t\t\t\t\t\n", 1},
      {"UTF-16 little-endian with its mark",
       utf16(u"c0;c1;c2;c3;c4;c5;c6;c7;c8;c9\r\nPE\u00D1A;\u20AC\r\n", false), ";", true,
       "PEÑA\t€\t\t\t\t\t\t\t\t\n", 1},
      {"UTF-16 big-endian with its mark",
       utf16(u"c0;c1;c2;c3;c4;c5;c6;c7;c8;c9\r\nPE\u00D1A;\U0001F600\r\n", true), ";", true,
       "PEÑA\t\xF0\x9F\x98\x80\t\t\t\t\t\t\t\t\n", 1},
      {"separator of two characters", "c0||c1||c2||c3||c4||c5||c6||c7||c8\r\na||b;c\r\n", "||", true,
       "a\tb;c\t\t\t\t\t\t\t\n", 1},
  };
  vt::testing::TempFolder dir;
  for (const auto& c : cases) {
    const std::string ruta = dir.file("hoja.txt");
    vt::testing::writeFile(ruta, c.bytes);
    const auto r = carga("csv", kHojaAnulados, ruta, c.separador);
    EXPECT_EQ(r.ok, c.ok) << c.what << ": " << r.error;
    EXPECT_EQ(r.dump, c.dump) << c.what;
    EXPECT_EQ(r.ultimaFila, c.ultimaFila) << c.what;
    EXPECT_EQ(r.error, "") << c.what;
  }
}

TEST(CargaTexto, Failures) {
  vt::testing::TempFolder dir;
  const std::string ruta = dir.file("hoja.txt");
  const struct {
    const char* what;
    std::string bytes;
    int indice;
    std::string mensaje;
  } cases[] = {
      {"more fields than the header", kCabecera + "\r\n0;1;2;3;4;5;6;7;8;9;10\r\n", kHojaAnulados,
       mensajeSeparador(ruta, ";")},
      {"empty file", "", kHojaAnulados, mensajeSeparador(ruta, ";")},
      {"header narrower than the cancelled documents read", "a;b;c\r\n1;2;3\r\n", kHojaAnulados,
       "Error al cargar archivo " + ruta + "\r\nEl archivo tiene 3 columnas; se requieren 9 "},
      {"sales need 22", kCabecera + "\r\n", kHojaVentas,
       "Error al cargar archivo " + ruta + "\r\nEl archivo tiene 10 columnas; se requieren 22 "},
      {"purchases need 68", kCabecera + "\r\n", kHojaCompras,
       "Error al cargar archivo " + ruta + "\r\nEl archivo tiene 10 columnas; se requieren 68 "},
      {"exports need 23", kCabecera + "\r\n", kHojaExportaciones,
       "Error al cargar archivo " + ruta + "\r\nEl archivo tiene 10 columnas; se requieren 23 "},
  };
  for (const auto& c : cases) {
    vt::testing::writeFile(ruta, c.bytes);
    const auto r = carga("csv", c.indice, ruta);
    EXPECT_FALSE(r.ok) << c.what;
    EXPECT_EQ(r.error, c.mensaje) << c.what;
  }
  const std::string falta = "  " + dir.file("no-existe.txt") + " ";
  const auto r = carga("CSV", kHojaAnulados, falta, "|");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, mensajeSeparador(falta, "|"));
}

// Only regular files are read, and only up to the cap: a device or a FIFO never blocks the load
// or fills the memory, and an oversized file is refused whole.
TEST(CargaTexto, SpecialAndOversizedFilesGiveAMessage) {
  vt::testing::TempFolder dir;
  const std::string fifo = dir.file("tuberia.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string enorme = dir.file("enorme.txt");
  vt::testing::writeFile(enorme, kCabecera + "\r\n");
  std::filesystem::resize_file(enorme, kBytesMaximosTexto + 1);  // sparse: nothing is written
  const std::string noRegular = "No es un archivo regular (una carpeta, un dispositivo o una tubería)";
  const struct {
    const char* what;
    std::string ruta;
    std::string motivo;
  } cases[] = {
      {"endless device", "/dev/zero", noRegular},
      {"FIFO without a writer", fifo, noRegular},
      {"a folder", dir.path(), noRegular},
      {"one byte past the cap", enorme, "El archivo excede el tamaño admitido (512 MB)"},
  };
  for (const auto& c : cases) {
    const auto r = carga("csv", kHojaAnulados, c.ruta);
    EXPECT_FALSE(r.ok) << c.what;
    EXPECT_EQ(r.error, "Error al cargar archivo " + c.ruta + "\r\n" + c.motivo) << c.what;
  }
}

TEST(CargaTexto, PathsAreTrimmedToOpen) {
  vt::testing::TempFolder dir;
  const std::string ruta = dir.file("hoja.txt");
  const std::string bytes = kCabecera + "\r\nx\r\n";
  vt::testing::writeFile(ruta, bytes);
  EXPECT_TRUE(carga("csv", kHojaAnulados, "  " + ruta + "  ").ok);
}

TEST(CargaArchivo, KindIsLowerCasedAndOtherKindsLoadNothing) {
  vt::testing::TempFolder dir;
  const std::string ruta = dir.file("hoja.txt");
  const std::string bytes = kCabecera + "\r\nantes\r\n";
  vt::testing::writeFile(ruta, bytes);
  ASSERT_TRUE(carga("csv", kHojaAnulados, ruta).ok);

  std::vector<std::string> archivos = {"", "", ruta, ""};
  std::string tipo = "PDF", separador = ";", error = "x";
  EXPECT_TRUE(gfCargaArchivoExcel(tipo, archivos, separador, error));
  EXPECT_EQ(tipo, "pdf");
  EXPECT_EQ(error, "");
  tipo = "CsV";
  const InfoFile antes = gaInfoAnulados;
  EXPECT_TRUE(gfCargaArchivoExcel(tipo, archivos, separador, error));
  EXPECT_EQ(tipo, "csv");
  EXPECT_EQ(gaInfoAnulados, antes);  // the handle stays; its contents are new
  EXPECT_EQ(gaInfoAnulados->get(1, 0), "antes");
}

TEST(CargaArchivo, EarlierSheetsKeepTheirArraysWhenALaterOneFails) {
  vt::testing::TempFolder dir;
  const std::string buena = dir.file("buena.txt"), mala = dir.file("mala.txt");
  const std::string ventas = kCabecera + ";c10;c11;c12;c13;c14;c15;c16;c17;c18;c19;c20;c21\r\nventa\r\n";
  vt::testing::writeFile(buena, ventas);
  vt::testing::writeFile(mala, "");
  std::vector<std::string> archivos = {"", buena, mala, ""};
  std::string tipo = "csv", separador = ";", error;
  EXPECT_FALSE(gfCargaArchivoExcel(tipo, archivos, separador, error));
  EXPECT_EQ(gaInfoVentas->get(1, 0), "venta");
  EXPECT_EQ(gaInfoVentas->ubound(2), 21);
  EXPECT_NE(error.find(mala), std::string::npos);
}

}  // namespace
}  // namespace ambrix
