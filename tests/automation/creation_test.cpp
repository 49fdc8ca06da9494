#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "platform/automation/automation.hpp"
#include "sample_types.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/scoped_env.hpp"
#include "tests/support/temp_folder.hpp"

namespace {

using namespace vt::automation;
using vt::testing::quoted;
using vt::testing::ScopedEnv;
using vt::testing::TempFolder;
namespace fs = std::filesystem;

const fs::path kSample = VT_SAMPLE_LIBRARY;

// Runs valtrone-regsvr from `folder` against the registry `file`; returns its exit status.
int regsvr(const fs::path& folder, const fs::path& file, const std::string& arguments) {
  return vt::testing::runCommand(quoted(VT_REGSVR) + " " + arguments,
                                 {.folder = folder, .environment = {{"VALTRONE_REGISTRY", file.string()}}})
      .status;
}

class CreationTest : public ::testing::Test {
 protected:
  TempFolder dir;
  fs::path file = dir.path() / "automation.reg";
  ScopedEnv registry{"VALTRONE_REGISTRY", file.string()};

  long creationError(std::string_view progId, std::string* description = nullptr) {
    try {
      createObject(progId);
    } catch (const vt::Error& e) {
      if (description) *description = e.description();
      return e.number();
    }
    return 0;
  }
};

TEST_F(CreationTest, RegisteringWritesEveryClassWithTheAbsoluteLibraryPath) {
  // a relative name, from the library's own folder
  ASSERT_EQ(regsvr(kSample.parent_path(), file, kSample.filename().string()), 0);
  const Registry registry = Registry::load(file);
  ASSERT_EQ(registry.entries().size(), 2u);
  for (const char* progId : {"VtPrueba.Contador", "VtPrueba.Eco"}) {
    SCOPED_TRACE(progId);
    const auto e = registry.find(progId);
    ASSERT_TRUE(e);
    EXPECT_TRUE(e->library.is_absolute());
    EXPECT_TRUE(fs::equivalent(e->library, kSample));
    EXPECT_EQ(e->threading, "Apartment");
    EXPECT_EQ(e->typeLibrary, "VtPrueba");
    EXPECT_EQ(e->helpText, "Clases de prueba");
  }
  EXPECT_EQ(registry.find("VtPrueba.Contador")->interfaceName, "_Contador");
  EXPECT_EQ(registry.find("VtPrueba.Contador")->clsid, "{7D3A1C2E-0001-4B1A-9E55-000000000001}");
}

TEST_F(CreationTest, CreatesByIdentifierFromAnotherWorkingDirectory) {
  ASSERT_EQ(regsvr(kSample.parent_path(), file, kSample.filename().string()), 0);
  const fs::path previous = fs::current_path();
  fs::current_path(dir.path());
  std::shared_ptr<Object> counter;
  EXPECT_NO_THROW(counter = createObject("vtprueba.CONTADOR"));
  fs::current_path(previous);
  ASSERT_TRUE(counter);

  Variant amount(int32_t{5});
  EXPECT_EQ(counter->call("Sumar", amount).toI4(), 5);
  EXPECT_EQ(amount.toI4(), 0);
  EXPECT_EQ(counter->get("nValor").toI4(), 5);
  EXPECT_EQ(createObject("VtPrueba.Eco")->call("Repetir", "ab").toString(), "abab");
}

TEST_F(CreationTest, HandlesCrossIntoTheLibraryAsTheSameType) {
  ASSERT_EQ(regsvr(kSample.parent_path(), file, kSample.filename().string()), 0);
  auto eco = createObject("VtPrueba.Eco");
  auto enlace = std::make_shared<vt_sample::Enlace>(vt_sample::Enlace{"principal"});
  eco->set("db_Enlace", Variant::fromObject(enlace));
  EXPECT_EQ(eco->call("NombreEnlace").toString(), "principal");
  EXPECT_EQ(eco->get("db_Enlace").objectAs<vt_sample::Enlace>(), enlace);
}

TEST_F(CreationTest, FactoryRunsTheStartRoutineOncePerThread) {
  ASSERT_EQ(regsvr(kSample.parent_path(), file, kSample.filename().string()), 0);
  createObject("VtPrueba.Eco");
  EXPECT_EQ(createObject("VtPrueba.Contador")->call("Arranques").toI4(), 1);
  int32_t other = 0;
  std::thread([&] { other = createObject("VtPrueba.Contador")->call("Arranques").toI4(); }).join();
  EXPECT_EQ(other, 1);
}

TEST_F(CreationTest, LibraryCanUnloadOnlyWithoutLiveObjects) {
  ASSERT_EQ(regsvr(kSample.parent_path(), file, kSample.filename().string()), 0);
  const ServerLibrary& library = loadServerLibrary(kSample);
  auto object = createObject("VtPrueba.Eco");
  EXPECT_EQ(library.canUnloadNow(), 0);
  object.reset();
  EXPECT_EQ(library.canUnloadNow(), 1);
}

TEST_F(CreationTest, UnknownIdentifierOrUnusableLibraryRaisesCannotCreate) {
  const fs::path missing = dir.path() / "libnoexiste.so";
  const fs::path broken = dir.path() / "librota.so";
  std::ofstream(broken) << "esto no es una biblioteca";
  Registry registry = Registry::load(file);
  for (const auto& [progId, library] :
       {std::pair{"Falta.Clase", missing}, std::pair{"Rota.Clase", broken},
        std::pair{"Ajena.Clase", fs::path(VT_ERRORS_LIBRARY)}, std::pair{"VtPrueba.NoServida", kSample}}) {
    RegistryEntry e;
    e.progId = progId;
    e.library = library;
    registry.put(e);
  }
  registry.save();

  const struct {
    const char* progId;
    std::string detail;
  } cases[] = {
      {"Nada.Registrado", "Nada.Registrado no está registrado en " + file.string()},
      {"Falta.Clase", "no existe la biblioteca " + missing.string()},
      {"Rota.Clase", "no se pudo cargar la biblioteca " + broken.string()},
      {"Ajena.Clase", "no es una biblioteca de clases (falta vt_abi_version)"},
      {"VtPrueba.NoServida", "no ofrece la clase VtPrueba.NoServida"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.progId);
    std::string description;
    EXPECT_EQ(creationError(c.progId, &description), kErrCannotCreate);
    EXPECT_EQ(description.rfind("El componente ActiveX no puede crear el objeto: ", 0), 0u) << description;
    EXPECT_NE(description.find(c.detail), std::string::npos) << description;
  }
}

TEST_F(CreationTest, UnregisteringRemovesOnlyThatLibrarysEntries) {
  RegistryEntry other;
  other.progId = "Otra.Clase";
  other.library = "/opt/otra/libotra.so";
  Registry registry = Registry::load(file);
  registry.put(other);
  registry.save();

  ASSERT_EQ(regsvr(kSample.parent_path(), file, kSample.string()), 0);
  EXPECT_EQ(Registry::load(file).entries().size(), 3u);
  ASSERT_EQ(regsvr(dir.path(), file, "-u " + quoted(kSample)), 0);

  const Registry after = Registry::load(file);
  ASSERT_EQ(after.entries().size(), 1u);
  EXPECT_EQ(after.entries()[0].progId, "Otra.Clase");
  EXPECT_EQ(creationError("VtPrueba.Contador"), kErrCannotCreate);
}

TEST_F(CreationTest, RegistrationToolRefusesBadUse) {
  const fs::path text = dir.path() / "texto.so";
  std::ofstream(text) << "x";
  const struct {
    std::string arguments;
  } cases[] = {{""},
               {"-x " + quoted(kSample)},
               {quoted(dir.path() / "libnoexiste.so")},
               {quoted(text)},
               {quoted(VT_ERRORS_LIBRARY)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    EXPECT_EQ(regsvr(dir.path(), file, c.arguments), 1);
  }
  EXPECT_TRUE(Registry::load(file).entries().empty());
}

}  // namespace
