// The server-engine path through unixODBC, exercised on the SQLite3 ODBC driver.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "expect_error.hpp"
#include "platform/database/errors.hpp"
#include "platform/database/odbc_backend.hpp"
#include "platform/database/recordset.hpp"
#include "platform/database/statement_observer.hpp"
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

// A store's transaction through the ODBC driver, with a failure injected at its second insert as
// a server gives it: the transaction flag is the backend's own, so that a transaction the engine
// ended is never committed, and what the store did before the failure is undone with it.
TEST(OdbcStoreTransaction, InjectedFailuresAtAnInsert) {
  struct Case {
    InjectedFailure failure;
    bool open;          // the transaction is still open after the failure
    const char* after;  // the companies once the store has ended as the failure says
    const char* why;
  };
  constexpr const char* kBefore = "0990017514001,1790011674001,1791251237001";
  const Case cases[] = {
      {{2627, "Violation of PRIMARY KEY constraint", Failure::Row, false}, true,
       "0190000000001,0190000000003,0990017514001", "a row's own refusal: the others are committed"},
      {{229, "The INSERT permission was denied on the object", Failure::Other, false}, true, kBefore,
       "a permission denied leaves the transaction open but fails the store: rolled back"},
      {{1205, "Transaction was deadlocked and has been chosen as the deadlock victim", Failure::Busy, true}, false,
       kBefore, "a deadlock victim: the server ended the transaction"},
      {{9002, "The transaction log for database is full", Failure::DiskFull, true}, false, kBefore,
       "a full log, after which the server rolled back"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    TempDatabase db;
    auto conn = Connection::create();
    conn->open("Driver=SQLite3;Database=" + db.file().string());
    ASSERT_EQ(db.scalar("select group_concat(nu_ruc) from (select nu_ruc from tbEmpresas order by nu_ruc)"),
              kBefore);
    conn->beginTrans();
    conn->execute("delete from tbEmpresas where nu_ruc like '1%'");
    int inserts = 0;
    const ScopedStatementFault fault([&](const Observation& o) -> std::optional<InjectedFailure> {
      if (o.kind != ObservedKind::Execute || !o.text.starts_with("insert") || ++inserts != 2) return std::nullopt;
      return c.failure;
    });
    bool failed = false;
    for (const char* ruc : {"0190000000001", "0190000000002", "0190000000003"}) {
      try {
        conn->execute(std::string("insert into tbEmpresas (nu_ruc, ds_nombre) values ('") + ruc + "', 'Nueva')");
      } catch (const vt::Error& e) {
        EXPECT_EQ(e.number(), c.failure.number);
        EXPECT_EQ(conn->lastFailure(), c.failure.kind);
        failed = true;
      }
      EXPECT_EQ(conn->inTransaction(), c.open || !failed) << ruc;
      if (failed && failsWholeWork(c.failure.kind)) break;
    }
    EXPECT_TRUE(failed);
    if (!c.open) {
      EXPECT_TRUE(errorOf([&] { conn->commitTrans(); })) << "nothing is left to commit";
    } else if (failsWholeWork(c.failure.kind)) {
      conn->rollbackTrans();
    } else {
      conn->commitTrans();
    }
    EXPECT_EQ(db.scalar("select group_concat(nu_ruc) from (select nu_ruc from tbEmpresas order by nu_ruc)"),
              c.after);
  }
}

// The SQLite driver files every failure under one general state: a duplicate key through it is
// no row's own fault, and fails the store.
TEST_F(OdbcConnection, AFailureTheDriverCannotPlaceFailsTheWholeWork) {
  conn->beginTrans();
  EXPECT_TRUE(errorOf([&] {
    conn->execute("insert into tbEmpresas (nu_ruc, ds_nombre) values ('1790011674001', 'Repetida')");
  }));
  EXPECT_TRUE(failsWholeWork(conn->lastFailure())) << static_cast<int>(conn->lastFailure());
  EXPECT_TRUE(conn->inTransaction());
  conn->rollbackTrans();
}

TEST(OdbcFailure, OnlyARowsOwnValuesAreTheRowsFault) {
  struct Case {
    const char* state;
    Failure kind;
    const char* why;
  };
  const Case cases[] = {
      {"23000", Failure::Row, "an integrity constraint: a duplicate key, a null in a required column"},
      {"23505", Failure::Row, "a unique violation as another server numbers it"},
      {"22001", Failure::Row, "a text too long for its column"},
      {"22003", Failure::Row, "a number out of range"},
      {"22007", Failure::Row, "a date the server cannot read"},
      {"22018", Failure::Row, "a value that does not convert to the column's type"},
      {"42000", Failure::Other, "a statement refused, and SQL Server's permission denied: never the row's"},
      {"42501", Failure::Other, "an insufficient privilege as other servers say it"},
      {"42601", Failure::Other, "a syntax error is the program's, not the row's"},
      {"42S02", Failure::Schema, "a table missing"},
      {"42S22", Failure::Schema, "a column missing"},
      {"40001", Failure::Busy, "a deadlock victim or a serialization failure"},
      {"40P01", Failure::Busy, "a deadlock as another server says it"},
      {"40003", Failure::Other, "a statement whose completion is unknown"},
      {"HYT00", Failure::Busy, "a time-out"},
      {"HYT01", Failure::Busy, "a connection time-out"},
      {"HY001", Failure::NoMemory, "the driver's memory"},
      {"08S01", Failure::Io, "the link to the server lost"},
      {"25000", Failure::Other, "an invalid transaction state"},
      {"28000", Failure::Other, "an invalid authorization"},
      {"HY000", Failure::Other, "a general error of the driver"},
      {"", Failure::Other, "no state at all"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(odbcFailure(c.state), c.kind) << c.state;
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
