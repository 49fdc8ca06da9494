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

std::string SalesIdTypeCode(std::string_view cell) {
  const std::string t = Upper(Trim(cell));
  if (t == "R") return "04";
  if (t == "C") return "05";
  if (t == "P") return "06";
  if (t == "F") return "07";
  return std::string(cell);
}

std::string SalesVatRateCode(double percentage) {
  if (percentage == 12) return "2";
  if (percentage == 14) return "3";
  if (percentage == 10) return "1";
  return "";
}

}  // namespace vt::conv
