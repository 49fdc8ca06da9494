#include "platform/workbook/compound_file.hpp"

#include <algorithm>
#include <cstring>

#include "platform/conversions/conversions.hpp"
#include "platform/workbook/failure.hpp"

namespace vt::workbook {
namespace {

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kMaxSectorIndex = 0xFFFFFFFA;

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
  if (at + 4 > b.size()) fail(Failure::Damaged);
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
         static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t u16(const std::vector<std::uint8_t>& b, std::size_t at) {
  if (at + 2 > b.size()) fail(Failure::Damaged);
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}


}  // namespace

CompoundFile::CompoundFile(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
  static constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  if (bytes_.size() < 512 || std::memcmp(bytes_.data(), kSignature, 8) != 0) fail(Failure::Damaged);
  const std::uint16_t sectorShift = u16(bytes_, 0x1E);
  if (sectorShift != 9 && sectorShift != 12) fail(Failure::Damaged);
  if (u16(bytes_, 0x20) != 6) fail(Failure::Damaged);
  sectorSize_ = 1u << sectorShift;
  const std::uint32_t fatSectors = u32(bytes_, 0x2C);
  const std::uint32_t directoryStart = u32(bytes_, 0x30);
  miniCutoff_ = u32(bytes_, 0x38);
  const std::uint32_t miniFatStart = u32(bytes_, 0x3C);
  const std::uint32_t miniFatSectors = u32(bytes_, 0x40);
  std::uint32_t difatSector = u32(bytes_, 0x44);
  const std::uint32_t difatSectors = u32(bytes_, 0x48);
  const std::uint64_t sectorCount = (bytes_.size() + sectorSize_ - 1) / sectorSize_;  // an upper bound
  if (fatSectors > sectorCount || difatSectors > sectorCount || miniFatSectors > sectorCount) {
    fail(Failure::Damaged);
  }

  // The sectors of the allocation table: 109 in the header, the rest in a chain of DIFAT sectors.
  std::vector<std::uint32_t> fatList;
  for (std::uint32_t i = 0; i < 109 && fatList.size() < fatSectors; ++i)
    fatList.push_back(u32(bytes_, 0x4C + 4 * i));
  for (std::uint32_t n = 0; fatList.size() < fatSectors; ++n) {
    if (n >= difatSectors || difatSector > kMaxSectorIndex) fail(Failure::Damaged);
    const std::uint32_t base = sector(difatSector);
    const std::uint32_t perSector = sectorSize_ / 4 - 1;
    for (std::uint32_t i = 0; i < perSector && fatList.size() < fatSectors; ++i) {
      fatList.push_back(u32(bytes_, base + 4 * i));
    }
    difatSector = u32(bytes_, base + 4 * perSector);
  }
  // A sector listed twice would let a small file describe an allocation table larger than itself.
  std::vector<bool> listed(sectorCount, false);
  for (std::uint32_t s : fatList) {
    if (s >= sectorCount || listed[s]) fail(Failure::Damaged);
    listed[s] = true;
  }
  fat_.reserve(static_cast<std::size_t>(fatSectors) * (sectorSize_ / 4));
  for (std::uint32_t s : fatList) {
    const std::uint32_t base = sector(s);
    for (std::uint32_t i = 0; i < sectorSize_ / 4; ++i) fat_.push_back(u32(bytes_, base + 4 * i));
  }

  const std::vector<std::uint8_t> directory = readChain(directoryStart, UINT64_MAX, false);
  for (std::size_t at = 0; at + 128 <= directory.size(); at += 128) {
    Entry e;
    const std::uint16_t nameBytes = std::min<std::uint16_t>(u16(directory, at + 0x40), 64);
    for (std::size_t i = 0; i + 2 < nameBytes; i += 2) {
      const std::uint16_t ch = u16(directory, at + i);
      e.name += ch < 0x80 ? static_cast<char>(ch) : '?';
    }
    e.type = directory[at + 0x42];
    e.start = u32(directory, at + 0x74);
    e.size = u32(directory, at + 0x78);
    if (sectorShift == 12) e.size |= static_cast<std::uint64_t>(u32(directory, at + 0x7C)) << 32;
    entries_.push_back(std::move(e));
  }
  if (entries_.empty() || entries_[0].type != 5) fail(Failure::Damaged);

  if (miniFatSectors > 0 && miniFatStart <= kMaxSectorIndex) {
    const std::vector<std::uint8_t> table = readChain(miniFatStart, UINT64_MAX, false);
    for (std::size_t at = 0; at + 4 <= table.size(); at += 4) miniFat_.push_back(u32(table, at));
    miniStream_ = readChain(entries_[0].start, entries_[0].size, false);
  }
}

std::uint32_t CompoundFile::sector(std::uint32_t index) const {
  const std::uint64_t offset = (static_cast<std::uint64_t>(index) + 1) * sectorSize_;
  if (index > kMaxSectorIndex || offset + sectorSize_ > bytes_.size()) fail(Failure::Damaged);
  return static_cast<std::uint32_t>(offset);
}

std::vector<std::uint8_t> CompoundFile::readChain(std::uint32_t start, std::uint64_t size, bool mini) const {
  const std::vector<std::uint32_t>& table = mini ? miniFat_ : fat_;
  const std::uint32_t unit = mini ? 64 : sectorSize_;
  const std::uint64_t available = mini ? miniStream_.size() : bytes_.size();
  if (size != UINT64_MAX && size > available) fail(Failure::Damaged);
  std::vector<std::uint8_t> out;
  if (size != UINT64_MAX) out.reserve(size);
  // Each unit of the file at most once: a chain that comes back to a unit loops, and a chain can
  // never hold more bytes than the file (or the mini stream) itself.
  std::vector<bool> visited(std::min<std::uint64_t>(table.size(), available / unit + 1), false);
  std::uint32_t current = start;
  while (current != kEndOfChain) {
    if (size != UINT64_MAX && out.size() >= size) break;
    if (current >= visited.size() || visited[current]) fail(Failure::Damaged);
    visited[current] = true;
    std::uint64_t offset;
    if (mini) {
      offset = static_cast<std::uint64_t>(current) * 64;
      if (offset + 64 > miniStream_.size()) fail(Failure::Damaged);
      out.insert(out.end(), miniStream_.begin() + offset, miniStream_.begin() + offset + 64);
    } else {
      offset = sector(current);
      out.insert(out.end(), bytes_.begin() + offset, bytes_.begin() + offset + unit);
    }
    current = table[current];
    if (current == kFreeSector) fail(Failure::Damaged);
  }
  if (size != UINT64_MAX) {
    if (out.size() < size) fail(Failure::Damaged);
    out.resize(size);
  }
  return out;
}

const CompoundFile::Entry* CompoundFile::find(std::string_view name) const {
  for (const Entry& e : entries_) {
    if (e.type == 2 && conv::SameText(e.name, name)) return &e;
  }
  return nullptr;
}

bool CompoundFile::hasStream(std::string_view name) const { return find(name) != nullptr; }

std::optional<std::vector<std::uint8_t>> CompoundFile::stream(std::string_view name) const {
  const Entry* e = find(name);
  if (!e) return std::nullopt;
  return readChain(e->start, e->size, e->size < miniCutoff_);
}

}  // namespace vt::workbook
