// ATS2013_Ventas_Acumula and ICE2014_Ventas_Acumula: every row of a sales sheet copied into
// tbAT_Ventas_x_Acumular on the caller's connection, so that the inserts belong to the caller's
// transaction. They check no cell: the caller validated the sheet before.

#include "library/batch/acumula_ventas.hpp"

#include <string>
#include <vector>

#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/conexion.hpp"
#include "library/frame/thread_context.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/database/sql_text.hpp"
#include "platform/errors/runtime_errors.hpp"
#include "platform/profile/text_file.hpp"

namespace valtrone {

namespace {

using vt::conv::FormatNumberText;

constexpr const char* kTabla = "tbAT_Ventas_x_Acumular";

const char* const kCampos =
    "co_empresa, co_mes, co_anio, co_tipoID, co_cliente, ds_nombre, co_estable, nu_comprob, co_comprob, "
    "mo_base_NoIva, mo_base_0, mo_base, co_iva, mo_iva, mo_iva_1, co_iva_1, mo_ret_1, mo_iva_2, co_iva_2, "
    "mo_ret_2, mo_ICEbase, co_ICEcodigo, mo_ICEmonto, st_IVAPresun, st_IRPresun, "
    "co_IRcodigo_1, mo_IRbase_1, va_IRporc_1, mo_IRmonto_1, co_IRcodigo_2, mo_IRbase_2, va_IRporc_2, "
    "mo_IRmonto_2, "
    "co_IRcodigo_3, mo_IRbase_3, va_IRporc_3, mo_IRmonto_3, mo_reten_IVA, mo_reten_IR, st_regis";

// A text value: quoted with its quotes doubled, so that it is stored as it stands.
std::string texto(std::string_view s) { return vt::db::quoteSql(s); }

// A number value under its mask. A cell that is no number is written as nothing at all, so that
// the database refuses the row and the call ends there: no cell ever becomes part of a statement.
std::string numero(std::string_view sCelda, const char* sMascara) {
  if (!vt::conv::IsNumericText(sCelda)) return "";
  return FormatNumberText(sCelda, sMascara);
}

}  // namespace

InsercionAcumulada insercionVentaAcumulada(bool oracle, vt::automation::StringMatrix& h, long f,
                                           int16_t iPocIVA) {
  const std::string cero = FormatNumberText("0", "########0.00");
  const std::string ceroCodigo = FormatNumberText("0", "####0");
  std::vector<std::string> v;
  if (oracle) v.push_back("TBATVENTAS_ACUMULAR_ID_REG_SEC.Nextval");
  v.push_back(texto(h.get(f, 0)));
  v.push_back(texto(FormatNumberText(h.get(f, 1), "00")));
  v.push_back(texto(FormatNumberText(h.get(f, 2), "0000")));
  h.set(f, 3, vt::conv::SalesIdTypeCode(h.get(f, 3)));
  v.push_back(texto(FormatNumberText(h.get(f, 3), "00")));
  v.push_back(texto(FormatNumberText(h.get(f, 4), "0000000000000")));
  v.push_back(texto(h.get(f, 5)));
  v.push_back(texto(vt::conv::Trim(h.get(f, 6))));
  v.push_back(numero(h.get(f, 8), "########0"));
  v.push_back(texto(FormatNumberText(h.get(f, 7), "00")));
  for (const long c : {9L, 10L, 11L}) v.push_back(numero(h.get(f, c), "########0.00"));
  v.push_back(texto(vt::conv::SalesVatRateCode(iPocIVA)));
  v.push_back(numero(h.get(f, 12), "########0.00"));
  // The VAT withholdings, ICE and income-tax blocks of the annex row do not exist in the sheet.
  for (int i = 0; i < 2; ++i) {
    v.push_back(cero);
    v.push_back(texto("0"));
    v.push_back(cero);
  }
  v.push_back(cero);
  v.push_back(texto("0"));
  v.push_back(cero);
  v.push_back(texto("N"));
  v.push_back(texto("N"));
  for (int i = 0; i < 3; ++i) {
    v.push_back(texto(ceroCodigo));
    v.push_back(cero);
    v.push_back(cero);
    v.push_back(cero);
  }
  v.push_back(numero(h.get(f, 13), "########0.00"));
  v.push_back(numero(h.get(f, 14), "########0.00"));
  v.push_back(texto("A"));

  InsercionAcumulada r;
  r.campos = std::string("(") + (oracle ? "id_reg, " : "") + kCampos + ")";
  r.valores = "(";
  for (std::size_t i = 0; i < v.size(); ++i) r.valores += v[i] + (i + 1 < v.size() ? ", " : " ");
  r.valores += ")";
  return r;
}

namespace {

std::string acumula(CLSValidarInformacion& self, const CLSValidarInformacion::Sheet& InfoFile,
                    const std::string& FileError) {
  gfAbreConexion();
  // A missing array is one without rows.
  vt::automation::StringMatrix vacia;
  vt::automation::StringMatrix& h = InfoFile ? *InfoFile : vacia;
  const bool oracle = vt::conv::Upper(ctx().config.sistema.gsMotorBD) == "ORACLE";
  ConnectionRef conexion = vt::db::connectionOf(vt::automation::Variant(self.db_ConexionObj));
  for (long f = 1; f <= h.ubound(1); ++f) {
    const InsercionAcumulada ins = insercionVentaAcumulada(oracle, h, f, self.iPocIVA);
    int32_t nreg = 0;
    self.lsEjecutaInsert(ins.campos, kTabla, ins.valores, conexion, nreg);
    if (nreg < 1 &&
        !vt::appendToFile(FileError, "VENTAS Acumular - Registro: " + std::to_string(f) + ". \r\n\r\n"))
      throw vt::Error(vt::kErrPathAccess, gsTituloApp, vt::runtimeErrorDescription(vt::kErrPathAccess));
  }
  gfCierraConexion();
  return "OK";
}

}  // namespace

std::string CLSValidarInformacion::ATS2013_Ventas_Acumula(std::string&, std::string&, std::string&,
                                                          Sheet& InfoFile, std::string& FileError, int32_t&,
                                                          Options&) {
  return acumula(*this, InfoFile, FileError);
}

std::string CLSValidarInformacion::ICE2014_Ventas_Acumula(std::string&, std::string&, std::string&,
                                                          Sheet& InfoFile, std::string& FileError, int32_t&) {
  return acumula(*this, InfoFile, FileError);
}

}  // namespace valtrone
