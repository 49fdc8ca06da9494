#include "shell/qt/frm_explorer.hpp"

#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QDropEvent>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMimeData>
#include <QMimeDatabase>
#include <QPersistentModelIndex>
#include <QPushButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "platform/conversions/conversions.hpp"
#include "platform/profile/configuracion.hpp"
#include "platform/profile/system_info.hpp"
#include "shell/core/avisos.hpp"
#include "shell/core/explorador.hpp"
#include "shell/core/operacion_archivos.hpp"
#include "shell/qt/centra_form.hpp"
#include "shell/qt/entrada_texto.hpp"

namespace ambrix::qt {
namespace {

namespace fs = std::filesystem;

constexpr const char* kClaveEscritorio = "Desktop";
constexpr const char* kClaveEquipo = "MyComputer";
constexpr const char* kClaveDocumentos = "MyDocuments";
constexpr int kAnchoTamano = 50;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The tree's pictures by their image keys.
QIcon Imagen(const char* clave) {
  QStyle* s = QApplication::style();
  const std::string k = clave;
  if (k == "DESKTOP") return s->standardIcon(QStyle::SP_DesktopIcon);
  if (k == "MYCOMPUTER") return s->standardIcon(QStyle::SP_ComputerIcon);
  if (k == "MYDOCUMENTS") return s->standardIcon(QStyle::SP_DirHomeIcon);
  if (k == "FOLDER_OPEN") return s->standardIcon(QStyle::SP_DirOpenIcon);
  if (k == "CD") return s->standardIcon(QStyle::SP_DriveCDIcon);
  if (k == "INPUTDEVICE") return s->standardIcon(QStyle::SP_DriveFDIcon);
  if (k == "HDD") return s->standardIcon(QStyle::SP_DriveHDIcon);
  return s->standardIcon(QStyle::SP_DirClosedIcon);
}

// A place of the shell, or HOME when it is not known or not there.
std::string Lugar(QStandardPaths::StandardLocation lugar) {
  const QString ruta = QStandardPaths::writableLocation(lugar);
  if (!ruta.isEmpty() && QFileInfo(ruta).isDir()) return vt::withoutTrailingSlash(ruta.toStdString());
  return vt::withoutTrailingSlash(QDir::homePath().toStdString());
}

// Whether the disk behind a device says it is removable (/sys/class/block/<dev>/removable, or
// the one of the disk a partition belongs to).
bool Extraible(const QByteArray& device) {
  if (!device.startsWith("/dev/")) return false;
  const QString nombre = QFileInfo(QString::fromLocal8Bit(device)).canonicalFilePath().section('/', -1);
  QString bloque = QFileInfo(QStringLiteral("/sys/class/block/") + nombre).canonicalFilePath();
  if (bloque.isEmpty()) return false;
  if (QFileInfo::exists(bloque + QStringLiteral("/partition"))) bloque = QFileInfo(bloque).path();
  QFile f(bloque + QStringLiteral("/removable"));
  return f.open(QIODevice::ReadOnly) && f.read(1) == "1";
}

const char* ImagenVolumen(const QStorageInfo& v) {
  const QByteArray tipo = v.fileSystemType();
  if (tipo == "iso9660" || tipo == "udf" || v.device().startsWith("/dev/sr")) return "CD";
  if (Extraible(v.device())) return "INPUTDEVICE";
  return "HDD";  // fixed, network and RAM disks alike
}

bool PseudoSistema(const QByteArray& tipo) {
  static const char* const kPseudo[] = {
      "proc",    "sysfs",       "devpts",   "cgroup", "cgroup2",    "mqueue",    "debugfs",
      "tracefs", "securityfs",  "pstore",   "bpf",    "configfs",   "fusectl",   "hugetlbfs",
      "autofs",  "binfmt_misc", "devtmpfs", "nsfs",   "rpc_pipefs", "selinuxfs", "efivarfs"};
  return std::any_of(std::begin(kPseudo), std::end(kPseudo), [&](const char* p) { return tipo == p; });
}

// The volumes of the machine, "/" first.
std::vector<QStorageInfo> Volumenes() {
  std::vector<QStorageInfo> out{QStorageInfo::root()};
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
    if (!v.isValid() || !v.isReady() || v.isRoot() || PseudoSistema(v.fileSystemType())) continue;
    out.push_back(v);
  }
  return out;
}

// The entries of a folder, sorted by name without regard to case as the list and the tree show them.
QFileInfoList Entradas(const std::string& carpeta, QDir::Filters filtro) {
  QDir dir(Q(carpeta));
  return dir.entryInfoList(filtro | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
}

std::string RutaDe(const QModelIndex& i) { return i.data(frmExplorer::kRolRuta).toString().toStdString(); }
bool ConClave(const QModelIndex& i) { return !i.data(frmExplorer::kRolClave).toString().isEmpty(); }

QString TipoArchivo(const QFileInfo& fi) {
  if (gfExtensionArchivo(fi.fileName().toStdString()).empty()) return {};
  const QMimeType tipo = QMimeDatabase().mimeTypeForFile(fi, QMimeDatabase::MatchExtension);
  return tipo.isDefault() ? QString() : tipo.comment();
}

// The tree's model: a dragged node is offered as a move, which the view then accepts.
class ModeloCarpetas : public QStandardItemModel {
 public:
  using QStandardItemModel::QStandardItemModel;
  Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
};

// The tree with its drag: only a folder node is dragged, and the drop is the dialog's, never
// the model's own row move.
class ArbolCarpetas : public QTreeView {
 public:
  ArbolCarpetas(frmExplorer& explorador, QWidget* parent) : QTreeView(parent), explorador_(explorador) {
    setDragDropMode(QAbstractItemView::DragDrop);
    setDragDropOverwriteMode(true);
    setDropIndicatorShown(true);
    setDefaultDropAction(Qt::MoveAction);
    setAutoExpandDelay(1000);
    setAutoScroll(true);
    setAutoScrollMargin(16);
  }

 protected:
  void startDrag(Qt::DropActions) override {
    const QModelIndex actual = currentIndex();
    if (!actual.isValid() || !(actual.flags() & Qt::ItemIsDragEnabled)) return;
    arrastrado_ = actual;
    auto* drag = new QDrag(this);
    drag->setMimeData(model()->mimeData({actual}));
    drag->setPixmap(actual.data(Qt::DecorationRole).value<QIcon>().pixmap(16, 16));
    drag->exec(Qt::MoveAction);  // Esc ends it without a drop
    arrastrado_ = QPersistentModelIndex();
  }

  void dropEvent(QDropEvent* event) override {
    const QPersistentModelIndex origen = arrastrado_;
    const QPersistentModelIndex destino = indexAt(event->position().toPoint());
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
    if (event->source() != this || !origen.isValid()) return;
    // The boxes of the drop come after the drag has ended.
    QTimer::singleShot(0, &explorador_, [this, origen, destino]() {
      if (origen.isValid() && destino.isValid()) explorador_.SoltarCarpeta(origen, destino);
    });
  }

 private:
  frmExplorer& explorador_;
  QPersistentModelIndex arrastrado_;
};

}  // namespace

frmExplorer::frmExplorer(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmExplorer"));
  setWindowTitle(QString::fromUtf8(kCaptionExplorer));
  setModal(true);
  resize(860, 480);

  Splitter1 = new QSplitter(Qt::Horizontal, this);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  modelo = new ModeloCarpetas(this);
  TV = new ArbolCarpetas(*this, Splitter1);
  TV->setObjectName(QStringLiteral("TV"));
  TV->setModel(modelo);
  TV->setHeaderHidden(true);
  TV->setEditTriggers(QAbstractItemView::NoEditTriggers);

  XPLV = new QTreeWidget(Splitter1);
  XPLV->setObjectName(QStringLiteral("XPLV"));
  XPLV->setRootIsDecorated(false);
  XPLV->setEditTriggers(QAbstractItemView::NoEditTriggers);
  XPLV->setToolTip(QStringLiteral("doble clic para seleccionar"));
  XPLV->setHeaderLabels({QStringLiteral("Nombre"), QStringLiteral("Tipo"), QStringLiteral("Tamaño"),
                         QStringLiteral("Fecha modificado")});
  const int anchos[] = {200, 175, kAnchoTamano, 120};
  for (int c = 0; c < 4; ++c) XPLV->setColumnWidth(c, anchos[c]);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({260, 600});

  cmdCrearCarpeta = new QPushButton(QStringLiteral("Crear Carpeta"), this);
  cmdCrearCarpeta->setObjectName(QStringLiteral("cmdCrearCarpeta"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(Splitter1, 1);
  auto* fila = new QHBoxLayout();
  fila->addWidget(cmdCrearCarpeta);
  fila->addStretch(1);
  layout->addLayout(fila);

  connect(TV, &QTreeView::clicked, this, [this](const QModelIndex& i) { TV_NodeClick(i); });
  connect(TV, &QTreeView::expanded, this, [this](const QModelIndex& i) { TV_Expand(i); });
  connect(TV, &QTreeView::collapsed, this, [this](const QModelIndex& i) {
    if (QStandardItem* n = modelo->itemFromIndex(i); n && esCarpetaDeArbol(n))
      n->setIcon(Imagen("FOLDER_CLOSED"));
  });
  connect(XPLV, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { XPLV_DblClick(item); });
  connect(cmdCrearCarpeta, &QPushButton::clicked, this, [this]() { cmdCrearCarpeta_Click(); });
}

void frmExplorer::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) Form_Load();
  QDialog::showEvent(event);
}

void frmExplorer::Form_Load() {
  gsCentraForm(*this);
  eligio_ = false;
  sArchivoSel.clear();
  sCarpetaSel.clear();
  cmdCrearCarpeta->setVisible(vt::conv::Trim(sFiltro) == "*");
  patrones_ = gfPatronesFiltro(sFiltro);
  rutaEscritorio_ = Lugar(QStandardPaths::DesktopLocation);
  rutaDocumentos_ = Lugar(QStandardPaths::DocumentsLocation);
  buildTree();
}

bool frmExplorer::esCarpetaDeArbol(const QStandardItem* nodo) const {
  return !nodo->data(kRolRuta).toString().isEmpty() && nodo->data(kRolClave).toString().isEmpty();
}

bool frmExplorer::tieneContenido(const std::string& ruta) const {
  std::error_code ec;
  for (fs::directory_iterator it(ruta, fs::directory_options::skip_permission_denied, ec), fin;
       !ec && it != fin; it.increment(ec)) {
    const std::string nombre = it->path().filename().string();
    if (nombre.empty() || nombre.front() == '.') continue;
    std::error_code ec2;
    if (it->is_directory(ec2) || gfNombreVisible(nombre, patrones_)) return true;
  }
  return false;
}

QStandardItem* frmExplorer::nuevaCarpeta(const std::string& ruta, const QString& nombre) const {
  auto* nodo = new QStandardItem(Imagen("FOLDER_CLOSED"), nombre);
  nodo->setData(Q(ruta), kRolRuta);
  nodo->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled);
  if (tieneContenido(ruta)) {
    auto* marcador = new QStandardItem();
    marcador->setData(true, kRolMarcador);
    marcador->setFlags(Qt::NoItemFlags);
    nodo->appendRow(marcador);
  }
  return nodo;
}

void frmExplorer::buildTree() {
  TV->setUpdatesEnabled(false);
  modelo->clear();
  const auto lugar = [](const char* imagen, const QString& texto, const char* clave,
                        const std::string& ruta) {
    auto* n = new QStandardItem(Imagen(imagen), texto);
    n->setData(QString::fromLatin1(clave), kRolClave);
    if (!ruta.empty()) n->setData(Q(ruta), kRolRuta);
    n->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                (ruta.empty() ? Qt::NoItemFlags : Qt::ItemIsDropEnabled));
    return n;
  };
  QStandardItem* escritorio =
      lugar("DESKTOP", QString::fromUtf8(kTextoEscritorio), kClaveEscritorio, rutaEscritorio_);
  modelo->appendRow(escritorio);

  // The documents' text is their path without its root, as it was without its drive.
  QStandardItem* documentos = nuevaCarpeta(rutaDocumentos_, {});
  documentos->setText(Q(rutaDocumentos_.size() > 1 ? rutaDocumentos_.substr(1) : rutaDocumentos_));
  documentos->setIcon(Imagen("MYDOCUMENTS"));
  documentos->setData(QString::fromLatin1(kClaveDocumentos), kRolClave);
  documentos->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled);
  escritorio->appendRow(documentos);

  QStandardItem* equipo = lugar("MYCOMPUTER", QString::fromUtf8(kTextoEquipo), kClaveEquipo, {});
  escritorio->appendRow(equipo);
  for (const QStorageInfo& v : Volumenes()) {
    const std::string raiz = v.rootPath().toStdString();
    QStandardItem* volumen = lugar(ImagenVolumen(v), v.displayName(), raiz.c_str(), raiz);
    auto* marcador = new QStandardItem();
    marcador->setData(true, kRolMarcador);
    marcador->setFlags(Qt::NoItemFlags);
    volumen->appendRow(marcador);
    equipo->appendRow(volumen);
  }
  TV->setUpdatesEnabled(true);

  TV->expand(escritorio->index());
  TV->expand(equipo->index());
  if (equipo->rowCount() > 0) {
    TV->expand(equipo->child(0)->index());
    TV->scrollTo(equipo->child(0)->index());
  }
  TV->scrollTo(escritorio->index());
}

void frmExplorer::llenarSubcarpetas(QStandardItem* nodo) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  nodo->removeRows(0, nodo->rowCount());
  const std::string ruta = nodo->data(kRolRuta).toString().toStdString();
  for (const QFileInfo& fi : Entradas(ruta, QDir::Dirs)) {
    const std::string nombre = fi.fileName().toStdString();
    if (nombre.front() == '.') continue;
    nodo->appendRow(nuevaCarpeta(vt::joinPath(ruta, nombre), fi.fileName()));
  }
  QApplication::restoreOverrideCursor();
}

void frmExplorer::TV_Expand(const QModelIndex& i) {
  QStandardItem* nodo = modelo->itemFromIndex(i);
  if (!nodo || nodo->data(kRolRuta).toString().isEmpty()) return;
  // A placeholder, or one sub-folder without children that may have gained some.
  if (nodo->rowCount() == 1 && !nodo->child(0)->hasChildren()) llenarSubcarpetas(nodo);
  if (esCarpetaDeArbol(nodo)) nodo->setIcon(Imagen("FOLDER_OPEN"));
}

void frmExplorer::TV_NodeClick(const QModelIndex& i) {
  if (!i.isValid()) return;
  const std::string clave = vt::conv::Upper(i.data(kRolClave).toString().toStdString());
  const std::string ruta = RutaDe(i);
  if (clave == "MYCOMPUTER" || ruta.empty()) return;
  const std::string ext = gfExtensionArchivo(i.data(Qt::DisplayRole).toString().toStdString());
  if (clave.empty() && (ext == "ace" || ext == "cab" || ext == "rar" || ext == "zip")) return;
  LoadFiles(ruta);
}

void frmExplorer::LoadFiles(const std::string& Path) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  carpetaActual_ = Path.ends_with('/') ? Path : Path + "/";
  XPLV->clear();
  const vt::ConfiguracionRegional& regional = vt::currentConfiguration().regional;
  // A size without its decimal separator would read a thousand times too large.
  const std::string sepDecimal = regional.gsSepDecimal.empty() ? "." : regional.gsSepDecimal;
  const QIcon carpeta = Imagen("FOLDER_CLOSED");
  QFileIconProvider iconos;
  std::vector<QTreeWidgetItem*> filas;
  for (const QFileInfo& fi : Entradas(carpetaActual_, QDir::AllEntries | QDir::System)) {
    const std::string nombre = fi.fileName().toStdString();
    if (!gfNombreVisible(nombre, patrones_)) continue;
    const std::string fecha = gfFechaCorta(fi.lastModified().toSecsSinceEpoch(), regional.gsFormatoFecha);
    auto* fila = new QTreeWidgetItem();
    fila->setText(0, fi.fileName());
    if (fi.isDir()) {
      fila->setIcon(0, carpeta);
      fila->setText(1, QStringLiteral("Folder"));
      fila->setText(2, QStringLiteral("0"));
    } else {
      fila->setIcon(0, iconos.icon(fi));
      fila->setText(1, TipoArchivo(fi));
      fila->setText(2, Q(gfFormatoTamano(static_cast<double>(fi.size()), regional.gsSepMiles, sepDecimal)));
    }
    fila->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    fila->setText(3, Q(fecha));
    filas.push_back(fila);
  }
  for (QTreeWidgetItem* fila : filas) XPLV->addTopLevelItem(fila);
  // The size column is narrow by design; it widens rather than cut "1.500 Kb" short.
  XPLV->resizeColumnToContents(2);
  if (XPLV->columnWidth(2) < kAnchoTamano) XPLV->setColumnWidth(2, kAnchoTamano);
  QApplication::restoreOverrideCursor();
}

void frmExplorer::XPLV_DblClick(QTreeWidgetItem* item) {
  if (!item) return;
  const std::string nombre = item->text(0).toStdString();
  sCarpetaSel = carpetaActual_;
  sArchivoSel = vt::conv::Trim(sFiltro) == "*" ? nombre + "/" : nombre;
  eligio_ = true;
  accept();
}

void frmExplorer::done(int r) {
  if (eligio_) {
    sArchivoSel = vt::conv::Trim(sArchivoSel);
    sCarpetaSel = vt::conv::Trim(carpetaActual_);
  }
  QDialog::done(r);
}

void frmExplorer::cmdCrearCarpeta_Click() {
  try {
    const std::optional<std::string> nombre = entradaTextoActual().pedir(
        "Ingrese nombre de la nueva carpeta", "Crear nueva carpeta", "NuevaCarpeta");
    if (!nombre || vt::conv::Trim(*nombre).empty()) return;
    CrearCarpeta(carpetaActual_, *nombre);
    showBox("Carpeta creada ", vt::Icono::Informacion);
    LoadFiles(carpetaActual_);
  } catch (...) {
    reportUnexpectedError();
  }
}

void frmExplorer::SoltarCarpeta(const QModelIndex& origenIdx, const QModelIndex& destinoIdx) {
  QStandardItem* origen = modelo->itemFromIndex(origenIdx);
  QStandardItem* destino = modelo->itemFromIndex(destinoIdx);
  if (!origen || !destino || RutaDe(destinoIdx).empty() || RutaDe(origenIdx).empty()) return;
  const std::string sOrigen = vt::withoutTrailingSlash(RutaDe(origenIdx));
  const std::string sDestino = vt::withoutTrailingSlash(RutaDe(destinoIdx));
  if (const auto rechazo = gfRechazoSoltar(sOrigen, ConClave(origenIdx), sDestino, ConClave(destinoIdx))) {
    showBox(*rechazo, vt::Icono::Ninguno);
    return;
  }
  QStandardItem* padre = origen->parent();
  bool fallo = false;
  OperacionArchivos(sOrigen, sDestino, kOperacionMover, fallo);
  const std::string nombre = fs::path(sOrigen).filename().string();
  const std::string nuevo = vt::joinPath(sDestino, nombre);
  std::error_code ec;
  const bool origenSigue = fs::exists(sOrigen, ec);
  const bool nuevoExiste = fs::exists(nuevo, ec);
  if (fallo) {
    // The tree follows the disk when a failed move still changed it (a copy whose source could
    // not be removed in full).
    if (!origenSigue && padre) llenarSubcarpetas(padre);
    if (nuevoExiste && destino->hasChildren() && !destino->child(0)->data(kRolMarcador).toBool())
      llenarSubcarpetas(destino);
    return;
  }
  if (padre) padre->removeRow(origen->row());
  if (destino->rowCount() == 0 || destino->child(0)->data(kRolMarcador).toBool()) {
    llenarSubcarpetas(destino);
  } else {
    const QString texto = Q(nombre);
    int fila = 0;
    while (fila < destino->rowCount() &&
           QString::compare(destino->child(fila)->text(), texto, Qt::CaseInsensitive) < 0)
      ++fila;
    destino->insertRow(fila, nuevaCarpeta(nuevo, texto));
  }
  TV->expand(destino->index());
  for (int f = 0; f < destino->rowCount(); ++f) {
    if (RutaDe(destino->child(f)->index()) == nuevo) {
      TV->setCurrentIndex(destino->child(f)->index());
      TV->scrollTo(destino->child(f)->index());
    }
  }
  showBox(kSuccessfulDrop + sOrigen + "\r" + "onto " + sDestino, vt::Icono::Ninguno);
}

QModelIndex frmExplorer::nodoDeCarpeta(const std::string& ruta) {
  QStandardItem* equipo = modelo->rowCount() ? modelo->item(0)->child(1) : nullptr;
  if (!equipo || equipo->rowCount() == 0) return {};
  QStandardItem* nodo = equipo->child(0);
  const std::string raiz = vt::withoutTrailingSlash(RutaDe(nodo->index()));
  const std::string objetivo = vt::withoutTrailingSlash(ruta);
  if (objetivo != raiz && !objetivo.starts_with(raiz == "/" ? raiz : raiz + "/")) return {};
  for (const auto& parte : fs::path(objetivo).lexically_relative(raiz)) {
    if (parte == ".") break;
    TV->expand(nodo->index());
    TV_Expand(nodo->index());
    QStandardItem* hijo = nullptr;
    for (int f = 0; f < nodo->rowCount() && !hijo; ++f)
      if (nodo->child(f)->text().toStdString() == parte.string()) hijo = nodo->child(f);
    if (!hijo) return {};
    nodo = hijo;
  }
  return nodo->index();
}

}  // namespace ambrix::qt
