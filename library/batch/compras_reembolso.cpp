// Purchases, columns 52 to 64: the reimbursed voucher of a type-41 purchase (its issuer, type,
// date, serie, sequence, authorisation, bases, VAT and ICE). Other types get fixed values.

#include "library/batch/compras.hpp"

namespace valtrone {

using vt::conv::AmountCell;
using vt::conv::BlankToZero;
using vt::conv::CodeCellZ;
using vt::conv::FormatNumberText;
using vt::conv::IsNumericText;
using vt::conv::LeadingNumber;
using vt::conv::StrictNumber;
using vt::conv::Upper;

namespace {

enum ColReembolso : long {
  kRTipoId = kCReembTipoId,
  kRId = 53,
  kRComplemento = 54,
  kRTipoComprobante = 55,
  kRFecha = 56,
  kRSerie = 57,
  kRSecuencia = 58,
  kRAutorizacion = 59,
  kRBaseNoIva = 60,
  kRBase0 = 61,
  kRBaseGravada = 62,
  kRIva = 63,
  kRIce = 64,
};

}  // namespace

void ComprasRun::reembolso(FilaCompra& f) {
  if (LeadingNumber(f.get(kCTipoComprobante)) != 41) {
    for (long col : {kRTipoId, kRId, kRTipoComprobante}) f.set(col, "0");
    f.set(kRComplemento, "");
    f.set(kRSerie, "0");
    f.set(kRSecuencia, "0");
    f.set(kRFecha, "01/01/2000");
    for (long col = kRAutorizacion; col <= kRIce; ++col) f.set(col, "0");
    return;
  }
  BloqueErrorRegistro& b = f.bloque;

  const std::string c52 = f.set(kRTipoId, BlankToZero(Upper(FormatNumberText(f.get(kRTipoId), "#"))));
  if (c52 != "P" && c52 != "R" && c52 != "C") b.falla("Reembolso. Tipo de identificación no válido ", c52);

  const std::string c53 = f.set(kRId, BlankToZero(Upper(FormatNumberText(f.get(kRId), "0000000000000"))));

  const std::string c55 = f.set(kRTipoComprobante, CodeCellZ(f.get(kRTipoComprobante), "#"));
  if (LeadingNumber(c55) == 0) {
    b.falla("Reembolso. Código de comprobante no válido ", c55);
  } else {
    // The catalogue keys are two-digit codes; the cell keeps its one-digit form.
    b.fallaSi(negated(comprobanteRegistrado(FormatNumberText(c55, "00"))),
              "Reembolso. Código de comprobante no válido: ", c55);
  }

  const std::string c54 = f.set(kRComplemento, FormatNumberText(f.get(kRComplemento), "#"));

  if (!IsNumericText(c53)) {
    b.falla("Reembolso. Numero de identificación debe ser numérico ", c53);
  } else if (LeadingNumber(c53) <= 0) {
    b.falla("Reembolso. Numero de identificacion no válido ", c53);
  } else {
    f.sCodTransaccion.clear();
    const std::string tipo = Upper(vt::conv::Trim(c52));
    if (tipo == "P") {
      f.sCodTransaccion = "03";
    } else if (tipo == "R" || tipo == "C") {
      f.sCodTransaccion = c52 == "C" ? "02" : "01";
      if (!identidadValida(c53, c52, IdentityRules::pdfvvali_cedu))
        b.falla("Reembolso. Numero de Identificacion (RUC, Cédula ) no válido " + c53 + " " + c54);
    }
  }

  const CeldaFecha emision = leeCeldaFecha(f.get(kRFecha));
  const std::string c56 = f.set(kRFecha, emision.texto);
  if (!emision.fecha) {
    b.falla("Reembolso. Fecha emision comprobante " + c56 + " no es válida");
  } else if (anteriorA2002(*emision.fecha)) {
    b.falla("Reembolso. Fecha emision comprobante " + c56 + " debe ser mayor al '01/01/2002' ");
  }

  // Three tests of their own: one serie can be reported more than once.
  const std::string c57 = f.set(kRSerie, CodeCellZ(f.get(kRSerie), "000000"));
  if (!IsNumericText(c57)) b.falla("Reembolso. Número de Serie " + c57 + " no válida");
  if (LeadingNumber(c57) == 0) b.falla("Reembolso. Número de Serie no puede ser cero ", c57);
  if (const std::string establecimiento = vt::conv::Left(c57, 3); LeadingNumber(establecimiento) == 0) {
    b.falla("Reembolso. Número de Serie - Código de establecimiento no válido ", establecimiento);
  } else if (const std::string punto = vt::conv::Right(c57, 3); LeadingNumber(punto) == 0) {
    b.falla("Reembolso. Número de Serie - Punto de emisión no válido ", punto);
  }

  const std::string c58 = f.set(kRSecuencia, CodeCellZ(f.get(kRSecuencia), "0000000"));
  if (!IsNumericText(c58)) {
    b.falla("Reembolso. Secuencia de comprobante. Debe ser numérico: ", c58);
  } else if (LeadingNumber(c58) == 0) {
    b.falla("Reembolso. Secuencia de comprobante. No puede ser cero: ", c58);
  } else if (vt::conv::Len(vt::conv::Trim(c58)) > 9) {
    b.falla("Reembolso. Secuencia de comprobante. Longitud excede al limite: ", c58);
  }

  const std::string c59 = f.set(kRAutorizacion, BlankToZero(vt::conv::Trim(f.get(kRAutorizacion))));
  const long largo = vt::conv::Len(c59);
  if (!IsNumericText(c59)) {
    b.falla("Reembolso. Número de autorizacion no válido: ", c59);
  } else if (LeadingNumber(c59) == 0) {
    b.falla("Reembolso. Número de autorizacion no debe ser cero ", c59);
  } else if (largo != 10 && largo < 35) {
    b.falla("Reembolso. Longitud de autorizacion " + c59 + "es " + std::to_string(largo) + " debe ser 10 o 37 ");
  }

  const BasesImponibles bases = basesImponibles(f, kRBaseNoIva, "Reembolso. ");
  const std::optional<double>& s62 = bases.gravada;

  const std::string c63 = f.set(kRIva, AmountCell(f.get(kRIva)));
  const std::optional<double> s63 = StrictNumber(c63);
  if (!s63) {
    b.falla("Reembolso. Monto de IVA " + c63 + " no válido ");
  } else if (held(s62 ? Condition(*s62 > 0) : std::nullopt) && *s63 <= 0) {
    b.falla("Reembolso. Monto de IVA " + c63 + " debe ser mayor a cero ");
  }

  if (held(s62 && s63 ? Condition(*s62 > 0 && *s63 > 0) : std::nullopt)) {
    const double calculado = LeadingNumber(bases.textoGravada) * object_.iPocIVA / 100;
    if (!montoConcuerda(dDecRedondeo_, calculado, c63))
      b.falla("Reembolso. Base Imponible  x  % IVA no concuerda con Monto de IVA: ", c63);
  }

  const std::string c64 = f.set(kRIce, AmountCell(f.get(kRIce)));
  if (!IsNumericText(c64)) b.falla("Reembolso. Monto de ICE " + c64 + " no válido ");
}

}  // namespace valtrone
