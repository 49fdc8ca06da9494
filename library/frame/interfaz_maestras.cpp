// Interface order of the master-data and catalogue classes: properties first (get, then let),
// then the members.

#include "library/frame/clases_maestras.hpp"

namespace valtrone {

using vt::automation::ClassBuilder;
using vt::automation::ClassInfo;

namespace {

// The properties after the owner, shared by the supplier and the company document ranges.
template <class C>
ClassBuilder<C>& documentRangeProperties(ClassBuilder<C>& builder) {
  return builder.property("sco_Estable", &C::sco_Estable)
      .property("sco_CmpteVta", &C::sco_CmpteVta)
      .property("snu_Serie", &C::snu_Serie)
      .property("lnu_SecuIni", &C::lnu_SecuIni)
      .property("lnu_SecuFin", &C::lnu_SecuFin)
      .property("snu_Autoriza", &C::snu_Autoriza)
      .property("ffe_Validez", &C::ffe_Validez)
      .property("sco_Impta", &C::sco_Impta)
      .property("sco_usuario", &C::sco_usuario)
      .property("ffe_regis", &C::ffe_regis)
      .property("sco_modi", &C::sco_modi)
      .property("ffe_modi", &C::ffe_modi)
      .property("sds_wrkst", &C::sds_wrkst);
}

}  // namespace

ClassInfo CLSProveedores::describe() {
  using C = CLSProveedores;
  return ClassBuilder<C>("Valtrone.CLSProveedores", "_CLSProveedores")
      .clsid("{5A0C4E11-7B2D-4C61-9E0A-1F3B6D2C7A01}")
      .property("sco_empresa", &C::sco_empresa)
      .property("sco_RUC", &C::sco_RUC)
      .property("sds_Nombre", &C::sds_Nombre)
      .property("sco_ID", &C::sco_ID)
      .property("sds_Direcc", &C::sds_Direcc)
      .property("sTipoPersona", &C::sTipoPersona)
      .property("sTipoLocali", &C::sTipoLocali)
      .property("bStContrEspe", &C::bStContrEspe)
      .property("snu_Telefono", &C::snu_Telefono)
      .property("snu_telefono2", &C::snu_telefono2)
      .property("snu_Fax", &C::snu_Fax)
      .property("sco_usuario", &C::sco_usuario)
      .property("ffe_regis", &C::ffe_regis)
      .property("sco_modi", &C::sco_modi)
      .property("ffe_modi", &C::ffe_modi)
      .property("sds_wrkst", &C::sds_wrkst)
      .method("Ingresar", &C::Ingresar, {"sMsgError"})
      .method("Actualizar", &C::Actualizar, {"sRUCProvee", "sMsgError"})
      .method("Consultar", &C::Consultar, {"sRUC", "sMsgError"})
      .method("VerificaRUC_Cedula", &C::VerificaRUC_Cedula, {"lwscedu", "quees"})
      .method("pdfvvali_cedu", &C::pdfvvali_cedu, {"lwscedu", "quees"})
      .build();
}

ClassInfo CLSEstablecimientos::describe() {
  using C = CLSEstablecimientos;
  return ClassBuilder<C>("Valtrone.CLSEstablecimientos", "_CLSEstablecimientos")
      .clsid("{5A0C4E11-7B2D-4C61-9E0A-1F3B6D2C7A02}")
      .property("sco_provee", &C::sco_provee)
      .property("sco_Estable", &C::sco_Estable)
      .property("sds_Estable", &C::sds_Estable)
      .property("sco_pais", &C::sco_pais)
      .property("sco_Provin", &C::sco_Provin)
      .property("sco_ciudad", &C::sco_ciudad)
      .property("sds_Direcc", &C::sds_Direcc)
      .property("snu_telefono1", &C::snu_telefono1)
      .property("snu_telefono2", &C::snu_telefono2)
      .property("snu_Fax", &C::snu_Fax)
      .property("sst_estable", &C::sst_estable)
      .property("sco_usuario", &C::sco_usuario)
      .property("ffe_regis", &C::ffe_regis)
      .property("sco_modi", &C::sco_modi)
      .property("ffe_modi", &C::ffe_modi)
      .property("sds_wrkst", &C::sds_wrkst)
      .method("Sucur_Ingresar", &C::Sucur_Ingresar, {"sMsgsError"})
      .method("Sucur_Consultar", &C::Sucur_Consultar, {"sEmpresa", "sEstableci", "sQuery", "sMsgsError"})
      .method("Sucur_Actualizar", &C::Sucur_Actualizar, {"sEmpresa", "sEstableci", "sCampos", "sMsgsError"})
      .method("Sucur_Eliminar", &C::Sucur_Eliminar, {"sEmpresa", "sEstableci", "sMsgsError"})
      .build();
}

ClassInfo CLSDctosAutorizados::describe() {
  using C = CLSDctosAutorizados;
  ClassBuilder<C> builder("Valtrone.CLSDctosAutorizados", "_CLSDctosAutorizados");
  builder.clsid("{5A0C4E11-7B2D-4C61-9E0A-1F3B6D2C7A03}").property("sco_provee", &C::sco_provee);
  return documentRangeProperties(builder)
      .method("Consultar_CmprVnta_Indivi_NO", &C::Consultar_CmprVnta_Indivi_NO,
              {"sEmpresa", "sEstableci", "sCmprVnta", "sMsgsError"})
      .method("Eliminar_CmprVnta_Indivi_NO", &C::Eliminar_CmprVnta_Indivi_NO,
              {"sEmpresa", "sEstableci", "sCmprVnta", "sMsgsError"})
      .method("Dctos_Eliminar", &C::Dctos_Eliminar,
              {"sEmpresa", "sEstableci", "sNuSerie", "sCmprVnta", "sMsgsError"})
      .method("Dctos_Actualizar", &C::Dctos_Actualizar, {"sMsgsError"})
      .method("Dctos_Consultar", &C::Dctos_Consultar,
              {"sEmpresa", "sEstableci", "sSerie", "sCmprVnta", "sQuery", "sMsgsError"})
      .method("Dctos_Ingresar", &C::Dctos_Ingresar, {"sMsgsError"})
      .build();
}

ClassInfo CLSImprentas::describe() {
  using C = CLSImprentas;
  return ClassBuilder<C>("Valtrone.CLSImprentas", "_CLSImprentas")
      .clsid("{5A0C4E11-7B2D-4C61-9E0A-1F3B6D2C7A04}")
      .property("sco_Autoriza", &C::sco_Autoriza)
      .property("sco_RUC", &C::sco_RUC)
      .property("sds_Nombre", &C::sds_Nombre)
      .property("sds_NomPropietario", &C::sds_NomPropietario)
      .property("sds_Direcc", &C::sds_Direcc)
      .property("snu_Telefono", &C::snu_Telefono)
      .property("snu_Fax", &C::snu_Fax)
      .build();
}

ClassInfo CLSDctosEmpresas::describe() {
  using C = CLSDctosEmpresas;
  ClassBuilder<C> builder("Valtrone.CLSDctosEmpresas", "_CLSDctosEmpresas");
  builder.clsid("{5A0C4E11-7B2D-4C61-9E0A-1F3B6D2C7A05}").property("sco_empresa", &C::sco_empresa);
  return documentRangeProperties(builder)
      .method("DctosEmpresa_Consultar", &C::DctosEmpresa_Consultar,
              {"sEmpresa", "sEstableci", "sSerie", "sCmprVnta", "sQuery", "sMsgsError"})
      .method("DctosEmpresa_Ingresar", &C::DctosEmpresa_Ingresar, {"sMsgsError"})
      .method("DctosEmpresa_Actualizar", &C::DctosEmpresa_Actualizar, {"sMsgsError"})
      .method("DctosEmpresa_Eliminar", &C::DctosEmpresa_Eliminar,
              {"sEmpresa", "sEstableci", "sNuSerie", "sCmprVnta", "sMsgsError"})
      .build();
}

ClassInfo CLSVarios::describe() {
  using C = CLSVarios;
  return ClassBuilder<C>("Valtrone.CLSVarios", "_CLSVarios")
      .clsid("{5A0C4E11-7B2D-4C61-9E0A-1F3B6D2C7A07}")
      .method("gfValida_Comprob_x_SecTran_REOC", &C::gfValida_Comprob_x_SecTran_REOC,
              {"sCoComprob", "sCoTransacc", "dbConexion"})
      .method("gfVerificaRegistro_IR", &C::gfVerificaRegistro_IR,
              {"sCodigoIR", "sfecha", "dbConexion", "rsregistro"})
      .method("gfVerificaRegistro", &C::gfVerificaRegistro,
              {"vCampos", "sNoTabla", "scondicion", "dbConexion", vt::automation::opt("rsregistro")})
      .build();
}

}  // namespace valtrone
