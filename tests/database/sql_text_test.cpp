// Values put into SQL text: quoting, numbers and the per-engine date literal.

#include "platform/database/sql_text.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string_view>

namespace vt::db {
namespace {

TEST(SqlText, Quoting) {
  EXPECT_EQ(quoteSql("O'Brien"), "'O''Brien'");
  EXPECT_EQ(quoteSql(""), "''");
  EXPECT_EQ(quoteSql("'; delete from tbEmpresas --"), "'''; delete from tbEmpresas --'");
  EXPECT_EQ(escapeSql("a''b"), "a''''b");
  EXPECT_EQ(quoteSql("Pacífico"), "'Pacífico'");
}

// Every engine ends a statement at a NUL, which would cut the literal and leave the statement
// unfinished: the helper drops it, the same way for every engine and for like patterns.
TEST(SqlText, ANulNeverCutsALiteral) {
  using namespace std::string_view_literals;
  const struct {
    std::string_view text;
    const char* quoted;
    const char* why;
  } cases[] = {
      {"179\0"
       "0011674001"sv,
       "'1790011674001'", "inside a value"},
      {"\0"sv, "''", "a cell of a NUL alone"},
      {"a\0'\0b"sv, "'a''b'", "beside an apostrophe"},
      {"x\0' or 1=1 --"sv, "'x'' or 1=1 --'", "what follows the NUL stays inside the literal"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(quoteSql(c.text), c.quoted) << c.why;
    EXPECT_EQ(quoteSql(c.text).find('\0'), std::string::npos) << c.why;
  }
  EXPECT_EQ(likeContaining("5\0%"sv), "'%5\\%%' escape '\\'");
}

TEST(SqlText, LikeContainingALiteralText) {
  const struct {
    const char* text;
    const char* pattern;
    const char* why;
  } cases[] = {
      {"ATS", "'%ATS%'", "no wildcard: the pattern as it always was"},
      {"", "'%%'", "empty: everything"},
      {"O'B", "'%O''B%'", "apostrophes doubled"},
      {"a\\b", "'%a\\b%'", "a backslash alone needs no escape clause"},
      {"%", "'%\\%%' escape '\\'", "a percent sign matches only itself"},
      {"A_S", "'%A\\_S%' escape '\\'", "so does an underscore"},
      {"5%\\'", "'%5\\%\\\\''%' escape '\\'", "with a wildcard, the backslash is escaped too"},
  };
  for (const auto& c : cases) EXPECT_EQ(likeContaining(c.text), c.pattern) << c.why;
}

TEST(SqlText, Numbers) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {12.0, "12"}, {1234567.5, "1234567.5"}, {-0.0, "0"}, {0.1 + 0.2, "0.3"}, {-15.25, "-15.25"},
  };
  for (const auto& c : cases) EXPECT_EQ(sqlNumber(c.value), c.text) << c.value;
  EXPECT_EQ(sqlNumber(std::numeric_limits<double>::quiet_NaN()), "NULL");
  EXPECT_EQ(sqlNumber(INFINITY), "NULL");
  EXPECT_EQ(sqlNumber(std::int64_t{-42}), "-42");
}

TEST(SqlText, DateLiteralPerEngine) {
  const conv::DateTime stamp{{2013, 5, 7}, 14, 1, 2};
  struct Case {
    Engine engine;
    bool withTime;
    const char* text;
  };
  const Case cases[] = {
      {Engine::Access, false, "'2013-05-07'"},
      {Engine::Access, true, "'2013-05-07 14:01:02'"},
      {Engine::Sql, false, "'20130507'"},
      {Engine::Sql, true, "'20130507 14:01:02'"},
      {Engine::Oracle, false, "to_date('07/05/2013','DD/MM/YYYY')"},
      {Engine::Oracle, true, "to_date('07/05/2013 14:01:02','DD/MM/YYYY HH24:MI:SS')"},
      {Engine::MySql, true, "'2013-05-07 14:01:02'"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(sqlDate(c.engine, stamp, c.withTime), c.text) << static_cast<int>(c.engine) << c.withTime;
}

TEST(SqlText, EngineNames) {
  EXPECT_EQ(parseEngine("ACCESS"), Engine::Access);
  EXPECT_EQ(parseEngine("SQL"), Engine::Sql);
  EXPECT_EQ(parseEngine("ORACLE"), Engine::Oracle);
  EXPECT_EQ(parseEngine("MYSQL"), Engine::MySql);
  EXPECT_EQ(parseEngine("access"), Engine::Other);  // the caller upper-cases
  EXPECT_EQ(parseEngine(""), Engine::Other);
}

}  // namespace
}  // namespace vt::db
