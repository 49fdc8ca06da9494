#include "import/sheet_dump.hpp"

namespace ambrix {
namespace {

// Tab, CR, LF and backslash inside a cell are written as \t, \r, \n and \\, so that one sheet row
// is one output line and the cells split at the tabs.
void writeEscaped(std::ostream& out, std::string_view cell) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < cell.size(); ++i) {
    const char c = cell[i];
    const char* escape = c == '\t'   ? "\\t"
                         : c == '\r' ? "\\r"
                         : c == '\n' ? "\\n"
                         : c == '\\' ? "\\\\"
                                     : nullptr;
    if (escape == nullptr) continue;
    out.write(cell.data() + start, static_cast<std::streamsize>(i - start));
    out << escape;
    start = i + 1;
  }
  out.write(cell.data() + start, static_cast<std::streamsize>(cell.size() - start));
}

}  // namespace

void writeSheetDump(const vt::automation::StringMatrix& hoja, std::ostream& out) {
  if (hoja.empty()) return;
  for (long r = 1; r <= hoja.ubound(1); ++r) {
    for (long c = hoja.lbound(2); c <= hoja.ubound(2); ++c) {
      if (c > hoja.lbound(2)) out << '\t';
      writeEscaped(out, hoja.get(r, c));
    }
    out << '\n';
  }
}

}  // namespace ambrix
