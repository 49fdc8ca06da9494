// Purchases, columns 19 to 22: the ICE amount and the VAT withheld, against the VAT amount.

#include "library/batch/compras.hpp"

namespace valtrone {

using vt::conv::LeadingNumber;
using vt::conv::StrictNumber;

void ComprasRun::icesYRetencionesIva(FilaCompra& f) {
  BloqueErrorRegistro& b = f.bloque;
  static const struct {
    long col;
    const char* message;
  } kMontos[] = {
      {kCIce, "Monto de ICE "},
      {kCRetIvaBienes, "Monto Retenido por IVA Bienes "},
      {kCRetIvaServicios, "Monto Retenido por IVA Servicios (70%) "},
      {kCRetIva100, "Monto Retenido por IVA Servicios (100%)"},
  };
  for (const auto& monto : kMontos) {
    const std::string c = f.set(monto.col, vt::conv::AmountCell(f.get(monto.col)));
    if (!vt::conv::IsNumericText(c)) b.falla(monto.message + c + " no válido ");
  }

  const std::string_view c18 = f.get(kCIva);
  const std::string c20(f.get(kCRetIvaBienes)), c21(f.get(kCRetIvaServicios)), c22(f.get(kCRetIva100));
  const std::optional<double> s18 = StrictNumber(c18), s20 = StrictNumber(c20), s21 = StrictNumber(c21),
                              s22 = StrictNumber(c22);
  const Condition sinIva =
      s18 && s20 && s21 && s22 ? Condition(*s18 == 0 && (*s20 > 0 || *s21 > 0 || *s22 > 0)) : std::nullopt;
  const double iva = LeadingNumber(c18), v20 = LeadingNumber(c20), v21 = LeadingNumber(c21);
  if (!b.fallaSi(sinIva, "No debe haber Retencion de IVA (Bienes/Servicios) si IVA es cero")) {
    if (v20 > 0 && iva <= v20) {
      b.falla("Retención IVA Bienes " + c20 + " debe ser menor que el valor de IVA " + std::string(c18));
    } else if (v21 > 0 && iva <= v21) {
      b.falla("Retención IVA Servicios " + c21 + " debe ser menor que el valor de IVA " + std::string(c18));
    }
  }
  const double total = v20 + v21 + LeadingNumber(c22);
  if (iva < vt::conv::RoundTo15Digits(total)) {
    b.falla("Total retenciones IVA " + vt::conv::VbStr(total) + " debe ser menor del monto IVA " +
            std::string(c18));
  }
}

}  // namespace valtrone
