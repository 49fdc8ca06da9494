#include "shell/core/valores.hpp"

#include <variant>

#include "platform/conversions/conversions.hpp"
#include "platform/profile/configuracion.hpp"

namespace ambrix {

namespace {
template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;
}  // namespace

std::string textOf(const vt::db::Value& value) {
  return std::visit(
      Overloaded{[](std::monostate) { return std::string(); }, [](const std::string& text) { return text; },
                 [](std::int64_t number) { return std::to_string(number); },
                 [](double number) { return vt::conv::VbStr(number); },
                 [](const vt::db::Timestamp& stamp) {
                   const std::string& fecha = vt::currentConfiguration().sistema.gsFechaCorta;
                   return vt::conv::FormatDateTime(stamp.value, stamp.dateOnly ? fecha : fecha + " hh:mm:ss");
                 }},
      value.data());
}

double numberOf(const vt::db::Value& value) {
  switch (value.kind()) {
    case vt::db::Value::Kind::Integer:
    case vt::db::Value::Kind::Double:
      return value.asDouble();
    case vt::db::Value::Kind::Text:
      return vt::conv::StrictNumber(value.asText()).value_or(0);
    default:
      return 0;
  }
}

}  // namespace ambrix
