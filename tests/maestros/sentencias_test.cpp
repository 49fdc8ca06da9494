// The statement texts of the master-data members for the three engines, checked as texts: no
// server engine is at hand, and these are the texts such a server would receive.

#include <gtest/gtest.h>

#include "library/frame/sentencias_maestras.hpp"

namespace {

using namespace valtrone;
using vt::db::Engine;

const vt::conv::DateTime kHora{{2013, 5, 15}, 14, 11, 12};

struct Case {
  const char* what;
  std::string built, expected;
};

template <std::size_t N>
void check(const Case (&cases)[N]) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.built, c.expected);
  }
}

const std::string kSupplierColumns =
    " co_empresa, co_provee, ds_nombre, co_id, ds_direccion, nu_calle, co_pais, co_provincia, co_ciudad, "
    "nu_telefono, nu_telefono2, nu_fax,  co_tiporuc, co_tipoloca, st_contr_es, co_exceniva, nu_ult_serie, "
    "nu_ult_secuen, fe_ult_emis, fe_ult_conta,  co_IRcodigo, co_sus_trib, co_ret_bienes, co_ret_servi, "
    "ds_compras, ds_ventas, co_cuntacont,  no_comercial, no_adminis, ds_website, ds_email, ds_observa, "
    "st_regis, "
    "ds_campo2,  co_usua, fe_regis, co_modi, fe_modi, ds_wrkst )";
const std::string kEstablishmentColumns =
    " co_provee , co_estable, ds_nombre, co_pais, co_provincia, co_ciudad, ds_direccion,  nu_telefono1, "
    "nu_telefono2, nu_fax, st_estable,  co_usua, fe_regis, co_modi, fe_modi, ds_wrkst) ";

TEST(MasterStatements, Suppliers) {
  CLSProveedores p;
  p.sco_empresa = " 1792045185001";
  p.sco_RUC = " 1710034065001 ";
  p.sds_Nombre = "O'Brien";
  p.sco_ID = " r";
  p.sds_Direcc = " ";
  p.sTipoPersona = "N";
  p.sTipoLocali = "L";
  p.snu_Telefono = "0987654321";
  p.snu_telefono2 = "2";
  p.sco_usuario = "ana ";
  p.sco_modi = "luis";
  p.sds_wrkst = "PC1";
  const auto values = [](const std::string& head, const std::string& date, const std::string& stamp) {
    return "(" + head + "'1792045185001', '1710034065001', 'O''BRIEN', 'R', ' ', '0', '01', '09', '001', " +
           "'0987654321', '2', '', 'N', 'L', 1, 0, '0', 0, " + date + ", " + date + ", " +
           "'0', '00', 0, 0, '. ', '.', '0', '.', '.', '.', '.', '.', 'A', '.', 'ana', " + stamp +
           ", 'ana', " + stamp + ", 'PC1' )";
  };
  const auto branch = [](const std::string& head, const std::string& stamp) {
    return "(" + head +
           "'1710034065001', '001', 'O''BRIEN', '01', '09', '001', '', '0987654321', '2', '', 'A', " +
           "'ana', " + stamp + ", 'ana', " + stamp + ", 'PC1' ) ";
  };
  const auto assignments = [](const std::string& stamp) {
    return "ds_nombre = 'O''BRIEN' , co_tiporuc = 'N' , co_id = ' R' , co_tipoloca = 'L' , "
           "nu_telefono = '0987654321' , nu_telefono2 = '000000002' , st_contr_es = '0' , co_modi = 'luis' , "
           "fe_modi = " +
           stamp + " , ds_wrkst = 'PC1' ";
  };
  const std::string oracleStamp = "to_date('15/05/2013 14:11:12','DD/MM/YYYY HH24:MI:SS')";
  const Case cases[] = {
      {"file engine: supplier",
       insercionProveedor(Engine::Access, p, kHora, true).campos +
           insercionProveedor(Engine::Access, p, kHora, true).valores,
       "(" + kSupplierColumns + values("", "'2000-01-01'", "'2013-05-15 14:11:12'")},
      {"SQL Server: supplier",
       insercionProveedor(Engine::Sql, p, kHora, true).campos +
           insercionProveedor(Engine::Sql, p, kHora, true).valores,
       "(" + kSupplierColumns + values("", "'20000101'", "'20130515 14:11:12'")},
      {"Oracle: supplier, its sequence and to_date",
       insercionProveedor(Engine::Oracle, p, kHora, true).campos +
           insercionProveedor(Engine::Oracle, p, kHora, true).valores,
       "(id_reg, " + kSupplierColumns +
           values("TBAT_PROVEEDOR_ID_REG_SEC.Nextval, ", "to_date('01/01/2000','DD/MM/YYYY')", oracleStamp)},
      {"file engine: main establishment",
       insercionMatriz(Engine::Access, p, kHora).campos + insercionMatriz(Engine::Access, p, kHora).valores,
       "( " + kEstablishmentColumns + branch("", "'2013-05-15 14:11:12'")},
      {"SQL Server: main establishment",
       insercionMatriz(Engine::Sql, p, kHora).campos + insercionMatriz(Engine::Sql, p, kHora).valores,
       "( " + kEstablishmentColumns + branch("", "'20130515 14:11:12'")},
      {"Oracle: main establishment",
       insercionMatriz(Engine::Oracle, p, kHora).campos + insercionMatriz(Engine::Oracle, p, kHora).valores,
       "( id_reg, " + kEstablishmentColumns +
           branch("tbProveeEstablecmts_ID_REG_SEC.Nextval, ", oracleStamp)},
      {"file engine: update", asignacionesProveedor(Engine::Access, p, kHora, false),
       assignments("'2013-05-15 14:11:12'")},
      {"SQL Server: update", asignacionesProveedor(Engine::Sql, p, kHora, false),
       assignments("'20130515 14:11:12'")},
      {"Oracle: update", asignacionesProveedor(Engine::Oracle, p, kHora, false), assignments(oracleStamp)},
  };
  check(cases);
}

// No date literal is written for an engine other than the three.
TEST(MasterStatements, AnotherEngineHasNoEmptyDates) {
  CLSProveedores p;
  p.bStContrEspe = "0";
  const std::string values = insercionProveedor(Engine::MySql, p, kHora, false).valores;
  EXPECT_NE(values.find("0, '0', 0, '0', '00', 0, 0, "), std::string::npos) << values;
}

TEST(MasterStatements, Establishments) {
  TpEstablecimiento r;
  r.sco_provee = "1710034065001";
  r.sco_Estable = "2";
  r.sds_Estable = " Sur ";
  r.sco_pais = "1";
  r.sco_Provin = "09";
  r.sco_ciudad = "1";
  r.sds_Direcc = "Av. O'Higgins";
  r.snu_telefono1 = "0987654321 ";
  r.sst_estable = " c";
  r.sco_usuario = "ana";
  const auto values = [](const std::string& head, const std::string& stamp) {
    return "(" + head +
           "'1710034065001', '002', 'Sur', '01', '09', '001', 'Av. O''Higgins', '0987654321', '', '', " +
           "'C', 'ana', " + stamp + ", 'ana', " + stamp + ", 'CAJA' ) ";
  };
  const auto insert = [&r](Engine e) {
    const Insercion s = insercionEstablecimiento(e, r, "CAJA", kHora);
    return s.campos + s.valores;
  };
  const Case cases[] = {
      {"file engine", insert(Engine::Access),
       "( " + kEstablishmentColumns + values("", "'2013-05-15 14:11:12'")},
      {"SQL Server", insert(Engine::Sql), "( " + kEstablishmentColumns + values("", "'20130515 14:11:12'")},
      {"Oracle", insert(Engine::Oracle),
       "( id_reg, " + kEstablishmentColumns +
           values("tbProveeEstablecmts_ID_REG_SEC.Nextval, ",
                  "to_date('15/05/2013 14:11:12','DD/MM/YYYY HH24:MI:SS')")},
      {"key condition", condicionEstablecimiento("17100'34065001", "1"),
       "where co_provee  = '17100''34065001' and co_estable = '001' "},
      {"key condition without an establishment", condicionEstablecimiento("123", " "),
       "where co_provee  = '0000000000123' "},
  };
  check(cases);
}

// Registration and update write the same columns differently, and both forms are kept: the
// authorisation padded to ten digits / as it stands, the printer's padded to four / its numeric
// value, the validity as a date and time (supplier) or a date (company) / its date part.
TEST(MasterStatements, DocumentRanges) {
  TpDctosAutorizados r;
  r.sco_provee = "1710034065001";
  r.sco_Estable = "1";
  r.sco_CmpteVta = "1";
  r.snu_Serie = "1001";
  r.lnu_SecuIni = 1;
  r.lnu_SecuFin = 500;
  r.snu_Autoriza = "0123";
  r.ffe_Validez = Date::fromDate({2014, 12, 31});
  r.sco_Impta = "012";
  r.sco_usuario = " ana";
  r.sco_modi = "lu'is";
  const vt::conv::DateTime modified{{2013, 6, 1}, 8, 0, 0};
  const auto supplier = [&r](Engine e) {
    const Insercion s = insercionRangoProveedor(e, r, "PC1", kHora);
    return s.campos + s.valores;
  };
  const auto company = [&r, &modified](Engine e) {
    const Insercion s = insercionRangoEmpresa(e, r, "EST", kHora, modified);
    return s.campos + s.valores;
  };
  const std::string supplierColumns =
      "co_provee , co_estable, co_cmpt_vta, nu_serie, nu_sec_ini, nu_sec_fin, nu_autoriza, fe_validez, "
      "co_impta, "
      "co_usua, fe_regis, co_modi, fe_modi, ds_wrkst) ";
  const std::string companyColumns =
      "co_empresa, co_estable, co_cmpt_vta, nu_serie, nu_sec_ini, nu_sec_fin, nu_autoriza, fe_validez, "
      "co_impta,  "
      "co_usua, fe_regis, co_modi, fe_modi, ds_wrkst) ";
  const std::string key = "'1710034065001', '001', '01', '001001', 1, 500, '0000000123', ";
  const auto assignments = [](const std::string& validity, const std::string& stamp) {
    return "nu_sec_ini = 1, nu_sec_fin = 500, nu_autoriza = '0123', " + validity + "co_impta = '12', " +
           "co_modi = 'lu''is', fe_modi = " + stamp + ", ds_wrkst = 'PC1' ";
  };
  const std::string oracleStamp = "to_date('15/05/2013 14:11:12','DD/MM/YYYY HH24:MI:SS')";
  const Case cases[] = {
      {"file engine: supplier's range", supplier(Engine::Access),
       "( " + supplierColumns + "(" + key +
           "'2014-12-31 00:00:00', '0012', 'ana', '2013-05-15 14:11:12', 'ana', '2013-05-15 14:11:12', 'PC1' "
           ") "},
      {"SQL Server: supplier's range", supplier(Engine::Sql),
       "( " + supplierColumns + "(" + key +
           "'20141231 00:00:00', '0012', 'ana', '20130515 14:11:12', 'ana', '20130515 14:11:12', 'PC1' ) "},
      {"Oracle: supplier's range", supplier(Engine::Oracle),
       "( id_reg, " + supplierColumns + "(tbProvCmprAutoriza_ID_REG_SEC.Nextval, " + key +
           "to_date('31/12/2014 00:00:00','DD/MM/YYYY HH24:MI:SS'), '0012', 'ana', " + oracleStamp +
           ", 'ana', " + oracleStamp + ", 'PC1' ) "},
      {"file engine: company's range", company(Engine::Access),
       "( " + companyColumns + "(" + key +
           "'2014-12-31', '0012', 'ana', '2013-05-15 14:11:12', 'lu''is', '2013-06-01 08:00:00', 'EST' ) "},
      {"SQL Server: company's range", company(Engine::Sql),
       "( " + companyColumns + "(" + key +
           "'20141231', '0012', 'ana', '20130515 14:11:12', 'lu''is', '20130601 08:00:00', 'EST' ) "},
      {"Oracle: company's range", company(Engine::Oracle),
       "( id_reg, " + companyColumns + "(tbEmprCmprAutoriza_ID_REG_SEC.Nextval, " + key +
           "to_date('31/12/2014','DD/MM/YYYY'), '0012', 'ana', " + oracleStamp + ", 'lu''is', " +
           "to_date('01/06/2013 08:00:00','DD/MM/YYYY HH24:MI:SS'), 'EST' ) "},
      {"file engine: update", asignacionesRango(Engine::Access, r, "PC1", kHora),
       assignments("fe_validez = '2014-12-31', ", "'2013-05-15 14:11:12'")},
      {"SQL Server: update", asignacionesRango(Engine::Sql, r, "PC1", kHora),
       assignments("fe_validez = '20141231', ", "'20130515 14:11:12'")},
      {"Oracle: update", asignacionesRango(Engine::Oracle, r, "PC1", kHora),
       assignments("fe_validez = to_date('31/12/2014','DD/MM/YYYY'), ", oracleStamp)},
      {"another engine: update without the validity", asignacionesRango(Engine::MySql, r, "PC1", kHora),
       assignments("", "'2013-05-15 14:11:12'")},
      {"duplicate key", condicionClaveRango("co_provee", r),
       "where co_provee  = '1710034065001' and co_estable = '001' and co_cmpt_vta = '01' and nu_serie = "
       "'001001' "},
      {"update key: no establishment", condicionActualizaRango("co_empresa", r),
       "where co_empresa  = '1710034065001' and co_cmpt_vta = '01' and nu_serie = '001001' "},
      {"query: a zero establishment left out",
       condicionConsultaRango("co_provee", "123", "0", "1001", "1", "x = 1"),
       "where co_provee  = '0000000000123' and nu_serie = '001001'  and co_cmpt_vta = '01'  and x = 1"},
      {"delete: every part", condicionEliminaRango("co_empresa", "123", "1", "1", "1001"),
       "where co_empresa  = '0000000000123' and co_estable = '001' and co_cmpt_vta = '01' and nu_serie = "
       "'001001' "},
      {"delete: blank parts left out", condicionEliminaRango("co_provee", "123", " ", "", ""),
       "where co_provee  = '0000000000123' "},
      {"authorised voucher types", condicionAutorizaDctos("123", "1", "1"),
       "where co_provee  = '0000000000123' and co_estable = '001' and co_cmpt_vta = '01' "},
  };
  check(cases);
}

}  // namespace
