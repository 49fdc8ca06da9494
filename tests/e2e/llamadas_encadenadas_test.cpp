// An outside caller of the record validators as the family's clients are: one call opens the
// library's connection (a supplier query leaves it open) and the next calls, on the same thread,
// validate records against the catalogues through it.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/temp_folder.hpp"

namespace {

namespace fs = std::filesystem;
using vt::testing::quoted;

const std::string kCompra =
    "1792045185001|5|2013|10/05/2013|15/05/2013|R|1792045185001|Proveedor S.A.|01|01|001001|000000123|"
    "1112223334|0.00|50.00|100.00|12.00|3.60|0|0|0|0|0|001001|000000045|1112223335|16/05/2013|0|0|0|"
    "16/05/2013|0|||||312|100.00|1|1.00|0|0|0|0|||5|7";

class LlamadasEncadenadas : public ::testing::Test {
 protected:
  void SetUp() override {
    vt::testing::copyFixtureDatabase(folder / "db" / "GLOBAL.MDB");
    vt::testing::writeFile(folder / "TAXCONFIG.INI",
                           "[PATH]\r\nPath_db=" + (folder / "db").string() +
                               "/\r\n[CONFIGURACION]\r\nFechaCorta=dd/MM/yyyy\r\nHora=HH:mm:ss\r\n"
                               "[DATABASE]\r\ndbTypeConexion=Access\r\ndbTypeServer=Access\r\n"
                               "dbNameDB=GLOBAL.MDB\r\ndbUser=admin\r\n");
    vt::testing::writeFile(folder / "win.ini",
                           "[Intl]\r\nsShortDate=dd/MM/yyyy\r\nsDecimal=,\r\nsThousand=.\r\n");
  }
  vt::testing::ProgramRun valtroneCall(const std::string& arguments) {
    vt::testing::Environment environment = vt::testing::pinnedEnvironment((folder / "win.ini").string());
    environment.push_back({"VALTRONE_CONFIG_DIR", folder.string()});
    environment.push_back({"VALTRONE_REGISTRY", VT_BINARY_DIR "/automation.reg"});
    return vt::testing::runCommand(quoted(VT_VALTRONE_CALL) + " " + arguments,
                                   {.folder = folder, .environment = environment});
  }
  // `retencion` replaces the first income-tax withholding (code, base, rate, amount).
  static std::string compra(const std::string& retencion = "312|100.00|1|1.00") {
    std::string registro = kCompra;
    registro.replace(registro.find("312|100.00|1|1.00"), 17, retencion);
    return "--set co_empresa=s:1792045185001 --set nu_mes=i:5 --set nu_anio=s:2013 --set iPocIVA=i:12 "
           "Valtrone.CLSValidarInformacion Valida_ATSCompra " +
           quoted("a:" + registro) + " b:true s:antes";
  }

  vt::testing::TempFolder temp_{"e2e-llamadas"};
  const fs::path& folder = temp_.path();
};

// Connected, the clean purchase passes: the flag comes back False and the caller's text emptied.
// Alone, the same call has no connection, and every catalogue check of the record fails.
TEST_F(LlamadasEncadenadas, AnATSPurchaseValidatedOnTheConnectionOfAnEarlierCall) {
  const vt::testing::ProgramRun conectada =
      valtroneCall("Valtrone.CLSProveedores Consultar s:1790000000001 s: --then " + compra());
  EXPECT_EQ(conectada.status, 0) << conectada.out << conectada.err;
  const std::size_t separador = conectada.out.find("\n--\n");
  ASSERT_NE(separador, std::string::npos) << conectada.out;
  EXPECT_EQ(
      conectada.out.substr(0, separador + 1),
      "result=Nothing\narg1=1790000000001\narg2=Proveedor 1790000000001 no existe o no registrado. \r\n\n");
  const std::string validacion = conectada.out.substr(separador + 4);
  EXPECT_EQ(validacion.rfind("result=OK\narg1(0)=1792045185001\n", 0), 0u) << validacion;
  EXPECT_NE(validacion.find("\narg2=False\narg3=\n"), std::string::npos) << validacion;

  const vt::testing::ProgramRun sola = valtroneCall(compra());
  EXPECT_EQ(sola.status, 0) << sola.err;
  EXPECT_NE(sola.out.find("\narg2=True\narg3=antesCódigo de comprobante no válido: 01\r\n"
                          "Código de credito tributario no válido: 01\r\n"
                          "IR (1). Código 312 no registrado para periodo de fecha 15/05/2013\r\n\n"),
            std::string::npos)
      << sola.out;
}

// Connected, the withheld income tax is the base times the rate as written, as the purchases
// sheet has it: a purchase the sheet accepts is accepted here too.
TEST_F(LlamadasEncadenadas, TheWithheldIncomeTaxOfAConnectedPurchase) {
  const struct {
    const char* retencion;
    const char* salida;
    const char* why;
  } casos[] = {
      {"344|1000.00|1.75|17.50", "\narg2=False\narg3=\n", "1.75 % of 1000.00 is 17.50"},
      {"344|1000.00|1.75|18.00",
       "\narg2=True\narg3=antesIR (1). Base imponible 1000.00 x  porcentaje no concuerda con monto retenido: "
       "18.00\r\n\n",
       "the amount of a rate rounded to 0.018 is refused"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.why);
    const vt::testing::ProgramRun r =
        valtroneCall("Valtrone.CLSProveedores Consultar s:1790000000001 s: --then " + compra(c.retencion));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(c.salida), std::string::npos) << r.out;
  }
}

}  // namespace
