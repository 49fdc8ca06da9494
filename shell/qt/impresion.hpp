#pragma once
// The print dialog behind a seam: the real dialog, or a PDF file without a dialog when
// AMBRIX_PRINT_PDF names one (headless runs), or a test's own answer.

#include <QString>
#include <functional>

class QPrintDialog;

namespace ambrix::qt {

// Answers a configured dialog as exec() would: QDialog::Accepted or QDialog::Rejected.
using RespuestaDialogo = std::function<int(QPrintDialog&)>;

// Replaces how dialogs are answered; an empty answer restores the real dialog.
void setRespuestaDialogo(RespuestaDialogo respuesta);

// Shows the dialog, or answers it through the seam. With AMBRIX_PRINT_PDF set and no test answer,
// the dialog's printer writes that PDF file and the dialog counts as accepted.
int ejecutarDialogo(QPrintDialog& dialogo);

// The PDF file of AMBRIX_PRINT_PDF, "" when unset.
QString pdfSinDialogo();

}  // namespace ambrix::qt
