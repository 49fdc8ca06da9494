// The log of a large commit copied back into the file on the checkpoint worker: nothing committed is
// lost whether the writer closes at once, reopens, or reads on beside the worker; the file alone
// holds every row once the worker is done; a forked child's commits neither hang nor lose rows.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <random>

#include "platform/database/connection.hpp"
#include "platform/database/recordset.hpp"
#include "platform/database/sqlite_checkpoint.hpp"
#include "temp_database.hpp"

namespace vt::db {
namespace {

namespace fs = std::filesystem;
using test::TempDatabase;

// About 240 bytes a row: 20,000 rows leave well over kCheckpointPages pages of 4 KiB in the log.
void inserta(Connection& c, long desde, long filas) {
  c.execute("WITH RECURSIVE n(x) AS (SELECT " + std::to_string(desde) + " UNION ALL SELECT x + 1 FROM n WHERE x < " +
            std::to_string(desde + filas - 1) + ") INSERT INTO grande (x, relleno) SELECT x, hex(randomblob(120)) FROM n");
}

long cuenta(const std::shared_ptr<Connection>& c) {
  Recordset rs;
  rs.open("select count(*) as n, coalesce(sum(x), 0) as s from grande", c);
  return static_cast<long>(rs.field("n").asInteger());
}

// The rows of the database file as it stands, without its log: a copy of the file alone.
long filasDelArchivoSolo(const TempDatabase& db) {
  const fs::path copia = db.folder() / "solo.db";
  fs::copy_file(db.file(), copia, fs::copy_options::overwrite_existing);
  sqlite3* s = nullptr;
  long n = -1;
  if (sqlite3_open_v2(copia.c_str(), &s, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(s, "select count(*) from grande", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
      n = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
  }
  sqlite3_close_v2(s);
  fs::remove(copia);
  return n;
}

class Checkpoint : public ::testing::Test {
 protected:
  void SetUp() override { db.exec("create table grande (x integer, relleno text)"); }
  std::shared_ptr<Connection> abre() {
    auto c = Connection::create();
    c->open(db.file().string());
    return c;
  }
  TempDatabase db;
};

TEST_F(Checkpoint, ALargeCommitClosedAtOnceEndsInTheFileAloneAndItsLogIsRemoved) {
  auto c = abre();
  c->beginTrans();
  inserta(*c, 1, 20000);
  c->commitTrans();
  c->close();  // the worker may still be copying: the close must leave the log to it
  waitForCheckpoints();
  EXPECT_EQ(filasDelArchivoSolo(db), 20000);
  EXPECT_FALSE(fs::exists(db.file().string() + "-wal")) << "the last connection to close removes the log";
  EXPECT_EQ(db.scalar("pragma integrity_check"), "ok");
}

TEST_F(Checkpoint, RandomCommitsReopensAndReadersLoseNothing) {
  std::mt19937 azar(5);
  long total = 0;
  auto escritor = abre();
  auto lector = abre();
  for (int vuelta = 0; vuelta < 12; ++vuelta) {
    // Under, at and well past the pages that hand a checkpoint over, as one commit or autocommit.
    const long filas = std::array<long, 5>{1, 50, 4000, 17000, 30000}[azar() % 5];
    const bool transaccion = azar() % 2 == 0;
    if (transaccion) escritor->beginTrans();
    inserta(*escritor, total + 1, filas);
    if (transaccion) escritor->commitTrans();
    total += filas;
    switch (azar() % 3) {
      case 0:  // the store's connection closes at once and the next pass opens anew
        escritor->close();
        escritor = abre();
        break;
      case 1:  // the annex reads while the worker copies
        EXPECT_EQ(cuenta(lector), total) << vuelta;
        break;
      default:
        break;
    }
    EXPECT_EQ(cuenta(abre()), total) << vuelta;
  }
  escritor->close();
  lector->close();
  waitForCheckpoints();
  EXPECT_EQ(filasDelArchivoSolo(db), total);
  EXPECT_EQ(db.scalar("pragma integrity_check"), "ok");
}

TEST_F(Checkpoint, AForkedChildCommitsAndEndsWithoutWaitingForItsParentsWorker) {
  {
    auto c = abre();
    c->beginTrans();
    inserta(*c, 1, 20000);
    c->commitTrans();  // the parent's worker exists and may be busy when the child is made
  }
  const pid_t hijo = fork();
  if (hijo == 0) {
    alarm(60);  // a child waiting on a worker it does not have would hang: end it instead
    auto c = Connection::create();
    c->open(db.file().string());
    c->beginTrans();
    inserta(*c, 20001, 20000);
    c->commitTrans();
    c->close();
    std::exit(0);  // runs the exit handlers, which finish the child's own worker
  }
  int estado = 0;
  ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
  ASSERT_TRUE(WIFEXITED(estado)) << "the child ended by signal " << WTERMSIG(estado);
  EXPECT_EQ(WEXITSTATUS(estado), 0);
  waitForCheckpoints();
  EXPECT_EQ(cuenta(abre()), 40000);
  EXPECT_EQ(db.scalar("pragma integrity_check"), "ok");
}

}  // namespace
}  // namespace vt::db
