#include "platform/workbook/biff_records.hpp"

#include <algorithm>
#include <cstring>

#include "platform/workbook/failure.hpp"
#include "platform/workbook/utf8.hpp"

namespace vt::workbook {
namespace {

constexpr std::uint16_t kContinue = 0x003C;

std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

}  // namespace

BiffRecords::BiffRecords(const std::vector<std::uint8_t>& stream, std::size_t offset)
    : stream_(stream), pos_(offset) {
  if (offset > stream.size()) fail(Failure::Damaged);
}

bool BiffRecords::next() {
  if (pos_ + 4 > stream_.size()) return false;
  type_ = le16(&stream_[pos_]);
  size_ = le16(&stream_[pos_ + 2]);
  if (pos_ + 4 + size_ > stream_.size()) fail(Failure::Damaged);
  data_ = stream_.data() + pos_ + 4;
  pos_ += 4 + size_;
  breaks_.clear();
  if (pos_ + 4 <= stream_.size() && le16(&stream_[pos_]) == kContinue && type_ != kContinue) {
    joined_.assign(data_, data_ + size_);
    while (pos_ + 4 <= stream_.size() && le16(&stream_[pos_]) == kContinue) {
      const std::size_t length = le16(&stream_[pos_ + 2]);
      if (pos_ + 4 + length > stream_.size()) fail(Failure::Damaged);
      breaks_.push_back(joined_.size());
      joined_.insert(joined_.end(), stream_.begin() + static_cast<std::ptrdiff_t>(pos_ + 4),
                     stream_.begin() + static_cast<std::ptrdiff_t>(pos_ + 4 + length));
      pos_ += 4 + length;
    }
    data_ = joined_.data();
    size_ = joined_.size();
  }
  return true;
}

std::uint8_t BiffCursor::u8() {
  if (pos_ + 1 > size_) fail(Failure::Damaged);
  return data_[pos_++];
}

std::uint16_t BiffCursor::u16() {
  if (pos_ + 2 > size_) fail(Failure::Damaged);
  const std::uint16_t v = le16(data_ + pos_);
  pos_ += 2;
  return v;
}

std::uint32_t BiffCursor::u32() {
  const std::uint32_t low = u16();
  return low | static_cast<std::uint32_t>(u16()) << 16;
}

double BiffCursor::f64() {
  if (pos_ + 8 > size_) fail(Failure::Damaged);
  double v;
  std::memcpy(&v, data_ + pos_, 8);
  pos_ += 8;
  return v;
}

void BiffCursor::skip(std::size_t count) {
  if (count > size_ - pos_) fail(Failure::Damaged);
  pos_ += count;
}

std::string BiffCursor::characters(std::uint32_t count, bool wide) {
  std::string out;
  std::uint32_t pendingHigh = 0;
  // A header that fills its record leaves all characters to a CONTINUE, which opens with flags.
  if (count > 0 && std::find(breaks_->begin(), breaks_->end(), pos_) != breaks_->end()) {
    wide = (u8() & 0x01) != 0;
  }
  while (count > 0) {
    std::size_t segmentEnd = size_;
    for (std::size_t b : *breaks_) {
      if (b > pos_) {
        segmentEnd = b;
        break;
      }
    }
    const std::size_t width = wide ? 2 : 1;
    const std::size_t fit = std::min<std::size_t>(count, (segmentEnd - pos_) / width);
    for (std::size_t i = 0; i < fit; ++i) {
      const std::uint32_t unit = wide ? le16(data_ + pos_) : data_[pos_];
      pos_ += width;
      if (unit >= 0xD800 && unit <= 0xDBFF) {
        pendingHigh = unit;
        continue;
      }
      if (unit >= 0xDC00 && unit <= 0xDFFF && pendingHigh) {
        appendUtf8(out, 0x10000 + ((pendingHigh - 0xD800) << 10) + (unit - 0xDC00));
      } else {
        appendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit);
      }
      pendingHigh = 0;
    }
    count -= static_cast<std::uint32_t>(fit);
    if (count == 0) break;
    // The characters go on in a CONTINUE record that starts with its own flags byte.
    if (pos_ != segmentEnd || segmentEnd == size_) fail(Failure::Damaged);
    wide = (u8() & 0x01) != 0;
  }
  return out;
}

std::string BiffCursor::unicodeString(bool shortCount) {
  const std::uint32_t count = shortCount ? u8() : u16();
  const std::uint8_t flags = u8();
  const std::uint16_t runs = (flags & 0x08) ? u16() : 0;
  const std::uint32_t extension = (flags & 0x04) ? u32() : 0;
  std::string text = characters(count, (flags & 0x01) != 0);
  skip(static_cast<std::size_t>(runs) * 4);
  skip(extension);
  return text;
}

}  // namespace vt::workbook
