#pragma once
// What the sheet validators' tests share: sheets built from rows or read from a ";"-separated
// file of this folder, the rewritten sheet as text, a row's error block, and valtrone-call run on
// a configuration of its own.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/automation/string_matrix.hpp"
#include "tests/support/run_program.hpp"

namespace hoja_test {

using Fila = std::vector<std::string>;
using Cambios = std::vector<std::pair<int, std::string>>;  // (column, cell)

// `base` with a few cells changed.
Fila conCambios(Fila base, const Cambios& cambios);

// Row 0 is the header (left empty); cells past `lastCol` are dropped.
vt::automation::StringMatrixRef sheetOf(const std::vector<Fila>& rows, long lastCol);
// The data rows of a ";"-separated file (header line first, CR LF or LF), `columns` cells a row.
std::vector<Fila> readRows(const std::filesystem::path& csv, std::size_t columns);
// The data rows, cells 0 to `lastCol` joined by ";", one CR LF-ended line each.
std::string normalised(const vt::automation::StringMatrix& sheet, long lastCol);
// The block of data row `r` under the sheet word (the header being the sheet's line 1).
std::string block(std::string_view word, long r, const std::vector<std::string>& lines);

// What one call of a sheet validator left.
struct Outcome {
  std::string result;
  std::string log;  // "" when no log was written
  int32_t progress = 0;
  vt::automation::StringMatrixRef sheet;
};
// The log the call wrote at `path` ("" when none), removed so that the next call starts anew.
std::string takeLog(const std::filesystem::path& path);

// The statements run on any connection while `call` runs (opening a connection is none).
std::vector<std::string> statementsDuring(const std::function<void()>& call);

// A one-row case: the cells changed in the base row and the exact lines of its block.
struct Case {
  Cambios changes;
  std::vector<std::string> lines;  // none: the row passes
  const char* why;
};
// Each case's row validated alone by `validateRow`: "OK" and no log when it has no lines, else
// "ERROR" and exactly its block under the sheet word.
void expectBlocks(std::string_view word, const std::vector<Case>& cases,
                  const std::function<Outcome(const Cambios&)>& validateRow);

// valtrone-call with `arguments` (member and argument words, already quoted), iPocIVA 12 set and
// the further `--set` options of `properties`, on a TAXCONFIG.INI in `folder` that names a fresh
// copy of the fixture database, or a file of the bytes `database` in its place.
vt::testing::ProgramRun callValtrone(const std::filesystem::path& folder, const std::string& arguments,
                                     const std::string& properties = "",
                                     const std::optional<std::string>& database = std::nullopt);

}  // namespace hoja_test
