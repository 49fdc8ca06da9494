#include "apps/ambrix-batch/startup.hpp"

#include "platform/errors/err_object.hpp"
#include "platform/errors/muestra_error.hpp"
#include "platform/profile/system_info.hpp"

namespace ambrix::batch {

std::string configurationFolder(const BatchOptions& options) {
  return options.configDir ? vt::withoutTrailingSlash(*options.configDir) : vt::programConfigFolder();
}

bool loadConfiguration(const BatchOptions& options, vt::ContextoConfiguracion& ctx) {
  ctx.programFolder = configurationFolder(options);
  if (!vt::gfCargaConfiguracion(ctx)) return false;
  try {
    vt::gsCargaEstacion(ctx);
  } catch (...) {
    vt::Err().captureCurrentException(vt::gsTituloApp);
    vt::reportCurrentError("Ocurrió un error ");
    return false;
  }
  return true;
}

}  // namespace ambrix::batch
