#include "platform/workbook/workbook.hpp"

#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/workbook/failure.hpp"
#include "platform/workbook/xls_reader.hpp"
#include "platform/workbook/xlsx_reader.hpp"

namespace vt::workbook {

FileKind detectKind(const std::string& path) {
  // Only a regular file: a FIFO would block the read and a device never ends.
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(path, ignored)) fail(Failure::CannotOpen);
  std::ifstream in(path, std::ios::binary);
  if (!in) fail(Failure::CannotOpen);
  char head[8] = {};
  in.read(head, sizeof head);
  if (in.gcount() >= 4 && std::memcmp(head, "PK\x03\x04", 4) == 0) return FileKind::Xlsx;
  static constexpr char kCompound[8] = {'\xD0', '\xCF', '\x11', '\xE0', '\xA1', '\xB1', '\x1A', '\xE1'};
  if (in.gcount() == 8 && std::memcmp(head, kCompound, 8) == 0) return FileKind::Xls;
  return FileKind::Other;
}

Worksheet readActiveSheet(const std::string& path, const ReadLimits& limits) {
  switch (detectKind(path)) {
    case FileKind::Xlsx:
      return readXlsxActiveSheet(path, limits);
    case FileKind::Xls:
      return readXlsActiveSheet(path, limits);
    case FileKind::Other:
      break;
  }
  fail(Failure::NotAWorkbook);
}

}  // namespace vt::workbook
