#pragma once
// The regional short dates that date tests run under, and a guard that pins one of them in the
// calling thread's settings for a test.

#include <string>

#include "platform/profile/configuracion.hpp"

namespace vt::testing {

// Day-first, month-first, year-first, a month name and other separators; the two-digit year keeps
// dates of 1930-2029.
inline constexpr const char* kShortDates[] = {"dd/MM/yyyy", "d/M/yy",    "MM/dd/yyyy",
                                              "yyyy-MM-dd", "dd-MMM-yy", "dd.MM.yyyy"};

// Sets the regional short date (and the configured short date, which defaults to it) of
// `ctx`, and puts both back at the end.
class ScopedShortDate {
 public:
  explicit ScopedShortDate(const std::string& pattern, ContextoConfiguracion& ctx = currentConfiguration())
      : ctx_(ctx), regional_(ctx.regional.gsFormatoFecha), corta_(ctx.sistema.gsFechaCorta) {
    ctx_.regional.gsFormatoFecha = pattern;
    ctx_.sistema.gsFechaCorta = pattern;
  }
  ~ScopedShortDate() {
    ctx_.regional.gsFormatoFecha = regional_;
    ctx_.sistema.gsFechaCorta = corta_;
  }
  ScopedShortDate(const ScopedShortDate&) = delete;
  ScopedShortDate& operator=(const ScopedShortDate&) = delete;

 private:
  ContextoConfiguracion& ctx_;
  std::string regional_, corta_;
};

}  // namespace vt::testing
