#include "shell/qt/frm_ats_subir_excel.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>

#include "shell/core/avisos.hpp"
#include "shell/core/fecha_actual.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/procesar.hpp"
#include "shell/core/talon_resumen.hpp"
#include "ambrix/version.hpp"
#include "shell/qt/anfitrion.hpp"
#include "shell/qt/centra_form.hpp"
#include "shell/qt/examinar.hpp"
#include "shell/qt/frm_help.hpp"
#include "shell/qt/impresora_reporte_qt.hpp"
#include "shell/qt/texto_con_boton.hpp"
#include "shell/qt/twips.hpp"

namespace ambrix::qt {

std::string gvLineaComando;
std::int32_t glHwndPadre = 0;

namespace {

constexpr const char* kMensajeDescripcion =
    "Importa la información desde un achivo Excel. Valida y genera archivo 'ATmmaaaa.XML' "
    "para un periodo específico.\n\nFicha técnica: Ene-2009   DIMM: ver 1.0.2\n\n";

constexpr std::array<const char*, 4> kHojas{"Compras", "Ventas", "Anulados", "Exportac."};

// The design sizes, in twips.
constexpr int kAnchoVentana = 10920;
constexpr int kAltoVentana = 7500;
constexpr int kAltoFila = 315;
constexpr int kTopFraArchivo = 2280;
constexpr int kAltoFraArchivo = 1725;
constexpr int kAltoFraArchivoVentas = 2460;
constexpr int kTopChkXML = 4260;
constexpr int kTopChkXMLVentas = 4920;
constexpr int kTopPnlVentas = 1620;
constexpr int kTopPnlVentasVisible = 900;
constexpr int kAltoPnlVentas = 735;
constexpr std::array<int, 4> kTopFilas{180, 540, 900, 1260};
constexpr int kSeparacionFraXML = 330;

void place(QWidget* w, int left, int top, int width, int height) {
  w->setGeometry(Twips(left), Twips(top), Twips(width), Twips(height));
}

QString indexed(const char* control, std::size_t i) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(control)).arg(i);
}

template <typename W>
W* named(W* w, const QString& nombre) {
  w->setObjectName(nombre);
  return w;
}

int checked(const QCheckBox* c) { return c->isChecked() ? 1 : 0; }

std::string text(const QLineEdit* e) { return e->text().toStdString(); }

}  // namespace

frm_ATS_SubirExcel::frm_ATS_SubirExcel(IImportadorATS& importador, IGeneradorXML& generador, QWidget* parent)
    : QWidget(parent),
      importador_(importador),
      generador_(generador),
      barra_(*named(new QProgressBar(this), QStringLiteral("prgprogreso"))) {
  setObjectName(QStringLiteral("frm_ATS_SubirExcel"));
  setWindowTitle(QString::fromUtf8(kCaptionDiseno));
  QFont letra(QStringLiteral("DejaVu Sans"));
  letra.setPointSize(8);
  setFont(letra);
  setFixedSize(Twips(kAnchoVentana), Twips(kAltoVentana));
  prgprogreso_ = findChild<QProgressBar*>(QStringLiteral("prgprogreso"));
  buildControls();
  listaEmpresas_ = std::make_unique<ListaComboQt>(*cmbEmpresas_);
  listaMeses_ = std::make_unique<ListaComboQt>(*cmbMeses_);
  listaAnios_ = std::make_unique<ListaComboQt>(*cmbanios_);
  listaTipos_ = std::make_unique<ListaComboQt>(*cmbTipo_file_);
  listaNiveles_ = std::make_unique<ListaComboQt>(*cmbValidaCompras_);
  connectHandlers();
}

frm_ATS_SubirExcel::~frm_ATS_SubirExcel() { PunteroEspera(false); }

void frm_ATS_SubirExcel::buildControls() {
  lblagente_ = named(new QLabel(QStringLiteral("Empresa:"), this), QStringLiteral("lblagente"));
  cmbEmpresas_ = named(new QComboBox(this), QStringLiteral("cmbEmpresas"));
  place(lblagente_, 120, 210, 1200, 255);
  place(cmbEmpresas_, 1380, 180, 5340, kAltoFila);
  // The item text pads the name with 150 blanks before the RUC: the list must not widen for them.
  cmbEmpresas_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cmbEmpresas_->setMinimumContentsLength(20);

  lblPeriodo_ = named(new QLabel(QStringLiteral("Periodo:"), this), QStringLiteral("lblPeriodo"));
  cmbMeses_ = named(new QComboBox(this), QStringLiteral("cmbMeses"));
  cmbanios_ = named(new QComboBox(this), QStringLiteral("cmbanios"));
  Chkanio_ = named(new QCheckBox(QStringLiteral("Año completo"), this), QStringLiteral("Chkanio"));
  place(lblPeriodo_, 120, 750, 1200, 255);
  place(cmbMeses_, 1380, 720, 1800, kAltoFila);
  place(cmbanios_, 3240, 720, 1080, kAltoFila);
  place(Chkanio_, 4560, 735, 2160, 285);

  lblTipoFile_ = named(new QLabel(QStringLiteral("Tipo archivo:"), this), QStringLiteral("lblTipoFile"));
  cmbTipo_file_ = named(new QComboBox(this), QStringLiteral("cmbTipo_file"));
  cmbTipo_file_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cmbTipo_file_->setMinimumContentsLength(12);
  lblSeparador_ = named(new QLabel(QStringLiteral("Delimitador:"), this), QStringLiteral("lblSeparador"));
  txtSeparador_ = named(new QLineEdit(this), QStringLiteral("txtSeparador"));
  place(lblTipoFile_, 120, 1290, 1200, 255);
  place(cmbTipo_file_, 1380, 1260, 2940, kAltoFila);
  place(lblSeparador_, 4560, 1290, 1080, 255);
  place(txtSeparador_, 5700, 1260, 600, kAltoFila);
  lblSeparador_->hide();
  txtSeparador_->hide();

  chkValidaFile_ = named(new QCheckBox(QStringLiteral("VALIDACION. Seleccione archivos:"), this),
                         QStringLiteral("chkValidaFile"));
  chkValidaFile_->setChecked(true);
  place(chkValidaFile_, 120, 1935, 6600, 285);
  buildSheetFrame();

  chkXML_ = named(new QCheckBox(QStringLiteral("GENERACION . Seleccione items para archivo XML:"), this),
                  QStringLiteral("chkXML"));
  buildXmlFrame();
  buildRightColumn();

  place(prgprogreso_, 120, 6840, kAnchoVentana - 240, 255);
  prgprogreso_->setTextVisible(false);
  prgprogreso_->hide();
  XPStatusBar_ = named(new QStatusBar(this), QStringLiteral("XPStatusBar"));
  XPStatusBar_->setSizeGripEnabled(false);
  place(XPStatusBar_, 0, 7170, kAnchoVentana, 330);
  for (std::size_t i = 0; i < paneles_.size(); ++i) {
    paneles_[i] = named(new QLabel(XPStatusBar_), indexed("Panels", i + 1));
    paneles_[i]->setFrameShape(QFrame::StyledPanel);
    paneles_[i]->setFrameShadow(QFrame::Sunken);
  }
  paneles_[0]->setToolTip(QStringLiteral("Accion"));
  paneles_[1]->setToolTip(QStringLiteral("Progreso"));
  XPStatusBar_->addWidget(paneles_[0], 3);
  XPStatusBar_->addWidget(paneles_[1], 1);
  placeSheetRows(false);
}

void frm_ATS_SubirExcel::buildSheetFrame() {
  fraArchivo_ = named(new QFrame(this), QStringLiteral("fraArchivo"));
  fraArchivo_->setFrameShape(QFrame::StyledPanel);
  for (std::size_t i = 0; i < kHojas.size(); ++i) {
    chkInfo_[i] = named(new QCheckBox(QString::fromUtf8(kHojas[i]), fraArchivo_), indexed("chkInfo", i));
    txtfile_[i] = named(new TextoConBoton(QStringLiteral("Buscar..."), fraArchivo_), indexed("txtfile", i));
    txtfile_[i]->setToolTip(QStringLiteral("Seleccione archivo de compras"));
    txtfile_[i]->setEnabled(false);
  }
  pnlVentas_ = named(new QFrame(fraArchivo_), QStringLiteral("pnlVentas"));
  optTipoVentas_[0] = named(new QRadioButton(QStringLiteral("Acumuladas x cliente"), pnlVentas_),
                            QStringLiteral("optTipoVentas(0)"));
  optTipoVentas_[1] = named(new QRadioButton(QStringLiteral("Una a una (Tolvex las acumula)"), pnlVentas_),
                            QStringLiteral("optTipoVentas(1)"));
  optTipoVentas_[1]->setChecked(true);
  chkValidaBases_ = named(new QCheckBox(QStringLiteral("Existen retenciones meses anteriores"), pnlVentas_),
                          QStringLiteral("chkValidaBases"));
  chkConvertirRUC_ =
      named(new QCheckBox(QStringLiteral("Convertir RUC y Cédulas no válidas a Consum. Final"), pnlVentas_),
            QStringLiteral("chkConvertirRUC"));
  place(optTipoVentas_[0], 240, 0, 2520, 240);
  place(optTipoVentas_[1], 2880, 0, 3360, 240);
  place(chkValidaBases_, 240, 247, 6000, 240);
  place(chkConvertirRUC_, 240, 494, 6000, 240);
  pnlVentas_->hide();
}

void frm_ATS_SubirExcel::buildXmlFrame() {
  fraXML_ = named(new QFrame(this), QStringLiteral("fraXML"));
  fraXML_->setFrameShape(QFrame::StyledPanel);
  for (std::size_t i = 0; i < kHojas.size(); ++i) {
    chkfile_XML_[i] = named(new QCheckBox(QString::fromUtf8(kHojas[i]), fraXML_), indexed("chkfile_XML", i));
    chkfile_XML_[i]->setChecked(true);
    place(chkfile_XML_[i], 240 + static_cast<int>(i) * 1560, 150, 1500, 285);
  }
  Label2_ = named(new QLabel(QStringLiteral("Carpeta:"), fraXML_), QStringLiteral("Label2"));
  txtPath_ = named(new TextoConBoton(QStringLiteral("Seleccionar..."), fraXML_), QStringLiteral("txtPath"));
  txtPath_->setToolTip(QStringLiteral("Seleccione carpeta en que se guardará archivo XML"));
  Label3_ = named(new QLabel(QStringLiteral("Archivo:"), fraXML_), QStringLiteral("Label3"));
  txtFileATS_XML_ = named(new QLineEdit(fraXML_), QStringLiteral("txtFileATS_XML"));
  place(Label2_, 240, 585, 1020, 255);
  place(txtPath_, 1320, 555, 5040, kAltoFila);
  place(Label3_, 240, 990, 1020, 255);
  place(txtFileATS_XML_, 1320, 960, 2880, kAltoFila);
  fraXML_->hide();
  fraXML_->setEnabled(false);
}

void frm_ATS_SubirExcel::buildRightColumn() {
  constexpr int x = 6960;
  constexpr int ancho = 3840;
  lblmensaje_ = named(new QPlainTextEdit(this), QStringLiteral("lblmensaje"));
  lblmensaje_->setReadOnly(true);
  lblmensaje_->setFrameShape(QFrame::NoFrame);
  lblmensaje_->setBackgroundVisible(false);
  lblmensaje_->viewport()->setAutoFillBackground(false);
  lblmensaje_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  place(lblmensaje_, x, 120, ancho, 1440);

  frmParametros_ = named(new QGroupBox(QStringLiteral("Parámetros"), this), QStringLiteral("frmParametros"));
  place(frmParametros_, x, 1620, ancho, 2100);
  ChkCabecera_ = named(new QCheckBox(QStringLiteral("Primera fila cabecera"), frmParametros_),
                       QStringLiteral("ChkCabecera"));
  ChkCabecera_->setChecked(true);
  chkSinValidar_ = named(new QCheckBox(QStringLiteral("Subir sin Validar"), frmParametros_),
                         QStringLiteral("chkSinValidar"));
  chkSinValidar_->setToolTip(
      QStringLiteral("Marque solo cuando este seguro que la información esta correcta"));
  Label1_ =
      named(new QLabel(QStringLiteral("Tolerancia redondeo +/-:"), frmParametros_), QStringLiteral("Label1"));
  txtDecimales_ = named(new QSpinBox(frmParametros_), QStringLiteral("txtDecimales"));
  txtDecimales_->setRange(0, 2);
  txtDecimales_->setToolTip(QStringLiteral("Cantidad de decimales en las cuales permitir error"));
  Label4_ =
      named(new QLabel(QStringLiteral("Validar en Compras:"), frmParametros_), QStringLiteral("Label4"));
  cmbValidaCompras_ = named(new QComboBox(frmParametros_), QStringLiteral("cmbValidaCompras"));
  place(ChkCabecera_, 180, 330, 3480, 285);
  place(chkSinValidar_, 180, 660, 3480, 285);
  place(Label1_, 180, 1020, 2400, 255);
  place(txtDecimales_, 2700, 990, 780, kAltoFila);
  place(Label4_, 180, 1380, 3480, 255);
  place(cmbValidaCompras_, 180, 1650, 3480, kAltoFila);

  frmImpresion_ = named(new QGroupBox(this), QStringLiteral("frmImpresion"));
  place(frmImpresion_, x, 3840, ancho, 1080);
  optDetalle_ =
      named(new QRadioButton(QStringLiteral("Talón Detalle"), frmImpresion_), QStringLiteral("optDetalle"));
  optResumen_ =
      named(new QRadioButton(QStringLiteral("Talón Resum."), frmImpresion_), QStringLiteral("optResumen"));
  cmdImprimir_ =
      named(new QPushButton(QStringLiteral("Im&primir      "), frmImpresion_), QStringLiteral("cmdImprimir"));
  optResumen_->setChecked(true);
  place(optDetalle_, 180, 210, 1800, 285);
  place(optResumen_, 2040, 210, 1680, 285);
  place(cmdImprimir_, 2040, 570, 1680, 375);

  cmdProcesar_ =
      named(new QPushButton(QStringLiteral("&Iniciar          "), this), QStringLiteral("cmdProcesar"));
  cmdCancel_ = named(new QPushButton(this), QStringLiteral("cmdCancel"));
  cmdCancel_->setIcon(style()->standardIcon(QStyle::SP_BrowserStop));
  cmdCancel_->setEnabled(false);
  cmdSalir_ = named(new QPushButton(QStringLiteral("&Salir            "), this), QStringLiteral("cmdSalir"));
  place(cmdProcesar_, x, 5100, 1560, 420);
  place(cmdCancel_, x + 1650, 5100, 540, 420);
  place(cmdSalir_, x + ancho - 1560, 5100, 1560, 420);

  lblTotReg_ = named(new QLabel(this), QStringLiteral("lblTotReg"));
  place(lblTotReg_, x, 5640, ancho, 285);
}

void frm_ATS_SubirExcel::connectHandlers() {
  connect(Chkanio_, &QCheckBox::clicked, this, [this]() { Chkanio_Click(); });
  for (std::size_t i = 0; i < chkInfo_.size(); ++i) {
    connect(chkInfo_[i], &QCheckBox::toggled, this, [this, i]() { chkInfo_Click(static_cast<int>(i)); });
    connect(txtfile_[i], &TextoConBoton::ButtonClick, this,
            [this, i]() { txtfile_ButtonClick(*this, static_cast<int>(i)); });
  }
  connect(txtPath_, &TextoConBoton::ButtonClick, this, [this]() { txtPath_ButtonClick(*this); });
  connect(chkValidaFile_, &QCheckBox::toggled, this, [this]() { chkValidaFile_Click(); });
  connect(chkXML_, &QCheckBox::toggled, this, [this]() { chkXML_Click(); });
  connect(cmbMeses_, &QComboBox::currentIndexChanged, this, [this]() { cmbMeses_Click(); });
  connect(cmbanios_, &QComboBox::currentIndexChanged, this, [this]() { cmbanios_Click(); });
  connect(cmbEmpresas_, &QComboBox::currentIndexChanged, this, [this]() { cmbEmpresas_Click(); });
  connect(cmbTipo_file_, &QComboBox::currentIndexChanged, this, [this]() { cmbTipo_file_Click(); });
  connect(cmdProcesar_, &QPushButton::clicked, this, [this]() { cmdProcesar_Click(); });
  connect(cmdCancel_, &QPushButton::clicked, this, [this]() { cmdCancel_Click(); });
  connect(cmdSalir_, &QPushButton::clicked, this, [this]() { cmdSalir_Click(); });
  connect(cmdImprimir_, &QPushButton::clicked, this, [this]() { cmdImprimir_Click(); });
  // Enter moves on to the next control in these.
  for (QWidget* w : std::initializer_list<QWidget*>{ChkCabecera_, chkValidaBases_, cmbanios_, cmbEmpresas_,
                                                    cmbMeses_, txtSeparador_})
    w->installEventFilter(this);
}

ResultadoInicio frm_ATS_SubirExcel::Form_Load(const std::string& sLineaComando) {
  gvLineaComando = sLineaComando;
  glHwndPadre = hostWindowId(sLineaComando).value_or(0);
  if (glHwndPadre != 0 && !embedInHost(*this, glHwndPadre, [this]() { hostGone(); })) glHwndPadre = 0;
  gsCentraForm(*this);

  setWindowTitle(QString::fromUtf8(kCaptionDiseno) + QStringLiteral(" (ATS) versión: ") +
                 QString::fromUtf8(kVersionTexto));
  gsCentraForm(*this);
  lblmensaje_->setPlainText(QString::fromUtf8(kMensajeDescripcion));

  ListasVentanaATS listas{*listaEmpresas_, *listaMeses_, *listaAnios_, *listaTipos_, *listaNiveles_};
  cargando_ = true;
  const ResultadoInicio resultado = gfIniciarPrograma(listas, currentDateTime().date);
  cargando_ = false;
  if (resultado == ResultadoInicio::ConfiguracionFallida) {
    close();
    return resultado;
  }
  cmbTipo_file_Click();
  show();
  // Selecting the first company refreshes the XML file name.
  if (resultado == ResultadoInicio::Completo) chkXML_Click();
  return resultado;
}

DatosVentanaATS frm_ATS_SubirExcel::datos() const {
  DatosVentanaATS d;
  d.chkValidaFile = checked(chkValidaFile_);
  d.chkXML = checked(chkXML_);
  d.cmbTipo_file = cmbTipo_file_->currentIndex();
  for (std::size_t i = 0; i < chkInfo_.size(); ++i) {
    d.chkInfo[i] = checked(chkInfo_[i]);
    d.txtfile[i] = txtfile_[i]->text().toStdString();
    d.chkfile_XML[i] = checked(chkfile_XML_[i]);
  }
  d.txtPath = txtPath_->text().toStdString();
  d.txtFileATS_XML = text(txtFileATS_XML_);
  d.sItemEmpresa = listaEmpresas_->List(listaEmpresas_->ListIndex());
  d.cmbMeses_ItemData = listaMeses_->ItemData(listaMeses_->ListIndex());
  d.cmbanios = listaAnios_->List(listaAnios_->ListIndex());
  d.Chkanio = checked(Chkanio_);
  d.optTipoVentas = optTipoVentas_[0]->isChecked() ? 0 : 1;
  d.chkValidaBases = checked(chkValidaBases_);
  d.chkConvertirRUC = checked(chkConvertirRUC_);
  d.txtDecimales = txtDecimales_->value();
  d.txtSeparador = text(txtSeparador_);
  d.ChkCabecera = checked(ChkCabecera_);
  d.cmbValidaCompras = cmbValidaCompras_->currentIndex();
  d.chkSinValidar = checked(chkSinValidar_);
  return d;
}

void frm_ATS_SubirExcel::XPStatusBar_Panel1(const std::string& sTexto) {
  paneles_[0]->setText(QString::fromStdString(sTexto));
}

void frm_ATS_SubirExcel::lblTotReg_Caption(const std::string& sTexto) {
  lblTotReg_->setText(QString::fromStdString(sTexto));
}

void frm_ATS_SubirExcel::lblTotReg_Visible(bool bVisible) { lblTotReg_->setVisible(bVisible); }

void frm_ATS_SubirExcel::cmdCancel_Enabled(bool bHabilitado) { cmdCancel_->setEnabled(bHabilitado); }

int frm_ATS_SubirExcel::cmbTipo_file_ListIndex() const { return cmbTipo_file_->currentIndex(); }

std::string frm_ATS_SubirExcel::txtPath() const { return txtPath_->text().toStdString(); }

std::string frm_ATS_SubirExcel::txtFileATS_XML() const { return text(txtFileATS_XML_); }

void frm_ATS_SubirExcel::txtFileATS_XML(const std::string& sTexto) {
  txtFileATS_XML_->setText(QString::fromStdString(sTexto));
}

// A state, not a stack: the main action asks for the default pointer more than once per run.
void frm_ATS_SubirExcel::PunteroEspera(bool bReloj) {
  if (bReloj == reloj_) return;
  reloj_ = bReloj;
  if (bReloj)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void frm_ATS_SubirExcel::FocoTipoArchivo() { cmbTipo_file_->setFocus(); }

void frm_ATS_SubirExcel::DoEvents() { QCoreApplication::processEvents(); }

void frm_ATS_SubirExcel::Refrescar() { repaint(); }

void frm_ATS_SubirExcel::AbrirVisorErrores(const std::string& sTitulo, const std::string& sRuta) {
  frmHelp::Abrir(sTitulo, sRuta, this);
}

void frm_ATS_SubirExcel::Chkanio_Click() {
  const int anio = checked(Chkanio_);
  const int xml = applyWholeYear(anio);
  cmbMeses_->setEnabled(anio == 0);
  chkXML_->setVisible(xml == 1);
  chkXML_->setChecked(xml == 1);
  chkXML_Click();
}

void frm_ATS_SubirExcel::chkInfo_Click(int Index) {
  const auto i = static_cast<std::size_t>(Index);
  txtfile_[i]->setEnabled(chkInfo_[i]->isChecked());
  if (Index == 1) placeSheetRows(chkInfo_[1]->isChecked());
}

// The sales panel opens under the sales row and pushes the last two rows, the frame's bottom
// and the XML option down; closed, everything is back at its design place.
void frm_ATS_SubirExcel::placeSheetRows(bool bVentas) {
  for (std::size_t i = 0; i < chkInfo_.size(); ++i) {
    const int top = bVentas && i >= 2 ? kTopFilas[i] + kAltoPnlVentas : kTopFilas[i];
    place(chkInfo_[i], 120, top, 1260, 285);
    place(txtfile_[i], 1440, top - 15, 5040, kAltoFila);
  }
  place(pnlVentas_, 120, bVentas ? kTopPnlVentasVisible : kTopPnlVentas, 6360, kAltoPnlVentas);
  pnlVentas_->setVisible(bVentas);
  place(fraArchivo_, 120, kTopFraArchivo, 6600, bVentas ? kAltoFraArchivoVentas : kAltoFraArchivo);
  const int topXml = bVentas ? kTopChkXMLVentas : kTopChkXML;
  place(chkXML_, 120, topXml, 6600, 285);
  place(fraXML_, 120, topXml + kSeparacionFraXML, 6600, 1380);
}

void frm_ATS_SubirExcel::chkValidaFile_Click() { fraArchivo_->setEnabled(chkValidaFile_->isChecked()); }

void frm_ATS_SubirExcel::chkXML_Click() {
  const int xml = checked(chkXML_);
  fraXML_->setVisible(xml == 1);
  fraXML_->setEnabled(xml == 1);
  txtFileATS_XML(
      xmlFileNameShown(xml, cmbMeses_->currentIndex(), listaAnios_->List(listaAnios_->ListIndex())));
}

void frm_ATS_SubirExcel::cmbMeses_Click() {
  if (!cargando_) chkXML_Click();
}

void frm_ATS_SubirExcel::cmbanios_Click() {
  if (!cargando_) chkXML_Click();
}

void frm_ATS_SubirExcel::cmbEmpresas_Click() {
  if (cargando_) return;
  ambrix::cmbEmpresas_Click(*listaEmpresas_);
  chkXML_Click();
}

void frm_ATS_SubirExcel::cmbTipo_file_Click() {
  const bool csv = cmbTipo_file_->currentIndex() == 1;
  lblSeparador_->setVisible(csv);
  txtSeparador_->setVisible(csv);
}

void frm_ATS_SubirExcel::cmdProcesar_Click() {
  if (enProceso_) return;
  enProceso_ = true;
  try {
    DatosVentanaATS d = datos();
    ambrix::cmdProcesar_Click(d, *this, importador_, generador_);
  } catch (...) {
    reportUnexpectedError();
  }
  enProceso_ = false;
  PunteroEspera(false);
  if (salirAlFinal_)
    QCoreApplication::exit(0);
  else if (cerrarAlFinal_)
    close();
}

void frm_ATS_SubirExcel::cmdCancel_Click() { ambrix::cmdCancel_Click(*this); }

void frm_ATS_SubirExcel::cmdSalir_Click() { close(); }

void frm_ATS_SubirExcel::cmdImprimir_Click() {
  if (enProceso_) return;
  enProceso_ = true;
  ImpresoraReporteQt impresora(this);
  ControlReporte rptTalonResumen(impresora);
  ambrix::cmdImprimir_Click(datos(), *this, rptTalonResumen);
  enProceso_ = false;
  if (salirAlFinal_)
    QCoreApplication::exit(0);
  else if (cerrarAlFinal_)
    close();
}

// Closing while a run is under way cancels it; the window closes when the run has ended.
void frm_ATS_SubirExcel::closeEvent(QCloseEvent* event) {
  if (!enProceso_) {
    event->accept();
    // Inside a host the window is no top-level window of the application, whose end therefore
    // does not follow from closing it.
    if (isEmbedded(*this)) QCoreApplication::exit(0);
    return;
  }
  gbContinuarProceso = false;
  cerrarAlFinal_ = true;
  event->ignore();
}

bool frm_ATS_SubirExcel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int tecla = static_cast<QKeyEvent*>(event)->key();
    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
      focusNextChild();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// The host window is gone: the program ends, after the run under way if there is one.
void frm_ATS_SubirExcel::hostGone() {
  if (enProceso_) {
    gbContinuarProceso = false;
    cerrarAlFinal_ = true;
    salirAlFinal_ = true;
    return;
  }
  QCoreApplication::exit(0);
}

}  // namespace ambrix::qt
