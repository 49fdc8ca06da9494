// valtrone-call as scripts use it, and its argument forms and output lines.

#include <gtest/gtest.h>

#include <sstream>

#include "apps/valtrone-call/call_arguments.hpp"
#include "apps/valtrone-call/call_output.hpp"
#include "frame_test_support.hpp"
#include "platform/automation/object.hpp"
#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/temp_folder.hpp"

namespace {

namespace fs = std::filesystem;
using vt::automation::Variant;
using vt::automation::VarType;

using vt::testing::ProgramRun;
using vt::testing::quoted;
using vt::testing::runCommand;

class ValtroneCall : public ::testing::Test {
 protected:
  void SetUp() override {
    frame_test::pinEnvironment();
    vt::testing::writeFile(config / "TAXCONFIG.INI", "[DATABASE]\r\ndbTypeServer=MYSQL\r\n");
  }
  ProgramRun call(const std::string& arguments) {
    return runCommand(quoted(VT_VALTRONE_CALL) + " " + arguments,
                      {.environment = {{"VALTRONE_CONFIG_DIR", config.string()}}});
  }
  vt::testing::TempFolder temp_{"frame-call"};
  const fs::path& config = temp_.path();
};

TEST_F(ValtroneCall, CasesOfTheCommandLine) {
  struct Case {
    const char* arguments;
    const char* out;
    int status;
  };
  const Case cases[] = {
      {"Valtrone.CLSValidarInformacion fValidaVacio 's:  '", "result=0\narg1=  \n", 0},
      {"Valtrone.CLSValidarInformacion fValidaVacio 's: 7 '", "result= 7 \narg1= 7 \n", 0},
      {"Valtrone.CLSValidarInformacion NoExiste",
       "error=438 El objeto no admite esta propiedad o método: NoExiste\n", 2},
      {"--set iPocIVA=s:12 Valtrone.CLSValidarInformacion iPocIVA", "result=12\n", 0},
      {"--set iPocIVA=s:doce Valtrone.CLSValidarInformacion iPocIVA", "error=13 No coinciden los tipos\n", 2},
      {"Valtrone.CLSValidarInformacion fValidaVacio",
       "error=449 Argumento no opcional: fValidaVacio (sDato)\n", 2},
      {"Valtrone.CLSValidarInformacion", nullptr, 2},
      {"Valtrone.NoExiste fValidaVacio s:x", nullptr, 2},
      {"Valtrone.CLSValidarInformacion fValidaVacio x:1", nullptr, 2},
      {"--set iPocIVA=s:1E1 Valtrone.CLSValidarInformacion iPocIVA", "result=10\n", 0},
      // Nothing reaches the member; the lookup needs the library's connection, which no operation
      // of this call has opened.
      {"Valtrone.CLSVarios gfVerificaRegistro s:* s:tbcttgComprob s:1=1 nothing",
       "error=3704 No se permite la operación si el objeto está cerrado.\n", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    const ProgramRun r = call(c.arguments);
    EXPECT_EQ(r.status, c.status);
    if (c.out) {
      EXPECT_EQ(r.out, c.out);
    } else {
      EXPECT_EQ(r.out.rfind("error=", 0), 0u) << r.out;
    }
  }
}

// Several calls on one command line run in order on one thread; each makes its own object.
TEST_F(ValtroneCall, ChainedCalls) {
  struct Case {
    const char* arguments;
    const char* out;
    int status;
    const char* why;
  };
  const Case cases[] = {
      {"--set iPocIVA=s:12 Valtrone.CLSValidarInformacion iPocIVA --then Valtrone.CLSValidarInformacion iPocIVA",
       "result=12\n--\nresult=0\n", 0, "a property reaches its own call's member, not the next call's new object"},
      {"Valtrone.CLSValidarInformacion NoExiste --then Valtrone.CLSValidarInformacion fValidaVacio 's: 7 '",
       "error=438 El objeto no admite esta propiedad o método: NoExiste\n--\nresult= 7 \narg1= 7 \n", 2,
       "a call that raises does not stop the later ones, and the status says one raised"},
      {"Valtrone.CLSValidarInformacion fValidaVacio s:x --then Valtrone.CLSValidarInformacion fValidaVacio x:1",
       "result=x\narg1=x\n--\nerror=5 tipo de argumento desconocido: x\n", 2,
       "an argument of a later call is read when that call runs"},
      {"--then Valtrone.CLSValidarInformacion fValidaVacio s:x", nullptr, 2,
       "an empty call is a usage error of its own"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const ProgramRun r = call(c.arguments);
    EXPECT_EQ(r.status, c.status);
    if (c.out) {
      EXPECT_EQ(r.out, c.out);
    } else {
      EXPECT_EQ(r.out.rfind("error=5 uso: valtrone-call LLAMADA [--then LLAMADA]...", 0), 0u) << r.out;
      EXPECT_NE(r.out.find("\n--\nresult=x\narg1=x\n"), std::string::npos) << r.out;
    }
  }
}

// With no registry named and none of the user's or the system's, a valtrone-call of the build finds
// the library the build registered, as the programs do.
TEST_F(ValtroneCall, FromTheBuildItFallsBackToTheBuildsRegistry) {
  if (fs::exists("/etc/ambrix/automation.reg")) GTEST_SKIP() << "this machine has a system-wide registry";
  const vt::testing::TempFolder home("frame-home");
  const ProgramRun r = runCommand(quoted(VT_VALTRONE_CALL) + " Valtrone.CLSValidarInformacion fValidaVacio s:x",
                                  {.environment = {{"VALTRONE_CONFIG_DIR", config.string()},
                                                   {"VALTRONE_REGISTRY", std::nullopt},
                                                   {"XDG_CONFIG_HOME", std::nullopt},
                                                   {"HOME", home.path().string()}}});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(r.out, "result=x\narg1=x\n");
}

// The same call from a copy of the program outside the build tree has no such fallback: an
// installed copy never reaches into the tree it was built in.
TEST_F(ValtroneCall, ACopyOutsideTheBuildHasNoFallback) {
  if (fs::exists("/etc/ambrix/automation.reg")) GTEST_SKIP() << "this machine has a system-wide registry";
  const vt::testing::TempFolder home("frame-home");
  const fs::path copia = home.path() / "bin" / "valtrone-call";
  fs::create_directories(copia.parent_path());
  fs::copy_file(VT_VALTRONE_CALL, copia);
  const ProgramRun r = runCommand(quoted(copia.string()) + " Valtrone.CLSValidarInformacion fValidaVacio s:x",
                                  {.environment = {{"VALTRONE_CONFIG_DIR", config.string()},
                                                   {"VALTRONE_REGISTRY", std::nullopt},
                                                   {"XDG_CONFIG_HOME", std::nullopt},
                                                   {"HOME", home.path().string()}}});
  EXPECT_EQ(r.status, 2) << r.out << r.err;
  EXPECT_EQ(r.out.rfind("error=", 0), 0u) << r.out;
}

TEST_F(ValtroneCall, HelpListsTheForms) {
  const ProgramRun r = call("--help");
  EXPECT_EQ(r.status, 0);
  for (const char* form : {"--then LLAMADA", "--set PROPIEDAD=ARG", "sheet:RUTA[;SEP]", "error=NUMERO"})
    EXPECT_NE(r.out.find(form), std::string::npos) << form;
}

// The library's connection opened by one call is the one a later call's lookup finds: a supplier
// query leaves it open, and the catalogue lookup that failed with 3704 alone now answers.
TEST(ValtroneCallChain, TheConnectionCarriesIntoTheNextCall) {
  frame_test::pinEnvironment();
  const vt::testing::TempFolder temp("frame-chain");
  const fs::path& folder = temp.path();
  vt::testing::copyFixtureDatabase(folder / "GLOBAL.MDB");
  vt::testing::writeFile(folder / "TAXCONFIG.INI",
                         "[PATH]\r\nPath_db=" + folder.string() +
                             "/\r\n[DATABASE]\r\ndbTypeConexion=Access\r\ndbTypeServer=Access\r\n"
                             "dbNameDB=GLOBAL.MDB\r\ndbUser=admin\r\n");
  const std::string lookup = " Valtrone.CLSVarios gfVerificaRegistro s:* s:tbcttgComprob \"s:co_comprob = '01'\" nothing";
  const ProgramRun r = runCommand(
      quoted(VT_VALTRONE_CALL) + " Valtrone.CLSProveedores Consultar s:1790000000001 s: --then" + lookup,
      {.environment = {{"VALTRONE_CONFIG_DIR", folder.string()}}});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  const std::string tail = r.out.substr(r.out.find("\n--\n") + 4);
  EXPECT_EQ(tail.rfind("result=True\n", 0), 0u) << r.out;

  const ProgramRun alone = runCommand(quoted(VT_VALTRONE_CALL) + lookup,
                                      {.environment = {{"VALTRONE_CONFIG_DIR", folder.string()}}});
  EXPECT_EQ(alone.out, "error=3704 No se permite la operación si el objeto está cerrado.\n");
}

// The library reads TAXCONFIG.INI beside its own file, wherever the caller runs.
TEST(ValtroneCallLocation, ConfigurationComesFromTheLibraryFolder) {
  frame_test::pinEnvironment();
  const vt::testing::TempFolder temp("frame-location");
  const fs::path& root = temp.path();
  fs::create_directories(root / "lib");
  fs::create_directories(root / "work");
  fs::copy_file(VT_VALTRONE_LIBRARY, root / "lib" / "libvaltrone.so");
  const std::string registry = (root / "automation.reg").string();
  ASSERT_EQ(runCommand(quoted(VT_REGSVR) + " " + quoted((root / "lib/libvaltrone.so").string()),
                       {.environment = {{"VALTRONE_REGISTRY", registry}}})
                .status,
            0);
  const std::string command = quoted(VT_VALTRONE_CALL) + " Valtrone.CLSValidarInformacion fValidaVacio s:x";
  const vt::testing::RunOptions fromWork{
      .folder = root / "work",
      .environment = {{"VALTRONE_CONFIG_DIR", std::nullopt}, {"VALTRONE_REGISTRY", registry}}};
  const std::string config = "[DATABASE]\r\ndbTypeServer=MYSQL\r\n";

  vt::testing::writeFile(root / "work" / "TAXCONFIG.INI", config);
  ProgramRun r = runCommand(command, fromWork);
  EXPECT_EQ(r.out, "result=x\narg1=x\n");
  EXPECT_NE(r.err.find("No existe archivo de configuracion del sistema TAXCONFIG.INI"), std::string::npos);

  fs::remove(root / "work" / "TAXCONFIG.INI");
  vt::testing::writeFile(root / "lib" / "TAXCONFIG.INI", config);
  r = runCommand(command, fromWork);
  EXPECT_EQ(r.out, "result=x\narg1=x\n");
  EXPECT_EQ(r.err, "");
}

TEST(CallArguments, Forms) {
  EXPECT_EQ(valtrone_call::parseArgument("s:a b").toString(), "a b");
  EXPECT_EQ(valtrone_call::parseArgument("i:7").type(), VarType::I2);
  EXPECT_EQ(valtrone_call::parseArgument("l:70000").toI4(), 70000);
  EXPECT_DOUBLE_EQ(valtrone_call::parseArgument("d:0.01").toR8(), 0.01);
  EXPECT_TRUE(valtrone_call::parseArgument("b:true").toBool());
  EXPECT_FALSE(valtrone_call::parseArgument("b:false").toBool());
  EXPECT_TRUE(valtrone_call::parseArgument("missing").isMissing());
  const Variant nothing = valtrone_call::parseArgument("nothing");
  EXPECT_EQ(nothing.type(), VarType::Object);
  EXPECT_FALSE(nothing.toObject());
  EXPECT_DOUBLE_EQ(valtrone_call::parseArgument("d:1.5e9").toR8(), 1.5e9);
  EXPECT_EQ(valtrone_call::parseArgument("i:1E1").toI2(), 10);
  EXPECT_DOUBLE_EQ(valtrone_call::parseArgument("d:-2.5E-3").toR8(), -0.0025);
  const auto date = valtrone_call::parseArgument("dt:29/02/2016").toDate().toDateTime().date;
  EXPECT_EQ(date, (vt::conv::Date{2016, 2, 29}));
  const auto texts = valtrone_call::parseArgument("a:x||z").toStringArray();
  EXPECT_EQ(texts->lbound(), 0);
  EXPECT_EQ(texts->ubound(), 2);
  EXPECT_EQ(texts->at(2), "z");
  EXPECT_EQ(valtrone_call::parseArgument("ai:1|0|1").toIntegerArray()->at(1), 0);
  for (const char* bad : {"x:1", "b:si", "dt:31/02/2016", "sinTipo", "i:70000", "d:1e", "d:e5", "d:1e5x", "d:1e999"}) {
    EXPECT_THROW(valtrone_call::parseArgument(bad), vt::Error) << bad;
  }
}

TEST(CallArguments, SheetReadWithHeaderAndSeparator) {
  const vt::testing::TempFolder temp("frame-sheet");
  const fs::path& folder = temp.path();
  vt::testing::writeFile(folder / "hoja.csv", "A;B;C\r\n1;;3\r\n4;5\r\n");
  vt::testing::writeFile(folder / "hoja.txt", "A|B\n1|2\n");
  const auto sheet = valtrone_call::parseArgument("sheet:" + (folder / "hoja.csv").string()).toStringMatrix();
  EXPECT_EQ(sheet->ubound(1), 2);
  EXPECT_EQ(sheet->ubound(2), 2);
  EXPECT_EQ(sheet->get(0, 0), "");
  EXPECT_EQ(sheet->get(1, 2), "3");
  EXPECT_EQ(sheet->get(2, 1), "5");
  const auto piped =
      valtrone_call::parseArgument("sheet:" + (folder / "hoja.txt").string() + ";|").toStringMatrix();
  EXPECT_EQ(piped->get(1, 1), "2");

  std::ostringstream out;
  valtrone_call::printValue(out, "arg6", Variant(sheet));
  EXPECT_EQ(out.str(), "arg6(1,0)=1\narg6(1,2)=3\narg6(2,0)=4\narg6(2,1)=5\n");
}

// A sheet argument fails as the program's loader fails on the same file, with its message.
TEST(CallArguments, SheetFailuresAreTheLoadersOwn) {
  const vt::testing::TempFolder temp("frame-sheet");
  const fs::path& folder = temp.path();
  vt::testing::writeFile(folder / "vacia.csv", "");
  vt::testing::writeFile(folder / "ancha.csv", "A;B\n1;2;3\n");
  fs::create_directory(folder / "carpeta.csv");
  const std::string demasiadas = "Tiene demasiadas columnas o el caracter separador ';'  está muchas veces ";
  const struct {
    const char* file;
    std::string message;
  } cases[] = {
      {"vacia.csv", demasiadas},
      {"ancha.csv", demasiadas},
      {"carpeta.csv", "No es un archivo regular (una carpeta, un dispositivo o una tubería)"},
      {"falta.csv", demasiadas},
  };
  for (const auto& c : cases) {
    const std::string path = (folder / c.file).string();
    try {
      valtrone_call::parseArgument("sheet:" + path);
      ADD_FAILURE() << c.file << " loaded";
    } catch (const vt::Error& e) {
      EXPECT_EQ(e.description().rfind("Error al cargar archivo " + path + "\r\n" + c.message, 0), 0u)
          << c.file << ": " << e.description();
    }
  }
}

// A sheet for one of the program's sheet validators must be as wide as the program requires.
TEST(CallArguments, SheetOfASheetValidatorHasItsRequiredColumns) {
  const vt::testing::TempFolder temp("frame-sheet");
  const std::string hoja = temp.write("anulados.csv", "A;B;C\n1;2;3\n");
  const std::vector<std::string> words = {"Valtrone.CLSValidarInformacion", "ATS2013_Anulados", "s:1",
                                          "sheet:" + hoja};
  try {
    valtrone_call::parseCommandLine(words);
    ADD_FAILURE() << "a sheet of 3 columns taken for the cancelled documents";
  } catch (const vt::Error& e) {
    EXPECT_EQ(e.description(), "Error al cargar archivo " + hoja + "\r\nEl archivo tiene 3 columnas; se requieren 9 ");
  }
  EXPECT_EQ(valtrone_call::sheetColumnsFor("ats2013_compras"), 68);
  EXPECT_EQ(valtrone_call::sheetColumnsFor("Valida_REOC"), 1);
  const auto request = valtrone_call::parseCommandLine({"Valtrone.CLSValidarInformacion", "RDEP2013", "sheet:" + hoja});
  EXPECT_EQ(request.arguments[0].toStringMatrix()->get(1, 2), "3");
}

TEST(CallOutput, ValuesOfEachKind) {
  struct Case {
    Variant value;
    const char* line;
  };
  const Case cases[] = {
      {Variant(), "r=\n"},
      {Variant::null(), "r=Null\n"},
      {Variant(int16_t{-3}), "r=-3\n"},
      {Variant(0.5), "r=0.5\n"},
      {Variant(vt::automation::ObjectRef()), "r=Nothing\n"},
  };
  for (const Case& c : cases) {
    std::ostringstream out;
    valtrone_call::printValue(out, "r", c.value);
    EXPECT_EQ(out.str(), c.line);
  }
}

}  // namespace
