// The pull parser reads its input in pieces: names, texts, entities and attribute values cut by
// the end of a piece read the same as when the whole document comes at once.

#include "platform/workbook/xml_pull.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace vt::workbook {
namespace {

// Every event with its name, attributes asked for, and text, one per line.
std::string transcript(const std::string& document, std::size_t piece) {
  std::size_t at = 0;
  XmlPullParser xml(
      [&](char* buffer, std::size_t capacity) {
        const std::size_t n = std::min({piece, capacity, document.size() - at});
        std::memcpy(buffer, document.data() + at, n);
        at += n;
        return n;
      },
      1 << 20);
  std::string out;
  for (XmlPullParser::Event e; (e = xml.next()) != XmlPullParser::Event::EndOfDocument;) {
    switch (e) {
      case XmlPullParser::Event::StartElement:
        out += "<" + std::string(xml.name());
        for (const char* a : {"r", "t", "id"}) {
          if (const auto v = xml.attribute(a)) out += " " + std::string(a) + "=" + std::string(*v);
        }
        out += ">\n";
        break;
      case XmlPullParser::Event::EndElement:
        out += "</" + std::string(xml.name()) + ">\n";
        break;
      case XmlPullParser::Event::Text:
        out += "[" + xml.text() + "]\n";
        break;
      default:
        break;
    }
  }
  return out;
}

TEST(XmlPull, PiecesOfAnySizeReadAlike) {
  const std::string document =
      "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<x:worksheet xmlns:x=\"urn:x\"><!-- a comment -->"
      "<x:row r=\"12\" t = 'a&amp;b&#x41;&#66;' x:id=\"&lt;&gt;&quot;&apos;\">"
      "texto &amp; m\xC3\xA1s &#xF1;<x:c/><![CDATA[ <no es> ]] ]]>fin</x:row>"
      "<x:nombre_largo_de_un_elemento.con-guiones/></x:worksheet>";
  const std::string whole = transcript(document, document.size());
  EXPECT_EQ(whole,
            "<worksheet>\n"
            "<row r=12 t=a&bAB id=<>\"'>\n"
            "[texto & más ñ]\n"
            "<c>\n</c>\n"
            "[ <no es> ]] ]\n"
            "[fin]\n"
            "</row>\n"
            "<nombre_largo_de_un_elemento.con-guiones>\n</nombre_largo_de_un_elemento.con-guiones>\n"
            "</worksheet>\n");
  for (std::size_t piece : {1, 2, 3, 5, 7, 13}) EXPECT_EQ(transcript(document, piece), whole) << piece;
}

}  // namespace
}  // namespace vt::workbook
