#include "platform/conversions/conversions.hpp"

namespace vt::conv {

std::string AmountCell(std::string_view text) { return BlankToZero(FormatNumberText(text, "########0.00")); }

std::string CodeCellZ(std::string_view text, std::string_view mask) {
  return BlankToZero(FormatNumberText(text, mask));
}

std::string DateCell(std::string_view text) { return FormatDateText(text, kDateCellPattern); }

}  // namespace vt::conv
