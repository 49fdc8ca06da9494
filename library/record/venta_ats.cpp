// Valida_ATSVenta: one ATS sales line (fields 0 to 25): a customer and voucher type of the month
// with its count, bases, VAT, VAT withheld and up to three income-tax withholdings. Leaves the
// period month's last day on the object; writes back the customer number (a passport cut to 13
// characters, or the final-consumer number when asked to) and the zeros of an empty withholding.
//
// A field that is no number is reported by its own numeric check; the comparisons that would read
// it as a number are then left out rather than report a second, misleading fault.

#include <optional>
#include <string>

#include "library/frame/verifica_ruc.hpp"
#include "library/record/validador_registro.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

namespace {

using vt::conv::FormatNumberText;
using vt::conv::IsNumericText;
using vt::conv::LeadingNumber;

// Each block has always had its own punctuation; a base without a code is an incomplete block.
const MensajesIR kMensajesIR[3] = {
    {"IR (1). Código ", "IR(1). Base imponible debe ser numérico ",
     "IR(1). Porcentaje de Retención debe ser numércio ", "IR(1). Monto de retención debe ser numérico ",
     "IR(1). Datos incompletos de retencion ",
     "IR(1). Porcentaje de retencion código 303 no válido para personas juridicas ",
     "IR (1). Porcentaje de retención ",
     "IR(1). Base Imponible IR  x  porcentaje no concuerda con monto retenido ",
     "IR(1). Datos incompletos de retencion "},
    {"IR (2). Código ",
     "IR(2). Base imponible debe ser numérico: ", "IR(2). Porcentaje de Retención debe ser numércio: ",
     "IR(2). Monto de retención debe ser numérico: ", "IR(2). Datos incompletos de retencion ",
     "IR(2). Porcentaje de retencion código 303 no válido para personas juridicas ",
     "IR (2). Porcentaje de retención ",
     "IR(2). Base Imponible IR  x  porcentaje no concuerda con monto retenido ",
     "IR(2). Datos incompletos de retencion "},
    {"IR (3). Código ", "IR(3). Base imponible debe ser numérico: ",
     "IR(3). Porcentaje de Retención debe ser numércio: ", "IR(3). Monto de retención debe ser numérico ",
     "IR(3). Datos incompletos de retencion ",
     "IR(3). Porcentaje de retencion código 303 no válido para personas juridicas ",
     "IR (3). Porcentaje de retención ",
     "IR(3). Base Imponible IR  x  porcentaje no concuerda con monto retenido ",
     "IR(3). Datos incompletos de retencion "},
};

class VentaRun {
 public:
  VentaRun(CLSValidarInformacion& objeto, ValidadorRegistro& r, std::string finPeriodo)
      : objeto_(objeto), r_(r), finPeriodo_(std::move(finPeriodo)) {}

  void identificacion();
  void comprobante();
  void cantidadYBases();
  void iva();
  void retencionIR(int bloque);
  void monto();

 private:
  bool validaBases() const { return objeto_.iValidaBases != 1; }
  bool personaJuridica() const;

  CLSValidarInformacion& objeto_;
  ValidadorRegistro& r_;
  std::string finPeriodo_;
  RetencionIRDeLlamada catalogoIR_;
};

void VentaRun::identificacion() {
  const Campo tipo = r_.campo(3);
  r_.fallaSi(sobre(tipo, [](const std::string& t) { return t != "P" && t != "F" && t != "R" && t != "C"; }),
             "Tipo de identificación no válido ", tipo);

  const Campo numeroId = r_.campo(4);
  const Campo largo = numeroId ? Campo(std::to_string(vt::conv::Len(*numeroId))) : std::nullopt;
  r_.fallaSi(sobre(numeroId, [](const std::string& n) { return vt::conv::Len(n) > 13; }),
             "Identificacion: Longitud maxima no permitida  ", largo);

  if (r_.fallaSi(sobre(numeroId, noNumerico), "Numero de identificación debe ser numérico ", numeroId))
    return;
  if (r_.fallaSi(Condition(LeadingNumber(*numeroId) <= 0), "Numero de identificacion no válido ", numeroId))
    return;
  if (!tipo) return;
  const Campo nombre = r_.campo(5);
  const std::string clase = vt::conv::Upper(vt::conv::Trim(*tipo));
  if (clase == "F") {
    r_.fallaSi(Condition(vt::conv::Trim(*numeroId) != kConsumidorFinal),
               "Identificación para Consumidor Final no válido ", une({numeroId, std::string(" "), nombre}));
  } else if (clase == "P") {
    r_.escribe(4, vt::conv::Left(*numeroId, 13));
  } else if (clase == "R" || clase == "C") {
    // A padded copy is checked: the number keeps the form the customer gave it.
    std::string copia = FormatNumberText(*numeroId, *tipo == "C" ? "0000000000" : "0000000000000");
    if (checkIdentityNumber(copia, *tipo, IdentityRules::VerificaRUC_Cedula) != kRucValido) {
      if (objeto_.iConvertirRUC == 1)
        r_.escribe(4, kConsumidorFinal);
      else
        r_.falla("Número de Identificación (RUC, Cédula ) no válido ",
                 une({numeroId, std::string(" "), nombre}));
    }
  }
}

bool VentaRun::personaJuridica() const {
  const Campo numeroId = r_.campo(4);
  return numeroId && esPersonaJuridica(*numeroId);
}

void VentaRun::comprobante() {
  r_.comprobante(objeto_, r_.campo(6), "04,05,06,07", "", "Comprobante no válido para transaccion de venta ");
}

void VentaRun::cantidadYBases() {
  const Campo cantidad = r_.campo(7);
  if (!r_.fallaSi(sobre(cantidad, noNumerico),
                  "Cantidad de comprobantes al mes debe ser numerico: ", cantidad) &&
      validaBases()) {
    r_.fallaSi(Condition(LeadingNumber(*cantidad) <= 0),
               "Cantidad de comprobantes al mes debe ser mayor a cero: ", cantidad);
  }

  struct Base {
    long k;
    const char* noNumerica;
    const char* negativa;
  };
  const Base bases[] = {
      {8, "Base No IVA debe ser numerico : ", "Base No IVA debe ser mayor o igual a cero: "},
      {9, "Base imponible 0% debe ser numerico : ", "Base imponible 0% debe ser mayor o igual a cero: "},
      {10, "Base imponible gravada debe ser numerico : ",
       "Base imponible gravada debe ser mayor o igual a cero: "},
  };
  std::optional<double> suma = 0;
  for (const Base& b : bases) {
    const Campo campo = r_.campo(b.k);
    const std::optional<double> n = numeroDe(campo);
    if (!r_.fallaSi(sobre(campo, noNumerico), b.noNumerica, campo))
      r_.fallaSi(Condition(*n < 0), b.negativa, campo);
    suma = suma && n ? std::optional<double>(*suma + *n) : std::nullopt;
  }
  if (validaBases() && suma && *suma <= 0) {
    r_.falla("Suma de (Base 0% + Base No IVA+ Base Gravada)  debe ser mayor a cero: ",
             vt::conv::VbStr(*suma));
  }
}

void VentaRun::iva() {
  const Campo gravada = r_.campo(10);
  const Campo monto = r_.campo(11);
  const std::optional<double> base = numeroDe(gravada);
  const std::optional<double> iva = numeroDe(monto);
  if (!r_.fallaSi(sobre(monto, noNumerico), "Monto de IVA no válido: ", monto) && base) {
    r_.fallaSi(Condition(*base > 0 && *iva <= 0), "Monto de IVA debe ser mayor a cero ", monto);
  }
  if (base && iva && *base > 0 && *iva > 0) {
    const double calculado = vt::conv::NumberByMask(*base * objeto_.iPocIVA / 100, "########0.00");
    r_.fallaSi(Condition(calculado != vt::conv::NumberByMask(*iva, "########0.00")), "",
               une({std::string("Base Imponible "), gravada,
                    std::string(" x  % IVA no concuerda con Monto de IVA "), monto}));
  }

  const Campo porcentaje = r_.campo(12);
  const Campo retenido = r_.campo(13);
  r_.fallaSi(sobre(porcentaje, noNumerico), "Porcentaje de retención IVA  ", porcentaje);
  r_.fallaSi(sobre(retenido, noNumerico), "Monto de IVA retenido ", retenido);
  const std::optional<double> nRetenido = numeroDe(retenido);
  if (validaBases() && porcentaje && nRetenido) {
    const Campo par = une({porcentaje, std::string(" - "), retenido});
    const bool conPorcentaje = LeadingNumber(*porcentaje) != 0;
    r_.fallaSi(Condition(conPorcentaje && *nRetenido == 0), "Retencion de IVA ", par);
    r_.fallaSi(Condition(!conPorcentaje && *nRetenido != 0), "Retencion de IVA no coinciden: ", par);
  }
}

void VentaRun::retencionIR(int bloque) {
  const MensajesIR& m = kMensajesIR[bloque];
  const long k = 14 + 4 * bloque;
  if (r_.retencionIRSinCodigo(k, m)) return;
  const Campo codigo = r_.campo(k);

  // The code in force on the last day of the period; a period that forms no date has none. The
  // date was built here as dd/mm/yyyy, so it is read by that pattern, not in the regional order.
  r_.fallaSi(
      Condition(catalogoIR_.noVigente(*codigo, vt::conv::ParseDateByPattern(finPeriodo_, "dd/mm/yyyy"))),
      m.codigo, une({codigo, std::string(" no registrado para periodo de fecha "), finPeriodo_}));

  const auto [base, porcentaje, monto, nBase, nPorcentaje, nMonto] = r_.numerosIR(k, m);

  // Each step is left out only when one of its own inputs is no number.
  if (nBase && nPorcentaje && nMonto) {
    if (*nBase != 0 || *nPorcentaje != 0 || *nMonto != 0) {
      r_.fallaSi(Condition(personaJuridica() && *codigo == "303"), m.juridica, porcentaje);
    } else {
      r_.falla(m.incompleto);
    }
  }
  if (nPorcentaje) {
    r_.fallaSi(Condition(catalogoIR_.st_ingreso == "N" && *nPorcentaje != catalogoIR_.va_reten),
               m.porcentajeLegal,
               une({porcentaje, std::string(" no válido para codigo de retención "), codigo}));
  }
  if (nBase && nPorcentaje && nMonto && *nBase > 0 && *nPorcentaje > 0) {
    const double calculado =
        vt::conv::NumberByMask(retencionIRCalculada(*nBase, *nPorcentaje), "########0.00");
    r_.fallaSi(Condition(calculado != vt::conv::NumberByMask(*nMonto, "########0.00")), m.producto, monto);
  }
}

void VentaRun::monto() {
  if (!validaBases()) return;
  double total = 0;
  for (long k : {8, 9, 10, 15, 19, 23}) {
    const std::optional<double> n = numeroDe(r_.campo(k));
    if (!n) return;
    total += *n;
  }
  r_.fallaSi(
      Condition(vt::conv::NumberByMask(total, "########0.00") <= 0),
      "Comprobante no contiene monto. Sumatoria de Base 0% + Base No IVA + Base 12% + Bases IR(x) debe ser "
      "mayor a cero. ");
}

}  // namespace

std::string CLSValidarInformacion::Valida_ATSVenta(Record& archivo_reten, bool& berror_record,
                                                   std::string& ds_errores) {
  ValidadorRegistro r(archivo_reten, berror_record, ds_errores, ValidadorRegistro::Entrada::Conserva);
  // The period ends with the object's month; an annual run has no month of its own, so a
  // withholding code is looked up on the last day of the month the line declares (field 1).
  const Campo mesDelRegistro = nu_mes == 99 ? r.campo(1) : Campo(std::to_string(nu_mes));
  const std::string mes = mesDelRegistro ? vt::conv::VbStr(LeadingNumber(*mesDelRegistro)) : std::string();
  std::string inicioMes = vt::conv::FormatDateText("01/" + mes + "/" + nu_anio, "dd/mm/yyyy");
  iUltDiasMes = std::to_string(gfUltimoDiaMes(inicioMes));
  const std::string finPeriodo = FormatNumberText(iUltDiasMes, "00") + "/" + FormatNumberText(mes, "00") +
                                 "/" + FormatNumberText(nu_anio, "0000");

  r.periodo(*this, anioEstricto(nu_anio));
  VentaRun run(*this, r, finPeriodo);
  run.identificacion();
  run.comprobante();
  run.cantidadYBases();
  run.iva();
  for (int bloque = 0; bloque < 3; ++bloque) run.retencionIR(bloque);
  run.monto();
  return r.termina();
}

}  // namespace valtrone
