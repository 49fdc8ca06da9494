// Valida_Venta: one sales line of the older layout (fields 0 to 34): a customer and voucher type of
// the month with its bases, VAT, VAT withheld on goods and on services, ICE, presumptive states
// and up to three income-tax withholdings. Writes back a passport cut to 13 characters and the
// zeros of an empty withholding; writes no property of the object.
//
// Its checks keep the readings that fail: a test that reads a field that is no number counts as
// met, and a product that cannot be formed leaves the working amount as the previous one left it.
// Clients have always seen the lines that follow from this, so they stay.

#include <optional>
#include <string>

#include "library/record/validador_registro.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

namespace {

using vt::conv::LeadingNumber;

// Only the line of a base without a code is spelt apart in each block.
const MensajesIR kMensajesIR[3] = {
    {"IR(1). Código no registrado: ", "IR(1). Base imponible debe ser numérico: ",
     "IR(1). Porcentaje de Retención debe ser numércio: ", "IR(1). Monto de retención debe ser numérico: ",
     "IR(1). Datos incompletos de retencion ",
     "IR(1). Porcentaje de retencion código 303 no válido para personas juridicas: ",
     "IR(1). Porcentaje de retencion no válido para código de retención: ",
     "IR(1). Base Imponible IR  x  porcentaje no concuerda con monto retenido: ",
     "IR(1). Datos incompletos de retencion "},
    {"IR(2). Código no registrado: ", "IR(2). Base imponible debe ser numérico: ",
     "IR(2). Porcentaje de Retención debe ser numércio: ", "IR(2). Monto de retención debe ser numérico: ",
     "IR(2). Datos incompletos de retencion ",
     "IR(2). Porcentaje de retencion código 303 no válido para personas juridicas: ",
     "IR(2). Porcentaje de retencion no válido para código de retención: ",
     "IR(2). Base Imponible IR  x  porcentaje no concuerda con monto retenido: ",
     "IR(2). Datos incompletos de retención "},
    {"IR(3). Código no registrado: ", "IR(3). Base imponible debe ser numérico: ",
     "IR(3). Porcentaje de Retención debe ser numércio: ", "IR(3). Monto de retención debe ser numérico: ",
     "IR(3). Datos incompletos de retencion ",
     "IR(3). Porcentaje de retencion código 303 no válido para personas juridicas: ",
     "IR(3). Porcentaje de retencion no válido para código de retención: ",
     "IR(3). Base Imponible IR  x  porcentaje no concuerda con monto retenido: ",
     "IR(3). Datos incompletos de retención "},
};

const MensajesRetencionIVA kBienes{&kPoIVABien,
                                   "Monto de IVA por Compras no válido: ",
                                   "Porcentaje de retención IVA por Bienes debe ser numerico : ",
                                   "Porcentaje de retencion del IVA por Bienes no registrado: ",
                                   "Monto Retenido de IVA por Compras no válido: ",
                                   "Retencion de IVA x Bienes no coinciden: "};
const MensajesRetencionIVA kServicios{&kPoIVAServ,
                                      "Monto de IVA por Servicios no válido: ",
                                      "% de retención IVA por Servicios debe ser numerico : ",
                                      "% de retencion del IVA por Servicios no registrado: ",
                                      "Monto Retenido de IVA por Servicios no válido: ",
                                      "Retención de IVA x Servicios no coinciden: "};

class VentaAntigua {
 public:
  VentaAntigua(CLSValidarInformacion& objeto, ValidadorRegistro& r) : objeto_(objeto), r_(r) {}

  void identificacion();
  void cantidadYBases();
  void iva();
  void retencionIR(int bloque);
  void monto();

  // The working amount that the VAT, ICE and income-tax products leave in turn. It is carried from
  // one check to the next on purpose: the rules of this layout compare a product that cannot be
  // formed with the one before, and the total of the record is read from it.
  double calculado = 0;

 private:
  bool validaBases() const { return objeto_.iValidaBases != 1; }

  CLSValidarInformacion& objeto_;
  ValidadorRegistro& r_;
  // The last withholding code found during the call: a code not found keeps its values.
  RetencionIRDeLlamada catalogoIR_;
  // The income-tax bases as last summed.
  double basesIR_ = 0;
};

void VentaAntigua::identificacion() {
  const Campo tipo = r_.campo(3);
  r_.fallaSi(sobre(tipo, [](const std::string& t) { return t != "P" && t != "F" && t != "R" && t != "C"; }),
             "Tipo de identificación no válido ", tipo);

  const Campo numeroId = r_.campo(4);
  if (r_.fallaSi(sobre(numeroId, noNumerico), "Numero de identificación debe ser numérico ", numeroId))
    return;
  if (r_.fallaSi(Condition(LeadingNumber(*numeroId) <= 0), "Numero de identificacion no válido ", numeroId))
    return;
  if (!tipo) return;
  const Campo nombre = r_.campo(5);
  if (*tipo == "P") {
    r_.escribe(4, vt::conv::Left(*numeroId, 13));
  } else if (*tipo == "F") {
    r_.fallaSi(Condition(vt::conv::Trim(*numeroId) != "9999999999999"),
               "Identificacion para Consumidor Final no válido ", une({numeroId, std::string(" "), nombre}));
  } else if (*tipo == "R" || *tipo == "C") {
    r_.fallaSi(Condition(!identidadValida(*numeroId, *tipo, IdentityRules::VerificaRUC_Cedula)),
               "Numero de Identificacion (RUC, Cédula ) no válido ",
               une({numeroId, std::string(" "), nombre}));
  }
}

void VentaAntigua::cantidadYBases() {
  const Campo cantidad = r_.campo(7);
  if (!r_.fallaSi(sobre(cantidad, noNumerico),
                  "Cantidad de comprobantes al mes debe ser numerico: ", cantidad) &&
      validaBases()) {
    r_.fallaSi(Condition(LeadingNumber(*cantidad) <= 0),
               "Cantidad de comprobantes al mes debe ser mayor a cero: ", cantidad);
  }

  const Campo cero = r_.campo(8);
  const Campo gravada = r_.campo(9);
  if (!r_.fallaSi(sobre(cero, noNumerico), "Base imponible 0% debe ser numerico : ", cero))
    r_.fallaSi(Condition(*numeroDe(cero) < 0), "Base imponible 0% debe ser mayor o igual a cero: ", cero);
  if (!r_.fallaSi(sobre(gravada, noNumerico), "Base imponible gravada debe ser numerico : ", gravada))
    r_.fallaSi(Condition(*numeroDe(gravada) < 0),
               "Base imponible gravada debe ser mayor o igual a cero: ", gravada);
  if (validaBases()) r_.sumaBases(cero, gravada);
}

void VentaAntigua::iva() {
  const Campo gravada = r_.campo(9);
  const Campo porcentaje = r_.campo(10);
  const Campo monto = r_.campo(11);
  r_.porcentaje(porcentaje, kPoIVA,
                "Porcentaje de IVA debe ser numerico : ", "Porcentaje de IVA no registrado: ");
  r_.montoIVA(gravada, monto);
  // The rate of the record, not the object's iPocIVA.
  r_.ivaCalculado(calculado, gravada, porcentaje, monto);
}

void VentaAntigua::retencionIR(int bloque) {
  const MensajesIR& m = kMensajesIR[bloque];
  const long k = 23 + 4 * bloque;
  if (r_.retencionIRSinCodigo(k, m)) return;
  const Campo codigo = r_.campo(k);

  if (catalogoIR_.noRegistrado(*codigo)) r_.falla(m.codigo, codigo);

  const auto [base, porcentaje, monto, nBase, nPorcentaje, nMonto] = r_.numerosIR(k, m);

  r_.fallaSi(nBase && nPorcentaje && nMonto ? Condition(*nBase == 0 && *nPorcentaje == 0 && *nMonto == 0)
                                            : std::nullopt,
             m.incompleto);
  const Campo numeroId = r_.campo(4);
  r_.fallaSi(Condition(numeroId && codigo && esPersonaJuridica(*numeroId) && *codigo == "303"), m.juridica,
             porcentaje);
  if (catalogoIR_.st_ingreso == "N") {
    r_.fallaSi(nPorcentaje ? Condition(*nPorcentaje != catalogoIR_.va_reten) : std::nullopt,
               m.porcentajeLegal, codigo);
  }
  if (!nBase || !nPorcentaje || (*nBase > 0 && *nPorcentaje > 0)) {
    if (nBase && nPorcentaje) calculado = retencionIRCalculada(*nBase, *nPorcentaje);
    r_.fallaSi(nMonto ? Condition(vt::conv::NumberByMask(*nMonto, "########0.00") !=
                                  vt::conv::NumberByMask(calculado, "########0.00"))
                      : std::nullopt,
               m.producto, monto);
  }
}

void VentaAntigua::monto() {
  const std::optional<double> b24 = numeroDe(r_.campo(24));
  const std::optional<double> b28 = numeroDe(r_.campo(28));
  const std::optional<double> b32 = numeroDe(r_.campo(32));
  if (b24 && b28 && b32) basesIR_ = *b24 + *b28 + *b32;
  const std::optional<double> cero = numeroDe(r_.campo(8));
  const std::optional<double> gravada = numeroDe(r_.campo(9));
  if (cero && gravada) calculado = *cero + *gravada + basesIR_;
  r_.fallaSi(Condition(vt::conv::NumberByMask(calculado, "########0.00") <= 0),
             "Comprobante no contiene monto. Sumatoria de Base 12% + Base 0% + Bases IR(x). debe ser mayor a "
             "cero. ");
}

}  // namespace

std::string CLSValidarInformacion::Valida_Venta(Record& archivo_reten, bool& berror_record,
                                                std::string& ds_errores) {
  ValidadorRegistro r(archivo_reten, berror_record, ds_errores, ValidadorRegistro::Entrada::Conserva);
  r.periodo(*this, anioEstricto(nu_anio));
  VentaAntigua venta(*this, r);
  venta.identificacion();
  r.comprobante(*this, r.campo(6), "04,05,06,07", "", "Comprobante no válido para transaccion de venta ");
  venta.cantidadYBases();
  venta.iva();
  r.retencionIVA(12, kBienes);
  r.retencionIVA(15, kServicios);
  r.ice(18, venta.calculado,
        {"Porcentaje de retención ICE debe ser numerico : ", "Monto de Retencion de ICE no coinciden: ",
         false});
  const Campo ivaPresuntivo = r.campo(21);
  r.fallaSi(sobre(ivaPresuntivo, fueraDeSN), "Estado de IVA Presuntivo no válido ", ivaPresuntivo);
  const Campo irPresuntivo = r.campo(22);
  r.fallaSi(sobre(irPresuntivo, fueraDeSN), "Estado de IR Presuntivo no válido ", irPresuntivo);
  for (int bloque = 0; bloque < 3; ++bloque) venta.retencionIR(bloque);
  venta.monto();
  return r.termina();
}

}  // namespace valtrone
