// The main action over recording doubles of the window, the import and the XML writer: what it
// hands the import and the writer, the log it creates, and what it leaves when it stops.

#include "shell/core/procesar.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <stdexcept>

#include "platform/profile/ini_file.hpp"
#include "platform/profile/text_file.hpp"
#include "shell/core/bitacora_errores.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/inicio.hpp"
#include "shell/core/procesar_checks.hpp"
#include "tests/support/shell_fixture.hpp"
#include "tests/support/ventana_grabada.hpp"

namespace ambrix {
namespace {

namespace fs = std::filesystem;
using testing::GeneradorGrabado;
using testing::ImportadorGrabado;
using testing::VentanaGrabada;

const std::string kItem = "Importadora Demo" + std::string(150, ' ') + "992314702001";

class MainAction : public testing::ShellTest {
 protected:
  MainAction() {
    for (const char* name : {"compras.csv", "ventas.csv", "anulados.csv"})
      std::ofstream(temp_.path() / name) << "cabecera\r\n";
    fs::create_directories(temp_.path() / "xml");
    DatosVentanaATS& d = frm_.datos;
    d.sItemEmpresa = kItem;
    d.cmbMeses_ItemData = 5;
    d.cmbanios = "2013";
    d.txtPath = file("xml/");
  }

  std::string file(const std::string& name) const { return (temp_.path() / name).string(); }
  std::string logPath() const { return file("tolvexError_2013-05.txt"); }
  std::optional<std::string> iniName() const {
    return vt::profile::readFileValue(file("TAXCONFIG.INI"), "PATH_Files", "ATS");
  }
  std::vector<std::string> boxTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : boxes_.mensajes) texts.push_back(m.texto);
    return texts;
  }
  bool press() { return cmdProcesar_Click(frm_.datos, frm_, import_, writer_); }

  VentanaGrabada frm_;
  ImportadorGrabado import_;
  GeneradorGrabado writer_;
};

TEST_F(MainAction, ImportPassesReceiveTheWindowsChoices) {
  struct Case {
    int optTipoVentas, chkValidaBases, chkConvertirRUC, Chkanio;
    std::array<std::int16_t, 4> iOpciones;
  };
  for (const Case c : {Case{0, 1, 0, 0, {1, 1, 0, 0}}, Case{1, 0, 1, 1, {0, 0, 1, 0}}}) {
    SCOPED_TRACE(c.optTipoVentas);
    import_.pasadas.clear();
    DatosVentanaATS& d = frm_.datos;
    d.chkInfo = {1, 0, 1, 0};
    d.txtfile = {file("compras.csv"), file("ventas.csv"), file("anulados.csv"), ""};
    d.optTipoVentas = c.optTipoVentas;
    d.chkValidaBases = c.chkValidaBases;
    d.chkConvertirRUC = c.chkConvertirRUC;
    d.Chkanio = c.Chkanio;
    d.txtSeparador = ";";
    d.ChkCabecera = 0;
    d.txtDecimales = 2;
    d.cmbValidaCompras = 3;
    ASSERT_TRUE(press());
    ASSERT_EQ(import_.pasadas.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
      const ParamProcesoATS& a = import_.pasadas[i];
      EXPECT_EQ(a.ti_proceso, static_cast<std::int16_t>(i + 1));
      EXPECT_EQ(a.frm, &frm_);
      EXPECT_EQ(a.prgprogreso, &frm_.barra);
      EXPECT_EQ(a.co_empresa, "0992314702001");
      EXPECT_EQ(a.nu_mes, "5");
      EXPECT_EQ(a.nu_anio, "2013");
      EXPECT_EQ(a.Chkanio, c.Chkanio);
      EXPECT_EQ(a.asArchivos,
                (std::array<std::string, 4>{file("compras.csv"), "", file("anulados.csv"), ""}));
      EXPECT_EQ(a.sSeparador, ";");
      EXPECT_EQ(a.ChkCabecera, 0);
      EXPECT_EQ(a.dDecRedondeo, 2.0);
      EXPECT_EQ(a.cmbValidaCompras, 3);
      EXPECT_EQ(a.iOpciones, c.iOpciones);
    }
    EXPECT_EQ(boxTexts().back(), "Proceso de validacion terminado OK.");
    EXPECT_EQ(iniName(), "");
    EXPECT_FALSE(frm_.reloj);
  }
}

TEST_F(MainAction, TheLogIsEmptiedInAFolderGivenWithoutSeparator) {
  fs::create_directories(temp_.path() / "bitacora");
  const std::string log = file("bitacora/tolvexError_2013-05.txt");
  std::ofstream(log) << "errores de antes\r\n";
  ctx_.sistema.gsPathLog = file("bitacora");
  frm_.datos.chkInfo[0] = 1;
  frm_.datos.txtfile[0] = file("compras.csv");
  import_.alProcesar = [&](ParamProcesoATS&) { EXPECT_EQ(vt::readWholeFile(log, 1 << 20), ""); };
  ASSERT_TRUE(press());
  EXPECT_EQ(gsArchivoLog, "tolvexError_2013-05.txt");
  EXPECT_EQ(gsRutaLog, log);
}

TEST_F(MainAction, FailedChecksCreateNoLogAndCallNothing) {
  struct Case {
    const char* name;
    std::function<void(DatosVentanaATS&)> set;
  };
  const Case cases[] = {
      {"no sheet", [](DatosVentanaATS&) {}},
      {"missing folder",
       [&](DatosVentanaATS& d) {
         d.chkInfo[0] = 1, d.txtfile[0] = file("compras.csv"), d.chkXML = 1, d.txtPath = file("falta/");
       }},
      {"blank name",
       [&](DatosVentanaATS& d) { d.chkInfo[0] = 1, d.txtfile[0] = file("compras.csv"), d.chkXML = 1; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    VentanaGrabada frm;
    frm.datos = frm_.datos;
    c.set(frm.datos);
    EXPECT_FALSE(cmdProcesar_Click(frm.datos, frm, import_, writer_));
    EXPECT_FALSE(fs::exists(logPath()));
    EXPECT_TRUE(import_.pasadas.empty());
    EXPECT_TRUE(writer_.llamadas.empty());
    EXPECT_FALSE(frm.reloj);
    EXPECT_FALSE(iniName());
  }
  EXPECT_EQ(boxes_.mensajes.size(), 3u);
}

TEST_F(MainAction, SheetRowsAreCheckedInOrderAndEveryTypedNameMustExist) {
  struct Case {
    const char* name;
    std::array<int, 4> chkInfo;
    std::array<std::string, 4> txtfile;
    const char* message;  // nullptr: the checks pass
  };
  const std::string compras = file("compras.csv");
  const Case cases[] = {
      {"ticked, blank",
       {1, 1, 0, 0},
       {compras, "  ", "", ""},
       "Debe ingresar archivo de Ventas a validar..."},
      {"ticked, missing", {1, 0, 0, 0}, {file("falta.csv"), "", "", ""}, "Archivo de Compras no existe... "},
      {"unticked, missing",
       {1, 0, 0, 0},
       {compras, "", file("falta.csv"), ""},
       "Archivo de Anulados no existe... "},
      {"unticked, blanks", {1, 0, 0, 0}, {compras, "", "", " "}, "Archivo de Exportac. no existe... "},
      {"unticked, folder",
       {1, 0, 0, 0},
       {compras, temp_.path().string(), "", ""},
       "Archivo de Ventas no existe... "},
      {"unticked, wildcard",
       {1, 0, 0, 0},
       {compras, file("*.csv"), "", ""},
       "Archivo de Ventas no existe... "},
      {"unticked, empty", {1, 0, 0, 0}, {compras, "", "", ""}, nullptr},
      {"first row first", {1, 1, 0, 0}, {file("falta.csv"), "", "", ""}, "Archivo de Compras no existe... "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    boxes_.mensajes.clear();
    DatosVentanaATS d = frm_.datos;
    d.chkInfo = c.chkInfo;
    d.txtfile = c.txtfile;
    EXPECT_EQ(choicesAreValid(d, frm_), c.message == nullptr);
    EXPECT_EQ(boxTexts(), c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
  }
}

TEST_F(MainAction, PassStatusesDecideThePromptsTheViewerAndWhetherTheRunGoesOn) {
  using vt::Respuesta;
  const std::string prompt =
      "Existen errores en información...\r\n\r\n¿Desea ver errores en archivo: tolvexError_2013-05.txt ? ";
  const std::string okError =
      "* Importación de archivo OK, pero algunos registros no fueron importados. \r\n* Revise archivo " +
      logPath();
  const std::string done = "Proceso de validacion terminado OK.";
  const std::string cancelled = "Proceso Cancelado. ";
  const std::string viewer = "VIEWER Consulta de Archivo de errores " + logPath();
  struct Case {
    std::vector<std::string> estados;
    FinAlmacen almacen;  // what the store pass reports beside its status
    bool anota;          // the passes write to the log
    std::vector<Respuesta> answers;
    std::vector<std::string> texts;
    bool viewer;
    std::size_t passes;
    FinProceso fin;
    const char* why;
  };
  using A = FinAlmacen;
  using F = FinProceso;
  const Case cases[] = {
      {{"ERROR"}, A::Completo, true, {Respuesta::No}, {prompt}, false, 1, F::Detenido, "log declined"},
      {{"error"}, A::Completo, true, {Respuesta::Si}, {prompt}, true, 1, F::Detenido, "log viewed"},
      {{"ERROR"}, A::Completo, false, {}, {}, false, 1, F::Detenido, "nothing logged: no empty log offered"},
      {{"CANCEL"}, A::Completo, false, {}, {cancelled}, false, 1, F::Detenido, "cancelled"},
      {{""}, A::Completo, false, {}, {}, false, 1, F::Detenido, "no status"},
      {{"OK-ERROR"}, A::Completo, false, {}, {}, false, 1, F::Detenido, "no status of a validation"},
      {{" ok "}, A::Completo, false, {}, {done}, false, 2, F::Completo, "blanks around the status"},
      // A failed store kept the earlier period: no success, no annex, a failed run.
      {{"OK", "ERROR"}, A::Fallido, true, {Respuesta::Si}, {prompt}, true, 2, F::Fallido, "store failed"},
      {{"OK", "ERROR"}, A::Fallido, false, {}, {}, false, 2, F::Fallido, "failed whole, nothing logged"},
      {{"OK", ""}, A::Fallido, false, {}, {}, false, 2, F::Fallido, "no server time"},
      // A cancelled store lets the run go on, but its sheet kept its earlier period; the status
      // word can hide the cancel behind a later sheet's refused rows.
      {{"OK", "Cancel"}, A::Cancelado, false, {}, {cancelled, done}, false, 2, F::Detenido, "cancel"},
      {{"OK", "OK-ERROR"}, A::Cancelado, true, {}, {okError, done}, true, 2, F::Detenido, "hidden cancel"},
      {{"OK", "OK-ERROR"}, A::ConRechazos, true, {}, {okError, done}, true, 2, F::ConRechazos, "refused"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    VentanaGrabada frm;
    frm.datos = frm_.datos;
    frm.datos.chkInfo[0] = 1;
    frm.datos.txtfile[0] = file("compras.csv");
    ImportadorGrabado import;
    import.estados = c.estados;
    import.finAlmacen = c.almacen;
    const auto anota = [](ParamProcesoATS&) { vt::appendToFile(gsRutaLog, "COMPRAS - Registro: 1.\r\n"); };
    if (c.anota) import.alProcesar = anota;
    boxes_.mensajes.clear();
    for (Respuesta r : c.answers) boxes_.responder(r);
    fs::remove(file("TAXCONFIG.INI"));

    FinProceso fin = FinProceso::Completo;
    const bool finished = cmdProcesar_Click(frm.datos, frm, import, writer_, &fin);
    // Every store that did not fail lets the run go to its end and record the name.
    EXPECT_EQ(finished, c.passes == 2 && c.fin != FinProceso::Fallido);
    EXPECT_EQ(fin, c.fin);
    EXPECT_EQ(import.pasadas.size(), c.passes);
    EXPECT_EQ(boxTexts(), c.texts);
    const bool viewed = std::find(frm.eventos.begin(), frm.eventos.end(), viewer) != frm.eventos.end();
    EXPECT_EQ(viewed, c.viewer);
    EXPECT_EQ(iniName().has_value(), finished);
    EXPECT_FALSE(frm.reloj);
    EXPECT_FALSE(frm.cmdCancel);
    EXPECT_FALSE(frm.barra.visible);
  }
}

TEST_F(MainAction, NoFileTypeMovesTheFocus) {
  frm_.datos.cmbTipo_file = -1;
  EXPECT_FALSE(press());
  EXPECT_EQ(frm_.eventos, std::vector<std::string>{"FOCO cmbTipo_file"});
}

TEST_F(MainAction, AnXmlOnlyRunChecksItsTargetAndUsesNoLog) {
  connectToCopy();
  ctx_.sistema.gsPathLog = file("no-existe/");
  struct Case {
    std::string typed, kept;
  };
  for (const Case& c : {Case{"AT052013", "AT052013.XML"}, Case{"AT052013.xml", "AT052013.xml"}}) {
    SCOPED_TRACE(c.typed);
    writer_.llamadas.clear();
    DatosVentanaATS& d = frm_.datos;
    d.chkValidaFile = 0;
    d.chkXML = 1;
    d.chkfile_XML = {1, 0, 0, 1};
    d.txtFileATS_XML = c.typed;
    ASSERT_TRUE(press());
    ASSERT_EQ(writer_.llamadas.size(), 1u);
    const ParamGeneraXML& x = writer_.llamadas[0];
    EXPECT_EQ(x.sRuc, "0992314702001");
    EXPECT_EQ(x.sMes, "5");
    EXPECT_EQ(x.sAnio, "2013");
    EXPECT_EQ(x.aSecciones, (std::array<std::string, 4>{"1", "0", "0", "1"}));
    EXPECT_EQ(x.frm, &frm_);
    EXPECT_EQ(frm_.txtFileATS_XML(), c.kept);
    EXPECT_EQ(boxTexts().back(), "Archivo " + c.kept + " generado con éxito.");
    EXPECT_EQ(iniName(), c.kept);
  }
  EXPECT_TRUE(import_.pasadas.empty());
  EXPECT_EQ(gsArchivoLog, "");
  EXPECT_EQ(gConexion->state(), vt::db::State::Closed);
}

TEST_F(MainAction, AWriterThatSavedNothingGetsNoSuccessMessageAndNoRecordedName) {
  connectToCopy();
  frm_.datos.chkValidaFile = 0;
  frm_.datos.chkXML = 1;
  frm_.datos.txtFileATS_XML = "AT052013.XML";
  writer_.guardado = false;
  FinProceso fin = FinProceso::Completo;
  EXPECT_FALSE(cmdProcesar_Click(frm_.datos, frm_, import_, writer_, &fin));
  EXPECT_EQ(fin, FinProceso::Fallido) << "the batch program exits with a failure";
  EXPECT_TRUE(boxes_.mensajes.empty()) << lastMessage();
  EXPECT_FALSE(iniName()) << "the name of a file that was not written";
  EXPECT_FALSE(frm_.reloj) << "the window is given back";
  EXPECT_EQ(gConexion->state(), vt::db::State::Closed);
}

// However the stores ended, an annex that was asked for and not written (or refused by the schema)
// fails the run; a name that cannot be recorded changes nothing of how the job ended.
TEST_F(MainAction, TheAnnexAndTheRecordedNameDecideTheEndAfterTheStores) {
  connectToCopy();
  struct Case {
    FinAlmacen almacen;
    bool guardado;
    const char* pathApp;
    FinProceso fin;
    const char* why;
  };
  const Case cases[] = {
      {FinAlmacen::ConRechazos, true, "", FinProceso::ConRechazos, "rows refused, annex written"},
      {FinAlmacen::ConRechazos, false, "", FinProceso::Fallido, "rows refused, annex failed"},
      {FinAlmacen::Completo, false, "", FinProceso::Fallido, "annex failed"},
      {FinAlmacen::Completo, true, "no-existe/", FinProceso::Completo, "name not recorded"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    ctx_.sistema.gsPathApp = *c.pathApp ? file(c.pathApp) : ctx_.sistema.gsPathApp;
    DatosVentanaATS& d = frm_.datos;
    d.chkInfo[0] = 1;
    d.txtfile[0] = file("compras.csv");
    d.chkXML = 1;
    d.txtFileATS_XML = "AT052013.XML";
    import_.finAlmacen = c.almacen;
    writer_.guardado = c.guardado;
    FinProceso fin = FinProceso::Detenido;
    cmdProcesar_Click(frm_.datos, frm_, import_, writer_, &fin);
    EXPECT_EQ(fin, c.fin);
  }
}

TEST_F(MainAction, ARunWhoseNameCannotBeRecordedDoesNotClaimIt) {
  connectToCopy();
  ctx_.sistema.gsPathApp = file("no-existe/");
  frm_.datos.chkValidaFile = 0;
  frm_.datos.chkXML = 1;
  frm_.datos.txtFileATS_XML = "AT052013.XML";
  EXPECT_FALSE(press());
  ASSERT_EQ(writer_.llamadas.size(), 1u);
  EXPECT_EQ(boxTexts().back(), "Archivo AT052013.XML generado con éxito.");
  EXPECT_FALSE(fs::exists(file("no-existe")));
}

TEST_F(MainAction, AStoreOnlyRunLoadsTheNamedSheetsFirst) {
  DatosVentanaATS& d = frm_.datos;
  d.chkSinValidar = 1;
  d.chkInfo = {0, 1, 0, 0};
  d.txtfile[1] = file("ventas.csv");
  ASSERT_TRUE(press());
  ASSERT_EQ(import_.cargas.size(), 1u);
  EXPECT_EQ(import_.cargas[0].asArchivos[1], file("ventas.csv"));
  ASSERT_EQ(import_.pasadas.size(), 1u);
  EXPECT_EQ(import_.pasadas[0].ti_proceso, 2);
}

TEST_F(MainAction, AStoreOnlyRunStopsWhenASheetCannotBeLoaded) {
  DatosVentanaATS& d = frm_.datos;
  d.chkSinValidar = 1;
  d.chkInfo[0] = 1;
  d.txtfile[0] = file("compras.csv");
  import_.errorDeCarga = "Error al cargar archivo compras.csv";
  EXPECT_FALSE(press());
  EXPECT_TRUE(import_.pasadas.empty());
  EXPECT_EQ(boxTexts(),
            std::vector<std::string>{"Proceso cancelado. \r\nError al cargar archivo compras.csv"});
  EXPECT_FALSE(iniName());
  EXPECT_FALSE(frm_.reloj);
}

TEST_F(MainAction, AnErrorRaisedByTheImportIsReportedAndTheWindowGivenBack) {
  frm_.datos.chkInfo[0] = 1;
  frm_.datos.txtfile[0] = file("compras.csv");
  import_.alProcesar = [](ParamProcesoATS&) { throw std::runtime_error("sin validador"); };
  FinProceso fin = FinProceso::Completo;
  EXPECT_FALSE(cmdProcesar_Click(frm_.datos, frm_, import_, writer_, &fin));
  EXPECT_EQ(fin, FinProceso::Fallido);
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_NE(lastMessage().find("sin validador"), std::string::npos) << lastMessage();
  EXPECT_FALSE(frm_.reloj);
  EXPECT_FALSE(frm_.cmdCancel);
  EXPECT_FALSE(frm_.barra.visible);
  EXPECT_FALSE(iniName());
}

TEST(MainActionCancel, TheButtonClearsTheFlagAndDisablesItself) {
  VentanaGrabada frm;
  gbContinuarProceso = true;
  cmdCancel_Click(frm);
  EXPECT_FALSE(gbContinuarProceso);
  EXPECT_FALSE(frm.cmdCancel);
}

class ErrorLogPath : public testing::ShellTest {};

// Only a regular file (or none) is emptied and used as the log; anything else is refused at once.
TEST_F(ErrorLogPath, AFifoOrAFolderAtTheLogPathIsRefusedWithoutWaiting) {
  const std::filesystem::path& folder = temp_.path();
  ASSERT_EQ(::mkfifo((folder / "tolvexError_2013-05.txt").c_str(), 0600), 0);
  EXPECT_FALSE(createErrorLog(folder.string(), "2013", "5"));
  EXPECT_EQ(lastMessage(), "No se pudo crear archivo " + (folder / "tolvexError_2013-05.txt").string() +
                               "\r\nLa ruta no es un archivo común");
  std::filesystem::create_directory(folder / "tolvexError_2013-06.txt");
  EXPECT_FALSE(createErrorLog(folder.string(), "2013", "6"));
  std::ofstream(folder / "tolvexError_2013-07.txt") << "bloque anterior";
  EXPECT_TRUE(createErrorLog(folder.string(), "2013", "7"));
  EXPECT_EQ(std::filesystem::file_size(folder / "tolvexError_2013-07.txt"), 0u);
}

TEST(MainActionNames, LogAndXmlFileNames) {
  EXPECT_EQ(errorLogName("2013", "5"), "tolvexError_2013-05.txt");
  EXPECT_EQ(errorLogName("2013", "12"), "tolvexError_2013-12.txt");
  EXPECT_EQ(xmlFileName(4, "2013"), "AT052013.XML");
  EXPECT_EQ(xmlFileName(11, "2013"), "AT122013.XML");
}

TEST(MainActionNames, TheXmlFolderAndNameAreJoinedByOneSeparator) {
  struct Case {
    std::string folder, path;
  };
  for (const Case& c :
       {Case{"/datos/Salida", "/datos/Salida/AT052013.XML"},
        Case{"/datos/Salida/", "/datos/Salida/AT052013.XML"}, Case{" /datos/ ", "/datos/AT052013.XML"}}) {
    VentanaGrabada frm;
    frm.datos.txtPath = c.folder;
    frm.datos.txtFileATS_XML = "AT052013.XML";
    EXPECT_EQ(xmlFilePath(frm), c.path) << c.folder;
  }
}

}  // namespace
}  // namespace ambrix
