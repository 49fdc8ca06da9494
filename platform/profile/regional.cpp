#include <langinfo.h>
#include <locale.h>

#include "platform/conversions/conversions.hpp"
#include "platform/profile/configuracion.hpp"
#include "platform/profile/ini_file.hpp"
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
  // As gfLeeWinIni reads each key, from the file read and parsed once; a missing, unreadable,
  // oversized or special file gives every key its default.
  std::optional<profile::IniText> file = profile::readIniFile(regionalProfilePath());
  if (!file) file.emplace(std::string());
  auto read = [&](const char* key, std::string_view fallback) {
    return file->value("Intl", key).value_or(conv::Trim(fallback));
  };
  r.gbDigitos = static_cast<std::uint8_t>(profile::legacyInteger(read("iDigits", "2"), 0, 255, ctx.gsTituloApp));
  r.gsFormatoFecha = read("sShortDate", "dd/MM/yyyy");
  r.gsFormatoHora = read("sTimeFormat", "HH:mm:ss");
  r.gsSepDecimal = read("sDecimal", locale.decimal);
  r.gsSepFecha = read("sDate", "/");
  r.gsSepMiles = read("sThousand", locale.thousands);
  r.gsSepLista = read("sList", r.gsSepDecimal == "," ? ";" : ",");
  r.gsFormatoNumero = formatoNumero(r);
}

}  // namespace vt
