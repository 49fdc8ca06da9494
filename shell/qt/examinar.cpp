#include "shell/qt/examinar.hpp"

#include <QComboBox>

#include "platform/conversions/conversions.hpp"
#include "shell/core/avisos.hpp"
#include "shell/qt/frm_ats_subir_excel.hpp"
#include "shell/qt/frm_explorer.hpp"
#include "shell/qt/texto_con_boton.hpp"

namespace ambrix::qt {
namespace {

// Opens the picker and puts what it hands back into the box; a picker closed without a choice
// leaves the box as it was.
void Examinar(frm_ATS_SubirExcel& frm, TextoConBoton& caja, const std::string& sFiltro,
              const char* sCaption) {
  frmExplorer explorador(&frm);
  explorador.sFiltro = sFiltro;
  explorador.setWindowTitle(QString::fromUtf8(sCaption));
  explorador.exec();
  if (!vt::conv::Trim(explorador.sCarpetaSel).empty() || !vt::conv::Trim(explorador.sArchivoSel).empty())
    caja.setText(QString::fromStdString(explorador.sCarpetaSel + explorador.sArchivoSel));
}

}  // namespace

void txtfile_ButtonClick(frm_ATS_SubirExcel& frm, int Index) {
  if (frm.cmbTipo_file_ListIndex() < 0) {
    showBox(kSeleccioneTipoArchivo, vt::Icono::Exclamacion);
    frm.FocoTipoArchivo();
    return;
  }
  const QComboBox* tipos = frm.findChild<QComboBox*>(QStringLiteral("cmbTipo_file"));
  const std::string sFiltro = vt::conv::Trim(vt::conv::Right(tipos->currentText().toStdString(), 10));
  Examinar(frm, *frm.txtfile(Index), sFiltro, "Seleccionar archivo...");
}

void txtPath_ButtonClick(frm_ATS_SubirExcel& frm) {
  Examinar(frm, *frm.txtPathBox(), "*", "Seleccione carpeta...");
}

}  // namespace ambrix::qt
