#include "library/frame/verifica_ruc.hpp"

#include <array>

#include "platform/conversions/conversions.hpp"

namespace valtrone {
namespace {

using vt::conv::Len;
using vt::conv::Mid;

// A character that is not a digit, or a position past the end, counts 0.
int digitAt(const std::string& number, long position) {
  const std::string c = Mid(number, position, 1);
  return c.size() == 1 && c[0] >= '0' && c[0] <= '9' ? c[0] - '0' : 0;
}

// Pads the digit text itself: a 13-digit RUC never passes through a double.
std::string normalised(const std::string& number) {
  const long length = Len(number);
  if (length == 9 || length == 10) return vt::conv::FormatNumberText(number, "0000000000");
  if (length == 12 || length == 13) return vt::conv::FormatNumberText(number, "0000000000000");
  return number;
}

int16_t modulus10(const std::string& number) {
  static constexpr std::array<int, 9> kWeights = {2, 1, 2, 1, 2, 1, 2, 1, 2};
  int sum = 0;
  for (long i = 0; i < 9; ++i) {
    int product = digitAt(number, i + 1) * kWeights[i];
    if (product > 9) product -= 9;
    sum += product;
  }
  const int r = sum % 10;
  const int expected = r == 0 ? 0 : 10 - r;
  return expected == digitAt(number, 10) ? kRucValido : kRucDigitoVerificador;
}

// Public bodies (third digit 6) carry their check digit in position 9; companies in 10.
int16_t modulus11(const std::string& number, bool publicBody) {
  static constexpr std::array<int, 8> kPublic = {3, 2, 7, 6, 5, 4, 3, 2};
  static constexpr std::array<int, 9> kCompany = {4, 3, 2, 7, 6, 5, 4, 3, 2};
  const long checkPosition = publicBody ? 9 : 10;
  int sum = 0;
  for (long i = 0; i + 1 < checkPosition; ++i) {
    sum += digitAt(number, i + 1) * (publicBody ? kPublic[i] : kCompany[i]);
  }
  const int r = sum % 11;
  // r = 1 asks for 10, which no digit matches: such a number is never valid.
  const int expected = r == 0 ? 0 : 11 - r;
  return expected == digitAt(number, checkPosition) ? kRucValido : kRucDigitoVerificador;
}

}  // namespace

int16_t checkIdentityNumber(std::string& number, std::string_view kind, IdentityRules rules) {
  const bool lenient = rules == IdentityRules::VerificaRUC_Cedula;
  number = normalised(number);
  const long length = Len(number);
  const std::string upperKind = vt::conv::Upper(kind);
  const bool cedula = lenient ? upperKind == "C" : kind == "C";
  const bool ruc = lenient ? upperKind == "R" : kind == "R";

  if (length < 9) return kRucMuyCorto;
  if (cedula && length != 10) return kRucLongitudOTipo;
  if (kind == "R" && vt::conv::Right(number, 3) != "001") return kRucLongitudOTipo;
  if (ruc && length != 13 && length != 10) return kRucLongitudOTipo;

  const double province = vt::conv::StrictNumber(vt::conv::Left(number, 2)).value_or(0);
  const bool provinceOk = (province >= 1 && province <= 24) || (lenient && province == 30);
  if (!provinceOk) return kRucProvincia;

  // The rule is chosen by comparing the third character with 6 as a number. A character that is
  // not a digit allows no such comparison; it fails the check like a wrong check digit, which is
  // what every caller makes of any result other than 0.
  const std::string third = Mid(number, 3, 1);
  if (third.size() != 1 || third[0] < '0' || third[0] > '9') return kRucDigitoVerificador;
  if (third[0] < '6' || kind == "C") return modulus10(number);
  return modulus11(number, third[0] == '6');
}

bool esPersonaJuridica(std::string_view identificacion) {
  const std::string relleno = vt::conv::FormatNumberText(identificacion, "0000000000000");
  return relleno.size() >= 3 && (relleno[2] == '9' || relleno[2] == '6');
}

}  // namespace valtrone
