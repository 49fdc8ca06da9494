#pragma once
// --dump-config: every setting the start-up read, one "name=value" line each.

#include <iosfwd>

#include "apps/ambrix-batch/options.hpp"
#include "platform/profile/configuracion.hpp"

namespace ambrix::batch {

void printConfiguration(const vt::ContextoConfiguracion& ctx, std::ostream& out);

// Exit status: 0, or 1 when the configuration could not be loaded (the box is in the transcript).
int runDumpConfig(const BatchOptions& options, std::ostream& out);

}  // namespace ambrix::batch
