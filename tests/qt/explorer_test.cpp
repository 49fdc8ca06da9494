// The picker offscreen on a temporary tree: the places and the first volume, the list of each
// file type, the choice handed back to the main window's boxes, the new folder, and the drops
// that move folders on disk or are refused.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QComboBox>
#include <QMimeData>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QUrl>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>

#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/mensajes_grabados.hpp"
#include "platform/profile/configuracion.hpp"
#include "shell/core/explorador.hpp"
#include "shell/core/operacion_archivos.hpp"
#include "shell/qt/entrada_texto.hpp"
#include "shell/qt/examinar.hpp"
#include "shell/qt/frm_explorer.hpp"
#include "shell/qt/texto_con_boton.hpp"
#include "tests/qt/ventana_fixture.hpp"
#include "tests/support/scoped_env.hpp"
#include "tests/support/temp_folder.hpp"

namespace ambrix::qt::testing {
namespace {

namespace fs = std::filesystem;

// 8 May 2013, 12:00 UTC: the same day under every offset of 11 hours or less.
constexpr std::int64_t kMayo2013 = 1368014400;

void setModified(const fs::path& ruta, std::int64_t segundos) {
  const timespec t[2] = {{static_cast<time_t>(segundos), 0}, {static_cast<time_t>(segundos), 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, ruta.c_str(), t, AT_SYMLINK_NOFOLLOW), 0) << ruta;
}

// The names of the list, in its order.
std::vector<std::string> listNames(const frmExplorer& dlg) {
  std::vector<std::string> out;
  for (int i = 0; i < dlg.XPLV->topLevelItemCount(); ++i)
    out.push_back(dlg.XPLV->topLevelItem(i)->text(0).toStdString());
  return out;
}

QTreeWidgetItem* listRow(const frmExplorer& dlg, const char* nombre) {
  const auto encontrados = dlg.XPLV->findItems(QString::fromUtf8(nombre), Qt::MatchExactly, 0);
  return encontrados.isEmpty() ? nullptr : encontrados.front();
}

std::vector<std::string> childTexts(const QModelIndex& nodo) {
  std::vector<std::string> out;
  const QAbstractItemModel* m = nodo.model();
  for (int f = 0; f < m->rowCount(nodo); ++f)
    out.push_back(m->index(f, 0, nodo).data().toString().toStdString());
  return out;
}

class EntradaGuionada : public EntradaTexto {
 public:
  std::optional<std::string> pedir(const std::string& sPrompt, const std::string& sTitulo,
                                   const std::string& sDefecto) override {
    preguntas.push_back(sPrompt + "|" + sTitulo + "|" + sDefecto);
    if (respuestas.empty()) return std::nullopt;
    auto r = respuestas.front();
    respuestas.pop_front();
    return r;
  }
  std::deque<std::optional<std::string>> respuestas;
  std::vector<std::string> preguntas;
};

std::error_code Denegado(const fs::path&, const fs::path&) {
  return std::make_error_code(std::errc::permission_denied);
}
std::error_code OtroSistema(const fs::path&, const fs::path&) {
  return std::make_error_code(std::errc::cross_device_link);
}

// A temporary home with its Desktop and Documents, and a folder of sheets:
//   datos/ a.xlsx  B.XLS (1536 bytes)  c.csv  notas.txt  LEAME  .oculto.xls  .git/  Salida/  sub.xls/
class ExplorerTest : public ::testing::Test {
 protected:
  ExplorerTest() {
    temp_.write("home/Desktop/nota.txt", "x");
    temp_.write("home/Documents/Anexos/a.csv", "x");
    temp_.write("datos/a.xlsx", "x");
    temp_.write("datos/B.XLS", std::string(1536, 'b'));
    temp_.write("datos/c.csv", "x");
    temp_.write("datos/notas.txt", "x");
    temp_.write("datos/LEAME", "x");
    temp_.write("datos/.oculto.xls", "x");
    temp_.write("datos/.git/config", "x");
    temp_.write("datos/Salida/Enero/x.csv", "x");
    temp_.write("datos/sub.xls/y.csv", "x");
    fs::create_directories(temp_.path() / "destino/Vacia");
    setModified(temp_.path() / "datos/B.XLS", kMayo2013);
    setModified(temp_.path() / "datos/c.csv", 0);
    ctx_.regional.gsFormatoFecha = "dd/MM/yyyy";
    ctx_.regional.gsSepMiles = ",";
    ctx_.regional.gsSepDecimal = ".";
    previo_ = vt::setThreadConfiguration(&ctx_);
  }
  ~ExplorerTest() override {
    vt::setThreadConfiguration(previo_);
    setRenombrarCarpeta(nullptr);
  }

  // The dialog shown without waiting, as the main window's buttons show it modally.
  void open(const std::string& sFiltro) {
    dlg_.sFiltro = sFiltro;
    dlg_.show();
  }
  QModelIndex node(const std::string& nombre) {
    const QModelIndex i = dlg_.nodoDeCarpeta(temp_.file(nombre));
    EXPECT_TRUE(i.isValid()) << nombre;
    return i;
  }

  vt::testing::TempFolder temp_{"picker"};
  vt::testing::ScopedEnv home_{"HOME", temp_.file("home")};
  vt::testing::ScopedEnv xdg_{"XDG_CONFIG_HOME", temp_.file("home/.config")};
  vt::ContextoConfiguracion ctx_;
  vt::ContextoConfiguracion* previo_ = nullptr;
  vt::MensajesGrabados boxes_;
  vt::ScopedThreadMessages guard_{boxes_};
  frmExplorer dlg_;
};

TEST_F(ExplorerTest, TheTreeHoldsTheDesktopTheDocumentsAndTheComputerWithTheFirstVolumeOpen) {
  open("*.xls*");
  EXPECT_EQ(dlg_.windowTitle(), QStringLiteral("Examinar..."));
  QStandardItemModel* m = dlg_.modelo;
  ASSERT_EQ(m->rowCount(), 1);
  const QModelIndex escritorio = m->index(0, 0);
  EXPECT_EQ(escritorio.data().toString(), QStringLiteral("Escritorio"));
  EXPECT_EQ(escritorio.data(frmExplorer::kRolClave).toString(), QStringLiteral("Desktop"));
  EXPECT_EQ(escritorio.data(frmExplorer::kRolRuta).toString().toStdString(), temp_.file("home/Desktop"));
  ASSERT_EQ(m->rowCount(escritorio), 2);

  const QModelIndex documentos = m->index(0, 0, escritorio);
  EXPECT_EQ(documentos.data().toString().toStdString(), temp_.file("home/Documents").substr(1))
      << "the path without its root";
  EXPECT_EQ(documentos.data(frmExplorer::kRolClave).toString(), QStringLiteral("MyDocuments"));
  EXPECT_TRUE(m->hasChildren(documentos)) << "a placeholder: it holds a folder";
  dlg_.TV->expand(documentos);
  EXPECT_EQ(childTexts(documentos), std::vector<std::string>{"Anexos"});

  const QModelIndex equipo = m->index(1, 0, escritorio);
  EXPECT_EQ(equipo.data().toString(), QStringLiteral("Equipo"));
  EXPECT_TRUE(equipo.data(frmExplorer::kRolRuta).toString().isEmpty());
  EXPECT_FALSE(equipo.flags() & Qt::ItemIsDropEnabled) << "no folder to drop onto";
  EXPECT_EQ(m->supportedDropActions(), Qt::MoveAction) << "a dragged folder is offered as a move";
  const QModelIndex raiz = m->index(0, 0, equipo);
  EXPECT_EQ(raiz.data(frmExplorer::kRolRuta).toString(), QStringLiteral("/"));
  EXPECT_EQ(raiz.data(frmExplorer::kRolClave).toString(), QStringLiteral("/"));
  EXPECT_TRUE(dlg_.TV->isExpanded(raiz));
  EXPECT_FALSE(raiz.flags() & Qt::ItemIsDragEnabled) << "a volume is not dragged";
  for (const std::string& nombre : childTexts(raiz)) EXPECT_NE(nombre.front(), '.') << nombre;

  // The sheets' folder: sub-folders sorted, dot-names left out, placeholders where there is more.
  const QModelIndex datos = node("datos");
  dlg_.TV->expand(datos);
  EXPECT_EQ(childTexts(datos), (std::vector<std::string>{"Salida", "sub.xls"}));
  const QModelIndex salida = m->index(0, 0, datos);
  EXPECT_TRUE(salida.flags() & Qt::ItemIsDragEnabled);
  EXPECT_EQ(childTexts(salida), std::vector<std::string>{""}) << "a placeholder for Enero";
  EXPECT_FALSE(m->hasChildren(m->index(1, 0, datos))) << "sub.xls holds neither a folder nor a workbook";
}

TEST_F(ExplorerTest, PlacesThatDoNotExistFallBackToHome) {
  fs::remove_all(temp_.path() / "home/Desktop");
  open("*");
  EXPECT_EQ(dlg_.modelo->index(0, 0).data(frmExplorer::kRolRuta).toString().toStdString(),
            temp_.file("home"));
  dlg_.TV_NodeClick(dlg_.modelo->index(0, 0));
  EXPECT_EQ(dlg_.carpetaActual(), temp_.file("home") + "/");
}

TEST_F(ExplorerTest, TheListShowsWhatEachFileTypeLetsThrough) {
  struct Case {
    const char* sFiltro;
    std::vector<std::string> nombres;
    const char* why;
  };
  const Case cases[] = {
      {"*.xls*", {"a.xlsx", "B.XLS", "sub.xls"}, "workbooks in any case, and a folder whose name matches"},
      {"*.csv", {"c.csv"}, "delimited files only"},
      {"*.csv;*.txt", {"c.csv", "notas.txt"}, "several patterns"},
      {"*",
       {"a.xlsx", "B.XLS", "c.csv", "LEAME", "notas.txt", "Salida", "sub.xls"},
       "folder mode: every name"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    open(c.sFiltro);
    dlg_.LoadFiles(temp_.file("datos"));
    EXPECT_EQ(dlg_.carpetaActual(), temp_.file("datos") + "/");
    EXPECT_EQ(listNames(dlg_), c.nombres);
    dlg_.hide();
  }

  open("*");
  dlg_.LoadFiles(temp_.file("datos") + "/");
  ASSERT_EQ(dlg_.XPLV->columnCount(), 4);
  const char* cabeceras[] = {"Nombre", "Tipo", "Tamaño", "Fecha modificado"};
  const int anchos[] = {200, 175, 50, 120};
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(dlg_.XPLV->headerItem()->text(c), QString::fromUtf8(cabeceras[c]));
    if (c == 2) {
      EXPECT_GT(dlg_.XPLV->columnWidth(c),
                dlg_.XPLV->fontMetrics().horizontalAdvance(QStringLiteral("1.500 Kb")))
          << "sizes are not cut short";
    } else if (c == 3) {
      EXPECT_GE(dlg_.XPLV->columnWidth(c), anchos[c]) << "the last column takes the room left";
    } else {
      EXPECT_EQ(dlg_.XPLV->columnWidth(c), anchos[c]);
    }
  }
  EXPECT_EQ(dlg_.XPLV->toolTip(), QStringLiteral("doble clic para seleccionar"));
  const QTreeWidgetItem* libro = listRow(dlg_, "B.XLS");
  ASSERT_NE(libro, nullptr);
  EXPECT_FALSE(libro->text(1).isEmpty()) << "the type of a workbook";
  EXPECT_EQ(libro->text(2), QStringLiteral("1.500 Kb"));
  EXPECT_EQ(libro->text(3), QStringLiteral("08/05/2013"));
  EXPECT_EQ(listRow(dlg_, "c.csv")->text(3), QStringLiteral("01/01/1980")) << "no time";
  EXPECT_EQ(listRow(dlg_, "c.csv")->text(2), QStringLiteral("1 b"));
  EXPECT_TRUE(listRow(dlg_, "LEAME")->text(1).isEmpty()) << "no extension, no type";
  const QTreeWidgetItem* salida = listRow(dlg_, "Salida");
  EXPECT_EQ(salida->text(1), QStringLiteral("Folder"));
  EXPECT_EQ(salida->text(2), QStringLiteral("0"));

  // The demo's regional forms.
  ctx_.regional.gsSepMiles = ".";
  ctx_.regional.gsSepDecimal = ",";
  ctx_.regional.gsFormatoFecha = "yyyy-MM-dd";
  dlg_.LoadFiles(temp_.file("datos"));
  EXPECT_EQ(listRow(dlg_, "B.XLS")->text(2), QStringLiteral("1,500 Kb"));
  EXPECT_EQ(listRow(dlg_, "B.XLS")->text(3), QStringLiteral("2013-05-08"));
  ctx_.regional.gsSepDecimal = "";
  dlg_.LoadFiles(temp_.file("datos"));
  EXPECT_EQ(listRow(dlg_, "B.XLS")->text(2), QStringLiteral("1.500 Kb"))
      << "never a thousand times too large";
}

TEST_F(ExplorerTest, ANodeClickListsItsFolderButNotAnArchiveOrTheComputer) {
  temp_.write("datos/paquete.zip/a.xls", "x");
  temp_.write("datos/Salida/junio.xls", "x");
  open("*.xls*");
  dlg_.LoadFiles(temp_.file("datos"));
  const QModelIndex datos = node("datos");
  dlg_.TV->expand(datos);
  ASSERT_EQ(childTexts(datos), (std::vector<std::string>{"paquete.zip", "Salida", "sub.xls"}));
  dlg_.TV_NodeClick(dlg_.modelo->index(0, 0, datos));
  EXPECT_EQ(dlg_.carpetaActual(), temp_.file("datos") + "/") << "an archive's name: nothing";
  dlg_.TV_NodeClick(dlg_.modelo->index(1, 0, dlg_.modelo->index(0, 0)));
  EXPECT_EQ(dlg_.carpetaActual(), temp_.file("datos") + "/") << "Equipo: nothing";

  const QModelIndex salida = dlg_.modelo->index(1, 0, datos);
  dlg_.TV->scrollTo(salida);
  QTest::mouseClick(dlg_.TV->viewport(), Qt::LeftButton, {}, dlg_.TV->visualRect(salida).center());
  EXPECT_EQ(dlg_.carpetaActual(), temp_.file("datos/Salida") + "/");
  EXPECT_EQ(listNames(dlg_), std::vector<std::string>{"junio.xls"}) << "Enero is no workbook";
}

TEST_F(ExplorerTest, TheNewFolderButtonCreatesReportsOrDoesNothing) {
  EntradaGuionada entrada;
  ScopedEntradaTexto scoped(entrada);
  open("*.xls*");
  EXPECT_FALSE(dlg_.cmdCrearCarpeta->isVisibleTo(&dlg_)) << "file mode";
  dlg_.hide();
  open("*");
  EXPECT_TRUE(dlg_.cmdCrearCarpeta->isVisibleTo(&dlg_));
  EXPECT_EQ(dlg_.cmdCrearCarpeta->text(), QStringLiteral("Crear Carpeta"));
  dlg_.LoadFiles(temp_.file("datos"));

  entrada.respuestas = {std::string("Nueva"), std::string("   "), std::nullopt};
  dlg_.cmdCrearCarpeta->click();
  EXPECT_EQ(entrada.preguntas.at(0), "Ingrese nombre de la nueva carpeta|Crear nueva carpeta|NuevaCarpeta");
  EXPECT_TRUE(fs::is_directory(temp_.path() / "datos/Nueva"));
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_EQ(boxes_.mensajes[0].texto, "Carpeta creada ");
  EXPECT_EQ(boxes_.mensajes[0].icono, vt::Icono::Informacion);
  EXPECT_NE(listRow(dlg_, "Nueva"), nullptr) << "listed again";
  dlg_.cmdCrearCarpeta->click();  // blank
  dlg_.cmdCrearCarpeta->click();  // cancelled
  EXPECT_EQ(boxes_.mensajes.size(), 1u);

  // A name that is taken, or no folder name: the error report, and the dialog stays open.
  for (const char* nombre : {"Salida", "a/b"}) {
    SCOPED_TRACE(nombre);
    boxes_.mensajes.clear();
    entrada.respuestas = {std::string(nombre)};
    dlg_.cmdCrearCarpeta_Click();
    ASSERT_EQ(boxes_.mensajes.size(), 1u);
    EXPECT_TRUE(boxes_.mensajes[0].texto.starts_with("Ocurrió un error \r\nError: "))
        << boxes_.mensajes[0].texto;
    EXPECT_TRUE(dlg_.isVisible());
  }
  EXPECT_FALSE(fs::exists(temp_.path() / "datos/a"));
}

struct Drop {
  const char* origen;
  const char* destino;
  const char* mensaje;
};

TEST_F(ExplorerTest, DropsOntoItselfItsParentOrASubfolderAreRefusedAndMoveNothing) {
  open("*");
  const Drop cases[] = {
      {"datos/Salida", "datos/Salida", "A folder cannot be dropped onto itself."},
      {"datos/Salida", "datos", "A folder cannot be dropped onto its parent folder."},
      {"datos/Salida", "datos/Salida/Enero", "A folder cannot be dropped onto a subfolder of itself."},
  };
  for (const Drop& c : cases) {
    SCOPED_TRACE(c.mensaje);
    boxes_.mensajes.clear();
    dlg_.SoltarCarpeta(node(c.origen), node(c.destino));
    ASSERT_EQ(boxes_.mensajes.size(), 1u);
    EXPECT_EQ(boxes_.mensajes[0].texto, c.mensaje);
    EXPECT_TRUE(fs::is_directory(temp_.path() / "datos/Salida/Enero"));
    EXPECT_TRUE(node("datos/Salida/Enero").isValid());
  }
  // The computer has no folder: a drop there is no drop.
  boxes_.mensajes.clear();
  dlg_.SoltarCarpeta(node("datos/Salida"), dlg_.modelo->index(1, 0, dlg_.modelo->index(0, 0)));
  EXPECT_TRUE(boxes_.mensajes.empty());
}

TEST_F(ExplorerTest, AValidDropMovesTheFolderOnDiskAndThenInTheTree) {
  for (const RenombrarCarpeta paso : {RenombrarCarpeta{nullptr}, RenombrarCarpeta{&OtroSistema}}) {
    SCOPED_TRACE(paso ? "across file systems: copy and remove" : "a rename");
    setRenombrarCarpeta(paso);
    boxes_.mensajes.clear();
    fs::remove_all(temp_.path() / "destino/Salida");
    temp_.write("datos/Salida/Enero/x.csv", "x");
    open("*");
    const QModelIndex datos = node("datos");
    const QModelIndex destino = node("destino");
    dlg_.TV->expand(destino);
    dlg_.SoltarCarpeta(node("datos/Salida"), destino);
    ASSERT_EQ(boxes_.mensajes.size(), 1u);
    EXPECT_EQ(boxes_.mensajes[0].texto,
              "Successful drop of folder " + temp_.file("datos/Salida") + "\ronto " + temp_.file("destino"));
    EXPECT_FALSE(fs::exists(temp_.path() / "datos/Salida"));
    EXPECT_EQ(temp_.read("destino/Salida/Enero/x.csv"), "x");
    EXPECT_EQ(childTexts(datos), std::vector<std::string>{"sub.xls"});
    EXPECT_EQ(childTexts(destino), (std::vector<std::string>{"Salida", "Vacia"})) << "in order";
    const QModelIndex movida = dlg_.TV->currentIndex();
    EXPECT_EQ(movida.data(frmExplorer::kRolRuta).toString().toStdString(), temp_.file("destino/Salida"));
    EXPECT_TRUE(dlg_.TV->isExpanded(destino));
    dlg_.TV->expand(movida);
    EXPECT_EQ(childTexts(movida), std::vector<std::string>{"Enero"}) << "read from its new place";
    dlg_.hide();
  }
  // Onto a folder that was never opened: it is read when it opens.
  setRenombrarCarpeta(nullptr);
  boxes_.mensajes.clear();
  open("*");
  const QPersistentModelIndex vacia = node("destino/Vacia");
  EXPECT_FALSE(dlg_.modelo->hasChildren(vacia));
  dlg_.SoltarCarpeta(node("destino/Salida"), vacia);
  EXPECT_TRUE(fs::is_directory(temp_.path() / "destino/Vacia/Salida/Enero"));
  EXPECT_EQ(childTexts(vacia), std::vector<std::string>{"Salida"});
}

TEST_F(ExplorerTest, AMoveThatFailsLeavesDiskAndTreeAsTheyWere) {
  struct Case {
    RenombrarCarpeta paso;
    const char* ocupado;  // a folder of the same name already at the destination
    std::string mensaje;
    const char* why;
  };
  const Case cases[] = {
      {&Denegado, nullptr, std::to_string(EACCES), "the move step fails: its error number"},
      {nullptr, "destino/Salida", "Operation Failed", "the name is taken at the destination"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    setRenombrarCarpeta(c.paso);
    if (c.ocupado) fs::create_directories(temp_.path() / c.ocupado);
    boxes_.mensajes.clear();
    open("*");
    const QModelIndex datos = node("datos");
    const QModelIndex destino = node("destino");
    dlg_.TV->expand(destino);
    const std::vector<std::string> antesDestino = childTexts(destino);
    dlg_.SoltarCarpeta(node("datos/Salida"), destino);
    ASSERT_EQ(boxes_.mensajes.size(), 1u);
    EXPECT_EQ(boxes_.mensajes[0].texto, c.mensaje);
    EXPECT_EQ(boxes_.mensajes[0].icono, vt::Icono::Critico);
    EXPECT_TRUE(fs::exists(temp_.path() / "datos/Salida/Enero/x.csv"));
    EXPECT_EQ(childTexts(datos), (std::vector<std::string>{"Salida", "sub.xls"}));
    EXPECT_EQ(childTexts(destino), antesDestino);
    if (c.ocupado) {
      EXPECT_TRUE(fs::is_empty(temp_.path() / c.ocupado)) << "nothing merged";
    }
    dlg_.hide();
  }
}

TEST_F(ExplorerTest, TheTreeTakesAFolderNodeOverAFolderAndIgnoresDropsFromElsewhere) {
  open("*");
  const QPersistentModelIndex salida = node("datos/Salida");
  const QPersistentModelIndex destino = node("destino");
  dlg_.TV->scrollTo(destino);
  const QPoint sobre = dlg_.TV->visualRect(destino).center();
  QWidget* vp = dlg_.TV->viewport();

  std::unique_ptr<QMimeData> nodo(dlg_.modelo->mimeData({salida}));
  QDragEnterEvent entra(sobre, Qt::MoveAction, nodo.get(), Qt::LeftButton, {});
  QApplication::sendEvent(vp, &entra);
  EXPECT_TRUE(entra.isAccepted());
  QDragMoveEvent sobreCarpeta(sobre, Qt::MoveAction, nodo.get(), Qt::LeftButton, {});
  QApplication::sendEvent(vp, &sobreCarpeta);
  EXPECT_TRUE(sobreCarpeta.isAccepted()) << "a folder node over a folder";
  EXPECT_EQ(sobreCarpeta.dropAction(), Qt::MoveAction);

  // Files dragged in from another program are no folder node of this tree.
  QMimeData archivos;
  archivos.setUrls({QUrl::fromLocalFile(QString::fromStdString(temp_.file("datos/Salida")))});
  QDropEvent suelta(QPointF(sobre), Qt::MoveAction | Qt::CopyAction, &archivos, Qt::LeftButton, {});
  QApplication::sendEvent(vp, &suelta);
  QApplication::processEvents();
  EXPECT_TRUE(fs::is_directory(temp_.path() / "datos/Salida"));
  EXPECT_FALSE(fs::exists(temp_.path() / "destino/Salida"));
  EXPECT_TRUE(boxes_.mensajes.empty());
}

// The main window's browse buttons, with the picker answered by what `responde` does to it.
class BrowseButtonsTest : public VentanaTest {
 protected:
  void whenPickerOpens(std::function<void(frmExplorer&)> responde) {
    QTimer::singleShot(0, [this, responde]() {
      auto* dlg = qobject_cast<frmExplorer*>(QApplication::activeModalWidget());
      if (!dlg) return;
      titulo_ = dlg->windowTitle().toStdString();
      filtro_ = dlg->sFiltro;
      responde(*dlg);
      if (dlg->isVisible()) dlg->reject();
    });
  }
  static void doubleClick(frmExplorer& dlg, const char* nombre) {
    QTreeWidgetItem* fila = listRow(dlg, nombre);
    ASSERT_NE(fila, nullptr) << nombre;
    QApplication::processEvents();  // the list laid out before the pointer finds its rows
    ASSERT_FALSE(dlg.XPLV->visualItemRect(fila).isEmpty()) << nombre;
    const QPoint punto = dlg.XPLV->visualItemRect(fila).center();
    QTest::mouseClick(dlg.XPLV->viewport(), Qt::LeftButton, {}, punto);
    QTest::mouseDClick(dlg.XPLV->viewport(), Qt::LeftButton, {}, punto);
  }
  QString box(const char* nombre) const { return control<TextoConBoton>(nombre)->text(); }

  vt::testing::ScopedEnv home_{"HOME", temp_.file("")};
  std::string titulo_, filtro_;
};

TEST_F(BrowseButtonsTest, ADoubleClickHandsTheFileOrTheFolderToItsBox) {
  temp_.write("datos/B.XLS", "x");
  temp_.write("datos/mayo.csv", "x");
  temp_.write("datos/Salida/x.csv", "x");
  ASSERT_EQ(load(), ResultadoInicio::Completo) << lastMessage();
  check("chkInfo(0)")->click();
  check("chkInfo(1)")->click();

  whenPickerOpens([&](frmExplorer& dlg) {
    dlg.LoadFiles(temp_.file("datos"));
    doubleClick(dlg, "B.XLS");
  });
  control<TextoConBoton>("txtfile(1)")->boton()->click();
  EXPECT_EQ(titulo_, "Seleccionar archivo...");
  EXPECT_EQ(filtro_, "*.xls*");
  EXPECT_EQ(box("txtfile(1)").toStdString(), temp_.file("datos/B.XLS"));

  choose("cmbTipo_file", combo("cmbTipo_file")->itemText(1));
  whenPickerOpens([&](frmExplorer& dlg) {
    dlg.LoadFiles(temp_.file("datos"));
    EXPECT_EQ(listNames(dlg), std::vector<std::string>{"mayo.csv"});
    doubleClick(dlg, "mayo.csv");
  });
  control<TextoConBoton>("txtfile(0)")->boton()->click();
  EXPECT_EQ(filtro_, "*.csv");
  EXPECT_EQ(box("txtfile(0)").toStdString(), temp_.file("datos/mayo.csv"));

  check("chkXML")->click();
  whenPickerOpens([&](frmExplorer& dlg) {
    dlg.LoadFiles(temp_.file("datos"));
    doubleClick(dlg, "Salida");
    EXPECT_EQ(dlg.sCarpetaSel, temp_.file("datos") + "/");
    EXPECT_EQ(dlg.sArchivoSel, "Salida/");
  });
  control<TextoConBoton>("txtPath")->boton()->click();
  EXPECT_EQ(titulo_, "Seleccione carpeta...");
  EXPECT_EQ(filtro_, "*");
  EXPECT_EQ(box("txtPath").toStdString(), temp_.file("datos/Salida") + "/") << "with its trailing separator";
  EXPECT_TRUE(boxes_.mensajes.empty()) << lastMessage();
}

TEST_F(BrowseButtonsTest, NoChoiceLeavesTheBoxAndNoTypeOpensNoPicker) {
  ASSERT_EQ(load(), ResultadoInicio::Completo) << lastMessage();
  check("chkInfo(2)")->click();
  control<TextoConBoton>("txtfile(2)")->setText(QStringLiteral("/antes/c.xls"));
  bool abierto = false;
  whenPickerOpens([&](frmExplorer& dlg) {
    abierto = true;
    dlg.LoadFiles(temp_.file(""));
    dlg.close();  // the close box
    EXPECT_EQ(dlg.sCarpetaSel, "");
    EXPECT_EQ(dlg.sArchivoSel, "");
  });
  control<TextoConBoton>("txtfile(2)")->boton()->click();
  EXPECT_TRUE(abierto);
  EXPECT_EQ(box("txtfile(2)"), QStringLiteral("/antes/c.xls"));

  combo("cmbTipo_file")->setCurrentIndex(-1);
  abierto = false;
  whenPickerOpens([&](frmExplorer&) { abierto = true; });
  control<TextoConBoton>("txtfile(2)")->boton()->click();
  QApplication::processEvents();
  EXPECT_FALSE(abierto);
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_EQ(boxes_.mensajes[0].texto, "Seleccione tipo de archivo a validar..");
  EXPECT_EQ(boxes_.mensajes[0].icono, vt::Icono::Exclamacion);
  EXPECT_EQ(box("txtfile(2)"), QStringLiteral("/antes/c.xls"));
}

}  // namespace
}  // namespace ambrix::qt::testing
