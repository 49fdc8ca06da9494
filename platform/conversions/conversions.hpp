#pragma once
// The legacy text/number/date conversions, one implementation for the whole system.
// A number text has at most one decimal mark: "." always, or "," when that is the regional
// decimal separator (a sheet saved under Ecuadorian settings writes "1,50"); it never has a
// grouping separator, so "1.234,56" and "1,234.56" are not numeric and "1.50" is never 150.
// Normal forms are written with ".". Masks work on the exact decimal text (long digit strings never pass through a double)
// and round half away from zero. Dates read in the regional short date's order, or year/month/day
// when the first field has four digits; never swapped; serial numbers are not dates. No negative
// zero is ever written.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "datetime.hpp"

namespace vt::conv {

// An exact decimal: value = (neg ? -1 : 1) * digits * 10^-scale; digits has no sign.
struct Decimal {
  bool neg = false;
  std::string digits;
  int scale = 0;
};

// The regional decimal separator ("sDecimal"). The configuration installs where it is read from
// (the calling thread's settings); without a source the mark is "." alone.
using DecimalSeparatorSource = std::string_view (*)();
void SetDecimalSeparatorSource(DecimalSeparatorSource source);
// True when the regional decimal separator is ",", which number texts may then use for ".".
bool RegionalDecimalComma();

// Numeric grammar: blanks? sign? (digits (mark digits?)? | mark digits) blanks?, where the mark is
// "." or, under a regional decimal comma, ",". Val (LeadingNumber) reads the same mark.
std::optional<Decimal> ParseNumber(std::string_view text);
bool IsNumericText(std::string_view text);                  // IsNumeric
std::optional<double> StrictNumber(std::string_view text);  // CDbl; nullopt = conversion failed
double LeadingNumber(std::string_view text);                // Val; never fails
// CDbl of a value handed over by a caller: the numeric grammar, or a number with an exponent
// ("1.5e9", "1E1", "1E-05" as CStr writes it). Cells keep the grammar without exponent.
std::optional<double> NumberWithExponent(std::string_view text);

// Format(text, mask) for the number masks ("0", "00", ..., "#", "####0", "########0.00", ...,
// "###,###,##0.00" with "," grouping, and ">" for upper case). A text that is not numeric is
// returned unchanged; so is any text under a mask outside that grammar.
std::string FormatNumberText(std::string_view text, std::string_view mask);
// A mask of FormatNumberText read once: a literal one while the program is compiled, so that a
// value written per cell does not read its mask again.
class NumberMask {
 public:
  consteval NumberMask(const char* text)  // NOLINT(google-explicit-constructor): every literal mask
      : NumberMask(std::string_view(text)) {}
  constexpr explicit NumberMask(std::string_view text);
  std::string_view text() const { return text_; }
  bool upper() const { return upper_; }
  bool number() const { return number_; }
  int minIntDigits() const { return minIntDigits_; }
  int decimals() const { return decimals_; }
  bool grouped() const { return grouped_; }

 private:
  std::string_view text_;
  bool upper_ = false;    // all ">": upper case
  bool number_ = false;   // within the number grammar, and then:
  int minIntDigits_ = 0;  // count of "0" before the point
  int decimals_ = 0;      // count of "0" after the point
  bool grouped_ = false;  // a "," in the integer part
};
// FormatNumberText with a mask read once.
std::string FormatWithMask(std::string_view text, const NumberMask& mask);
// A number as a mask without grouping writes it, kept as a count of its last place: the text
// FormatNumberText writes is the sign (never for zero), the digits of magnitude / 10^decimals with
// at least minIntDigits before the point, and decimals digits after it.
struct MaskedNumber {
  std::uint64_t magnitude = 0;
  int decimals = 0;
  int minIntDigits = 0;
  bool negative = false;
  bool operator==(const MaskedNumber&) const = default;
};
// nullopt for a text that is not numeric, a mask that groups, upper-cases or is outside the
// grammar, and a number of more than 18 digits before its point and its mask's decimals together:
// FormatNumberText writes those.
std::optional<MaskedNumber> MaskNumberText(std::string_view text, const NumberMask& mask);
// The text FormatNumberText writes for it, appended.
void AppendMaskedNumber(std::string& out, const MaskedNumber& number);

// Grammar: [#0,]* ("." "0"*)?, with at least one "#" or "0"; or ">" alone, once or more.
constexpr NumberMask::NumberMask(std::string_view text) : text_(text) {
  upper_ = !text.empty() && text.find_first_not_of('>') == std::string_view::npos;
  bool placeholder = false;
  std::size_t i = 0;
  for (; i < text.size() && text[i] != '.'; ++i) {
    switch (text[i]) {
      case '0':
        ++minIntDigits_;
        placeholder = true;
        break;
      case '#':
        placeholder = true;
        break;
      case ',':
        grouped_ = true;
        break;
      default:
        return;
    }
  }
  if (i < text.size()) {
    for (++i; i < text.size(); ++i) {
      if (text[i] != '0') return;
      ++decimals_;
      placeholder = true;
    }
  }
  number_ = placeholder;
}
// Format(double, mask): the value is written to 15 significant digits first.
std::string FormatNumber(double value, std::string_view mask);
// FormatNumber read back: the number a value stands for once written with the mask, as amounts
// are compared (1.005 under "########0.00" is 1.01). The value itself when the mask writes no
// number (an infinite value).
double NumberByMask(double value, std::string_view mask);
// A number text written by the masks above ("," grouping, "." decimal), with the given regional
// separators instead: for what is shown or printed to the user, never for cells or the database.
// The separators are arguments so that the conversions stay free of the profile.
std::string RegionalNumberText(std::string_view invariant, std::string_view thousands,
                               std::string_view decimal);

// The regional short date ("sShortDate") that CDate, IsDate and CStr of a date follow. The
// configuration installs where it is read from (the calling thread's settings); without a source,
// or when the source gives an empty text, it is "dd/MM/yyyy".
using ShortDateSource = std::string_view (*)();
void SetShortDateSource(ShortDateSource source);
std::string_view RegionalShortDate();

// IsDate / CDate: the text is read in the order of the regional short date, day/month/year or
// month/day/year, and year/month/day whenever the first field has four digits. The month may be a
// Spanish month name ("31-may-13", "mayo/31/2013"), without regard to case and with or without a
// final dot. Fields are never swapped to make a date valid: under "MM/dd/yyyy", "31/05/2013" is
// not a date. The time part, when present, is checked and dropped by ParseDate.
std::optional<Date> ParseDate(std::string_view text);
std::optional<DateTime> ParseDateTime(std::string_view text);
bool IsDateText(std::string_view text);
// The same for a text whose pattern is known (a cell rewritten as "dd/mm/yyyy"): read in the
// order of that pattern, whatever the regional order.
std::optional<Date> ParseDateByPattern(std::string_view text, std::string_view pattern);
std::optional<DateTime> ParseDateTimeByPattern(std::string_view text, std::string_view pattern);
// Format(text, datePattern): the text is read as ParseDateTime reads it (the regional order) and
// written with the pattern; returned unchanged when it is not a date.
std::string FormatDateText(std::string_view text, std::string_view pattern);
// Date patterns, case-insensitive: d dd m mm mmm mmmm yy yyyy h hh n nn s ss AM/PM A/P ("mmm" and
// "mmmm" are the Spanish month name, short or full, in lower case: "may", "mayo"; "m" or "mm"
// right after an hour token is minutes, elsewhere the month; hours are 24-hour unless AM/PM is
// present); any other character is written as it stands.
std::string FormatDate(const Date& date, std::string_view pattern);
std::string FormatDateTime(const DateTime& value, std::string_view pattern);

// The blank rule: "0" for an empty or all-blank text, otherwise the text unchanged.
std::string BlankToZero(std::string_view text);
int LastDayOfMonth(std::string_view dateText);  // 0 when not a date
bool WithinTolerance(double tolerance, double a, double b);

// The standard rewrites of sheet cells.
std::string AmountCell(std::string_view text);                        // "########0.00", blank -> "0"
std::string CodeCellZ(std::string_view text, std::string_view mask);  // number mask, blank -> "0"
// "dd/mm/yyyy" from a cell read in the regional order; what it wrote is read back with
// ParseDateByPattern(text, kDateCellPattern), never with ParseDate.
inline constexpr std::string_view kDateCellPattern = "dd/mm/yyyy";
std::string DateCell(std::string_view text);

// The key that groups the purchase rows of one reimbursement document (voucher type 41): columns
// 10 to 14 of a purchases row read the way the validator rewrites them, so that "1001" and
// "001001", or authorisations that differ only by blanks, are one key whether a row was rewritten
// or kept as read. The validator and the purchases store group with it alike.
struct ClaveReembolso {
  std::string sustento;      // column 10, "00"
  double comprobante = 0;    // column 11, its leading number
  std::string serie;         // column 12, "000000"
  double secuencia = 0;      // column 13, its leading number
  std::string autorizacion;  // column 14, trimmed
  bool operator==(const ClaveReembolso&) const = default;
};
ClaveReembolso ClaveReembolsoFila(std::string_view c10, std::string_view c11, std::string_view c12,
                                  std::string_view c13, std::string_view c14);

// The identification type of a sales row (column 3 of the sales sheet) as the sales tables code
// it: "R", "C", "P", "F" (blanks trimmed, any case) become "04", "05", "06", "07"; any other text
// is kept as it is. The library's accumulation loaders and the program's sales stores share it.
std::string SalesIdTypeCode(std::string_view cell);
// The VAT-rate code of the sales tables for the company's VAT percentage: 12 gives "2", 14 "3",
// 10 "1", any other percentage the empty text.
std::string SalesVatRateCode(double percentage);

// One value of an insert, before it is written: a text goes between quotes, a whole number or an
// amount bare. An empty whole number or amount is a cell that held no number: the insert written
// with it fails, so that no cell can become part of a statement.
struct InsertValue {
  enum class Kind { Text, Whole, Amount };
  Kind kind;
  std::string text;                    // a text; a whole number or an amount without number
  std::optional<MaskedNumber> number;  // a whole number or an amount its mask keeps as a number
  // A whole number or an amount as written: number as its mask writes it, else text.
  std::string written() const;
};

// The columns of a sales work row, waiting to be totalled per client (after "(" and the key
// column of an engine that takes one; the closing parenthesis included).
inline constexpr const char* kSalesWorkRowColumns =
    " co_empresa, co_mes, co_anio, co_tipoID, co_cliente, ds_nombre, co_estable, "
    " nu_comprob, co_comprob, "
    " mo_base_NoIva, mo_base_0, mo_base, co_iva, mo_iva, "
    " mo_iva_1, co_iva_1, mo_ret_1, mo_iva_2, co_iva_2, mo_ret_2, "
    " mo_ICEbase, co_ICEcodigo, mo_ICEmonto, "
    " st_IVAPresun, st_IRPresun, "
    " co_IRcodigo_1, mo_IRbase_1, va_IRporc_1, mo_IRmonto_1, "
    " co_IRcodigo_2, mo_IRbase_2, va_IRporc_2, mo_IRmonto_2, "
    " co_IRcodigo_3, mo_IRbase_3, va_IRporc_3, mo_IRmonto_3, "
    " mo_reten_IVA, mo_reten_IR, "
    " st_regis)";
// The values of those columns for one sales sheet row, from its columns 0 to 14 (column 3 already
// coded by SalesIdTypeCode) and the company's VAT-rate code; the amounts as the sheet has them,
// without the sign of the voucher type, which the totals take. The name keeps its first
// nameLimit characters. The program's accumulated sales store and the library's accumulation
// loaders write the same work rows with it.
std::vector<InsertValue> SalesWorkRow(std::span<const std::string_view, 15> cells, std::string_view vatCode,
                                      long nameLimit);

// CStr of a number: 15 significant digits, "." separator, no trailing zeros.
std::string VbStr(double value);
// The number VbStr writes, read back (CDbl(CStr(v))); also for the exponent form, which the cell
// grammar does not read.
double RoundTo15Digits(double value);

// Text helpers with the legacy semantics: Trim removes spaces only; UCase upper-cases ASCII and
// Latin letters in UTF-8; lengths and cuts count characters (code points), not bytes.
std::string Trim(std::string_view text);
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);
std::string Upper(std::string_view text);
std::string Lower(std::string_view text);
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
// The one case-insensitive comparison of names (members, identifiers, SQL words, INI sections and
// keys, workbook streams): ASCII letters compare without case, and a text with other bytes
// compares as Upper gives it, so "año" equals "AÑO".
bool SameText(std::string_view a, std::string_view b);
long Len(std::string_view text);
std::string Left(std::string_view text, long count);
std::string Right(std::string_view text, long count);
std::string Mid(std::string_view text, long start, long count = -1);  // start is 1-based
std::string FirstChar(std::string_view text);

}  // namespace vt::conv
