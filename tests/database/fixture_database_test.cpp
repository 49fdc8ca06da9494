// The file engine on a copy of the product's own database (schema and seed): the declared types,
// constraints and stored query of the real tables, not of a test schema.

#include <gtest/gtest.h>

#include "expect_error.hpp"
#include "platform/database/connection.hpp"
#include "platform/database/recordset.hpp"
#include "temp_database.hpp"
#include "tests/support/files.hpp"

namespace vt::db {
namespace {

using test::errorOf;
using test::TempDatabase;

constexpr const char* kEmpresa = "1792045185001";

class FixtureDatabase : public ::testing::Test {
 protected:
  void SetUp() override { conn->open(db.file().string(), "admin", ""); }

  long run(const std::string& sql) {
    long rows = -1;
    conn->execute(sql, rows);
    return rows;
  }
  // One purchase of the company for May 2013, with the given sequence number.
  long insertPurchase(const std::string& empresa, const std::string& secuencia) {
    return run(
        "insert into tbAT_Cmprs (co_empresa, co_mes, co_anio, fe_emision, co_provee, nu_serie, nu_secu, "
        "mo_base) values ('" +
        empresa + "', '05', '2013', '2013-05-15', '1790011674001', '001001', '" + secuencia + "', 100.50)");
  }
  long count(const std::string& table) { return std::stol(db.scalar("select count(*) from " + table)); }

  TempDatabase db{vt::testing::fixtureDatabase(), "GLOBAL.MDB"};
  std::shared_ptr<Connection> conn = Connection::create();
};

TEST_F(FixtureDatabase, CompanyCountIsKnownBeforeIteratingAndNamesIgnoreCase) {
  Recordset rs;
  rs.open("SELECT * FROM tbEmpresas Order By ds_nombre ", conn);
  const long expected = count("tbEmpresas");
  ASSERT_GT(expected, 0);
  EXPECT_EQ(rs.recordCount(), expected);
  long walked = 0;
  for (; !rs.eof(); rs.moveNext()) {
    EXPECT_EQ(rs.field("NU_RUC"), rs.field("nu_ruc"));
    EXPECT_EQ(rs.field("NU_RUC").asText().size(), 13u);
    ++walked;
  }
  EXPECT_EQ(walked, expected);
  EXPECT_EQ(rs.fieldName(rs.fieldIndex("NU_RUC")), "nu_ruc");
  rs.moveFirst();
  EXPECT_EQ(rs.field("tbEmpresas.NU_RUC"), rs.field("nu_ruc"));
}

TEST_F(FixtureDatabase, DateColumnsComeBackAsDatesAndNullAsNull) {
  Recordset codes;
  codes.open("select fe_inicio, fe_fin from tbcttgCoRetenIR where co_reten = '303'", conn);
  ASSERT_EQ(codes.recordCount(), 1);
  EXPECT_EQ(codes.field("fe_inicio"), Value::date({2013, 1, 1}));
  EXPECT_EQ(codes.field("FE_FIN"), Value::date({2014, 12, 31}));

  ASSERT_EQ(insertPurchase(kEmpresa, "000000001"), 1);
  Recordset purchase;
  purchase.open("select fe_emision, fe_caduca, fe_regis, mo_base, nu_secu from tbAT_Cmprs", conn);
  EXPECT_EQ(purchase.field("fe_emision"), Value::date({2013, 5, 15}));
  EXPECT_TRUE(purchase.field("fe_caduca").isNull());
  EXPECT_TRUE(purchase.field("fe_regis").isNull());
  EXPECT_EQ(purchase.field("mo_base"), Value(100.5));
  EXPECT_EQ(purchase.field("nu_secu"), Value(std::string("000000001")));  // leading zeros kept
}

TEST_F(FixtureDatabase, StoredQueryChangesOnlyTheFirstSystemDateRow) {
  run("insert into tbfechasys (id, Fechasys) values (2, NULL)");
  long rows = -1;
  conn->execute("sp_FechasysActu", rows, CommandType::StoredProc);
  EXPECT_EQ(rows, 1);
  Recordset rs;
  rs.open("select id, Fechasys from tbfechasys order by id", conn);
  ASSERT_EQ(rs.recordCount(), 2);
  EXPECT_EQ(rs.field("Fechasys").kind(), Value::Kind::DateTime);
  rs.moveNext();
  EXPECT_TRUE(rs.field("Fechasys").isNull());
}

TEST_F(FixtureDatabase, JoinedAnnexTablesAreToldApartByTableAndColumn) {
  ASSERT_EQ(insertPurchase(kEmpresa, "000000007"), 1);
  ASSERT_EQ(run("insert into tbAT_Cmprs_IR (co_empresa, co_mes, co_anio, co_provee, nu_serie, nu_secu, "
                "co_IRcodigo, mo_IRbase, va_IRporc, mo_IRmonto) values ('" +
                std::string(kEmpresa) +
                "', '06', '2013', '1790011674001', '001001', '000000007', '303', "
                "100.50, 10, 10.05)"),
            1);
  Recordset rs;
  rs.open(
      "SELECT * FROM tbAT_Cmprs A INNER JOIN tbAT_Cmprs_IR B ON A.co_empresa = B.co_empresa "
      "AND A.nu_serie = B.nu_serie AND A.nu_secu = B.nu_secu",
      conn);
  ASSERT_EQ(rs.recordCount(), 1);
  EXPECT_EQ(rs.field("tbAT_Cmprs.co_mes").asText(), "05");
  EXPECT_EQ(rs.field("TBAT_CMPRS_IR.CO_MES").asText(), "06");
  EXPECT_EQ(rs.field("co_mes").asText(), "05");  // the first of the same name
  EXPECT_EQ(rs.field("tbAT_Cmprs_IR.co_IRcodigo").asText(), "303");
  EXPECT_EQ(rs.field("tbAT_Cmprs_IR.mo_IRmonto"), Value(10.05));
  EXPECT_EQ(rs.field("tbAT_Cmprs.mo_base"), Value(100.5));
}

TEST_F(FixtureDatabase, RowsAffectedOnAnAnnexTable) {
  const std::string other = "0992314702001";
  struct Case {
    std::string sql;
    long rows;
  };
  const Case cases[] = {
      {"insert into tbAT_CmptsAnu (co_empresa, co_mes, co_anio, co_comprob, nu_serie, nu_secu_ini, "
       "nu_secu_fin, nu_autoriza, fe_anula) values ('" +
           std::string(kEmpresa) +
           "', '05', '2013', '01', '001001', '000000010', '000000012', '1111111111', "
           "'2013-05-20')",
       1},
      {"insert into tbAT_CmptsAnu (co_empresa, co_mes, co_anio, co_comprob) select co_empresa, '06', "
       "co_anio, "
       "co_comprob from tbAT_CmptsAnu",
       1},
      {"insert into tbAT_CmptsAnu (co_empresa, co_mes, co_anio) values ('" + other + "', '05', '2013')", 1},
      {"update tbAT_CmptsAnu set st_regis = 'A' where co_empresa = '" + std::string(kEmpresa) + "'", 2},
      {"update tbAT_CmptsAnu set st_regis = 'A' where co_empresa = 'ninguna'", 0},
      {"delete from tbAT_CmptsAnu where co_empresa = '" + std::string(kEmpresa) + "' and co_mes = '06'", 1},
      {"delete from tbAT_CmptsAnu", 2},
  };
  for (const Case& c : cases) EXPECT_EQ(run(c.sql), c.rows) << c.sql;
  EXPECT_EQ(count("tbAT_CmptsAnu"), 0);
}

TEST_F(FixtureDatabase, TextThatIsNotADateIsRefusedAndTheCountKept) {
  long rows = 42;
  const auto e = errorOf([&] {
    conn->execute("insert into tbAT_CmptsAnu (co_empresa, co_mes, co_anio, fe_anula) values ('" +
                      std::string(kEmpresa) + "', '05', '2013', '20/05/2013')",
                  rows);
  });
  ASSERT_TRUE(e);
  EXPECT_NE(e->description().find("CHECK constraint failed"), std::string::npos) << e->description();
  EXPECT_EQ(rows, 42);
  EXPECT_EQ(count("tbAT_CmptsAnu"), 0);
}

TEST_F(FixtureDatabase, OldEngineFormsRunOnTheAnnexTables) {
  const std::string other = "0992314702001";
  insertPurchase(kEmpresa, "000000001");
  insertPurchase(kEmpresa, "000000002");
  insertPurchase(other, "000000003");
  Recordset identity;
  identity.open("SELECT @@IDENTITY", conn);
  EXPECT_EQ(identity.field(0).asInteger(), std::stoll(db.scalar("select max(id_reg) from tbAT_Cmprs")));
  EXPECT_EQ(db.scalar("select nu_secu from tbAT_Cmprs where id_reg = " +
                      std::to_string(identity.field(0).asInteger())),
            "000000003");

  EXPECT_EQ(run("delete from tbAT_Cmprs A where A.co_empresa = '" + std::string(kEmpresa) + "'"), 2);
  EXPECT_EQ(db.scalar("select co_empresa from tbAT_Cmprs"), other);
  EXPECT_EQ(run("delete * from tbAT_Cmprs"), 1);
  EXPECT_EQ(count("tbAT_Cmprs"), 0);
}

}  // namespace
}  // namespace vt::db
