// The error-log viewer offscreen: the log's text in either encoding, one window at a time, its
// minimum size, Escape, printing the selection or the whole log to PDF, and a log that cannot be
// read, alone and through the main action.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <filesystem>

#include "platform/errors/error.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/procesar.hpp"
#include "shell/qt/frm_help.hpp"
#include "shell/qt/impresion.hpp"
#include "shell/qt/texto_con_boton.hpp"
#include "tests/qt/ventana_fixture.hpp"
#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/temp_folder.hpp"

namespace ambrix::qt::testing {
namespace {

namespace fs = std::filesystem;

// Two blocks as the validators write them, with accents.
constexpr const char* kLog =
    "COMPRAS - Registro: 2\r\nTipo de identificación no válido: 09\r\n"
    "ANULADOS - Registro: 5\r\nNúmero de autorización errado: ñandú\r\n";
constexpr const char* kPrimerBloque = "COMPRAS - Registro: 2\nTipo de identificación no válido: 09";
constexpr const char* kSegundoBloque = "ANULADOS - Registro: 5\nNúmero de autorización errado: ñandú";

std::string toWindows1252(const std::string& utf8) {
  const QString s = QString::fromUtf8(utf8);
  std::string out;
  for (const QChar c : s) out.push_back(static_cast<char>(c.unicode()));  // all of Latin-1 here
  return out;
}

class VisorTest : public ::testing::Test {
 protected:
  ~VisorTest() override {
    setRespuestaDialogo({});
    if (frmHelp* v = frmHelp::Actual()) delete v;
  }

  frmHelp& abrir(const std::string& bytes) {
    vt::testing::writeFile(log_, bytes);
    return frmHelp::Abrir(kTituloVisorErrores, log_.string());
  }
  QTextEdit* texto(frmHelp& v) const { return v.findChild<QTextEdit*>(QStringLiteral("RTxtfile")); }
  // What pdftotext reads from the PDF, "" when there is no file.
  std::string pdfText() const {
    if (!fs::exists(pdf_)) return "";
    const auto run =
        vt::testing::runCommand("pdftotext -layout " + vt::testing::quoted(pdf_.string()) + " -");
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
  }
  // The print dialog answered by writing the PDF; what the dialog offered is kept.
  void imprimirAPdf() {
    setRespuestaDialogo([this](QPrintDialog& d) {
      ofrecioSeleccion_ = d.testOption(QAbstractPrintDialog::PrintSelection);
      rango_ = d.printRange();
      d.printer()->setOutputFormat(QPrinter::PdfFormat);
      d.printer()->setOutputFileName(QString::fromStdString(pdf_.string()));
      return static_cast<int>(QDialog::Accepted);
    });
  }

  vt::testing::TempFolder temp_{"visor"};
  fs::path log_ = temp_.path() / "tolvexError_2013-05.txt";
  fs::path pdf_ = temp_.path() / "log.pdf";
  bool ofrecioSeleccion_ = false;
  QAbstractPrintDialog::PrintRange rango_ = QAbstractPrintDialog::AllPages;
};

TEST_F(VisorTest, ShowsTheLogAsWrittenInEitherEncoding) {
  struct Case {
    std::string bytes;
    const char* reason;
  };
  const Case cases[] = {
      {kLog, "UTF-8, as the program writes it"},
      {"\xEF\xBB\xBF" + std::string(kLog), "UTF-8 with a byte-order mark, which is no text"},
      {toWindows1252(kLog), "a copy saved on Windows: not valid UTF-8, read as Windows-1252"},
  };
  for (const Case& c : cases) {
    frmHelp& v = abrir(c.bytes);
    EXPECT_EQ(texto(v)->toPlainText().toStdString(),
              std::string(kPrimerBloque) + "\n" + kSegundoBloque + "\n")
        << c.reason;
    EXPECT_EQ(v.windowTitle().toStdString(), "Consulta de Archivo de errores") << c.reason;
    EXPECT_TRUE(v.isVisible()) << c.reason;
    EXPECT_FALSE(v.isModal()) << c.reason;
  }
}

TEST_F(VisorTest, ASecondOpeningReloadsTheSameWindow) {
  frmHelp& primero = abrir(kLog);
  frmHelp& segundo = abrir("VENTAS - Registro: 3\r\n");
  EXPECT_EQ(&primero, &segundo);
  EXPECT_EQ(texto(segundo)->toPlainText(), QStringLiteral("VENTAS - Registro: 3\n"));
  int visores = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<frmHelp*>(w)) ++visores;
  EXPECT_EQ(visores, 1);
}

TEST_F(VisorTest, NeverSmallerThanItsMinimum) {
  frmHelp& v = abrir(kLog);
  EXPECT_EQ(v.minimumSize(), QSize(572, 269));
  for (const QSize pedido : {QSize(300, 600), QSize(800, 100), QSize(10, 10)}) {
    v.resize(pedido);
    EXPECT_GE(v.width(), 572) << pedido.width() << "x" << pedido.height();
    EXPECT_GE(v.height(), 269) << pedido.width() << "x" << pedido.height();
  }
}

TEST_F(VisorTest, EscapeClosesWhereverTheFocusIs) {
  for (const char* foco : {"RTxtfile", "cmdImprimir", "cmdCancelar"}) {
    frmHelp& v = abrir(kLog);
    QPointer<frmHelp> visor(&v);
    v.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&v)) << foco;
    QWidget* w = v.findChild<QWidget*>(QString::fromLatin1(foco));
    w->setFocus();
    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_FALSE(v.isVisible()) << foco;
    EXPECT_EQ(frmHelp::Actual(), nullptr) << foco;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(visor.isNull()) << foco << ": the window is unloaded";
  }
}

TEST_F(VisorTest, CancelarClosesTheWindow) {
  frmHelp& v = abrir(kLog);
  v.findChild<QPushButton*>(QStringLiteral("cmdCancelar"))->click();
  EXPECT_FALSE(v.isVisible());
  EXPECT_EQ(frmHelp::Actual(), nullptr);
}

TEST_F(VisorTest, PrintsOnlyTheSelectedBlock) {
  frmHelp& v = abrir(kLog);
  QTextCursor c = texto(v)->textCursor();
  c.setPosition(static_cast<int>(QString::fromUtf8(kPrimerBloque).size()) + 1);
  c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  texto(v)->setTextCursor(c);
  imprimirAPdf();
  v.findChild<QPushButton*>(QStringLiteral("cmdImprimir"))->click();
  EXPECT_TRUE(ofrecioSeleccion_);
  EXPECT_EQ(rango_, QAbstractPrintDialog::Selection);
  const std::string impreso = pdfText();
  EXPECT_NE(impreso.find("ANULADOS - Registro: 5"), std::string::npos) << impreso;
  EXPECT_NE(impreso.find("Número de autorización errado: ñandú"), std::string::npos) << impreso;
  EXPECT_EQ(impreso.find("COMPRAS"), std::string::npos) << impreso;
  EXPECT_TRUE(v.isVisible());
}

TEST_F(VisorTest, WithoutASelectionPrintsTheWholeLog) {
  frmHelp& v = abrir(kLog);
  imprimirAPdf();
  v.findChild<QPushButton*>(QStringLiteral("cmdImprimir"))->click();
  EXPECT_FALSE(ofrecioSeleccion_);
  EXPECT_EQ(rango_, QAbstractPrintDialog::AllPages);
  const std::string impreso = pdfText();
  EXPECT_NE(impreso.find("COMPRAS - Registro: 2"), std::string::npos) << impreso;
  EXPECT_NE(impreso.find("no válido: 09"), std::string::npos) << impreso;  // "fi" may print as one glyph
  EXPECT_NE(impreso.find("ANULADOS - Registro: 5"), std::string::npos) << impreso;
}

TEST_F(VisorTest, ACancelledPrintDialogWritesNothing) {
  frmHelp& v = abrir(kLog);
  texto(v)->selectAll();
  setRespuestaDialogo([this](QPrintDialog& d) {
    d.printer()->setOutputFormat(QPrinter::PdfFormat);
    d.printer()->setOutputFileName(QString::fromStdString(pdf_.string()));
    return static_cast<int>(QDialog::Rejected);
  });
  v.findChild<QPushButton*>(QStringLiteral("cmdImprimir"))->click();
  EXPECT_FALSE(fs::exists(pdf_));
  EXPECT_TRUE(v.isVisible());
}

TEST_F(VisorTest, ALogThatCannotBeReadRaisesAndLeavesTheShownWindowAsItWas) {
  struct Case {
    fs::path ruta;
    long numero;
    const char* reason;
  };
  frmHelp& v = abrir(kLog);
  const Case cases[] = {
      {temp_.path() / "no-existe.txt", 53, "missing"},
      {temp_.path(), 75, "a folder"},
      {fs::path(), 53, "no name"},
  };
  for (const Case& c : cases) {
    try {
      frmHelp::Abrir("otro", c.ruta.string());
      ADD_FAILURE() << c.reason << ": no error";
    } catch (const vt::Error& e) {
      EXPECT_EQ(e.number(), c.numero) << c.reason;
    }
    EXPECT_EQ(frmHelp::Actual(), &v) << c.reason;
    EXPECT_EQ(v.windowTitle().toStdString(), "Consulta de Archivo de errores") << c.reason;
    EXPECT_TRUE(texto(v)->toPlainText().startsWith(QStringLiteral("COMPRAS"))) << c.reason;
  }
}

TEST_F(VentanaTest, AMissingLogIsReportedByTheMainActionAndTheWindowGoesOn) {
  ASSERT_EQ(load(), ResultadoInicio::Completo);
  const std::string hoja = (temp_.path() / "compras.csv").string();
  vt::testing::writeFile(hoja, "cabecera\r\n");
  check("chkInfo(0)")->click();
  control<TextoConBoton>("txtfile(0)")->setText(QString::fromStdString(hoja));
  // A store with refused rows opens the log without asking; here it is gone by then.
  importador_.estados = {"OK", "OK-ERROR"};
  importador_.alProcesar = [](ParamProcesoATS&) { fs::remove(gsRutaLog); };
  control<QPushButton>("cmdProcesar")->click();
  ASSERT_GE(boxes_.mensajes.size(), 2u);
  EXPECT_EQ(boxes_.mensajes[boxes_.mensajes.size() - 2].texto,
            "Ocurrió un error \r\nError: 53\r\nNo se encontró el archivo(" + std::string(gsTitulo) + ")");
  EXPECT_EQ(frmHelp::Actual(), nullptr);
  EXPECT_FALSE(ventana_.enProceso());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  // The window goes on: the next run opens the log it writes.
  importador_.estados = {"OK", "OK-ERROR", "ERROR"};
  importador_.alProcesar = [](ParamProcesoATS&) { vt::testing::writeFile(gsRutaLog, kLog); };
  boxes_.responder(vt::Respuesta::Si);
  control<QPushButton>("cmdProcesar")->click();
  ASSERT_NE(frmHelp::Actual(), nullptr) << lastMessage();
  EXPECT_TRUE(
      frmHelp::Actual()->findChild<QTextEdit*>()->toPlainText().startsWith(QStringLiteral("COMPRAS")));
  delete frmHelp::Actual();
}

}  // namespace
}  // namespace ambrix::qt::testing
