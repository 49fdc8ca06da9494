#include "shell/core/inicio.hpp"

#include <cstdlib>

#include "platform/conversions/conversions.hpp"
#include "platform/database/recordset.hpp"
#include "platform/profile/configuracion.hpp"
#include "shell/core/avisos.hpp"
#include "shell/core/conexion.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/listas.hpp"
#include "shell/core/parametros.hpp"

namespace ambrix {

namespace {

constexpr int kBlancosTipoArchivo = 50;

bool isOpen() { return gConexion && gConexion->state() == vt::db::State::Open; }

void fillFileTypes(IListaCombo& cmb) {
  const std::string blancos(kBlancosTipoArchivo, ' ');
  cmb.AddItem("Excel (*.xls)|(*.xlsx)" + blancos + "*.xls*");
  cmb.AddItem("CSV   (*.csv)  " + blancos + "*.csv");
  cmb.setListIndex(0);
}

void fillValidationLevels(IListaCombo& cmb) {
  cmb.Clear();
  for (const char* nivel : {"<< No validar >>", "Solo Autorización", "Autorización y caducidad",
                            "Autorización, caducidad y rango"})
    cmb.AddItem(nivel);
  cmb.setListIndex(0);
}

}  // namespace

ResultadoInicio gfIniciarPrograma(ListasVentanaATS& l, const vt::conv::Date& hoy) {
  vt::ContextoConfiguracion& ctx = vt::currentConfiguration();
  ctx.gsTituloApp = gsTituloApp;
  if (!vt::gfCargaConfiguracion(ctx)) return ResultadoInicio::ConfiguracionFallida;
  // The validation library always shared the program's folder and its TAXCONFIG.INI.
  if (!ctx.programFolder.empty()) ::setenv("VALTRONE_CONFIG_DIR", ctx.programFolder.c_str(), 0);
  try {
    gsConectaBD();
    // A failed open has shown its messages; an engine that opens nothing has shown none and runs on.
    if (!isOpen() && !connectionText(ctx.sistema).empty()) return ResultadoInicio::SinConexion;
    std::string sCondicion = "st_regis = 'A' Order By ds_nombre ";
    gsLlenaEmpresas(l.cmbEmpresas, sCondicion);
    vt::gsCargaEstacion(ctx);
    gsLlenaMesesAnios(true, l.cmbMeses, true, l.cmbanios, hoy);
    fillFileTypes(l.cmbTipo_file);
    // Whether the database holds parameters at all: nothing is selected yet.
    vt::db::Recordset rs;
    std::string sRuc = gfCodigoCombo(l.cmbEmpresas);
    if (!gfCargaParametros(rs, sRuc, true)) {
      showBox(kMensajeSinParametros, vt::Icono::Informacion);
      return ResultadoInicio::SinParametros;
    }
    fillValidationLevels(l.cmbValidaCompras);
    l.cmbEmpresas.setListIndex(0);
    cmbEmpresas_Click(l.cmbEmpresas);
    gsCierraBD();
    return ResultadoInicio::Completo;
  } catch (...) {
    reportUnexpectedError();
    return isOpen() ? ResultadoInicio::ErrorInesperado : ResultadoInicio::SinConexion;
  }
}

void cmbEmpresas_Click(const IListaCombo& cmbEmpresas) {
  const bool yaAbierta = isOpen();
  try {
    if (!yaAbierta) gsConectaBD();
    if (isOpen()) {
      vt::db::Recordset rs;
      std::string sRuc = gfCodigoCombo(cmbEmpresas);
      if (!gfCargaParametros(rs, sRuc, true)) {
        std::string sPrimera;
        gfCargaParametros(rs, sPrimera, true);
      }
    }
  } catch (...) {
    reportUnexpectedError();
  }
  if (!yaAbierta) gsCierraBD();
}

std::string xmlFileName(int iIndiceMes, const std::string& sAnio) {
  return gsPrefijoXML + vt::conv::FormatNumber(iIndiceMes + 1, "00") + sAnio + ".XML";
}

int applyWholeYear(int Chkanio) {
  if (Chkanio == 1) showBox(kMensajeAnioCompleto, vt::Icono::Informacion);
  return Chkanio == 1 ? 0 : 1;
}

std::string xmlFileNameShown(int chkXML, int iIndiceMes, const std::string& sAnio) {
  return chkXML == 1 ? xmlFileName(iIndiceMes, sAnio) : "";
}

}  // namespace ambrix
