// Company parameters of tbParaSistema.

#include "shell/core/parametros.hpp"

#include <gtest/gtest.h>

#include "platform/errors/error.hpp"
#include "shell/core/globals.hpp"
#include "tests/support/shell_fixture.hpp"

namespace ambrix {
namespace {

class Parameters : public testing::ShellTest {
 protected:
  void SetUp() override {
    connectToCopy();
    gParametrosEmpresa = {};
  }
  // tbParaSistema with nullable columns of the test's own.
  void replaceTable(const std::string& filas) {
    exec("DROP TABLE tbParaSistema");
    exec(
        "CREATE TABLE tbParaSistema (id_reg INTEGER PRIMARY KEY, co_empresa TEXT, po_iva NUMERIC, po_iess "
        "NUMERIC, "
        "st_CtrlCmprCmpras TEXT, st_CtrlCmprVtas TEXT, st_CtrlCmprRet TEXT, nu_sus_trib_Cmprs TEXT, "
        "nu_CoIR_cmprs TEXT)");
    exec("INSERT INTO tbParaSistema VALUES " + filas);
  }
};

TEST_F(Parameters, BlankRucReadsTheFirstRowAndLeavesTheRecordsetThere) {
  vt::db::Recordset rs;
  std::string ruc = "  ";
  ASSERT_TRUE(gfCargaParametros(rs, ruc, true));
  EXPECT_EQ(gParametrosEmpresa.gsPorcIVA, "12");
  EXPECT_DOUBLE_EQ(gParametrosEmpresa.gcPorcIESS, 9.35);
  EXPECT_EQ(gParametrosEmpresa.gsCtrlCmprCompras, "N");
  EXPECT_EQ(gParametrosEmpresa.giNumSustTrib, 3);
  EXPECT_EQ(gParametrosEmpresa.giNumCodIR, 4);
  EXPECT_EQ(rs.state(), vt::db::State::Open);
  EXPECT_FALSE(rs.bof());
  EXPECT_EQ(rs.field("co_empresa").asText(), "1792045185001");
}

TEST_F(Parameters, CompanyWithoutARowGivesFalseAndChangesNothing) {
  for (std::string ruc : {"9999999999001", "17' OR '1'='1"}) {
    vt::db::Recordset rs;
    gParametrosEmpresa.gsPorcIVA = "previo";
    EXPECT_FALSE(gfCargaParametros(rs, ruc, true)) << ruc;
    EXPECT_EQ(gParametrosEmpresa.gsPorcIVA, "previo");
  }
  EXPECT_TRUE(boxes_.mensajes.empty()) << lastMessage();
}

TEST_F(Parameters, WithoutTheLoadFlagOnlyTellsWhetherThereIsARow) {
  vt::db::Recordset rs;
  std::string ruc = "0992314702001";
  EXPECT_TRUE(gfCargaParametros(rs, ruc, false));
  EXPECT_EQ(gParametrosEmpresa.gsPorcIVA, "");
}

TEST_F(Parameters, CountsNotAboveZeroTakeTheirDefaults) {
  struct Case {
    const char* valor;
    std::int16_t sustento, codigoIR;
  };
  const Case casos[] = {{"'0'", 3, 4}, {"'abc'", 3, 4}, {"'-2'", 3, 4},
                        {"'7'", 7, 7}, {"' 5 '", 5, 5}, {"NULL", 3, 4}};
  for (const auto& c : casos) {
    replaceTable(std::string("(1, '1792045185001', 12, 0, 'S', 'N', 'N', ") + c.valor + ", " + c.valor + ")");
    vt::db::Recordset rs;
    std::string ruc = "1792045185001";
    ASSERT_TRUE(gfCargaParametros(rs, ruc, true));
    EXPECT_EQ(gParametrosEmpresa.giNumSustTrib, c.sustento) << c.valor;
    EXPECT_EQ(gParametrosEmpresa.giNumCodIR, c.codigoIR) << c.valor;
  }
}

TEST_F(Parameters, NullsReadAsEmptyOrZero) {
  replaceTable("(5, '1792045185001', NULL, NULL, NULL, NULL, NULL, NULL, NULL)");
  vt::db::Recordset rs;
  std::string ruc;
  ASSERT_TRUE(gfCargaParametros(rs, ruc, true));
  EXPECT_EQ(gParametrosEmpresa.gsPorcIVA, "");
  EXPECT_EQ(gParametrosEmpresa.gcPorcIESS, 0);
  EXPECT_EQ(gParametrosEmpresa.gsCtrlCmprRet, "");
  EXPECT_EQ(gParametrosEmpresa.giNumSustTrib, 3);
}

TEST_F(Parameters, MissingColumnRaisesAndLoadsNothing) {
  exec("DROP TABLE tbParaSistema");
  exec("CREATE TABLE tbParaSistema (id_reg INTEGER PRIMARY KEY, co_empresa TEXT, po_iva NUMERIC)");
  exec("INSERT INTO tbParaSistema VALUES (1, '1792045185001', 12)");
  vt::db::Recordset rs;
  std::string ruc;
  EXPECT_THROW(gfCargaParametros(rs, ruc, true), vt::Error);
  EXPECT_EQ(gParametrosEmpresa.gsPorcIVA, "");
}

}  // namespace
}  // namespace ambrix
