#pragma once
// Running inside the host application's window: the command line names the host's X11 window;
// the main window re-parents itself into it and the program ends when the host window goes away.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace ambrix::qt {

// The host window of a command line: a decimal number from 1 to 2^31-1, blanks around it
// allowed; nullopt for anything else (no host: the program runs as an ordinary window).
std::optional<std::int32_t> hostWindowId(const std::string& sLinea);

// Whether the X server of the running platform knows the window. False off xcb.
bool hostWindowExists(std::int32_t id);

// Makes the top-level widget a child of the host window. False, the widget left top-level, when
// the platform is not xcb or there is no such window. While embedded, `alPerderAnfitrion` runs
// once, from the event loop, when the host window is gone (checked every half second).
bool embedInHost(QWidget& ventana, std::int32_t id, std::function<void()> alPerderAnfitrion);

// Whether the widget's window lives inside a host window.
bool isEmbedded(const QWidget& ventana);

}  // namespace ambrix::qt
