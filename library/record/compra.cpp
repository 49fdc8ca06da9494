// Valida_Cmpra: one purchase of the older layout (fields 0 to 51): the voucher and its dates, the
// supplier, bases and VAT with the VAT withheld on goods and on services, ICE, the withholding
// voucher, the voucher a credit or debit note modifies, and three income-tax withholdings. Leaves
// the last day of the record's month on the object; writes back the zeros of an empty withholding.
//
// A check whose test reads a field that is no number or no date counts as failed. Where such a
// field only feeds a product or a total, the comparison is left out: the field's own check has
// already reported it.

#include <optional>
#include <string>

#include "library/record/validador_registro.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

namespace {

using vt::conv::Date;
using vt::conv::LeadingNumber;

const MensajesRetencionIVA kBienes{&kPoIVABien,
                                   "Monto de IVA por Compras no válido: ",
                                   "Porcentaje de retención IVA por Bienes debe ser numérico : ",
                                   "Porcentaje de retención del IVA por Bienes no registrado: ",
                                   "Monto Retenido de IVA por Compras no válido: ",
                                   "Retención de IVA x Bienes no coinciden: "};
const MensajesRetencionIVA kServicios{&kPoIVAServ,
                                      "Monto de IVA por Servicios no válido: ",
                                      "Porcentaje de retención IVA por Servicios debe ser numérico : ",
                                      "Porcentaje de retención del IVA por Servicios no registrado: ",
                                      "Monto Retenido de IVA por Servicios no válido: ",
                                      "Retención de IVA x Servicios no coinciden: "};

const MensajesSerie kSerieModificado{"Número de Serie comprobante modific. no válido: ",
                                     "Número de Serie comprobante modific. no puede ser cero ",
                                     "Número de Serie - Código de establecimiento comprobante modific. no válido ",
                                     "Número de Serie - Punto de emisión comprobante modific. no válido "};

// The lead value of a field written with the mask of the VAT totals and read back.
double centavos(const Campo& campo) {
  return campo ? vt::conv::NumberByMask(LeadingNumber(*campo), "#########0.00") : 0;
}

// The months from one date's month to another's, the days left out.
int mesesEntre(const Date& desde, const Date& hasta) {
  return (hasta.year - desde.year) * 12 + (hasta.month - desde.month);
}

class CompraAntigua {
 public:
  CompraAntigua(CLSValidarInformacion& objeto, ValidadorRegistro& r) : objeto_(objeto), r_(r) {}

  void fechas();
  void proveedor();
  void comprobante();
  void basesEIva();
  void comprobanteRetencion();
  void comprobanteModificado();
  void montosTransaccion();
  void retencionIR(int bloque);
  void retencionesConComprobante();

 private:
  CLSValidarInformacion& objeto_;
  ValidadorRegistro& r_;
  // The last withholding code found during the call: a code not found keeps its values.
  RetencionIRDeLlamada catalogoIR_;
};

void CompraAntigua::fechas() {
  const Campo emision = r_.campo(3);
  const std::optional<Date> fechaEmision = fechaDe(emision);
  r_.fallaSi(Condition(!fechaEmision), "Fecha de emisión de comprobante no es válido: ", emision);

  // The last day of the record's month in the object's year, left for the withholding annex.
  const Campo mes = r_.campo(1);
  if (mes) {
    std::string inicioMes = vt::conv::FormatDateText("01/" + *mes + "/" + objeto_.nu_anio, "dd/mm/yyyy");
    objeto_.iUltDiasMes = std::to_string(objeto_.gfUltimoDiaMes(inicioMes));
  }
  // The period ends on that day of the record's own month and year; "0" forms no date.
  const Campo anio = r_.campo(2);
  std::optional<Date> finPeriodo;
  if (mes && anio) {
    const double m = LeadingNumber(*mes);
    const double y = LeadingNumber(*anio);
    const double d = LeadingNumber(objeto_.iUltDiasMes);
    // Whole numbers within a date's range only: anything else forms no date and is never cast.
    const auto entero = [](double v, double hasta) { return v >= 1 && v <= hasta && v == static_cast<int>(v); };
    if (entero(m, 12) && entero(y, 9999) && entero(d, 31)) {
      const Date fin{static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
      if (vt::conv::isValidDate(fin)) finPeriodo = fin;
    }
  }
  r_.fallaSi(fechaEmision && finPeriodo ? Condition(*fechaEmision > *finPeriodo) : std::nullopt,
             "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado ", emision);

  const Campo contable = r_.campo(4);
  const std::optional<Date> fechaContable = fechaDe(contable);
  r_.fallaSi(Condition(!fechaContable), "Fecha de contabilización de comprobante no es válido: ", contable);
  if (objeto_.nu_mes != 99) {
    r_.fallaSi(sobreFecha(fechaContable, [&](const Date& d) { return d.month != objeto_.nu_mes; }),
               "Mes de fecha de contabilización de comprobante no corresponde: ", contable);
  }
  const std::optional<double> anioObjeto = anioEstricto(objeto_.nu_anio);
  r_.fallaSi(anioObjeto ? sobreFecha(fechaContable, [&](const Date& d) { return d.year != *anioObjeto; })
                        : std::nullopt,
             "Año de fecha de contabilización de comprobante no corresponde ", contable);
  r_.fallaSi(fechaContable && fechaEmision ? Condition(*fechaContable < *fechaEmision) : std::nullopt,
             "Fecha de contabilización no puede ser menor que la fecha de emisión ",
             une({contable, std::string("-"), emision}));
}

void CompraAntigua::proveedor() {
  const Campo tipo = r_.campo(5);
  r_.fallaSi(sobre(tipo, [](const std::string& t) { return t != "P" && t != "R" && t != "C"; }),
             "Tipo de identificación no válido ", tipo);
  const Campo numeroId = r_.campo(6);
  if (r_.fallaSi(sobre(numeroId, noNumerico), "Numero de identificación debe ser numérico ", numeroId)) return;
  if (r_.fallaSi(Condition(LeadingNumber(*numeroId) <= 0), "Numero de identificacion no válido ", numeroId))
    return;
  // A passport is checked by the two tests above only.
  if (tipo && (*tipo == "R" || *tipo == "C")) {
    r_.fallaSi(Condition(!identidadValida(*numeroId, *tipo, IdentityRules::VerificaRUC_Cedula)),
               "Numero de Identificacion (RUC, Cédula ) no válido ",
               une({numeroId, std::string(" "), r_.campo(7)}));
  }
}

void CompraAntigua::comprobante() {
  const Campo tipo = r_.campo(8);
  r_.comprobante(objeto_, tipo, "01,02,03", "ATS", "Comprobante no válido para transaccion de compra: ");
  r_.sustento(objeto_, tipo, r_.campo(9));

  const double t = tipo ? LeadingNumber(*tipo) : 0;
  const Campo serie = r_.campo(10);
  if ((t >= 10 && t <= 14) || t == 19 || t == 20) {
    r_.fallaSi(sobre(serie, noNumerico), "Número de Serie no válido: ", serie);
    r_.fallaSi(sobre(serie, [](const std::string& s) { return LeadingNumber(s) != 999999; }),
               "No. de Serie debe ser 999999 para comprobantes del 10 al 14, 19 Y 20 ", serie);
  } else {
    r_.serie(serie);
  }

  const Campo secuencia = r_.campo(11);
  if (!r_.fallaSi(sobre(secuencia, noNumerico), "Secuencia de comprobante. Debe ser numérico: ", secuencia) &&
      !r_.fallaSi(Condition(esCero(*secuencia)), "Secuencia de comprobante. No puede ser cero: ", secuencia)) {
    r_.fallaSi(Condition(vt::conv::Len(vt::conv::Trim(*secuencia)) > 7),
               "Secuencia de comprobante. Longitud excede al limite: ", secuencia);
  }

  const Campo autorizacion = r_.campo(12);
  if (!r_.fallaSi(sobre(autorizacion, noNumerico), "Número de autorizacion no válido: ", autorizacion))
    r_.fallaSi(Condition(esCero(*autorizacion)), "Número de autorizacion no debe ser cero ", autorizacion);

  const Campo caducidad = r_.campo(13);
  const std::optional<Date> fechaCaducidad = fechaDe(caducidad);
  if (r_.fallaSi(Condition(!fechaCaducidad), "Fecha de caducidad de comprobante no válida: ", caducidad)) return;
  const std::optional<Date> fechaEmision = fechaDe(r_.campo(3));
  if (r_.fallaSi(fechaEmision ? Condition(*fechaCaducidad < *fechaEmision) : std::nullopt,
                 "Fecha de emision no debe ser mayor a fecha de caducidad del comprobante ", caducidad))
    return;
  // Any day of the twelfth month after the issue month is within the year.
  r_.fallaSi(Condition(mesesEntre(*fechaEmision, *fechaCaducidad) > 12),
             "Fecha de caducidad de comprobante debe ser maximo un año mayor a la fecha de emision ", caducidad);
}

void CompraAntigua::basesEIva() {
  const Campo cero = r_.campo(14);
  const Campo gravada = r_.campo(15);
  r_.fallaSi(sobre(cero, noNumerico), "Base imponible 0% debe ser numérico : ", cero);
  if (!r_.fallaSi(sobre(gravada, noNumerico), "Base imponible gravada debe ser numérico : ", gravada))
    r_.fallaSi(Condition(*numeroDe(gravada) < 0), "Base imponible gravada debe ser mayor a cero: ", gravada);
  r_.sumaBases(cero, gravada);

  const Campo porcentaje = r_.campo(16);
  const Campo monto = r_.campo(17);
  r_.porcentaje(porcentaje, kPoIVA, "Porcentaje de IVA debe ser numérico : ", "Porcentaje de IVA no registrado: ");
  const std::optional<double> nGravada = numeroDe(gravada);
  const std::optional<double> nPorcentaje = numeroDe(porcentaje);
  const std::optional<double> nMonto = numeroDe(monto);
  if (!r_.fallaSi(sobre(monto, noNumerico), "Monto de IVA no válido: ", monto)) {
    r_.fallaSi(nGravada ? Condition(*nGravada > 0 && *nMonto <= 0) : std::nullopt,
               "Monto de IVA debe ser mayor a cero ", monto);
  }
  if (nGravada && nPorcentaje && nMonto && *nGravada > 0 && *nPorcentaje > 0 && *nMonto > 0) {
    // The record's own rate, not the object's iPocIVA.
    const double esperado = vt::conv::NumberByMask(vt::conv::NumberByMask(*nGravada, "########0.00") * *nPorcentaje / 100, "########0.00");
    r_.fallaSi(Condition(esperado != vt::conv::NumberByMask(*nMonto, "########0.00")),
               "Base Imponible  x  % IVA no concuerda con Monto de IVA: ", monto);
  }

  r_.retencionIVA(18, kBienes);
  r_.retencionIVA(21, kServicios);
  // VAT on goods and on services make up the VAT; what is withheld of it cannot exceed it.
  const bool hayIva = nMonto.has_value();
  const double iva = hayIva ? vt::conv::NumberByMask(*nMonto, "#########0.00") : 0;
  const double partes = centavos(r_.campo(18)) + centavos(r_.campo(21));
  r_.fallaSi(hayIva ? Condition(vt::conv::VbStr(partes) != vt::conv::VbStr(iva)) : std::nullopt,
             "Sumatoria de Montos de IVA Bienes y Servicios debe ser igual al Monto IVA. ");
  const double retenido = centavos(r_.campo(20)) + centavos(r_.campo(23));
  r_.fallaSi(hayIva ? Condition(iva < retenido) : std::nullopt,
             "Monto de retención de IVA debe ser menor o igual al Monto IVA. ");

  double calculado = 0;
  r_.ice(24, calculado, {"Porcentaje de retención ICE debe ser numérico : ", "Monto de retención de ICE no coinciden: ", true});
  const Campo devolucion = r_.campo(27);
  r_.fallaSi(sobre(devolucion, fueraDeSN), "Estado de devolución IVA no válido ", devolucion);
}

void CompraAntigua::comprobanteRetencion() {
  const Campo serie = r_.campo(28);
  const Campo secuencia = r_.campo(29);
  const Campo autorizacion = r_.campo(30);
  const Campo fecha = r_.campo(31);
  r_.fallaSi(sobre(serie, noNumerico), "CR - Número de Serie no válida: ", serie);
  r_.fallaSi(sobre(secuencia, noNumerico), "CR - Número de Secuencia no válida: ", secuencia);
  r_.fallaSi(sobre(autorizacion, noNumerico), "CR - Número de Autorizacion no válido: ", autorizacion);
  r_.fallaSi(Condition(!fechaDe(fecha)), "CR - Fecha de emisión no válida: ", fecha);
}

void CompraAntigua::comprobanteModificado() {
  const Campo tipo = r_.campo(8);
  const double t = tipo ? LeadingNumber(*tipo) : 0;
  if (t != 4 && t != 5) return;
  const Campo modificado = r_.campo(32);
  if (!r_.fallaSi(sobre(modificado, esCero), "Código de comprobante no válido ", modificado)) {
    r_.fallaSi(noRegistrado("tbcttgComprob", "co_comprob", *modificado), "Código de comprobante no válido: ",
               modificado);
  }
  const Campo emision = r_.campo(33);
  r_.fallaSi(Condition(!fechaDe(emision)), "Fecha de emisión de comprobante modific. no es válido: ", emision);
  r_.serie(r_.campo(34), kSerieModificado);
  const Campo secuencia = r_.campo(35);
  if (!r_.fallaSi(sobre(secuencia, noNumerico), "Número de Secuencia de comprobante modific. no válido: ",
                  secuencia)) {
    r_.fallaSi(Condition(esCero(*secuencia)), "Número de Secuencia de comprobante no puede ser cero ", secuencia);
  }
  const Campo autorizacion = r_.campo(36);
  r_.fallaSi(sobre(autorizacion, noNumerico), "Número de autorizacion no válido: ", autorizacion);
}

void CompraAntigua::montosTransaccion() {
  const Campo oneroso = r_.campo(38);
  const Campo gratuito = r_.campo(39);
  r_.fallaSi(sobre(oneroso, noNumerico), "Monto de transaccion a Titulo Oneroso no válido: ", oneroso);
  r_.fallaSi(sobre(gratuito, noNumerico), "Monto de transaccion a Titulo Gratuito no válido: ", gratuito);
  const Campo marca = r_.campo(37);
  if (marca && vt::conv::Trim(*marca).empty()) return;
  const std::optional<double> a = numeroDe(oneroso);
  const std::optional<double> b = numeroDe(gratuito);
  r_.fallaSi(a && b ? Condition(*a <= 0 && *b <= 0) : std::nullopt,
             "Suma de montos de transaccion a debe ser mayor a cero  ");
}

// Block 1 has always had a blank before its number, and block 3 two after its incomplete line. A
// block without a code is zeroed whatever it holds.
const MensajesIR kMensajesIR[3] = {
    {.codigo = "IR (1). Código no registrado: ",
     .base = "IR (1). Base imponible debe ser numérico: ",
     .porcentaje = "IR (1). Porcentaje de retención debe ser numérico: ",
     .monto = "IR (1). Monto de retención debe ser numérico: ",
     .incompleto = "IR (1). Datos incompletos de retención ",
     .juridica = "IR (1). Porcentaje de retención código 303 no válido para personas juridicas: ",
     .porcentajeLegal = "IR (1). Porcentaje de retención no válido para codigo de retención: ",
     .producto = "IR (1). Base imponible x  porcentaje no concuerda con monto retenido: ",
     .sinCodigo = nullptr},
    {.codigo = "IR(2). Código no registrado: ",
     .base = "IR(2). Base imponible debe ser numérico: ",
     .porcentaje = "IR(2). Porcentaje de retención debe ser numérico: ",
     .monto = "IR(2). Monto de retención debe ser numérico: ",
     .incompleto = "IR(2). Datos incompletos de retención ",
     .juridica = "IR(2). Porcentaje de retención código 303 no válido para personas juridicas: ",
     .porcentajeLegal = "IR(2). Porcentaje de retención no válido para codigo de retención: ",
     .producto = "IR(2). Base imponible x  porcentaje no concuerda con monto retenido: ",
     .sinCodigo = nullptr},
    {.codigo = "IR(3). Código no registrado: ",
     .base = "IR(3). Base imponible debe ser numérico: ",
     .porcentaje = "IR(3). Porcentaje de retención debe ser numérico: ",
     .monto = "IR(3). Monto de retención debe ser numérico: ",
     .incompleto = "IR(3). Datos incompletos de retención  ",
     .juridica = "IR(3). Porcentaje de retención código 303 no válido para personas juridicas: ",
     .porcentajeLegal = "IR(3). Porcentaje de retención no válido para codigo de retención: ",
     .producto = "IR(3). Base imponible x  porcentaje no concuerda con monto retenido: ",
     .sinCodigo = nullptr},
};

void CompraAntigua::retencionIR(int bloque) {
  const MensajesIR& m = kMensajesIR[bloque];
  const long k = 40 + 4 * bloque;
  if (r_.retencionIRSinCodigo(k, m)) return;
  const Campo codigo = r_.campo(k);

  if (catalogoIR_.noRegistrado(*codigo)) r_.falla(m.codigo, codigo);
  const auto [base, porcentaje, monto, nBase, nPorcentaje, nMonto] = r_.numerosIR(k, m);

  const Campo numeroId = r_.campo(6);
  if (!r_.fallaSi(nBase && nPorcentaje && nMonto ? Condition(*nBase == 0 && *nPorcentaje == 0 && *nMonto == 0)
                                                 : std::nullopt,
                  m.incompleto)) {
    if (*codigo == "303" && numeroId && esPersonaJuridica(*numeroId)) {
      r_.falla(m.juridica, porcentaje);
    } else if (vt::conv::Trim(catalogoIR_.st_ingreso) == "N") {
      r_.fallaSi(sobre(porcentaje, [&](const std::string& p) { return LeadingNumber(p) != catalogoIR_.va_reten; }),
                 m.porcentajeLegal, porcentaje);
    }
  }
  if (nBase && nPorcentaje && nMonto && *nBase > 0 && *nPorcentaje > 0) {
    const double esperado = vt::conv::NumberByMask(retencionIRCalculada(*nBase, *nPorcentaje), "########0.00");
    r_.fallaSi(Condition(esperado != vt::conv::NumberByMask(*nMonto, "########0.00")), m.producto, monto);
  }
}

void CompraAntigua::retencionesConComprobante() {
  double total = centavos(r_.campo(20)) + centavos(r_.campo(23));
  for (long k : {43, 47, 51}) {
    const std::optional<double> monto = numeroDe(r_.campo(k));
    // An amount that is no number has been reported by its block and adds nothing.
    if (monto) total += *monto;
  }
  if (total <= 0) return;
  const auto cero = [](const Campo& c) { return !c || esCero(*c); };
  if (r_.fallaSi(Condition(cero(r_.campo(28)) || cero(r_.campo(29)) || cero(r_.campo(30))),
                 "Comprobante tiene valores retenidos, debe especificar datos de CR. "))
    return;
  const Campo fecha = r_.campo(31);
  const std::optional<Date> emision = fechaDe(fecha);
  const std::optional<Date> contable = fechaDe(r_.campo(4));
  r_.fallaSi(emision && contable ? Condition(*emision < *contable) : std::nullopt,
             "CR - Fecha de emisión debe ser mayor o igual a fecha de registro contable ", fecha);
}

}  // namespace

std::string CLSValidarInformacion::Valida_Cmpra(Record& archivo_reten, bool& berror_record,
                                                std::string& ds_errores) {
  ValidadorRegistro r(archivo_reten, berror_record, ds_errores, ValidadorRegistro::Entrada::Conserva);
  // The object's year read from its leading number: an empty year is 0.
  r.periodo(*this, LeadingNumber(nu_anio));
  CompraAntigua compra(*this, r);
  compra.fechas();
  compra.proveedor();
  compra.comprobante();
  compra.basesEIva();
  compra.comprobanteRetencion();
  compra.comprobanteModificado();
  compra.montosTransaccion();
  for (int bloque = 0; bloque < 3; ++bloque) compra.retencionIR(bloque);
  compra.retencionesConComprobante();
  return r.termina();
}

}  // namespace valtrone
