#pragma once
// --state: the program's start-up, the window's inputs from the state file, one press of the
// process button, everything shown printed as a transcript.

#include <iosfwd>

#include "apps/ambrix-batch/options.hpp"

namespace ambrix::batch {

// Exit status: 0 after a run, 1 when the start-up failed, 2 when the state file cannot be read or
// holds a value that fits no control (said on err). After a run that recorded the XML file name
// the last line is "INI: [PATH_Files] ATS=<name>". With --print-receipt the print button is
// pressed in place of the process button (receipt_mode.hpp).
int runProcess(const BatchOptions& options, std::ostream& out, std::ostream& err);

}  // namespace ambrix::batch
