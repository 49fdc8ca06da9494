#include "shell/qt/anfitrion.hpp"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <charconv>
#include <cstdlib>

#include "platform/conversions/conversions.hpp"

namespace ambrix::qt {

namespace {

constexpr int kIntervaloVigilancia = 500;  // ms

xcb_connection_t* xcbConnection() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

}  // namespace

std::optional<std::int32_t> hostWindowId(const std::string& sLinea) {
  const std::string texto = vt::conv::Trim(sLinea);
  std::int32_t id = 0;
  const auto [fin, ec] = std::from_chars(texto.data(), texto.data() + texto.size(), id);
  if (texto.empty() || ec != std::errc() || fin != texto.data() + texto.size() || id <= 0)
    return std::nullopt;
  return id;
}

bool hostWindowExists(std::int32_t id) {
  xcb_connection_t* c = xcbConnection();
  if (!c) return false;
  xcb_generic_error_t* error = nullptr;
  xcb_get_window_attributes_reply_t* reply =
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, static_cast<xcb_window_t>(id)), &error);
  std::free(error);
  const bool existe = reply != nullptr;
  std::free(reply);
  return existe;
}

bool embedInHost(QWidget& ventana, std::int32_t id, std::function<void()> alPerderAnfitrion) {
  if (!hostWindowExists(id)) return false;
  QWindow* anfitrion = QWindow::fromWinId(static_cast<WId>(id));
  if (!anfitrion) return false;
  ventana.setAttribute(Qt::WA_NativeWindow);
  ventana.winId();  // creates the native window that is re-parented
  ventana.windowHandle()->setParent(anfitrion);
  auto* vigilancia = new QTimer(&ventana);
  QObject::connect(vigilancia, &QTimer::timeout, &ventana, [vigilancia, id, alPerderAnfitrion]() {
    if (hostWindowExists(id)) return;
    vigilancia->stop();
    if (alPerderAnfitrion) alPerderAnfitrion();
  });
  vigilancia->start(kIntervaloVigilancia);
  return true;
}

bool isEmbedded(const QWidget& ventana) {
  const QWindow* w = ventana.windowHandle();
  return w && w->parent() != nullptr;
}

}  // namespace ambrix::qt
