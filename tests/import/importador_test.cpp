// The import driver with a validator of the test's own: the order of the steps, the progress and
// status texts, the folding of the sheet results, the per-row yields, and every way a pass cannot
// start.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "import/importador_ats.hpp"
#include "import/info_file.hpp"
#include "import/rutinas_hoja.hpp"
#include "platform/automation/class_builder.hpp"
#include "platform/automation/host.hpp"
#include "platform/errors/runtime_errors.hpp"
#include "shell/core/conexion.hpp"
#include "shell/core/globals.hpp"
#include "tests/import/almacen_fixture.hpp"

namespace ambrix {
namespace {

// Answers each sheet member as told, records the calls, yields once per row and can press cancel.
class ValidadorDePrueba : public vt::automation::Dispatchable<ValidadorDePrueba> {
 public:
  using Sheet = vt::automation::StringMatrixRef;

  static vt::automation::ClassInfo describe() {
    using namespace vt::automation;
    using C = ValidadorDePrueba;
    return ClassBuilder<C>("Prueba.CLSValidarInformacion", "_CLSValidarInformacion")
        .property("iPocIVA", &C::iPocIVA)
        .property("db_ConexionObj", &C::db_ConexionObj)
        .method("ATS2013_Compras", &C::ATS2013_Compras,
                {"ti_proceso", "co_empresa", "nu_mes", "nu_anio", "dDecRedondeo", "InfoFile", "FileError",
                 "nFilaProgreso"})
        .method("ATS2013_Ventas", &C::ATS2013_Ventas,
                {"ti_proceso", "co_empresa", "nu_mes", "nu_anio", "dDecRedondeo", "InfoFile", "FileError",
                 "nFilaProgreso", "iOpciones"})
        .method("ATS2013_Anulados", &C::ATS2013_Anulados,
                {"ti_proceso", "co_empresa", "nu_mes", "nu_anio", "InfoFile", "FileError", "nFilaProgreso"})
        .method("ATS2013_Exportaciones", &C::ATS2013_Exportaciones,
                {"ti_proceso", "co_empresa", "nu_mes", "nu_anio", "dDecRedondeo", "InfoFile", "FileError",
                 "nFilaProgreso"})
        .build();
  }

  std::string ATS2013_Compras(int16_t, std::string& co_empresa, std::string& nu_mes, std::string&, double&,
                              Sheet& hoja, std::string&, int32_t& nFila) {
    return answer("COMPRAS", co_empresa, nu_mes, hoja, nFila);
  }
  std::string ATS2013_Ventas(int16_t, std::string& co_empresa, std::string& nu_mes, std::string&, double&,
                             Sheet& hoja, std::string&, int32_t& nFila,
                             vt::automation::IntegerArrayRef& iOpciones) {
    opciones.clear();
    for (long i = iOpciones->lbound(); i <= iOpciones->ubound(); ++i) opciones.push_back(iOpciones->at(i));
    return answer("VENTAS", co_empresa, nu_mes, hoja, nFila);
  }
  std::string ATS2013_Anulados(int16_t&, std::string& co_empresa, std::string& nu_mes, std::string&,
                               Sheet& hoja, std::string&, int32_t& nFila) {
    return answer("ANULADOS", co_empresa, nu_mes, hoja, nFila);
  }
  std::string ATS2013_Exportaciones(int16_t, std::string& co_empresa, std::string& nu_mes, std::string&,
                                    double& dDecRedondeo, Sheet& hoja, std::string&, int32_t& nFila) {
    tolerancia = dDecRedondeo;
    return answer("EXPORTACIONES", co_empresa, nu_mes, hoja, nFila);
  }

  int16_t iPocIVA = 0;
  vt::automation::ObjectRef db_ConexionObj;
  std::map<std::string, std::string> respuestas;  // by sheet word; "raise" raises 445, "cancel" cancels
  std::vector<std::string> llamadas;              // "word mes"
  double tolerancia = 0;                          // the last one handed to a validator that takes it
  std::vector<int16_t> opciones;                  // iOpciones of the last sales call

 private:
  std::string answer(const std::string& palabra, const std::string&, const std::string& nu_mes, Sheet& hoja,
                     int32_t& nFila) {
    llamadas.push_back(palabra + " " + nu_mes);
    for (long r = 1; r <= hoja->ubound(1); ++r) {
      vt::automation::host::yieldToHost();
      nFila = static_cast<int32_t>(r + 1);
    }
    const std::string respuesta = respuestas.count(palabra) ? respuestas[palabra] : "OK";
    if (respuesta == "raise") vt::raiseRuntimeError(445, "Valtrone");
    if (respuesta == "cancel") {
      gbContinuarProceso = false;
      return "OK";
    }
    return respuesta;
  }
};

class Importador : public testing::AlmacenTest {
 protected:
  void SetUp() override {
    AlmacenTest::SetUp();
    gParametrosEmpresa.gsPorcIVA = "12";
    validador_ = std::make_shared<ValidadorDePrueba>();
    p_.frm = &frm_;
    p_.prgprogreso = &frm_.barra;
    p_.co_empresa = "1792045185001";
    p_.nu_mes = "5";
    p_.nu_anio = "2013";
    p_.sSeparador = ";";
    frm_.datos.cmbTipo_file = 1;
  }

  // A delimited sheet of `filas` data rows for sheet `indice`.
  void sheet(int indice, int filas) {
    std::string texto = "cabecera" + std::string(67, ';') + "\n";
    for (int r = 0; r < filas; ++r) texto += std::to_string(r) + std::string(67, ';') + "\n";
    p_.asArchivos[indice] = temp_.write("hoja" + std::to_string(indice) + ".csv", texto);
  }

  std::string pass(int16_t ti = 1) {
    p_.ti_proceso = ti;
    ImportadorATS importador([this] { return validador_; });
    return importador.gfProcesaArchivoATS(p_);
  }

  std::shared_ptr<ValidadorDePrueba> validador_;
  ParamProcesoATS p_;
};

TEST_F(Importador, WithNoSheetTheBarStillRunsThroughAndThePassIsOk) {
  EXPECT_EQ(pass(), "OK");
  const std::vector<std::string> esperado = {
      "STATUS Cargando informacion a validar...", "YIELD", "YIELD", "YIELD", "YIELD", "YIELD", "YIELD"};
  EXPECT_EQ(frm_.eventos, esperado);
  EXPECT_EQ(frm_.barra.value, 100);
  EXPECT_EQ(validador_->iPocIVA, 12);
  EXPECT_FALSE(goValidador);
}

TEST_F(Importador, SheetsAreValidatedInOrderWithTheirStatusTextsAndEveryRowYields) {
  sheet(0, 2);
  sheet(2, 3);
  EXPECT_EQ(pass(), "OK");
  const std::vector<std::string> llamadas = {"COMPRAS 5", "ANULADOS 5"};
  EXPECT_EQ(validador_->llamadas, llamadas);
  const std::vector<std::string> esperado = {
      "STATUS Cargando informacion a validar...",
      "YIELD",  // after creating the validator
      "YIELD",  // progress 10
      "STATUS Validando información de COMPRAS...",
      "YIELD",
      "YIELD",  // a row each
      "YIELD",  // after the validator
      "YIELD",  // progress 30
      "YIELD",  // progress 60
      "STATUS Validando informacion de Comprobantes ANULADOS...",
      "YIELD",
      "YIELD",
      "YIELD",
      "YIELD",
      "YIELD",  // progress 90
      "YIELD",  // progress 100
  };
  EXPECT_EQ(frm_.eventos, esperado);
  EXPECT_NE(validador_->db_ConexionObj, nullptr);
}

TEST_F(Importador, TheResultsOfTheSheetsFoldIntoThePassResult) {
  struct Case {
    const char* compras;  // answer of each validator; "" no sheet
    const char* anulados;
    const char* pasada;
    const char* why;
  };
  const Case casos[] = {
      {"ERROR", "OK", "ERROR", "a sheet that failed is not hidden by a later one"},
      {"OK", "ERROR", "ERROR", "the last sheet that failed"},
      {"cancel", "OK", "CANCEL", "a cancelled sheet ends the pass cancelled"},
      {"cancel", "ERROR", "ERROR", "the last result that is not OK wins"},
      {"raise", "", "ERROR", "a validator that fails is an error of its sheet"},
      {"", "OK", "OK", "a sheet left out keeps the pass as it was"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    p_.asArchivos = {};
    if (*c.compras) sheet(0, 1);
    if (*c.anulados) sheet(2, 1);
    validador_->respuestas = {{"COMPRAS", c.compras}, {"ANULADOS", c.anulados}};
    EXPECT_EQ(pass(), c.pasada);
  }
}

TEST_F(Importador, ASheetWhoseConnectionFailedIsNeitherValidatedNorStored) {
  sheet(0, 2);
  sheet(2, 1);
  vt::currentConfiguration().sistema.gsNombreBD = "FALTA.MDB";
  EXPECT_EQ(pass(), "ERROR");
  EXPECT_TRUE(validador_->llamadas.empty()) << "no row judged without the database";
  ASSERT_FALSE(boxes_.mensajes.empty());
  EXPECT_TRUE(lastMessage().starts_with("Error al intentar conectarse a la base de datos")) << lastMessage();
}

TEST_F(Importador, AWholeYearRunHandsMonth99ToTheSheetsAndTheCaller) {
  p_.Chkanio = 1;
  sheet(2, 1);
  EXPECT_EQ(pass(), "OK");
  EXPECT_EQ(p_.nu_mes, "99");
  EXPECT_EQ(validador_->llamadas, std::vector<std::string>{"ANULADOS 99"});
}

TEST_F(Importador, TheExportsSheetIsValidatedWithTheToleranceAndItsAnswerIsThePasss) {
  struct Case {
    const char* respuesta;
    const char* pasada;
    const char* why;
  };
  const Case casos[] = {
      {"OK", "OK", "every row passed"},
      {"ERROR", "ERROR", "a row failed"},
      {"cancel", "CANCEL", "cancel pressed while the sheet was validated"},
      {"raise", "ERROR", "a validator that fails has not checked the sheet"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    validador_ = std::make_shared<ValidadorDePrueba>();
    validador_->respuestas = {{"EXPORTACIONES", c.respuesta}};
    p_.dDecRedondeo = 0.25;
    sheet(3, 2);
    EXPECT_EQ(pass(), c.pasada);
    EXPECT_EQ(validador_->llamadas, std::vector<std::string>{"EXPORTACIONES 5"});
    EXPECT_EQ(validador_->tolerancia, 0.25);
  }
}

TEST_F(Importador, TheSalesSheetIsValidatedWithTheWindowsOptions) {
  sheet(1, 2);
  p_.iOpciones = {2, 1, 0, 0};
  validador_->respuestas = {{"VENTAS", "ERROR"}};
  EXPECT_EQ(pass(), "ERROR");
  EXPECT_EQ(validador_->llamadas, std::vector<std::string>{"VENTAS 5"});
  EXPECT_EQ(validador_->opciones, (std::vector<int16_t>{2, 1, 0, 0}));
  EXPECT_EQ(frm_.barra.value, 100);
}

TEST_F(Importador, APassThatCannotStartEndsInErrorAfterAMessage) {
  struct Case {
    std::function<void()> preparar;
    const char* mensaje;  // start of the message
    const char* why;
  };
  const Case casos[] = {
      {[this] { validador_ = nullptr; }, "No se puede preparar el validador",
       "the library cannot serve the class"},
      {[] { gParametrosEmpresa.gsPorcIVA = ""; }, "No se puede preparar el validador",
       "a company without parameters has no VAT percentage"},
      {[this] { p_.asArchivos[2] = temp_.file("no-existe.csv"); }, "Proceso cancelado. \r\n",
       "a sheet file that cannot be loaded"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    validador_ = std::make_shared<ValidadorDePrueba>();
    gParametrosEmpresa.gsPorcIVA = "12";
    p_.asArchivos = {};
    boxes_.mensajes.clear();
    c.preparar();
    EXPECT_EQ(pass(), "ERROR");
    ASSERT_EQ(boxes_.mensajes.size(), 1u);
    EXPECT_TRUE(lastMessage().starts_with(c.mensaje)) << lastMessage();
    EXPECT_EQ(boxes_.mensajes[0].titulo, "Tolvex");
    EXPECT_FALSE(goValidador);
  }
}

TEST_F(Importador, TheLibrarysYieldsReachTheWindowOnlyDuringAPass) {
  sheet(2, 2);
  pass();
  frm_.eventos.clear();
  vt::automation::host::yieldToHost();
  EXPECT_TRUE(frm_.eventos.empty());
}

TEST_F(Importador, StoreModeStoresTheCancelledDocumentsLoadedBefore) {
  gaInfoAnulados = hoja(
      {{"1792045185001", "05", "2013", "01", "001001", "0000001", "0000002", "1112223334", "20/05/2013"}});
  p_.asArchivos[2] = "anulados.csv";
  EXPECT_EQ(pass(2), "OK");
  EXPECT_TRUE(validador_->llamadas.empty());
  gsConectaBD();
  EXPECT_EQ(filas("select co_empresa, nu_secu_fin, fe_anula, co_usua from tbAT_CmptsAnu"),
            "1792045185001|000000002|2013-05-20|ana\n");
}

// A store that failed whole kept its sheet's earlier period; the later sheets keep theirs too, so
// that the month is never half new and half old, and the user is told which were not stored. A row
// the database refused ends nothing.
TEST_F(Importador, AStoreThatFailedWholeLeavesTheLaterSheetsAsTheyWere) {
  const std::string sinGrabar =
      "ANULADOS, EXPORTACIONES: No se grabó la información porque falló la grabación de COMPRAS. Se conserva "
      "la información anterior del período.";
  struct Case {
    const char* preparar;  // run on the database before the pass
    const char* pasada;
    const char* anulados;     // the period's cancelled documents after the pass
    const char* exportacion;  // the period's exports after the pass
    bool avisado;             // the sheets not stored are named
    FinAlmacen fin;
    const char* why;
  };
  // In this order: the table dropped by the second case stays dropped.
  const Case casos[] = {
      {"CREATE TRIGGER rechaza BEFORE INSERT ON tbAT_Cmprs BEGIN SELECT RAISE(ABORT, 'fila rechazada'); END",
       "OK-ERROR", "000000002\n", "", false, FinAlmacen::ConRechazos,
       "the database refused the purchase row"},
      {"DROP TABLE tbAT_Cmprs_RE", "ERROR", "1\n", "1\n", true, FinAlmacen::Fallido,
       "the purchases store failed whole"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    gsConectaBD();
    exec("DELETE FROM tbAT_CmptsAnu");
    exec("DELETE FROM tbAT_Exporta");
    periodoAnterior("tbAT_CmptsAnu", "nu_secu_ini");
    periodoAnterior("tbAT_Exporta", "nu_secu");
    exec(c.preparar);
    // A purchase and an export of the loaders' widths; their cells do not matter here.
    std::vector<std::string> compra(68), exportacion(24);
    compra[0] = exportacion[0] = "1792045185001";
    gaInfoCompras = hoja({compra});
    gaInfoAnulados = hoja(
        {{"1792045185001", "05", "2013", "01", "001001", "0000001", "0000002", "1112223334", "20/05/2013"}});
    gaInfoExportaciones = hoja({exportacion});
    p_.asArchivos = {"compras.csv", "", "anulados.csv", "exportaciones.csv"};
    boxes_.mensajes.clear();
    EXPECT_EQ(pass(2), c.pasada);
    const bool avisado = std::find_if(boxes_.mensajes.begin(), boxes_.mensajes.end(), [&](const auto& m) {
                           return m.texto == sinGrabar;
                         }) != boxes_.mensajes.end();
    EXPECT_EQ(avisado, c.avisado);
    EXPECT_EQ(p_.finAlmacen, c.fin);
    gsConectaBD();
    const std::string periodo = " where co_empresa = '1792045185001' and co_mes = '05' and co_anio = '2013'";
    EXPECT_EQ(filas("select coalesce(nu_secu_fin, nu_secu_ini) from tbAT_CmptsAnu" + periodo), c.anulados);
    if (*c.exportacion) {
      EXPECT_EQ(filas("select nu_secu from tbAT_Exporta" + periodo), c.exportacion);
    }
  }
}

// The pass's status word keeps the last sheet's result that is not OK, so a store cancelled before a
// sheet with refused rows reads "OK-ERROR"; what the pass reports beside it says the cancel.
TEST_F(Importador, AStoreCancelledBeforeRefusedRowsIsReportedCancelled) {
  refuse("tbAT_CmptsAnu", "1");
  refuse("tbAT_Exporta", "1");
  const std::vector<std::string> anulado = {"1792045185001", "05",      "2013",       "01",        "001001",
                                            "0000001",       "0000002", "1112223334", "20/05/2013"};
  gaInfoAnulados = hoja({anulado, anulado, anulado});
  std::vector<std::string> exportacion(24);
  exportacion[0] = "1792045185001";
  gaInfoExportaciones = hoja({exportacion});
  p_.asArchivos = {"", "", "anulados.csv", "exportaciones.csv"};
  boxes_.responder(vt::Respuesta::No);  // at the third refused cancelled document
  EXPECT_EQ(pass(2), "OK-ERROR");
  EXPECT_EQ(p_.finAlmacen, FinAlmacen::Cancelado);
}

// The store pass is the sheets' last reader: their cells are given back before the annex is
// written.
TEST_F(Importador, TheSheetsAreReleasedAfterTheStorePassOnly) {
  gaInfoAnulados = hoja(
      {{"1792045185001", "05", "2013", "01", "001001", "0000001", "0000002", "1112223334", "20/05/2013"}});
  gaInfoCompras = hoja({{"1792045185001"}});
  p_.asArchivos[2] = "anulados.csv";
  const InfoFile compartida = gaInfoAnulados;
  EXPECT_EQ(pass(2), "OK");
  EXPECT_TRUE(gaInfoAnulados->empty());
  EXPECT_TRUE(gaInfoCompras->empty()) << "a sheet the pass did not store goes too";
  EXPECT_TRUE(compartida->empty()) << "one array, whoever holds its handle";
}

}  // namespace
}  // namespace ambrix
