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

std::string InsertValue::written() const {
  if (!number) return text;
  std::string out;
  AppendMaskedNumber(out, *number);
  return out;
}

std::vector<InsertValue> SalesWorkRow(std::span<const std::string_view, 15> cells, std::string_view vatCode,
                                      long nameLimit) {
  using Kind = InsertValue::Kind;
  const auto texto = [](std::string_view t) { return InsertValue{Kind::Text, std::string(t), std::nullopt}; };
  const auto codigo = [](std::string_view t, const NumberMask& mask) {
    return InsertValue{Kind::Text, FormatWithMask(t, mask), std::nullopt};
  };
  const auto numero = [](std::string_view t, Kind kind) {
    static constexpr NumberMask kWhole("########0"), kAmount("########0.00");
    if (!IsNumericText(t)) return InsertValue{kind, "", std::nullopt};
    const NumberMask& mask = kind == Kind::Whole ? kWhole : kAmount;
    if (auto number = MaskNumberText(t, mask)) return InsertValue{kind, "", number};
    return InsertValue{kind, FormatWithMask(t, mask), std::nullopt};
  };
  const InsertValue cero{Kind::Amount, "", MaskedNumber{0, 2, 1, false}};
  std::vector<InsertValue> v;
  v.reserve(40);
  v.push_back(texto(cells[0]));
  v.push_back(codigo(cells[1], "00"));
  v.push_back(codigo(cells[2], "0000"));
  v.push_back(codigo(cells[3], "00"));
  v.push_back(codigo(cells[4], "0000000000000"));
  v.push_back(texto(Left(cells[5], nameLimit)));
  v.push_back(texto(Trim(cells[6])));
  v.push_back(numero(cells[8], Kind::Whole));
  v.push_back(codigo(cells[7], "00"));
  for (const std::size_t c : {9, 10, 11}) v.push_back(numero(cells[c], Kind::Amount));
  v.push_back(codigo(vatCode, "0"));
  v.push_back(numero(cells[12], Kind::Amount));
  // The VAT withholdings, the ICE and the income-tax blocks: the sheet has none of them.
  for (int bloque = 0; bloque < 3; ++bloque) {
    v.push_back(cero);
    v.push_back(texto("0"));
    v.push_back(cero);
  }
  v.push_back(texto("N"));
  v.push_back(texto("N"));
  for (int bloque = 0; bloque < 3; ++bloque) {
    v.push_back(codigo("0", "####0"));
    v.push_back(cero);
    v.push_back(cero);
    v.push_back(cero);
  }
  v.push_back(numero(cells[13], Kind::Amount));
  v.push_back(numero(cells[14], Kind::Amount));
  v.push_back(texto("A"));
  return v;
}

}  // namespace vt::conv
