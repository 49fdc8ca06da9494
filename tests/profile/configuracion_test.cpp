#include "platform/profile/configuracion.hpp"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include <map>
#include <string>
#include <thread>

#include "platform/errors/error.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/mensajes_grabados.hpp"
#include "platform/profile/system_info.hpp"
#include "platform/profile/text_file.hpp"
#include "tests/support/files.hpp"
#include "tests/support/scoped_env.hpp"
#include "tests/support/temp_folder.hpp"

namespace {

using Values = std::map<std::string, std::string>;

Values valuesOf(const vt::ContextoConfiguracion& ctx) {
  Values v;
  for (const auto& [name, value] : vt::configurationEntries(ctx)) v[name] = value;
  return v;
}

// Regional settings and locale pinned; TAXCONFIG.INI written per case into <tmp>/app.
class Configuracion : public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.programFolder = tmp.file("app");
    ctx.gsTituloApp = "Ambrix";
  }

  bool load(const std::string& taxconfig) {
    tmp.write("app/TAXCONFIG.INI", taxconfig);
    return vt::gfCargaConfiguracion(ctx);
  }

  vt::testing::TempFolder tmp;
  vt::testing::ScopedEnv localeEnv_{"LC_ALL", "C"};
  vt::testing::ScopedEnv winIniEnv_{"AMBRIX_WIN_INI", tmp.file("win.ini")};
  vt::ContextoConfiguracion ctx;
  vt::MensajesGrabados boxes;
  vt::ScopedThreadMessages guard{boxes};
};

const Values kDefaults = {
    {"gsPathApp", "0/"},
    {"gsPathReportAccess", "0"},
    {"gsPathReportSQL", "0"},
    {"gsPathReportOracle", "0"},
    {"gsPathDB", "0/"},
    {"gsPathLog", "0"},
    {"gsPathBrelvica", "0"},
    {"gsFechaCorta", "dd/MM/yyyy"},
    {"gsHora", "HH:mm:ss"},
    {"gsFechaHora", "dd/MM/yyyy HH:mm:ss"},
    {"gsDsCompras", ""},
    {"gsDsVentas", ""},
    {"giRegsMaxConsulta", "100"},
    {"gsQuessaNet", "0"},
    {"gsCxP", "N"},
    {"gsTipoConexion", "ACCESS"},
    {"gsMotorBD", "ACCESS"},
    {"gsServidorBD", ""},
    {"gsNombreBD", "GLOBAL.MDB"},
    {"gsUsuarioBD", "admin"},
    {"gsClaveBD", ""},
    {"gsProveedorBD", "Microsoft.Jet.OLEDB.4.0"},
    {"giTimeoutBD", "90"},
    {"gsDSN", "TolvexAccess"},
};

struct LoadCase {
  const char* name;
  std::string taxconfig;
  Values expected;  // values that differ from kDefaults; "<app>" stands for the program folder
};

TEST_F(Configuracion, EveryKeyDefaultAndRule) {
  const std::string longPath = "/" + std::string(299, 'r');
  const LoadCase cases[] = {
      {"only [DATABASE]: every default", "[DATABASE]\n", {}},
      {"empty Path_App: program folder, Path_Log empty",
       "[PATH]\nPath_App=\n",
       {{"gsPathApp", "<app>/"}, {"gsPathLog", ""}}},
      {"blank Path_App", "[PATH]\nPath_App=   \n", {{"gsPathApp", "<app>/"}, {"gsPathLog", ""}}},
      {"Path_App without separator, no Path_Log",
       "[PATH]\nPath_App=/opt/ambrix\nPath_db=/srv/db\n",
       {{"gsPathApp", "/opt/ambrix/"}, {"gsPathLog", "/opt/ambrix"}, {"gsPathDB", "/srv/db/"}}},
      {"Path_Log given: used as written, no separator added",
       "[PATH]\nPath_App=/opt/ambrix/\nPath_Log=/var/log/ambrix\nPath_Report_Access=/r\n",
       {{"gsPathApp", "/opt/ambrix/"}, {"gsPathLog", "/var/log/ambrix"}, {"gsPathReportAccess", "/r"}}},
      {"four DATABASE values upper-cased, the others kept",
       "[DATABASE]\ndbTypeConexion=oledb\ndbTypeServer=sql\ndbNameServer=srv01\ndbNameDB=ats\n"
       "dbUser=Contador\ndbpassword=Clave\ndbProvider_OLEDB=SQLOLEDB\ndbDSN=dsn\n",
       {{"gsTipoConexion", "OLEDB"},
        {"gsMotorBD", "SQL"},
        {"gsServidorBD", "SRV01"},
        {"gsNombreBD", "ATS"},
        {"gsUsuarioBD", "Contador"},
        {"gsClaveBD", "Clave"},
        {"gsProveedorBD", "SQLOLEDB"},
        {"gsDSN", "dsn"}}},
      {"quoted values",
       "[PATH]\nPath_db=\"/srv/mi base\"\n[DEFAULT]\nDs_COMPRAS='compras'\n",
       {{"gsPathDB", "/srv/mi base/"}, {"gsDsCompras", "compras"}}},
      {"comment lines",
       "[DATABASE]\n;dbTypeServer=ORACLE\n; comentario\ndbTypeServer=sql\n",
       {{"gsMotorBD", "SQL"}}},
      {"CRLF file",
       "[DATABASE]\r\ndbTypeServer=Oracle\r\ndbTimeout=30\r\n",
       {{"gsMotorBD", "ORACLE"}, {"giTimeoutBD", "30"}}},
      {"duplicate keys: first wins",
       "[DATABASE]\ndbTypeServer=sql\ndbTypeServer=oracle\n",
       {{"gsMotorBD", "SQL"}}},
      {"case-insensitive names",
       "[database]\nDBTYPESERVER=sql\n[Default]\ncxp=S\nregsmaxconsulta=250\n",
       {{"gsMotorBD", "SQL"}, {"gsCxP", "S"}, {"giRegsMaxConsulta", "250"}}},
      {"300-character value whole",
       "[PATH]\nPath_App=" + longPath + "\n",
       {{"gsPathApp", longPath + "/"}, {"gsPathLog", longPath}}},
      {"date and time formats build gsFechaHora",
       "[CONFIGURACION]\nFechaCorta=yyyy/MM/dd\nHora=hh:mm\n",
       {{"gsFechaCorta", "yyyy/MM/dd"}, {"gsHora", "hh:mm"}, {"gsFechaHora", "yyyy/MM/dd hh:mm"}}},
      {"counts rounded to even",
       "[DEFAULT]\nRegsMaxConsulta= 2.5 \n[DATABASE]\ndbTimeout=-3\n",
       {{"giRegsMaxConsulta", "2"}, {"giTimeoutBD", "-3"}}},
      {"other DEFAULT keys",
       "[DEFAULT]\nDS_VENTAS=ventas\nQuessaNet=1\n[PATH]\nPath_Brelvica=/b\n",
       {{"gsDsVentas", "ventas"}, {"gsQuessaNet", "1"}, {"gsPathBrelvica", "/b"}}},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.name);
    ctx = {};
    ctx.programFolder = tmp.file("app");
    ASSERT_TRUE(load(c.taxconfig));
    Values expected = kDefaults;
    for (auto [name, value] : c.expected) {
      if (value.starts_with("<app>")) value.replace(0, 5, ctx.programFolder);
      expected[name] = value;
    }
    const Values actual = valuesOf(ctx);
    for (const auto& [name, value] : expected) EXPECT_EQ(actual.at(name), value) << name;
  }
  EXPECT_TRUE(boxes.mensajes.empty());
}

TEST_F(Configuracion, DateAndTimeDefaultsComeFromTheRegionalSettings) {
  tmp.write("win.ini", "[Intl]\nsShortDate=d/M/yy\nsTimeFormat=h:mm:ss tt\n");
  ASSERT_TRUE(load("[DATABASE]\n"));
  EXPECT_EQ(ctx.sistema.gsFechaCorta, "d/M/yy");
  EXPECT_EQ(ctx.sistema.gsFechaHora, "d/M/yy h:mm:ss tt");
}

TEST_F(Configuracion, MissingFileIsReportedAndLeavesTheSettingsEmpty) {
  EXPECT_FALSE(vt::gfCargaConfiguracion(ctx));
  ASSERT_EQ(boxes.mensajes.size(), 1u);
  EXPECT_EQ(boxes.mensajes[0].texto, "No existe archivo de configuracion del sistema TAXCONFIG.INI(Ambrix)");
  EXPECT_EQ(boxes.mensajes[0].titulo, "Ambrix");
  EXPECT_EQ(boxes.mensajes[0].icono, vt::Icono::Exclamacion);
  EXPECT_EQ(ctx.sistema.gsMotorBD, "");
  EXPECT_EQ(ctx.regional.gsFormatoFecha, "dd/MM/yyyy") << "regional settings are read first";
}

// A device, a FIFO or an oversized file at the configuration's place gives a message at once,
// never a read that blocks or grows until memory runs out.
TEST_F(Configuracion, SpecialOrOversizedFileIsReported) {
  const std::string noExiste = "No existe archivo de configuracion del sistema TAXCONFIG.INI(Ambrix)";
  const struct {
    const char* what;
    std::function<void(const std::string& path)> make;
    std::string message;
  } cases[] = {
      {"a link to an endless device", [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); },
       noExiste},
      {"a FIFO without a writer", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, noExiste},
      {"one byte past the cap",
       [](const std::string& p) {
         vt::testing::writeFile(p, std::string("[PATH]\r\nPath_App=/a/\r\n"));
         std::filesystem::resize_file(p, vt::kMaxProfileBytes + 1);
       },
       "El archivo de configuracion del sistema TAXCONFIG.INI excede el tamaño admitido (32 MB)(Ambrix)"},
  };
  for (const auto& c : cases) {
    const std::string path = tmp.file("app/TAXCONFIG.INI");
    std::filesystem::create_directories(tmp.file("app"));
    std::filesystem::remove(path);
    c.make(path);
    boxes.mensajes.clear();
    EXPECT_FALSE(vt::gfCargaConfiguracion(ctx)) << c.what;
    ASSERT_EQ(boxes.mensajes.size(), 1u) << c.what;
    EXPECT_EQ(boxes.mensajes[0].texto, c.message) << c.what;
  }
}

TEST_F(Configuracion, BadCountsAreReportedUnderTheLeadIn) {
  const struct {
    const char* taxconfig;
    const char* box;
  } cases[] = {
      {"[DEFAULT]\nRegsMaxConsulta=cien\n",
       "Ocurrió un error al intentar obtener los parámetros de configuración\r\nError: 13\r\n"
       "No coinciden los tipos(Ambrix)"},
      {"[DATABASE]\ndbTimeout=40000\n",
       "Ocurrió un error al intentar obtener los parámetros de configuración\r\nError: 6\r\n"
       "Desbordamiento(Ambrix)"},
      {"[DEFAULT]\nRegsMaxConsulta=\n",
       "Ocurrió un error al intentar obtener los parámetros de configuración\r\nError: 13\r\n"
       "No coinciden los tipos(Ambrix)"},
  };
  for (const auto& c : cases) {
    boxes.mensajes.clear();
    EXPECT_FALSE(load(c.taxconfig)) << c.taxconfig;
    ASSERT_EQ(boxes.mensajes.size(), 1u);
    EXPECT_EQ(boxes.mensajes[0].texto, c.box);
  }
}

struct RegionalCase {
  const char* name;
  std::string winIni;
  Values expected;
};

TEST_F(Configuracion, RegionalSettingsWithPerKeyFallback) {
  const RegionalCase cases[] = {
      {"office in Ecuador",
       "[Intl]\r\niDigits=2\r\nsShortDate=dd/MM/yyyy\r\nsTimeFormat=HH:mm:ss\r\nsDecimal=,\r\nsDate=/\r\n"
       "sThousand=.\r\nsList=;\r\n",
       {{"gbDigitos", "2"},
        {"gsSepDecimal", ","},
        {"gsSepMiles", "."},
        {"gsSepLista", ";"},
        {"gsFormatoNumero", "###.###.##0,00"}}},
      {"no file: locale separators and fixed defaults",
       "",
       {{"gbDigitos", "2"},
        {"gsFormatoFecha", "dd/MM/yyyy"},
        {"gsFormatoHora", "HH:mm:ss"},
        {"gsSepDecimal", "."},
        {"gsSepFecha", "/"},
        {"gsSepMiles", ""},
        {"gsSepLista", ","},
        {"gsFormatoNumero", "########0.00"}}},
      {"comma decimal gives semicolon list",
       "[intl]\nsDecimal=,\nsThousand=.\n",
       {{"gsSepLista", ";"}, {"gsFormatoNumero", "###.###.##0,00"}}},
      {"comma thousands",
       "[Intl]\nsDecimal=.\nsThousand=,\niDigits=3\n",
       {{"gsSepLista", ","}, {"gsFormatoNumero", "###,###,##0.000"}, {"gbDigitos", "3"}}},
      {"no decimals", "[Intl]\niDigits=0\nsDecimal=,\nsThousand=.\n", {{"gsFormatoNumero", "###.###.##0,"}}},
      {"key present but empty stays empty",
       "[Intl]\nsDecimal=\nsDate=\n",
       {{"gsSepDecimal", ""}, {"gsSepFecha", ""}, {"gsFormatoNumero", "########000"}}},
      {"other sections ignored", "[Otro]\nsDecimal=,\n", {{"gsSepDecimal", "."}}},
  };
  for (const RegionalCase& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.winIni.empty()) {
      ::unlink(tmp.file("win.ini").c_str());
    } else {
      tmp.write("win.ini", c.winIni);
    }
    ctx = {};
    vt::gsCargaConfRegional(ctx);
    const Values actual = valuesOf(ctx);
    for (const auto& [name, value] : c.expected) EXPECT_EQ(actual.at(name), value) << name;
  }
}

TEST_F(Configuracion, BadDigitCountRaises) {
  const struct {
    const char* digits;
    long number;
  } cases[] = {{"dos", 13}, {"256", 6}, {"-1", 6}};
  for (const auto& c : cases) {
    tmp.write("win.ini", std::string("[Intl]\niDigits=") + c.digits + "\n");
    try {
      vt::gsCargaConfRegional(ctx);
      ADD_FAILURE() << c.digits << " was accepted";
    } catch (const vt::Error& e) {
      EXPECT_EQ(e.number(), c.number) << c.digits;
    }
  }
}

TEST_F(Configuracion, StationAndUserAreFilled) {
  ASSERT_TRUE(load("[DATABASE]\n"));
  vt::gsCargaEstacion(ctx);
  EXPECT_FALSE(ctx.gsEstacion.empty());
  EXPECT_LE(ctx.gsEstacion.size(), 20u);
  EXPECT_EQ(ctx.gsEstacion.find('.'), std::string::npos);
  // The user may have no name on this machine (an empty identifier is stored as such).
  EXPECT_EQ(ctx.gsUsuario, vt::userName());
}

// The library keeps one context per thread: each thread loads its own folder and sees its own.
TEST_F(Configuracion, EachThreadCanHaveItsOwnContext) {
  tmp.write("a/TAXCONFIG.INI", "[DATABASE]\ndbTypeServer=sql\n");
  tmp.write("b/TAXCONFIG.INI", "[DATABASE]\ndbTypeServer=oracle\n");
  auto run = [this](const std::string& folder, std::string& engine) {
    thread_local vt::ContextoConfiguracion own;
    vt::setThreadConfiguration(&own);
    vt::MensajesGrabados threadBoxes;
    vt::ScopedThreadMessages threadGuard(threadBoxes);
    vt::currentConfiguration().programFolder = tmp.file(folder);
    if (vt::gfCargaConfiguracion()) engine = vt::currentConfiguration().sistema.gsMotorBD;
    vt::setThreadConfiguration(nullptr);
  };
  std::string a, b;
  std::thread ta(run, "a", std::ref(a));
  std::thread tb(run, "b", std::ref(b));
  ta.join();
  tb.join();
  EXPECT_EQ(a, "SQL");
  EXPECT_EQ(b, "ORACLE");
  EXPECT_EQ(vt::currentConfiguration().sistema.gsMotorBD, "") << "the process context is untouched";
}

}  // namespace
