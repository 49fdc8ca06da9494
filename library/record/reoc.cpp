// Valida_REOC: one purchase record of the withholding annex (fields 0 to 46): a
// supplier's voucher with its bases and VAT, the two withholding vouchers and
// four income-tax withholdings of three bases each. The period ends on the
// object's last day of the month (the client, or an earlier record validator on
// the object, leaves it there) in the record's own month and year. The fault
// text is only ever added to: a record that passes leaves the caller's text as
// it came. Writes back only the zeros of an unused withholding block.
//
// A field that is no number is reported by its own check; the amount
// comparisons that would read it are then left out rather than report a second,
// misleading fault.

#include <optional>
#include <string>

#include "library/frame/clases_maestras.hpp"
#include "library/frame/errores.hpp"
#include "library/frame/verifica_ruc.hpp"
#include "library/record/compra_registro.hpp"
#include "library/record/validador_registro.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

namespace {

using vt::conv::Date;
using vt::conv::LeadingNumber;
using vt::conv::StrictNumber;
using vt::conv::VbStr;

// Whether the voucher type is not valid in this annex for the transaction code.
// Unknown when the lookup cannot run.
Condition noValeEnREOC(const std::string& comprobante, const std::string& transaccion) {
  try {
    CLSVarios varios;
    std::string codigo = comprobante, transacc = transaccion;
    ConnectionRef conexion;
    return !varios.gfValida_Comprob_x_SecTran_REOC(codigo, transacc, conexion);
  } catch (const std::exception&) {
    noteCurrentError();
    return std::nullopt;
  }
}

class ReocRun {
 public:
  ReocRun(CLSValidarInformacion& objeto, ValidadorRegistro& r) : objeto_(objeto), r_(r) {}

  void emision();
  void proveedorYComprobante();
  void iva();
  void retencionIR(int bloque);
  void retenidoSinComprobante();

 private:
  CLSValidarInformacion& objeto_;
  ValidadorRegistro& r_;
  std::optional<Date> emision_;
  RetencionIRDeLlamada catalogoIR_;
  double totalRetenido_ = 0;
};

void ReocRun::emision() {
  const Campo c3 = r_.campo(3);
  emision_ = fechaDe(c3);
  if (r_.fallaSi(Condition(!emision_), "Fecha de emisión de comprobante no es válido: ", c3)) return;
  // Month and year of the record's own fields, day from the object.
  const Campo mes = r_.campo(1), anio = r_.campo(2);
  std::optional<Date> fin;
  if (mes && anio) {
    fin = vt::conv::ParseDateByPattern(
        objeto_.iUltDiasMes + "/" + VbStr(LeadingNumber(*mes)) + "/" + VbStr(LeadingNumber(*anio)),
        "dd/mm/yyyy");
  }
  r_.fallaSi(fin ? Condition(*emision_ > *fin) : std::nullopt,
             "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado ", c3);
}

void ReocRun::proveedorYComprobante() {
  const Campo tipo = r_.campo(4);
  r_.fallaSi(sobre(tipo, [](const std::string& t) { return t != "P" && t != "R" && t != "C"; }),
             "Tipo de identificación no válido ", tipo);
  const std::string transaccion = identificacionProveedor(r_, tipo, 5, 6);

  const Campo c = r_.campo(7);
  if (!r_.fallaSi(sobre(c, esCero), "Código de comprobante no válido ", c) &&
      !r_.fallaSi(noRegistrado("tbcttgComprob", "co_comprob", *c), "Código de comprobante no válido: ", c)) {
    r_.fallaSi(noValeEnREOC(*c, transaccion), "Comprobante no válido para transaccion de compra: ", c);
  }

  r_.serie(r_.campo(8), kMensajesSerie, SerieCero::TerminaSerie);
  r_.limitado(r_.campo(9), kSecuenciaLimitada);
  r_.limitado(r_.campo(10), kAutorizacionLimitada);
}

void ReocRun::iva() {
  const Campo gravada = r_.campo(13);
  const Campo monto = r_.campo(14);
  const std::optional<double> base = numeroDe(gravada);
  const std::optional<double> n14 = numeroDe(monto);
  // A taxed base that is no number still asks for VAT.
  if (!r_.fallaSi(sobre(monto, noNumerico), "Monto de IVA no válido: ", monto) && (!base || *base > 0)) {
    r_.fallaSi(Condition(*n14 <= 0), "Monto de IVA debe ser mayor a cero ", monto);
  }
  if (base && n14 && *base > 0 && *n14 > 0) {
    const double tasa = LeadingNumber(VbStr(objeto_.iPocIVA / 100.0));
    const double esperado =
        vt::conv::NumberByMask(vt::conv::NumberByMask(*base, "########0.00") * tasa, "########0.00");
    r_.fallaSi(Condition(esperado != vt::conv::NumberByMask(*n14, "########0.00")),
               "Base Imponible  x  % IVA no concuerda con Monto de IVA: ", monto);
  }
}

void ReocRun::retencionIR(int bloque) {
  const std::string n = std::to_string(bloque + 1);
  const std::string ir = "IR (" + n + "). ";
  const long k = 23 + 6L * bloque;
  const Campo codigo = r_.campo(k);
  const Campo bases[3] = {r_.campo(k + 1), r_.campo(k + 2), r_.campo(k + 3)};
  const Campo porcentaje = r_.campo(k + 4);
  const Campo monto = r_.campo(k + 5);

  std::optional<double> suma = 0;
  for (const Campo& b : bases)
    suma = suma && b ? std::optional<double>(*suma + LeadingNumber(*b)) : std::nullopt;

  if (held(sobre(codigo, esCero))) {
    // An unused block is zeroed; bases without a code, or a code that is no
    // number at all, are reported instead. The loader leaves an unused block's
    // code blank, and a block the array does not hold is unused too: both read
    // as "0".
    const std::optional<double> valor =
        codigo ? vt::conv::StrictNumber(vt::conv::BlankToZero(*codigo)) : std::optional<double>(0);
    const Condition incompleto =
        valor && (suma || !codigo) ? Condition(*valor == 0 && suma.value_or(0) != 0) : std::nullopt;
    if (!r_.fallaSi(incompleto, "IR(" + n + "). Datos incompletos de retencion ")) {
      for (long j = k + 1; j <= k + 5; ++j) r_.escribe(j, "0");
    }
  } else {
    // The code in force on the issue date.
    const Campo c3 = r_.campo(3);
    r_.fallaSi(Condition(catalogoIR_.noVigente(*codigo, emision_)), ir + "Código ",
               une({codigo, std::string(" no registrado para periodo de fecha "), c3}));

    r_.fallaSi(sobre(bases[0], noNumerico), ir + "Base NO IVA debe ser numérico ", bases[0]);
    r_.fallaSi(sobre(bases[1], noNumerico), ir + "Base TARIFA 0% debe ser numérico ", bases[1]);
    r_.fallaSi(sobre(bases[2], noNumerico), ir + "Base TARIFA 12% debe ser numérico ", bases[2]);
    r_.fallaSi(sobre(porcentaje, noNumerico), ir + "Porcentaje de retención debe ser numérico ", porcentaje);
    r_.fallaSi(sobre(monto, noNumerico), ir + "Monto de retención debe ser numérico ", monto);

    r_.fallaSi(suma ? Condition(*suma <= 0) : std::nullopt,
               "Sumatoria de Bases IR (" + n + ") debe ser mayor a cero ",
               suma ? Campo(vt::conv::FormatNumber(*suma, "##########0.00")) : std::nullopt);

    const Campo proveedor = r_.campo(5), nombre = r_.campo(6);
    const std::optional<double> nPorcentaje = numeroDe(porcentaje), nMonto = numeroDe(monto);
    const Condition vacio = suma && nPorcentaje && nMonto
                                ? Condition(*suma == 0 && *nPorcentaje == 0 && *nMonto == 0)
                                : std::nullopt;
    if (!r_.fallaSi(vacio, ir + "Datos incompletos de retención ")) {
      const char* juridicas =
          bloque == 0 ? " no válido para personas juridicas " : " no válido para personas jurídicas ";
      r_.fallaSi(Condition(*codigo == "303" && proveedor && esPersonaJuridica(*proveedor)),
                 ir + "Porcentaje de retención ",
                 une({porcentaje, std::string(" de código "), codigo, std::string(juridicas), proveedor,
                      std::string("-"), nombre}));
    }

    const bool tasaFija = vt::conv::Trim(catalogoIR_.st_ingreso) == "N";
    r_.fallaSi(
        sobre(porcentaje,
              [&](const std::string& p) { return tasaFija && LeadingNumber(p) != catalogoIR_.va_reten; }),
        ir + "Porcentaje de retención ",
        une({porcentaje, std::string(" no valido para código "), codigo, std::string(" en "), proveedor,
             std::string("-"), nombre}));

    if (suma && nPorcentaje && nMonto && *suma > 0 && *nPorcentaje > 0) {
      const double esperado =
          vt::conv::NumberByMask(retencionIRCalculada(*suma, *nPorcentaje), "########0.00");
      // The first three blocks have always shown the percentage where the
      // amount belongs.
      r_.fallaSi(
          Condition(esperado != vt::conv::NumberByMask(*nMonto, "########0.00")), ir + "Base imponible ",
          une({std::string(VbStr(*suma)), std::string(" x  porcentaje no concuerda con monto retenido "),
               bloque < 3 ? porcentaje : monto}));
    }
  }
  // Read after the block: an unused block adds its zero.
  const Campo retenido = r_.campo(k + 5);
  if (retenido) totalRetenido_ += LeadingNumber(*retenido);
}

// Amounts withheld need the first withholding voucher, issued on or after the
// voucher it covers.
void ReocRun::retenidoSinComprobante() {
  if (totalRetenido_ <= 0) return;
  const Campo serie = r_.campo(15), secuencia = r_.campo(16), autorizacion = r_.campo(17);
  const Condition sinComprobante =
      serie && secuencia && autorizacion
          ? Condition(esCero(*serie) || esCero(*secuencia) || esCero(*autorizacion))
          : std::nullopt;
  if (r_.fallaSi(sinComprobante,
                 "Comprobante tiene valores retenidos, debe "
                 "especificar datos de CR-1. "))
    return;
  const Campo fechaCR = r_.campo(18);
  const std::optional<Date> d18 = fechaDe(fechaCR);
  r_.fallaSi(d18 && emision_ ? Condition(*d18 < *emision_) : std::nullopt,
             "CR - Fecha de emisión debe ser mayor o igual a fecha de registro "
             "contable ",
             fechaCR);
}

}  // namespace

std::string CLSValidarInformacion::Valida_REOC(Record& archivo_reten, bool& berror_found,
                                               std::string& ds_errores) {
  ValidadorRegistro r(archivo_reten, berror_found, ds_errores, ValidadorRegistro::Entrada::ConservaSiempre);
  r.periodo(*this, LeadingNumber(nu_anio));
  ReocRun run(*this, r);
  run.emision();
  run.proveedorYComprobante();
  basesDeCompra(r, 11);
  run.iva();
  comprobantesDeRetencion(r, 15, "CR - Número de Secuencia no válida: ");
  for (int bloque = 0; bloque < 4; ++bloque) run.retencionIR(bloque);
  run.retenidoSinComprobante();
  return r.termina();
}

}  // namespace valtrone
