#pragma once
// The start-up every mode shares: the settings loaded as the program's start-up loads them.

#include <string>

#include "apps/ambrix-batch/options.hpp"
#include "platform/profile/configuracion.hpp"

namespace ambrix::batch {

// The folder of TAXCONFIG.INI: --config-dir, else $AMBRIX_CONFIG_DIR, else the executable's.
std::string configurationFolder(const BatchOptions& options);

// Regional settings, TAXCONFIG.INI and station into ctx, failures reported through the current
// notifier. The folder is --config-dir, else $AMBRIX_CONFIG_DIR, else the executable's.
bool loadConfiguration(const BatchOptions& options, vt::ContextoConfiguracion& ctx);

}  // namespace ambrix::batch
