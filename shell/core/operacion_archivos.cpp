#include "shell/core/operacion_archivos.hpp"

#include "platform/errors/runtime_errors.hpp"
#include "platform/profile/system_info.hpp"
#include "shell/core/avisos.hpp"

namespace ambrix {
namespace fs = std::filesystem;
namespace {

std::error_code RenombrarReal(const fs::path& desde, const fs::path& hacia) {
  std::error_code ec;
  fs::rename(desde, hacia, ec);
  return ec;
}

RenombrarCarpeta gPasoRenombrar = &RenombrarReal;

bool Existe(const fs::path& ruta) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(ruta, ec));
}

// A copy of the folder under a hidden name in the destination, renamed into place once whole;
// the old place is removed last. Any failure before that removes the partial copy.
std::error_code CopiarYBorrar(const fs::path& origen, const fs::path& final) {
  fs::path temporal;
  for (int n = 0;; ++n) {
    temporal = final.parent_path() / ("." + final.filename().string() + ".mover" + std::to_string(n));
    if (!Existe(temporal)) break;
  }
  std::error_code ec;
  fs::copy(origen, temporal, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
  if (!ec) fs::rename(temporal, final, ec);
  if (ec) {
    std::error_code ignorado;
    fs::remove_all(temporal, ignorado);
    return ec;
  }
  fs::remove_all(origen, ec);
  return ec;
}

}  // namespace

RenombrarCarpeta setRenombrarCarpeta(RenombrarCarpeta paso) {
  const RenombrarCarpeta anterior = gPasoRenombrar;
  gPasoRenombrar = paso ? paso : &RenombrarReal;
  return anterior;
}

void CrearCarpeta(const std::string& sCarpeta, const std::string& sNombre) {
  if (sNombre.empty() || sNombre == "." || sNombre == ".." || sNombre.find('/') != std::string::npos)
    vt::raiseRuntimeError(vt::kErrBadFileName, "CrearCarpeta");
  const fs::path ruta = fs::path(sCarpeta) / sNombre;
  if (Existe(ruta)) vt::raiseRuntimeError(vt::kErrFileExists, "CrearCarpeta");
  std::error_code ec;
  if (fs::create_directory(ruta, ec)) return;
  if (!ec || ec == std::errc::file_exists) vt::raiseRuntimeError(vt::kErrFileExists, "CrearCarpeta");
  if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory)
    vt::raiseRuntimeError(vt::kErrPathNotFound, "CrearCarpeta");
  if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted ||
      ec == std::errc::read_only_file_system)
    vt::raiseRuntimeError(vt::kErrPermissionDenied, "CrearCarpeta");
  vt::raiseRuntimeError(vt::kErrPathAccess, "CrearCarpeta");
}

void OperacionArchivos(const std::string& sOrigen, const std::string& sDestino, int iCodigo, bool& bFallo) {
  bFallo = false;
  const fs::path origen = vt::withoutTrailingSlash(sOrigen);
  const fs::path final = fs::path(sDestino) / origen.filename();
  if (iCodigo != kOperacionMover || origen.filename().empty() || Existe(final)) {
    bFallo = true;
    showBox(kOperacionFallida, vt::Icono::Critico);
    return;
  }
  std::error_code ec = gPasoRenombrar(origen, final);
  if (ec == std::errc::cross_device_link) ec = CopiarYBorrar(origen, final);
  if (ec) {
    bFallo = true;
    showBox(std::to_string(ec.value()), vt::Icono::Critico);
  }
}

}  // namespace ambrix
