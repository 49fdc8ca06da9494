// Each class's interface, member by member in interface order, against the published tables.
// Properties are written "Get/Let/Set name As Type"; methods with every parameter's passing mode.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "library/frame/clases_maestras.hpp"
#include "library/frame/cls_validar_informacion.hpp"

namespace {

using vt::automation::ClassInfo;
using vt::automation::Invoke;

std::string render(const ClassInfo& info) {
  std::ostringstream out;
  out << info.progId << " " << info.interfaceName << "\n";
  for (const auto& m : info.members) {
    switch (m.kind) {
      case Invoke::Get:
        out << "Get " << m.name << " As " << m.resultTypeName << "\n";
        continue;
      case Invoke::Let:
      case Invoke::Set:
        out << (m.kind == Invoke::Let ? "Let " : "Set ") << m.name << " As " << m.params.at(0).typeName
            << "\n";
        continue;
      case Invoke::Method:
        break;
    }
    out << m.name << "(";
    for (size_t i = 0; i < m.params.size(); ++i) {
      const auto& p = m.params[i];
      out << (i ? ", " : "") << (p.optional ? "Optional " : "") << (p.byRef ? "ByRef " : "ByVal ") << p.name
          << " As " << p.typeName;
    }
    out << ")";
    if (!m.resultTypeName.empty()) out << " As " << m.resultTypeName;
    out << "\n";
  }
  return out.str();
}

// "name" -> Get and Let lines of a String property; "name:Type" for another type.
std::string properties(std::initializer_list<const char*> list) {
  std::string text;
  for (std::string item : list) {
    std::string type = "String";
    if (const auto colon = item.find(':'); colon != std::string::npos) {
      type = item.substr(colon + 1);
      item.resize(colon);
    }
    text += "Get " + item + " As " + type + "\n";
    text += (type == "Object" ? "Set " : "Let ") + item + " As " + type + "\n";
  }
  return text;
}

struct Expected {
  const char* name;
  const ClassInfo& info;
  std::string table;
};

const std::string kSheet =
    "ByVal ti_proceso As Integer, ByRef co_empresa As String, ByRef nu_mes As String, ByRef nu_anio As "
    "String, "
    "ByRef dDecRedondeo As Double, ByRef InfoFile As String(,), ByRef FileError As String, "
    "ByRef nFilaProgreso As Long";
const std::string kRecord =
    "(ByRef archivo_reten As String(), ByRef berror_record As Boolean, ByRef ds_errores As String) As "
    "String\n";

std::vector<Expected> expectedTables() {
  using namespace valtrone;
  return {
      {"CLSProveedores", CLSProveedores::info(),
       "Valtrone.CLSProveedores _CLSProveedores\n" +
           properties({"sco_empresa", "sco_RUC", "sds_Nombre", "sco_ID", "sds_Direcc", "sTipoPersona",
                       "sTipoLocali", "bStContrEspe", "snu_Telefono", "snu_telefono2", "snu_Fax",
                       "sco_usuario", "ffe_regis:Date", "sco_modi", "ffe_modi:Date", "sds_wrkst"}) +
           "Ingresar(ByRef sMsgError As String) As Boolean\n"
           "Actualizar(ByRef sRUCProvee As String, ByRef sMsgError As String) As Long\n"
           "Consultar(ByRef sRUC As String, ByRef sMsgError As String) As Recordset\n"
           "VerificaRUC_Cedula(ByRef lwscedu As String, ByRef quees As String) As Integer\n"
           "pdfvvali_cedu(ByRef lwscedu As String, ByRef quees As String) As Integer\n"},
      {"CLSEstablecimientos", CLSEstablecimientos::info(),
       "Valtrone.CLSEstablecimientos _CLSEstablecimientos\n" +
           properties({"sco_provee", "sco_Estable", "sds_Estable", "sco_pais", "sco_Provin", "sco_ciudad",
                       "sds_Direcc", "snu_telefono1", "snu_telefono2", "snu_Fax", "sst_estable",
                       "sco_usuario", "ffe_regis:Date", "sco_modi", "ffe_modi:Date", "sds_wrkst"}) +
           "Sucur_Ingresar(ByRef sMsgsError As String) As Boolean\n"
           "Sucur_Consultar(ByRef sEmpresa As String, ByRef sEstableci As String, ByRef sQuery As String, "
           "ByRef sMsgsError As String) As Recordset\n"
           "Sucur_Actualizar(ByRef sEmpresa As String, ByRef sEstableci As String, ByRef sCampos As String, "
           "ByRef sMsgsError As String) As Long\n"
           "Sucur_Eliminar(ByRef sEmpresa As String, ByRef sEstableci As String, ByRef sMsgsError As String) "
           "As Long\n"},
      {"CLSDctosAutorizados", CLSDctosAutorizados::info(),
       "Valtrone.CLSDctosAutorizados _CLSDctosAutorizados\n" +
           properties({"sco_provee", "sco_Estable", "sco_CmpteVta", "snu_Serie", "lnu_SecuIni:Long",
                       "lnu_SecuFin:Long", "snu_Autoriza", "ffe_Validez:Date", "sco_Impta", "sco_usuario",
                       "ffe_regis:Date", "sco_modi", "ffe_modi:Date", "sds_wrkst"}) +
           "Consultar_CmprVnta_Indivi_NO(ByRef sEmpresa As String, ByRef sEstableci As String, "
           "ByRef sCmprVnta As String, ByRef sMsgsError As String) As Boolean\n"
           "Eliminar_CmprVnta_Indivi_NO(ByRef sEmpresa As String, ByRef sEstableci As String, "
           "ByRef sCmprVnta As String, ByRef sMsgsError As String) As Long\n"
           "Dctos_Eliminar(ByRef sEmpresa As String, ByRef sEstableci As String, ByRef sNuSerie As String, "
           "ByRef sCmprVnta As String, ByRef sMsgsError As String) As Long\n"
           "Dctos_Actualizar(ByRef sMsgsError As String) As Long\n"
           "Dctos_Consultar(ByRef sEmpresa As String, ByRef sEstableci As String, ByRef sSerie As String, "
           "ByRef sCmprVnta As String, ByRef sQuery As String, ByRef sMsgsError As String) As Recordset\n"
           "Dctos_Ingresar(ByRef sMsgsError As String) As Boolean\n"},
      {"CLSImprentas", CLSImprentas::info(),
       "Valtrone.CLSImprentas _CLSImprentas\n" +
           properties({"sco_Autoriza", "sco_RUC", "sds_Nombre", "sds_NomPropietario", "sds_Direcc",
                       "snu_Telefono", "snu_Fax"})},
      {"CLSDctosEmpresas", CLSDctosEmpresas::info(),
       "Valtrone.CLSDctosEmpresas _CLSDctosEmpresas\n" +
           properties({"sco_empresa", "sco_Estable", "sco_CmpteVta", "snu_Serie", "lnu_SecuIni:Long",
                       "lnu_SecuFin:Long", "snu_Autoriza", "ffe_Validez:Date", "sco_Impta", "sco_usuario",
                       "ffe_regis:Date", "sco_modi", "ffe_modi:Date", "sds_wrkst"}) +
           "DctosEmpresa_Consultar(ByRef sEmpresa As String, ByRef sEstableci As String, ByRef sSerie As "
           "String, "
           "ByRef sCmprVnta As String, ByRef sQuery As String, ByRef sMsgsError As String) As Recordset\n"
           "DctosEmpresa_Ingresar(ByRef sMsgsError As String) As Boolean\n"
           "DctosEmpresa_Actualizar(ByRef sMsgsError As String) As Long\n"
           "DctosEmpresa_Eliminar(ByRef sEmpresa As String, ByRef sEstableci As String, ByRef sNuSerie As "
           "String, "
           "ByRef sCmprVnta As String, ByRef sMsgsError As String) As Long\n"},
      {"CLSValidarInformacion", CLSValidarInformacion::info(),
       "Valtrone.CLSValidarInformacion _CLSValidarInformacion\n" +
           properties({"co_empresa", "nu_mes:Integer", "nu_anio", "iUltDiasMes", "iPocIVA:Integer",
                       "db_ConexionObj:Object", "iValidaBases:Integer", "iConvertirRUC:Integer",
                       "lFraccionBasica:Double"}) +
           "fValidaVacio(ByRef sDato As String) As String\n"
           "ATS2013_Ventas_Acumula(ByRef co_empresa As String, ByRef nu_mes As String, ByRef nu_anio As "
           "String, "
           "ByRef InfoFile As String(,), ByRef FileError As String, ByRef nFilaProgreso As Long, "
           "ByRef iOpciones As Integer()) As String\n"
           "ICE2014_Ventas_Acumula(ByRef co_empresa As String, ByRef nu_mes As String, ByRef nu_anio As "
           "String, "
           "ByRef InfoFile As String(,), ByRef FileError As String, ByRef nFilaProgreso As Long) As String\n"
           "ATS2013_Ventas(" +
           kSheet +
           ", ByRef iOpciones As Integer()) As String\n"
           "ICE2014_Importa(" +
           kSheet +
           ") As String\n"
           "ICE2014_Ventas(" +
           kSheet +
           ") As String\n"
           "ATS2013_Exportaciones(" +
           kSheet +
           ") As String\n"
           "gfUltimoDiaMes(ByRef sfecha As String) As Integer\n"
           "gsREOCCargaFile(ByRef no_file As String, ByRef separador As String, ByRef iverifica As Integer, "
           "ByRef archivo_matriz As String()) As String\n"
           "ATS2013_Compras(" +
           kSheet +
           ") As String\n"
           "ATS2013_Anulados(ByRef ti_proceso As Integer, ByRef co_empresa As String, ByRef nu_mes As "
           "String, "
           "ByRef nu_anio As String, ByRef InfoFile As String(,), ByRef FileError As String, "
           "ByRef nFilaProgreso As Long) As String\n"
           "RDEP2013(ByVal ti_proceso As Integer, ByRef co_empresa As String, ByRef nu_mes As String, "
           "ByRef nu_anio As String, ByRef chk_ValidaIR As Integer, ByRef dDecRedondeo As Double, "
           "ByRef InfoFile As String(,), ByRef FileError As String, ByRef nFilaProgreso As Long) As String\n"
           "Valida_Cmpra" +
           kRecord + "Valida_ATSCompra" + kRecord +
           "Valida_REOC(ByRef archivo_reten As String(), ByRef berror_found As Boolean, "
           "ByRef ds_errores As String) As String\n"
           "Valida_Exportacion" +
           kRecord +
           "Valida_SustTribEnComprob(ByRef sCoComprob As String, ByRef sCoSustTribu As String) As Boolean\n"
           "Valida_FormaPago(ByRef sCoFormaPago As Variant) As Boolean\n"
           "ValidaComprob_Tolvex(ByRef sCoComprob As String, ByRef sCoSustTribu As String) As Boolean\n"
           "ValidaComprob_SecTran_Tolvex(ByRef sCoComprob As String, ByRef sCoIDTran As String) As Boolean\n"
           "Valida_Importacion" +
           kRecord +
           "Valida_Comprob_x_SecTran(ByRef sCoComprob As String, ByRef sCoSecTran As String, "
           "Optional ByRef iTipoAnexo As String) As Boolean\n"
           "Valida_Venta" +
           kRecord + "Valida_ATSVenta" + kRecord +
           "lsEjecutaSelect(ByVal campos As String, ByVal tablas As String, ByVal condicion As String, "
           "ByRef dbConexion As Connection, ByRef rsaux As Variant)\n"
           "lsEjecutaInsert(ByVal campos As String, ByVal tablas As String, ByVal valores As String, "
           "ByRef dbConexion As Connection, ByRef nreg As Long)\n"
           "Valida_Anulacion" +
           kRecord},
      {"CLSVarios", CLSVarios::info(),
       "Valtrone.CLSVarios _CLSVarios\n"
       "gfValida_Comprob_x_SecTran_REOC(ByRef sCoComprob As String, ByRef sCoTransacc As String, "
       "ByRef dbConexion As Connection) As Boolean\n"
       "gfVerificaRegistro_IR(ByRef sCodigoIR As String, ByRef sfecha As Date, ByRef dbConexion As "
       "Connection, "
       "ByRef rsregistro As Recordset) As Boolean\n"
       "gfVerificaRegistro(ByRef vCampos As String, ByRef sNoTabla As String, ByRef scondicion As String, "
       "ByRef dbConexion As Connection, Optional ByRef rsregistro As Recordset) As Boolean\n"},
  };
}

TEST(MemberTable, EachClassMatchesItsPublishedInterface) {
  for (const Expected& e : expectedTables()) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(render(e.info), e.table);
    EXPECT_EQ(e.info.className, e.name);
  }
}

}  // namespace
