#pragma once
// Putting values into SQL text: every quoted value through one quoting helper, numbers with "."
// and no grouping whatever the regional settings, dates through one per-engine literal helper.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/conversions/datetime.hpp"

namespace vt::db {

// The engine names of the configuration, compared upper case.
enum class Engine { Access, Sql, Oracle, MySql, Other };

// "ACCESS", "SQL", "ORACLE", "MYSQL" (the caller upper-cases); anything else is Other.
Engine parseEngine(std::string_view upperName);

// 'text' with every apostrophe doubled and every NUL dropped (no engine reads past one).
std::string quoteSql(std::string_view text);
// The same without the surrounding apostrophes, for texts the caller quotes itself.
std::string escapeSql(std::string_view text);

// The pattern of "like" for a text contained literally: '%text%'. When the text holds a
// wildcard of its own (% or _) they are escaped and the escape clause follows:
//   01       '%01%'
//   5%_a     '%5\%\_a%' escape '\'
std::string likeContaining(std::string_view text);

// A numeric literal: "." separator, no grouping, 15 significant digits, never "-0";
// a value that is not finite gives NULL.
std::string sqlNumber(double value);
std::string sqlNumber(std::int64_t value);

// A date literal for the engine:
//   Access (the SQLite file)  '2013-05-15'             '2013-05-15 14:11:12'
//   Sql                        '20130515'               '20130515 14:11:12'
//   Oracle                     to_date('15/05/2013','DD/MM/YYYY')
//                              to_date('15/05/2013 14:11:12','DD/MM/YYYY HH24:MI:SS')
//   MySql and Other            as Access
std::string sqlDate(Engine engine, const conv::DateTime& value, bool withTime);

}  // namespace vt::db
