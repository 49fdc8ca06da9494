// The server-engine path through unixODBC, exercised on the SQLite3 ODBC driver.

#include <gtest/gtest.h>

#include "expect_error.hpp"
#include "platform/database/errors.hpp"
#include "platform/database/recordset.hpp"
#include "temp_database.hpp"

namespace vt::db {
namespace {

using test::errorNumber;
using test::errorOf;
using test::TempDatabase;

class OdbcConnection : public ::testing::Test {
 protected:
  void SetUp() override { conn->open("Driver=SQLite3;Database=" + db.file().string()); }
  long count() {
    Recordset rs;
    rs.open("select count(*) as n from tbEmpresas", conn);
    return static_cast<long>(rs.field("N").asInteger());
  }
  TempDatabase db;
  std::shared_ptr<Connection> conn = Connection::create();
};

TEST_F(OdbcConnection, SelectReadsTypedRows) {
  EXPECT_EQ(conn->dialect(), Dialect::OtherOdbc);
  Recordset rs;
  rs.open("select id_reg, nu_ruc, ds_nombre, po_iva from tbEmpresas t order by t.id_reg", conn);
  EXPECT_EQ(rs.recordCount(), 3);
  EXPECT_EQ(rs.field("NU_RUC").asText(), "1790011674001");
  EXPECT_EQ(rs.field("tbEmpresas.nu_ruc").asText(), "1790011674001");
  EXPECT_EQ(rs.field("id_reg").asInteger(), 1);
  EXPECT_EQ(rs.field("po_iva").asDouble(), 12.0);
  rs.moveNext();
  EXPECT_EQ(rs.field("ds_nombre").asText(), "Bodegas del Pacífico");
  rs.moveNext();
  EXPECT_TRUE(rs.field("po_iva").isNull());
}

TEST_F(OdbcConnection, RowsAffectedAndFailedInsert) {
  long rows = 0;
  conn->execute("insert into tbEmpresas (nu_ruc, ds_nombre) values ('0190000000001', 'Nueva')", rows);
  EXPECT_EQ(rows, 1);
  conn->execute("update tbEmpresas set st_regis = 'I' where nu_ruc like '1%'", rows);
  EXPECT_EQ(rows, 2);
  conn->execute("delete from tbEmpresas where nu_ruc = 'ninguno'", rows);
  EXPECT_EQ(rows, 0);
  rows = 77;
  const auto e = errorOf([&] {
    conn->execute("insert into tbEmpresas (nu_ruc, ds_nombre) values ('1790011674001', 'Repetida')", rows);
  });
  ASSERT_TRUE(e);
  EXPECT_NE(e->description().find("UNIQUE"), std::string::npos) << e->description();
  EXPECT_EQ(rows, 77);
}

TEST_F(OdbcConnection, TransactionsRollBackAndCommit) {
  conn->beginTrans();
  conn->execute("delete from tbEmpresas");
  EXPECT_EQ(count(), 0);
  conn->rollbackTrans();
  EXPECT_EQ(count(), 3);
  conn->beginTrans();
  conn->execute("delete from tbEmpresas where nu_ruc = '1790011674001'");
  conn->commitTrans();
  EXPECT_EQ(db.scalar("select count(*) from tbEmpresas"), "2");
  conn->beginTrans();
  conn->execute("delete from tbEmpresas");
  conn->close();
  EXPECT_EQ(db.scalar("select count(*) from tbEmpresas"), "2");
}

// A recordset opened on a change runs it and holds no rows, on either backend.
TEST(RecordsetOnAChange, RunsItAndHoldsNoRowsOnBothBackends) {
  TempDatabase db;
  for (const std::string& text : {db.file().string(), "Driver=SQLite3;Database=" + db.file().string()}) {
    auto conn = Connection::create();
    conn->open(text);
    Recordset rs;
    rs.open("update tbEmpresas set st_regis = 'I' where nu_ruc = '1790011674001'", conn);
    EXPECT_EQ(rs.state(), State::Open) << text;
    EXPECT_TRUE(rs.eof()) << text;
    EXPECT_EQ(rs.recordCount(), 0) << text;
    EXPECT_EQ(db.scalar("select st_regis from tbEmpresas where nu_ruc = '1790011674001'"), "I") << text;
    conn->execute("update tbEmpresas set st_regis = 'A'");
  }
}

TEST(OdbcOpen, UnknownDriverFailsWithTheDriverManagerText) {
  auto conn = Connection::create();
  const auto e = errorOf([&] { conn->open("Driver={No Such Driver};Server=x"); });
  ASSERT_TRUE(e);
  EXPECT_FALSE(e->description().empty());
  EXPECT_EQ(conn->state(), State::Closed);
}

}  // namespace
}  // namespace vt::db
