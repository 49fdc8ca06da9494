#include <gtest/gtest.h>

#include <fstream>

#include "platform/automation/automation.hpp"
#include "tests/support/scoped_env.hpp"
#include "tests/support/temp_folder.hpp"

namespace {

using namespace vt::automation;
using vt::testing::ScopedEnv;
using vt::testing::TempFolder;
namespace fs = std::filesystem;

RegistryEntry entry(std::string progId, fs::path library) {
  RegistryEntry e;
  e.className = progId.substr(progId.find('.') + 1);
  e.interfaceName = "_" + e.className;
  e.progId = std::move(progId);
  e.library = std::move(library);
  return e;
}

TEST(RegistryTest, SavesAndLoadsEntries) {
  TempFolder dir;
  const fs::path file = dir.path() / "sub" / "automation.reg";
  Registry registry = Registry::load(file);  // not there yet: empty
  EXPECT_TRUE(registry.entries().empty());
  RegistryEntry full = entry("Lib.Uno", "/opt/lib/libuno.so");
  full.clsid = "{1}";
  full.typeLibrary = "Lib";
  full.helpText = "Ayuda con = y ; dentro";
  registry.put(full);
  registry.put(entry("Lib.Dos", "/opt/lib/libuno.so"));
  registry.save();

  const Registry again = Registry::load(file);
  ASSERT_EQ(again.entries().size(), 2u);
  const auto found = again.find("lib.UNO");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->progId, "Lib.Uno");
  EXPECT_EQ(found->className, "Uno");
  EXPECT_EQ(found->interfaceName, "_Uno");
  EXPECT_EQ(found->library, "/opt/lib/libuno.so");
  EXPECT_EQ(found->threading, "Apartment");
  EXPECT_EQ(found->clsid, "{1}");
  EXPECT_EQ(found->typeLibrary, "Lib");
  EXPECT_EQ(found->helpText, "Ayuda con = y ; dentro");
  EXPECT_FALSE(again.find("Lib.Tres"));
}

TEST(RegistryTest, ReadsHandWrittenFilesAndSkipsWhatItDoesNotUnderstand) {
  TempFolder dir;
  const fs::path file = dir.path() / "automation.reg";
  std::ofstream(file) << "; comentario\r\n"
                         "suelto=sin seccion\r\n"
                         "[ Lib.Uno ]\r\n"
                         "  library = /opt/libuno.so \r\n"
                         "linea sin igual\r\n"
                         "Desconocida=1\r\n"
                         "[Lib.Dos]\n";
  const Registry registry = Registry::load(file);
  ASSERT_EQ(registry.entries().size(), 2u);
  EXPECT_EQ(registry.find("Lib.Uno")->library, "/opt/libuno.so");
  EXPECT_TRUE(registry.find("Lib.Dos")->library.empty());
}

TEST(RegistryTest, PutReplacesAndRemoveLibraryKeepsOtherLibraries) {
  Registry registry;
  registry.put(entry("A.Uno", "/lib/a.so"));
  registry.put(entry("B.Uno", "/lib/b.so"));
  registry.put(entry("a.uno", "/lib/../lib/a.so"));
  registry.put(entry("A.Dos", "/lib/a.so"));
  ASSERT_EQ(registry.entries().size(), 3u);
  EXPECT_EQ(registry.removeLibrary("/lib/a.so"), 2u);
  ASSERT_EQ(registry.entries().size(), 1u);
  EXPECT_EQ(registry.entries()[0].progId, "B.Uno");
}

TEST(RegistryTest, RefusesFieldsThatWouldBreakTheFile) {
  Registry registry;
  try {
    registry.put(entry("A.Uno", "/lib/a\n[Otro]\nLibrary=/tmp/x.so"));
    FAIL() << "no error raised";
  } catch (const vt::Error& e) {
    EXPECT_EQ(e.number(), kErrInvalidCall);
  }
  EXPECT_TRUE(registry.entries().empty());
}

TEST(RegistryTest, FileLocation) {
  TempFolder dir;
  const std::string home = (dir.path() / "home").string();
  const std::string xdg = (dir.path() / "xdg").string();
  const fs::path system = "/etc/ambrix/automation.reg";
  const bool systemExists = fs::exists(system);
  const struct {
    std::optional<std::string> registry, xdg, home;
    fs::path lookup, writable;
  } cases[] = {
      {"/tmp/r.reg", xdg, home, "/tmp/r.reg", "/tmp/r.reg"},
      {std::nullopt, xdg, home, fs::path(xdg) / "ambrix/automation.reg",
       fs::path(xdg) / "ambrix/automation.reg"},
      {"", "", home, fs::path(home) / ".config/ambrix/automation.reg",
       fs::path(home) / ".config/ambrix/automation.reg"},
      {std::nullopt, std::nullopt, std::nullopt, system, ""},
  };
  for (const auto& c : cases) {
    ScopedEnv r("VALTRONE_REGISTRY", c.registry), x("XDG_CONFIG_HOME", c.xdg), h("HOME", c.home);
    SCOPED_TRACE(c.lookup.string());
    if (!systemExists || c.lookup == system || (c.registry && !c.registry->empty())) {
      EXPECT_EQ(Registry::path(), c.lookup);
    }
    EXPECT_EQ(Registry::writablePath(), c.writable);
  }
}

TEST(RegistryTest, UserFileIsPreferredOnceItExists) {
  TempFolder dir;
  ScopedEnv r("VALTRONE_REGISTRY", std::nullopt), x("XDG_CONFIG_HOME", dir.path().string());
  const fs::path user = dir.path() / "ambrix" / "automation.reg";
  Registry::update(user, [](Registry& registry) { registry.put(entry("A.Uno", "/lib/a.so")); });
  EXPECT_EQ(Registry::path(), user);
  EXPECT_TRUE(Registry::load(user).find("A.Uno"));
}

}  // namespace
