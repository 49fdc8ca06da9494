// Purchases, columns 10 to 14: the tax support and the voucher (type, serie, sequence,
// authorisation).

#include "library/batch/compras.hpp"

namespace valtrone {

using vt::conv::FormatNumberText;
using vt::conv::IsNumericText;
using vt::conv::LeadingNumber;

void ComprasRun::sustentoTributario(FilaCompra& f) {
  BloqueErrorRegistro& b = f.bloque;
  const std::string c10 = f.set(kCSustento, FormatNumberText(f.get(kCSustento), "00"));
  if (!IsNumericText(c10)) {
    b.falla("Codigo de sustento tributario debe ser numerico: ", c10);
  } else if (LeadingNumber(c10) < 0) {
    b.falla("Código de sustento tributario debe ser mayor a cero ", c10);
  } else {
    b.fallaSi(negated(sustentoRegistrado(c10)), "Código de sustento tributario no válido: ", c10);
  }
}

void ComprasRun::comprobante(FilaCompra& f) {
  BloqueErrorRegistro& b = f.bloque;

  const std::string c10(f.get(kCSustento));
  const std::string c11 = f.set(kCTipoComprobante, FormatNumberText(f.get(kCTipoComprobante), "00"));
  if (LeadingNumber(c11) == 0) {
    b.falla("Código de comprobante no válido ", c11);
  } else if (!b.fallaSi(negated(comprobanteRegistrado(c11)), "Código de comprobante no válido: ", c11)) {
    b.fallaSi(negated(comprobantePorTransaccion(c11, f.sCodTransaccion)),
              "Comprobante " + c11 + " no válido para tipo de proveedor y tipo de transaccion ");
  }
  b.fallaSi(negated(sustentoEnComprobante(c11, c10)),
            "Codigo de sustento tributario: " + c10 + " no válido para comprobante: " + c11);

  const std::string c12 = f.set(kCSerie, FormatNumberText(f.get(kCSerie), "000000"));
  if (!IsNumericText(c12)) {
    b.falla("Número de Serie " + c12 + " no válida");
  } else if (LeadingNumber(c12) == 0) {
    b.falla("Número de Serie no puede ser cero ", c12);
  } else if (const std::string establecimiento = vt::conv::Left(c12, 3);
             LeadingNumber(establecimiento) == 0) {
    b.falla("Número de Serie - Código de establecimiento no válido ", establecimiento);
  } else if (const std::string punto = vt::conv::Right(c12, 3); LeadingNumber(punto) == 0) {
    b.falla("Número de Serie - Punto de emisión no válido ", punto);
  }

  const std::string c13 = f.set(kCSecuencia, FormatNumberText(f.get(kCSecuencia), "0000000"));
  if (!IsNumericText(c13)) {
    b.falla("Secuencia de comprobante. Debe ser numérico: ", c13);
  } else if (LeadingNumber(c13) == 0) {
    b.falla("Secuencia de comprobante. No puede ser cero: ", c13);
  } else if (vt::conv::Len(vt::conv::Trim(c13)) > 9) {
    b.falla("Secuencia de comprobante. Longitud excede al limite: ", c13);
  }

  const std::string c14 = f.set(kCAutorizacion, vt::conv::Trim(f.get(kCAutorizacion)));
  const long largo = vt::conv::Len(c14);
  if (!IsNumericText(c14)) {
    b.falla("Autorizacion de comprobante no válido ", c14);
  } else if (LeadingNumber(c14) == 0) {
    b.falla("Autorizacion de comprobante no debe ser cero ", c14);
  } else if (largo != 10 && largo < 35) {
    b.falla("Autorizacion de comprobante debe ser " + c14 + " es " + std::to_string(largo) +
            " debe ser 10 o 37 ");
  }
}

}  // namespace valtrone
