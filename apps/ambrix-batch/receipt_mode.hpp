#pragma once
// --print-receipt: the window's print button pressed once, the receipt written to a PDF file.

#include <string>

#include "apps/ambrix-batch/ventana_batch.hpp"

namespace ambrix::batch {

// Exit status 0 when the receipt was written, 3 when it was not (the reason is in the transcript).
// Qt is started here only, on its offscreen platform: the other modes make no Qt object.
int printReceipt(VentanaBatch& ventana, const std::string& sPdf);

}  // namespace ambrix::batch
