// The picker's rules without a window: size texts under both regional forms, the pattern match,
// the split of the filter, the entry names listed, extensions, dates and the drop refusals.

#include "shell/core/explorador.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/conversions/conversions.hpp"

namespace ambrix {
namespace {

TEST(FormatoTamano, UnitsAndDigitsUnderBothRegionalForms) {
  struct Case {
    double bytes;
    const char* invariante;  // "," grouping, "." decimal
    const char* demo;        // "." grouping, "," decimal
    const char* why;
  };
  const Case cases[] = {
      {0, "0 b", "0 b", "an empty file"},
      {1023, "1,023 b", "1.023 b", "the last count in bytes, grouped"},
      {1024, "1.000 Kb", "1,000 Kb", "one Kb: one integer digit, three decimals"},
      {1536, "1.500 Kb", "1,500 Kb", "half a Kb more"},
      {10240, "10.00 Kb", "10,00 Kb", "two integer digits, two decimals"},
      {999.5 * 1024, "999.5 Kb", "999,5 Kb", "three integer digits, one decimal"},
      {1023.5 * 1024, "1.000 Mb", "1,000 Mb", "from 1000 Kb on the unit is Mb"},
      {999.96 * 1024, "1,000.0 Kb", "1.000,0 Kb", "rounding up to a fourth digit keeps the grouping"},
      {1024.0 * 1000, "0.977 Mb", "0,977 Mb", "1000 Kb already count in Mb"},
      {1048576, "1.000 Mb", "1,000 Mb", "one Mb"},
      {5.5 * 1073741824, "5.500 Gb", "5,500 Gb", "Gb"},
      {1099511627776.0, "1.000 Tb", "1,000 Tb", "Tb"},
      {900e12, "818.5 Tb", "818,5 Tb", "near the top of the currency range"},
      {1e15, "Overflow", "Overflow", "beyond the currency range"},
      {std::numeric_limits<double>::infinity(), "Overflow", "Overflow", "no number at all"},
      {std::nan(""), "Out of bounds", "Out of bounds", "no unit fits"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(gfFormatoTamano(c.bytes, ",", "."), c.invariante);
    EXPECT_EQ(gfFormatoTamano(c.bytes, ".", ","), c.demo);
  }
}

TEST(Like, WildcardsListsAndCase) {
  struct Case {
    const char* text;
    const char* pattern;
    bool matches;
    const char* why;
  };
  const Case cases[] = {
      {"compras.xls", "*.xls*", true, "star at the end matches nothing"},
      {"compras.xlsx", "*.xls*", true, "star at the end matches the x"},
      {"compras.xlsx.bak", "*.xls*", true, "star runs to the end"},
      {"compras.csv", "*.xls*", false, "another extension"},
      {"COMPRAS.XLS", "*.xls*", false, "Like itself is case-sensitive"},
      {"xls", "*.xls*", false, "the dot is needed"},
      {"", "*", true, "star matches the empty name"},
      {"", "?", false, "question mark needs one character"},
      {"a.b.c", "*.*.*", true, "several stars"},
      {"aab", "*ab", true, "a star that must give back a character"},
      {"abcabd", "*abd", true, "backtracking past a partial match"},
      {"mayo2013.csv", "mayo####.csv", true, "# takes digits"},
      {"mayoXX13.csv", "mayo####.csv", false, "# refuses letters"},
      {"ñu.csv", "?u.csv", true, "? takes one character, not one byte"},
      {"b1", "[abc]#", true, "a list"},
      {"d1", "[abc]#", false, "outside the list"},
      {"m", "[a-z]", true, "a range"},
      {"M", "[a-z]", false, "a range is case-sensitive"},
      {"m", "[!a-z]", false, "a negated range"},
      {"7", "[!a-z]", true, "outside a negated range"},
      {"-", "[a-]", true, "a dash at the end is itself"},
      {"*", "[*]", true, "a star inside a list is itself"},
      {"a*c", "a[*]c", true, "a literal star between letters"},
      {"abc", "a[*]c", false, "a bracketed star is no wildcard"},
      {"!", "[!]", true, "[!] is the exclamation mark"},
      {"ab", "a[]b", true, "[] stands for no character"},
      {"a", "[a", false, "an unclosed list matches nothing"},
      {"m", "[z-a]", false, "a range running backwards matches nothing"},
      {"a]", "a]", true, "a closing bracket outside a list is itself"},
  };
  for (const Case& c : cases) EXPECT_EQ(gfLike(c.text, c.pattern), c.matches) << c.why;
}

TEST(PatronesFiltro, SplitAtSemicolonsTrimmedBlanksDropped) {
  using V = std::vector<std::string>;
  EXPECT_EQ(gfPatronesFiltro("*.xls*"), V{"*.xls*"});
  EXPECT_EQ(gfPatronesFiltro("*"), V{"*"});
  EXPECT_EQ(gfPatronesFiltro("*.XLS;*.csv"), (V{"*.XLS", "*.csv"}));
  EXPECT_EQ(gfPatronesFiltro(" *.xls ;; *.csv;"), (V{"*.xls", "*.csv"}));
  EXPECT_EQ(gfPatronesFiltro(""), V{});
  EXPECT_EQ(gfPatronesFiltro(" ; "), V{});
}

TEST(NombreVisible, DotNamesNeverAndPatternsWithoutRegardToCase) {
  const std::vector<std::string> excel = {"*.xls*"};
  const std::vector<std::string> varios = {"*.csv", "*.xls*"};
  struct Case {
    const char* nombre;
    const std::vector<std::string>& patrones;
    bool visible;
    const char* why;
  };
  const std::vector<std::string> todo = {"*"};
  const std::vector<std::string> ninguno;
  const Case cases[] = {
      {"B.XLS", excel, true, "an upper-case workbook from Windows"},
      {"a.Xlsx", excel, true, "mixed case"},
      {"a.csv", excel, false, "another type"},
      {"a.csv", varios, true, "the first of several patterns"},
      {"b.xls", varios, true, "the second of several patterns"},
      {".oculto.xls", excel, false, "a dot-name"},
      {".", todo, false, "the folder itself"},
      {"..", todo, false, "the parent"},
      {"Salida", todo, true, "folder mode lists every name"},
      {"", todo, false, "no name"},
      {"a.xls", ninguno, false, "no pattern lists nothing"},
      {"ÑANDÚ.XLS", {excel}, true, "accented names upper-cased alike"},
  };
  for (const Case& c : cases) EXPECT_EQ(gfNombreVisible(c.nombre, c.patrones), c.visible) << c.why;
}

TEST(ExtensionArchivo, TextAfterTheLastDotLowerCased) {
  EXPECT_EQ(gfExtensionArchivo("Compras.XLSX"), "xlsx");
  EXPECT_EQ(gfExtensionArchivo("a.tar.GZ"), "gz");
  EXPECT_EQ(gfExtensionArchivo("LEAME"), "");
  EXPECT_EQ(gfExtensionArchivo("raro."), "");
}

TEST(FechaModificado, LocalTimeAndTheZeroTime) {
  using vt::conv::DateTime;
  struct Case {
    std::int64_t utc;
    std::int64_t desfase;
    DateTime esperado;
    const char* why;
  };
  const Case cases[] = {
      {0, 0, {{1980, 1, 1}, 3, 0, 0}, "no time shows as 1 January 1980, 03:00"},
      {0, -5 * 3600, {{1980, 1, 1}, 3, 0, 0}, "whatever the offset"},
      {1368000000, 0, {{2013, 5, 8}, 8, 0, 0}, "a time in May 2013"},
      {1368000000, -5 * 3600, {{2013, 5, 8}, 3, 0, 0}, "the same time in Ecuador"},
      {1367384400, -5 * 3600, {{2013, 5, 1}, 0, 0, 0}, "midnight local is already the new day"},
      {1367384399, -5 * 3600, {{2013, 4, 30}, 23, 59, 59}, "a second before"},
      {951782400, 0, {{2000, 2, 29}, 0, 0, 0}, "a leap day"},
      {-86400, 0, {{1969, 12, 31}, 0, 0, 0}, "a time before 1970"},
  };
  for (const Case& c : cases) EXPECT_EQ(gfFechaModificado(c.utc, c.desfase), c.esperado) << c.why;
}

TEST(FechaCorta, RegionalShortDate) {
  // Noon UTC is the same day under every offset of 11 hours or less.
  EXPECT_EQ(gfFechaCorta(1368014400, "dd/MM/yyyy"), "08/05/2013");
  EXPECT_EQ(gfFechaCorta(1368014400, "yyyy-MM-dd"), "2013-05-08");
  EXPECT_EQ(gfFechaCorta(0, "dd/MM/yyyy"), "01/01/1980");
}

TEST(RechazoSoltar, SelfParentSubfolderThenKeyedNodes) {
  struct Case {
    const char* origen;
    bool origenConClave;
    const char* destino;
    bool destinoConClave;
    const char* mensaje;  // nullptr: the drop may go on
    const char* why;
  };
  const Case cases[] = {
      {"/d/a", false, "/d/a", false, kSoltarSobreSiMisma, "onto itself"},
      {"/d/a", false, "/d", false, kSoltarSobrePadre, "onto its parent"},
      {"/d", false, "/", true, kSoltarSobrePadre, "onto its parent volume"},
      {"/d/a", false, "/d/a/b/c", false, kSoltarSobreSubcarpeta, "onto a folder below it"},
      {"/d/a", false, "/d/ab", false, nullptr, "a sibling sharing the start of its name"},
      {"/d/a", false, "/e", false, nullptr, "another folder"},
      {"/d/a", false, "/home/u/Escritorio", true, nullptr, "onto a place"},
      {"/d/a", true, "/e", true, kSoltarArchivoSobreArchivo, "both keyed"},
      {"/d/a", true, "/d/a", true, kSoltarSobreSiMisma, "itself comes first"},
  };
  for (const Case& c : cases) {
    const std::optional<std::string> r =
        gfRechazoSoltar(c.origen, c.origenConClave, c.destino, c.destinoConClave);
    if (c.mensaje)
      EXPECT_EQ(r, std::optional<std::string>(c.mensaje)) << c.why;
    else
      EXPECT_FALSE(r) << c.why;
  }
}

}  // namespace
}  // namespace ambrix
