#include "library/frame/comprobaciones_maestras.hpp"

#include "library/frame/conexion.hpp"
#include "library/frame/errores.hpp"
#include "library/frame/listas_catalogo.hpp"
#include "library/frame/maestros.hpp"
#include "library/frame/sentencias.hpp"
#include "library/frame/thread_context.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/errors/err_object.hpp"

namespace valtrone {
namespace {

using vt::conv::IsNumericText;
using vt::db::escapeSql;

void falla(std::string& text, const char* message) {
  text += kTab;
  text += message;
  text += kCrLf;
}

// A lookup that finds no row fails; one that cannot run raises (its recordset is closed).
bool existe(const std::string& tabla, const std::string& condicion) {
  RecordsetRef rs;
  gsConsultaRegistro("*", tabla, condicion, rs);
  return !rs->eof();
}

bool existeProveedor(const std::string& owner) {
  return existe("tbproveedor", "where co_provee = '" + escapeSql(owner) + "' ");
}

// The establishment's code is there and is a number (checks 3 and 3a).
bool codigoEstablecimiento(const std::string& code, std::string& text) {
  if (enBlanco(code)) {
    falla(text, "Codigo de Establecimiento se encuentra vacio. ");
    return false;
  }
  if (!IsNumericText(code)) {
    falla(text, "Codigo de Establecimiento debe ser numerico. ");
    return false;
  }
  return true;
}

// Checks 4 to 10a of a range, shared by the supplier's and the company's.
void comprobacionesRango(const TpDctosAutorizados& r, std::string& text) {
  if (enBlanco(r.sco_CmpteVta)) {
    falla(text, "Codigo de comprobante se encuentra vacio. ");
  } else if (!IsNumericText(r.sco_CmpteVta)) {
    falla(text, "Codigo de comprobante no válido. ");
  } else if (!existe("tbcttgComprob", "where " + voucherTypeCondition(r.sco_CmpteVta))) {
    falla(text, "Codigo de comprobante no existe en tabla. ");
  }
  if (enBlanco(r.snu_Serie)) {
    falla(text, "Numero de Serie se encuentra vacio. ");
  } else if (!IsNumericText(r.snu_Serie)) {
    falla(text, "Numero de Serie no válido. ");
  } else if (vt::conv::Left(r.snu_Serie, 3) != r.sco_Estable) {
    // The establishment as written: "1" never matches a serie "001001".
    falla(text, "Numero de Serie (inicio) no conincide con codigo de Establecimiento. ");
  }
  if (r.lnu_SecuIni == 0) falla(text, "Secuencia inicial no puede ser cero. ");
  if (r.lnu_SecuFin == 0) falla(text, "Secuencia final no puede ser cero. ");
  if (r.lnu_SecuIni > 0 && r.lnu_SecuFin > 0 && !(r.lnu_SecuFin > r.lnu_SecuIni)) {
    falla(text, "Secuencia final no puede ser menor que secuencia inicial. ");
  }
  if (enBlanco(r.snu_Autoriza)) {
    falla(text, "Numero de Autorizacion se encuentra vacio. ");
  } else if (!IsNumericText(r.snu_Autoriza)) {
    falla(text, "Numero de Autorizacion no válido. ");
  }
  if (enBlanco(r.sco_Impta)) {
    falla(text, "Numero de Autorizacion de imprenta se encuentra vacio. ");
  } else if (!IsNumericText(r.sco_Impta)) {
    falla(text, "Numero de Autorizacion de imprenta no válido. ");
  }
}

// Runs `checks` over an emptied text; an error they raise becomes the whole text.
template <typename Checks>
bool comprueba(std::string& sMsgsError, Checks checks) {
  sMsgsError.clear();
  try {
    checks(sMsgsError);
  } catch (...) {
    noteCurrentError();
    sMsgsError = "Ha ocurrido el error " + std::to_string(vt::Err().Number) + " " + vt::Err().Description;
    return false;
  }
  return enBlanco(sMsgsError);
}

}  // namespace

bool gfValidaDctosAutorizados(std::string& sMsgsError) {
  return comprueba(sMsgsError, [](std::string& text) {
    const TpDctosAutorizados& r = ctx().tpDctosAutorizados;
    if (enBlanco(r.sco_provee)) falla(text, "Codigo de Proveedor se encuentra vacio. ");
    gfAbreConexion();
    if (!existeProveedor(r.sco_provee)) falla(text, "Proveedor no existe. ");
    if (codigoEstablecimiento(r.sco_Estable, text) &&
        !existe("tbProveeEstablecmts", "where co_provee = '" + escapeSql(r.sco_provee) +
                                           "' and co_estable = '" + escapeSql(r.sco_Estable) + "'")) {
      falla(text, "Establecimiento de Proveedor no registrado. ");
    }
    comprobacionesRango(r, text);
    gfCierraConexion();
  });
}

bool gfValidaDctosEmpresa(std::string& sMsgsError) {
  return comprueba(sMsgsError, [](std::string& text) {
    const TpDctosAutorizados& r = ctx().tpDctosAutorizados;
    gfAbreConexion();
    if (!existe("tbEmpresas", "where nu_ruc = '" + escapeSql(r.sco_provee) + "' ")) {
      falla(text, "Empresa no existe. ");
    }
    codigoEstablecimiento(r.sco_Estable, text);
    comprobacionesRango(r, text);
    gfCierraConexion();
  });
}

bool gfValidaEstablecimiento(std::string& sMsgsError) {
  return comprueba(sMsgsError, [](std::string& text) {
    const TpEstablecimiento& r = ctx().tpEstablecimiento;
    if (enBlanco(r.sco_provee)) falla(text, "RUC de Empresa se encuentra vacio. ");
    gfAbreConexion();
    if (!existeProveedor(r.sco_provee)) falla(text, "Proveedor no existe. ");
    codigoEstablecimiento(r.sco_Estable, text);
    if (enBlanco(r.sco_Provin)) {
      falla(text, "Provincia no válida");
    } else if (!existe("tbciudades", "where co_pais = '01' and co_provincia ='" + escapeSql(r.sco_Provin) +
                                         "' and co_ciudad <> '000' order by ds_nombre")) {
      falla(text, "Provincia no existe en tabla. ");
    }
    if (enBlanco(r.sco_ciudad)) falla(text, "Ciudad no válida");
    if (enBlanco(r.sds_Direcc)) falla(text, "Dirección no válida");
    if (enBlanco(r.snu_telefono1)) falla(text, "Número de telefono no válido ");
    if (enBlanco(r.sst_estable)) {
      falla(text, "Estado de Establecimiento no válido ");
    } else if (std::string("AC").find(vt::conv::Upper(vt::conv::Trim(r.sst_estable))) == std::string::npos) {
      falla(text, "Codigo de estado no permitido ");
    }
    gfCierraConexion();
  });
}

}  // namespace valtrone
