#include "import/sheet_dump.hpp"

namespace ambrix {

void writeSheetDump(const vt::automation::StringMatrix& hoja, std::ostream& out) {
  if (hoja.empty()) return;
  for (long r = 1; r <= hoja.ubound(1); ++r) {
    for (long c = hoja.lbound(2); c <= hoja.ubound(2); ++c) {
      if (c > hoja.lbound(2)) out << '\t';
      out << hoja.at(r, c);
    }
    out << '\n';
  }
}

}  // namespace ambrix
