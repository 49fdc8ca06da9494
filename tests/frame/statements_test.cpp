// The thread's connection and the statement routines, on a copy of the fixture database.

#include <gtest/gtest.h>

#include <regex>

#include "frame_test_support.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/conexion.hpp"
#include "library/frame/sentencias.hpp"
#include "platform/database/statement_observer.hpp"
#include "tests/support/files.hpp"

namespace {

using frame_test::LibraryFixture;
using vt::automation::Variant;
using namespace valtrone;

TEST(StatementText, PiecesAreJoinedExactly) {
  struct Case {
    std::string built, expected;
  };
  const Case cases[] = {
      {textoDelete("tbX A", "where A.id=1"), "delete from tbX A where A.id=1"},
      {textoInsert("(a, b)", "tbX", "('1', 2)"), "insert into tbX (a, b) values ('1', 2)"},
      {textoSelect("*", "tbX", ""), "select * from tbX "},
      {textoSelect("a", "tbX", "WHERE b=1"), "select a from tbX WHERE b=1"},
      {textoUpdate("a='1'", "tbX", "where b=2"), "UPDATE tbX SET a='1'  where b=2"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.built, c.expected);
}

TEST(ConnectionText, PerEngine) {
  struct Case {
    const char* engine;
    const char* kind;
    bool opens;
    bool driverText;
    std::string text;
  };
  const Case cases[] = {
      {"ACCESS", "", true, false, "/datos/GLOBAL.MDB"},
      {"sql", "OLEDB", true, true, "Driver={SQL Server};Server=SRV;Uid=sa;Pwd=x;y;Database=GLOBAL.MDB"},
      {"SQL", "ACCESS", true, false,
       "Provider=sqloledb;Data Source=SRV;Initial Catalog=GLOBAL.MDB;User Id=sa;Password=x;y; "},
      {"ORACLE", "OLEDB", true, false, "Driver={SQL Server};Server=SRV;Uid=sa;Pwd=x;y;"},
      {"MYSQL", "", false, false, ""},
      {"", "", false, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.engine);
    vt::ConfiguracionSistema s;
    s.gsMotorBD = c.engine;
    s.gsTipoConexion = c.kind;
    s.gsPathDB = "/datos/";
    s.gsNombreBD = "GLOBAL.MDB";
    s.gsServidorBD = "SRV";
    s.gsUsuarioBD = "sa";
    s.gsClaveBD = "x;y";
    s.gsProveedorBD = "{SQL Server}";
    const ConnectionPlan plan = connectionPlan(s);
    EXPECT_EQ(plan.opens, c.opens);
    EXPECT_EQ(plan.driverText, c.driverText);
    EXPECT_EQ(plan.text, c.text);
  }
}

class Statements : public ::testing::Test, public LibraryFixture {
 protected:
  void SetUp() override {
    gfAbreConexion();
    ASSERT_TRUE(messages.mensajes.empty());
    ctx().gdbConexion->execute("create table tbPrueba (co text primary key, ds text)");
    ctx().gdbConexion->execute("insert into tbPrueba (co, ds) values ('01', 'uno')");
  }
  vt::db::Connection& db() { return *ctx().gdbConexion; }
};

TEST_F(Statements, OpeningFindsTheUpperCasedFileAndEndsEveryFolder) {
  const vt::ConfiguracionSistema& s = ctx().config.sistema;
  EXPECT_EQ(db().state(), vt::db::State::Open);
  EXPECT_EQ(db().commandTimeout(), 30);
  EXPECT_EQ(s.gsPathDB, folder.string() + "/");
  EXPECT_EQ(s.gsPathReportAccess, "/");
}

TEST_F(Statements, ReopeningReleasesTheOldConnectionAndItsTransaction) {
  std::weak_ptr<vt::db::Connection> old = ctx().gdbConexion;
  db().beginTrans();
  db().execute("insert into tbPrueba (co, ds) values ('02', 'dos')");
  gfAbreConexion();
  EXPECT_TRUE(old.expired());
  RecordsetRef rs;
  EXPECT_FALSE(gfCuentaRegistros("*", "tbPrueba", "co = '02'", nullptr, rs));
}

TEST_F(Statements, ClosingKeepsTheObject) {
  gfCierraConexion();
  ASSERT_TRUE(ctx().gdbConexion);
  EXPECT_EQ(db().state(), vt::db::State::Closed);
  gfCierraConexion();  // a closed connection is left alone
}

TEST_F(Statements, CountsOfChanges) {
  int32_t count = -5;
  gsInsertaFila("(co, ds)", "tbPrueba", "('02', 'dos')", count);
  EXPECT_EQ(count, 1);
  gsActualizaRegistro("ds = 'otro'", "tbPrueba", "where co in ('01', '02')", count);
  EXPECT_EQ(count, 2);
  gsEliminaFila("tbPrueba", "where co = '02'", count);
  EXPECT_EQ(count, 1);
}

TEST_F(Statements, FailingDeleteAndUpdateAreSwallowedAndKeepTheCount) {
  int32_t count = 7;
  gsEliminaFila("tbNoExiste", "where 1=1", count);
  EXPECT_EQ(count, 7);
  ctx().ultimoError.clear();
  gsActualizaRegistro("x = 1", "tbNoExiste", "", count);
  EXPECT_EQ(count, 7);
  EXPECT_FALSE(ctx().ultimoError.empty());
}

TEST_F(Statements, FailingInsertRaisesAndLeavesNoTransactionOpen) {
  int32_t count = 3;
  db().beginTrans();
  EXPECT_THROW(gsInsertaFila("(co, ds)", "tbPrueba", "('01', 'repetido')", count), vt::Error);
  EXPECT_EQ(count, 3);
  EXPECT_FALSE(db().inTransaction());
  EXPECT_FALSE(ctx().ultimoError.empty());
}

TEST_F(Statements, FailingSelectHandsBackAClosedRecordset) {
  RecordsetRef rs;
  gsConsultaRegistro("*", "tbNoExiste", "", rs);
  ASSERT_TRUE(rs);
  EXPECT_EQ(rs->state(), vt::db::State::Closed);
  EXPECT_THROW(rs->eof(), vt::Error);
  EXPECT_THROW(gfCuentaRegistros("*", "tbNoExiste", "1=1", nullptr, rs), vt::Error);
}

TEST_F(Statements, CountingRows) {
  RecordsetRef rs;
  EXPECT_TRUE(gfCuentaRegistros("ds", "tbPrueba", "co = '01'", nullptr, rs));
  EXPECT_EQ(rs->field("ds").asText(), "uno");
  EXPECT_FALSE(gfCuentaRegistros("ds", "tbPrueba", "co = '99'", nullptr, rs));
  EXPECT_EQ(rs->state(), vt::db::State::Open);
  EXPECT_TRUE(rs->eof());
}

TEST_F(Statements, ServerTimeKinds) {
  struct Case {
    const char* kind;
    const char* pattern;  // empty: refused
  };
  const Case cases[] = {
      {"f", R"(\d\d/\d\d/\d{4})"},
      {"h", R"(\d\d:\d\d:\d\d)"},
      {"fh", R"(\d\d/\d\d/\d{4} \d\d:\d\d:\d\d)"},
      {"F", ""},
      {"hf", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    int16_t status = 0;
    const std::string text = gfFechaServidor(status, c.kind);
    if (*c.pattern) {
      EXPECT_TRUE(std::regex_match(text, std::regex(c.pattern))) << text;
      EXPECT_EQ(status, 1);
      EXPECT_TRUE(ctx().serverTime.has_value());
    } else {
      EXPECT_EQ(text, "");
      EXPECT_EQ(status, -1);
      EXPECT_FALSE(ctx().serverTime.has_value());
    }
    EXPECT_FALSE(db().inTransaction());
  }
}

TEST_F(Statements, ServerTimeRefreshThatChangesNoRowIsNoTime) {
  db().execute("delete from tbfechasys");
  int16_t status = 5;
  EXPECT_EQ(gfFechaServidor(status, "fh"), "No se pudo actualizar la fecha del sistema...");
  EXPECT_EQ(status, 0);
  EXPECT_FALSE(ctx().serverTime.has_value());
  EXPECT_FALSE(db().inTransaction());
}

TEST_F(Statements, ServerTimeOfAnEngineWithoutQueryRaises) {
  ctx().config.sistema.gsMotorBD = "MYSQL";
  int16_t status = 0;
  EXPECT_THROW(gfFechaServidor(status, "f"), vt::Error);
}

TEST_F(Statements, SelectMemberIgnoresItsConnectionAndInsertMemberUsesIt) {
  vt::testing::copyFixtureDatabase(folder / "otra.mdb");
  auto other = std::make_shared<vt::db::Connection>();
  other->open((folder / "otra.mdb").string());
  other->execute("create table tbPrueba (co text primary key, ds text)");
  other->execute("insert into tbPrueba (co, ds) values ('01', 'de la otra')");

  auto validator = std::make_shared<CLSValidarInformacion>();
  Variant connection = vt::db::asVariant(other);
  Variant rsaux;
  validator->call("lsEjecutaSelect", "ds", "tbPrueba", "where co = '01'", connection, rsaux);
  // The caller's handle comes back as it went in, still usable as its own connection.
  EXPECT_EQ(vt::db::connectionOf(connection), other);
  auto rs = rsaux.toObject();
  ASSERT_TRUE(rs);
  EXPECT_EQ(rs->get("RecordCount").toI4(), 1);
  Variant first(0);
  EXPECT_EQ(rs->call("Fields", first).toObject()->get("Value").toString(), "uno");

  Variant nreg(0);
  validator->call("lsEjecutaInsert", "(co, ds)", "tbPrueba", "('02', 'dos')", connection, nreg);
  EXPECT_EQ(nreg.toI4(), 1);
  vt::db::Recordset inOther;
  inOther.open("select * from tbPrueba where co = '02'", *other);
  EXPECT_EQ(inOther.recordCount(), 1);
  RecordsetRef inOwn;
  EXPECT_FALSE(gfCuentaRegistros("*", "tbPrueba", "co = '02'", nullptr, inOwn));

  Variant repeated(0);
  EXPECT_THROW(
      validator->call("lsEjecutaInsert", "(co, ds)", "tbPrueba", "('02', 'dos')", connection, repeated),
      vt::Error);
}

TEST_F(Statements, MemberTextsReachTheLayerAsBuilt) {
  using vt::db::ObservedKind;
  auto validator = std::make_shared<CLSValidarInformacion>();
  ConnectionRef connection = ctx().gdbConexion;
  vt::db::StatementRecorder recorder;
  Variant rsaux;
  validator->lsEjecutaSelect("ds", "tbPrueba", "where co = '01'", connection, rsaux);
  int32_t nreg = 0;
  validator->lsEjecutaInsert("(co, ds)", "tbPrueba", "('02', 'dos')", connection, nreg);
  validator->lsEjecutaSelect("*", "tbPrueba", "", connection, rsaux);
  const std::vector<vt::db::ObservedText> expected = {
      {ObservedKind::Query, "select ds from tbPrueba where co = '01'", ""},
      {ObservedKind::Execute, "insert into tbPrueba (co, ds) values ('02', 'dos')", ""},
      {ObservedKind::Query, "select * from tbPrueba ", ""},
  };
  EXPECT_EQ(recorder.seen, expected);
  EXPECT_EQ(nreg, 1);
  EXPECT_EQ(rsaux.toObject()->get("RecordCount").toI4(), 2);
}

TEST_F(Statements, SelectMemberFailureGivesAClosedRecordset) {
  auto validator = std::make_shared<CLSValidarInformacion>();
  Variant connection, rsaux;
  validator->call("lsEjecutaSelect", "*", "tbNoExiste", "", connection, rsaux);
  ASSERT_TRUE(rsaux.toObject());
  EXPECT_EQ(rsaux.toObject()->get("State").toI4(), 0);
  EXPECT_THROW(rsaux.toObject()->get("EOF"), vt::Error);
}

class Opening : public ::testing::Test, public LibraryFixture {};

TEST_F(Opening, MissingAccessFileGivesBothMessagesAndAClosedConnection) {
  ctx().config.sistema.gsNombreBD = "NOESTA.MDB";
  gfAbreConexion();
  ASSERT_EQ(messages.mensajes.size(), 2u);
  EXPECT_EQ(messages.mensajes[0].texto,
            "No se ha encontrado base de datos en la ruta: " + folder.string() + "/NOESTA.MDB");
  EXPECT_EQ(messages.mensajes[0].icono, vt::Icono::Critico);
  EXPECT_EQ(messages.mensajes[0].titulo, "");
  EXPECT_EQ(messages.mensajes[1].texto.rfind("Ha ocurrido el error conexion a la Base de Datos", 0), 0u);
  EXPECT_EQ(ctx().gdbConexion->state(), vt::db::State::Closed);
}

TEST_F(Opening, EachEngineHandsItsConnectionTextToTheLayer) {
  using vt::db::ObservedKind;
  vt::ConfiguracionSistema& s = ctx().config.sistema;
  s.gsServidorBD = "SRV";
  s.gsUsuarioBD = "ats";
  s.gsClaveBD = "x";
  s.gsProveedorBD = "{Controlador Ausente}";
  struct Case {
    const char* engine;
    const char* kind;
    std::vector<vt::db::ObservedText> received;
    bool open;
  };
  const std::string file = folder.string() + "/GLOBAL.MDB";
  const Case cases[] = {
      // The file engine gets the configured name and the user; the password never shows.
      {"ACCESS", "ACCESS", {{ObservedKind::Open, file, "ats"}}, true},
      {"sql",
       "OLEDB",
       {{ObservedKind::Open, "Driver={Controlador Ausente};Server=SRV;Uid=ats;Pwd=x;Database=GLOBAL.MDB",
         ""}},
       false},
      {"SQL",
       "ACCESS",
       {{ObservedKind::Open,
         "Provider=sqloledb;Data Source=SRV;Initial Catalog=GLOBAL.MDB;User Id=ats;Password=x; ", ""}},
       false},
      {"ORACLE",
       "OLEDB",
       {{ObservedKind::Open, "Driver={Controlador Ausente};Server=SRV;Uid=ats;Pwd=x;", ""}},
       false},
      {"MYSQL", "OLEDB", {}, false},
      {"", "", {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.engine);
    s.gsMotorBD = c.engine;
    s.gsTipoConexion = c.kind;
    vt::db::StatementRecorder recorder;
    gfAbreConexion();
    EXPECT_EQ(recorder.seen, c.received);
    EXPECT_EQ(ctx().gdbConexion->state() == vt::db::State::Open, c.open);
  }
}

TEST_F(Opening, UnknownEngineOpensNothingButSetsTheTimeout) {
  ctx().config.sistema.gsMotorBD = "MYSQL";
  ctx().config.sistema.giTimeoutBD = 77;
  gfAbreConexion();
  EXPECT_TRUE(messages.mensajes.empty());
  EXPECT_EQ(ctx().gdbConexion->state(), vt::db::State::Closed);
  EXPECT_EQ(ctx().gdbConexion->commandTimeout(), 77);
}

TEST_F(Opening, ServerDriverTextGoesThroughTheDriverWithItsSettings) {
  vt::ConfiguracionSistema& s = ctx().config.sistema;
  s.gsMotorBD = "SQL";
  s.gsTipoConexion = "OLEDB";
  s.gsProveedorBD = "SQLite3";
  s.gsNombreBD = (folder / "global.mdb").string();
  gfAbreConexion();
  EXPECT_TRUE(messages.mensajes.empty()) << messages.mensajes.at(0).texto;
  EXPECT_EQ(ctx().gdbConexion->state(), vt::db::State::Open);
  EXPECT_EQ(ctx().gdbConexion->cursorLocation(), 3);
  EXPECT_EQ(ctx().gdbConexion->connectionTimeout(), 60);
}

TEST_F(Opening, StatementsBeforeAnyOpen) {
  ctx().gdbConexion.reset();
  int32_t count = 4;
  gsEliminaFila("tbPrueba", "", count);
  EXPECT_EQ(count, 4);
  EXPECT_THROW(gsInsertaFila("(a)", "tbPrueba", "(1)", count), vt::Error);
  EXPECT_THROW(gfCierraConexion(), vt::Error);
}

}  // namespace
