#pragma once
// Sizes of the window's design are in twips; the widgets are placed in logical pixels at 96 DPI.

namespace ambrix::qt {

constexpr int Twips(int n) { return n / 15; }

}  // namespace ambrix::qt
