#include "apps/ambrix-batch/startup.hpp"

#include "platform/profile/system_info.hpp"
#include "shell/core/avisos.hpp"
#include "shell/core/globals.hpp"

namespace ambrix::batch {

std::string configurationFolder(const BatchOptions& options) {
  return options.configDir ? vt::withoutTrailingSlash(*options.configDir) : vt::programConfigFolder();
}

bool loadConfiguration(const BatchOptions& options, vt::ContextoConfiguracion& ctx) {
  ctx.gsTituloApp = ambrix::gsTituloApp;
  ctx.programFolder = configurationFolder(options);
  if (!vt::gfCargaConfiguracion(ctx)) return false;
  try {
    vt::gsCargaEstacion(ctx);
  } catch (...) {
    ambrix::reportUnexpectedError();
    return false;
  }
  return true;
}

}  // namespace ambrix::batch
