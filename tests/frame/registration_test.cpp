// Registering the library's own classes: what the class registry holds afterwards.

#include <gtest/gtest.h>

#include <set>

#include "frame_test_support.hpp"
#include "platform/automation/loader.hpp"
#include "platform/automation/registry.hpp"

namespace {

namespace fs = std::filesystem;
using vt::automation::Registry;
using vt::automation::RegistryEntry;

TEST(Registration, WritesTheSevenClassesAndRemovesOnlyThem) {
  const vt::testing::TempFolder folder("frame-registration");
  const fs::path registry = folder.path() / "automation.reg";
  Registry::update(registry, [](Registry& r) {
    RegistryEntry other;
    other.progId = "Otra.Clase";
    other.className = "Clase";
    other.library = "/opt/otra/libotra.so";
    r.put(other);
  });
  const auto& library = vt::automation::loadServerLibrary(VT_VALTRONE_LIBRARY);
  ASSERT_EQ(library.registerServer(registry.c_str()), 0) << vt::automation::lastServerError();

  const Registry written = Registry::load(registry);
  EXPECT_EQ(written.entries().size(), 8u);
  std::set<std::string> clsids;
  for (const char* name : {"CLSProveedores", "CLSEstablecimientos", "CLSDctosAutorizados", "CLSImprentas",
                           "CLSDctosEmpresas", "CLSValidarInformacion", "CLSVarios"}) {
    SCOPED_TRACE(name);
    const auto entry = written.find(std::string("Valtrone.") + name);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->className, name);
    EXPECT_EQ(entry->interfaceName, std::string("_") + name);
    EXPECT_TRUE(entry->library.is_absolute());
    EXPECT_TRUE(fs::equivalent(entry->library, VT_VALTRONE_LIBRARY));
    EXPECT_EQ(entry->threading, "Apartment");
    EXPECT_EQ(entry->typeLibrary, "Valtrone");
    EXPECT_EQ(entry->helpText, "Orsinel Vandrel - Anexos SRI");
    clsids.insert(entry->clsid);
  }
  EXPECT_EQ(clsids.size(), 7u) << "each class has an identifier of its own";
  EXPECT_EQ(clsids.count(""), 0u);

  ASSERT_EQ(library.unregisterServer(registry.c_str()), 0) << vt::automation::lastServerError();
  const Registry left = Registry::load(registry);
  ASSERT_EQ(left.entries().size(), 1u);
  EXPECT_EQ(left.entries()[0].progId, "Otra.Clase");
}

}  // namespace
