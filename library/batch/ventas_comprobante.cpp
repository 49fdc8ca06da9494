// Sales, the voucher: its type (column 7), issue date, serie, sequential and authorisation
// (columns 15 to 18), the check that the row carries an amount, and the free columns 19 to 21.

#include "library/batch/ventas.hpp"

namespace valtrone {

using vt::conv::FormatNumberText;
using vt::conv::IsNumericText;
using vt::conv::LeadingNumber;
using vt::conv::StrictNumber;

namespace {

// The transaction codes of sales in the voucher-type catalogue: a sales voucher lists one of them.
constexpr const char* kTransaccionesVenta = "04,05,06,07";

}  // namespace

void VentasRun::tipoComprobante(FilaVenta& f) {
  BloqueErrorRegistro& b = f.bloque;
  const std::string c7 = f.set(kVTipoComprobante, FormatNumberText(f.get(kVTipoComprobante), "00"));
  if (LeadingNumber(c7) == 0) {
    b.falla("Código de comprobante no válido ", c7);
  } else if (!b.fallaSi(negated(comprobanteRegistrado(memo_, c7)), "Código de comprobante no válido: ", c7)) {
    b.fallaSi(negated(comprobantePorTransaccion(memo_, object_, c7, kTransaccionesVenta)),
              "Comprobante de venta " + c7 + " no válido para tipo de cliente y tipo de transaccion ");
  }
}

void VentasRun::comprobante(FilaVenta& f) {
  BloqueErrorRegistro& b = f.bloque;

  // The issue date is not compared with the period: a month's sales may carry earlier vouchers.
  const CeldaFecha emision = leeCeldaFecha(f.get(kVFechaEmision));
  const std::string c15 = f.set(kVFechaEmision, emision.texto);
  if (!emision.fecha) b.falla("Comprobante: Fecha de emisión " + c15 + " no es válida");

  // A serie, sequential or authorisation of zeros stands for a voucher the sheet does not detail.
  const std::string c16 = f.set(kVSerie, FormatNumberText(f.get(kVSerie), "000000"));
  if (!IsNumericText(c16)) {
    b.falla("Comprobante: Serie " + c16 + " no válido ");
  } else if (StrictNumber(c16) != 0.0) {
    const std::string establecimiento = vt::conv::Left(c16, 3);
    const std::string punto = vt::conv::Right(c16, 3);
    if (LeadingNumber(establecimiento) == 0) {
      b.falla("Comprobante: Serie - 'Código de establecimiento'  " + establecimiento + " no válido ");
    } else if (LeadingNumber(punto) == 0) {
      b.falla("Comprobante: Serie - 'Punto de emisión' " + punto + " no válido ");
    }
  }

  const std::string c17 = f.set(kVSecuencia, FormatNumberText(f.get(kVSecuencia), "0000000"));
  if (!IsNumericText(c17)) {
    b.falla("Comprobante: Secuencia " + c17 + " debe ser numérico");
  } else if (StrictNumber(c17) != 0.0 && vt::conv::Len(vt::conv::Trim(c17)) > 9) {
    b.falla("Comprobante: Secuencia " + c17 + " longitud excede el limite");
  }

  // Measured after the rewrite: a number of up to ten digits has ten.
  const std::string c18 = f.set(kVAutorizacion, FormatNumberText(f.get(kVAutorizacion), "0000000000"));
  const long largo = vt::conv::Len(c18);
  if (!IsNumericText(c18)) {
    b.falla("Comprobante: Número de Autorizacion " + c18 + " debe ser numerico ");
  } else if (StrictNumber(c18) != 0.0 && largo != 10 && largo != 37) {
    b.falla("Comprobante: Longitud de autorizacion  " + c18 + " debe ser 10 o 37");
  }
}

void VentasRun::montoPresente(FilaVenta& f) {
  if (retencionesAnteriores_ || !f.dSumaBases) return;
  const double suma = *f.dSumaBases;
  if (vt::conv::NumberByMask(suma, "########0.00") <= 0) {
    f.bloque.falla(
        "Comprobante no contiene monto. Sumatoria de Base 0% + Base No IVA + Base 12% debe ser mayor a cero ",
        vt::conv::VbStr(suma));
  }
}

void VentasRun::columnasLibres(FilaVenta& f) {
  for (long col = kVLibre1; col < kVColumnas; ++col) f.set(col, FormatNumberText(f.get(col), "#"));
}

}  // namespace valtrone
