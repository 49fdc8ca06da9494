#pragma once
// frmExplorer: the program's own browse dialog. A tree of the places and volumes (TV) on the
// left, the content of the chosen folder (XPLV) on the right; a double click on an entry hands
// it back. sFiltro "*" chooses a folder (with "Crear Carpeta"); any other text is one or more
// file patterns separated by ";". Folder nodes of the tree can be dragged onto others to move
// them on disk.

#include <QDialog>
#include <QModelIndex>
#include <string>
#include <vector>

class QPushButton;
class QSplitter;
class QStandardItem;
class QStandardItemModel;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace ambrix::qt {

inline constexpr const char* kCaptionExplorer = "Examinar...";
inline constexpr const char* kTextoEscritorio = "Escritorio";
inline constexpr const char* kTextoEquipo = "Equipo";
inline constexpr const char* kSuccessfulDrop = "Successful drop of folder ";

class frmExplorer : public QDialog {
  Q_OBJECT

 public:
  // The data roles of the tree's items: the folder's absolute path (none for "Equipo" and the
  // placeholders), the key of the places and volumes, and the placeholder mark.
  static constexpr int kRolRuta = Qt::UserRole + 1;
  static constexpr int kRolClave = Qt::UserRole + 2;
  static constexpr int kRolMarcador = Qt::UserRole + 3;

  explicit frmExplorer(QWidget* parent = nullptr);

  // Set before showing.
  std::string sFiltro;
  // Read after closing: "" unless an entry was chosen. File mode: the folder listed, ending in
  // "/", and the file's name. Folder mode: the folder listed and the chosen name with a "/"
  // after it, so that the two joined name the chosen folder with its trailing separator.
  std::string sArchivoSel;
  std::string sCarpetaSel;

  // What each show starts from: results cleared, the button of folder mode, the patterns, the
  // tree built with the first volume ("/") opened.
  void Form_Load();
  // Lists the entries of Path that the patterns let through (never dot-names), folders and files
  // by name, and makes it the current folder.
  void LoadFiles(const std::string& Path);
  const std::string& carpetaActual() const { return carpetaActual_; }

  // Handlers of the controls.
  void TV_NodeClick(const QModelIndex& nodo);
  void TV_Expand(const QModelIndex& nodo);
  void XPLV_DblClick(QTreeWidgetItem* item);
  void cmdCrearCarpeta_Click();
  // The drop of the folder node `origen` on the node `destino`: the refusals, otherwise the move
  // on disk, and the tree follows only when the disk changed.
  void SoltarCarpeta(const QModelIndex& origen, const QModelIndex& destino);

  // The tree's node of an absolute folder path below the first volume, opening the folders on
  // the way as expanding them would; invalid when a folder on the way is not in the tree.
  QModelIndex nodoDeCarpeta(const std::string& ruta);

  QTreeView* TV;
  QStandardItemModel* modelo;
  QTreeWidget* XPLV;
  QPushButton* cmdCrearCarpeta;
  QSplitter* Splitter1;

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int r) override;

 private:
  void buildTree();
  QStandardItem* nuevaCarpeta(const std::string& ruta, const QString& nombre) const;
  void llenarSubcarpetas(QStandardItem* nodo);
  bool tieneContenido(const std::string& ruta) const;
  bool esCarpetaDeArbol(const QStandardItem* nodo) const;

  std::vector<std::string> patrones_;
  std::string carpetaActual_;
  std::string rutaEscritorio_;
  std::string rutaDocumentos_;
  bool eligio_ = false;
};

}  // namespace ambrix::qt
