// Valida_Anulacion: one range of cancelled vouchers (fields 0 to 8). Besides its checks it leaves
// the last day of the record's own month on the object, where the withholding-annex validator
// reads it; it writes no field back.

#include <optional>
#include <string>

#include "library/record/validador_registro.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

using vt::conv::FormatNumberText;

std::string CLSValidarInformacion::Valida_Anulacion(Record& archivo_reten, bool& berror_record,
                                                    std::string& ds_errores) {
  ValidadorRegistro r(archivo_reten, berror_record, ds_errores, ValidadorRegistro::Entrada::Conserva);
  r.periodo(*this, anioEstricto(nu_anio));

  const Campo comprobante = r.campo(3);
  if (!r.fallaSi(sobre(comprobante, esCero), "Código de comprobante no válido ", comprobante)) {
    r.fallaSi(noRegistrado("tbcttgComprob", "co_comprob", *comprobante),
              "Código de comprobante no válido: ", comprobante);
  }

  r.serie(r.campo(4));
  const Campo inicio = r.campo(5);
  const Campo fin = r.campo(6);
  r.secuencia(inicio);
  r.secuencia(fin);
  const Condition invertido = inicio && fin ? Condition(rangoInvertido(*inicio, *fin)) : std::nullopt;
  r.fallaSi(invertido, "Rango de secuencias de comprobantes no correcto. Inicio: ",
            une({inicio, std::string(". Fin: "), fin}));

  const Campo autorizacion = r.campo(7);
  r.fallaSi(sobre(autorizacion, noNumerico), "Número de autorizacion no válido: ", autorizacion);

  const Campo fecha = r.campo(8);
  const std::optional<vt::conv::Date> anulada = fecha ? vt::conv::ParseDate(*fecha) : std::nullopt;
  r.fallaSi(Condition(!anulada), "Fecha de anulación de comprobante no es válido: ", fecha);

  // The last day of the record's own month, stored for every record that gets here, failed or
  // not; "0" when its month and year form no date. A record without them keeps the old value.
  const Campo mes = r.campo(1);
  const Campo anio = r.campo(2);
  if (mes && anio) {
    std::string inicioMes = vt::conv::FormatDateText("01/" + *mes + "/" + *anio, "dd/mm/yyyy");
    iUltDiasMes = std::to_string(gfUltimoDiaMes(inicioMes));
  }
  // The last day of the month itself is within the period; a period end that cannot be formed
  // leaves nothing to be within.
  std::optional<vt::conv::Date> finPeriodo;
  if (mes && anio) {
    // Built here as dd/mm/yyyy, so read by that pattern whatever the regional order.
    finPeriodo = vt::conv::ParseDateByPattern(
        FormatNumberText(iUltDiasMes, "00") + "/" + FormatNumberText(*mes, "00") + "/" + *anio, "dd/mm/yyyy");
  }
  const Condition tardia = anulada && finPeriodo ? Condition(*anulada > *finPeriodo) : std::nullopt;
  r.fallaSi(tardia, "Fecha de anulación no puede ser mayor al periodo reportado ", fecha);

  return r.termina();
}

}  // namespace valtrone
