#pragma once
// How the writer turns a stored value into an element's text. Masks as the annex needs them:
//   importe        "########0.00": "." separator, no grouping, "-" when negative, never "-0.00"
//   conMascara     a number mask ("00", "000000000", "#", "########0") or ">" on the value's text:
//                  numeric text is formatted, any other text stays as it is
//   codigoNumerico the leading number of the text (Val) with "00": "4" -> "04", "04A" -> "04"
//   fecha          "dd/mm/yyyy" with "/" whatever the regional settings
// Null: where the writer needs a text or a number of its own, a Null raises "Uso no válido de
// Null" (94) and ends the run; where it only writes the value, a Null gives an empty text.

#include <string>
#include <string_view>

#include "platform/database/recordset.hpp"
#include "platform/database/value.hpp"

namespace ambrix::xml {

using vt::db::Value;

// The value's text; Null raises 94.
std::string textoRequerido(const Value& v);
// The value's text; Null gives "".
std::string texto(const Value& v);
// The value as a number; Null raises 94, a text that is not a number raises 13.
double numeroRequerido(const Value& v);
// As numeroRequerido, but Null counts as 0.
double numeroOCero(const Value& v);
// Whether the value, converted whole to a number, differs from 0: Null is false, a text that does
// not convert raises 13 ("000000000" is 0, "000000123" is not).
bool distintoDeCero(const Value& v);
// Val of the value's text; Null raises 94.
double valorNumerico(const Value& v);

std::string importe(double dValor);
// Null gives ""; otherwise the value times dSigno.
std::string importe(const Value& v, double dSigno = 1);
std::string conMascara(const Value& v, std::string_view mascara);
std::string codigoNumerico(const Value& v);
std::string fecha(const Value& v);

// Whole cents, so that 333.33 + 666.67 compares equal to 1000.
long long centavos(double dValor);

// Column numbers of a recordset looked up once, before its rows are read.
class Columnas {
 public:
  explicit Columnas(const vt::db::Recordset& rs) : rs_(rs) {}
  int operator()(std::string_view nombre) const { return rs_.fieldIndex(nombre); }

 private:
  const vt::db::Recordset& rs_;
};

}  // namespace ambrix::xml
