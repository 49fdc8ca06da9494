#include "shell/qt/frm_help.hpp"

#include <QHBoxLayout>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QVBoxLayout>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/profile/text_decoding.hpp"
#include "platform/errors/runtime_errors.hpp"
#include "shell/core/globals.hpp"
#include "shell/qt/centra_form.hpp"
#include "shell/qt/impresion.hpp"
#include "shell/qt/twips.hpp"

namespace ambrix::qt {

const QSize frmHelp::kTamanoMinimo{Twips(8580), Twips(4035)};

namespace {

constexpr const char* kFuente = "DejaVu Sans";

QPointer<frmHelp>& visor() {
  static QPointer<frmHelp> actual;
  return actual;
}

// The file's bytes; a file that is missing or cannot be read raises its run-time error.
std::string leerBytes(const std::string& sRuta) {
  std::error_code ec;
  if (sRuta.empty() || !std::filesystem::is_regular_file(sRuta, ec)) {
    if (std::filesystem::exists(sRuta, ec)) vt::raiseRuntimeError(vt::kErrPathAccess, gsTitulo);
    vt::raiseRuntimeError(vt::kErrFileNotFound, gsTitulo);
  }
  std::ifstream in(sRuta, std::ios::binary);
  if (!in) vt::raiseRuntimeError(vt::kErrPathAccess, gsTitulo);
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) vt::raiseRuntimeError(vt::kErrPathAccess, gsTitulo);
  return bytes;
}

// The log's lines end at CR LF; the text box keeps a lone CR as a character of its own.
QString textoDelArchivo(const std::string& sRuta) {
  QString texto = QString::fromStdString(vt::decodeTextFile(leerBytes(sRuta)));
  texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return texto;
}

}  // namespace

frmHelp& frmHelp::Abrir(const std::string& sTitulo, const std::string& sRuta, QWidget* parent) {
  QPointer<frmHelp>& actual = visor();
  const bool nuevo = actual.isNull();
  // Read before anything changes on screen, so that a failure leaves every window as it was.
  const QString texto = textoDelArchivo(sRuta);
  if (nuevo) actual = new frmHelp(parent);
  frmHelp& f = *actual;
  f.setWindowTitle(QString());
  f.setWindowTitle(QString::fromStdString(sTitulo));
  f.RTxtfile_->setPlainText(texto);
  f.show();
  f.raise();
  f.activateWindow();
  return f;
}

frmHelp* frmHelp::Actual() { return visor().data(); }

frmHelp::frmHelp(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmHelp"));
  setModal(false);
  setFont(QFont(QString::fromLatin1(kFuente), 8));
  setMinimumSize(kTamanoMinimo);
  resize(Twips(9600), Twips(6600));

  RTxtfile_ = new QTextEdit(this);
  RTxtfile_->setObjectName(QStringLiteral("RTxtfile"));
  RTxtfile_->setAcceptRichText(false);
  RTxtfile_->setReadOnly(true);
  RTxtfile_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  RTxtfile_->setLineWrapMode(QTextEdit::NoWrap);

  cmdImprimir_ = new QPushButton(QStringLiteral("&Imprimir"), this);
  cmdImprimir_->setObjectName(QStringLiteral("cmdImprimir"));
  cmdImprimir_->setAutoDefault(false);
  cmdCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
  cmdCancelar_->setObjectName(QStringLiteral("cmdCancelar"));
  cmdCancelar_->setAutoDefault(false);

  auto* botones = new QHBoxLayout;
  botones->addStretch();
  botones->addWidget(cmdImprimir_);
  botones->addWidget(cmdCancelar_);
  auto* columna = new QVBoxLayout(this);
  columna->addWidget(RTxtfile_, 1);
  columna->addLayout(botones);

  connect(cmdImprimir_, &QPushButton::clicked, this, [this]() { cmdImprimir_Click(); });
  connect(cmdCancelar_, &QPushButton::clicked, this, [this]() { cmdCancelar_Click(); });
  // Escape wherever the focus is, the close box and cmdCancelar all end in reject(): the window
  // is unloaded, and the next opening makes a new one.
  connect(this, &QDialog::rejected, this, [this]() {
    if (visor() == this) visor().clear();
    deleteLater();
  });
}

frmHelp::~frmHelp() = default;

void frmHelp::CargarArchivo(const std::string& sRuta) { RTxtfile_->setPlainText(textoDelArchivo(sRuta)); }

void frmHelp::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!centrado_) {
    centrado_ = true;
    gsCentraForm(*this);
  }
}

// The selection when there is one and the dialog kept it as the range, else the whole text.
void frmHelp::cmdImprimir_Click() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dlgPrint(&printer, this);
  dlgPrint.setObjectName(QStringLiteral("dlgPrint"));
  const bool seleccion = RTxtfile_->textCursor().hasSelection();
  dlgPrint.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dlgPrint.setOption(QAbstractPrintDialog::PrintSelection, seleccion);
  dlgPrint.setPrintRange(seleccion ? QAbstractPrintDialog::Selection : QAbstractPrintDialog::AllPages);
  if (ejecutarDialogo(dlgPrint) != QDialog::Accepted) return;
  if (seleccion && printer.printRange() == QPrinter::Selection) {
    QTextDocument parte;
    parte.setDefaultFont(RTxtfile_->document()->defaultFont());
    QTextCursor(&parte).insertFragment(RTxtfile_->textCursor().selection());
    parte.print(&printer);
  } else {
    RTxtfile_->document()->print(&printer);
  }
}

void frmHelp::cmdCancelar_Click() { reject(); }

}  // namespace ambrix::qt
