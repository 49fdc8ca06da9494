#include <langinfo.h>
#include <locale.h>

#include "platform/profile/configuracion.hpp"
#include "platform/profile/legacy_integer.hpp"
#include "platform/profile/perfil.hpp"

namespace vt {
namespace {

struct LocaleSeparators {
  std::string decimal;
  std::string thousands;
};

// The user's numeric locale, read without touching the process locale (threads may be running).
LocaleSeparators localeSeparators() {
  locale_t loc = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (loc == static_cast<locale_t>(nullptr)) return {".", ""};
  LocaleSeparators s{::nl_langinfo_l(RADIXCHAR, loc), ::nl_langinfo_l(THOUSEP, loc)};
  ::freelocale(loc);
  return s;
}

std::string formatoNumero(const ConfiguracionRegional& r) {
  std::string format;
  for (const char c : std::string_view("###,###,##0")) {
    if (c == ',') {
      format += r.gsSepMiles;
    } else {
      format += c;
    }
  }
  return format + r.gsSepDecimal + std::string(r.gbDigitos, '0');
}

}  // namespace

void gsCargaConfRegional(ContextoConfiguracion& ctx) {
  const LocaleSeparators locale = localeSeparators();
  ConfiguracionRegional& r = ctx.regional;
  long size = 255;
  r.gbDigitos =
      static_cast<std::uint8_t>(profile::legacyInteger(gfLeeWinIni("Intl", "iDigits", "2", size), 0, 255));
  r.gsFormatoFecha = gfLeeWinIni("Intl", "sShortDate", "dd/MM/yyyy", size);
  r.gsFormatoHora = gfLeeWinIni("Intl", "sTimeFormat", "HH:mm:ss", size);
  r.gsSepDecimal = gfLeeWinIni("Intl", "sDecimal", locale.decimal, size);
  r.gsSepFecha = gfLeeWinIni("Intl", "sDate", "/", size);
  r.gsSepMiles = gfLeeWinIni("Intl", "sThousand", locale.thousands, size);
  r.gsSepLista = gfLeeWinIni("Intl", "sList", r.gsSepDecimal == "," ? ";" : ",", size);
  r.gsFormatoNumero = formatoNumero(r);
}

}  // namespace vt
