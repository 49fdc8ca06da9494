// The file engine through Connection: opening, rows affected, errors, transactions, stored queries.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "expect_error.hpp"
#include "platform/database/connection.hpp"
#include "platform/database/errors.hpp"
#include "platform/database/file_lookup.hpp"
#include "platform/database/recordset.hpp"
#include "platform/database/statement_observer.hpp"
#include "temp_database.hpp"

namespace vt::db {
namespace {

using test::errorNumber;
using test::errorOf;
using test::TempDatabase;

class SqliteConnection : public ::testing::Test {
 protected:
  void SetUp() override { conn->open(db.file().string()); }
  long count(const std::string& where = "") {
    Recordset rs;
    rs.open("select count(*) as n from tbEmpresas " + where, conn);
    return static_cast<long>(rs.field("n").asInteger());
  }

  TempDatabase db;
  std::shared_ptr<Connection> conn = Connection::create();
};

TEST(SqliteOpen, MissingFileFailsAndIsNotCreated) {
  TempDatabase db;
  const auto missing = db.folder() / "NOEXISTE.MDB";
  auto conn = Connection::create();
  const auto e = errorOf([&] { conn->open(missing.string()); });
  ASSERT_TRUE(e);
  EXPECT_NE(e->description().find("NOEXISTE.MDB"), std::string::npos);
  EXPECT_EQ(conn->state(), State::Closed);
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(SqliteOpen, UpperCasedFileNameIsFound) {
  TempDatabase db("global.mdb");
  auto conn = Connection::create();
  conn->setProvider("Microsoft.Jet.OLEDB.4.0");
  conn->open((db.folder() / "GLOBAL.MDB").string(), "admin", "");
  EXPECT_EQ(conn->state(), State::Open);
  EXPECT_EQ(conn->dialect(), Dialect::SQLite);
  EXPECT_FALSE(std::filesystem::exists(db.folder() / "GLOBAL.MDB"));
}

TEST(SqliteOpen, ExactFileNameWinsOverCaseVariants) {
  TempDatabase db("GLOBAL.MDB");
  std::ofstream(db.folder() / "global.mdb") << "otro";
  std::ofstream(db.folder() / "Global.mdb") << "otro";
  EXPECT_EQ(findFileNoCase(db.folder() / "GLOBAL.MDB"), db.folder() / "GLOBAL.MDB");
  EXPECT_EQ(findFileNoCase(db.folder() / "gLoBaL.MdB"), db.folder() / "GLOBAL.MDB");  // first in byte order
  EXPECT_EQ(findFileNoCase(db.folder() / "otro.mdb"), std::nullopt);
  EXPECT_EQ(findFileNoCase(db.folder()), std::nullopt);  // a folder is not a database file
}

TEST(SqliteOpen, FileThatIsNotADatabaseFailsAtOpen) {
  TempDatabase db;
  const auto bogus = db.folder() / "texto.mdb";
  std::ofstream(bogus) << "esto no es una base de datos, solo texto suficiente para la cabecera";
  auto conn = Connection::create();
  EXPECT_EQ(errorNumber([&] { conn->open(bogus.string()); }), 26);  // SQLITE_NOTADB
  EXPECT_EQ(conn->state(), State::Closed);
}

TEST(SqliteOpen, AnEmptyFileIsRefusedAndLeftUntouched) {
  TempDatabase db;
  const auto vacia = db.folder() / "GLOBAL.MDB";
  std::ofstream(vacia).flush();
  auto conn = Connection::create();
  EXPECT_EQ(errorNumber([&] { conn->open(vacia.string()); }), 26);  // SQLITE_NOTADB
  EXPECT_EQ(conn->state(), State::Closed);
  EXPECT_EQ(std::filesystem::file_size(vacia), 0u) << "never turned into an empty database";
  EXPECT_FALSE(std::filesystem::exists(vacia.string() + "-wal"));
}

// A database in a folder the user cannot write: the journal cannot make its -shm file there, so
// the file is opened read-only. Reads work; a write says the database is read-only. Root writes
// anywhere, so the check runs in a child process as an unprivileged user.
TEST(SqliteOpen, FolderThatCannotBeWrittenIsOpenedReadOnly) {
  TempDatabase db;
  db.exec("PRAGMA journal_mode=WAL");
  const std::filesystem::path folder = db.folder();
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::remove);
  std::filesystem::permissions(folder,
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                   std::filesystem::perms::others_read | std::filesystem::perms::others_exec,
                               std::filesystem::perm_options::add);
  std::filesystem::permissions(db.file(), std::filesystem::perms::others_read,
                               std::filesystem::perm_options::add);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(10);
    if (::access(folder.c_str(), W_OK) == 0) ::_exit(11);
    int status = 0;
    try {
      auto conn = Connection::create();
      conn->open(db.file().string());
      Recordset rs;
      rs.open("select count(*) as n from tbEmpresas", conn);
      if (rs.field("n").asInteger() < 1) status = 12;
      const auto e = errorOf([&] { conn->execute("delete from tbEmpresas"); });
      if (!e || e->description().find("readonly") == std::string::npos) status = 13;
    } catch (...) {
      status = 14;
    }
    ::_exit(status);
  }
  int status = -1;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "10 no user to switch to, 11 the folder is writable, 12 no rows, "
                                       "13 the write did not fail as read-only, 14 the open or read failed";
}

TEST_F(SqliteConnection, RowsAffectedByInsertUpdateDelete) {
  struct Case {
    const char* sql;
    long rows;
  };
  const Case cases[] = {
      {"insert into tbEmpresas (nu_ruc, ds_nombre) values ('0190000000001', 'Nueva')", 1},
      {"update tbEmpresas set st_regis = 'I' where st_regis = 'A'", 4},
      {"update tbEmpresas set st_regis = 'A' where nu_ruc = 'ninguno'", 0},
      {"delete from tbEmpresas where nu_ruc like '17%'", 2},
      {"select * from tbEmpresas", -1},
  };
  for (const auto& c : cases) {
    long rows = 99;
    conn->execute(c.sql, rows);
    EXPECT_EQ(rows, c.rows) << c.sql;
  }
}

TEST_F(SqliteConnection, FailedInsertRaisesWithEngineTextAndKeepsCount) {
  long rows = 77;
  const auto e = errorOf([&] {
    conn->execute("insert into tbEmpresas (nu_ruc, ds_nombre) values ('1790011674001', 'Repetida')", rows);
  });
  ASSERT_TRUE(e);
  EXPECT_EQ(e->number(), 19);  // SQLITE_CONSTRAINT
  EXPECT_NE(e->description().find("UNIQUE constraint failed"), std::string::npos) << e->description();
  EXPECT_EQ(rows, 77);
}

TEST_F(SqliteConnection, RollbackRestoresAndCommitKeeps) {
  EXPECT_EQ(conn->beginTrans(), 1);
  conn->execute("delete from tbEmpresas");
  EXPECT_EQ(count(), 0);
  conn->rollbackTrans();
  EXPECT_EQ(count(), 3);
  conn->beginTrans();
  conn->execute("delete from tbEmpresas where nu_ruc = '1790011674001'");
  conn->commitTrans();
  EXPECT_FALSE(conn->inTransaction());
  EXPECT_EQ(db.scalar("select count(*) from tbEmpresas"), "2");
}

TEST_F(SqliteConnection, CloseWithOpenTransactionRollsBack) {
  conn->beginTrans();
  conn->execute("delete from tbEmpresas");
  conn->close();
  EXPECT_EQ(db.scalar("select count(*) from tbEmpresas"), "3");
  conn->open(db.file().string());
  EXPECT_FALSE(conn->inTransaction());
  EXPECT_EQ(count(), 3);
}

TEST_F(SqliteConnection, TransactionMisuseRaises) {
  EXPECT_EQ(errorNumber([&] { conn->commitTrans(); }), kErrNoTransaction);
  EXPECT_EQ(errorNumber([&] { conn->rollbackTrans(); }), kErrNoTransaction);
  conn->beginTrans();
  EXPECT_EQ(errorNumber([&] { conn->beginTrans(); }), kErrNestedTransaction);
  EXPECT_TRUE(conn->inTransaction());
  conn->rollbackTrans();
}

TEST_F(SqliteConnection, ClosedConnectionRaisesClosedObjectError) {
  conn->close();
  const auto e = errorOf([&] { conn->execute("delete from tbEmpresas"); });
  ASSERT_TRUE(e);
  EXPECT_EQ(e->number(), kErrObjectClosed);
  EXPECT_EQ(e->description(), "No se permite la operación si el objeto está cerrado.");
  EXPECT_EQ(errorNumber([&] { conn->beginTrans(); }), kErrObjectClosed);
  EXPECT_EQ(errorNumber([&] { conn->close(); }), kErrObjectClosed);
  Recordset rs;
  EXPECT_EQ(errorNumber([&] { rs.open("select * from tbEmpresas", conn); }), kErrConnectionUnusable);
  EXPECT_EQ(conn->dialect(), Dialect::None);
}

TEST_F(SqliteConnection, OpenTwiceAndEmptyStatementRaise) {
  EXPECT_EQ(errorNumber([&] { conn->open(db.file().string()); }), kErrObjectOpen);
  EXPECT_EQ(errorNumber([&] { conn->execute("  "); }), kErrNoCommandText);
}

// A command text is one statement: a second one never runs, whatever comes before it.
TEST_F(SqliteConnection, TextAfterTheStatementIsRefusedBeforeAnythingRuns) {
  struct Case {
    const char* sql;
    long rows;  // -2: refused
  };
  const Case cases[] = {
      {"delete from tbEmpresas where nu_ruc = '1790011674001';", 1},
      {"delete from tbEmpresas where nu_ruc = '0990017514001' ; -- fin\n ;", 1},
      {"delete from tbEmpresas where nu_ruc = 'x'; delete from tbEmpresas", -2},
      {"update tbEmpresas set st_regis = 'I'; drop table tbEmpresas", -2},
      {"delete from tbEmpresas where nu_ruc = 'x'; esto no es sql", -2},
  };
  for (const auto& c : cases) {
    long rows = -2;
    if (c.rows == -2)
      EXPECT_EQ(errorNumber([&] { conn->execute(c.sql, rows); }), kErrTextAfterStatement) << c.sql;
    else
      conn->execute(c.sql, rows);
    EXPECT_EQ(rows, c.rows) << c.sql;
  }
  EXPECT_EQ(count("where st_regis = 'A'"), 1);

  Recordset rs;
  EXPECT_EQ(errorNumber([&] { rs.open("select * from tbEmpresas; delete from tbEmpresas", conn); }),
            kErrTextAfterStatement);
  EXPECT_EQ(rs.state(), State::Closed);
  rs.open("select * from tbEmpresas ; ", conn);
  EXPECT_EQ(rs.recordCount(), 1);
  // A statement that is wrong in itself still fails with the engine's own text.
  const auto e = errorOf([&] { conn->execute("delete from no_existe; delete from tbEmpresas"); });
  ASSERT_TRUE(e);
  EXPECT_NE(e->description().find("no_existe"), std::string::npos) << e->description();
}

TEST_F(SqliteConnection, StoredQueryChangesOneRow) {
  long rows = 0;
  conn->beginTrans();
  conn->execute("sp_FechasysActu", rows, CommandType::StoredProc);
  conn->commitTrans();
  EXPECT_EQ(rows, 1);
  Recordset rs;
  rs.open("SELECT * FROM tbfechasys WHERE (tbfechasys.id)=1", conn);
  const Value& stamp = rs.field("Fechasys");
  ASSERT_EQ(stamp.kind(), Value::Kind::DateTime);
  EXPECT_FALSE(stamp.asTimestamp().dateOnly);
  EXPECT_GE(stamp.asTimestamp().value.date.year, 2020);

  conn->execute("SP_SINCAMBIOS", rows, CommandType::StoredProc);
  EXPECT_EQ(rows, 0);
  EXPECT_EQ(errorNumber([&] { conn->execute("sp_NoExiste", rows, CommandType::StoredProc); }),
            kErrNoStoredQuery);
}

TEST_F(SqliteConnection, OldEngineFormsRun) {
  long rows = -5;
  conn->execute("delete * from tbAT_Cmprs A where A.co_empresa = '1790011674001'", rows);
  EXPECT_EQ(rows, 1);
  conn->execute("delete from tbAT_Cmprs_IR A where A.co_empresa='9999999999999' ", rows);
  EXPECT_EQ(rows, 1);
  conn->execute("insert into tbAT_Cmprs (co_empresa) values ('0190000000001')");
  Recordset rs;
  rs.open("SELECT @@IDENTITY as NuComprob", conn);
  EXPECT_EQ(rs.field("NuComprob").asInteger(), std::stoll(db.scalar("select max(id_reg) from tbAT_Cmprs")));
}

TEST_F(SqliteConnection, DateValueFunction) {
  struct Case {
    const char* argument;
    const char* expected;  // nullptr: Null
  };
  const Case cases[] = {
      {"'15/05/2013'", "2013-05-15"},
      {"'5/1/2013'", "2013-01-05"},
      {"'2013-05-15'", "2013-05-15"},
      {"'2013-05-15 14:11:12'", "2013-05-15"},
      {"'15/05/2013 14:11:12'", "2013-05-15"},
      {"'31/02/2013'", nullptr},
      {"'abc'", nullptr},
      {"41409", nullptr},
      {"NULL", nullptr},
  };
  for (const auto& c : cases) {
    Recordset rs;
    rs.open(std::string("select DateValue(") + c.argument + ") as d", conn);
    const Value& v = rs.field("d");
    if (c.expected)
      EXPECT_EQ(v, Value(std::string(c.expected))) << c.argument;
    else
      EXPECT_TRUE(v.isNull()) << c.argument;
  }
}

TEST_F(SqliteConnection, DateValueComparesWithStoredDates) {
  EXPECT_EQ(count("where fe_alta <= DateValue('15/05/2013') and fe_alta >= DateValue('01/05/2013')"), 1);
}

TEST(SqliteTwoConnections, OneReadsWhileTheOtherHoldsAWriteTransaction) {
  TempDatabase db;
  auto writer = Connection::create();
  auto reader = Connection::create();
  writer->open(db.file().string());
  reader->open(db.file().string());
  writer->beginTrans();
  writer->execute("insert into tbEmpresas (nu_ruc, ds_nombre) values ('0190000000001', 'Nueva')");
  Recordset rs;
  rs.open("select count(*) as n from tbEmpresas", reader);
  EXPECT_EQ(rs.field("n").asInteger(), 3);
  writer->commitTrans();
  rs.close();
  rs.open("select count(*) as n from tbEmpresas", reader);
  EXPECT_EQ(rs.field("n").asInteger(), 4);
  EXPECT_EQ(db.scalar("pragma journal_mode"), "wal");
}

TEST(SqliteTwoConnections, WriterWaitsOnlyUntilTheCommandTimeOut) {
  TempDatabase db;
  auto first = Connection::create();
  auto second = Connection::create();
  first->open(db.file().string());
  second->setCommandTimeout(1);
  second->open(db.file().string());
  first->beginTrans();
  EXPECT_EQ(errorNumber([&] { second->beginTrans(); }), 5);  // SQLITE_BUSY, not a hang
  EXPECT_FALSE(second->inTransaction());
  first->rollbackTrans();
  second->beginTrans();
  second->commitTrans();
}

TEST(SqliteTwoConnections, ATimeOutSetAfterTheOpenBoundsTheWaitAndTheFailureIsALock) {
  TempDatabase db;
  auto first = Connection::create();
  auto second = Connection::create();
  first->open(db.file().string());
  second->open(db.file().string());
  second->setCommandTimeout(1);
  first->beginTrans();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(errorNumber([&] { second->beginTrans(); }), 5);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << "not the 30 s of the open";
  EXPECT_EQ(second->lastFailure(), Failure::Busy);
  first->rollbackTrans();
}

// Which failures the layer files as the statement's own and which as the engine's.
TEST_F(SqliteConnection, FailuresAreSortedByWhoseFaultTheyAre) {
  conn->execute("create table t (a integer not null check (a > 0), b text)");
  struct Case {
    const char* sql;
    Failure kind;
    const char* why;
  };
  const Case cases[] = {
      {"insert into t (a) values (-1)", Failure::Row, "a CHECK constraint"},
      {"insert into t (a) values (NULL)", Failure::Row, "NOT NULL"},
      {"insert into t (a, b) values (1, )", Failure::Row, "a value that made the text unusable"},
      {"insert into t (a, c) values (1, 2)", Failure::Schema, "a column the table lacks"},
      {"insert into falta (a) values (1)", Failure::Schema, "a table the database lacks"},
      {"select c from t", Failure::Schema, "a column a select names"},
      {"insert into t (a) values (1)", Failure::None, "a statement that runs"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    try {
      conn->execute(c.sql);
    } catch (const vt::Error&) {
    }
    EXPECT_EQ(conn->lastFailure(), c.kind);
  }
}

TEST_F(SqliteConnection, ATransactionTheEngineEndedIsNoLongerOpenAndCannotBeCommitted) {
  conn->beginTrans();
  conn->execute("insert into tbEmpresas (nu_ruc, ds_nombre) values ('0190000000001', 'Nueva')");
  {
    ScopedStatementFault lleno([](const Observation&) -> std::optional<InjectedFailure> {
      return InjectedFailure{13, "database or disk is full", Failure::DiskFull, true};
    });
    EXPECT_EQ(
        errorNumber([&] { conn->execute("insert into tbEmpresas (nu_ruc, ds_nombre) values ('x', 'y')"); }),
        13);
  }
  EXPECT_EQ(conn->lastFailure(), Failure::DiskFull);
  EXPECT_FALSE(conn->inTransaction()) << "the engine's own state, not the flag";
  EXPECT_EQ(errorNumber([&] { conn->commitTrans(); }), kErrNoTransaction);
  EXPECT_EQ(count(), 3) << "nothing of the undone transaction was kept";
  conn->beginTrans();  // a new one can start
  conn->rollbackTrans();
}

}  // namespace
}  // namespace vt::db
