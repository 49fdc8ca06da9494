// ATS2013_Ventas_Acumula and ICE2014_Ventas_Acumula: every row of a sales sheet copied into
// tbAT_Ventas_x_Acumular on the caller's connection, so that the inserts belong to the caller's
// transaction. They check no cell: the caller validated the sheet before.

#include "library/batch/acumula_ventas.hpp"

#include <array>
#include <limits>
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

constexpr const char* kTabla = "tbAT_Ventas_x_Acumular";

// A value as the statement writes it: a text quoted with its quotes doubled, so that it is stored
// as it stands; a number bare.
std::string escrito(const vt::conv::InsertValue& v) {
  return v.kind == vt::conv::InsertValue::Kind::Text ? vt::db::quoteSql(v.text) : v.written();
}

}  // namespace

InsercionAcumulada insercionVentaAcumulada(bool oracle, vt::automation::StringMatrix& h, long f,
                                           int16_t iPocIVA) {
  h.set(f, 3, vt::conv::SalesIdTypeCode(h.get(f, 3)));
  std::array<std::string_view, 15> celdas;
  for (long c = 0; c < 15; ++c) celdas[c] = h.get(f, c);
  const std::vector<vt::conv::InsertValue> v =
      vt::conv::SalesWorkRow(celdas, vt::conv::SalesVatRateCode(iPocIVA), std::numeric_limits<long>::max());

  InsercionAcumulada r;
  r.campos = std::string("(") + (oracle ? "id_reg, " : "") + vt::conv::kSalesWorkRowColumns;
  r.valores = oracle ? "(TBATVENTAS_ACUMULAR_ID_REG_SEC.Nextval, " : "(";
  for (std::size_t i = 0; i < v.size(); ++i) r.valores += escrito(v[i]) + (i + 1 < v.size() ? ", " : " ");
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
