#include "library/frame/listas_catalogo.hpp"

#include "platform/conversions/conversions.hpp"
#include "platform/database/sql_text.hpp"

namespace valtrone {

std::vector<std::string> splitText(std::string_view text, char separator) {
  std::vector<std::string> elements;
  if (text.empty()) return elements;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    elements.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return elements;
    start = end + 1;
  }
}

std::string listColumn(const vt::db::Recordset& rs, std::string_view column) {
  return toVariant(rs.field(column)).toString();
}

bool listElementIn(const std::string& list, const std::string& codes) {
  for (const std::string& element : splitText(list, ',')) {
    if (!element.empty() && codes.find(element) != std::string::npos) return true;
  }
  return false;
}

std::string voucherTypeCondition(const std::string& sCoComprob) {
  return "co_comprob = '" + vt::db::escapeSql(vt::conv::FormatNumberText(sCoComprob, "00")) + "'";
}

}  // namespace valtrone
