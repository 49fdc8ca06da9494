#pragma once
// Reading the comma lists of the voucher-type catalogue and the condition texts of its lookups.

#include <string>
#include <string_view>
#include <vector>

#include "library/frame/db_objects.hpp"

namespace valtrone {

// Split(text, separator): an empty text gives no element, "a,,b" gives an empty middle one.
std::vector<std::string> splitText(std::string_view text, char separator);

// The text of a list column of the current row; Null raises "invalid use of Null".
std::string listColumn(const vt::db::Recordset& rs, std::string_view column);

// True when a non-empty element of the comma list occurs inside `codes` (case-sensitive). Empty
// elements are skipped: they would occur inside any text.
bool listElementIn(const std::string& list, const std::string& codes);

// "co_comprob = '<code as 00>'", the head of every voucher-type lookup.
std::string voucherTypeCondition(const std::string& sCoComprob);

}  // namespace valtrone
