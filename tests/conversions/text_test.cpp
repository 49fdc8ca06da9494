#include <gtest/gtest.h>

#include <string>

#include "platform/conversions/conversions.hpp"

using namespace vt::conv;

namespace {

struct TextCase {
  const char* in;
  const char* out;
};

TEST(Trim, SpacesOnly) {
  const TextCase cases[] = {
      {"  a b  ", "a b"}, {"\ta\t", "\ta\t"}, {"   ", ""}, {"", ""}, {"\xC2\xA0x ", "\xC2\xA0x"}};
  for (const auto& c : cases) EXPECT_EQ(Trim(c.in), c.out) << c.in;
  EXPECT_EQ(LTrim("  a  "), "a  ");
  EXPECT_EQ(RTrim("  a  "), "  a");
  EXPECT_EQ(LTrim("   "), "");
}

TEST(Upper, AsciiAndLatinLetters) {
  const TextCase cases[] = {
      {"abc xyz 123", "ABC XYZ 123"},
      {"ñ", "Ñ"},
      {"año", "AÑO"},
      {"áéíóú", "ÁÉÍÓÚ"},
      {"ü", "Ü"},
      {"çàè", "ÇÀÈ"},
      {"ÿ", "Ÿ"},
      {"ł", "Ł"},
      {"ß÷µ", "ß÷µ"},
      {"€ω", "€ω"},
      {"\xE9", "\xE9"},
  };
  for (const auto& c : cases) EXPECT_EQ(Upper(c.in), c.out) << c.in;
}

TEST(Lower, AsciiAndLatinLetters) {
  const TextCase cases[] = {{"ABC 1", "abc 1"}, {"AÑO", "año"}, {"ÁÉÍÓÚÜ", "áéíóúü"}, {"Ÿ×", "ÿ×"}};
  for (const auto& c : cases) EXPECT_EQ(Lower(c.in), c.out) << c.in;
}

TEST(SameText, IgnoresTheCaseOfAsciiAndLatinLetters) {
  const struct {
    const char *a, *b;
    bool same;
    const char* why;
  } cases[] = {
      {"Path_App", "PATH_APP", true, "ASCII letters"},
      {"Valtrone.CLSVarios", "valtrone.clsvarios", true, "identifier with a dot"},
      {"Configuración", "CONFIGURACIÓN", true, "a Latin letter as Upper gives it"},
      {"año", "ANO", false, "ñ is not n"},
      {"abc", "abcd", false, "one is a prefix of the other"},
      {"", "", true, "both empty"},
      {"a_b", "A-B", false, "only letters change case"},
      {"[", "{", false, "bytes 0x5B and 0x7B are not letters"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SameText(c.a, c.b), c.same) << c.why;
    EXPECT_EQ(SameText(c.b, c.a), c.same) << c.why << " (swapped)";
  }
}

TEST(Characters, CountCodePoints) {
  EXPECT_EQ(Len("Año"), 3);
  EXPECT_EQ(Len(""), 0);
  EXPECT_EQ(Len("€"), 1);
  EXPECT_EQ(Len("a\xE9z"), 3);  // a stray Latin-1 byte is one character
  EXPECT_EQ(Len("\xC3"), 1);    // a cut sequence too

  const struct {
    const char* text;
    long count;
    const char* left;
    const char* right;
  } cases[] = {
      {"Año 2014", 3, "Año", "014"}, {"ñandú", 2, "ña", "dú"}, {"abc", 0, "", ""},
      {"abc", 5, "abc", "abc"},      {"abc", -1, "", ""},      {"", 2, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Left(c.text, c.count), c.left) << c.text << " " << c.count;
    EXPECT_EQ(Right(c.text, c.count), c.right) << c.text << " " << c.count;
  }
  EXPECT_EQ(Mid("Año 2014", 2, 2), "ño");
  EXPECT_EQ(Mid("Año 2014", 5), "2014");
  EXPECT_EQ(Mid("abc", 0, 1), "a");
  EXPECT_EQ(Mid("abc", 9, 1), "");
  EXPECT_EQ(FirstChar("ñu"), "ñ");
  EXPECT_EQ(FirstChar(""), "");
}

}  // namespace
