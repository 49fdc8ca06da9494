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

}  // namespace
