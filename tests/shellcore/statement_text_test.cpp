// Exact statement and connection texts per engine, blanks included.

#include <gtest/gtest.h>

#include "shell/core/conexion.hpp"
#include "shell/core/sentencias.hpp"
#include "tests/support/shell_fixture.hpp"

namespace ambrix {
namespace {

using vt::db::Engine;

struct DeleteCase {
  Engine motor;
  std::string tabla;
  std::string condicion;
  std::string esperado;
};

TEST(StatementText, DeletePerEngine) {
  const std::string cond = "where A.co_empresa = '1792045185001' ";
  const DeleteCase casos[] = {
      {Engine::Access, "tbAT_Exporta A", cond, "delete from tbAT_Exporta AS A " + cond},
      {Engine::Access, "tbAT_CmptsAnu ", "where co_mes = '05'",
       "delete from tbAT_CmptsAnu  where co_mes = '05'"},
      {Engine::Access, "tbAT_CmptsAnu", "", "delete from tbAT_CmptsAnu "},
      {Engine::Sql, "tbAT_Exporta A", cond, "delete A from tbAT_Exporta A " + cond},
      {Engine::Sql, "tbAT_CmptsAnu", "where co_mes = '05'", "delete  from tbAT_CmptsAnu where co_mes = '05'"},
      {Engine::Sql, "tbAT_CmptsAnu ", "where co_mes = '05'",
       "delete  from tbAT_CmptsAnu  where co_mes = '05'"},
      {Engine::Oracle, "tbAT_Exporta A", cond, "DELETE FROM tbAT_Exporta A " + cond},
      {Engine::MySql, "tbAT_Exporta A", cond, ""},
      {Engine::Other, "tbAT_Exporta A", cond, ""},
  };
  for (const auto& c : casos)
    EXPECT_EQ(deleteText(c.motor, c.tabla, c.condicion), c.esperado)
        << c.tabla << " / " << static_cast<int>(c.motor);
}

TEST(StatementText, InsertAndSelectAreTheSameForEveryEngine) {
  EXPECT_EQ(insertText("(co_empresa, po_iva)", "tbParaSistema", "('1792045185001', 12)"),
            "insert into tbParaSistema (co_empresa, po_iva) values ('1792045185001', 12)");
  EXPECT_EQ(selectText("*", "tbEmpresas", "Where st_regis = 'A' Order By ds_nombre "),
            "SELECT * FROM tbEmpresas Where st_regis = 'A' Order By ds_nombre ");
  EXPECT_EQ(selectText("*", "tbEmpresas", ""), "SELECT * FROM tbEmpresas ");
}

TEST(StatementText, ConnectionPerEngine) {
  vt::ConfiguracionSistema cfg;
  cfg.gsPathDB = "/datos/";
  cfg.gsNombreBD = "GLOBAL.MDB";
  cfg.gsServidorBD = "SRV01";
  cfg.gsUsuarioBD = "ats";
  cfg.gsClaveBD = "clave";
  cfg.gsProveedorBD = "{ODBC Driver 18 for SQL Server}";
  struct Case {
    std::string motor;
    std::string tipo;
    std::string esperado;
  };
  const Case casos[] = {
      {"ACCESS", "ACCESS", "/datos/GLOBAL.MDB"},
      {"access", "ACCESS", "/datos/GLOBAL.MDB"},
      {"SQL", "OLEDB",
       "Driver={ODBC Driver 18 for SQL Server};Server=SRV01;Uid=ats;Pwd=clave;Database=GLOBAL.MDB"},
      {"SQL", "ACCESS",
       "Provider=sqloledb;Data Source=SRV01;Initial Catalog=GLOBAL.MDB;User Id=ats;Password=clave; "},
      {"ORACLE", "ACCESS", "Driver={Microsoft ODBC for Oracle};Server=SRV01;Uid=ats;Pwd=clave;"},
      {"MYSQL", "OLEDB", ""},
  };
  for (const auto& c : casos) {
    cfg.gsMotorBD = c.motor;
    cfg.gsTipoConexion = c.tipo;
    EXPECT_EQ(connectionText(cfg), c.esperado) << c.motor << " " << c.tipo;
  }
}

}  // namespace
}  // namespace ambrix
