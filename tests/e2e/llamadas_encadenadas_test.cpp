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
    vt::testing::writeFile(folder / "win.ini", "[Intl]\r\nsShortDate=dd/MM/yyyy\r\nsDecimal=,\r\nsThousand=.\r\n");
  }
  vt::testing::ProgramRun valtroneCall(const std::string& arguments) {
    vt::testing::Environment environment = vt::testing::pinnedEnvironment((folder / "win.ini").string());
    environment.push_back({"VALTRONE_CONFIG_DIR", folder.string()});
    environment.push_back({"VALTRONE_REGISTRY", VT_BINARY_DIR "/automation.reg"});
    return vt::testing::runCommand(quoted(VT_VALTRONE_CALL) + " " + arguments,
                                   {.folder = folder, .environment = environment});
  }
  static std::string compra() {
    return "--set co_empresa=s:1792045185001 --set nu_mes=i:5 --set nu_anio=s:2013 --set iPocIVA=i:12 "
           "Valtrone.CLSValidarInformacion Valida_ATSCompra " +
           quoted("a:" + kCompra) + " b:true s:antes";
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
  EXPECT_EQ(conectada.out.substr(0, separador + 1),
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

}  // namespace
