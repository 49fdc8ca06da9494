#pragma once
// --list: the start-up steps that fill the window's lists, printed instead of shown.

#include <iosfwd>

#include "apps/ambrix-batch/options.hpp"

namespace ambrix::batch {

// Runs the program's start-up (settings, connection, lists, the first company's parameters) and
// prints the lists ("name|RUC" per company; "* " marks the selected month and year) and
// gsPorcIVA. Exit status 0, or 1 when the start-up failed.
int runList(const BatchOptions& options, std::ostream& out);

}  // namespace ambrix::batch
