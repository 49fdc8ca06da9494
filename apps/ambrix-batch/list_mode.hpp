#pragma once
// --list: the start-up steps that fill the window's lists, printed instead of shown.

#include <iosfwd>

#include "apps/ambrix-batch/options.hpp"

namespace ambrix::batch {

// Connects, fills the company, month and year lists, loads the first company's parameters, closes,
// and prints the lists ("name|RUC" per company; "* " marks the selected month and year) and
// gsPorcIVA. Exit status 0, or 1 when the configuration or the connection failed.
int runList(const BatchOptions& options, std::ostream& out);

}  // namespace ambrix::batch
