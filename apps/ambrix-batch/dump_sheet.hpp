#pragma once
// --dump-sheet: what the program reads from one sheet file, as tab-separated lines.

#include <ostream>

#include "apps/ambrix-batch/options.hpp"

namespace ambrix::batch {

// Loads the file as the chosen sheet and prints its data rows; on a load failure prints the
// loader's message and returns 1.
int runDumpSheet(const DumpSheetOptions& options, std::ostream& out);

}  // namespace ambrix::batch
