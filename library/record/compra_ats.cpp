// Valida_ATSCompra: one ATS purchase record (fields 0 to 47): a supplier's voucher of the month
// with its bases, VAT, VAT withheld and ICE, the withholding vouchers that cover it, the voucher a
// credit or debit note modifies, and up to three income-tax withholdings. Leaves the last day of
// the record's own month on the object; writes back only the zeros of a withholding without code.
//
// A condition that cannot be evaluated because a field is no number or no date counts as met, as
// the record validators always behaved: such a field draws its own line and the lines of the
// checks that read it. The amount computed for a comparison is kept for the call, so a comparison
// whose computation cannot be made is made against the amount computed before it.

#include <optional>
#include <string>

#include "library/frame/clases_maestras.hpp"
#include "library/frame/errores.hpp"
#include "library/frame/verifica_ruc.hpp"
#include "library/record/compra_registro.hpp"
#include "library/record/validador_registro.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/database/recordset.hpp"

namespace valtrone {

namespace {

using vt::conv::Date;
using vt::conv::FormatNumberText;
using vt::conv::LeadingNumber;
using vt::conv::StrictNumber;
using vt::conv::VbStr;

// An amount field brought to two decimals, as the amounts are compared.
std::optional<double> redondeado(const Campo& campo) {
  return campo ? StrictNumber(FormatNumberText(*campo, "########0.00")) : std::nullopt;
}

// Whether `porcentaje`, a number, is absent from the ICE rates. Unknown when the lookup cannot run.
Condition porcentajeICENoRegistrado(const std::string& porcentaje) {
  try {
    CLSVarios varios;
    std::string campos = "*", tabla = "tbcttgPoICE",
                condicion = "va_porc = " + FormatNumberText(porcentaje, "########0.00");
    ConnectionRef conexion;
    RecordsetRef rs;
    return !varios.gfVerificaRegistro(campos, tabla, condicion, conexion, rs);
  } catch (const std::exception&) {
    noteCurrentError();
    return std::nullopt;
  }
}

// Each block has always had its own punctuation; the 303 line is the fixed-rate line's.
const MensajesIR kMensajesIR[3] = {
    {.codigo = "IR (1). Código ",
     .base = "IR (1). Base imponible debe ser numérico ",
     .porcentaje = "IR (1). Porcentaje de retención debe ser numérico ",
     .monto = "IR (1). Monto de retención debe ser numérico ",
     .incompleto = "IR (1). Datos incompletos de retención ",
     .juridica = "IR (1). Porcentaje de retención ",
     .porcentajeLegal = "IR (1). Porcentaje de retención ",
     .producto = "IR (1). Base imponible ",
     .sinCodigo = "IR(1). Datos incompletos de retencion ",
     .productoFin = " x  porcentaje no concuerda con monto retenido: "},
    {.codigo = "IR (2). Código ",
     .base = "IR(2). Base imponible debe ser numérico: ",
     .porcentaje = "IR(2). Porcentaje de retención debe ser numérico ",
     .monto = "IR(2). Monto de retención debe ser numérico ",
     .incompleto = "IR(2). Datos incompletos de retención ",
     .juridica = "IR (2). Porcentaje de retención ",
     .porcentajeLegal = "IR (2). Porcentaje de retención ",
     .producto = "IR(2). Base imponible ",
     .sinCodigo = "IR(2). Datos incompletos de retencion ",
     .productoFin = " x  porcentaje no concuerda con monto retenido: "},
    {.codigo = "IR (3). Código ",
     .base = "IR(3). Base imponible debe ser numérico ",
     .porcentaje = "IR(3). Porcentaje de retención debe ser numérico ",
     .monto = "IR(3). Monto de retención debe ser numérico ",
     .incompleto = "IR(3). Datos incompletos de retención  ",
     .juridica = "IR (3). Porcentaje de retención ",
     .porcentajeLegal = "IR (3). Porcentaje de retención ",
     .producto = "IR(3). Base imponible x  porcentaje no concuerda con monto retenido ",
     .sinCodigo = "IR(3). Datos incompletos de retencion "},
};

constexpr MensajesSerie kSerieModificado = {
    "Número de Serie comprobante modificado no válido: ",
    "Número de Serie comprobante modificado no puede ser cero ",
    "Número de Serie - Código de establecimiento comprobante modific. no válido ",
    "Número de Serie - Punto de emisión comprobante modific. no válido "};
constexpr MensajesSecuencia kSecuenciaModificado = {
    "Número de Secuencia de comprobante modificado no válido ",
    "Número de Secuencia de comprobante no puede ser cero "};

class CompraRun {
 public:
  CompraRun(CLSValidarInformacion& objeto, ValidadorRegistro& r) : objeto_(objeto), r_(r) {}

  void finDePeriodo();
  void fechas();
  void proveedor();
  void comprobante();
  void sustento();
  void numeracion();
  void iva();
  void retencionesIva();
  void ice();
  void comprobanteModificado();
  void retencionIR(int bloque);
  void retenidoSinComprobante();

 private:
  // "IR (1). Porcentaje de retención " lines end with the supplier: number "-" name.
  Campo proveedorTexto() const {
    return une({std::string(" en "), r_.campo(6), std::string("-"), r_.campo(7)});
  }

  CLSValidarInformacion& objeto_;
  ValidadorRegistro& r_;
  std::optional<Date> finPeriodo_;
  std::string transaccion_;  // "01" RUC, "02" cédula, "03" passport, "" until known
  // The last amount computed for a comparison. It is carried from one check to the next on
  // purpose: the rules of this layout compare a product that cannot be formed with the one before.
  double calculado_ = 0;
  RetencionIRDeLlamada catalogoIR_;
};

// The last day of the month named by the record's own fields 1 and 2 goes onto the object; the
// period ends on that day ("0" when they form no month, and then no day is within the period).
void CompraRun::finDePeriodo() {
  const Campo mes = r_.campo(1);
  const Campo anio = r_.campo(2);
  if (!mes || !anio) return;
  const std::string m = VbStr(LeadingNumber(*mes));
  const std::string y = VbStr(LeadingNumber(*anio));
  std::string inicio = vt::conv::FormatDateText("01/" + m + "/" + y, "dd/mm/yyyy");
  objeto_.iUltDiasMes = std::to_string(objeto_.gfUltimoDiaMes(inicio));
  finPeriodo_ = vt::conv::ParseDateByPattern(objeto_.iUltDiasMes + "/" + m + "/" + y, "dd/mm/yyyy");
}

void CompraRun::fechas() {
  const Campo emision = r_.campo(3);
  const std::optional<Date> d3 = fechaDe(emision);
  r_.fallaSi(Condition(!d3), "Fecha de emisión de comprobante no es válido: ", emision);
  r_.fallaSi(d3 && finPeriodo_ ? Condition(*d3 > *finPeriodo_) : std::nullopt,
             "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado ", emision);

  const Campo contable = r_.campo(4);
  const std::optional<Date> d4 = fechaDe(contable);
  r_.fallaSi(Condition(!d4), "Fecha de contabilización de comprobante no es válido: ", contable);
  if (objeto_.nu_mes != 99) {
    r_.fallaSi(d4 ? Condition(d4->month != objeto_.nu_mes) : std::nullopt,
               "Mes de fecha de contabilización de comprobante no corresponde: ", contable);
  }
  const std::optional<double> anio = anioEstricto(objeto_.nu_anio);
  r_.fallaSi(d4 && anio ? Condition(d4->year != *anio) : std::nullopt,
             "Año de fecha de contabilización de comprobante no corresponde ", contable);
  r_.fallaSi(d3 && d4 ? Condition(*d4 < *d3) : std::nullopt,
             "Fecha de contabilización no puede ser menor que la fecha de emisión ",
             une({contable, std::string("-"), emision}));
}

void CompraRun::proveedor() {
  const Campo tipo = r_.campo(5);
  r_.fallaSi(sobre(tipo,
                   [](const std::string& t) {
                     const std::string clase = vt::conv::Upper(vt::conv::Trim(t));
                     return clase != "P" && clase != "R" && clase != "C";
                   }),
             "Tipo de identificación no válido ", tipo);
  transaccion_ = identificacionProveedor(r_, tipo, 6, 7);
}

void CompraRun::comprobante() {
  const Campo c = r_.campo(8);
  if (r_.fallaSi(sobre(c, esCero), "Código de comprobante no válido ", c)) return;
  if (r_.fallaSi(noRegistrado("tbcttgComprob", "co_comprob", *c), "Código de comprobante no válido: ", c))
    return;
  r_.fallaSi(noValeParaTransaccion(objeto_, *c, transaccion_, "ATS"), "",
             une({std::string("Tipo de comprobante  '"), r_.campo(5), std::string("' - "), c,
                  std::string(" no válida para Secuencia de Transaccion "), transaccion_, std::string(" ")}));
}

void CompraRun::sustento() {
  const Campo s = r_.campo(9);
  if (r_.fallaSi(sobre(s, noNumerico), "Codigo de sustento tributario debe ser numerico: ", s)) return;
  if (r_.fallaSi(Condition(LeadingNumber(*s) < 0), "Código de credito tributario debe ser mayor a cero ", s))
    return;
  if (r_.fallaSi(noRegistrado("tbcttgSusTributario", "co_susten", *s),
                 "Código de credito tributario no válido: ", s))
    return;
  const Campo c = r_.campo(8);
  r_.fallaSi(c ? noValeParaSustento(objeto_, *c, *s) : std::nullopt,
             "Codigo de sustento tributario: ", une({s, std::string(" no válido para comprobante: "), c}));
}

void CompraRun::numeracion() {
  const Campo serie = r_.campo(10);
  r_.fallaSi(sobre(serie, noNumerico), kMensajesSerie.noNumerica, serie);
  // Vouchers 10 to 14, 19 and 20 carry the serie 999999 since 2006 and no establishment.
  const std::optional<double> tipo = inicialDe(r_.campo(8));
  if (!tipo || (*tipo >= 10 && *tipo <= 14) || *tipo == 19 || *tipo == 20) {
    if (LeadingNumber(objeto_.nu_anio) >= 2006) {
      r_.fallaSi(sobre(serie, [](const std::string& s) { return LeadingNumber(s) != 999999; }),
                 "No. de Serie debe ser 999999 para comprobantes del 10 al 14, 19 Y 20 ", serie);
    }
  } else {
    r_.cerosDeSerie(serie, kMensajesSerie, SerieCero::SigueConEstablecimiento);
  }
  r_.limitado(r_.campo(11), kSecuenciaLimitada);
  r_.limitado(r_.campo(12), kAutorizacionLimitada);
}

void CompraRun::iva() {
  const Campo gravada = r_.campo(15);
  const Campo monto = r_.campo(16);
  const std::optional<double> base = numeroDe(gravada);
  const std::optional<double> n16 = numeroDe(monto);
  if (!r_.fallaSi(sobre(monto, noNumerico), "Monto de IVA no válido: ", monto)) {
    r_.fallaSi(base ? Condition(*base > 0 && *n16 <= 0) : std::nullopt, "Monto de IVA debe ser mayor a cero ",
               monto);
  }
  if (held(base && n16 ? Condition(*base > 0 && *n16 > 0) : std::nullopt)) {
    if (gravada)
      calculado_ = vt::conv::NumberByMask(LeadingNumber(*gravada) * objeto_.iPocIVA / 100, "########0.00");
    const std::optional<double> dado = redondeado(monto);
    r_.fallaSi(dado ? Condition(calculado_ != *dado) : std::nullopt,
               "Base Imponible  x  % IVA no concuerda con Monto de IVA: ", monto);
  }
}

void CompraRun::retencionesIva() {
  const Campo c16 = r_.campo(16);
  const std::optional<double> n16 = numeroDe(c16);
  const std::optional<double> lv16 = inicialDe(c16);
  const Campo ivaTexto = c16 ? Campo(FormatNumberText(*c16, "########0.00")) : std::nullopt;

  struct Retencion {
    long k;
    const char* noNumerica;
    const char* sinIva;
    const char* valor;
    const char* relacion;
    bool igual;  // the whole VAT, not a part of it
  };
  static const Retencion kRetenciones[] = {
      {17,
       "Monto Retenido de IVA por Bienes no válido: ", "Retención 30% IVA Bienes no valido si IVA es cero ",
       "Valor de Retención de IVA Bienes ", " debe ser menor que IVA ", false},
      {18, "Monto Retenido de IVA por Servicios no válido: ",
       "Retención 70% IVA Servicios no valido si IVA es cero ", "Valor de Retención de IVA Servicios ",
       " debe ser menor que IVA ", false},
      {19, "Monto Retenido de IVA por Servicios no válido: ", "Retención 100% IVA no valido si IVA es cero ",
       "Valor de Retención 100% de IVA ", " debe ser igual que IVA ", true},
  };
  for (const Retencion& ret : kRetenciones) {
    const Campo c = r_.campo(ret.k);
    r_.fallaSi(sobre(c, noNumerico), ret.noNumerica, c);
  }
  std::optional<double> total = 0;
  for (const Retencion& ret : kRetenciones) {
    const Campo c = r_.campo(ret.k);
    const std::optional<double> lv = inicialDe(c);
    total = total && lv ? std::optional<double>(*total + *lv) : std::nullopt;
    // VAT that is no number is only asked about when something was withheld.
    const Condition sinIva = !lv ? Condition() : *lv > 0 ? (n16 ? Condition(*n16 == 0) : Condition()) : false;
    if (r_.fallaSi(sinIva, ret.sinIva, c)) continue;
    const Condition excede =
        lv && lv16 ? Condition(*lv > 0 && (ret.igual ? *lv != *lv16 : *lv >= *lv16)) : std::nullopt;
    r_.fallaSi(excede, ret.valor,
               une({lv ? Campo(VbStr(*lv)) : std::nullopt, std::string(ret.relacion), ivaTexto}));
  }
  // A total that cannot be added up stays 0.
  const double suma = total.value_or(0);
  r_.fallaSi(lv16 ? Condition(*lv16 < LeadingNumber(VbStr(suma))) : std::nullopt,
             "Total de retenciones de IVA ",
             une({std::string(VbStr(suma)), std::string(" no debe ser mayor que monto IVA "), c16}));
}

void CompraRun::ice() {
  const Campo base = r_.campo(20);
  const Campo porcentaje = r_.campo(21);
  const Campo monto = r_.campo(22);
  const std::optional<double> n20 = numeroDe(base), n21 = numeroDe(porcentaje), n22 = numeroDe(monto);
  r_.fallaSi(sobre(base, noNumerico), "Base de ICE no válido: ", base);
  if (!r_.fallaSi(sobre(porcentaje, noNumerico),
                  "Porcentaje de retención ICE debe ser numérico : ", porcentaje) &&
      *n21 > 0) {
    r_.fallaSi(porcentajeICENoRegistrado(*porcentaje), "Porcentaje de ICE no registrado: ", porcentaje);
  }
  r_.fallaSi(sobre(monto, noNumerico), "Monto de ICE no válido: ", monto);

  const bool legibles = n20 && n21 && n22;
  if (held(legibles ? Condition(*n20 > 0 && *n21 > 0 && *n22 > 0) : std::nullopt)) {
    if (n20 && n21)
      calculado_ = vt::conv::NumberByMask(
          vt::conv::NumberByMask(*n20, "########0.00") * LeadingNumber(VbStr(*n21 / 100)), "########0.00");
    const std::optional<double> dado = redondeado(monto);
    r_.fallaSi(dado ? Condition(calculado_ != *dado) : std::nullopt,
               "Base ICE x  % ICE no concuerda con Monto retenido ICE: ", monto);
  }
  r_.fallaSi(legibles ? Condition(*n22 > 0 && (*n20 == 0 || *n21 <= 0)) : std::nullopt,
             "Monto de retención de ICE no coinciden: ",
             une({base, std::string(" - "), porcentaje, std::string(" - "), monto}));
}

// Only a credit or debit note names the voucher it modifies.
void CompraRun::comprobanteModificado() {
  const std::optional<double> tipo = inicialDe(r_.campo(8));
  if (tipo && *tipo != 4 && *tipo != 5) return;

  const Campo c31 = r_.campo(31);
  if (!r_.fallaSi(sobre(c31, esCero), "Código de comprobante modificado no válido ", c31)) {
    r_.fallaSi(noRegistrado("tbcttgComprob", "co_comprob", *c31),
               "Código de comprobante modificado no registrado ", c31);
  }
  const Campo c32 = r_.campo(32);
  r_.fallaSi(Condition(!fechaDe(c32)), "Fecha de emisión de comprobante modificado no es válido ", c32);
  r_.serie(r_.campo(33), kSerieModificado, SerieCero::SigueConEstablecimiento);
  r_.secuencia(r_.campo(34), kSecuenciaModificado);
  const Campo c35 = r_.campo(35);
  if (!r_.fallaSi(sobre(c35, noNumerico), "Número de autorizacion no válido ", c35)) {
    r_.fallaSi(Condition(vt::conv::Len(*c35) < 10), "Longitud de número de autorizacion no válido ", c35);
  }
}

void CompraRun::retencionIR(int bloque) {
  const MensajesIR& m = kMensajesIR[bloque];
  const long k = 36 + 4 * bloque;
  if (r_.retencionIRSinCodigo(k, m)) return;
  const Campo codigo = r_.campo(k);

  // The code in force on the accounting date.
  const Campo contable = r_.campo(4);
  r_.fallaSi(Condition(catalogoIR_.noVigente(*codigo, fechaDe(contable))), m.codigo,
             une({codigo, std::string(" no registrado para periodo de fecha "), contable}));

  const auto [base, porcentaje, monto, nBase, nPorcentaje, nMonto] = r_.numerosIR(k, m);
  const Condition vacio = nBase && nPorcentaje && nMonto
                              ? Condition(*nBase == 0 && *nPorcentaje == 0 && *nMonto == 0)
                              : std::nullopt;
  if (!r_.fallaSi(vacio, m.incompleto)) {
    const Campo proveedor = r_.campo(6);
    r_.fallaSi(
        Condition(*codigo == "303" && proveedor && esPersonaJuridica(*proveedor)), m.juridica,
        une({porcentaje, std::string(" de código "), codigo,
             std::string(" no válido para personas juridicas "), proveedor, std::string("-"), r_.campo(7)}));
  }

  const bool tasaFija = vt::conv::Trim(catalogoIR_.st_ingreso) == "N";
  r_.fallaSi(
      sobre(porcentaje,
            [&](const std::string& p) { return tasaFija && LeadingNumber(p) != catalogoIR_.va_reten; }),
      m.porcentajeLegal, une({porcentaje, std::string(" no valido para código "), codigo, proveedorTexto()}));

  if (held(nBase && nPorcentaje ? Condition(*nBase > 0 && *nPorcentaje > 0) : std::nullopt)) {
    if (nBase && nPorcentaje)
      calculado_ = vt::conv::NumberByMask(retencionIRCalculada(*nBase, *nPorcentaje), "########0.00");
    const std::optional<double> dado = redondeado(monto);
    const Campo linea = m.productoFin ? une({base, std::string(m.productoFin), monto}) : monto;
    r_.fallaSi(dado ? Condition(calculado_ != *dado) : std::nullopt, m.producto, linea);
  }
}

// Amounts withheld need the withholding voucher that covers them, issued on or after the
// accounting date.
void CompraRun::retenidoSinComprobante() {
  double total = 0;
  bool legible = true;
  for (long k : {17, 18, 19}) {
    const Campo c = r_.campo(k);
    legible = legible && c;
    if (c) total += LeadingNumber(FormatNumberText(*c, "#########0.00"));
  }
  for (long k : {39, 43, 47}) {
    const std::optional<double> n = numeroDe(r_.campo(k));
    legible = legible && n;
    if (n) total += *n;
  }
  // An amount that is no number leaves the total as it started (its own check has failed).
  if (!legible || total <= 0) return;

  const Campo serie = r_.campo(23), secuencia = r_.campo(24), autorizacion = r_.campo(25);
  const Condition sinComprobante =
      serie && secuencia && autorizacion
          ? Condition(esCero(*serie) || esCero(*secuencia) || esCero(*autorizacion))
          : std::nullopt;
  if (r_.fallaSi(sinComprobante, "Comprobante tiene valores retenidos, debe especificar datos de CR. "))
    return;
  const Campo fechaCR = r_.campo(26);
  const std::optional<Date> d4 = fechaDe(r_.campo(4)), d26 = fechaDe(fechaCR);
  r_.fallaSi(d4 && d26 ? Condition(*d4 > *d26) : std::nullopt,
             "CR - Fecha de emisión debe ser mayor o igual a fecha de registro contable ", fechaCR);
}

}  // namespace

std::string CLSValidarInformacion::Valida_ATSCompra(Record& archivo_reten, bool& berror_record,
                                                    std::string& ds_errores) {
  ValidadorRegistro r(archivo_reten, berror_record, ds_errores, ValidadorRegistro::Entrada::Conserva);
  r.periodo(*this, LeadingNumber(nu_anio));
  CompraRun run(*this, r);
  run.finDePeriodo();
  run.fechas();
  run.proveedor();
  run.comprobante();
  run.sustento();
  run.numeracion();
  basesDeCompra(r, 13);
  run.iva();
  run.retencionesIva();
  run.ice();
  comprobantesDeRetencion(r, 23, "CR - Número de Secuencia debe ser numerico: ");
  run.comprobanteModificado();
  for (int bloque = 0; bloque < 3; ++bloque) run.retencionIR(bloque);
  run.retenidoSinComprobante();
  return r.termina();
}

}  // namespace valtrone
