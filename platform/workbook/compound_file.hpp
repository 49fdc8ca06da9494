#pragma once
// A compound (OLE2) file held in memory: the streams of its root storage by name.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt::workbook {

class CompoundFile {
 public:
  // Damaged when the header, allocation tables or directory are not consistent.
  explicit CompoundFile(std::vector<std::uint8_t> bytes);

  bool hasStream(std::string_view name) const;  // names compare case-insensitively (ASCII)
  // The stream's bytes; nullopt when there is no such stream.
  std::optional<std::vector<std::uint8_t>> stream(std::string_view name) const;

 private:
  struct Entry {
    std::string name;  // ASCII letters only kept; others as '?'
    std::uint8_t type = 0;
    std::uint32_t start = 0;
    std::uint64_t size = 0;
  };
  std::uint32_t sector(std::uint32_t index) const;  // offset of a sector
  std::vector<std::uint8_t> readChain(std::uint32_t start, std::uint64_t size, bool mini) const;
  const Entry* find(std::string_view name) const;

  std::vector<std::uint8_t> bytes_;
  std::uint32_t sectorSize_ = 512;
  std::uint32_t miniCutoff_ = 4096;
  std::vector<std::uint32_t> fat_, miniFat_;
  std::vector<Entry> entries_;
  std::vector<std::uint8_t> miniStream_;
};

}  // namespace vt::workbook
