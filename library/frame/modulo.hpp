#pragma once
// The module records the master-data classes copy their properties into before a record check.
// One of each per thread (they live in the thread's context).

#include <cstdint>
#include <string>

#include "platform/automation/date.hpp"

namespace valtrone {

// An authorised document range; the owner is the supplier's or the company's RUC.
struct TpDctosAutorizados {
  std::string sco_provee;
  std::string sco_Estable;
  std::string sco_CmpteVta;
  std::string snu_Serie;
  int32_t lnu_SecuIni = 0;
  int32_t lnu_SecuFin = 0;
  std::string snu_Autoriza;
  vt::automation::Date ffe_Validez;
  std::string sco_Impta;
  std::string sco_usuario;
  vt::automation::Date ffe_regis;
  std::string sco_modi;
  vt::automation::Date ffe_modi;
  std::string sds_wrkst;
};

// A supplier establishment.
struct TpEstablecimiento {
  std::string sco_provee;
  std::string sco_Estable;
  std::string sds_Estable;
  std::string sco_pais;
  std::string sco_Provin;
  std::string sco_ciudad;
  std::string sds_Direcc;
  std::string snu_telefono1;
  std::string snu_telefono2;
  std::string snu_Fax;
  std::string sst_estable;
  std::string sco_usuario;
  vt::automation::Date ffe_regis;
  std::string sco_modi;
  vt::automation::Date ffe_modi;
  std::string sds_wrkst;
};

}  // namespace valtrone
