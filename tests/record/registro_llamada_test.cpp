// The record validators as outside callers reach them: by name, through valtrone-call, with the
// period let on the object first. Such a caller opens no connection of the library, so every
// catalogue lookup fails as the lookup of a record validator does without one.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../frame/frame_test_support.hpp"
#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/temp_folder.hpp"

namespace {

namespace fs = std::filesystem;
using vt::testing::quoted;

class RegistroLlamada : public ::testing::Test {
 protected:
  void SetUp() override {
    frame_test::pinEnvironment();
    vt::testing::writeFile(folder / "TAXCONFIG.INI",
                           "[PATH]\r\nPath_db=" + (folder / "db").string() +
                               "/\r\n[CONFIGURACION]\r\nFechaCorta=dd/MM/yyyy\r\nHora=HH:mm:ss\r\n"
                               "[DATABASE]\r\ndbTypeConexion=Access\r\ndbTypeServer=Access\r\n"
                               "dbNameDB=GLOBAL.MDB\r\ndbUser=admin\r\n");
  }
  // `propiedades`: further "--set name=value" lets before the call.
  vt::testing::ProgramRun call(const std::string& member, const std::string& record,
                               const std::string& propiedades = "") {
    return vt::testing::runCommand(
        quoted(VT_VALTRONE_CALL) + " --set co_empresa=s:1792045185001 --set nu_mes=i:5 --set nu_anio=s:2013" +
            propiedades + " Valtrone.CLSValidarInformacion " + member + " " + quoted("a:" + record) +
            " b:true " + quoted("s:antes"),
        {.environment = {{"VALTRONE_CONFIG_DIR", folder.string()}}});
  }

  vt::testing::TempFolder temp_{"record-call"};
  const fs::path& folder = temp_.path();
};

TEST_F(RegistroLlamada, ACancelledDocumentRecord) {
  const vt::testing::ProgramRun r =
      call("Valida_Anulacion", "1792045185001|5|2013|01|001001|10|9|1112223334|20/05/2013");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "result=OK\n"
            "arg1(0)=1792045185001\narg1(1)=5\narg1(2)=2013\narg1(3)=01\narg1(4)=001001\narg1(5)=10\n"
            "arg1(6)=9\narg1(7)=1112223334\narg1(8)=20/05/2013\n"
            "arg2=True\n"
            "arg3=antesCódigo de comprobante no válido: 01\r\n"
            "Rango de secuencias de comprobantes no correcto. Inicio: 10. Fin: 9\r\n\n");
}

// The export validator empties the caller's text and hands the neutral referendo back.
TEST_F(RegistroLlamada, AnExportRecord) {
  const vt::testing::ProgramRun r = call(
      "Valida_Exportacion",
      "1792045185001|5|2013|S|01|20/05/2013|N|0990000000001|Importadora del Norte|01|15/05/2013|15/05/2013|"
      "001001|0000123|1112223334|1500.00|28|2013|4|12345|7|HAWB-0001|1500.00|S");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(
      r.out.find("\narg1(15)=1500.00\narg1(16)=000\narg1(17)=0000\narg1(18)=00\narg1(19)=0\narg1(20)=0\n"
                 "arg1(21)=HAWB-0001\n"),
      std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\narg2=True\narg3=Código de comprobante no válido: 01\r\n\n"), std::string::npos)
      << r.out;
}

// The ATS purchase validator finds no voucher type, tax support or withholding code without a
// connection, and hands back the zeros of a withholding block without code.
TEST_F(RegistroLlamada, AnATSPurchaseRecord) {
  const vt::testing::ProgramRun r =
      call("Valida_ATSCompra",
           "1792045185001|5|2013|10/05/2013|15/05/2013|R|1792045185001|Proveedor S.A.|01|01|001001|000000123|"
           "1112223334|0.00|50.00|100.00|12.00|3.60|0|0|0|0|0|001001|000000045|1112223335|16/05/2013|0|0|0|"
           "16/05/2013|0|||||312|100.00|1|1.00|0|0|0|0|||5|7",
           " --set iPocIVA=i:12");
  EXPECT_EQ(r.status, 0) << r.err;
  // Empty fields are not listed.
  EXPECT_NE(r.out.find("\narg1(43)=0\narg1(45)=0\narg1(46)=0\narg1(47)=0\narg2="), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\narg2=True\narg3=antesCódigo de comprobante no válido: 01\r\n"
                       "Código de credito tributario no válido: 01\r\n"
                       "IR (1). Código 312 no registrado para periodo de fecha 15/05/2013\r\n\n"),
            std::string::npos)
      << r.out;
}

// The withholding-annex validator reads the last day of the month the caller let on the object,
// keeps the caller's text before its lines, and zeroes an unused withholding block.
TEST_F(RegistroLlamada, AWithholdingAnnexRecord) {
  const vt::testing::ProgramRun r =
      call("Valida_REOC",
           "1792045185001|5|2013|10/05/2013|R|1792045185001|Proveedor "
           "S.A.|01|001001|000000123|1112223334|0.00|50.00|"
           "100.00|12.00|001001|000000045|1112223335|12/05/2013|0|0|0|12/05/2013|312|0.00|0.00|100.00|1|1.00|"
           "0|0|0|0|0|0|0|0|0|0|0|0|0|0||0|5|7",
           " --set iPocIVA=i:12 --set iUltDiasMes=s:31");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\narg1(41)=0\narg1(42)=0\narg1(43)=0\narg1(44)=0\narg1(45)=0\narg1(46)=0\narg2="),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\narg2=True\narg3=antesCódigo de comprobante no válido: 01\r\n"
                       "IR (1). Código 312 no registrado para periodo de fecha 10/05/2013\r\n\n"),
            std::string::npos)
      << r.out;
}

// Without the library's connection every catalogue check of an older sales line fails; the
// identity check needs none, and the empty withholding comes back zeroed.
TEST_F(RegistroLlamada, AnOlderSalesRecord) {
  const vt::testing::ProgramRun r = call("Valida_Venta",
                                         "1792045185001|5|2013|R|1792045185001|Cliente S.A.|18|3|50.00|100.00|"
                                         "12|12.00|12.00|30|3.60|0|0|0|0|0|0|S|N|312|100.00|1|1.00|0|0|8|5|"
                                         "0|0|0|0");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\narg1(28)=0\narg1(29)=0\narg1(30)=0\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\narg2=True\n"
                       "arg3=antesCódigo de comprobante no válido: 18\r\n"
                       "Porcentaje de IVA no registrado: 12\r\n"
                       "Porcentaje de retencion del IVA por Bienes no registrado: 30\r\n"
                       "% de retencion del IVA por Servicios no registrado: 0\r\n"
                       "Porcentaje de ICE no registrado: 0\r\n"
                       "IR(1). Código no registrado: 312\r\n\n"),
            std::string::npos)
      << r.out;
}

}  // namespace
