// ATS2013_Exportaciones: the row dispatch of the exports sheet, the company, the period, the export
// type, the voucher type (columns 0 to 5) and the transaction date (column 6).

#include "library/batch/exportaciones.hpp"
#include "library/batch/periodo_hoja.hpp"

namespace valtrone {

using vt::conv::FormatNumberText;
using vt::conv::LeadingNumber;
using vt::conv::StrictNumber;

namespace {

// The transaction code of exports in the voucher-type catalogue.
constexpr const char* kTransaccionExportacion = "09";

// Columns 7 to 12 of a row that is no export of goods: the neutral referendo and transport document.
constexpr long kColumnasReferendo[] = {kEDistrito,    kEAnioReferendo, kERegimen,
                                       kECorrelativo, kEVerificador,   kEDocTransporte};

}  // namespace

ExportacionesRun::ExportacionesRun(CLSValidarInformacion& object, const std::string& co_empresa,
                                   const std::string& nu_mes, const std::string& nu_anio)
    : object_(object),
      co_empresa_(co_empresa),
      mes_(StrictNumber(nu_mes)),
      anio_(LeadingNumber(nu_anio)),
      textoCorte_(vt::conv::FormatDate(kFechaCorte, vt::conv::RegionalShortDate())) {}

void ExportacionesRun::fila(SheetRow& celdas, BloqueErrorRegistro& bloque) {
  FilaExportacion f{{celdas, bloque}};
  periodoYTipo(f);
  fechaTransaccion(f);
  if (f.bienes) {
    referendo(f);
  } else {
    for (long col : kColumnasReferendo) f.set(col, "0");
  }
  fue(f);
  valores(f);
  factura(f);
  columnasLibres(f);
}

void ExportacionesRun::periodoYTipo(FilaExportacion& f) {
  BloqueErrorRegistro& b = f.bloque;

  // In a run of one month a row of month 99 belongs to a whole-year sheet and matches any month.
  compruebaPeriodo(
      f, co_empresa_, mes_,
      [&](const std::string& c1) {
        if (StrictNumber(c1) == 99.0) return Condition(false);
        return mes_ ? Condition(LeadingNumber(c1) != *mes_) : std::nullopt;
      },
      [&](const std::string& c2) { return Condition(anio_ != LeadingNumber(c2)); });

  f.set(kELibre0, FormatNumberText(f.get(kELibre0), "#"));

  const std::string c4 = f.set(kETipo, vt::conv::Upper(vt::conv::Trim(FormatNumberText(f.get(kETipo), "#"))));
  if (c4 != "B" && c4 != "S") b.falla("Tipo de exportacion no válido " + c4 + " debe ser 'B', 'S' ");
  f.bienes = c4 == "B";

  const std::string c5 = f.set(kETipoComprobante, FormatNumberText(f.get(kETipoComprobante), "00"));
  if (LeadingNumber(c5) == 0) {
    b.falla("Código de comprobante no puede ser cero ");
  } else if (!b.fallaSi(negated(comprobanteRegistrado(memo_, c5)), "Código de comprobante no válido ", c5)) {
    b.fallaSi(negated(comprobantePorTransaccion(memo_, object_, c5, kTransaccionExportacion)),
              "Comprobante de venta " + c5 + " no válido para tipo de transaccion (Exportacion)");
  }
}

void ExportacionesRun::fechaTransaccion(FilaExportacion& f) {
  BloqueErrorRegistro& b = f.bloque;
  const bool bienes = f.bienes;

  // A zero stands for no date: it is emptied, and reported as no date.
  const std::string crudo(f.get(kEFechaTransaccion));
  const CeldaFecha fecha =
      crudo == "0" ? CeldaFecha{FormatNumberText(crudo, "#"), std::nullopt} : leeCeldaFecha(crudo);
  const std::string c6 = f.set(kEFechaTransaccion, fecha.texto);
  if (!fecha.fecha) {
    b.falla("Fecha de embarque " + c6 + " no es válida ");
    return;
  }
  const vt::conv::Date& d = *fecha.fecha;
  f.lado = d <= kFechaCorte ? LadoCorte::HastaCorte : LadoCorte::DespuesCorte;

  // Compared with the row's own period, so that a whole-year row (month 99) has no month to match.
  if (d.month != LeadingNumber(f.get(kEMes))) {
    b.falla(
        bienes ? "Mes de fecha de embarque no corresponde: " : "Mes de fecha de transacción no corresponde: ",
        c6);
  } else if (d.year != LeadingNumber(f.get(kEAnio))) {
    b.falla(
        bienes ? "Año de fecha de embarque no corresponde " : "Año de fecha de transacción no corresponde ",
        c6);
  } else if (anteriorA2002(d)) {
    b.falla(bienes ? "Fecha de embarque debe ser mayor a '01/01/2002' "
                   : "Fecha de transacción debe ser mayor a '01/01/2002' ",
            c6);
  }
}

std::string CLSValidarInformacion::ATS2013_Exportaciones(int16_t ti_proceso, std::string& co_empresa,
                                                         std::string& nu_mes, std::string& nu_anio, double&,
                                                         Sheet& InfoFile, std::string& FileError,
                                                         int32_t& nFilaProgreso) {
  ExportacionesRun run(*this, co_empresa, nu_mes, nu_anio);
  return ValidadorHoja(ti_proceso, "EXPORTACIONES", InfoFile, FileError, nFilaProgreso,
                       [&run](SheetRow& celdas, BloqueErrorRegistro& bloque) { run.fila(celdas, bloque); });
}

}  // namespace valtrone
