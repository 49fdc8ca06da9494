#pragma once
// Bounds that keep an untrusted workbook from exhausting memory or time.

#include <cstddef>
#include <cstdint>

namespace vt::workbook {

struct ReadLimits {
  std::uint64_t maxFileBytes = 512ull << 20;     // a whole .xls file read into memory
  std::uint64_t maxPartBytes = 64ull << 20;      // small package parts (workbook, styles, relations)
  std::uint64_t maxStreamBytes = 2048ull << 20;  // a streamed part (sheet or shared strings), unpacked
  std::size_t maxCells = 24'000'000;             // cells holding a value
  std::size_t maxTextBytes = 1u << 20;           // one cell's text
  std::uint64_t maxStringBytes = 512ull << 20;   // all texts together
  // Markup a streamed part may hold beyond what its values need, and per cell or string item it
  // yields (a rich text item or a formula cell takes a few dozen): a part of a few MB that unpacks
  // to millions of empty elements or comments is refused instead of keeping the reader busy.
  std::uint64_t freeTokens = 8'000'000;
  std::uint64_t tokensPerValue = 64;
};

inline constexpr std::uint32_t kMaxRows = 1'048'576;
inline constexpr std::uint32_t kMaxColumns = 16'384;

}  // namespace vt::workbook
