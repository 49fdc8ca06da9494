#pragma once
// Splits a statement text of the file engine into its shape and its literals, so that texts that
// differ only in their values can share one prepared statement:
//   insert into T (a, b, c) values ('O''Brien', -12, 1.5)
//     -> insert into T (a, b, c) values (?, -?, ?)      Text "O''Brien", Integer 12, Real "1.5"
//   SELECT * FROM T WHERE co = '01' ORDER BY 2 LIMIT 5
//     -> SELECT * FROM T WHERE co = ? ORDER BY 2 LIMIT 5
// Only select, insert, update, delete and replace are split; everything else (CREATE, ALTER,
// PRAGMA, WITH, ...) is refused. A literal stays in the shape where its value decides what the
// statement means or how its result is named: the result columns of every SELECT, ORDER BY,
// GROUP BY (to the end of its parenthesis), LIMIT and OFFSET, RETURNING. A "-" is always left as
// the operator it is to SQLite; integers of more than 18 digits, real zeros (0.0), hex, NULL and
// keywords stay too, and so does a literal glued to a name or to another literal (x'41', t.5, 1e).
// Refused: a text with a parameter of its own (?, :a, @a, $a, #a), an unclosed string, a NUL byte,
// or anything but blanks, comments and ";" after the first statement.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vt::db {

struct SqlLiteral {
  enum class Kind { Text, Integer, Real };
  Kind kind;
  // Text: what stands between the quotes, apostrophes still doubled when doubledQuotes;
  // Real: the literal as written. Views into the text given to liftLiterals.
  std::string_view text;
  std::int64_t integer = 0;
  bool doubledQuotes = false;
  // Text: the value itself, doubled apostrophes made single.
  std::string value() const;
};

struct LiftedStatement {
  std::string shape;                // the text with every lifted literal replaced by "?"
  std::vector<SqlLiteral> literals;  // in the order of the "?"
};

// The word the text opens with, after blanks and comments ("" when it opens otherwise).
std::string_view sqlFirstWord(std::string_view sql);

// True when the text was split; out is reused (its buffers kept) and is unspecified on false.
bool liftLiterals(std::string_view sql, LiftedStatement& out);

}  // namespace vt::db
