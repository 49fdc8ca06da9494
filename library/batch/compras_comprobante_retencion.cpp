// Purchases, columns 48 to 51: the withholding voucher, required when the row withheld VAT or
// income tax.

#include "library/batch/compras.hpp"

namespace valtrone {

using vt::conv::FormatNumberText;
using vt::conv::IsNumericText;
using vt::conv::LeadingNumber;

void ComprasRun::comprobanteRetencion(FilaCompra& f) {
  BloqueErrorRegistro& b = f.bloque;

  double retenido = 0;
  for (long col : {20L, 21L, 22L}) retenido += LeadingNumber(FormatNumberText(f.get(col), "#########0.00"));
  for (long col : {36L, 40L, 44L}) retenido += LeadingNumber(f.get(col));
  if (retenido <= 0) return;

  if (LeadingNumber(f.get(kCRetSerie)) == 0 || LeadingNumber(f.get(kCRetSecuencia)) == 0 ||
      LeadingNumber(f.get(kCRetAutorizacion)) == 0) {
    b.falla("Falta datos de Comprobante Retencion para comprobante " + std::string(f.get(kCSerie)) + "-" +
            std::string(f.get(kCSecuencia)) + "  " + f.sIdentificacion);
    return;
  }

  const std::string c48 = f.set(kCRetSerie, vt::conv::CodeCellZ(f.get(kCRetSerie), "000000"));
  if (!IsNumericText(c48)) {
    b.falla("Comprobante Retencion: Serie " + c48 + " no válida ");
  } else if (LeadingNumber(c48) == 0) {
    b.falla("Comprobante Retencion: Serie no puede ser cero ", c48);
  } else if (const std::string establecimiento = vt::conv::Left(c48, 3); LeadingNumber(establecimiento) == 0) {
    b.falla("Comprobante Retencion: Serie - Código de establecimiento no válido ", establecimiento);
  } else if (const std::string punto = vt::conv::Right(c48, 3); LeadingNumber(punto) == 0) {
    b.falla("Comprobante Retencion: Serie - Punto de emisión no válido ", punto);
  }

  const std::string c49 = f.set(kCRetSecuencia, vt::conv::CodeCellZ(f.get(kCRetSecuencia), "0000000"));
  if (!IsNumericText(c49)) {
    b.falla("Comprobante Retencion: Secuencia " + c49 + " debe ser numerico");
  } else if (LeadingNumber(c49) == 0) {
    b.falla("Comprobante Retencion: Secuencia no puede ser cero: ", c49);
  } else if (vt::conv::Len(vt::conv::Trim(c49)) > 9) {
    b.falla("Comprobante Retencion: longitud de secuencia excede al limite: ", c49);
  }

  const std::string c50 = f.set(kCRetAutorizacion, vt::conv::BlankToZero(vt::conv::Trim(f.get(kCRetAutorizacion))));
  const long largo = vt::conv::Len(c50);
  if (!IsNumericText(c50)) {
    b.falla("Comprobante Retencion: Autorizacion " + c50 + " no valida");
  } else if (LeadingNumber(c50) == 0) {
    b.falla("Comprobante Retencion: Autorizacion no debe ser cero ", c50);
  } else if (largo != 10 && largo < 35) {
    b.falla("Comprobante Retencion:Longitud de autorizacion " + c50 + " es " + std::to_string(largo) +
            " debe ser 10 o 37");
  }

  const CeldaFecha emision = leeCeldaFecha(f.get(kCRetFecha));
  const std::string c51 = f.set(kCRetFecha, vt::conv::BlankToZero(emision.texto));
  // Column 3 was rewritten as dd/mm/yyyy by the period checks: read it back by that pattern.
  const std::optional<vt::conv::Date> compra =
      vt::conv::ParseDateByPattern(f.get(kCFechaEmision), vt::conv::kDateCellPattern);
  if (!emision.fecha) {
    b.falla("Comprobante Retencion: Fecha de emisión " + c51 + " no es válida");
  } else if (!compra || *compra > *emision.fecha) {
    // A purchase date that is no date cannot be compared: the voucher's date is refused.
    b.falla("Comprobante Retencion: Fecha de emisión " + c51 + " debe ser mayor o igual a fecha de emision ",
            f.get(kCFechaEmision));
  } else if (anteriorA2002(*emision.fecha)) {
    b.falla("Comprobante Retencion: Fecha de emisión " + c51 + " debe ser mayor al '01/01/2002' ");
  }
}

}  // namespace valtrone
