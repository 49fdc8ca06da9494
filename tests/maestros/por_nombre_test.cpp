// Suppliers and establishments reached by name, as another program of the family reaches them:
// valtrone-call on a fresh copy of the fixture database named by a TAXCONFIG.INI of the test's own.

#include <gtest/gtest.h>

#include "../frame/frame_test_support.hpp"
#include "library/frame/db_objects.hpp"
#include "platform/database/connection.hpp"
#include "platform/database/recordset.hpp"
#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/temp_folder.hpp"

namespace {

namespace fs = std::filesystem;
using vt::testing::quoted;

class ByName : public ::testing::Test {
 protected:
  void SetUp() override {
    frame_test::pinEnvironment();
    vt::testing::copyFixtureDatabase(folder / "global.mdb");
    vt::testing::writeFile(folder / "TAXCONFIG.INI",
                           "[PATH]\r\nPath_App=\r\nPath_db=" + folder.string() +
                               "\r\n[DATABASE]\r\ndbTypeServer=access\r\ndbNameDB=global.mdb\r\n");
  }
  std::string call(const std::string& arguments) {
    const vt::testing::ProgramRun r =
        vt::testing::runCommand(quoted(VT_VALTRONE_CALL) + " " + arguments,
                                {.environment = {{"VALTRONE_CONFIG_DIR", folder.string()}}});
    return r.out;
  }
  std::string stored(const std::string& sql) {
    vt::db::Connection db;
    db.open((folder / "global.mdb").string());
    vt::db::Recordset rs;
    rs.open(sql, db);
    std::string row;
    if (rs.eof()) return "<none>";
    for (int i = 0; i < rs.fieldCount(); ++i)
      row += (i ? "|" : "") + valtrone::toVariant(rs.field(i)).toString();
    return row;
  }
  vt::testing::TempFolder temp_{"maestros-call"};
  const fs::path& folder = temp_.path();
};

const std::string kSupplier =
    "--set sco_empresa=s:1792045185001 --set sco_RUC=s:1710034065001 --set 'sds_Nombre=s:Comercial "
    "O'\\''Brien' "
    "--set sco_ID=s:r --set 'sds_Direcc=s:Av. Amazonas' --set sTipoPersona=s:N --set sTipoLocali=s:L "
    "--set bStContrEspe=s:False --set snu_Telefono=s:022555555 --set sco_usuario=s:ana --set "
    "sds_wrkst=s:PC1 ";

TEST_F(ByName, Suppliers) {
  struct Case {
    std::string arguments, out;
    const char* why;
  };
  const Case cases[] = {
      {kSupplier + "Valtrone.CLSProveedores Ingresar s:", "result=True\narg1=\n", "registered"},
      {kSupplier + "Valtrone.CLSProveedores Ingresar s:",
       "result=False\narg1=\tProveedor ya registrado \r\n\n", "refused as a duplicate"},
      {"--set sco_ID=s:R --set sds_Nombre=s:Nuevo --set sds_Direcc=s:Quito --set sTipoPersona=s:S "
       "--set sTipoLocali=s:L --set bStContrEspe=s:1 --set snu_Telefono=s:2555 --set sco_modi=s:luis "
       "--set sds_wrkst=s:PC2 Valtrone.CLSProveedores Actualizar s:1710034065001 s:",
       "result=1\narg1=1710034065001\narg2=\n", "updated"},
      {"Valtrone.CLSProveedores Consultar s:1710034065001 s:",
       "result=[Recordset]\narg1=1710034065001\narg2=\n", "queried"},
      {"Valtrone.CLSProveedores Consultar s:999 s:",
       "result=Nothing\narg1=999\narg2=Proveedor 0000000000999 no existe o no registrado. \r\n\n", "unknown"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(call(c.arguments), c.out);
  }
  EXPECT_EQ(
      stored(
          "select ds_nombre, ds_direccion, co_tiporuc, nu_telefono, st_contr_es, co_usua, co_modi, ds_wrkst "
          "from tbproveedor"),
      "NUEVO|QUITO|S|000002555|1|ana|luis|PC2");
  EXPECT_EQ(stored("select co_estable, ds_nombre from tbProveeEstablecmts"), "001|COMERCIAL O'BRIEN");
}

TEST_F(ByName, Establishments) {
  ASSERT_EQ(call(kSupplier + "Valtrone.CLSProveedores Ingresar s:"), "result=True\narg1=\n");
  const std::string branch =
      "--set sco_provee=s:1710034065001 --set sco_Estable=s:2 --set 'sds_Estable=s:Sucursal Sur' "
      "--set sco_pais=s:01 --set sco_Provin=s:09 --set sco_ciudad=s:001 --set 'sds_Direcc=s:Av. Quito' "
      "--set snu_telefono1=s:042555555 --set sst_estable=s:A --set sco_usuario=s:ana --set sds_wrkst=s:PC1 ";
  struct Case {
    std::string arguments, out;
    const char* why;
  };
  const Case cases[] = {
      {branch + "Valtrone.CLSEstablecimientos Sucur_Ingresar s:", "result=True\narg1=\n", "registered"},
      {branch + "Valtrone.CLSEstablecimientos Sucur_Ingresar s:",
       "result=False\narg1=Error, Registro duplicado...\n", "refused as a duplicate"},
      {"Valtrone.CLSEstablecimientos Sucur_Actualizar s:1710034065001 s:2 " +
           quoted("s:ds_nombre = 'NORTE'") + " s:",
       "result=1\narg1=1710034065001\narg2=2\narg3=ds_nombre = 'NORTE'\narg4=\n",
       "updated with the caller's assignments"},
      {"Valtrone.CLSEstablecimientos Sucur_Consultar s:1710034065001 s: s: s:",
       "result=[Recordset]\narg1=1710034065001\narg2=\narg3=\narg4=\n", "queried"},
      {"Valtrone.CLSEstablecimientos Sucur_Eliminar s:1710034065001 s:2 s:",
       "result=1\narg1=1710034065001\narg2=2\narg3=\n", "deleted"},
      {"Valtrone.CLSEstablecimientos Sucur_Eliminar s:1710034065001 s:ABC s:",
       "result=0\narg1=1710034065001\narg2=ABC\narg3=Código de Establecimiento debe ser numérico \r\n\n",
       "refused"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(call(c.arguments), c.out);
    if (c.arguments.find("Sucur_Actualizar") != std::string::npos) {
      EXPECT_EQ(
          stored("select ds_nombre, st_estable, ds_wrkst from tbProveeEstablecmts where co_estable = '002'"),
          "NORTE|A|PC1");
    }
  }
  EXPECT_EQ(stored("select co_estable from tbProveeEstablecmts where co_estable = '002'"), "<none>");
}

TEST_F(ByName, DocumentRanges) {
  ASSERT_EQ(call(kSupplier + "Valtrone.CLSProveedores Ingresar s:"), "result=True\narg1=\n");
  const std::string range =
      "--set sco_Estable=s:001 --set sco_CmpteVta=s:01 --set snu_Serie=s:001001 --set lnu_SecuIni=l:1 "
      "--set lnu_SecuFin=l:500 --set snu_Autoriza=s:1234567890123456789012345678901234567 "
      "--set ffe_Validez=dt:31/12/2014 --set sco_Impta=s:12 --set sco_usuario=s:ana --set sco_modi=s:luis "
      "--set sds_wrkst=s:PC1 ";
  const std::string supplier = range + "--set sco_provee=s:1710034065001 Valtrone.CLSDctosAutorizados ";
  const std::string company = range + "--set sco_empresa=s:1792045185001 Valtrone.CLSDctosEmpresas ";
  struct Case {
    std::string arguments, out;
    const char* why;
  };
  const Case cases[] = {
      {supplier + "Dctos_Ingresar s:", "result=True\narg1=\n", "a supplier's range registered"},
      {supplier + "Dctos_Ingresar s:", "result=False\narg1=Error, Registro duplicado...\n",
       "refused as a duplicate"},
      {supplier + "Dctos_Actualizar s:", "result=1\narg1=\n", "updated"},
      {supplier + "Dctos_Consultar s:1710034065001 s:1 s: s:01 s: s:",
       "result=[Recordset]\narg1=1710034065001\narg2=1\narg3=\narg4=01\narg5=\narg6=\n", "queried"},
      {supplier + "Dctos_Eliminar s:1710034065001 s:1 s:1001 s:1 s:",
       "result=1\narg1=1710034065001\narg2=1\narg3=1001\narg4=1\narg5=\n", "deleted"},
      {company + "DctosEmpresa_Ingresar s:", "result=True\narg1=\n", "a company's range registered"},
      {company + "DctosEmpresa_Actualizar s:", "result=1\narg1=\n", "updated"},
      {company + "DctosEmpresa_Consultar s:1792045185001 s:0 s:0 s:0 s: s:",
       "result=[Recordset]\narg1=1792045185001\narg2=0\narg3=0\narg4=0\narg5=\narg6=\n", "queried"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(call(c.arguments), c.out);
  }
  EXPECT_EQ(stored("select count(*) from tbProveeCmprAutoriza"), "0");
  EXPECT_EQ(
      stored(
          "select co_empresa, nu_autoriza, fe_validez, co_impta, co_modi, ds_wrkst from tbEmprCmprAutoriza"),
      "1792045185001|1234567890123456789012345678901234567|31/12/2014|12|luis|PC1");
  EXPECT_EQ(call(company + "DctosEmpresa_Eliminar s:1792045185001 s:001 s: s: s:"),
            "result=1\narg1=1792045185001\narg2=001\narg3=\narg4=\narg5=\n");
}

}  // namespace
