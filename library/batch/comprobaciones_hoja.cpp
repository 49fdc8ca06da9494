// The checks several sheet validators share.

#include "library/batch/comprobaciones_hoja.hpp"

#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/comprobaciones.hpp"
#include "library/frame/errores.hpp"
#include "library/frame/sentencias.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/database/recordset.hpp"
#include "platform/database/sql_text.hpp"

namespace valtrone {

std::string LookupMemo::key(std::string_view routine, std::initializer_list<std::string_view> arguments) {
  std::string key(routine);
  for (std::string_view argument : arguments) key.append(1, '\x1f').append(argument);
  return key;
}

std::optional<bool> LookupMemo::run(const std::function<bool()>& lookup) {
  try {
    return lookup();
  } catch (...) {
    noteCurrentError();
    return std::nullopt;
  }
}

std::optional<bool> catalogoRegistra(LookupMemo& memo, const std::string& tabla, const std::string& columna,
                                     const std::string& valor, std::string_view cola) {
  return memo.ask(LookupMemo::key(tabla, {columna, valor}), [&] {
    RecordsetRef rs;
    gsSelectConexion("*", tabla, "where " + columna + " = " + vt::db::quoteSql(valor) + std::string(cola),
                     nullptr, rs);
    // A select that failed leaves the recordset closed, and reading it raises.
    return !rs->eof();
  });
}

std::optional<bool> comprobanteRegistrado(LookupMemo& memo, const std::string& co_comprob) {
  return catalogoRegistra(memo, "tbcttgComprob", "co_comprob", co_comprob);
}

bool anteriorA2002(const vt::conv::Date& fecha) { return fecha < vt::conv::Date{2002, 1, 1}; }

std::optional<bool> comprobantePorTransaccion(LookupMemo& memo, CLSValidarInformacion& object,
                                              const std::string& co_comprob,
                                              const std::string& transacciones) {
  return memo.ask(LookupMemo::key("Valida_Comprob_x_SecTran", {co_comprob, transacciones}), [&] {
    std::string comprob = co_comprob;
    std::string transaccion = transacciones;
    std::string anexo = "ATS";
    return object.Valida_Comprob_x_SecTran(comprob, transaccion, anexo);
  });
}

void compruebaIdentificacion(BloqueErrorRegistro& block, const std::string& tipo, const std::string& numero,
                             const std::string& nombre, const FallaIdentificacion& noIdentificable) {
  const auto mendable = [&](const std::string& mensaje, const std::string& valor) {
    if (noIdentificable) {
      noIdentificable(mensaje, valor);
    } else {
      block.falla(mensaje, valor);
    }
  };
  const std::string enMensaje = numero + " " + vt::conv::FormatNumberText(nombre, "#");
  if (tipo == "F") {
    if (!vt::conv::IsNumericText(numero)) {
      block.falla("Identificación debe ser numérico ", enMensaje);
    } else if (numero != kConsumidorFinal) {
      mendable("Identificación para Consumidor Final ", enMensaje);
    }
  } else if (tipo == "P") {
    if (vt::conv::Len(numero) < 5)
      block.falla("Identificación de pasaporte no valida debe ser al menos 5 caracteres", enMensaje);
  } else if (tipo == "R" || tipo == "C") {
    if (!vt::conv::IsNumericText(numero)) {
      block.falla("Identificación debe ser numérico ", enMensaje);
    } else if (vt::conv::StrictNumber(numero) <= 0.0) {
      block.falla("Identificacion no válido ", enMensaje);
    } else if (!identidadValida(numero, tipo, IdentityRules::VerificaRUC_Cedula)) {
      mendable("Identificación (RUC, Cédula ) no válido ", numero + " " + nombre);
    }
  }
}

bool montoConcuerda(double tolerancia, const std::optional<double>& calculado, const std::string& monto) {
  if (!calculado) return false;
  const std::optional<double> esperado = vt::conv::NumberByMask(*calculado, "########0.00");
  const std::optional<double> dado =
      vt::conv::StrictNumber(vt::conv::FormatNumberText(monto, "########0.00"));
  return esperado && dado && gfDentroTolerancia(tolerancia, *esperado, *dado);
}

}  // namespace valtrone
