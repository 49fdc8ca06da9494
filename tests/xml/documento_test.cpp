// The document's fixed bytes and the text an element can hold.

#include "xml/documento_ats.hpp"

#include <gtest/gtest.h>

#include "ambrix/version.hpp"

namespace ambrix::xml {
namespace {

TEST(Documento, FixedBytesBeforeAndAroundTheRoot) {
  DocumentoATS d("2.10.3");
  agrega(d.iva(), "TipoIDInformante", "R");
  agrega(d.iva(), "vacio", "");
  pugi::xml_node compras = agrega(d.iva(), "compras");
  agrega(compras, "a", "x");
  EXPECT_EQ(d.bytes(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
            "<!-- Generado por Tolvex version 2.10.3 Orsinel S.A. - www.orsinel.com.ec  Soporte:soporte@orsinel.com.ec -->"
            "<iva><TipoIDInformante>R</TipoIDInformante><vacio/><compras><a>x</a></compras></iva>");
}

TEST(Documento, ProgramVersionByDefault) {
  DocumentoATS d;
  EXPECT_NE(d.bytes().find(std::string("version ") + kVersionTexto + " Orsinel"), std::string::npos);
  EXPECT_EQ(d.bytes().substr(d.bytes().size() - 6), "<iva/>");
}

TEST(Documento, TextIsEscaped) {
  DocumentoATS d("1.0.0");
  agrega(d.iva(), "razonSocial", "A & B <C> \"D\"");
  EXPECT_NE(d.bytes().find("<razonSocial>A &amp; B &lt;C&gt; \"D\"</razonSocial>"), std::string::npos);
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
      {std::string("a\x01" "b\x0B" "c\x1F" "d\0e", 9), "abcde", "other C0 controls are not"},
      {"Pacífico Ñandú", "Pacífico Ñandú", "UTF-8 letters stay"},
      {"a\xEF\xBF\xBE" "b\xEF\xBF\xBF" "c", "abc", "U+FFFE and U+FFFF are not characters"},
      {"a\xE9" "b\xC3", "ab", "bytes that are not UTF-8"},
      {"a\xED\xA0\x80" "b", "ab", "an encoded surrogate"},
      {"a\xC0\xAF" "b", "ab", "an overlong form"},
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80", "characters beyond the basic plane stay"},
  };
  for (const CasoTexto& c : casos) EXPECT_EQ(textoXmlValido(c.entrada), c.salida) << c.porque;
}

}  // namespace
}  // namespace ambrix::xml
