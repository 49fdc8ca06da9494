// The withholding-annex file loader: each line of the file split into the caller's array in the
// fields' normal forms, the last line left there, and its failures as they happen.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../frame/frame_test_support.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "platform/automation/host.hpp"
#include "platform/errors/error.hpp"
#include "tests/support/files.hpp"

namespace {

using vt::automation::StringArray;
using vt::automation::StringArrayRef;

// A record of 50 fields joined by `sep`, with some fields changed.
std::string linea(const std::vector<std::pair<int, std::string>>& cambios = {}, char sep = '|') {
  std::vector<std::string> f = {"179204518500",
                                "5",
                                "2013",
                                "2/5/2013",
                                "r",
                                "1710034065",
                                "Comercial Ñandú",
                                "1",
                                "1001",
                                "55",
                                "1112223334",
                                "0",
                                "10.5",
                                "100",
                                "12",
                                "",
                                "",
                                "",
                                "",
                                "",
                                "",
                                "",
                                "",
                                "312",
                                "0",
                                "0",
                                "100",
                                "1",
                                "1"};
  f.resize(50);
  f[47] = "0";
  f[48] = "nota";
  f[49] = "7";
  for (const auto& [k, v] : cambios) f[k] = v;
  std::string out;
  for (int k = 0; k < 50; ++k) out += (k ? std::string(1, sep) : "") + f[k];
  return out;
}

class ReocCarga : public ::testing::Test, public frame_test::LibraryFixture {
 protected:
  std::string carga(const std::string& contenido, int16_t iverifica = 0, std::string sep = "|") {
    std::string ruta = (folder / "reoc.txt").string();
    vt::testing::writeFile(ruta, contenido);
    return cargaArchivo(ruta, iverifica, sep);
  }
  std::string cargaArchivo(std::string ruta, int16_t iverifica, std::string sep) {
    return loader_.gsREOCCargaFile(ruta, sep, iverifica, arreglo_);
  }
  long error(const std::string& contenido, int16_t iverifica = 0) {
    try {
      carga(contenido, iverifica);
    } catch (const vt::Error& e) {
      return e.number();
    }
    return 0;
  }

  valtrone::CLSValidarInformacion loader_;
  StringArrayRef arreglo_ = [] {
    auto a = std::make_shared<StringArray>(0, 49);
    for (long k = 0; k <= 49; ++k) a->at(k) = "x";
    return a;
  }();
};

TEST_F(ReocCarga, TheLastLineStaysInTheArrayInNormalForm) {
  EXPECT_EQ(carga(linea({{6, "Primero"}}) + "\r\n" + linea({{6, "Segundo"}}) + "\r\n" + linea() + "\r\n"),
            "");
  const std::vector<std::pair<int, std::string>> esperado = {{0, "0179204518500"},
                                                             {1, "05"},
                                                             {2, "2013"},
                                                             {3, "02/05/2013"},
                                                             {4, "R"},
                                                             {5, "0001710034065"},
                                                             {6, "Comercial Ñandú"},
                                                             {7, "01"},
                                                             {8, "001001"},
                                                             {9, "0000055"},
                                                             {10, "1112223334"},
                                                             {11, "0.00"},
                                                             {12, "10.50"},
                                                             {13, "100.00"},
                                                             {14, "12.00"},
                                                             {15, ""},
                                                             {18, ""},
                                                             {23, "312"},
                                                             {24, "0.00"},
                                                             {26, "100.00"},
                                                             {27, "1.000"},
                                                             {28, "1.00"},
                                                             {29, ""},
                                                             {33, ""},
                                                             {47, ""},
                                                             {48, "nota"},
                                                             {49, "7"}};
  for (const auto& [k, v] : esperado) EXPECT_EQ(arreglo_->at(k), v) << "field " << k;
}

TEST_F(ReocCarga, TheHeaderLineIsNeverStored) {
  const struct {
    std::string contenido;
    int16_t iverifica;
    std::string campo6;  // "x": the array was left untouched
  } cases[] = {
      {linea({{6, "Cabecera"}}) + "\r\n" + linea({{6, "Dato"}}) + "\r\n", 1, "Dato"},
      {linea({{6, "Cabecera"}}) + "\r\n", 1, "x"},
      {"\r\n" + linea({{6, "Dato"}}) + "\r\n", 1, "x"},  // an empty header line ends the reading
      {"", 0, "x"},
      {linea({{6, "Dato"}}), 0, "Dato"},  // no line break after the last line
      {linea({{6, "Uno"}}) + "\n" + linea({{6, "Dos"}}) + "\n", 0, "Dos"},
      {linea({{6, "Uno"}}) + "\r" + linea({{6, "Dos"}}) + "\r", 0, "Dos"},
      {linea({{6,
               "Compa\xF1"
               "\xED"
               "a"}}) +
           "\r\n",
       0, "Compañía"},  // a file of Windows-1252
  };
  for (const auto& c : cases) {
    for (long k = 0; k <= 49; ++k) arreglo_->at(k) = "x";
    EXPECT_EQ(carga(c.contenido, c.iverifica), "");
    EXPECT_EQ(arreglo_->at(6), c.campo6) << c.contenido;
  }
}

// A line that fails raises before any of it is stored: a caller that catches the error finds the
// line before it whole, never a record mixed from two lines.
TEST_F(ReocCarga, AFailedLineLeavesTheArrayAsItWas) {
  const std::string antes = linea({{6, "Antes"}, {29, "312"}, {30, "5"}, {47, "9"}});
  ASSERT_EQ(carga(antes + "\r\n"), "");
  const StringArray guardado = *arreglo_;

  // Fields 0 to `hasta` of a full line, the separator after the last one missing.
  const auto corta = [](int hasta) {
    std::string l = linea({{6, "Despues"}});
    std::size_t at = 0;
    for (int i = 0; i <= hasta; ++i) at = l.find('|', at) + 1;
    return l.substr(0, at - 1);
  };
  const struct {
    std::string segunda;
    long error;
    const char* why;
  } cases[] = {
      {corta(29), vt::kErrInvalidCall, "short inside a withholding block"},
      {corta(47), vt::kErrInvalidCall, "short inside the last group"},
      {corta(0), vt::kErrInvalidCall, "one field only"},
      {linea({{48, std::string(33000, 'a')}}), vt::kErrOverflow, "a line too long"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    *arreglo_ = guardado;
    EXPECT_EQ(error(antes + "\r\n" + c.segunda + "\r\n"), c.error);
    for (long k = 0; k <= 49; ++k) EXPECT_EQ(arreglo_->at(k), guardado.at(k)) << "field " << k;
  }

  // An array without room for the 50 fields is not written either.
  arreglo_ = std::make_shared<StringArray>(0, 20);
  for (long k = 0; k <= 20; ++k) arreglo_->at(k) = "x";
  EXPECT_EQ(error(linea()), vt::kErrSubscript);
  for (long k = 0; k <= 20; ++k) EXPECT_EQ(arreglo_->at(k), "x") << "field " << k;
}

// The host gets its turn once per line read into the array, never for the header line.
TEST_F(ReocCarga, YieldsToTheHostOncePerLine) {
  const struct {
    std::string contenido;
    int16_t iverifica;
    int yields;
  } cases[] = {
      {linea() + "\r\n" + linea() + "\r\n" + linea() + "\r\n", 0, 3},
      {linea() + "\r\n" + linea() + "\r\n", 1, 1},
      {"", 0, 0},
  };
  for (const auto& c : cases) {
    int yields = 0;
    vt::automation::host::setYieldHook([&] { ++yields; });
    EXPECT_EQ(carga(c.contenido, c.iverifica), "");
    vt::automation::host::setYieldHook({});
    EXPECT_EQ(yields, c.yields) << c.contenido.size();
  }
}

TEST_F(ReocCarga, FailuresRaiseTheirErrors) {
  EXPECT_EQ(error("", 1), vt::kErrPastEndOfFile);
  EXPECT_EQ(error("\r\n"), vt::kErrInvalidCall);  // a blank data line
  EXPECT_EQ(error(linea({{48, std::string(33000, 'a')}})), vt::kErrOverflow);
  arreglo_ = std::make_shared<StringArray>(0, 20);
  EXPECT_EQ(error(linea()), vt::kErrSubscript);

  const auto numero = [&](const std::string& ruta) {
    try {
      cargaArchivo(ruta, 0, "|");
    } catch (const vt::Error& e) {
      return e.number();
    }
    return 0L;
  };
  EXPECT_EQ(numero((folder / "no-existe.txt").string()), vt::kErrFileNotFound);
  EXPECT_EQ(numero((folder / "no-existe" / "reoc.txt").string()), vt::kErrPathNotFound);
  EXPECT_EQ(numero(folder.string()), vt::kErrPathAccess);
}

// The file is closed after each call, so the same thread can load another.
TEST_F(ReocCarga, ASecondCallOnTheSameThreadReadsItsFile) {
  EXPECT_EQ(carga(linea({{6, "Uno"}})), "");
  EXPECT_EQ(carga(linea({{6, "Dos"}})), "");
  EXPECT_EQ(arreglo_->at(6), "Dos");
}

TEST_F(ReocCarga, AnotherSeparator) {
  EXPECT_EQ(carga(linea({{5, ""}, {6, "Ana; Luis"}}, '\t'), 0, "\t"), "");
  EXPECT_EQ(arreglo_->at(5), "");
  EXPECT_EQ(arreglo_->at(6), "Ana; Luis");
}

}  // namespace
