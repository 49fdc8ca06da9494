#include "platform/profile/perfil.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <stdlib.h>

#include "platform/profile/system_info.hpp"
#include "tests/support/scoped_env.hpp"
#include "tests/support/temp_folder.hpp"

namespace {

TEST(GfLeeIni, DefaultsAndSize) {
  vt::testing::TempFolder tmp;
  const std::string file = tmp.write("a.ini", "[PATH]\nPath_App=/x/\nVacio=\n");
  long size = 0;
  EXPECT_EQ(vt::gfLeeIni("  " + file + "  ", " PATH ", " Path_App ", "0", size), "/x/");
  EXPECT_EQ(size, 255) << "a size below 1 becomes 255 for the caller";
  size = 10;
  EXPECT_EQ(vt::gfLeeIni(file, "PATH", "Vacio", "d", size), "") << "present but empty";
  EXPECT_EQ(size, 10);
  EXPECT_EQ(vt::gfLeeIni(file, "PATH", "Falta", "  d  "), "d") << "default trimmed";
  EXPECT_EQ(vt::gfLeeIni(tmp.file("no.ini"), "PATH", "Path_App", "0"), "0");
}

TEST(GsEscribeIni, WritesAndIgnoresFailures) {
  vt::testing::TempFolder tmp;
  const std::string file = tmp.write("TAXCONFIG.INI", "[PATH]\r\nPath_App=/x/\r\n");
  EXPECT_TRUE(vt::gsEscribeIni("PATH_Files", "ATS", "AT122013.XML", file));
  EXPECT_EQ(vt::gfLeeIni(file, "PATH_Files", "ATS", ""), "AT122013.XML");
  bool escrito = true;
  EXPECT_NO_THROW(escrito = vt::gsEscribeIni("PATH_Files", "ATS", "x", tmp.file("falta/TAXCONFIG.INI")));
  EXPECT_FALSE(escrito);
  EXPECT_FALSE(vt::gsEscribeIni("PATH_Files", "ATS", "dos\r\nlineas", file));
  EXPECT_EQ(vt::gfLeeIni(file, "PATH_Files", "ATS", ""), "AT122013.XML");
}

TEST(GfExisteArchivo, OnlyPlainPathsOfFiles) {
  vt::testing::TempFolder tmp;
  const std::string file = tmp.write("TAXCONFIG.INI", "");
  const std::string fifo = tmp.file("hoja.csv");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string path;
    bool exists;
  } cases[] = {
      {file, true},
      {fifo, false},  // reading it would wait for a writer for ever
      {"/dev/null", false},
      {"  " + file + " ", true},
      {tmp.path(), false},
      {tmp.file("falta.ini"), false},
      {tmp.file("*.INI"), false},
      {tmp.file("TAXCONFIG.IN?"), false},
      {"", false},
      {"   ", false},
  };
  for (const auto& c : cases) EXPECT_EQ(vt::gfExisteArchivo(c.path), c.exists) << "[" << c.path << "]";
}

TEST(RegionalProfilePath, EnvironmentThenXdgThenHome) {
  const vt::testing::ScopedEnv winIni("AMBRIX_WIN_INI", "/pinned/win.ini"), xdg("XDG_CONFIG_HOME", "/xdg"),
      home("HOME", "/home/contador");
  EXPECT_EQ(vt::regionalProfilePath(), "/pinned/win.ini");
  ::unsetenv("AMBRIX_WIN_INI");
  EXPECT_EQ(vt::regionalProfilePath(), "/xdg/ambrix/win.ini");
  ::setenv("XDG_CONFIG_HOME", "relativo", 1);
  EXPECT_EQ(vt::regionalProfilePath(), "/home/contador/.config/ambrix/win.ini");
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(vt::regionalProfilePath(), "/home/contador/.config/ambrix/win.ini");
}

TEST(Folders, JoinAndOverride) {
  EXPECT_EQ(vt::joinPath("/a", "TAXCONFIG.INI"), "/a/TAXCONFIG.INI");
  EXPECT_EQ(vt::joinPath("/a/", "TAXCONFIG.INI"), "/a/TAXCONFIG.INI");
  EXPECT_EQ(vt::joinPath("", "TAXCONFIG.INI"), "TAXCONFIG.INI");
  EXPECT_EQ(vt::withoutTrailingSlash("/a//"), "/a");
  EXPECT_EQ(vt::withoutTrailingSlash("/"), "/");

  const vt::testing::ScopedEnv configDir("VT_TEST_CONFIG_DIR", "/override/");
  EXPECT_EQ(vt::configFolder("VT_TEST_CONFIG_DIR", "/own"), "/override");
  ::setenv("VT_TEST_CONFIG_DIR", "", 1);
  EXPECT_EQ(vt::configFolder("VT_TEST_CONFIG_DIR", "/own/"), "/own");
}

TEST(Folders, ExecutableAndLibraryFolders) {
  const std::string exe = vt::executableFolder();
  EXPECT_EQ(exe, std::string(VT_BINARY_DIR) + "/bin");
  // A function of the profile library lies in build/lib.
  EXPECT_EQ(vt::folderOfAddress(reinterpret_cast<const void*>(&vt::joinPath)),
            std::string(VT_BINARY_DIR) + "/lib");
}

TEST(Station, ShortUpperCasedAtMostTwentyCharacters) {
  const struct {
    const char* host;
    const char* station;
  } cases[] = {
      {"contab-pc15chars", "CONTAB-PC15CHARS"},
      {"oficina.quito.example.com", "OFICINA"},
      {"a1b2c3d4e5f6a7b8c9d0e1f2a3b4c5d6", "A1B2C3D4E5F6A7B8C9D0"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(vt::stationFromHostName(c.host), c.station) << c.host;
}

}  // namespace
