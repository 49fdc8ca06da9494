#include "platform/database/sql_literals.hpp"

#include <array>
#include <cstring>
#include <utility>

#include "platform/database/text_util.hpp"

namespace vt::db {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// What a character may start, as the scanner below reads it.
enum class CharClass : unsigned char {
  Other,
  Blank,
  Name,
  Digit,
  Quote,
  Dot,
  Dash,
  Parameter,
  Open,
  Close,
  End
};

CharClass classOf(char c) {
  static constexpr auto kTable = [] {
    std::array<CharClass, 256> t{};
    for (int i = 0; i < 256; ++i) {
      const char ch = static_cast<char>(i);
      CharClass k = CharClass::Other;
      if (ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f')
        k = CharClass::Blank;
      else if (ch >= '0' && ch <= '9')
        k = CharClass::Digit;
      else if (ch == '$' || ch == '?' || ch == ':' || ch == '@' || ch == '#')
        k = CharClass::Parameter;
      else if (isSqlNameChar(ch))
        k = CharClass::Name;
      else if (ch == '\'' || ch == '"' || ch == '`' || ch == '[')
        k = CharClass::Quote;
      else if (ch == '.')
        k = CharClass::Dot;
      else if (ch == '-')
        k = CharClass::Dash;
      else if (ch == '(')
        k = CharClass::Open;
      else if (ch == ')')
        k = CharClass::Close;
      else if (ch == ';')
        k = CharClass::End;
      t[static_cast<std::size_t>(i)] = k;
    }
    return t;
  }();
  return kTable[static_cast<unsigned char>(c)];
}

// A neighbour that would glue a "?" to something else, or that shows the literal is part of a
// longer token (x'41', t.5, '1'2).
bool gluesBefore(char c) {
  return isSqlNameChar(c) || c == '.' || c == '\'' || c == '"' || c == '`' || c == ']' || c == '?' ||
         c == ':' || c == '@' || c == '#';
}
bool gluesAfter(char c) {
  return isSqlNameChar(c) || c == '.' || c == '\'' || c == '"' || c == '`' || c == '[';
}

// Where a literal's value would change the statement's meaning or its result names.
enum class Quiet {
  None,
  ResultColumns,  // from SELECT to its FROM (or the next clause) at the same depth
  ToCloseParen    // ORDER BY, GROUP BY, LIMIT, RETURNING: to the end of their parenthesis
};

// The keywords that decide what is lifted; every other word is Other.
enum class Keyword {
  Other,
  Select,
  Insert,
  Update,
  Delete,
  Replace,  // open a statement
  From,
  Where,
  Group,
  Having,
  Order,
  Limit,
  Window,
  Union,
  Intersect,
  Except,  // end result columns
  Returning,
  Distinct
};

Keyword keywordOf(std::string_view word) {
  static constexpr std::pair<std::string_view, Keyword> kWords[] = {
      {"select", Keyword::Select},       {"insert", Keyword::Insert},       {"update", Keyword::Update},
      {"delete", Keyword::Delete},       {"replace", Keyword::Replace},     {"from", Keyword::From},
      {"where", Keyword::Where},         {"group", Keyword::Group},         {"having", Keyword::Having},
      {"order", Keyword::Order},         {"limit", Keyword::Limit},         {"window", Keyword::Window},
      {"union", Keyword::Union},         {"intersect", Keyword::Intersect}, {"except", Keyword::Except},
      {"returning", Keyword::Returning}, {"distinct", Keyword::Distinct}};
  if (word.size() < 4 || word.size() > 9) return Keyword::Other;  // most names end here
  for (const auto& [text, keyword] : kWords)
    if (conv::SameText(word, text)) return keyword;
  return Keyword::Other;
}

bool opensStatement(Keyword k) { return k >= Keyword::Select && k <= Keyword::Replace; }
bool endsResultColumns(Keyword k) { return k >= Keyword::From && k <= Keyword::Except; }

// End of the number that starts at i, as SQLite's tokenizer reads it: digits, an optional
// fraction, an optional exponent. real tells whether it has a fraction or an exponent.
std::size_t numberEnd(std::string_view sql, std::size_t i, bool& real) {
  real = false;
  while (i < sql.size() && isDigit(sql[i])) ++i;
  if (i < sql.size() && sql[i] == '.') {
    real = true;
    ++i;
    while (i < sql.size() && isDigit(sql[i])) ++i;
  }
  if (i < sql.size() && (sql[i] == 'e' || sql[i] == 'E')) {
    const bool sign = i + 1 < sql.size() && (sql[i + 1] == '+' || sql[i + 1] == '-');
    const std::size_t first = i + (sign ? 2 : 1);
    if (first < sql.size() && isDigit(sql[first])) {
      real = true;
      i = first;
      while (i < sql.size() && isDigit(sql[i])) ++i;
    }
  }
  return i;
}

// From i, past blanks and comments; i itself when it starts neither.
std::size_t skipBlanksAndComments(std::string_view sql, std::size_t i) {
  while (i < sql.size()) {
    const char next = i + 1 < sql.size() ? sql[i + 1] : '\0';
    if (isBlank(sql[i])) {
      ++i;
    } else if (sql[i] == '-' && next == '-') {
      const auto eol = sql.find('\n', i);
      i = eol == std::string_view::npos ? sql.size() : eol + 1;
    } else if (sql[i] == '/' && next == '*') {
      const auto close = sql.find("*/", i + 2);
      i = close == std::string_view::npos ? sql.size() : close + 2;
    } else {
      break;
    }
  }
  return i;
}

std::size_t nameEnd(std::string_view sql, std::size_t i) {
  while (i < sql.size() && isSqlNameChar(sql[i])) ++i;
  return i;
}

}  // namespace

std::string_view sqlFirstWord(std::string_view sql) {
  const std::size_t begin = skipBlanksAndComments(sql, 0);
  return sql.substr(begin, nameEnd(sql, begin) - begin);
}

std::string SqlLiteral::value() const {
  if (!doubledQuotes) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == '\'') ++i;  // the second of a doubled apostrophe
  }
  return out;
}

bool liftLiterals(std::string_view sql, LiftedStatement& out) {
  out.shape.clear();
  out.literals.clear();
  // SQLite stops reading at a NUL; a literal holding one would be bound whole.
  if (std::memchr(sql.data(), '\0', sql.size())) return false;

  std::size_t copied = 0;  // sql[0, copied) is already in the shape
  const auto lift = [&](std::size_t begin, std::size_t end, SqlLiteral literal) {
    out.shape.append(sql, copied, begin - copied);
    out.shape += '?';
    copied = end;
    out.literals.push_back(literal);
  };
  const auto liftable = [&](std::size_t begin, std::size_t end) {
    return (begin == 0 || !gluesBefore(sql[begin - 1])) && (end == sql.size() || !gluesAfter(sql[end]));
  };

  int depth = 0;
  Quiet quiet = Quiet::None;
  int quietDepth = 0;
  bool started = false;               // the first word was read
  bool ended = false;                 // a ";" was read
  Keyword previous = Keyword::Other;  // the last word read
  std::size_t i = 0;
  while (i < sql.size()) {
    const char c = sql[i];
    const CharClass kind = classOf(c);
    if (kind == CharClass::Blank || (kind == CharClass::Dash && i + 1 < sql.size() && sql[i + 1] == '-') ||
        (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*')) {
      i = skipBlanksAndComments(sql, i);
      continue;
    }
    if (ended) {
      if (c != ';') return false;  // a second statement
      ++i;
      continue;
    }
    if (!started && kind != CharClass::Name) return false;  // must open with a word

    switch (kind) {
      case CharClass::Name: {
        const std::size_t end = nameEnd(sql, i);
        const Keyword keyword = keywordOf(sql.substr(i, end - i));
        const Keyword before = previous;
        previous = keyword;
        i = end;
        if (!started) {
          if (!opensStatement(keyword)) return false;
          started = true;
        }
        if (keyword == Keyword::Other) continue;
        // "a IS DISTINCT FROM b" is an operator, not the FROM of the select.
        if (quiet == Quiet::ResultColumns && depth == quietDepth && endsResultColumns(keyword) &&
            !(keyword == Keyword::From && before == Keyword::Distinct))
          quiet = Quiet::None;
        if (quiet != Quiet::None) continue;
        if (keyword == Keyword::Select) {
          quiet = Quiet::ResultColumns;
          quietDepth = depth;
        } else if (keyword == Keyword::Order || keyword == Keyword::Group || keyword == Keyword::Limit ||
                   keyword == Keyword::Returning) {
          quiet = Quiet::ToCloseParen;
          quietDepth = depth;
        }
        continue;
      }
      case CharClass::Quote: {
        const std::size_t length = sqlQuotedLength(sql.substr(i));
        if (length == std::string_view::npos) return false;  // SQLite refuses it as written
        const std::size_t end = i + length;
        if (c == '\'' && quiet == Quiet::None && liftable(i, end)) {
          const std::string_view inside = sql.substr(i + 1, length - 2);
          lift(i, end, {SqlLiteral::Kind::Text, inside, 0, inside.find('\'') != std::string_view::npos});
        }
        i = end;
        continue;
      }
      case CharClass::Dot:
        if (i + 1 == sql.size() || !isDigit(sql[i + 1])) break;
        [[fallthrough]];
      case CharClass::Digit: {
        bool real = false;
        const std::size_t end = numberEnd(sql, i, real);
        if (quiet == Quiet::None && liftable(i, end)) {
          const std::string_view digits = sql.substr(i, end - i);
          if (real) {
            // A zero stays: SQLite makes "-0.0" minus zero at once but "-?" plain zero at run time.
            if (digits.substr(0, digits.find_first_of("eE")).find_first_of("123456789") !=
                std::string_view::npos)
              lift(i, end, {SqlLiteral::Kind::Real, digits, 0, false});
          } else if (digits.size() <= 18) {  // always an int64; longer ones SQLite may read as real
            std::int64_t value = 0;
            for (char d : digits) value = value * 10 + (d - '0');
            lift(i, end, {SqlLiteral::Kind::Integer, digits, value, false});
          }
        }
        i = end;
        continue;
      }
      case CharClass::Parameter:
        return false;  // the text's own parameters would take the places of the lifted values
      case CharClass::Open:
        ++depth;
        break;
      case CharClass::Close:
        --depth;
        if (quiet != Quiet::None && depth < quietDepth) quiet = Quiet::None;
        break;
      case CharClass::End:
        ended = true;
        break;
      default:
        break;
    }
    ++i;
  }
  if (!started) return false;  // blanks and comments only
  out.shape.append(sql, copied, std::string_view::npos);
  return true;
}

}  // namespace vt::db
