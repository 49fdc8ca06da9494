#include "platform/profile/ini_file.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "tests/support/temp_folder.hpp"

namespace {

using vt::profile::readValue;
using vt::profile::withValue;

struct ReadCase {
  const char* name;
  std::string content;
  const char* section;
  const char* key;
  std::optional<std::string> value;
};

TEST(IniRead, ProfileSemantics) {
  const std::string longValue(300, 'x');
  const ReadCase cases[] = {
      {"plain", "[PATH]\nPath_App=/opt/app/\n", "PATH", "Path_App", "/opt/app/"},
      {"names case-insensitive", "[path]\npath_app=/a\n", "PATH", "PATH_APP", "/a"},
      {"latin names case-insensitive", "[Configuración]\nAño=2013\n", "CONFIGURACIÓN", "AÑO", "2013"},
      {"blanks around names and value", "  [ PATH ]  \n  Path_App  =   /a b  \n", "PATH", "Path_App", "/a b"},
      {"tabs around value", "[S]\nk=\t v \t\n", "S", "k", "v"},
      {"double quotes removed", "[S]\nk=\" spaced \"\n", "S", "k", " spaced "},
      {"single quotes removed", "[S]\nk='x'\n", "S", "k", "x"},
      {"only one pair removed", "[S]\nk=\"\"x\"\"\n", "S", "k", "\"x\""},
      {"unmatched quote kept", "[S]\nk=\"x\n", "S", "k", "\"x"},
      {"value after the first =", "[S]\nk=a=b\n", "S", "k", "a=b"},
      {"no inline comments", "[S]\nk=a ; b\n", "S", "k", "a ; b"},
      {"comment line is no key", "[S]\n;k=1\nk=2\n", "S", "k", "2"},
      {"indented comment", "[S]\n   ;k=1\n", "S", "k", std::nullopt},
      {"CRLF", "[S]\r\nk=v\r\nj=w\r\n", "S", "k", "v"},
      {"CRLF last key", "[S]\r\nk=v\r\nj=w\r\n", "S", "j", "w"},
      {"no final line end", "[S]\nk=v", "S", "k", "v"},
      {"duplicate key: first wins", "[S]\nk=1\nk=2\n", "S", "k", "1"},
      {"duplicate section: first wins", "[S]\nk=1\n[S]\nk=2\n", "S", "k", "1"},
      {"key only in a later duplicate section is not read", "[S]\na=1\n[T]\nk=0\n[s]\nk=2\n", "S", "k",
       std::nullopt},
      {"a later duplicate section after the first's keys", "[S]\na=1\n[S]\na=2\nk=3\n", "S", "k",
       std::nullopt},
      {"empty value", "[S]\nk=\n", "S", "k", ""},
      {"missing key", "[S]\nj=1\n", "S", "k", std::nullopt},
      {"key of another section", "[S]\nj=1\n[T]\nk=1\n", "S", "k", std::nullopt},
      {"key before any section", "k=1\n[S]\n", "S", "k", std::nullopt},
      {"missing section", "[T]\nk=1\n", "S", "k", std::nullopt},
      {"byte-order mark", "\xEF\xBB\xBF[S]\nk=1\n", "S", "k", "1"},
      {"long value returned whole", "[S]\nk=" + longValue + "\n", "S", "k", longValue},
      {"latin-1 bytes passed through", "[S]\nk=A\xF1o\n", "S", "k", "A\xF1o"},
      {"line without =", "[S]\nk\nk=2\n", "S", "k", "2"},
      {"empty file", "", "S", "k", std::nullopt},
  };
  for (const ReadCase& c : cases) {
    EXPECT_EQ(readValue(c.content, c.section, c.key), c.value) << c.name;
  }
}

struct WriteCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

TEST(IniWrite, ChangesOneLineAndKeepsEveryOtherByte) {
  const WriteCase cases[] = {
      {"replace in place, CRLF kept", "; c\r\n[S]\r\nk=1\r\nj=2\r\n", "S", "k", "9",
       "; c\r\n[S]\r\nk=9\r\nj=2\r\n"},
      {"replace keeps key spelling and spacing", "[S]\n  KEY =  old\n", "s", "key", "new",
       "[S]\n  KEY =  new\n"},
      {"replace first of duplicates", "[S]\nk=1\nk=2\n", "S", "k", "3", "[S]\nk=3\nk=2\n"},
      {"add after the section's last key", "[S]\nk=1\n\n; next\n[T]\nx=1\n", "S", "j", "2",
       "[S]\nk=1\nj=2\n\n; next\n[T]\nx=1\n"},
      {"add to an empty section", "[S]\r\n[T]\r\n", "S", "j", "2", "[S]\r\nj=2\r\n[T]\r\n"},
      {"add at the end without a final line end", "[S]\nk=1", "S", "j", "2", "[S]\nk=1\nj=2\n"},
      {"append a section", "[S]\r\nk=1\r\n", "PATH_Files", "ATS", "AT052013.XML",
       "[S]\r\nk=1\r\n[PATH_Files]\r\nATS=AT052013.XML\r\n"},
      {"append after a last line without line end", "[S]\nk=1", "T", "j", "2", "[S]\nk=1\n[T]\nj=2\n"},
      {"empty file gets CRLF", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
      {"a last line ending in a lone CR keeps it", "[S]\nk=1\r", "S", "j", "2", "[S]\nk=1\r\r\nj=2\n"},
      {"the same when a section is appended", "[S]\nk=1\r", "T", "j", "2", "[S]\nk=1\r\r\n[T]\nj=2\n"},
      {"empty value", "[S]\nk=1\n", "S", "k", "", "[S]\nk=\n"},
      {"key only in a later duplicate section: added to the first", "[S]\na=1\n[T]\n[S]\nk=1\n", "S",
       "k", "2", "[S]\na=1\nk=2\n[T]\n[S]\nk=1\n"},
      {"an empty first section takes the key", "[S]\n[S]\nk=1\n", "S", "k", "2", "[S]\nk=2\n[S]\nk=1\n"},
  };
  for (const WriteCase& c : cases) {
    const std::optional<std::string> after = withValue(c.before, c.section, c.key, c.value);
    EXPECT_EQ(after, c.after) << c.name;
    // Every other key reads back as it did.
    if (after && std::string_view(c.key) != "k") {
      EXPECT_EQ(readValue(*after, "S", "k"), readValue(c.before, "S", "k")) << c.name;
    }
  }
}

TEST(IniWrite, RefusesWhatCannotStayOnOneLine) {
  const struct {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"S", "k", "a\r\n[X]"}, {"S", "k", "a\nb"}, {"S\n", "k", "v"}, {"S]", "k", "v"},
      {"S", "k=x", "v"},      {"S", "", "v"},     {"", "k", "v"},    {"S", ";k", "v"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(withValue("[S]\nk=1\n", c.section, c.key, c.value), std::nullopt)
        << c.section << "/" << c.key << "/" << c.value;
  }
}

const std::string kTaxConfig =
    "; Configuracion del sistema\r\n"
    "[PATH]\r\n"
    "Path_App=/opt/ambrix/\r\n"
    "; carpeta de la base\r\n"
    "Path_db=/srv/db/\r\n"
    "\r\n"
    "[DATABASE]\r\n"
    "dbTypeServer=Access\r\n";

TEST(IniFile, WritingTheXmlNameChangesExactlyOneLine) {
  vt::testing::TempFolder tmp;
  const std::string path = tmp.write("TAXCONFIG.INI", kTaxConfig);

  ASSERT_TRUE(vt::profile::writeFileValue(path, "PATH_Files", "ATS", "AT052013.XML"));
  const std::string once = kTaxConfig + "[PATH_Files]\r\nATS=AT052013.XML\r\n";
  EXPECT_EQ(tmp.read("TAXCONFIG.INI"), once);

  ASSERT_TRUE(vt::profile::writeFileValue(path, "PATH_Files", "ATS", "AT062013.XML"));
  EXPECT_EQ(tmp.read("TAXCONFIG.INI"), kTaxConfig + "[PATH_Files]\r\nATS=AT062013.XML\r\n");

  ASSERT_TRUE(vt::profile::writeFileValue(path, "path", "Path_db", "/srv/otra/"));
  std::string expected = kTaxConfig + "[PATH_Files]\r\nATS=AT062013.XML\r\n";
  expected.replace(expected.find("/srv/db/"), 8, "/srv/otra/");
  EXPECT_EQ(tmp.read("TAXCONFIG.INI"), expected);
  EXPECT_EQ(vt::profile::readFileValue(path, "PATH_FILES", "ats"), "AT062013.XML");
}

TEST(IniFile, CreatesAMissingFileButNotAMissingFolder) {
  vt::testing::TempFolder tmp;
  EXPECT_TRUE(vt::profile::writeFileValue(tmp.file("nuevo.ini"), "S", "k", "v"));
  EXPECT_EQ(tmp.read("nuevo.ini"), "[S]\r\nk=v\r\n");
  EXPECT_FALSE(vt::profile::writeFileValue(tmp.file("no/existe.ini"), "S", "k", "v"));
}

TEST(IniFile, KeepsPermissionsAndWritesThroughALink) {
  vt::testing::TempFolder tmp;
  const std::string real = tmp.write("real.ini", "[S]\nk=1\n");
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  const std::string link = tmp.file("enlace.ini");
  ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);

  ASSERT_TRUE(vt::profile::writeFileValue(link, "S", "k", "2"));
  struct stat st {};
  ASSERT_EQ(::lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(tmp.read("real.ini"), "[S]\nk=2\n");
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(IniFile, MissingFileReadsNothing) {
  vt::testing::TempFolder tmp;
  EXPECT_EQ(vt::profile::readFileValue(tmp.file("no.ini"), "S", "k"), std::nullopt);
  EXPECT_EQ(vt::profile::readFileValue(tmp.path(), "S", "k"), std::nullopt);
}

}  // namespace
