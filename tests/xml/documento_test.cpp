// The document's fixed bytes, elements written in order and fragments written apart, the pieces
// handed to the file, and the text an element can hold.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ambrix/version.hpp"
#include "xml/documento_ats.hpp"

namespace ambrix::xml {
namespace {

// The document's bytes when it is kept in memory (no sink hands them on before termina()).
std::string bytesDe(const std::function<void(EscritorXml&)>& escribe, std::string_view sVersion = "2.10.3") {
  std::string salida;
  DocumentoATS d([&salida](std::string_view pieza) { salida.append(pieza); }, sVersion);
  escribe(d.iva());
  d.termina();
  return salida;
}

TEST(Documento, FixedBytesBeforeAndAroundTheRoot) {
  EXPECT_EQ(
      bytesDe([](EscritorXml& iva) {
        iva.elemento("TipoIDInformante", "R");
        iva.elemento("vacio", "");
        iva.abre("compras");
        iva.elemento("a", "x");
        iva.abre("sinHijos");
        iva.cierra();
        iva.cierra();
      }),
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
      "<!-- Generado por Tolvex version 2.10.3 Orsinel S.A. - www.orsinel.com.ec  "
      "Soporte:soporte@orsinel.com.ec -->"
      "<iva><TipoIDInformante>R</TipoIDInformante><vacio/><compras><a>x</a><sinHijos/></compras></iva>");
}

TEST(Documento, ProgramVersionByDefault) {
  std::string salida;
  DocumentoATS d([&salida](std::string_view pieza) { salida.append(pieza); });
  d.termina();
  EXPECT_NE(salida.find(std::string("version ") + kVersionTexto + " Orsinel"), std::string::npos);
  EXPECT_EQ(salida.substr(salida.size() - 6), "<iva/>");
}

TEST(Documento, TextIsEscaped) {
  const std::string bytes =
      bytesDe([](EscritorXml& iva) { iva.elemento("razonSocial", "A & B <C> \"D\" 'E'"); });
  EXPECT_NE(bytes.find("<razonSocial>A &amp; B &lt;C&gt; \"D\" 'E'</razonSocial>"), std::string::npos);
}

TEST(Documento, AFragmentWrittenApartGoesInWhereItIsInserted) {
  EscritorXml air;
  air.abre("air");
  air.elemento("codRetAir", "312");
  air.cierra();
  EscritorXml vacio;
  vacio.abre("air");
  vacio.cierra();
  EXPECT_EQ(vacio.bytes(), "<air/>");
  const std::string bytes = bytesDe([&](EscritorXml& iva) {
    iva.abre("detalleCompras");
    iva.inserta(air.bytes());
    iva.cierra();
    iva.abre("detalleCompras");
    iva.inserta(vacio.bytes());
    iva.cierra();
  });
  EXPECT_NE(bytes.find("<iva><detalleCompras><air><codRetAir>312</codRetAir></air></detalleCompras>"
                       "<detalleCompras><air/></detalleCompras></iva>"),
            std::string::npos);
  air.limpia();
  EXPECT_EQ(air.bytes(), "");
  EXPECT_FALSE(air.abierto());
}

TEST(Documento, BytesAreHandedOnInPiecesAsTheyGather) {
  std::vector<std::size_t> piezas;
  std::string salida;
  DocumentoATS d([&](std::string_view pieza) {
    piezas.push_back(pieza.size());
    salida.append(pieza);
  });
  const std::string texto(1000, 'x');
  for (int i = 0; i < 1000; ++i) d.iva().elemento("e", texto);
  EXPECT_GE(piezas.size(), 10u) << "about a million bytes go out in pieces, not at the end";
  for (std::size_t i = 0; i + 1 < piezas.size(); ++i) EXPECT_LT(piezas[i], 70u * 1024);
  d.termina();
  EXPECT_EQ(salida.size(), salida.find("<iva>") + 5 + 1000 * (1000 + 7) + 6);
  EXPECT_EQ(salida.substr(salida.size() - 6), "</iva>");
}

TEST(Documento, ASinkThatRaisesStopsTheWriting) {
  int piezas = 0;
  DocumentoATS d([&piezas](std::string_view) {
    ++piezas;
    throw std::runtime_error("disco lleno");
  });
  const std::string texto(1000, 'x');
  EXPECT_THROW(for (int i = 0; i < 1000; ++i) d.iva().elemento("e", texto), std::runtime_error);
  EXPECT_EQ(piezas, 1);
}

struct CasoTexto {
  std::string entrada;
  std::string salida;
  const char* porque;
};

TEST(Documento, CharactersXmlCannotHoldAreDropped) {
  const CasoTexto casos[] = {
      {"ABC 123", "ABC 123", "plain text stays"},
      {"a\tb\nc\rd", "a\tb\nc\rd", "TAB, LF and CR are allowed"},
      {std::string("a\x01"
                   "b\x0B"
                   "c\x1F"
                   "d\0e",
                   9),
       "abcde", "other C0 controls are not"},
      {"Pacífico Ñandú", "Pacífico Ñandú", "UTF-8 letters stay"},
      {"a\xEF\xBF\xBE"
       "b\xEF\xBF\xBF"
       "c",
       "abc", "U+FFFE and U+FFFF are not characters"},
      {"a\xE9"
       "b\xC3",
       "ab", "bytes that are not UTF-8"},
      {"a\xED\xA0\x80"
       "b",
       "ab", "an encoded surrogate"},
      {"a\xC0\xAF"
       "b",
       "ab", "an overlong form"},
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80", "characters beyond the basic plane stay"},
  };
  for (const CasoTexto& c : casos) EXPECT_EQ(textoXmlValido(c.entrada), c.salida) << c.porque;
}

}  // namespace
}  // namespace ambrix::xml
