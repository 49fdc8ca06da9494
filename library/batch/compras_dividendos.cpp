// Purchases, columns 45 to 47 (the dividend behind a dividend withholding), the voucher types that
// carry no income tax, and the free columns 65 to 67.

#include "library/batch/compras.hpp"

namespace valtrone {

using vt::conv::FormatNumberText;
using vt::conv::IsNumericText;
using vt::conv::LeadingNumber;

namespace {

constexpr long kCodigosIR[] = {kCRetencionIR1, kCRetencionIR2, kCRetencionIR3};

}  // namespace

void ComprasRun::dividendos(FilaCompra& f) {
  BloqueErrorRegistro& b = f.bloque;

  // A code that is no number cannot be told from a dividend code and counts as one.
  bool dividendo = false;
  for (long col : kCodigosIR) {
    // The code as its block rewrote it (a column beyond a narrow array reads blank, its code "0").
    const std::optional<double> codigo = vt::conv::StrictNumber(vt::conv::CodeCellZ(f.get(col), "####0"));
    if (!codigo || *codigo == 345 || *codigo == 346) dividendo = true;
  }
  if (!dividendo) {
    f.set(kCDividendoFecha, "01/01/2000");
    f.set(kCDividendoImpuesto, "0.00");
    f.set(kCDividendoAnio, "0");
    return;
  }

  const CeldaFecha pago = leeCeldaFecha(f.get(kCDividendoFecha));
  const std::string c45 = f.set(kCDividendoFecha, pago.texto);
  if (!pago.fecha) {
    b.falla("Datos Dividendo. Fecha de pago " + c45 + " no es válida");
  } else if (anteriorA2002(*pago.fecha)) {
    b.falla("Datos Dividendo. Fecha de pago " + c45 + " debe ser mayor al '01/01/2002' ");
  }

  const std::string c46 = f.set(kCDividendoImpuesto, FormatNumberText(f.get(kCDividendoImpuesto), "########0.00"));
  if (!IsNumericText(c46)) b.falla("Datos Dividendo. Valor del impuesto (IR) pagado " + c46 + " debe ser numerico");

  const std::string c47 = f.set(kCDividendoAnio, vt::conv::CodeCellZ(f.get(kCDividendoAnio), "########0"));
  if (!IsNumericText(c47)) {
    b.falla("Datos Dividendo. Año en que se pagaron las utilidades (atribuibles al dividendo) " + c47 +
            " debe ser numerico");
  } else if (LeadingNumber(c47) > LeadingNumber(nu_anio_)) {
    b.falla("Datos Dividendo. Año en que se generaron las utilidades  " + c47 +
            " debe ser menor o igual al periodo (año) informado ");
  }
}

void ComprasRun::tiposSinRetencionIR(FilaCompra& f) {
  const std::string c11(f.get(kCTipoComprobante));
  const double tipo = LeadingNumber(c11);
  if (tipo != 41 && tipo != 4 && tipo != 5) return;
  for (long col : kCodigosIR) {
    if (LeadingNumber(f.get(col)) != 0) {
      f.bloque.falla("Comprobante: Tipo de comprobante " + c11 + " no debe de tener datos en Retenciones de IR ");
      return;
    }
  }
}

void ComprasRun::columnasLibres(FilaCompra& f) {
  for (long col = kCLibre1; col < kCColumnas; ++col) f.set(col, FormatNumberText(f.get(col), "#"));
}

}  // namespace valtrone
