#pragma once
// frmHelp: the error-log viewer. One window at a time, never modal; it shows a text file and
// prints it, or the selected part of it, through the print dialog.

#include <QDialog>
#include <string>

class QPushButton;
class QTextEdit;

namespace ambrix::qt {

class frmHelp : public QDialog {
  Q_OBJECT

 public:
  // The minimum size, 8580 x 4035 twips.
  static const QSize kTamanoMinimo;

  // The opener: the one viewer (created on first use, else reused and raised) with the caption
  // and the file's text, shown without blocking the caller. Raises a vt::Error when the file
  // cannot be read, without showing a box of its own; a viewer already shown stays as it was.
  static frmHelp& Abrir(const std::string& sTitulo, const std::string& sRuta, QWidget* parent = nullptr);
  // The viewer on screen, nullptr when none is.
  static frmHelp* Actual();

  explicit frmHelp(QWidget* parent = nullptr);
  ~frmHelp() override;

  // Loads the file as plain text: UTF-8, or Windows-1252 when the bytes are not valid UTF-8.
  void CargarArchivo(const std::string& sRuta);

  void cmdImprimir_Click();
  void cmdCancelar_Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QTextEdit* RTxtfile_;
  QPushButton* cmdImprimir_;
  QPushButton* cmdCancelar_;
  bool centrado_ = false;
};

}  // namespace ambrix::qt
