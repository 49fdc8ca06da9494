// The store of the exports sheet on the file engine: the statements it writes, the rows it leaves
// (each column rule, the export type rewritten in the sheet), the rows the database refuses with no
// limit on them, the texts of the server engines, and every way it ends without touching the period.

#include <gtest/gtest.h>

#include <map>

#include "import/importa_exportaciones.hpp"
#include "import/rutinas_hoja.hpp"
#include "platform/database/statement_observer.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/sentencias.hpp"
#include "tests/import/almacen_fixture.hpp"
#include "tests/support/files.hpp"

namespace ambrix {
namespace {

using Fila = std::vector<std::string>;
using Cambios = std::map<int, std::string>;

const std::string kGolden = VT_SOURCE_DIR "/tests/import/";
constexpr const char* kRuc = "1792045185001";

// An export of goods of May 2013 as the validator leaves it (the loader's 24 columns).
Fila exportacion(const Cambios& cambios = {}) {
  Fila f = {kRuc,         "05",
            "2013",       "",
            "B",          "01",
            "20/05/2013", "28",
            "2013",       "40",
            "123",        "7",
            "456",        "0000000000000",
            "1500.00",    "1500.00",
            "21/05/2013", "001001",
            "0000321",    "1234567890",
            "",           "",
            "",           ""};
  for (const auto& [c, v] : cambios) f[c] = v;
  return f;
}

constexpr const char* kVolcado =
    "select co_empresa, co_mes, co_anio, co_Transacc, co_comprob, fe_transacc, co_proveeID, co_provee, "
    "ds_provee, nu_ref_dist, nu_ref_anio, nu_ref_regi, nu_ref_corre, nu_ref_veri, nu_dcto_trans, nu_FUE, "
    "mo_FOB, co_comprob_exp, mo_base, fe_emision, fe_conta, nu_serie, nu_secu, nu_autoriza, st_devolu, "
    "st_regis, ds_campo1, ds_campo2, ds_campo3 from tbAT_Exporta order by id_reg";
constexpr const char* kVolcadoCorto =
    "select co_empresa, co_mes, co_anio, nu_secu from tbAT_Exporta order by co_empresa, co_anio, co_mes, "
    "nu_secu";

class AlmacenExportaciones : public testing::AlmacenTest {
 protected:
  void SetUp() override {
    AlmacenTest::SetUp();
    periodoAnterior("tbAT_Exporta", "nu_secu");
  }

  std::string almacena(const std::vector<Fila>& filas, std::string mes = "5") {
    gaInfoExportaciones = hoja(filas);
    std::int16_t ti = 2, cabecera = 1;
    std::string empresa = kRuc, anio = "2013";
    double tolerancia = 0.05;
    return gfImportaExportaciones(frm_, ti, empresa, mes, anio, cabecera, tolerancia, frm_.barra);
  }

  // The rows stored before, as the short dump lists them.
  static constexpr const char* kAntes =
      "0992314702001|05|2013|3\n"
      "1792045185001|05|2012|4\n"
      "1792045185001|04|2013|2\n"
      "1792045185001|05|2013|1\n";

  void refuse(const std::string& cuando) { AlmacenTest::refuse("tbAT_Exporta", cuando); }
};

TEST_F(AlmacenExportaciones, WritesTheDeleteAndTheInsertAsTheFileEngineTakesThem) {
  vt::db::StatementRecorder recorder;
  EXPECT_EQ(almacena({exportacion()}), "OK");
  std::string textos;
  for (const std::string& t : recorder.texts(vt::db::ObservedKind::Execute))
    if (t.starts_with("delete") || t.starts_with("insert")) textos += t + "\n";
  EXPECT_EQ(textos, vt::testing::readFile(kGolden + "exportaciones-sentencias.golden"));
  const std::vector<std::string> estados = {"STATUS EXPORTACIONES: Reemplazando informacion anterior...",
                                            "STATUS EXPORTACIONES: Almacenando registros...",
                                            "STATUS EXPORTACIONES: Proceso de almacenamiento terminado..."};
  EXPECT_EQ(frm_.eventos, estados);
  EXPECT_EQ(frm_.barra.value, frm_.barra.max);
}

TEST(ExportacionesTexts, TheServerEnginesGetTheirKeysAndDateLiterals) {
  std::string textos;
  for (vt::db::Engine motor : {vt::db::Engine::Sql, vt::db::Engine::Oracle}) {
    const ContextoAlmacen c{motor, {{2013, 5, 31}, 10, 15, 0}, "ana", "PC01", "dd/MM/yyyy"};
    const InfoFile h = testing::AlmacenTest::hoja({exportacion()});
    convierteTipoExportacion(*h, 1);
    const ListaInsercion l = filaExportacion(c, *h, 1);
    textos += deleteText(motor, "tbAT_Exporta A", condicionPeriodo(kRuc, "5", "2013", true)) + "\n" +
              l.campos() + "\n" + l.valores() + "\n";
  }
  EXPECT_EQ(textos, vt::testing::readFile(kGolden + "exportaciones-motores.golden"));
}

TEST_F(AlmacenExportaciones, StoresGoodsServicesAndUnknownTypesAndReplacesOnlyTheCompanysMonth) {
  const std::vector<Fila> h = {
      // goods: the referendum as typed, the FUE of a shipment up to 30/09/2012
      exportacion({{6, "28/09/2012"}, {13, "1234567890123"}, {18, "321"}}),
      // goods: a referendum without its year takes the period's, an 8-digit correlative
      exportacion({{4, "b"}, {7, "1"}, {8, "0"}, {10, "12345678"}, {11, "0"}, {18, "322"}}),
      // services: the validator left the customs cells "0"; an authorisation of 37 digits
      exportacion({{3, "O'Brien & Co"},
                   {4, "S"},
                   {7, "0"},
                   {8, "0"},
                   {9, "0"},
                   {10, "0"},
                   {11, "0"},
                   {12, "0"},
                   {14, "80.5"},
                   {15, "80.50"},
                   {18, "323"},
                   {19, std::string(37, '4')}}),
      // stored without validation: a type that is neither is kept as X
      exportacion({{4, "E"}, {12, " 789 "}, {18, "324"}, {19, " 1234567890 "}}),
  };
  EXPECT_EQ(almacena(h), "OK") << log();
  EXPECT_EQ(filas(kVolcado), vt::testing::readFile(kGolden + "exportaciones-filas.golden"));
  EXPECT_EQ(
      filas("select co_mes, count(*) from tbAT_Exporta group by co_empresa, co_anio, co_mes order by 1, 2"),
      "04|1\n05|1\n05|1\n05|4\n");
  EXPECT_EQ(log(), "");
  EXPECT_FALSE(gConexion->inTransaction());
}

TEST_F(AlmacenExportaciones, EachRuleOfAStoredColumn) {
  struct Case {
    Cambios cambios;
    const char* columnas;  // what the dump shows
    const char* esperado;
    const char* why;
  };
  const Case casos[] = {
      {{{1, "5"}},
       "co_mes",
       "05\n",
       "a month stored without validating is the period's, for the next store's delete and the annex"},
      {{{4, "s"}}, "co_Transacc", "2\n", "the export type is compared upper-cased"},
      {{{4, ""}}, "co_Transacc", "X\n", "an empty type is neither goods nor services"},
      {{{4, " B"}}, "co_Transacc", "X\n", "the type is compared as the validator left it, untrimmed"},
      {{{8, ""}}, "nu_ref_anio", "2013\n", "an empty referendum year is the period's"},
      {{{8, "A1"}}, "nu_ref_anio", "2013\n", "a year whose value is 0 is the period's"},
      {{{8, "2011"}}, "nu_ref_anio", "2011\n", "a year of its own is kept"},
      {{{8, "0"}, {2, "2011"}},
       "nu_ref_anio, co_anio",
       "2011|2011\n",
       "the period year of the row, not of the run"},
      {{{7, "28"}, {9, "4"}, {10, "123"}, {11, "7"}},
       "nu_ref_dist, nu_ref_regi, nu_ref_corre, nu_ref_veri",
       "028|04|000123|7\n",
       "the referendum's masks"},
      {{{6, "20/05/2013"}, {16, "02/05/2013"}},
       "fe_transacc, fe_emision, fe_conta",
       "2013-05-20|2013-05-02|2013-05-02\n",
       "the invoice date fills both of its columns, the shipment date only its own"},
      {{{14, "1500"}, {15, "0.5"}}, "mo_FOB, mo_base", "1500|0.5\n", "amounts are numbers"},
      {{{17, "1001"}, {18, "7"}}, "nu_serie, nu_secu", "001001|000000007\n", "serie of 6, sequential of 9"},
      {{{13, " 0000000000000 "}}, "nu_FUE", "0000000000000\n", "the FUE is trimmed"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(almacena({exportacion(c.cambios)}), "OK") << log();
    EXPECT_EQ(
        filas(std::string("select ") + c.columnas + " from tbAT_Exporta where co_empresa = '" + kRuc +
              "' and co_mes = '05' and co_anio = '" + (c.cambios.count(2) ? c.cambios.at(2) : "2013") + "'"),
        c.esperado);
  }
}

TEST_F(AlmacenExportaciones, TheSheetKeepsTheRewrittenExportType) {
  almacena({exportacion({{4, "b"}}), exportacion({{4, "S"}}), exportacion({{4, "?"}})});
  EXPECT_EQ(gaInfoExportaciones->get(1, 4), "1");
  EXPECT_EQ(gaInfoExportaciones->get(2, 4), "2");
  EXPECT_EQ(gaInfoExportaciones->get(3, 4), "X");
}

TEST_F(AlmacenExportaciones, AnAnnualRunReplacesEveryMonthOfTheYearAndAnEmptySheetEmptiesThePeriod) {
  EXPECT_EQ(almacena({exportacion({{1, "02"}, {18, "9"}})}, "99"), "OK");
  EXPECT_EQ(filas(kVolcadoCorto),
            "0992314702001|05|2013|3\n"
            "1792045185001|05|2012|4\n"
            "1792045185001|02|2013|000000009\n");
  EXPECT_EQ(almacena({}, "2"), "OK");
  EXPECT_EQ(filas(kVolcadoCorto),
            "0992314702001|05|2013|3\n"
            "1792045185001|05|2012|4\n");
}

TEST_F(AlmacenExportaciones, ARefusedRowIsLoggedByItsLineAndTheOthersAreCommitted) {
  refuse("NEW.nu_secu = '000000005'");
  std::vector<Fila> h;
  for (int i = 1; i <= 6; ++i) h.push_back(exportacion({{18, std::to_string(i)}}));
  EXPECT_EQ(almacena(h), "OK-ERROR");
  EXPECT_EQ(
      filas("select nu_secu from tbAT_Exporta where co_anio = '2013' and co_mes = '05' and co_empresa = '" +
            std::string(kRuc) + "' order by id_reg"),
      "000000001\n000000002\n000000003\n000000004\n000000006\n");
  EXPECT_EQ(log(), "Registro: 6. fila rechazada\r\n\r\n");
  EXPECT_TRUE(boxes_.mensajes.empty()) << lastMessage();
}

TEST_F(AlmacenExportaciones, RefusedRowsHaveNoLimitAndAskNothing) {
  refuse("1");
  std::vector<Fila> h;
  for (int i = 1; i <= 25; ++i) h.push_back(exportacion({{18, std::to_string(i)}}));
  EXPECT_EQ(almacena(h), "OK-ERROR");
  EXPECT_TRUE(boxes_.mensajes.empty()) << lastMessage();
  EXPECT_EQ(entradasLog(), 25u);
  // Committed: the period was replaced by nothing.
  EXPECT_EQ(filas(kVolcadoCorto),
            "0992314702001|05|2013|3\n"
            "1792045185001|05|2012|4\n"
            "1792045185001|04|2013|2\n");
}

TEST_F(AlmacenExportaciones, CellsThatAreNoDateOrNoAmountAreRefusedNotInventedAndNeverEnterTheStatement) {
  struct Case {
    Cambios cambios;
    const char* why;
  };
  const Case casos[] = {
      {{{6, ""}}, "a shipment date \"0\" the validator emptied"},
      {{{6, "0"}}, "a shipment date \"0\" stored without validation"},
      {{{16, "31/02/2013"}}, "an invoice date that is no day"},
      {{{14, "1,50"}}, "a comma is no decimal point"},
      {{{15, "0); delete from tbAT_Exporta; --"}}, "a statement in an amount cell"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    temp_.write("log.txt", "");
    EXPECT_EQ(almacena({exportacion({{18, "1"}}), exportacion(c.cambios)}), "OK-ERROR");
    EXPECT_TRUE(log().starts_with("Registro: 3. ")) << log();
    EXPECT_EQ(
        filas("select nu_secu from tbAT_Exporta where co_mes = '05' and co_anio = '2013' and co_empresa = '" +
              std::string(kRuc) + "'"),
        "000000001\n");
  }
  EXPECT_EQ(filas("select count(*) from tbAT_Exporta"), "4\n");
}

TEST_F(AlmacenExportaciones, AnEngineFailureAtAnyInsertKeepsThePeriodAndEndsInError) {
  fallaEnteraEnCadaInsercion(
      "EXPORTACIONES", {1, 2},
      [&] {
        return almacena({exportacion({{18, "7"}}), exportacion({{18, "8"}})});
      },
      [&] { return filas(kVolcado); });
}

TEST_F(AlmacenExportaciones, EveryEndOtherThanCommitLeavesThePeriodAsItWas) {
  struct Case {
    std::function<void()> preparar;
    const char* estado;
    const char* mensaje;  // start of the one message box; "" none
    const char* why;
  };
  const Case casos[] = {
      {[] {}, "CANCEL", "", "cancel pressed while the second row is inserted"},
      {[this] {
         exec("CREATE TRIGGER no_borra BEFORE DELETE ON tbAT_Exporta BEGIN SELECT RAISE(ABORT, 'no'); END");
       },
       "ERROR", "EXPORTACIONES: No se grabó la información (falla del motor de base de datos).",
       "the former rows cannot be deleted"},
      {[this] {
         exec(
             "UPDATE sys_stored_query SET sql = 'UPDATE tbfechasys SET Fechasys = NULL WHERE id = 99' "
             "WHERE name = 'sp_FechasysActu'");
       },
       "", "No se pudo actualizar la fecha del sistema...", "no server time to stamp the rows with"},
  };
  int inserts = 0;
  vt::db::ScopedStatementObserver cancela([&inserts](const vt::db::Observation& o) {
    if (o.kind == vt::db::ObservedKind::Execute && o.text.starts_with("insert into tbAT_Exporta") &&
        ++inserts == 2)
      gbContinuarProceso = false;
  });
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    boxes_.mensajes.clear();
    inserts = 0;
    c.preparar();
    EXPECT_EQ(almacena({exportacion({{18, "7"}}), exportacion({{18, "8"}}), exportacion({{18, "9"}})}),
              c.estado);
    if (*c.mensaje) {
      ASSERT_EQ(boxes_.mensajes.size(), 1u);
      EXPECT_TRUE(lastMessage().starts_with(c.mensaje)) << lastMessage();
    } else {
      EXPECT_TRUE(boxes_.mensajes.empty()) << lastMessage();
    }
    EXPECT_EQ(filas(kVolcadoCorto), kAntes);
    EXPECT_FALSE(gConexion->inTransaction());
  }
}

}  // namespace
}  // namespace ambrix
