// The shared checks of the validator class: the last day of a month and the lookups of voucher
// types, tax-support codes, transaction codes and payment forms. Lookups run on the thread's
// gdbConexion; a failed lookup or a Null list raises to the caller, which tells it from False.

#include <memory>

#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/conexion.hpp"
#include "library/frame/listas_catalogo.hpp"
#include "library/frame/sentencias.hpp"
#include "library/frame/thread_context.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/database/sql_text.hpp"

namespace valtrone {
namespace {

using vt::conv::FormatNumberText;

// Runs `check` on the library's own connection, opened for it and closed afterwards. The object
// holds that connection meanwhile; its previous one comes back in every case: it is the client's,
// and a later statement of the client must not land on the library's closed connection.
template <class Check>
bool onOwnConnection(CLSValidarInformacion& object, Check check) {
  const vt::automation::ObjectRef previous = object.db_ConexionObj;
  gfAbreConexion();
  object.db_ConexionObj = std::make_shared<ConnectionObject>(ctx().gdbConexion);
  bool result = false;
  try {
    result = check();
  } catch (...) {
    object.db_ConexionObj = previous;
    try {
      gfCierraConexion();
    } catch (...) {
      // The check's own error is the one the caller must see.
    }
    throw;
  }
  object.db_ConexionObj = previous;
  gfCierraConexion();
  return result;
}

}  // namespace

int16_t CLSValidarInformacion::gfUltimoDiaMes(std::string& sfecha) {
  return static_cast<int16_t>(vt::conv::LastDayOfMonth(sfecha));
}

bool CLSValidarInformacion::Valida_SustTribEnComprob(std::string& sCoComprob, std::string& sCoSustTribu) {
  RecordsetRef rs;
  if (!gfCuentaRegistros("*", "tbcttgComprob", voucherTypeCondition(sCoComprob), nullptr, rs)) return false;
  const std::string wanted = FormatNumberText(sCoSustTribu, "00");
  // Whole elements, untrimmed: "01, 02" allows 01 only. An empty element is no code.
  for (const std::string& element : splitText(listColumn(*rs, "ds_sustrib"), ',')) {
    if (!element.empty() && element == wanted) return true;
  }
  return false;
}

bool CLSValidarInformacion::Valida_FormaPago(vt::automation::Variant& sCoFormaPago) {
  for (const std::string& element : splitText(sCoFormaPago.toString(), '-')) {
    RecordsetRef rs;
    const std::string condition =
        "co_grupo = 'FPG' and co_valor = " + vt::db::quoteSql(FormatNumberText(element, "0"));
    if (!gfCuentaRegistros("*", "tbCodigoGeneral", condition, nullptr, rs)) return false;
  }
  return true;
}

bool CLSValidarInformacion::Valida_Comprob_x_SecTran(std::string& sCoComprob, std::string& sCoSecTran,
                                                     std::string& iTipoAnexo) {
  RecordsetRef rs;
  const std::string condition =
      voucherTypeCondition(sCoComprob) + " and ds_secutran like " + vt::db::likeContaining(iTipoAnexo) + " ";
  if (!gfCuentaRegistros("*", "tbcttgComprob", condition, nullptr, rs)) return false;
  return listElementIn(listColumn(*rs, "ds_secutran"), sCoSecTran);
}

bool CLSValidarInformacion::ValidaComprob_Tolvex(std::string& sCoComprob, std::string& sCoSustTribu) {
  return onOwnConnection(*this, [&] { return Valida_SustTribEnComprob(sCoComprob, sCoSustTribu); });
}

bool CLSValidarInformacion::ValidaComprob_SecTran_Tolvex(std::string& sCoComprob, std::string& sCoIDTran) {
  std::string anyAnnex;
  return onOwnConnection(*this, [&] { return Valida_Comprob_x_SecTran(sCoComprob, sCoIDTran, anyAnnex); });
}

}  // namespace valtrone
