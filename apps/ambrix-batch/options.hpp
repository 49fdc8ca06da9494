#pragma once
// Command line of the batch program: what to do and the inputs every mode shares.

#include <optional>
#include <string>
#include <vector>

#include "platform/errors/mensajes.hpp"

namespace ambrix::batch {

enum class Mode { None, Help, DumpConfig, List, DumpSheet, Process };

struct DumpSheetOptions {
  std::string file;
  std::string kind = "xls";
  int sheet = 0;
  std::string separator = ";";
};

struct BatchOptions {
  Mode mode = Mode::None;
  std::optional<std::string> configDir;  // overrides the folder of TAXCONFIG.INI
  DumpSheetOptions dumpSheet;            // --dump-sheet FILE --tipo --hoja --separador
  std::string stateFile;                 // --state FILE: the window's inputs
  std::vector<vt::Respuesta> answers;    // --answers yes,no,...: the yes/no prompts in order
  long cancelAfterYields = 0;            // --cancel-after-yields N: cancel at the N-th yield
  bool printReceipt = false;             // --print-receipt: the print button in place of the process one
  std::string pdf;                       // --pdf FILE: where the receipt is printed
  // Test hook: scripted statuses of the import passes.
};

struct ParseResult {
  BatchOptions options;
  std::string error;  // not empty when the command line is wrong
};

ParseResult parseOptions(const std::vector<std::string>& args);

// The usage text printed for --help and after a wrong command line.
const char* usageText();

}  // namespace ambrix::batch
