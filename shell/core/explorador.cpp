#include "shell/core/explorador.hpp"

#include <array>
#include <cmath>
#include <ctime>
#include <filesystem>

#include "platform/conversions/conversions.hpp"

namespace ambrix {
namespace {

// The largest currency value: 922,337,203,685,477.5807.
constexpr double kMaxCurrency = 922337203685477.5807;

std::string Regional(const std::string& invariant, std::string_view sepMiles, std::string_view sepDecimal) {
  return vt::conv::RegionalNumberText(invariant, sepMiles, sepDecimal);
}

// UTF-8 into code points; a byte that starts no valid sequence stands for itself.
std::u32string CodePoints(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    char32_t cp = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
    for (size_t k = 1; k < n; ++k) {
      if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
        n = 0;
        break;
      }
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    if (n == 0) {
      out.push_back(b);
      ++i;
    } else {
      out.push_back(cp);
      i += n;
    }
  }
  return out;
}

struct Token {
  enum Kind { Literal, Any, Digit, Star, Set } kind = Literal;
  char32_t ch = 0;
  bool negate = false;
  std::vector<std::pair<char32_t, char32_t>> ranges;

  bool matches(char32_t c) const {
    switch (kind) {
      case Literal:
        return c == ch;
      case Any:
        return true;
      case Digit:
        return c >= U'0' && c <= U'9';
      case Set: {
        bool in = false;
        for (const auto& [lo, hi] : ranges) in = in || (c >= lo && c <= hi);
        return in != negate;
      }
      case Star:
        break;
    }
    return false;
  }
};

// The pattern as tokens; none when a list is not closed or holds a range that runs backwards.
std::optional<std::vector<Token>> Tokens(const std::u32string& p) {
  std::vector<Token> out;
  for (size_t i = 0; i < p.size(); ++i) {
    Token t;
    switch (p[i]) {
      case U'*':
        if (out.empty() || out.back().kind != Token::Star) {
          Token star;
          star.kind = Token::Star;
          out.push_back(std::move(star));
        }
        continue;
      case U'?':
        t.kind = Token::Any;
        break;
      case U'#':
        t.kind = Token::Digit;
        break;
      case U'[': {
        const size_t close = p.find(U']', i + 1);
        if (close == std::u32string::npos) return std::nullopt;
        std::u32string list = p.substr(i + 1, close - i - 1);
        i = close;
        if (list.empty()) continue;  // "[]" stands for no character at all
        t.kind = Token::Set;
        if (list.size() > 1 && list[0] == U'!') {
          t.negate = true;
          list.erase(0, 1);
        }
        for (size_t k = 0; k < list.size(); ++k) {
          if (k + 2 < list.size() && list[k + 1] == U'-') {
            if (list[k + 2] < list[k]) return std::nullopt;
            t.ranges.emplace_back(list[k], list[k + 2]);
            k += 2;
          } else {
            t.ranges.emplace_back(list[k], list[k]);
          }
        }
        break;
      }
      default:
        t.ch = p[i];
        break;
    }
    out.push_back(std::move(t));
  }
  return out;
}

// Civil date of a count of days since 1970-01-01.
vt::conv::Date CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

}  // namespace

std::string gfFormatoTamano(double bytes, std::string_view sepMiles, std::string_view sepDecimal) {
  if (std::isinf(bytes) || std::fabs(bytes) > kMaxCurrency) return "Overflow";
  if (bytes < 1024) return Regional(vt::conv::FormatNumber(bytes, "#,##0"), sepMiles, sepDecimal) + " b";
  double valor = bytes / 1024;
  for (int k = 1; k <= 24; ++k) {
    if (!(valor < std::pow(10.0, k))) continue;
    const int grupo = (k - 1) / 3;
    valor /= std::pow(1024.0, grupo);
    const int digitos = static_cast<int>(vt::conv::VbStr(std::floor(valor)).size());
    const std::string mascara = "#,##0." + std::string(static_cast<size_t>(std::max(0, 4 - digitos)), '0');
    return Regional(vt::conv::FormatNumber(valor, mascara), sepMiles, sepDecimal) + " " + "KMGTPEZY"[grupo] +
           "b";
  }
  return "Out of bounds";
}

bool gfLike(std::string_view text, std::string_view pattern) {
  const std::optional<std::vector<Token>> tokens = Tokens(CodePoints(pattern));
  if (!tokens) return false;
  const std::u32string s = CodePoints(text);
  const std::vector<Token>& p = *tokens;
  // One star backtracking point is enough: a later star supersedes an earlier one.
  size_t si = 0, pi = 0, starP = std::string::npos, starS = 0;
  while (si < s.size()) {
    if (pi < p.size() && p[pi].kind == Token::Star) {
      starP = pi++;
      starS = si;
    } else if (pi < p.size() && p[pi].matches(s[si])) {
      ++si;
      ++pi;
    } else if (starP != std::string::npos) {
      pi = starP + 1;
      si = ++starS;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi].kind == Token::Star) ++pi;
  return pi == p.size();
}

std::vector<std::string> gfPatronesFiltro(std::string_view sFiltro) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= sFiltro.size()) {
    const size_t end = std::min(sFiltro.find(';', start), sFiltro.size());
    std::string patron = vt::conv::Trim(sFiltro.substr(start, end - start));
    if (!patron.empty()) out.push_back(std::move(patron));
    start = end + 1;
  }
  return out;
}

bool gfNombreVisible(std::string_view nombre, const std::vector<std::string>& patrones) {
  if (nombre.empty() || nombre.front() == '.') return false;
  const std::string upper = vt::conv::Upper(nombre);
  for (const std::string& patron : patrones)
    if (gfLike(upper, vt::conv::Upper(patron))) return true;
  return false;
}

std::string gfExtensionArchivo(std::string_view nombre) {
  const size_t punto = nombre.rfind('.');
  if (punto == std::string_view::npos || punto + 1 == nombre.size()) return "";
  return vt::conv::Lower(nombre.substr(punto + 1));
}

vt::conv::DateTime gfFechaModificado(std::int64_t segundosUtc, std::int64_t desfaseSegundos) {
  if (segundosUtc == 0) return {{1980, 1, 1}, 3, 0, 0};
  const std::int64_t local = segundosUtc + desfaseSegundos;
  std::int64_t dias = local / 86400;
  std::int64_t resto = local % 86400;
  if (resto < 0) {
    resto += 86400;
    --dias;
  }
  return {CivilFromDays(dias), static_cast<int>(resto / 3600), static_cast<int>(resto / 60 % 60),
          static_cast<int>(resto % 60)};
}

std::string gfFechaCorta(std::int64_t segundosUtc, std::string_view formatoFecha) {
  const auto t = static_cast<std::time_t>(segundosUtc);
  std::tm local{};
  const std::int64_t desfase = localtime_r(&t, &local) ? local.tm_gmtoff : 0;
  const std::string_view formato = formatoFecha.empty() ? vt::conv::RegionalShortDate() : formatoFecha;
  return vt::conv::FormatDate(gfFechaModificado(segundosUtc, desfase).date, formato);
}

std::optional<std::string> gfRechazoSoltar(std::string_view origen, bool origenConClave,
                                           std::string_view destino, bool destinoConClave) {
  if (destino == origen) return kSoltarSobreSiMisma;
  if (std::filesystem::path(origen).parent_path() == std::filesystem::path(destino)) return kSoltarSobrePadre;
  const std::string prefijo = origen.ends_with('/') ? std::string(origen) : std::string(origen) + "/";
  if (destino.starts_with(prefijo)) return kSoltarSobreSubcarpeta;
  if (origenConClave && destinoConClave) return kSoltarArchivoSobreArchivo;
  return std::nullopt;
}

}  // namespace ambrix
