#include "shell/core/procesar_checks.hpp"

#include "platform/conversions/conversions.hpp"
#include "platform/profile/configuracion.hpp"
#include "platform/profile/perfil.hpp"
#include "platform/profile/text_file.hpp"
#include "shell/core/avisos.hpp"

namespace ambrix {

namespace {

using vt::conv::Trim;

bool refuse(const std::string& sTexto) {
  showBox(sTexto, vt::Icono::Informacion);
  return false;
}

// Every ticked sheet has a file, and every file named, ticked or not, exists.
bool sheetFilesAreValid(const DatosVentanaATS& d) {
  bool alguna = false;
  for (int v : d.chkInfo) alguna = alguna || v == 1;
  if (!alguna) return refuse("Seleccione al menos un tipo de archivo a validar...");
  for (std::size_t i = 0; i < d.txtfile.size(); ++i) {
    if (d.chkInfo[i] == 1 && Trim(d.txtfile[i]).empty())
      return refuse("Debe ingresar archivo de " + d.chkInfoCaption[i] + " a validar...");
    // Only a box with nothing typed passes; blanks name no file.
    if (!d.txtfile[i].empty() && !vt::gfExisteArchivo(d.txtfile[i]))
      return refuse("Archivo de " + d.chkInfoCaption[i] + " no existe... ");
  }
  return true;
}

// The target folder exists and the file name is not blank; the name gains ".XML" when it lacks it.
bool xmlTargetIsValid(DatosVentanaATS& d, IVentanaATS& frm) {
  if (Trim(d.txtPath).empty() || !folderExists(Trim(d.txtPath)))
    return refuse("Carpeta destino " + d.txtPath + "\r\n" + " no existe... ");
  if (Trim(d.txtFileATS_XML).empty())
    return refuse("Nombre de archivo XML " + d.txtFileATS_XML + "\r\n" + " no valido... ");
  if (vt::conv::Upper(vt::conv::Right(d.txtFileATS_XML, 4)) != ".XML") {
    d.txtFileATS_XML += ".XML";
    frm.txtFileATS_XML(d.txtFileATS_XML);
  }
  return true;
}

}  // namespace

bool folderExists(const std::string& sRuta) { return vt::pathKind(sRuta) == vt::PathKind::Folder; }

bool choicesAreValid(DatosVentanaATS& d, IVentanaATS& frm) {
  if (d.chkXML == 0 && d.chkValidaFile == 0)
    return refuse("Seleccione al menos una acción a realizar: Validar archivos o generar .XML");
  if (d.cmbTipo_file < 0) {
    refuse("Seleccione tipo de archivo (CSV|Excel)a validar");
    frm.FocoTipoArchivo();
    return false;
  }
  const bool validar = d.chkValidaFile == 1;
  if (validar && !sheetFilesAreValid(d)) return false;
  // Also for a run that only writes the XML: its folder and name are checked the same way.
  if (d.chkXML == 1 && !xmlTargetIsValid(d, frm)) return false;
  if (validar) {
    const std::string& sPathLog = vt::currentConfiguration().sistema.gsPathLog;
    if (Trim(sPathLog).empty() || !folderExists(Trim(sPathLog)))
      return refuse("Carpeta de bitacora de errores " + sPathLog + "\r\n" + " no existe o no valida... ");
  }
  return true;
}

}  // namespace ambrix
