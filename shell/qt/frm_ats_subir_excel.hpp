#pragma once
// The main window frm_ATS_SubirExcel: the company, period and file choices, the options, the
// process, cancel and exit buttons, the progress bar and the status bar. Every widget's object
// name is its control's name ("chkInfo(0)" for an array element). The main action and the import
// see the window through IVentanaATS.

#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "shell/core/inicio.hpp"
#include "shell/core/ventana_ats.hpp"
#include "shell/qt/barra_progreso_qt.hpp"
#include "shell/qt/lista_combo_qt.hpp"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStatusBar;

namespace ambrix::qt {

class TextoConBoton;

// The whole command line, and the host window it names (0: none).
extern std::string gvLineaComando;
extern std::int32_t glHwndPadre;

inline constexpr const char* kCaptionDiseno = "Tolvex - Anexo Transaccional Simplificado";

class frm_ATS_SubirExcel : public QWidget, public IVentanaATS {
  Q_OBJECT

 public:
  // The import and the XML writer the process button runs; they outlive the window.
  frm_ATS_SubirExcel(IImportadorATS& importador, IGeneradorXML& generador, QWidget* parent = nullptr);
  ~frm_ATS_SubirExcel() override;

  // The start-up: the host window named by the command line, centring, caption, description,
  // then the lists and parameters (gfIniciarPrograma), the first company's refresh. The window is
  // shown unless the settings failed, in which case it is closed.
  ResultadoInicio Form_Load(const std::string& sLineaComando);

  // The inputs of the main action as the widgets hold them now.
  DatosVentanaATS datos() const;
  // Whether a main action is running (presses of the process and print buttons are ignored).
  bool enProceso() const { return enProceso_; }

  // IVentanaATS
  IBarraProgreso& prgprogreso() override { return barra_; }
  void XPStatusBar_Panel1(const std::string& sTexto) override;
  void lblTotReg_Caption(const std::string& sTexto) override;
  void lblTotReg_Visible(bool bVisible) override;
  void cmdCancel_Enabled(bool bHabilitado) override;
  int cmbTipo_file_ListIndex() const override;
  std::string txtPath() const override;
  std::string txtFileATS_XML() const override;
  void txtFileATS_XML(const std::string& sTexto) override;
  void PunteroEspera(bool bReloj) override;
  void FocoTipoArchivo() override;
  void DoEvents() override;
  void Refrescar() override;
  void AbrirVisorErrores(const std::string& sTitulo, const std::string& sRuta) override;

  // The path boxes, for the picker.
  TextoConBoton* txtfile(int Index) const { return txtfile_[static_cast<std::size_t>(Index)]; }
  TextoConBoton* txtPathBox() const { return txtPath_; }

  // Handlers of the Part's controls.
  void Chkanio_Click();
  void chkInfo_Click(int Index);
  void chkValidaFile_Click();
  void chkXML_Click();
  void cmbMeses_Click();
  void cmbanios_Click();
  void cmbEmpresas_Click();
  void cmbTipo_file_Click();
  void cmdProcesar_Click();
  void cmdCancel_Click();
  void cmdSalir_Click();
  void cmdImprimir_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void buildSheetFrame();
  void buildXmlFrame();
  void buildRightColumn();
  void connectHandlers();
  void placeSheetRows(bool bVentas);
  void hostGone();

  IImportadorATS& importador_;
  IGeneradorXML& generador_;

  QLabel* lblagente_;
  QComboBox* cmbEmpresas_;
  QLabel* lblPeriodo_;
  QComboBox* cmbMeses_;
  QComboBox* cmbanios_;
  QCheckBox* Chkanio_;
  QLabel* lblTipoFile_;
  QComboBox* cmbTipo_file_;
  QLabel* lblSeparador_;
  QLineEdit* txtSeparador_;
  QCheckBox* chkValidaFile_;
  QFrame* fraArchivo_;
  std::array<QCheckBox*, 4> chkInfo_{};
  std::array<TextoConBoton*, 4> txtfile_{};
  QFrame* pnlVentas_;
  std::array<QRadioButton*, 2> optTipoVentas_{};
  QCheckBox* chkValidaBases_;
  QCheckBox* chkConvertirRUC_;
  QGroupBox* frmParametros_;
  QCheckBox* ChkCabecera_;
  QCheckBox* chkSinValidar_;
  QLabel* Label1_;
  QSpinBox* txtDecimales_;
  QLabel* Label4_;
  QComboBox* cmbValidaCompras_;
  QCheckBox* chkXML_;
  QFrame* fraXML_;
  std::array<QCheckBox*, 4> chkfile_XML_{};
  QLabel* Label2_;
  TextoConBoton* txtPath_;
  QLabel* Label3_;
  QLineEdit* txtFileATS_XML_;
  QPushButton* cmdProcesar_;
  QPushButton* cmdCancel_;
  QPushButton* cmdSalir_;
  QGroupBox* frmImpresion_;
  QRadioButton* optDetalle_;
  QRadioButton* optResumen_;
  QPushButton* cmdImprimir_;
  QProgressBar* prgprogreso_;
  QStatusBar* XPStatusBar_;
  std::array<QLabel*, 2> paneles_{};
  QLabel* lblTotReg_;
  QPlainTextEdit* lblmensaje_;

  BarraProgresoQt barra_;
  std::unique_ptr<ListaComboQt> listaEmpresas_, listaMeses_, listaAnios_, listaTipos_, listaNiveles_;
  bool cargando_ = false;       // the start-up fills the lists: their handlers wait
  bool enProceso_ = false;      // a main action or a print is running
  bool cerrarAlFinal_ = false;  // closing was asked during a run
  bool salirAlFinal_ = false;   // the host window went away during a run
  bool reloj_ = false;
};

}  // namespace ambrix::qt
