// The store of the cancelled-documents sheet on the file engine: the statements it writes, the
// rows it leaves, the rows the database refuses, the limit of refused rows, and every way it ends
// without touching the period.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "import/importa_anulados.hpp"
#include "import/rutinas_hoja.hpp"
#include "platform/database/statement_observer.hpp"
#include "shell/core/conexion.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/sentencias.hpp"
#include "tests/import/almacen_fixture.hpp"

namespace ambrix {
namespace {

using Fila = std::vector<std::string>;

constexpr const char* kRuc = "1792045185001";
constexpr const char* kCampos =
    "( co_empresa, co_mes, co_anio, co_comprob, nu_serie,   nu_secu_ini, nu_secu_fin, nu_autoriza, fe_anula, "
    " "
    "st_regis, ds_campo1, ds_campo2,  co_usua, fe_regis, co_modi, fe_modi, ds_wrkst ) ";
constexpr const char* kVolcado =
    "select co_empresa, co_mes, co_anio, co_comprob, nu_serie, nu_secu_ini, nu_secu_fin, nu_autoriza, "
    "fe_anula, "
    "st_regis, ds_campo1 from tbAT_CmptsAnu order by co_empresa, co_anio, co_mes, nu_secu_ini";

// A row as the validator leaves it.
Fila fila(const std::string& mes, const std::string& ini, const std::string& fin = "0000150",
          const std::string& autoriza = "1112223334", const std::string& fecha = "31/05/2013") {
  return {kRuc, mes, "2013", "01", "001002", ini, fin, autoriza, fecha, ""};
}

class AlmacenAnulados : public testing::AlmacenTest {
 protected:
  void SetUp() override {
    AlmacenTest::SetUp();
    periodoAnterior("tbAT_CmptsAnu", "nu_secu_ini");
  }

  std::string almacena(const std::vector<Fila>& filas, std::string mes = "5") {
    gaInfoAnulados = hoja(filas);
    std::int16_t ti = 2;
    std::string empresa = kRuc, anio = "2013", separador = ";";
    long bandera = 1;
    std::int16_t cabecera = 1;
    return gfImportaAnulados(frm_, ti, empresa, mes, anio, bandera, separador, cabecera, frm_.barra);
  }

  // The rows stored before, as the dump lists them.
  static constexpr const char* kAntes =
      "0992314702001|05|2013|||3|||||\n"
      "1792045185001|05|2012|||4|||||\n"
      "1792045185001|04|2013|||2|||||\n"
      "1792045185001|05|2013|||1|||||\n";

  void refuse(const std::string& cuando) { AlmacenTest::refuse("tbAT_CmptsAnu", cuando); }
};

TEST_F(AlmacenAnulados, WritesTheDeleteAndTheInsertsAsTheFileEngineTakesThem) {
  vt::db::StatementRecorder recorder;
  EXPECT_EQ(almacena({fila("05", "0000101")}), "OK");
  std::vector<std::string> textos;
  for (const std::string& t : recorder.texts(vt::db::ObservedKind::Execute))
    if (t.starts_with("delete") || t.starts_with("insert")) textos.push_back(t);
  const std::vector<std::string> esperado = {
      "delete from tbAT_CmptsAnu  where co_empresa = '1792045185001' and co_mes = '05' and  co_anio = "
      "'2013' ",
      std::string("insert into tbAT_CmptsAnu ") + kCampos +
          " values ('1792045185001', '05', '2013', '01', '001002', '000000101', '000000150', '1112223334', "
          "'2013-05-31', 'A', ' ', ' ', 'ana', '2013-05-31 10:15:00', 'ana', '2013-05-31 10:15:00', 'PC01' )",
  };
  EXPECT_EQ(textos, esperado);
}

TEST(AnuladosTexts, EachEngineGetsItsKeyAndItsDateLiterals) {
  struct Case {
    vt::db::Engine motor;
    const char* borrar;
    const char* campos;
    const char* valores;
  };
  const std::string comunes = "'1792045185001', '05', '2013', '01', '001002', '000000123', '000004567', ";
  const Case casos[] = {
      {vt::db::Engine::Sql,
       "delete  from tbAT_CmptsAnu  where co_empresa = '1792045185001' and co_mes = '05' and  co_anio = "
       "'2013' ",
       "( co_empresa,",
       "('20130531', 'A', ' ', ' ', 'ana', '20130531 10:15:00', 'ana', '20130531 10:15:00', 'PC01' )"},
      {vt::db::Engine::Oracle,
       "DELETE FROM tbAT_CmptsAnu  where co_empresa = '1792045185001' and co_mes = '05' and  co_anio = "
       "'2013' ",
       "(id_reg,  co_empresa,",
       "(to_date('31/05/2013','DD/MM/YYYY'), 'A', ' ', ' ', 'ana', "
       "to_date('31/05/2013 10:15:00','DD/MM/YYYY HH24:MI:SS'), 'ana', "
       "to_date('31/05/2013 10:15:00','DD/MM/YYYY HH24:MI:SS'), 'PC01' )"},
  };
  for (const Case& c : casos) {
    ContextoAlmacen ctx{c.motor, {{2013, 5, 31}, 10, 15, 0}, "ana", "PC01", "dd/MM/yyyy"};
    const InfoFile h = testing::AlmacenTest::hoja({fila("05", "123", "4567", "1112223334")});
    const ListaInsercion l = filaAnulado(ctx, *h, 1);
    EXPECT_EQ(deleteText(c.motor, "tbAT_CmptsAnu ", condicionPeriodo(kRuc, "5", "2013", false)), c.borrar);
    EXPECT_TRUE(l.campos().starts_with(c.campos)) << l.campos();
    const std::string clave = c.motor == vt::db::Engine::Oracle ? "TBAT_CMPTSANU_ID_REG_SEC.Nextval, " : "";
    // The date value replaces the leading "(" of the expected tail.
    EXPECT_EQ(l.valores(), "(" + clave + comunes + "'1112223334', " + std::string(c.valores).substr(1));
  }
}

TEST_F(AlmacenAnulados, ReplacesOnlyTheCompanysMonth) {
  EXPECT_EQ(almacena({fila("05", "0000101"), fila("05", "123", "4567", "1112223334", "20/05/2013")}), "OK");
  EXPECT_EQ(filas(kVolcado),
            "0992314702001|05|2013|||3|||||\n"
            "1792045185001|05|2012|||4|||||\n"
            "1792045185001|04|2013|||2|||||\n"
            "1792045185001|05|2013|01|001002|000000101|000000150|1112223334|2013-05-31|A| \n"
            "1792045185001|05|2013|01|001002|000000123|000004567|1112223334|2013-05-20|A| \n");
  EXPECT_EQ(log(), "");
  const std::vector<std::string> estados = {"STATUS ANULADOS: Reemplazando informacion anterior...",
                                            "STATUS ANULADOS: Almacenando registros...",
                                            "STATUS ANULADOS: Proceso de almacenamiento terminado..."};
  EXPECT_EQ(frm_.eventos, estados);
  EXPECT_EQ(frm_.barra.value, frm_.barra.max);
  EXPECT_FALSE(gConexion->inTransaction());
}

TEST_F(AlmacenAnulados, AnAnnualRunReplacesEveryMonthOfTheYearAndRowsKeepTheirMonth) {
  EXPECT_EQ(almacena({fila("02", "0000007", "0000009", "1112223334", "10/02/2013")}, "99"), "OK");
  EXPECT_EQ(filas(kVolcado),
            "0992314702001|05|2013|||3|||||\n"
            "1792045185001|05|2012|||4|||||\n"
            "1792045185001|02|2013|01|001002|000000007|000000009|1112223334|2013-02-10|A| \n");
}

TEST_F(AlmacenAnulados, AnEmptySheetEmptiesThePeriod) {
  EXPECT_EQ(almacena({}), "OK");
  EXPECT_EQ(filas("select count(*) from tbAT_CmptsAnu where co_mes = '05' and co_anio = '2013' and "
                  "co_empresa = '1792045185001'"),
            "0\n");
}

TEST_F(AlmacenAnulados, CellsCannotChangeTheStatement) {
  struct Case {
    const char* autoriza;
    const char* why;
  };
  const Case casos[] = {
      {"11'22", "an apostrophe is stored as it is"},
      {"1'); delete from tbAT_CmptsAnu; --", "a statement inside a cell stays text"},
  };
  std::vector<Fila> h;
  for (const Case& c : casos) h.push_back(fila("05", std::to_string(h.size() + 1), "0000150", c.autoriza));
  EXPECT_EQ(almacena(h), "OK");
  EXPECT_EQ(filas("select nu_autoriza from tbAT_CmptsAnu where nu_autoriza <> '' order by nu_secu_ini"),
            std::string(casos[0].autoriza) + "\n" + casos[1].autoriza + "\n");
  EXPECT_EQ(filas("select count(*) from tbAT_CmptsAnu"), "5\n");
}

TEST_F(AlmacenAnulados, ARefusedRowIsLoggedAndTheOthersAreCommitted) {
  refuse("NEW.nu_secu_ini = '000000102'");
  EXPECT_EQ(almacena({fila("05", "101"), fila("05", "102"), fila("05", "103")}), "OK-ERROR");
  EXPECT_EQ(filas("select nu_secu_ini from tbAT_CmptsAnu where co_mes = '05' and co_anio = '2013' and "
                  "co_empresa = '1792045185001' order by nu_secu_ini"),
            "000000101\n000000103\n");
  EXPECT_EQ(log(),
            std::string("Registro: 3. fila rechazada\r\n") + kCampos +
                " tbAT_CmptsAnu ('1792045185001', '05', '2013', '01', '001002', '000000102', '000000150', "
                "'1112223334', '2013-05-31', 'A', ' ', ' ', 'ana', '2013-05-31 10:15:00', 'ana', "
                "'2013-05-31 10:15:00', 'PC01' )\r\n\r\n");
  EXPECT_TRUE(boxes_.mensajes.empty()) << lastMessage();
}

// A log on a full disk: the refused rows still count and the store still commits the others,
// but the user is told once, with the reason, that the log does not hold them.
TEST_F(AlmacenAnulados, ALogThatCannotBeWrittenIsSaidSoOnceWithItsReason) {
  refuse("NEW.nu_secu_ini <> '000000101'");
  gsRutaLog = "/dev/full";
  EXPECT_EQ(almacena({fila("05", "101"), fila("05", "102"), fila("05", "103")}), "OK-ERROR");
  EXPECT_EQ(filas("select count(*) from tbAT_CmptsAnu where co_mes = '05' and co_anio = '2013' and "
                  "co_empresa = '1792045185001'"),
            "1\n");
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_EQ(
      lastMessage(),
      "No se pudo escribir en el archivo de errores /dev/full\r\ndisco lleno\r\nLos registros rechazados "
      "no quedan anotados en él.");
  EXPECT_EQ(boxes_.mensajes[0].icono, vt::Icono::Critico);
}

TEST_F(AlmacenAnulados, ACancellationDateThatIsNoDateIsRefusedNotInvented) {
  EXPECT_EQ(almacena({fila("05", "101", "0000150", "1112223334", "31/02/2013")}), "OK-ERROR");
  EXPECT_NE(log().find("'1112223334', '31/02/2013', 'A'"), std::string::npos) << log();
  EXPECT_EQ(filas("select count(*) from tbAT_CmptsAnu where nu_secu_ini = '000000101'"), "0\n");
}

TEST_F(AlmacenAnulados, TheLimitOfRefusedRowsAsksAtThreeTenAndTwentyAndStopsAboveTwenty) {
  refuse("1");
  struct Case {
    std::vector<vt::Respuesta> respuestas;
    std::vector<int> preguntas;  // counts asked about
    bool bCaja;                  // the box of the limit above 20
    std::size_t lineasLog;       // rejected-row entries written
    const char* why;
  };
  const Case casos[] = {
      {{vt::Respuesta::Si, vt::Respuesta::Si, vt::Respuesta::Si}, {3, 10, 20}, true, 21, "yes each time"},
      {{vt::Respuesta::No}, {3}, false, 3, "no at the first question"},
      {{vt::Respuesta::Si, vt::Respuesta::No}, {3, 10}, false, 10, "no at the second question"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    boxes_.mensajes.clear();
    temp_.write("log.txt", "");
    for (vt::Respuesta r : c.respuestas) boxes_.responder(r);
    std::vector<Fila> h;
    for (int i = 1; i <= 25; ++i) h.push_back(fila("05", std::to_string(i)));
    EXPECT_EQ(almacena(h), "CANCEL");
    std::vector<std::string> esperados;
    for (int n : c.preguntas)
      esperados.push_back("ANULADOS: Se han encontrado " + std::to_string(n) +
                          " registros errados \r\n\r\n ¿Desea continuar con el proceso? ");
    if (c.bCaja) esperados.push_back("Proceso será cancelado porque contiene muchos errores (+20)");
    std::vector<std::string> vistos;
    for (const auto& m : boxes_.mensajes) {
      vistos.push_back(m.texto);
      EXPECT_EQ(m.icono, vt::Icono::Critico);
      EXPECT_EQ(m.titulo, "Tolvex");
    }
    EXPECT_EQ(vistos, esperados);
    EXPECT_EQ(entradasLog(), c.lineasLog);
    EXPECT_EQ(filas(kVolcado), kAntes);
    EXPECT_FALSE(gConexion->inTransaction());
  }
}

// Answers yes to every question and presses cancel while it is shown.
class CancelaEnPregunta : public vt::MensajesGrabados {
 public:
  vt::Respuesta mostrar(const std::string& texto, vt::Botones b, vt::Icono i, const std::string& t) override {
    MensajesGrabados::mostrar(texto, b, i, t);
    gbContinuarProceso = false;
    return vt::Respuesta::Si;
  }
};

TEST_F(AlmacenAnulados, CancelPressedDuringAQuestionRollsBackEvenWithRefusedRows) {
  refuse("NEW.nu_secu_ini <= '000000003'");
  CancelaEnPregunta cancela;
  vt::ScopedThreadMessages guard(cancela);
  EXPECT_EQ(almacena({fila("05", "1"), fila("05", "2"), fila("05", "3"), fila("05", "4")}), "CANCEL");
  EXPECT_EQ(cancela.mensajes.size(), 1u);
  EXPECT_EQ(filas(kVolcado), kAntes);
}

TEST_F(AlmacenAnulados, WithoutTheServerTimeNothingStarts) {
  exec(
      "UPDATE sys_stored_query SET sql = 'UPDATE tbfechasys SET Fechasys = NULL WHERE id = 99' "
      "WHERE name = 'sp_FechasysActu'");
  EXPECT_EQ(almacena({fila("05", "101")}), "");
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_EQ(lastMessage(), "No se pudo actualizar la fecha del sistema...");
  EXPECT_EQ(boxes_.mensajes[0].icono, vt::Icono::Informacion);
  EXPECT_EQ(filas(kVolcado), kAntes);
  EXPECT_FALSE(gConexion->inTransaction());
}

TEST_F(AlmacenAnulados, AFailedDeleteIsNotFollowedByTheInserts) {
  exec("CREATE TRIGGER no_borra BEFORE DELETE ON tbAT_CmptsAnu BEGIN SELECT RAISE(ABORT, 'no'); END");
  EXPECT_EQ(almacena({fila("05", "101")}), "ERROR");
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_EQ(lastMessage(),
            "ANULADOS: No se grabó la información (falla del motor de base de datos). Se conserva la "
            "información anterior del período.\r\n19 no");
  EXPECT_EQ(filas(kVolcado), kAntes);
  EXPECT_FALSE(gConexion->inTransaction());
}

TEST_F(AlmacenAnulados, AnEngineFailureAtAnyInsertKeepsThePeriodAndEndsInError) {
  fallaEnteraEnCadaInsercion(
      "ANULADOS", {1, 3},
      [&] {
        return almacena({fila("05", "101"), fila("05", "102"), fila("05", "103")});
      },
      [&] { return filas(kVolcado); });
}

TEST_F(AlmacenAnulados, AStoreOnAClosedConnectionEndsInErrorWithAMessage) {
  gsCierraBD();
  EXPECT_EQ(almacena({fila("05", "101")}), "ERROR");
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_NE(lastMessage().find("3704"), std::string::npos) << lastMessage();
}

TEST_F(AlmacenAnulados, AStoreKilledAmongItsInsertsLeavesThePeriodAsItWas) {
  gsCierraBD();
  const pid_t hijo = ::fork();
  ASSERT_NE(hijo, -1);
  if (hijo == 0) {
    gsConectaBD();
    int inserts = 0;
    vt::db::ScopedStatementObserver matar([&inserts](const vt::db::Observation& o) {
      if (o.kind == vt::db::ObservedKind::Execute && o.text.starts_with("insert") && ++inserts == 3)
        ::kill(::getpid(), SIGKILL);
    });
    almacena({fila("05", "101"), fila("05", "102"), fila("05", "103"), fila("05", "104")});
    ::_exit(0);
  }
  int estado = 0;
  ASSERT_EQ(::waitpid(hijo, &estado, 0), hijo);
  ASSERT_TRUE(WIFSIGNALED(estado));
  gsConectaBD();
  EXPECT_EQ(filas(kVolcado), kAntes);
}

}  // namespace
}  // namespace ambrix
