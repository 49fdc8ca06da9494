#pragma once
// A small pull parser for large XML parts read in chunks: elements by local name, attributes,
// text with entities decoded. No DTD (refused), no namespaces beyond dropping the prefix.
// Malformed input raises Failure::Damaged; a text, name, comment or an element's attributes
// together longer than the cap raise TooLarge.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vt::workbook {

class XmlPullParser {
 public:
  // Fills the buffer with up to `capacity` bytes; returns 0 at the end of the input.
  using Reader = std::function<std::size_t(char* buffer, std::size_t capacity)>;
  enum class Event { StartElement, EndElement, Text, EndOfDocument };

  XmlPullParser(Reader reader, std::size_t maxTokenBytes);

  Event next();
  std::string_view name() const { return name_; }  // local name of the element
  std::optional<std::string_view> attribute(std::string_view localName) const;  // any prefix
  // Only a name with a prefix (r:id) or only one without (Id).
  std::optional<std::string_view> attribute(std::string_view localName, bool prefixed) const;
  const std::string& text() const { return text_; }
  std::size_t depth() const { return open_.size(); }
  // Markup and text items read so far (comments and processing instructions included): the work
  // a part has cost, for weighing it against what it yielded.
  std::uint64_t tokens() const { return tokens_; }
  // Reading on past `limit` tokens raises TooLarge (the caller raises it as values come out).
  void limitTokens(std::uint64_t limit) {
    tokenLimit_ = limit;
    if (tokens_ > tokenLimit_) tooManyTokens();
  }

 private:
  // The next byte, or -1 at the end of the input.
  int peek() {
    if (pos_ == len_) refill();
    return pos_ < len_ ? static_cast<unsigned char>(buffer_[pos_]) : -1;
  }
  int get() {
    const int ch = peek();
    if (ch >= 0) ++pos_;
    return ch;
  }
  void refill();
  void append(std::string& out, const char* first, const char* last);
  // The first of the three bytes in what is left of the buffer, or the buffer's end.
  const char* scanTo(char a, char b, char c);
  void readText(std::string& out);
  void expect(char ch);
  void readName(std::string& out);
  void skipBlanks();
  void readEntity(std::string& out);
  void append(std::string& out, char ch);
  void skipUntil(std::string_view terminator);
  Event readTag();

  Reader reader_;
  std::size_t maxToken_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0, len_ = 0;
  bool eof_ = false;

  std::string name_, text_, scratch_;
  std::vector<std::pair<std::string, std::string>> attributes_;
  std::size_t attributeCount_ = 0;
  std::vector<std::string> open_;
  bool pendingEnd_ = false;
  bool seenRoot_ = false;
  bool started_ = false;
  [[noreturn]] static void tooManyTokens();

  std::uint64_t tokens_ = 0;
  std::uint64_t tokenLimit_ = UINT64_MAX;
};

}  // namespace vt::workbook
