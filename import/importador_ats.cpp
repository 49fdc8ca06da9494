#include "import/importador_ats.hpp"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "import/carga_archivo.hpp"
#include "import/rutinas_hoja.hpp"
#include "platform/automation/host.hpp"
#include "platform/automation/loader.hpp"
#include "platform/automation/registry.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/database/db_objects.hpp"
#include "platform/errors/runtime_errors.hpp"
#include "shell/core/avisos.hpp"
#include "shell/core/conexion.hpp"
#include "shell/core/globals.hpp"

namespace ambrix {

std::shared_ptr<vt::automation::Object> goValidador;

namespace {

using vt::conv::Trim;

// The validator and the library's per-row yield belong to one pass, however it ends.
class PasadaEnCurso {
 public:
  explicit PasadaEnCurso(IVentanaATS& frm) {
    vt::automation::host::setYieldHook([&frm] { frm.DoEvents(); });
  }
  ~PasadaEnCurso() {
    vt::automation::host::setYieldHook(nullptr);
    goValidador.reset();
  }
  PasadaEnCurso(const PasadaEnCurso&) = delete;
  PasadaEnCurso& operator=(const PasadaEnCurso&) = delete;
};

// Creates goValidador and gives it the VAT percentage and the connection. False after a message
// when the library cannot serve it or refuses the company's parameters.
bool preparaValidador(const ImportadorATS::Fabrica& fabrica) {
  try {
    goValidador = fabrica();
    if (!goValidador) vt::raiseRuntimeError(vt::kErrCannotCreate, gsTitulo);
    goValidador->let("iPocIVA", vt::automation::Variant(gParametrosEmpresa.gsPorcIVA));
    goValidador->set("db_ConexionObj", vt::db::asVariant(gConexion));
    return true;
  } catch (...) {
    goValidador.reset();
    showCurrentError(std::string("No se puede preparar el validador ") + kProgIdValidador + ": ");
    return false;
  }
}

// What one sheet's store word says became of the sheet.
FinAlmacen finDeHoja(const std::string& sHoja) {
  if (sHoja == "OK") return FinAlmacen::Completo;
  if (sHoja == "OK-ERROR") return FinAlmacen::ConRechazos;
  if (sHoja == "CANCEL") return FinAlmacen::Cancelado;
  return FinAlmacen::Fallido;
}

// One of the four steps of a pass: its sheet, the sheet's word in the stores' messages, status
// text, progress after it and routine.
struct Paso {
  int iHoja;
  const char* sPalabra;
  const char* sEstado;
  long lProgreso;
  std::function<std::string()> rutina;
};

}  // namespace

namespace {

// Whether the running program lies inside the build tree (the folder of the build's registry):
// a copy installed elsewhere must not reach into the tree it was built in, which may be gone or
// hold a newer, different library.
bool corridoDesdeLaCompilacion() {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path programa = fs::canonical("/proc/self/exe", ec);
  if (ec) return false;
  const fs::path compilacion = fs::canonical(fs::path(AMBRIX_REGISTRO_COMPILACION).parent_path(), ec);
  if (ec) return false;
  const auto [fin, resto] = std::mismatch(compilacion.begin(), compilacion.end(), programa.begin(), programa.end());
  return fin == compilacion.end();
}

}  // namespace

void registroPorOmision() {
  if (std::getenv("VALTRONE_REGISTRY")) return;
  std::error_code ec;
  if (std::filesystem::exists(vt::automation::Registry::path(), ec)) return;
  if (!corridoDesdeLaCompilacion()) return;
  ::setenv("VALTRONE_REGISTRY", AMBRIX_REGISTRO_COMPILACION, 0);
}

vt::automation::Object& validadorConConexion() {
  if (!goValidador) vt::raiseRuntimeError(vt::kErrObjectNotSet, gsTitulo);
  goValidador->set("db_ConexionObj", vt::db::asVariant(gConexion));
  return *goValidador;
}

ImportadorATS::ImportadorATS()
    : fabrica_([] {
        registroPorOmision();
        return vt::automation::createObject(kProgIdValidador);
      }) {}

bool ImportadorATS::gfCargaHojas(ParamProcesoATS& param, std::string& sError) {
  std::string sTipo = param.frm->cmbTipo_file_ListIndex() == 0 ? "xls" : "csv";
  std::vector<std::string> asArchivos(param.asArchivos.begin(), param.asArchivos.end());
  return gfCargaArchivoExcel(sTipo, asArchivos, param.sSeparador, sError);
}

std::string ImportadorATS::gfProcesaArchivoATS(ParamProcesoATS& p) {
  IVentanaATS& frm = *p.frm;
  IBarraProgreso& prg = *p.prgprogreso;
  // A store pass that ends before its sheets has stored nothing.
  p.finAlmacen = FinAlmacen::Fallido;
  if (p.Chkanio != 0) p.nu_mes = "99";
  prg.Visible(true);
  prg.Min(0);
  prg.Max(100);
  frm.XPStatusBar_Panel1("Cargando informacion a validar...");

  PasadaEnCurso pasada(frm);
  // However the store pass ends, it was the sheets' last reader: their memory goes before the
  // annex is written.
  struct Liberacion {
    bool bAlmacen;
    ~Liberacion() {
      if (bAlmacen) liberaHojas();
    }
  } liberacion{p.ti_proceso == 2};
  if (!preparaValidador(fabrica_)) return "ERROR";
  frm.DoEvents();

  if (p.ti_proceso == 1) {
    std::string sTipo = frm.cmbTipo_file_ListIndex() == 0 ? "xls" : "csv";
    std::vector<std::string> asArchivos(p.asArchivos.begin(), p.asArchivos.end());
    std::string sError;
    if (!gfCargaArchivoExcel(sTipo, asArchivos, p.sSeparador, sError)) {
      showBox("Proceso cancelado. \r\n" + sError, vt::Icono::Informacion);
      return "ERROR";
    }
  }
  prg.Value(10);
  frm.DoEvents();

  long lBandera = 1;
  const std::vector<Paso> pasos = {
      {0, "COMPRAS", "Validando información de COMPRAS...", 30,
       [&] {
         return gfImportaCompras(frm, p.ti_proceso, p.co_empresa, p.nu_mes, p.nu_anio, p.ChkCabecera,
                                 p.dDecRedondeo, p.cmbValidaCompras, prg);
       }},
      {1, "VENTAS", "Validando información de VENTAS...", 60,
       [&] {
         lBandera = 1;
         if (p.ti_proceso == 2 && p.iOpciones[0] != 1) {
           frm.XPStatusBar_Panel1("Importando información de VENTAS...");
           return gfAcumulaVentas(frm, p.co_empresa, p.nu_mes, p.nu_anio, lBandera, p.ChkCabecera, prg,
                                  p.iOpciones);
         }
         return gfImportaVentas(frm, p.ti_proceso, p.co_empresa, p.nu_mes, p.nu_anio, lBandera, p.ChkCabecera,
                                p.dDecRedondeo, prg, p.iOpciones);
       }},
      {2, "ANULADOS", "Validando informacion de Comprobantes ANULADOS...", 90,
       [&] {
         lBandera = 1;
         return gfImportaAnulados(frm, p.ti_proceso, p.co_empresa, p.nu_mes, p.nu_anio, lBandera,
                                  p.sSeparador, p.ChkCabecera, prg);
       }},
      {3, "EXPORTACIONES", "Validando informacion de EXPORTACIONES...", 100,
       [&] {
         return gfImportaExportaciones(frm, p.ti_proceso, p.co_empresa, p.nu_mes, p.nu_anio, p.ChkCabecera,
                                       p.dDecRedondeo, prg);
       }},
  };

  p.finAlmacen = FinAlmacen::Completo;
  std::string sUltimo = "OK";
  std::string sPasada = "OK";
  // A sheet whose store failed ("ERROR", or "" without the server time) stored nothing: a later
  // sheet's result must not hide it, or the run would go on as if the month were stored. Nor is a
  // later sheet stored after it: the month would end half new and half old.
  std::optional<std::string> sFallaAlmacen;
  std::string sHojaFallida;
  std::string sSinGrabar;
  for (const Paso& paso : pasos) {
    const bool bMarcada = !Trim(p.asArchivos[paso.iHoja]).empty();
    if (bMarcada && sFallaAlmacen) {
      sSinGrabar += (sSinGrabar.empty() ? "" : ", ") + std::string(paso.sPalabra);
    } else if (bMarcada) {
      prg.Visible(true);
      frm.lblTotReg_Visible(true);
      frm.cmdCancel_Enabled(true);
      frm.XPStatusBar_Panel1(paso.sEstado);
      gsConectaBD();
      // Without a connection (its message shown) the sheet can be neither judged nor stored: a
      // validator would find every code unknown.
      sUltimo = gConexion->state() == vt::db::State::Open ? paso.rutina() : "ERROR";
      gsCierraBD();
      const std::string sHoja = Trim(sUltimo);
      if (p.ti_proceso == 2) {
        p.finAlmacen = std::max(p.finAlmacen, finDeHoja(sHoja));
        if (sHoja == "ERROR" || sHoja.empty()) {
          sFallaAlmacen = sHoja;
          sHojaFallida = paso.sPalabra;
        }
      }
    }
    if (paso.iHoja == 0)
      sPasada = sUltimo;
    else if (Trim(sUltimo) != "OK")
      sPasada = Trim(sUltimo);
    prg.Value(paso.lProgreso);
    frm.DoEvents();
  }
  if (!sSinGrabar.empty())
    showBox(sSinGrabar + ": No se grabó la información porque falló la grabación de " + sHojaFallida +
                ". Se conserva la información anterior del período.",
            vt::Icono::Informacion);
  return sFallaAlmacen ? *sFallaAlmacen : sPasada;
}

}  // namespace ambrix
