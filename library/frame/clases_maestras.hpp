#pragma once
// The master-data classes of the library: suppliers, their establishments and authorised
// document ranges, printing houses and the company's own document ranges. Properties are public
// fields; members take their by-reference arguments as C++ references.

#include <cstdint>
#include <memory>
#include <string>

#include "library/frame/db_objects.hpp"
#include "platform/automation/object.hpp"

namespace valtrone {

using vt::automation::Date;

class CLSProveedores : public vt::automation::Dispatchable<CLSProveedores> {
 public:
  static vt::automation::ClassInfo describe();

  std::string sco_empresa, sco_RUC, sds_Nombre, sco_ID, sds_Direcc, sTipoPersona, sTipoLocali, bStContrEspe,
      snu_Telefono, snu_telefono2, snu_Fax, sco_usuario;
  Date ffe_regis;
  std::string sco_modi;
  Date ffe_modi;
  std::string sds_wrkst;

  bool Ingresar(std::string& sMsgError);
  int32_t Actualizar(std::string& sRUCProvee, std::string& sMsgError);
  RecordsetRef Consultar(std::string& sRUC, std::string& sMsgError);
  int16_t VerificaRUC_Cedula(std::string& lwscedu, std::string& quees);
  int16_t pdfvvali_cedu(std::string& lwscedu, std::string& quees);
};

class CLSEstablecimientos : public vt::automation::Dispatchable<CLSEstablecimientos> {
 public:
  static vt::automation::ClassInfo describe();

  std::string sco_provee, sco_Estable, sds_Estable, sco_pais, sco_Provin, sco_ciudad, sds_Direcc,
      snu_telefono1, snu_telefono2, snu_Fax, sst_estable, sco_usuario;
  Date ffe_regis;
  std::string sco_modi;
  Date ffe_modi;
  std::string sds_wrkst;

  bool Sucur_Ingresar(std::string& sMsgsError);
  RecordsetRef Sucur_Consultar(std::string& sEmpresa, std::string& sEstableci, std::string& sQuery,
                               std::string& sMsgsError);
  int32_t Sucur_Actualizar(std::string& sEmpresa, std::string& sEstableci, std::string& sCampos,
                           std::string& sMsgsError);
  int32_t Sucur_Eliminar(std::string& sEmpresa, std::string& sEstableci, std::string& sMsgsError);

 private:
  // "C": the properties into ctx().tpEstablecimiento; "D": back; any other mode copies nothing.
  void pCopiaDatosEstable(const std::string& mode);
};

class CLSDctosAutorizados : public vt::automation::Dispatchable<CLSDctosAutorizados> {
 public:
  static vt::automation::ClassInfo describe();

  std::string sco_provee, sco_Estable, sco_CmpteVta, snu_Serie;
  int32_t lnu_SecuIni = 0, lnu_SecuFin = 0;
  std::string snu_Autoriza;
  Date ffe_Validez;
  std::string sco_Impta, sco_usuario;
  Date ffe_regis;
  std::string sco_modi;
  Date ffe_modi;
  std::string sds_wrkst;

  bool Consultar_CmprVnta_Indivi_NO(std::string& sEmpresa, std::string& sEstableci, std::string& sCmprVnta,
                                    std::string& sMsgsError);
  int32_t Eliminar_CmprVnta_Indivi_NO(std::string& sEmpresa, std::string& sEstableci, std::string& sCmprVnta,
                                      std::string& sMsgsError);
  int32_t Dctos_Eliminar(std::string& sEmpresa, std::string& sEstableci, std::string& sNuSerie,
                         std::string& sCmprVnta, std::string& sMsgsError);
  int32_t Dctos_Actualizar(std::string& sMsgsError);
  RecordsetRef Dctos_Consultar(std::string& sEmpresa, std::string& sEstableci, std::string& sSerie,
                               std::string& sCmprVnta, std::string& sQuery, std::string& sMsgsError);
  bool Dctos_Ingresar(std::string& sMsgsError);

 private:
  // "C": the properties into ctx().tpDctosAutorizados; "D": back; any other mode copies nothing.
  void pCopiaDatosDctos(const std::string& mode);
};

// A printing house's data; no members.
class CLSImprentas : public vt::automation::Dispatchable<CLSImprentas> {
 public:
  static vt::automation::ClassInfo describe();

  std::string sco_Autoriza, sco_RUC, sds_Nombre, sds_NomPropietario, sds_Direcc, snu_Telefono, snu_Fax;
};

class CLSDctosEmpresas : public vt::automation::Dispatchable<CLSDctosEmpresas> {
 public:
  static vt::automation::ClassInfo describe();

  std::string sco_empresa, sco_Estable, sco_CmpteVta, snu_Serie;
  int32_t lnu_SecuIni = 0, lnu_SecuFin = 0;
  std::string snu_Autoriza;
  Date ffe_Validez;
  std::string sco_Impta, sco_usuario;
  Date ffe_regis;
  std::string sco_modi;
  Date ffe_modi;
  std::string sds_wrkst;

  RecordsetRef DctosEmpresa_Consultar(std::string& sEmpresa, std::string& sEstableci, std::string& sSerie,
                                      std::string& sCmprVnta, std::string& sQuery, std::string& sMsgsError);
  bool DctosEmpresa_Ingresar(std::string& sMsgsError);
  int32_t DctosEmpresa_Actualizar(std::string& sMsgsError);
  int32_t DctosEmpresa_Eliminar(std::string& sEmpresa, std::string& sEstableci, std::string& sNuSerie,
                                std::string& sCmprVnta, std::string& sMsgsError);

 private:
  // "C": the properties into ctx().tpDctosAutorizados (the company in the owner's field); "D": back.
  void pCopiaDatosDctosEmpresa(const std::string& mode);
};

// Catalogue lookups.
class CLSVarios : public vt::automation::Dispatchable<CLSVarios> {
 public:
  static vt::automation::ClassInfo describe();

  bool gfValida_Comprob_x_SecTran_REOC(std::string& sCoComprob, std::string& sCoTransacc,
                                       ConnectionRef& dbConexion);
  bool gfVerificaRegistro_IR(std::string& sCodigoIR, Date& sfecha, ConnectionRef& dbConexion,
                             RecordsetRef& rsregistro);
  bool gfVerificaRegistro(std::string& vCampos, std::string& sNoTabla, std::string& scondicion,
                          ConnectionRef& dbConexion, RecordsetRef& rsregistro);
};

}  // namespace valtrone
