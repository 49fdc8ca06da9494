// The statement routines running on the file engine, and their messages.

#include <gtest/gtest.h>

#include "platform/database/statement_observer.hpp"
#include "platform/errors/err_object.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/sentencias.hpp"
#include "tests/support/shell_fixture.hpp"

namespace ambrix {
namespace {

class Statements : public testing::ShellTest {
 protected:
  void SetUp() override {
    connectToCopy();
    for (const char* mes : {"04", "05", "05"}) {
      long filas = 0;
      gsInsertaRegistro(
          "(co_empresa, co_mes, co_anio, co_comprob, nu_serie, nu_secu_ini, nu_secu_fin, nu_autoriza)",
          "tbAT_CmptsAnu",
          std::string("('1792045185001', '") + mes + "', '2013', '01', '001001', '1', '2', '1234567890')",
          filas);
      ASSERT_EQ(filas, 1) << vt::Err().Description;
    }
  }

  long count(const std::string& condicion) {
    vt::db::Recordset rs;
    gsAbreConsulta("count(*) as n", "tbAT_CmptsAnu", condicion, rs);
    return static_cast<long>(rs.field("n").asInteger());
  }
};

TEST_F(Statements, DeleteWithAliasRunsOnTheFileEngine) {
  long filas = -1;
  EXPECT_TRUE(gsEliminaRegistros("tbAT_CmptsAnu A", "where A.co_mes = '05' and A.co_anio = '2013'", filas));
  EXPECT_EQ(filas, 2);
  EXPECT_EQ(count(""), 1);
  gsEliminaRegistros("tbAT_CmptsAnu ", "where co_mes = '04'", filas);
  EXPECT_EQ(filas, 1);
  EXPECT_TRUE(boxes_.mensajes.empty()) << lastMessage();
}

TEST_F(Statements, TextsReachTheLayerAsBuilt) {
  using vt::db::ObservedKind;
  vt::db::StatementRecorder recorder;
  long borradas = -1;
  gsEliminaRegistros("tbAT_CmptsAnu A", "where A.co_mes = '05' and A.co_anio = '2013'", borradas);
  long insertadas = -1;
  gsInsertaRegistro("(co_empresa, co_mes, co_anio)", "tbAT_CmptsAnu", "('0992314702001', '06', '2013')",
                    insertadas);
  vt::db::Recordset rs;
  gsAbreConsulta("co_empresa, co_mes", "tbAT_CmptsAnu", "", rs);
  const std::vector<vt::db::ObservedText> esperado = {
      {ObservedKind::Execute, "delete from tbAT_CmptsAnu AS A where A.co_mes = '05' and A.co_anio = '2013'",
       ""},
      {ObservedKind::Execute,
       "insert into tbAT_CmptsAnu (co_empresa, co_mes, co_anio) values ('0992314702001', '06', '2013')", ""},
      {ObservedKind::Query, "SELECT co_empresa, co_mes FROM tbAT_CmptsAnu ", ""},
  };
  EXPECT_EQ(recorder.seen, esperado);
  EXPECT_EQ(borradas, 2);
  EXPECT_EQ(insertadas, 1);
  EXPECT_EQ(rs.recordCount(), 2);
  EXPECT_TRUE(boxes_.mensajes.empty()) << lastMessage();
}

TEST_F(Statements, DeleteUnderAnEngineThatOpensNothingShowsTheError) {
  ctx_.sistema.gsMotorBD = "MYSQL";
  long filas = 7;
  EXPECT_FALSE(gsEliminaRegistros("tbAT_CmptsAnu A", "where A.co_mes = '05'", filas));
  EXPECT_EQ(filas, 7);
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_TRUE(lastMessage().starts_with("Ha ocurrido el error al ejecutar DELETE")) << lastMessage();
  EXPECT_EQ(boxes_.mensajes.back().icono, vt::Icono::Critico);
  EXPECT_EQ(boxes_.mensajes.back().titulo, "Tolvex");
  EXPECT_EQ(count(""), 3);
}

TEST_F(Statements, DeleteOnAClosedConnectionShowsNumberAndDescription) {
  gConexion->close();
  long filas = 7;
  EXPECT_FALSE(gsEliminaRegistros("tbAT_CmptsAnu A", "", filas));
  EXPECT_EQ(filas, 7);
  EXPECT_EQ(
      lastMessage(),
      "Ha ocurrido el error al ejecutar DELETE3704 No se permite la operación si el objeto está cerrado.");
}

TEST_F(Statements, FailedInsertIsSilentAndLeavesTheErrorForTheLog) {
  long filas = 0;
  gsInsertaRegistro("(co_empresa, no_such_column)", "tbAT_CmptsAnu", "('1', '2')", filas);
  EXPECT_EQ(filas, 0);
  EXPECT_TRUE(boxes_.mensajes.empty());
  EXPECT_NE(vt::Err().Number, 0);
  EXPECT_NE(vt::Err().Description.find("no_such_column"), std::string::npos) << vt::Err().Description;

  gsInsertaRegistro("(co_empresa, co_mes, co_anio)", "tbAT_CmptsAnu", "('1', '06', '2013')", filas);
  EXPECT_EQ(filas, 1);
  EXPECT_EQ(vt::Err().Number, 0);
}

TEST_F(Statements, FailedSelectShowsTheErrorAndLeavesAClosedRecordset) {
  vt::db::Recordset rs;
  gsAbreConsulta("*", "tbNoExiste", "", rs);
  EXPECT_EQ(rs.state(), vt::db::State::Closed);
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_TRUE(lastMessage().starts_with("Ha ocurrido el error al Ejecutar SELECT ")) << lastMessage();
  EXPECT_NE(lastMessage().find("tbNoExiste"), std::string::npos) << lastMessage();
  EXPECT_EQ(vt::Err().Number, 0);
}

TEST_F(Statements, EmptyNamesShowTheirMessageAndRunNothing) {
  struct Case {
    const char* campos;
    const char* tabla;
    const char* mensaje;
  };
  const Case casos[] = {
      {"", "", "Nombre de campos se encuentran vacios"},
      {"", "tbAT_CmptsAnu", "Nombre de campos se encuentran vacios"},
      {"*", "", "Nombre de tablas se encuentran vacios"},
  };
  for (const auto& c : casos) {
    boxes_.mensajes.clear();
    long filas = 9;
    gsInsertaRegistro(c.campos, c.tabla, "('1')", filas);
    EXPECT_EQ(filas, 9);
    ASSERT_EQ(boxes_.mensajes.size(), 1u);
    EXPECT_EQ(boxes_.mensajes[0].texto, c.mensaje);
    EXPECT_EQ(boxes_.mensajes[0].icono, vt::Icono::Informacion);

    boxes_.mensajes.clear();
    vt::db::Recordset rs;
    rs.open("SELECT 1 AS uno", gConexion);
    gsAbreConsulta(c.campos, c.tabla, "", rs);
    EXPECT_EQ(rs.state(), vt::db::State::Open) << "left untouched";
    ASSERT_EQ(boxes_.mensajes.size(), 1u);
    EXPECT_EQ(boxes_.mensajes[0].texto, c.mensaje);
  }
  boxes_.mensajes.clear();
  long filas = 9;
  EXPECT_FALSE(gsEliminaRegistros("", "where 1=1", filas));
  EXPECT_EQ(filas, 9);
  EXPECT_EQ(lastMessage(), "Nombre de tablas se encuentran vacios");
  EXPECT_EQ(count(""), 3);
}

}  // namespace
}  // namespace ambrix
