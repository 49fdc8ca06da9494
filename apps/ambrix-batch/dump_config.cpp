#include "apps/ambrix-batch/dump_config.hpp"

#include <ostream>

#include "apps/ambrix-batch/startup.hpp"

namespace ambrix::batch {

void printConfiguration(const vt::ContextoConfiguracion& ctx, std::ostream& out) {
  for (const auto& [name, value] : vt::configurationEntries(ctx)) out << name << '=' << value << '\n';
}

int runDumpConfig(const BatchOptions& options, std::ostream& out) {
  vt::ContextoConfiguracion& ctx = vt::currentConfiguration();
  if (!loadConfiguration(options, ctx)) return 1;
  printConfiguration(ctx, out);
  return 0;
}

}  // namespace ambrix::batch
