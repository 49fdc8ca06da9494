// ATS2013_Anulados: the checks of one row of the cancelled-documents sheet (columns 0 to 8), on
// the row loop every sheet validator shares.

#include <exception>
#include <optional>
#include <string>

#include "library/batch/celdas_hoja.hpp"
#include "library/batch/comprobaciones_hoja.hpp"
#include "library/batch/validador_hoja.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/sentencias.hpp"
#include "library/frame/thread_context.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/database/recordset.hpp"
#include "platform/database/sql_text.hpp"

namespace valtrone {

namespace {

using vt::conv::FormatNumberText;
using vt::conv::IsNumericText;
using vt::conv::LeadingNumber;

// One call's state: the period, the voucher types already looked up, and a lookup that failed as
// a query (which ends the call: it is no fault of the row).
class AnuladosRun {
 public:
  AnuladosRun(const std::string& co_empresa, const std::string& nu_mes, const std::string& nu_anio)
      : co_empresa_(co_empresa),
        mes_(LeadingNumber(nu_mes)),
        anio_(LeadingNumber(nu_anio)),
        fechaCorta_(ctx().config.sistema.gsFechaCorta) {}

  void fila(SheetRow& c, BloqueErrorRegistro& b);
  // Raises the lookup failure that stopped the call, if any.
  void rethrow() const {
    if (fallo_) std::rethrow_exception(fallo_);
  }

 private:
  std::optional<bool> comprobanteExiste(std::string_view sCoComprob);
  void periodo(SheetRow& c, BloqueErrorRegistro& b);
  void serie(SheetRow& c, BloqueErrorRegistro& b);
  void secuencias(SheetRow& c, BloqueErrorRegistro& b);
  void autorizacion(SheetRow& c, BloqueErrorRegistro& b);
  void fechaAnulacion(SheetRow& c, BloqueErrorRegistro& b);

  std::string co_empresa_;
  double mes_;
  double anio_;
  std::string fechaCorta_;
  LookupMemo memo_;
  std::exception_ptr fallo_;
};

std::optional<bool> AnuladosRun::comprobanteExiste(std::string_view sCoComprob) {
  return memo_.ask(LookupMemo::key("tbcttgComprob", {sCoComprob}), [&] {
    try {
      RecordsetRef rs;
      gsSelectConexion("*", "tbcttgComprob", "where co_comprob = " + vt::db::quoteSql(sCoComprob), nullptr,
                       rs);
      // A select that failed leaves the recordset closed, and reading it raises.
      return !rs->eof();
    } catch (...) {
      fallo_ = std::current_exception();
      throw;
    }
  });
}

void AnuladosRun::fila(SheetRow& c, BloqueErrorRegistro& b) {
  if (fallo_) return;
  // The voucher type is looked up before any line is written, so that a lookup that cannot run
  // leaves no half block of the row behind.
  c.set(3, FormatNumberText(c.get(3), "00"));
  std::optional<bool> existe;
  if (LeadingNumber(c.get(3)) != 0) {
    existe = comprobanteExiste(c.get(3));
    if (fallo_) return;
  }

  c.set(0, FormatNumberText(c.get(0), "0000000000000"));
  if (c.get(0) != co_empresa_) b.falla("RUC de Empresa no coincide con la empresa seleccionada: ", c.get(0));
  periodo(c, b);
  if (LeadingNumber(c.get(3)) == 0)
    b.falla("Código de comprobante no válido ", c.get(3));
  else
    b.fallaSi(negated(existe), "Código de comprobante no válido: ", c.get(3));
  serie(c, b);
  secuencias(c, b);
  autorizacion(c, b);
  fechaAnulacion(c, b);
}

void AnuladosRun::periodo(SheetRow& c, BloqueErrorRegistro& b) {
  c.set(1, FormatNumberText(c.get(1), "00"));
  if (mes_ != 99 && LeadingNumber(c.get(1)) != mes_)
    b.falla("Periodo: Mes no coincide con el mes seleccionado : ", c.get(1));
  c.set(2, FormatNumberText(c.get(2), "0000"));
  if (LeadingNumber(c.get(2)) != anio_)
    b.falla("Periodo: Año no coincide con el año seleccionado : ", c.get(2));
}

void AnuladosRun::serie(SheetRow& c, BloqueErrorRegistro& b) {
  c.set(4, FormatNumberText(c.get(4), "000000"));
  const std::string_view s = c.get(4);
  if (!IsNumericText(s)) b.falla("Número de Serie no válido: ", s);
  if (LeadingNumber(s) == 0) b.falla("Número de Serie no puede ser cero ", s);
  const std::string establecimiento = vt::conv::Left(s, 3);
  if (LeadingNumber(establecimiento) == 0)
    b.falla("Número de Serie - Código de establecimiento no válido ", establecimiento);
  else if (const std::string punto = vt::conv::Right(s, 3); LeadingNumber(punto) == 0)
    b.falla("Número de Serie - Punto de emisión no válido ", punto);
}

void AnuladosRun::secuencias(SheetRow& c, BloqueErrorRegistro& b) {
  struct Secuencia {
    long columna;
    const char* noValido;
    const char* cero;
  };
  const Secuencia secuencias[] = {
      {5, "Número de Secuencia inicial de comprobante no válido: ",
       "Número de Secuencia inicial de comprobante no puede ser cero "},
      {6, "Número de Secuencia final de comprobante no válido: ",
       "Número de Secuencia final de comprobante no puede ser cero "},
  };
  for (const Secuencia& s : secuencias) {
    c.set(s.columna, FormatNumberText(c.get(s.columna), "0000000"));
    const std::string_view valor = c.get(s.columna);
    if (!IsNumericText(valor))
      b.falla(s.noValido, valor);
    else if (LeadingNumber(valor) == 0)
      b.falla(s.cero, valor);
  }
  const std::string_view inicial = c.get(5);
  const std::string_view final = c.get(6);
  if (rangoInvertido(inicial, final))
    b.falla("Secuencia inicial " + std::string(inicial) + " es mayor que la final ", final);
}

void AnuladosRun::autorizacion(SheetRow& c, BloqueErrorRegistro& b) {
  c.set(7, vt::conv::Trim(c.get(7)));
  const std::string_view a = c.get(7);
  if (!IsNumericText(a)) {
    b.falla("Número de autorizacion no válido: ", a);
  } else if (LeadingNumber(a) == 0) {
    b.falla("Número de autorizacion no debe ser cero ", a);
  } else if (const long largo = vt::conv::Len(a); largo != 10 && largo != 37) {
    b.falla("Longitud de autorizacion " + std::string(a) + " es " + std::to_string(largo) +
            " debe ser 10 o 37");
  }
}

void AnuladosRun::fechaAnulacion(SheetRow& c, BloqueErrorRegistro& b) {
  // Read in the regional order, as every date cell of a sheet; a text that is no date there is
  // kept as it stands and refused, even when it would read as one in the short-date pattern.
  CeldaFecha celda = leeCeldaFecha(c.get(8), fechaCorta_);
  c.set(8, std::move(celda.texto));
  const std::string_view f = c.get(8);
  if (vt::conv::Trim(f).empty()) {
    b.falla("Fecha de anulación de comprobante esta vacia ");
    return;
  }
  const std::optional<vt::conv::Date>& fecha = celda.fecha;
  if (!fecha) {
    b.falla("Fecha de anulación de comprobante no es válido: ", f);
    return;
  }
  // The end of the row's own month, also in an annual run; a row whose month and year form no
  // date has no period to be within.
  const int ultimo = vt::conv::LastDayOfMonth(
      vt::conv::FormatDateText("01/" + std::string(c.get(1)) + "/" + std::string(c.get(2)), "dd/mm/yyyy"));
  const std::optional<vt::conv::Date> fin =
      ultimo == 0
          ? std::nullopt
          : vt::conv::ParseDateByPattern(FormatNumberText(std::to_string(ultimo), "00") + "/" +
                                             FormatNumberText(c.get(1), "00") + "/" + std::string(c.get(2)),
                                         "dd/mm/yyyy");
  if (!fin || *fecha > *fin)
    b.falla("Fecha de anulación " + std::string(f) + " no puede ser mayor al periodo reportado ");
}

}  // namespace

std::string CLSValidarInformacion::ATS2013_Anulados(int16_t& ti_proceso, std::string& co_empresa,
                                                    std::string& nu_mes, std::string& nu_anio,
                                                    Sheet& InfoFile, std::string& FileError,
                                                    int32_t& nFilaProgreso) {
  AnuladosRun run(co_empresa, nu_mes, nu_anio);
  const std::string resultado =
      ValidadorHoja(ti_proceso, "ANULADOS", InfoFile, FileError, nFilaProgreso,
                    [&run](SheetRow& celdas, BloqueErrorRegistro& bloque) { run.fila(celdas, bloque); });
  run.rethrow();
  return resultado;
}

}  // namespace valtrone
