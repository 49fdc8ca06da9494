#include "shell/core/operacion_archivos.hpp"

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
