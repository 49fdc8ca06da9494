#include "platform/database/sql_value.hpp"

#include <algorithm>

#include "platform/database/sql_text.hpp"

namespace vt::db {

SqlValue::SqlValue(std::string literal) : kind_(Kind::Literal), raw_(std::move(literal)) {
  // 'x' with no apostrophe and no NUL inside is exactly quoteSql("x"): kept as the text x.
  if (raw_.size() >= 2 && raw_.front() == '\'' && raw_.back() == '\'' &&
      raw_.find_first_of(std::string_view("'\0", 2), 1) == raw_.size() - 1) {
    kind_ = Kind::Text;
    raw_.pop_back();
    raw_.erase(0, 1);
  }
}

SqlValue SqlValue::text(std::string value) {
  if (value.find('\0') != std::string::npos) value.erase(std::remove(value.begin(), value.end(), '\0'), value.end());
  return SqlValue(Kind::Text, std::move(value));
}

std::string SqlValue::literal() const { return kind_ == Kind::Text ? quoteSql(raw_) : raw_; }

void SqlValue::appendLiteral(std::string& out) const {
  if (kind_ == Kind::Text)
    out += quoteSql(raw_);
  else
    out += raw_;
}

}  // namespace vt::db
