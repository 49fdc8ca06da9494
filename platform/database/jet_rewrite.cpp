#include "platform/database/jet_rewrite.hpp"

#include <algorithm>
#include <vector>

#include "platform/database/sql_literals.hpp"
#include "platform/database/text_util.hpp"

namespace vt::db {

namespace {

enum class Kind { Blank, Comment, Literal, QuotedName, Word, Punct };

struct Token {
  Kind kind;
  std::string text;
};

std::vector<Token> tokenize(std::string_view sql) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < sql.size()) {
    const char c = sql[i];
    std::size_t end = i + 1;
    Kind kind = Kind::Punct;
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      kind = Kind::Blank;
      while (end < sql.size() &&
             (sql[end] == ' ' || sql[end] == '\t' || sql[end] == '\r' || sql[end] == '\n'))
        ++end;
    } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
      kind = Kind::Comment;
      end = sql.find('\n', i);
      end = end == std::string_view::npos ? sql.size() : end;
    } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
      kind = Kind::Comment;
      end = sql.find("*/", i + 2);
      end = end == std::string_view::npos ? sql.size() : end + 2;
    } else if (c == '\'' || c == '"' || c == '`' || c == '[') {
      kind = c == '\'' ? Kind::Literal : Kind::QuotedName;
      end = i + std::min(sqlQuotedLength(sql.substr(i)), sql.size() - i);  // unclosed: to the end
    } else if (isSqlNameChar(c) ||
               (c == '@' && i + 2 < sql.size() && sql[i + 1] == '@' && isSqlNameChar(sql[i + 2]))) {
      kind = Kind::Word;
      end = c == '@' ? i + 2 : i;
      while (end < sql.size() && isSqlNameChar(sql[end])) ++end;
    }
    tokens.push_back({kind, std::string(sql.substr(i, end - i))});
    i = end;
  }
  return tokens;
}

bool isWord(const Token& t, std::string_view word) {
  return t.kind == Kind::Word && conv::SameText(t.text, word);
}
bool isPunct(const Token& t, char c) { return t.kind == Kind::Punct && t.text.size() == 1 && t.text[0] == c; }

// Index of the next token that is neither blank nor comment, from i on; end when none.
std::size_t nextSignificant(const std::vector<Token>& t, std::size_t i, std::size_t end) {
  while (i < end && (t[i].kind == Kind::Blank || t[i].kind == Kind::Comment)) ++i;
  return i;
}

bool isReservedAfterTable(const Token& t) {
  static constexpr std::string_view words[] = {"where", "as",    "indexed",  "not",
                                               "order", "limit", "returning"};
  for (auto w : words)
    if (isWord(t, w)) return true;
  return false;
}

// Rewrites the delete forms of one statement, tokens [begin, end).
void adaptDelete(std::vector<Token>& t, std::size_t begin, std::size_t end) {
  std::size_t i = nextSignificant(t, begin, end);
  if (i == end || !isWord(t[i], "delete")) return;
  std::size_t j = nextSignificant(t, i + 1, end);
  if (j < end && isPunct(t[j], '*')) {
    const std::size_t from = nextSignificant(t, j + 1, end);
    if (from == end || !isWord(t[from], "from")) return;
    t[j].text.clear();
    // One blank goes with the "*"; "delete* from" keeps the blank before "from".
    if (j > begin && t[j - 1].kind == Kind::Blank && j + 1 < end && t[j + 1].kind == Kind::Blank)
      t[j + 1].text.clear();
    j = from;
  }
  if (j == end || !isWord(t[j], "from")) return;
  std::size_t table = nextSignificant(t, j + 1, end);
  if (table == end || (t[table].kind != Kind::Word && t[table].kind != Kind::QuotedName)) return;
  if (table + 2 < end && isPunct(t[table + 1], '.') &&
      (t[table + 2].kind == Kind::Word || t[table + 2].kind == Kind::QuotedName))
    table += 2;
  const std::size_t alias = nextSignificant(t, table + 1, end);
  if (alias == end || alias == table + 1 || t[alias].kind != Kind::Word || isReservedAfterTable(t[alias]))
    return;
  const std::size_t after = nextSignificant(t, alias + 1, end);
  if (after != end && !isWord(t[after], "where")) return;
  t[alias].text = "AS " + t[alias].text;
}

}  // namespace

bool mayAdaptJetSql(std::string_view sql) {
  // "@@identity" anywhere; "delete" opening the text or a statement after a ";".
  return sql.find("@@") != std::string_view::npos || sql.find(';') != std::string_view::npos ||
         conv::SameText(sqlFirstWord(sql), "delete");
}

std::string adaptJetSql(std::string_view sql) {
  if (!mayAdaptJetSql(sql)) return std::string(sql);
  std::vector<Token> tokens = tokenize(sql);
  std::size_t start = 0;
  for (std::size_t i = 0; i <= tokens.size(); ++i) {
    if (i == tokens.size() || isPunct(tokens[i], ';')) {
      adaptDelete(tokens, start, i);
      start = i + 1;
    }
  }
  std::string out;
  out.reserve(sql.size() + 16);
  for (const auto& t : tokens) out += isWord(t, "@@identity") ? std::string("last_insert_rowid()") : t.text;
  return out;
}

}  // namespace vt::db
