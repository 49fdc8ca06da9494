#include "platform/conversions/conversions.hpp"

namespace vt::conv {

std::string AmountCell(std::string_view text) { return BlankToZero(FormatNumberText(text, "########0.00")); }

std::string CodeCellZ(std::string_view text, std::string_view mask) {
  return BlankToZero(FormatNumberText(text, mask));
}

std::string DateCell(std::string_view text) { return FormatDateText(text, kDateCellPattern); }

ClaveReembolso ClaveReembolsoFila(std::string_view c10, std::string_view c11, std::string_view c12,
                                  std::string_view c13, std::string_view c14) {
  return {FormatNumberText(c10, "00"), LeadingNumber(c11), FormatNumberText(c12, "000000"),
          LeadingNumber(c13), Trim(c14)};
}

}  // namespace vt::conv
