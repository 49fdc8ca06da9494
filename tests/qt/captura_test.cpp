// Under Xvfb: the main window after start-up, taken as a picture (build/ventana-principal.png)
// to be looked at, and checked to hold a drawn window rather than a blank.

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QTest>
#include <filesystem>

#include "tests/qt/ventana_fixture.hpp"

namespace ambrix::qt::testing {
namespace {

TEST_F(VentanaTest, ThePictureAfterStartUpIsWrittenAndNotBlank) {
  ASSERT_EQ(load(), ResultadoInicio::Completo) << lastMessage();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&ventana_));
  const std::filesystem::path png = std::filesystem::path(VT_BINARY_DIR) / "ventana-principal.png";
  std::filesystem::remove(png);
  ASSERT_TRUE(ventana_.grab().save(QString::fromStdString(png.string()), "PNG"));
  const QImage imagen(QString::fromStdString(png.string()));
  ASSERT_FALSE(imagen.isNull());
  EXPECT_EQ(imagen.size(), ventana_.size() * ventana_.devicePixelRatio());
  QSet<QRgb> colores;
  for (int y = 0; y < imagen.height(); y += 2)
    for (int x = 0; x < imagen.width(); x += 2) colores.insert(imagen.pixel(x, y));
  // Text, frames, lists and buttons give many shades; a blank or one-colour picture does not.
  EXPECT_GT(colores.size(), 16);

  // With the sales panel and the XML options open, for a look at where they go.
  check("chkInfo(1)")->click();
  check("chkXML")->click();
  QTest::qWait(50);
  EXPECT_TRUE(
      ventana_.grab().save(QString::fromStdString((png.parent_path() / "ventana-opciones.png").string())));
}

}  // namespace
}  // namespace ambrix::qt::testing
