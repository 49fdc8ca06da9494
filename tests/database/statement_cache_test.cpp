// Statements that share one prepared statement per shape: what is lifted out of a text, and that
// a text run through its shape gives exactly what the text run as written gives.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "expect_error.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/database/connection.hpp"
#include "platform/database/errors.hpp"
#include "platform/database/sql_literals.hpp"
#include "platform/database/sql_text.hpp"
#include "platform/database/sql_value.hpp"
#include "platform/database/sqlite_backend.hpp"
#include "platform/errors/error.hpp"
#include "temp_database.hpp"

namespace vt::db {
namespace {

using test::TempDatabase;

// "T:text", "I:12", "R:1.5" per literal, for readable comparisons.
std::string describe(const std::vector<SqlLiteral>& literals) {
  std::string out;
  for (const auto& l : literals) {
    if (!out.empty()) out += " ";
    switch (l.kind) {
      case SqlLiteral::Kind::Text:
        out += "T:" + l.value();
        break;
      case SqlLiteral::Kind::Integer:
        out += "I:" + std::to_string(l.integer);
        break;
      case SqlLiteral::Kind::Real:
        out += "R:" + std::string(l.text);
        break;
    }
  }
  return out;
}

TEST(LiftLiterals, ShapesAndValues) {
  struct Case {
    const char* sql;
    const char* shape;  // nullptr: refused, the text runs as written
    const char* literals;
    const char* why;
  };
  const Case cases[] = {
      {"SELECT * FROM tbcttgComprob WHERE co_comprob = '01'",
       "SELECT * FROM tbcttgComprob WHERE co_comprob = ?", "T:01", "a catalogue lookup"},
      {"insert into T (a, b) values ('O''Brien', '')", "insert into T (a, b) values (?, ?)",
       "T:O'Brien T:", "a doubled apostrophe is one apostrophe of the value"},
      {"UPDATE T SET a = -5, b = 3-2, c = - 1.5 WHERE d = -0",
       "UPDATE T SET a = -?, b = ?-?, c = - ? WHERE d = -?", "I:5 I:3 I:2 R:1.5 I:0",
       "a minus stays the operator SQLite reads"},
      {"SELECT col1 FROM tb2 WHERE tb2.col1 = 7 AND x2y=3",
       "SELECT col1 FROM tb2 WHERE tb2.col1 = ? AND x2y=?", "I:7 I:3", "digits inside names are the names'"},
      {"insert into T values (1, 1.0, 1e3, .5, 2., 1E-2, 2.5e+3)",
       "insert into T values (?, ?, ?, ?, ?, ?, ?)", "I:1 R:1.0 R:1e3 R:.5 R:2. R:1E-2 R:2.5e+3",
       "integer or real as the literal was written"},
      {"insert into T values (007, 123456789012345678, 1234567890123456789, 99999999999999999999)",
       "insert into T values (?, ?, 1234567890123456789, 99999999999999999999)", "I:7 I:123456789012345678",
       "past 18 digits SQLite decides between integer and real: kept in the text"},
      {"UPDATE T SET a = -0.0, b = 0.00, c = 0e5, d = -0, e = 0.5",
       "UPDATE T SET a = -0.0, b = 0.00, c = 0e5, d = -?, e = ?", "I:0 R:0.5",
       "a real zero stays: the minus of a literal keeps its sign, the minus of a value does not"},
      {"insert into T values (0x1F, x'41', X'42')", "insert into T values (0x1F, x'41', X'42')", "",
       "hex numbers and blobs stay"},
      {"select 1", "select 1", "", "result columns are named after their text"},
      {"SELECT 'a' AS k, count(1) + 2, (SELECT max(x) FROM u WHERE y = 'b') FROM T WHERE z = 'c'",
       "SELECT 'a' AS k, count(1) + 2, (SELECT max(x) FROM u WHERE y = 'b') FROM T WHERE z = ?", "T:c",
       "nothing is lifted from the result columns, subqueries included"},
      {"SELECT a FROM T WHERE b = 'x' ORDER BY 2 DESC LIMIT 5 OFFSET 1",
       "SELECT a FROM T WHERE b = ? ORDER BY 2 DESC LIMIT 5 OFFSET 1", "T:x",
       "ORDER BY numbers are column positions; LIMIT stays"},
      {"SELECT a, count(*) FROM T WHERE b = 'x' GROUP BY 1 HAVING count(*) > 1",
       "SELECT a, count(*) FROM T WHERE b = ? GROUP BY 1 HAVING count(*) > 1", "T:x", "GROUP BY positions"},
      {"SELECT a FROM T WHERE b IN (SELECT c FROM U WHERE d = 'x' ORDER BY 1 LIMIT 2) AND e = 'y'",
       "SELECT a FROM T WHERE b IN (SELECT c FROM U WHERE d = ? ORDER BY 1 LIMIT 2) AND e = ?", "T:x T:y",
       "a subquery's ORDER BY and LIMIT end with its parenthesis"},
      {"SELECT a FROM T WHERE b = 'x' UNION SELECT 'k' FROM U WHERE c = 'y'",
       "SELECT a FROM T WHERE b = ? UNION SELECT 'k' FROM U WHERE c = ?", "T:x T:y",
       "each SELECT of a compound has its result columns"},
      {"insert into T (a, b) select 'k', c from U where d = 'y'",
       "insert into T (a, b) select 'k', c from U where d = ?", "T:y", "insert from a select"},
      {"SELECT a IS NOT DISTINCT FROM 'x', b FROM T WHERE c IS DISTINCT FROM 'y'",
       "SELECT a IS NOT DISTINCT FROM 'x', b FROM T WHERE c IS DISTINCT FROM ?", "T:y",
       "IS DISTINCT FROM does not end the result columns"},
      {"INSERT INTO T (a) VALUES (1) RETURNING a + 1", "INSERT INTO T (a) VALUES (?) RETURNING a + 1", "I:1",
       "RETURNING names its columns"},
      {"sElEcT * fRoM T wHeRe a = 'x' oRdEr By 1", "sElEcT * fRoM T wHeRe a = ? oRdEr By 1", "T:x",
       "keywords in any case"},
      {"SELECT * FROM [tb 1] WHERE \"a'b\" = 'c' AND `d` = 4",
       "SELECT * FROM [tb 1] WHERE \"a'b\" = ? AND `d` = ?", "T:c I:4", "quoted names are names"},
      {"SELECT * FROM T -- it's 5\nWHERE a = 'b' /* 'c' 6 */",
       "SELECT * FROM T -- it's 5\nWHERE a = ? /* 'c' 6 */", "T:b", "comments stay as they are"},
      {"delete from T AS A where A.x = 'Año ñandú' ;  -- fin", "delete from T AS A where A.x = ? ;  -- fin",
       "T:Año ñandú", "one statement with a closing ; and a comment"},
      {"SELECT * FROM T WHERE a = 1e", "SELECT * FROM T WHERE a = 1e", "",
       "a number glued to a name is not a number to SQLite"},
      {"SELECT * FROM T WHERE a = t.5 AND b = 'x''y'", "SELECT * FROM T WHERE a = t.5 AND b = ?", "T:x'y",
       "a number glued to a name stays"},
      {"SELECT * FROM T WHERE a = 'x' 'y'", "SELECT * FROM T WHERE a = ? ?", "T:x T:y",
       "a syntax error is lifted too: its shape fails to prepare and the text runs"},
      {"CREATE TABLE T (a VARCHAR(10) DEFAULT 'x')", nullptr, "", "DDL is never split"},
      {"ALTER TABLE T ADD COLUMN b INTEGER DEFAULT 0", nullptr, "", "DDL is never split"},
      {"PRAGMA user_version = 3", nullptr, "", "PRAGMA is never split"},
      {"WITH x AS (SELECT 1) SELECT * FROM x", nullptr, "", "only plain statements"},
      {"SELECT * FROM T WHERE a = ? AND b = 'x'", nullptr, "", "the text's own parameter"},
      {"SELECT * FROM T WHERE a = :a AND b = 'x'", nullptr, "", "the text's own named parameter"},
      {"SELECT * FROM T WHERE a = @a", nullptr, "", "the text's own named parameter"},
      {"SELECT * FROM T WHERE a = $a", nullptr, "", "the text's own named parameter"},
      {"DELETE FROM T WHERE a = 1; DROP TABLE T", nullptr, "", "a second statement"},
      {"SELECT * FROM T WHERE a = 'x", nullptr, "", "an unclosed string"},
      {"SELECT * FROM [T WHERE a = 'x'", nullptr, "", "an unclosed name"},
      {"  -- nada\n", nullptr, "", "no statement"},
  };
  LiftedStatement lifted;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    SCOPED_TRACE(c.sql);
    const bool split = liftLiterals(c.sql, lifted);
    ASSERT_EQ(split, c.shape != nullptr);
    if (!split) continue;
    EXPECT_EQ(lifted.shape, c.shape);
    EXPECT_EQ(describe(lifted.literals), c.literals);
  }
}

TEST(LiftLiterals, NulByteIsRefused) {
  LiftedStatement lifted;
  EXPECT_FALSE(liftLiterals(std::string("SELECT * FROM T WHERE a = 'x\0y'", 32), lifted));
}

// A value with its kind and every bit of a double.
std::string describe(const Value& v) {
  char buffer[64];
  switch (v.kind()) {
    case Value::Kind::Null:
      return "Null";
    case Value::Kind::Text:
      return "T:" + v.asText();
    case Value::Kind::Integer:
      return "I:" + std::to_string(v.asInteger());
    case Value::Kind::Double:
      std::snprintf(buffer, sizeof buffer, "D:%a", v.asDouble());
      return buffer;
    case Value::Kind::DateTime: {
      const auto& t = v.asTimestamp();
      std::snprintf(buffer, sizeof buffer, "F:%04d-%02d-%02d %02d:%02d:%02d%s", t.value.date.year,
                    t.value.date.month, t.value.date.day, t.value.hour, t.value.minute, t.value.second,
                    t.dateOnly ? " (fecha)" : "");
      return buffer;
    }
  }
  return "?";
}

// Everything a caller can see of one statement: its rows or count, or its error, then the last
// id and change count of the connection.
std::string outcome(Connection& conn, const std::string& sql, bool query) {
  std::string out;
  try {
    if (query) {
      const ResultData data = conn.query(sql);
      for (const auto& c : data.columns) out += "[" + c.name + "|" + c.table + "|" + c.origin + "]";
      for (const auto& v : data.cells) out += " " + describe(v);
    } else {
      long rows = -7;
      conn.execute(sql, rows);
      out = "rows " + std::to_string(rows);
    }
  } catch (const vt::Error& e) {
    out = "error " + std::to_string(e.number()) + " " + e.description();
  }
  const ResultData after = conn.query("SELECT last_insert_rowid(), changes(), total_changes()");
  for (const auto& v : after.cells) out += " " + describe(v);
  return out;
}

// The whole content of a table with the storage class of every cell.
std::string content(Connection& conn, const std::string& table, const std::string& columns) {
  std::string select = "SELECT ";
  std::string sep;
  for (std::size_t start = 0; start <= columns.size();) {
    auto comma = columns.find(',', start);
    if (comma == std::string::npos) comma = columns.size();
    const std::string column = columns.substr(start, comma - start);
    select += sep + "typeof(" + column + ") || ':' || quote(" + column + ")";
    sep = ", ";
    start = comma + 1;
  }
  std::string out;
  for (const auto& v : conn.query(select + " FROM " + table + " ORDER BY rowid").cells)
    out += describe(v) + "\n";
  return out;
}

// Turns the shared prepared statements on or off for the scope.
class CacheSwitch {
 public:
  explicit CacheSwitch(bool on) : before_(sqliteStatementCache()) { setSqliteStatementCache(on); }
  ~CacheSwitch() { setSqliteStatementCache(before_); }

 private:
  bool before_;
};

constexpr const char* kTypes =
    "CREATE TABLE tbTipos (id INTEGER PRIMARY KEY AUTOINCREMENT, nu INTEGER, vc VARCHAR(10) NOT NULL DEFAULT "
    "'-',"
    " mo NUMERIC(15,2), re REAL, tx TEXT, bl BLOB, sinTipo,"
    " fe DATE CHECK (fe IS NULL OR fe IS date(fe, '+0 days')),"
    " fh DATETIME CHECK (fh IS NULL OR fh IS datetime(fh, '+0 days') OR fh IS date(fh, '+0 days')),"
    " UNIQUE (nu, vc));"
    "INSERT INTO tbTipos (nu, vc, mo, fe) VALUES (1, 'uno', 1.5, '2013-05-15'), (2, '2', 100, NULL),"
    " (3, 'tres', NULL, '2012-02-29');";
constexpr const char* kTypesColumns = "id,nu,vc,mo,re,tx,bl,sinTipo,fe,fh";

// Two databases of the same content, one for a text run as written and one for the same statement
// run through a shared or bound statement.
struct TwoDatabases {
  TwoDatabases() {
    dbText.exec(kTypes);
    dbShared.exec(kTypes);
    text->open(dbText.file().string());
    shared->open(dbShared.file().string());
  }
  TempDatabase dbText, dbShared;
  std::shared_ptr<Connection> text = Connection::create();
  std::shared_ptr<Connection> shared = Connection::create();
};

TEST(StatementCache, TextAndSharedStatementGiveTheSameResults) {
  struct Case {
    const char* sql;
    bool query;
    const char* why;
  };
  const Case cases[] = {
      {"insert into tbTipos (nu, vc) values ('12', 'a')", false, "text into INTEGER becomes an integer"},
      {"insert into tbTipos (nu, vc) values ('12abc', 'b')", false, "text that is no number stays text"},
      {"insert into tbTipos (nu, vc, sinTipo) values (1.0, 'c', 1.0)", false,
       "real into INTEGER becomes integer; no affinity keeps the real"},
      {"insert into tbTipos (nu, vc, re) values (1e3, 'd', 5)", false,
       "1e3 is a real; 5 into REAL becomes 5.0"},
      {"insert into tbTipos (nu, vc, tx) values (13, 12, 1.50)", false,
       "numbers into text columns as SQLite prints them"},
      {"insert into tbTipos (nu, vc, re, mo) values (14, 'e', 10988.358539670390207, 0.1)", false,
       "a real SQLite reads otherwise than the nearest double"},
      {"insert into tbTipos (nu, vc, re, mo) values (15, 'f', 528314373200261e-29, 124573723280918e-11)",
       false, "more reals SQLite reads its own way"},
      {"insert into tbTipos (nu, vc, mo) values (16, 'g', '1.50')", false,
       "text into NUMERIC becomes a number"},
      {"insert into tbTipos (nu, vc, mo, tx) values (17, 'h', '100', '100')", false,
       "whole text into NUMERIC"},
      {"insert into tbTipos (nu, vc, fe, fh) values (18, 'i', '2013-05-31', '2013-06-01 10:00:00')", false,
       "dates that pass the DATE checks"},
      {"insert into tbTipos (nu, vc, fe) values (19, 'j', '2013-02-30')", false, "a date the CHECK refuses"},
      {"insert into tbTipos (nu, vc, fe) values (19, 'j', '31/05/2013')", false,
       "not ISO: the CHECK refuses"},
      {"insert into tbTipos (nu, vc) values (1, 'uno')", false, "UNIQUE refuses, same number and text"},
      {"insert into tbTipos (nu, vc) values (20, NULL)", false, "NOT NULL refuses"},
      {"insert into tbTipos (nu, vc, sinTipo) values (99999999999999999999, 'k', 9223372036854775807)", false,
       "past int64 a real, and the largest integer"},
      {"insert into tbTipos (nu, vc, sinTipo, re) values (-9223372036854775808, 'l', -0.0, - 0)", false,
       "the smallest integer, minus zero"},
      {"insert into tbTipos (nu, vc, sinTipo, re) values (-5, 'm', -1e-400, -2.5e-330)", false,
       "reals that read as zero keep the sign of their minus"},
      {"insert into tbTipos (nu, vc, tx, bl) values (21, 'O''Brien', 'Año ñandú ''x''', x'4142')", false,
       "apostrophes, accents, a blob"},
      {"insert into tbTipos (nu, vc, tx) values (22, '', '   ')", false, "empty and blank texts"},
      {"replace into tbTipos (nu, vc, tx) values (22, '', 'reemplazo')", false, "REPLACE counts like SQLite"},
      {"SELECT id, nu, vc, mo, re, tx, sinTipo, fe, fh FROM tbTipos WHERE id > -100 ORDER BY id", true,
       "all rows typed by declared type"},
      {"SELECT 1, 'a' AS k, 2.50, nu + 1 FROM tbTipos WHERE id = 1", true,
       "result columns named by their text"},
      {"SELECT vc IS NOT DISTINCT FROM 'uno', id FROM tbTipos WHERE id < 3", true,
       "an operator with FROM inside the result columns"},
      {"SELECT id FROM tbTipos WHERE nu = '12'", true,
       "text compared with INTEGER takes the column's affinity"},
      {"SELECT id FROM tbTipos WHERE vc = 2", true,
       "number compared with VARCHAR takes the column's affinity"},
      {"SELECT id FROM tbTipos WHERE sinTipo = '1.0'", true, "no affinity: a text never equals a real"},
      {"SELECT id FROM tbTipos WHERE 7/2 = 3 AND 7/2.0 = 3.5 AND id IN (1, 2, '3')", true,
       "integer and real arithmetic"},
      {"SELECT vc, count(*) FROM tbTipos WHERE nu > 0 GROUP BY 1 ORDER BY 2 DESC, 1 LIMIT 3 OFFSET 1", true,
       "positions and limits"},
      {"SELECT id FROM tbTipos WHERE vc LIKE 'UN%' AND tx IS NULL", true, "LIKE without regard to case"},
      {"SELECT id FROM tbTipos WHERE fe = DateValue('15/05/2013')", true, "DateValue of a literal"},
      {"SELECT tbTipos.id, E.nu_ruc FROM tbTipos, tbEmpresas E WHERE tbTipos.id = E.id_reg AND E.id_reg < 3",
       true, "table.column names"},
      {"UPDATE tbTipos SET tx = CASE WHEN id = 1 THEN 'uno' ELSE 'otro' END WHERE id < 3", false,
       "rows updated"},
      {"UPDATE tbTipos SET tx = 'nada' WHERE id = -1", false, "no row updated"},
      {"delete * from tbTipos where nu = 13", false, "the delete * form"},
      {"delete from tbTipos A where A.nu = 14", false, "the alias without AS"},
      {"SELECT @@IDENTITY", true, "the last id through its old name"},
      {"SELECT * FROM tbTipos WHERE vc = 'x' 'y'", true, "a syntax error near a literal keeps its text"},
      {"SELECT * FROM 'tbTipos' WHERE id = 1", true, "a table name written as a string"},
      {"SELECT id FROM tbTipos WHERE CAST(nu AS VARCHAR(10)) = '12'", true, "a type length in CAST"},
      {"SELECT nada FROM tbTipos WHERE id = 1", true, "no such column"},
      {"UPDATE tbTipos SET tx = 'a' WHERE id = 1; UPDATE tbTipos SET tx = 'b'", false, "a second statement"},
      {"SELECT id FROM tbTipos WHERE 9223372036854775807 + 1 > 0 AND 5 = +5", true,
       "integer overflow to real"},
      {"SELECT id FROM tbTipos WHERE id = 1 AND likelihood(nu = 1, 0.5)", true,
       "a function that wants a constant"},
      {"insert into tbTipos (nu, vc, tx) select 30, 'k', vc from tbTipos where id = 1", false,
       "insert from select"},
  };
  TwoDatabases dbs;
  Connection* text = dbs.text.get();
  Connection* shared = dbs.shared.get();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    SCOPED_TRACE(c.sql);
    // Twice: the second run takes the prepared statement the first one left.
    for (int run = 0; run < 2; ++run) {
      std::string expected;
      {
        CacheSwitch off(false);
        expected = outcome(*text, c.sql, c.query);
      }
      EXPECT_EQ(outcome(*shared, c.sql, c.query), expected);
    }
  }
  CacheSwitch off(false);
  EXPECT_EQ(content(*shared, "tbTipos", kTypesColumns), content(*text, "tbTipos", kTypesColumns));
}

// Amounts (up to 15 digits, up to 3 decimals) are read by the layer itself when bound; they must
// come out as the very doubles SQLite reads from the text, every bit.
TEST(StatementCache, AmountsAreTheDoublesSQLiteReads) {
  TwoDatabases dbs;
  Connection* text = dbs.text.get();
  Connection* shared = dbs.shared.get();
  std::mt19937_64 random(20130531);
  const auto amount = [&random] {
    const int digits = 1 + static_cast<int>(random() % 15);
    const int decimals = static_cast<int>(random() % 4);
    std::string number;
    for (int i = 0; i < digits; ++i) number += static_cast<char>('0' + random() % 10);
    if (decimals == 0) return random() % 2 ? number + "." : number + ".0";
    if (decimals >= digits) return "." + number.substr(0, static_cast<std::size_t>(decimals));
    number.insert(number.size() - static_cast<std::size_t>(decimals), ".");
    return number;
  };
  text->beginTrans();
  shared->beginTrans();
  for (int row = 0; row < 4000; ++row) {
    const std::string sql = "insert into tbTipos (nu, vc, re, sinTipo, mo) values (" +
                            std::to_string(1000 + row) + ", 'r', " + amount() + ", " + amount() + ", -" +
                            amount() + ")";
    {
      CacheSwitch off(false);
      text->execute(sql);
    }
    shared->execute(sql);
  }
  text->commitTrans();
  shared->commitTrans();
  CacheSwitch off(false);
  EXPECT_EQ(content(*shared, "tbTipos", "re,sinTipo,mo"), content(*text, "tbTipos", "re,sinTipo,mo"));
  const auto all = [](Connection& conn) {
    std::string out;
    for (const auto& v : conn.query("SELECT re, sinTipo, mo FROM tbTipos ORDER BY id").cells)
      out += describe(v) + " ";
    return out;
  };
  EXPECT_EQ(all(*shared), all(*text));
}

// One shape, many values: every run binds its own.
TEST(StatementCache, ValuesOfOneShapeDoNotLeakIntoEachOther) {
  TempDatabase db;
  db.exec(kTypes);
  auto conn = Connection::create();
  conn->open(db.file().string());
  for (int i = 0; i < 50; ++i) {
    long rows = 0;
    conn->execute("insert into tbTipos (nu, vc, tx, mo) values (" + std::to_string(100 + i) + ", 'v" +
                      std::to_string(i) + "', 'it''s " + std::to_string(i) + "', " + std::to_string(i) +
                      ".25)",
                  rows);
    EXPECT_EQ(rows, 1);
  }
  for (int i = 0; i < 50; i += 7) {
    const ResultData r = conn->query("SELECT vc, tx, mo FROM tbTipos WHERE nu = " + std::to_string(100 + i));
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_EQ(r.cells[0], Value("v" + std::to_string(i)));
    EXPECT_EQ(r.cells[1], Value("it's " + std::to_string(i)));
    EXPECT_EQ(r.cells[2], Value(i + 0.25));
  }
}

// A schema change on the connection drops what was prepared on the old one.
TEST(StatementCache, SchemaChangesAreSeen) {
  TempDatabase db;
  auto conn = Connection::create();
  conn->open(db.file().string());
  conn->execute("CREATE TABLE tbNueva (a INTEGER, b VARCHAR(5))");
  conn->execute("insert into tbNueva (a, b) values ('007', 1)");
  EXPECT_EQ(conn->query("SELECT * FROM tbNueva WHERE a = 7").columns.size(), 2u);
  conn->execute("ALTER TABLE tbNueva ADD COLUMN c NUMERIC DEFAULT 0");
  const ResultData added = conn->query("SELECT * FROM tbNueva WHERE a = 7");
  ASSERT_EQ(added.columns.size(), 3u);
  EXPECT_EQ(added.columns[2].name, "c");

  conn->execute("DROP TABLE tbNueva");
  conn->execute("CREATE TABLE tbNueva (a VARCHAR(5), b INTEGER)");
  conn->execute("insert into tbNueva (a, b) values ('007', 1)");  // same shape, other column types
  const ResultData retyped = conn->query("SELECT a, b FROM tbNueva WHERE a = '007'");
  ASSERT_EQ(retyped.rowCount(), 1);
  EXPECT_EQ(retyped.cells[0], Value(std::string("007")));
  EXPECT_EQ(retyped.cells[1], Value(std::int64_t{1}));

  // Changed by another connection: SQLite prepares the kept statements again, with new columns.
  EXPECT_EQ(conn->query("SELECT * FROM tbNueva WHERE a = 7").columns.size(), 2u);
  db.exec("DROP TABLE tbNueva; CREATE TABLE tbNueva (a INTEGER, b VARCHAR(5), d TEXT)");
  conn->execute("insert into tbNueva (a, b) values ('007', 1)");
  const ResultData other = conn->query("SELECT * FROM tbNueva WHERE a = 7");
  ASSERT_EQ(other.columns.size(), 3u);
  EXPECT_EQ(other.cells[0], Value(std::int64_t{7}));
  EXPECT_EQ(other.cells[1], Value(std::string("1")));
  db.exec("DROP TABLE tbNueva");
  const auto e = test::errorOf([&] { conn->query("SELECT * FROM tbNueva WHERE a = 7"); });
  ASSERT_TRUE(e);
  EXPECT_EQ(e->description(), "no such table: tbNueva");
}

// More shapes than the cache keeps: the oldest go, and every text still runs right.
TEST(StatementCache, ManyShapesStayCorrect) {
  TempDatabase db;
  db.exec(kTypes);
  auto conn = Connection::create();
  conn->open(db.file().string());
  for (int round = 0; round < 2; ++round) {
    for (int n = 1; n <= 300; ++n) {
      std::string values = "1";
      for (int k = 1; k < n; ++k) values += ", " + std::to_string(k + 1);
      const ResultData r = conn->query("SELECT count(*) FROM tbTipos WHERE id IN (" + values + ")");
      ASSERT_EQ(r.cells.at(0), Value(std::int64_t{std::min(n, 3)})) << n;
    }
  }
}

}  // namespace
}  // namespace vt::db

namespace vt::db {
namespace {

// The value list as an insert's text writes it: "(a, b )".
std::string listOf(const std::vector<SqlValue>& values) {
  std::string list = "(";
  for (std::size_t i = 0; i < values.size(); ++i) list += values[i].literal() + (i + 1 < values.size() ? ", " : " )");
  return list;
}

// An insert of one row given as its values runs what its text runs: same rows, errors, ids and
// stored cells, whether its values bind or the text runs as written.
TEST(PreparedInsert, RowsAndErrorsAreThoseOfTheText) {
  struct Case {
    const char* head;
    std::vector<SqlValue> values;
    const char* why;
  };
  const Case cases[] = {
      {"insert into tbTipos (nu, vc, mo, tx) values ", {"40", "'a'", "1234.56", "'O''Brien ''x'''"},
       "a row as a store writes it, apostrophes doubled"},
      {"insert into tbTipos (nu, vc, mo, tx) values ", {"41", "'b'", "-0.5", "'-1'"}, "a negative amount"},
      {"insert into tbTipos (nu, vc, mo, sinTipo) values ", {"-42", "'c'", "0.00", "-0.00"},
       "a negative integer; a negative zero keeps the sign the text gives it"},
      {"insert into tbTipos (nu, vc, mo, sinTipo) values ", {"43", "'d'", "5.", ".5"}, "decimals written short"},
      {"insert into tbTipos (nu, vc, sinTipo, re) values ",
       {"44", "'e'", "123456789012345678", "1234567890123456789"}, "18 digits bind; more stay in the text"},
      {"insert into tbTipos (nu, vc, sinTipo, re) values ", {"45", "'f'", "1e3", "10988.358539670390207"},
       "reals SQLite reads its own way"},
      {"insert into tbTipos (nu, vc, mo) values ", {"46", "'g'", ""}, "an empty amount: the syntax error of the text"},
      {"insert into tbTipos (nu, vc, mo) values ", {"47", "'h'", "."}, "a lone point is no number"},
      {"insert into tbTipos (nu, vc, mo) values ", {"48", "NULL", "1"}, "NULL refused by NOT NULL"},
      {"insert into tbTipos (nu, vc, mo) values ", {"1", "'uno'", "1"}, "UNIQUE refuses"},
      {"insert into tbTipos (nu, vc, fe, fh) values ", {"49", "'i'", "'2013-05-31'", "'2013-06-01 10:00:00'"},
       "dates that pass the checks"},
      {"insert into tbTipos (nu, vc, fe) values ", {"50", "'j'", "'2013-02-30'"}, "a date the CHECK refuses"},
      {"insert into tbTipos (nu, vc) values ", {"51", "'k'", "'sobra'"}, "more values than columns"},
      {"insert into tbTipos (nu, vc, tx) values ", {"52", "'l'", "'a' || 'b'"}, "an expression runs as written"},
      {"insert into tbTipos (nu, vc, tx) values ", {"53", "'m'", "'a'b'"}, "a value that ends its quote early"},
      {"insert into tbTipos (nu, vc, tx) values ", {"54", "'n'", "'Año ñandú'"}, "accents"},
      {"insert into tbNada (nu) values ", {"1"}, "no such table"},
  };
  TwoDatabases dbs;
  Connection* text = dbs.text.get();
  Connection* shared = dbs.shared.get();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    const std::string sql = c.head + listOf(c.values);
    SCOPED_TRACE(sql);
    // Twice: the second run takes the statement the first one prepared.
    for (int run = 0; run < 2; ++run) {
      std::string expected;
      {
        CacheSwitch off(false);
        expected = outcome(*text, sql, false);
      }
      std::string got;
      try {
        long rows = -7;
        shared->insert(c.head, c.values, [&] { return sql; }, rows);
        got = "rows " + std::to_string(rows);
      } catch (const vt::Error& e) {
        got = "error " + std::to_string(e.number()) + " " + e.description();
      }
      for (const auto& v : shared->query("SELECT last_insert_rowid(), changes(), total_changes()").cells)
        got += " " + describe(v);
      EXPECT_EQ(got, expected);
      EXPECT_EQ(shared->lastFailure(), text->lastFailure());
    }
  }
  CacheSwitch off(false);
  EXPECT_EQ(content(*shared, "tbTipos", kTypesColumns), content(*text, "tbTipos", kTypesColumns));
}

// What a test watches sees the whole text of each insert, and a failure it injects is the insert's;
// the new key is read from the connection, as the select of it reads it.
TEST(PreparedInsert, WatchedTextAndLastKey) {
  TempDatabase db;
  db.exec(kTypes);
  auto conn = Connection::create();
  conn->open(db.file().string());
  const std::vector<SqlValue> values{"60", "'p'"};
  const std::string head = "insert into tbTipos (nu, vc) values ";
  const std::string sql = head + "(60, 'p' )";
  StatementRecorder recorder;
  long rows = 0;
  conn->insert(head, values, [&] { return sql; }, rows);
  EXPECT_EQ(rows, 1);
  const Value key = conn->lastInsertKey("SELECT @@IDENTITY as NuComprob");
  EXPECT_EQ(key, conn->query("SELECT @@IDENTITY as NuComprob").cells.front());
  EXPECT_EQ(key, conn->query("SELECT max(id) FROM tbTipos").cells.front());
  EXPECT_EQ(recorder.texts(ObservedKind::Execute), std::vector<std::string>{sql});
  EXPECT_EQ(recorder.texts(ObservedKind::Query).front(), "SELECT @@IDENTITY as NuComprob");

  ScopedStatementFault fault([](const Observation& o) -> std::optional<InjectedFailure> {
    if (o.text.find("@@IDENTITY") != std::string_view::npos || o.text.find("(61,") != std::string_view::npos)
      return InjectedFailure{3, "disco lleno", Failure::DiskFull, false};
    return std::nullopt;
  });
  EXPECT_THROW(conn->insert(head, std::vector<SqlValue>{"61", "'q'"}, [&] { return head + "(61, 'q' )"; }, rows),
               EngineError);
  EXPECT_EQ(conn->lastFailure(), Failure::DiskFull);
  EXPECT_THROW(conn->lastInsertKey("SELECT @@IDENTITY as NuComprob"), EngineError);
  EXPECT_EQ(conn->query("SELECT count(*) FROM tbTipos WHERE nu = 61").cells.front(), Value(0));
}

}  // namespace
}  // namespace vt::db

namespace vt::db {
namespace {

// One column of every type a store writes into, and none.
constexpr const char* kForms =
    "CREATE TABLE tbFormas (id INTEGER PRIMARY KEY, k INTEGER, n NUMERIC(15,2), r REAL, t VARCHAR(255),"
    " d DATE, h DATETIME, s)";
constexpr const char* kFormsColumns[] = {"k", "n", "r", "t", "d", "h", "s"};

// A cell as stored: its storage class, its quoted form and, read back, every bit of it.
std::string storedCells(Connection& conn) {
  std::string select = "SELECT id";
  for (const char* column : kFormsColumns)
    select += std::string(", typeof(") + column + "), quote(" + column + "), " + column;
  std::string out;
  const ResultData data = conn.query(select + " FROM tbFormas ORDER BY id");
  for (std::size_t i = 0; i < data.cells.size(); ++i)
    out += describe(data.cells[i]) + ((i + 1) % data.columns.size() == 0 ? "\n" : " ");
  return out;
}

// Inserts one row into both databases: its values bound through insert() on `shared`, its text run
// as written on `text` (no shared statement). What each said, side by side.
std::pair<std::string, std::string> insertBoth(TwoDatabases& dbs, const std::string& head,
                                               const std::vector<SqlValue>& values) {
  const std::string sql = head + listOf(values);
  std::string expected;
  {
    CacheSwitch off(false);
    expected = outcome(*dbs.text, sql, false);
  }
  std::string got;
  try {
    long rows = -7;
    dbs.shared->insert(head, values, [&] { return sql; }, rows);
    got = "rows " + std::to_string(rows);
  } catch (const vt::Error& e) {
    got = "error " + std::to_string(e.number()) + " " + e.description();
  }
  for (const auto& v : dbs.shared->query("SELECT last_insert_rowid(), changes(), total_changes()").cells)
    got += " " + describe(v);
  return {got, expected};
}

// One value into one column of tbFormas, in both databases.
std::pair<std::string, std::string> insertBoth(TwoDatabases& dbs, long id, const char* column, const SqlValue& value) {
  return insertBoth(dbs, std::string("insert into tbFormas (id, ") + column + ") values ",
                    {SqlValue(std::to_string(id)), value});
}

// The value forms the stores hand over, into every column type: the bound value stores what its
// literal stores (storage class, bytes, every bit of a real), or fails as the text fails.
TEST(PreparedInsert, TypedValuesStoreWhatTheirLiteralsStore) {
  const std::string largo(5000, 'x');
  struct Form {
    SqlValue value;
    const char* literal;  // what the statement text writes for it
    const char* why;
  };
  const Form forms[] = {
      {SqlValue::text("O'Brien ''x''"), "'O''Brien ''''x'''''", "apostrophes, doubled when written"},
      {SqlValue::text(std::string("a\0b", 3)), "'ab'", "a NUL is dropped, as the quoting drops it"},
      {SqlValue::text("Año ñandú €"), "'Año ñandú €'", "accents and multibyte characters"},
      {SqlValue::text(""), "''", "an empty text"},
      {SqlValue::text(" "), "' '", "a blank"},
      {SqlValue::text("0001"), "'0001'", "a code with leading zeros"},
      {SqlValue::text("-0.00"), "'-0.00'", "a text that reads as a negative zero"},
      {SqlValue::text("1234.50"), "'1234.50'", "a text that reads as a number"},
      {SqlValue::text("123456789012345678901"), "'123456789012345678901'", "a text of too many digits"},
      {SqlValue::text("2013-05-31"), "'2013-05-31'", "a date as the file engine writes it"},
      {SqlValue::text("2013-05-31 10:15:00"), "'2013-05-31 10:15:00'", "a date and time"},
      {SqlValue::text("31/02/2013"), "'31/02/2013'", "a cell that is no date"},
      {SqlValue::text("NULL"), "'NULL'", "the word NULL is a text"},
      {SqlValue::text(largo), nullptr, "a long text"},
      {SqlValue("'01'"), "'01'", "a quoted literal is kept as its text"},
      {SqlValue("'it''s'"), "'it''s'", "a quoted literal with a doubled apostrophe stays a literal"},
      {SqlValue("''"), "''", "an empty quoted literal"},
      {SqlValue("'a'b'"), "'a'b'", "a literal that ends its quote early"},
      {SqlValue("'a' || 'b'"), "'a' || 'b'", "an expression"},
      {SqlValue("0"), "0", "zero"},
      {SqlValue("-0"), "-0", "an integer negative zero"},
      {SqlValue("0.00"), "0.00", "a zero amount"},
      {SqlValue("-0.00"), "-0.00", "a negative zero amount keeps its sign"},
      {SqlValue("1234.56"), "1234.56", "an amount"},
      {SqlValue("-1234.56"), "-1234.56", "a negative amount"},
      {SqlValue("0.1"), "0.1", "a decimal with no exact double"},
      {SqlValue("123456789012.345"), "123456789012.345", "15 digits, 3 decimals"},
      {SqlValue("1234567890123.456"), "1234567890123.456", "16 digits"},
      {SqlValue("9999999999999999.99"), "9999999999999999.99", "18 digits with decimals"},
      {SqlValue("1.2345"), "1.2345", "4 decimals"},
      {SqlValue("5."), "5.", "a point with no decimals"},
      {SqlValue(".5"), ".5", "decimals with no whole part"},
      {SqlValue("123456789012345678"), "123456789012345678", "18 digits"},
      {SqlValue("-123456789012345678"), "-123456789012345678", "18 digits, negative"},
      {SqlValue("1234567890123456789"), "1234567890123456789", "19 digits"},
      {SqlValue("99999999999999999999"), "99999999999999999999", "20 digits"},
      {SqlValue("1e3"), "1e3", "an exponent"},
      {SqlValue(""), "", "an empty amount: the text's syntax error"},
      {SqlValue("."), ".", "a lone point"},
      {SqlValue("NULL"), "NULL", "null"},
      {SqlValue("TBAT_X.Nextval"), "TBAT_X.Nextval", "a sequence of the server engines"},
      {SqlValue::number({0, 0, 1, false}), "0", "a whole zero"},
      {SqlValue::number({0, 2, 1, false}), "0.00", "a zero amount, bound"},
      {SqlValue::number({0, 2, 1, true}), "-0.00", "a negative zero amount is no plain number"},
      {SqlValue::number({0, 0, 1, true}), "-0", "a whole negative zero"},
      {SqlValue::number({0, 0, 0, false}), "", "a mask that writes no digit for zero"},
      {SqlValue::number({123456, 2, 1, false}), "1234.56", "an amount, bound"},
      {SqlValue::number({123456, 2, 1, true}), "-1234.56", "a negative amount, bound"},
      {SqlValue::number({5, 2, 1, false}), "0.05", "an amount below one"},
      {SqlValue::number({5, 2, 0, false}), ".05", "no digit before the point"},
      {SqlValue::number({7, 0, 3, false}), "007", "a whole number padded by its mask"},
      {SqlValue::number({1, 1, 1, false}), "0.1", "a decimal with no exact double, bound"},
      {SqlValue::number({2675, 3, 1, false}), "2.675", "three decimals"},
      {SqlValue::number({123456789012345, 3, 1, false}), "123456789012.345", "15 digits, bound"},
      {SqlValue::number({999999999999999, 2, 1, true}), "-9999999999999.99", "15 nines, negative"},
      {SqlValue::number({5, 2, 14, false}), "00000000000000.05", "16 digits by padding"},
      {SqlValue::number({1234567890123456, 3, 1, false}), "1234567890123.456", "16 digits, a literal"},
      {SqlValue::number({12345, 4, 1, false}), "1.2345", "4 decimals, a literal"},
      {SqlValue::number({999999999999999999, 0, 1, false}), "999999999999999999", "18 digits, bound"},
      {SqlValue::number({999999999999999999, 0, 1, true}), "-999999999999999999", "18 digits, negative"},
      {SqlValue::number({1000000000000000000, 0, 1, false}), "1000000000000000000", "19 digits, a literal"},
      {SqlValue::number({1000000000000000000, 2, 1, false}), "10000000000000000.00", "19 digits, 2 decimals"},
      {SqlValue::date(Engine::Access, {{2013, 5, 31}, 0, 0, 0}, false), "'2013-05-31'", "a date"},
      {SqlValue::date(Engine::Access, {{2013, 5, 31}, 10, 15, 7}, true), "'2013-05-31 10:15:07'",
       "a date and time"},
      {SqlValue::date(Engine::MySql, {{9999, 12, 31}, 23, 59, 59}, true), "'9999-12-31 23:59:59'",
       "the last second of the calendar"},
      {SqlValue::date(Engine::Other, {{5, 1, 2}, 0, 0, 0}, false), "'0005-01-02'", "a year of one digit"},
      {SqlValue::date(Engine::Access, {{12345, 1, 2}, 0, 0, 0}, false), "'12345-01-02'",
       "a year of five digits"},
      {SqlValue::date(Engine::Access, {{-1, 1, 2}, 0, 0, 0}, false), "'-001-01-02'", "a negative year"},
      {SqlValue::date(Engine::Access, {{2013, 100, 2}, 0, 0, 0}, false), "'2013-100-02'",
       "a month of three digits"},
      {SqlValue::date(Engine::Access, {{2013, 5, 31}, 100, 0, 0}, true), "'2013-05-31 100:00:00'",
       "an hour of three digits"},
      {SqlValue::date(Engine::Access, {{2013, 5, 31}, 100, 0, 0}, false), "'2013-05-31'", "a time left out"},
      {SqlValue::date(Engine::Sql, {{2013, 5, 31}, 0, 0, 0}, false), "'20130531'",
       "a date of the server form"},
      {SqlValue::date(Engine::Oracle, {{2013, 5, 31}, 0, 0, 0}, false), "to_date('31/05/2013','DD/MM/YYYY')",
       "a date of the other server form"},
  };
  TwoDatabases dbs;
  dbs.text->execute(kForms);
  dbs.shared->execute(kForms);
  long id = 0;
  for (const Form& f : forms) {
    SCOPED_TRACE(f.why);
    if (f.literal) {
      EXPECT_EQ(f.value.literal(), f.literal);
    }
    for (const char* column : kFormsColumns) {
      SCOPED_TRACE(column);
      // Twice: the second run takes the statement the first one prepared.
      for (int run = 0; run < 2; ++run) {
        const auto [got, expected] = insertBoth(dbs, ++id, column, f.value);
        EXPECT_EQ(got, expected);
        EXPECT_EQ(dbs.shared->lastFailure(), dbs.text->lastFailure());
      }
    }
  }
  CacheSwitch off(false);
  EXPECT_EQ(storedCells(*dbs.shared), storedCells(*dbs.text));
}

// A random text: apostrophes, NULs, accents, blanks, digits; now and then a long one.
std::string randomText(std::mt19937& random) {
  static const std::vector<std::string> kPieces = {"'", "''", std::string(1, '\0'), "ñ", "Á", "€", " ", "0",
                                                   "9", ".", "-", "a", "Z", "\\", "%", "\"", ";", "\n"};
  std::uniform_int_distribution<int> longOne(0, 40);
  const std::size_t length = longOne(random) == 0 ? 3000 + random() % 3000 : random() % 12;
  std::string out;
  while (out.size() < length) out += kPieces[random() % kPieces.size()];
  return out;
}

// A random amount or whole number as the builders write one: up to 20 digits, up to 4 decimals,
// signs, zeros; now and then empty.
std::string randomNumber(std::mt19937& random) {
  switch (random() % 12) {
    case 0:
      return "";
    case 1:
      return random() % 2 ? "-0.00" : "0.00";
    case 2:
      return random() % 2 ? "-0" : "0";
    default:
      break;
  }
  std::string out = random() % 4 == 0 ? "-" : "";
  const int whole = 1 + static_cast<int>(random() % 20);
  for (int i = 0; i < whole; ++i) out += static_cast<char>('0' + random() % 10);
  const int decimals = static_cast<int>(random() % 6) - 1;  // -1: no point
  if (decimals >= 0) out += '.';
  for (int i = 0; i < decimals; ++i) out += static_cast<char>('0' + random() % 10);
  return out;
}

// Rows of random values into random columns: the typed values store what the old literal
// statement stores, and every literal writes back to itself.
TEST(PreparedInsert, RandomTypedValuesStoreWhatTheLiteralStatementStores) {
  std::mt19937 random(20261211);
  TwoDatabases dbs;
  dbs.text->execute(kForms);
  dbs.shared->execute(kForms);
  for (long id = 1; id <= 1500; ++id) {
    SqlValue value("");
    switch (random() % 4) {
      case 0:
        value = SqlValue::text(randomText(random));
        break;
      case 1: {
        std::string raw = randomText(random);
        const std::string literal = random() % 2 ? quoteSql(raw) : "'" + raw + "'";
        value = SqlValue(literal);
        EXPECT_EQ(value.literal(), literal);
        break;
      }
      default: {
        const std::string literal = randomNumber(random);
        value = SqlValue(literal);
        EXPECT_EQ(value.literal(), literal);
        break;
      }
    }
    if (value.kind() == SqlValue::Kind::Text) {
      EXPECT_EQ(value.raw().find('\0'), std::string::npos);
      EXPECT_EQ(value.literal(), quoteSql(value.raw()));
    }
    const char* column = kFormsColumns[random() % std::size(kFormsColumns)];
    const auto [got, expected] = insertBoth(dbs, id, column, value);
    ASSERT_EQ(got, expected) << id << " " << column << " " << value.literal();
  }
  CacheSwitch off(false);
  EXPECT_EQ(storedCells(*dbs.shared), storedCells(*dbs.text));
}

// A number cell as a sheet may hold one: digits around 15 significant ones and past 18, rounding
// ties at the masks' last places, zeros, signs, blanks, a regional comma; now and then a random
// double written shortest or fixed, huge or tiny, or no number at all.
std::string randomCell(std::mt19937& random) {
  static const char* const kFixed[] = {"",
                                       "-0",
                                       "-0.000",
                                       "0",
                                       " 0.005 ",
                                       "0.125",
                                       "1.005",
                                       "2.675",
                                       "-2.675",
                                       "0.0005",
                                       "9.995",
                                       "-9.9995",
                                       "999999999999999.995",
                                       "1e5",
                                       "abc",
                                       "1,5",
                                       "-",
                                       ".",
                                       "5.",
                                       ".5",
                                       "99999999999999999.99"};
  switch (random() % 6) {
    case 0:
      return kFixed[random() % std::size(kFixed)];
    case 1: {
      // A double of any size, as a program writes it.
      const double value = std::ldexp(std::uniform_real_distribution<double>(-1, 1)(random),
                                      static_cast<int>(random() % 140) - 70);
      char text[400];
      const int precision = static_cast<int>(random() % 20);
      std::snprintf(text, sizeof text, random() % 2 ? "%.*f" : "%.*g", precision, value);
      return text;
    }
    default:
      break;
  }
  std::string out = random() % 3 == 0 ? "-" : "";
  if (random() % 8 == 0) out = " " + out;
  const int whole = static_cast<int>(random() % 21);
  for (int i = 0; i < whole; ++i)
    out += static_cast<char>('0' + (i == 0 && random() % 2 ? 0 : random() % 10));
  const int decimals = static_cast<int>(random() % 7) - 1;  // -1: no point
  if (decimals >= 0 || whole == 0) out += '.';
  for (int i = 0; i < std::max(decimals, whole == 0 ? 1 : 0); ++i)
    // Now and then the digits of a tie at the last place of a mask.
    out += static_cast<char>(random() % 3 == 0 ? (i == 2 || i == 3 ? '5' : '0') : '0' + random() % 10);
  return out;
}

// Cells written with the masks as the stores write a bare number: the typed value writes the
// literal the mask writes, and stores what that literal stores, storage class and every bit.
TEST(PreparedInsert, RandomMaskedNumbersStoreWhatTheirLiteralsStore) {
  static const char* const kMasks[] = {
      "0.00", "0.000", "#0.00", "########0.00", "########0", "0",          "00", "000",
      "#",    "#.00",  ".00",   "0.0",          "0.0000",    "###,##0.00", ">",  "x0"};
  std::mt19937 random(20261212);
  int kinds[5] = {};
  TwoDatabases dbs;
  dbs.text->execute(kForms);
  dbs.shared->execute(kForms);
  for (long id = 1; id <= 2000; ++id) {
    const std::string cell = randomCell(random);
    const char* mask = kMasks[random() % std::size(kMasks)];
    const std::string written = conv::FormatNumberText(cell, mask);
    const std::optional<conv::MaskedNumber> number =
        conv::MaskNumberText(cell, conv::NumberMask(std::string_view(mask)));
    const SqlValue value = number ? SqlValue::number(*number) : SqlValue(written);
    ASSERT_EQ(value.literal(), written) << "cell [" << cell << "] mask " << mask;
    ++kinds[static_cast<int>(value.kind())];
    const char* column = kFormsColumns[random() % std::size(kFormsColumns)];
    const auto [got, expected] = insertBoth(dbs, id, column, value);
    ASSERT_EQ(got, expected) << id << " " << column << " " << written;
  }
  // Every way a number goes: bound whole, bound decimal, kept as its literal.
  EXPECT_GT(kinds[static_cast<int>(SqlValue::Kind::Integer)], 100);
  EXPECT_GT(kinds[static_cast<int>(SqlValue::Kind::Decimal)], 100);
  EXPECT_GT(kinds[static_cast<int>(SqlValue::Kind::Literal)], 100);
  CacheSwitch off(false);
  EXPECT_EQ(storedCells(*dbs.shared), storedCells(*dbs.text));
}

}  // namespace
}  // namespace vt::db

namespace vt::db {
namespace {

// A store alternates among more tables than the connection remembers the last inserts of, while
// other statements push its inserts out of the kept ones and the schema changes under it: each
// insert still runs as its text does.
TEST(PreparedInsert, RecentInsertsFollowTheKeptStatements) {
  constexpr int kTables = 6;  // past the four remembered
  TwoDatabases dbs;
  const auto both = [&](const std::string& sql) {
    dbs.text->execute(sql);
    dbs.shared->execute(sql);
  };
  for (int t = 0; t < kTables; ++t)
    both("CREATE TABLE tbReciente" + std::to_string(t) + " (id INTEGER PRIMARY KEY, v, w INTEGER)");
  std::mt19937 random(36);
  for (long id = 1; id <= 800; ++id) {
    const std::string table = "tbReciente" + std::to_string(random() % kTables);
    const bool three = random() % 3 == 0;
    const std::string head = "insert into " + table + (three ? " (id, v, w)" : " (id, v)") + " values ";
    std::vector<SqlValue> values{SqlValue(std::to_string(id)), SqlValue::text(randomText(random))};
    if (three) values.push_back(SqlValue(randomNumber(random)));
    const auto [got, expected] = insertBoth(dbs, head, values);
    ASSERT_EQ(got, expected) << id << " " << head + listOf(values);
    switch (random() % 40) {
      case 0:  // more shapes than are kept: the inserts' statements are dropped
        for (std::string list = "1"; list.size() < 3 * 140; list += ", 1")
          dbs.shared->query("SELECT count(*) FROM " + table + " WHERE id IN (" + list + ")");
        break;
      case 1:  // a schema change on the connection drops everything kept
        both("DROP TABLE " + table);
        both("CREATE TABLE " + table + " (id INTEGER PRIMARY KEY, v, w INTEGER)");
        break;
      case 2:  // changed by another connection: SQLite prepares the kept statements again
        dbs.dbText.exec("ALTER TABLE " + table + " ADD COLUMN x" + std::to_string(id) + " DEFAULT 7");
        dbs.dbShared.exec("ALTER TABLE " + table + " ADD COLUMN x" + std::to_string(id) + " DEFAULT 7");
        break;
      default:
        break;
    }
  }
  CacheSwitch off(false);
  for (int t = 0; t < kTables; ++t) {
    const std::string table = "tbReciente" + std::to_string(t);
    EXPECT_EQ(content(*dbs.shared, table, "id,v,w"), content(*dbs.text, table, "id,v,w"));
  }
}

}  // namespace
}  // namespace vt::db
