// Suppliers (tbproveedor): registration with the main establishment "001" in one transaction,
// update and query.

#include "library/frame/clases_maestras.hpp"
#include "library/frame/conexion.hpp"
#include "library/frame/maestros.hpp"
#include "library/frame/sentencias.hpp"
#include "library/frame/sentencias_maestras.hpp"
#include "library/frame/thread_context.hpp"
#include "platform/automation/variant.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {
namespace {

using vt::conv::FormatNumberText;
using vt::conv::Left;
using vt::conv::Trim;
using vt::conv::Upper;
using vt::db::Engine;
using vt::db::escapeSql;

constexpr const char* kRuc = "0000000000000";

// The establishments' columns, shared by the main establishment and every later one.
std::string columnasEstablecimiento(Engine engine) {
  return std::string("( ") + (engine == Engine::Oracle ? "id_reg, " : "") +
         " co_provee , co_estable, ds_nombre, co_pais, co_provincia, co_ciudad, ds_direccion, " +
         " nu_telefono1, nu_telefono2, nu_fax, st_estable, " +
         " co_usua, fe_regis, co_modi, fe_modi, ds_wrkst) ";
}

std::string primerEstablecimientoValores(Engine engine) {
  return std::string("(") + (engine == Engine::Oracle ? "tbProveeEstablecmts_ID_REG_SEC.Nextval, " : "");
}

// The upper-cased, trimmed text cut to the column's 80 characters.
std::string nombre80(const std::string& text) { return Left(Trim(Upper(text)), 80); }

std::string orBlank(std::string text) { return text.empty() ? " " : text; }

// bStContrEspe as CBool reads it: 13 when it is no Boolean.
bool contribuyenteEspecial(const std::string& flag) { return vt::automation::Variant(flag).toBool(); }

void defaultStation(std::string& sds_wrkst) {
  if (enBlanco(sds_wrkst)) sds_wrkst = ctx().config.gsEstacion;
}

}  // namespace

std::string condicionEstablecimiento(const std::string& proveedor, const std::string& establecimiento) {
  std::string condition = "where co_provee  = '" + clave(proveedor, kRuc) + "' ";
  if (!enBlanco(establecimiento)) condition += "and co_estable = '" + clave(establecimiento, "000") + "' ";
  return condition;
}

Insercion insercionProveedor(Engine engine, const CLSProveedores& p, const vt::conv::DateTime& hora,
                             bool especial) {
  const bool oracle = engine == Engine::Oracle;
  Insercion s;
  s.campos =
      std::string("(") + (oracle ? "id_reg, " : "") +
      " co_empresa, co_provee, ds_nombre, co_id, ds_direccion, nu_calle, co_pais, co_provincia, co_ciudad, "
      "nu_telefono, nu_telefono2, nu_fax, " +
      " co_tiporuc, co_tipoloca, st_contr_es, co_exceniva, nu_ult_serie, nu_ult_secuen, fe_ult_emis, "
      "fe_ult_conta, " +
      " co_IRcodigo, co_sus_trib, co_ret_bienes, co_ret_servi, ds_compras, ds_ventas, co_cuntacont, " +
      " no_comercial, no_adminis, ds_website, ds_email, ds_observa, st_regis, ds_campo2, " +
      " co_usua, fe_regis, co_modi, fe_modi, ds_wrkst )";
  std::string emptyDate;
  if (engine == Engine::Access || engine == Engine::Sql || oracle) {
    emptyDate = vt::db::sqlDate(engine, vt::conv::DateTime{{2000, 1, 1}, 0, 0, 0}, false) + ", ";
  }
  const std::string stamp = vt::db::sqlDate(engine, hora, true) + ", ";
  const std::string user = piezaTexto(Trim(p.sco_usuario));
  std::string& v = s.valores;
  v = std::string("(") + (oracle ? "TBAT_PROVEEDOR_ID_REG_SEC.Nextval, " : "");
  v += piezaTexto(Trim(p.sco_empresa));
  v += piezaTexto(FormatNumberText(Trim(p.sco_RUC), kRuc));
  v += piezaTexto(nombre80(p.sds_Nombre));
  v += piezaTexto(Upper(Trim(p.sco_ID)));
  v += piezaTexto(orBlank(Upper(Trim(p.sds_Direcc))));
  v += "'0', '01', '09', '001', ";
  v += piezaTexto(orBlank(Trim(p.snu_Telefono)));
  v += piezaTexto(Trim(p.snu_telefono2));
  v += piezaTexto(Trim(p.snu_Fax));
  v += piezaTexto(p.sTipoPersona);
  v += piezaTexto(p.sTipoLocali);
  v += especial ? "1, " : "0, ";
  v += "0, '0', 0, ";
  v += emptyDate + emptyDate;
  v += "'0', '00', 0, 0, '. ', '.', '0', '.', '.', '.', '.', '.', 'A', '.', ";
  v += user + stamp + user + stamp;
  v += "'" + escapeSql(p.sds_wrkst) + "' ";
  v += ")";
  return s;
}

Insercion insercionMatriz(Engine engine, const CLSProveedores& p, const vt::conv::DateTime& hora) {
  const std::string stamp = vt::db::sqlDate(engine, hora, true) + ", ";
  const std::string user = piezaTexto(Trim(p.sco_usuario));
  Insercion s;
  s.campos = columnasEstablecimiento(engine);
  std::string& v = s.valores;
  v = primerEstablecimientoValores(engine);
  v += piezaTexto(FormatNumberText(Trim(p.sco_RUC), kRuc));
  v += "'001', ";
  v += piezaTexto(nombre80(p.sds_Nombre));
  v += "'01', '09', '001', ";
  v += piezaTexto(nombre80(p.sds_Direcc));
  v += piezaTexto(Trim(p.snu_Telefono));
  v += piezaTexto(Trim(p.snu_telefono2));
  v += piezaTexto(Trim(p.snu_Fax));
  v += "'A', ";
  v += user + stamp + user + stamp;
  v += "'" + escapeSql(p.sds_wrkst) + "' ";
  v += ") ";
  return s;
}

Insercion insercionEstablecimiento(Engine engine, const TpEstablecimiento& r, const std::string& sds_wrkst,
                                   const vt::conv::DateTime& hora) {
  const std::string stamp = vt::db::sqlDate(engine, hora, true) + ", ";
  const std::string user = piezaTexto(Trim(r.sco_usuario));
  Insercion s;
  s.campos = columnasEstablecimiento(engine);
  std::string& v = s.valores;
  v = primerEstablecimientoValores(engine);
  v += piezaTexto(FormatNumberText(r.sco_provee, kRuc));
  v += piezaTexto(FormatNumberText(r.sco_Estable, "000"));
  v += piezaTexto(Trim(r.sds_Estable));
  v += piezaTexto(FormatNumberText(r.sco_pais, "00"));
  v += piezaTexto(FormatNumberText(r.sco_Provin, "00"));
  v += piezaTexto(FormatNumberText(r.sco_ciudad, "000"));
  v += piezaTexto(Trim(r.sds_Direcc));
  v += piezaTexto(Trim(r.snu_telefono1));
  v += piezaTexto(Trim(r.snu_telefono2));
  v += piezaTexto(Trim(r.snu_Fax));
  v += piezaTexto(Upper(Trim(r.sst_estable)));
  v += user + stamp + user + stamp;
  v += "'" + escapeSql(sds_wrkst) + "' ";
  v += ") ";
  return s;
}

std::string asignacionesProveedor(Engine engine, const CLSProveedores& p, const vt::conv::DateTime& hora,
                                  bool especial) {
  std::string s;
  const auto assign = [&s](const char* head, const std::string& value) {
    if (enBlanco(value)) return;
    s += head;
    s += escapeSql(value);
    s += "' ";
  };
  assign("ds_nombre = '", Upper(p.sds_Nombre));
  assign(", ds_direccion = '", Upper(p.sds_Direcc));
  assign(", co_tiporuc = '", Upper(p.sTipoPersona));
  assign(", co_id = '", Upper(p.sco_ID));
  assign(", co_tipoloca = '", Upper(p.sTipoLocali));
  // Digits padded as text: a number type would drop the leading zero of "0987654321".
  assign(", nu_telefono = '", rellenaDigitos(p.snu_Telefono, 9));
  assign(", nu_telefono2 = '", rellenaDigitos(p.snu_telefono2, 9));
  assign(", nu_fax = '", rellenaDigitos(p.snu_Fax, 9));
  s += std::string(", st_contr_es = '") + (especial ? "1" : "0") + "' ";
  s += ", co_modi = '" + escapeSql(p.sco_modi) + "' ";
  s += ", fe_modi = " + vt::db::sqlDate(engine, hora, true) + " ";
  s += ", ds_wrkst = '" + escapeSql(p.sds_wrkst) + "' ";
  return s;
}

bool CLSProveedores::Ingresar(std::string& sMsgError) {
  iniciaMiembro();
  std::string text;
  if (enBlanco(sco_usuario)) text += std::string(kTab) + "Codigo de usuario no válido" + kCrLf;
  const std::string kind = Upper(Trim(sco_ID));
  if (kind != "P" && kind != "R" && kind != "C") {
    text += std::string(kTab) + "Tipo de identificación " + Trim(sco_ID) + " no válido " + kCrLf;
  }
  if (!vt::conv::IsNumericText(sco_RUC)) {
    text += "Numero de identificación " + sco_RUC + " debe ser numérico " + kCrLf;
  } else if (vt::conv::StrictNumber(sco_RUC).value_or(0) <= 0) {
    text += "Numero de identificacion " + sco_RUC + " no válido " + kCrLf;
  } else if (kind == "R" || kind == "C") {
    std::string number = FormatNumberText(Trim(sco_RUC), kind == "C" ? "0000000000" : kRuc);
    std::string quees = kind;
    if (VerificaRUC_Cedula(number, quees) != 0) {
      text += "Numero de Identificacion (RUC, Cédula ) " + Trim(sco_RUC) + " no válido ";
    }
  }
  if (!enBlanco(text)) {
    sMsgError = text;
    return false;
  }

  gfAbreConexion();
  TransactionGuard guard;
  RecordsetRef rs;
  gsConsultaRegistro("*", "tbproveedor", "where co_provee = '" + clave(sco_RUC, kRuc) + "' ", rs);
  if (!rs->eof()) {
    sMsgError = std::string(kTab) + "Proveedor ya registrado " + kCrLf;
    return false;
  }
  defaultStation(sds_wrkst);
  const auto hora = horaServidor(sMsgError);
  if (!hora) return false;
  // Converted before the transaction: a flag that is no Boolean raises with nothing begun.
  const bool especial = contribuyenteEspecial(bStContrEspe);
  const Engine engine = motorConfigurado();
  vt::db::Connection& connection = conexionActual();
  connection.beginTrans();
  int32_t count = 0;
  const Insercion proveedor = insercionProveedor(engine, *this, *hora, especial);
  gsInsertaFila(proveedor.campos, "tbproveedor", proveedor.valores, count);
  if (count < 1) {
    connection.rollbackTrans();
    sMsgError = std::string(kTab) + "Error. No se ingreso registro de proveedor " + kCrLf + ctx().ultimoError;
    gfCierraConexion();
    return false;
  }
  count = 0;
  const Insercion matriz = insercionMatriz(engine, *this, *hora);
  gsInsertaFila(matriz.campos, "tbProveeEstablecmts", matriz.valores, count);
  if (count < 1) {
    connection.rollbackTrans();
    sMsgError = std::string(kTab) +
                "Error al ingresar registro establecimiento Matriz (001) de proveedor: " + kCrLf +
                ctx().ultimoError;
    gfCierraConexion();
    return false;
  }
  connection.commitTrans();
  gfCierraConexion();
  return true;
}

int32_t CLSProveedores::Actualizar(std::string& sRUCProvee, std::string& sMsgError) {
  iniciaMiembro();
  const auto refuseBlank = [&sMsgError](const std::string& value, const char* message) {
    if (enBlanco(value)) sMsgError += std::string(message) + kCrLf;
  };
  refuseBlank(sRUCProvee, "RUC de Proveedor no válido ");
  refuseBlank(sco_ID, "Tipo de identificacion de Proveedor no válido ");
  refuseBlank(sds_Nombre, "Nombre de Proveedor no válido ");
  refuseBlank(sds_Direcc, "Direccion de Proveedor no válida ");
  refuseBlank(sTipoPersona, "Tipo de RUC no válido: (N)atural, (S)ociedad Privada, Sociedad (P)ublica ");
  refuseBlank(sTipoLocali, "Tipo de localidad no válido: (L)ocal, (E)xtranjero");
  refuseBlank(sco_modi, "Codigo de usuario de actualización no válido");
  if (!enBlanco(sMsgError)) return 0;

  // One letter of the list, as written (case-sensitive): "NS" is not a kind.
  const auto refuseLetter = [&sMsgError](const std::string& value, std::string_view letters,
                                         const char* message) {
    if (value.size() != 1 || letters.find(value) == std::string_view::npos)
      sMsgError += std::string(message) + kCrLf;
  };
  refuseLetter(sco_ID, "CRP", "Tipo de identificacion debe ser C,R,P ");
  refuseLetter(sTipoPersona, "NSP", "Tipo de RUC debe ser N,S,P ");
  refuseLetter(sTipoLocali, "LE", "Tipo de localidad debe ser L, E ");
  if (!enBlanco(sMsgError)) return 0;

  gfAbreConexion();
  TransactionGuard guard;
  const std::string ruc = clave(sRUCProvee, kRuc);
  RecordsetRef rs;
  gsConsultaRegistro("*", "tbproveedor", "where co_provee = '" + ruc + "' ", rs);
  if (rs->eof()) {
    sMsgError += std::string(kTab) + "Proveedor no registrado " + kCrLf;
    return 0;
  }
  defaultStation(sds_wrkst);
  const auto hora = horaServidor(sMsgError);
  if (!hora) return 0;
  const bool especial = contribuyenteEspecial(bStContrEspe);
  vt::db::Connection& connection = conexionActual();
  connection.beginTrans();
  int32_t count = 0;
  gsActualizaRegistro(asignacionesProveedor(motorConfigurado(), *this, *hora, especial), "tbproveedor",
                      "where co_provee  = '" + ruc + "' ", count);
  if (count > 0) {
    connection.commitTrans();
  } else {
    sMsgError = std::string("Error. No se actualizó registro de proveedor ") + kCrLf + ctx().ultimoError;
    connection.rollbackTrans();
  }
  gfCierraConexion();
  return count;
}

RecordsetRef CLSProveedores::Consultar(std::string& sRUC, std::string& sMsgError) {
  iniciaMiembro();
  if (enBlanco(sRUC)) {
    sMsgError += std::string("RUC ó cedula de Proveedor no válido ") + kCrLf;
    return nullptr;
  }
  gfAbreConexion();
  TransactionGuard guard;
  const std::string ruc = clave(sRUC, kRuc);
  RecordsetRef rs;
  gsConsultaRegistro("*", "tbProveedor", "where co_provee = '" + ruc + "'", rs);
  if (rs->eof()) {
    sMsgError += "Proveedor " + FormatNumberText(sRUC, kRuc) + " no existe o no registrado. " + kCrLf;
    return nullptr;
  }
  return rs;
}

}  // namespace valtrone
