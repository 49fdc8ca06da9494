// Under Xvfb: the picker on a small tree, in file mode and in folder mode, taken as pictures
// (build/explorador-archivo.png, build/explorador-carpeta.png) to be looked at, and checked to
// hold a drawn dialog rather than a blank.

#include <gtest/gtest.h>

#include <QImage>
#include <QSet>
#include <QTest>
#include <QTreeView>
#include <filesystem>

#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/mensajes_grabados.hpp"
#include "platform/profile/configuracion.hpp"
#include "shell/qt/frm_explorer.hpp"
#include "tests/support/scoped_env.hpp"
#include "tests/support/temp_folder.hpp"

namespace ambrix::qt::testing {
namespace {

int shades(const QImage& imagen) {
  QSet<QRgb> colores;
  for (int y = 0; y < imagen.height(); y += 2)
    for (int x = 0; x < imagen.width(); x += 2) colores.insert(imagen.pixel(x, y));
  return static_cast<int>(colores.size());
}

TEST(ExplorerPicture, BothModesAreDrawn) {
  vt::testing::TempFolder temp{"picker-picture"};
  vt::testing::ScopedEnv home{"HOME", temp.file("home")};
  vt::testing::ScopedEnv xdg{"XDG_CONFIG_HOME", temp.file("home/.config")};
  vt::MensajesGrabados boxes;
  vt::ScopedThreadMessages guard{boxes};
  vt::ContextoConfiguracion ctx;  // the demo's regional forms
  ctx.regional.gsFormatoFecha = "dd/MM/yyyy";
  ctx.regional.gsSepMiles = ".";
  ctx.regional.gsSepDecimal = ",";
  vt::ContextoConfiguracion* previo = vt::setThreadConfiguration(&ctx);
  temp.write("home/Desktop/nota.txt", "x");
  temp.write("home/Documents/Anexos/a.csv", "x");
  temp.write("datos/Compras mayo 2013.xlsx", std::string(48213, 'x'));
  temp.write("datos/VENTAS.XLS", std::string(1536, 'x'));
  temp.write("datos/anulados.xls", std::string(1023, 'x'));
  temp.write("datos/exportaciones.csv", "x");
  temp.write("datos/Salida/x.csv", "x");

  struct Case {
    const char* sFiltro;
    const char* caption;
    const char* png;
  };
  for (const Case& c : {Case{"*.xls*", "Seleccionar archivo...", "explorador-archivo.png"},
                        Case{"*", "Seleccione carpeta...", "explorador-carpeta.png"}}) {
    SCOPED_TRACE(c.png);
    frmExplorer dlg;
    dlg.sFiltro = c.sFiltro;
    dlg.setWindowTitle(QString::fromUtf8(c.caption));
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    if (std::string(c.sFiltro) == "*") {  // the folder reached through the tree
      const QModelIndex datos = dlg.nodoDeCarpeta(temp.file("datos"));
      ASSERT_TRUE(datos.isValid());
      dlg.TV->setCurrentIndex(datos);
      dlg.TV->scrollTo(datos);
      dlg.TV_NodeClick(datos);
    } else {  // the tree as it opens: the places, the computer and its first volume
      dlg.LoadFiles(temp.file("datos"));
    }
    QTest::qWait(50);
    const std::filesystem::path png = std::filesystem::path(VT_BINARY_DIR) / c.png;
    std::filesystem::remove(png);
    ASSERT_TRUE(dlg.grab().save(QString::fromStdString(png.string()), "PNG"));
    const QImage imagen(QString::fromStdString(png.string()));
    ASSERT_FALSE(imagen.isNull());
    EXPECT_GT(shades(imagen), 16);
  }
  EXPECT_TRUE(boxes.mensajes.empty());
  vt::setThreadConfiguration(previo);
}

}  // namespace
}  // namespace ambrix::qt::testing
