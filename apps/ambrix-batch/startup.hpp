#pragma once
// The start-up every mode shares: the settings loaded as the program's start-up loads them.

#include "apps/ambrix-batch/options.hpp"
#include "platform/profile/configuracion.hpp"

namespace ambrix::batch {

// Regional settings, TAXCONFIG.INI and station into ctx, failures reported through the current
// notifier. The folder is --config-dir, else $AMBRIX_CONFIG_DIR, else the executable's.
bool loadConfiguration(const BatchOptions& options, vt::ContextoConfiguracion& ctx);

}  // namespace ambrix::batch
