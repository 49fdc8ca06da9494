// ambrix-batch: the program's start-up and actions without a window. Message boxes are printed
// as transcript lines on standard output.

#include <iostream>
#include <string>
#include <vector>

#include "apps/ambrix-batch/dump_config.hpp"
#include "apps/ambrix-batch/dump_sheet.hpp"
#include "apps/ambrix-batch/list_mode.hpp"
#include "apps/ambrix-batch/options.hpp"
#include "apps/ambrix-batch/process_mode.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/mensajes_consola.hpp"

int main(int argc, char** argv) {
  using namespace ambrix::batch;
  const ParseResult parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::cerr << "ambrix-batch: " << parsed.error << '\n' << usageText();
    return 2;
  }
  const BatchOptions& options = parsed.options;

  vt::MensajesConsola transcript(std::cout, options.answers);
  vt::setProcessMessages(&transcript);

  int status = 0;
  switch (options.mode) {
    case Mode::Help:
      std::cout << usageText();
      break;
    case Mode::DumpConfig:
      status = runDumpConfig(options, std::cout);
      break;
    case Mode::List:
      status = runList(options, std::cout);
      break;
    case Mode::DumpSheet:
      status = runDumpSheet(options.dumpSheet, std::cout);
      break;
    case Mode::Process:
      status = runProcess(options, std::cout, std::cerr);
      break;
    case Mode::None:
      break;
  }
  vt::setProcessMessages(nullptr);
  return status;
}
