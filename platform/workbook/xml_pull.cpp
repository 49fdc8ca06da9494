#include "platform/workbook/xml_pull.hpp"

#include <array>
#include <cstring>

#include "platform/workbook/failure.hpp"
#include "platform/workbook/utf8.hpp"

namespace vt::workbook {
namespace {

bool isBlank(int ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

// Name characters by byte: letters, digits, ":_-." and every byte of a multi-byte character.
constexpr std::array<bool, 256> kNameChar = [] {
  std::array<bool, 256> table{};
  for (int ch = 0; ch < 256; ++ch) {
    table[static_cast<std::size_t>(ch)] = ch > 0x7F || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                                          (ch >= '0' && ch <= '9') || ch == ':' || ch == '_' || ch == '-' ||
                                          ch == '.';
  }
  return table;
}();

void appendCodePoint(std::string& out, unsigned long cp) {
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) fail(Failure::Damaged);
  appendUtf8(out, static_cast<std::uint32_t>(cp));
}

std::string_view localPart(std::string_view name) {
  const std::size_t colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

}  // namespace

void XmlPullParser::tooManyTokens() { fail(Failure::TooLarge); }

XmlPullParser::XmlPullParser(Reader reader, std::size_t maxTokenBytes)
    : reader_(std::move(reader)), maxToken_(maxTokenBytes), buffer_(1 << 16) {}

void XmlPullParser::refill() {
  if (eof_) return;
  pos_ = 0;
  len_ = reader_(buffer_.data(), buffer_.size());
  if (len_ == 0) eof_ = true;
}

void XmlPullParser::append(std::string& out, char ch) {
  if (out.size() >= maxToken_) fail(Failure::TooLarge);
  out += ch;
}

void XmlPullParser::append(std::string& out, const char* first, const char* last) {
  if (out.size() + static_cast<std::size_t>(last - first) > maxToken_) fail(Failure::TooLarge);
  out.append(first, last);
}

const char* XmlPullParser::scanTo(char a, char b, char c) {
  const char* first = buffer_.data() + pos_;
  const char* last = buffer_.data() + len_;
  for (const char* p = first; p != last; ++p) {
    if (*p == a || *p == b || *p == c) return p;
  }
  return last;
}

void XmlPullParser::expect(char ch) {
  if (get() != static_cast<unsigned char>(ch)) fail(Failure::Damaged);
}

void XmlPullParser::skipBlanks() {
  while (isBlank(peek())) ++pos_;
}

void XmlPullParser::readName(std::string& out) {
  out.clear();
  // In place over the buffer; a name cut by the buffer's end goes on after a refill.
  while (peek() >= 0) {
    const char* first = buffer_.data() + pos_;
    const char* last = buffer_.data() + len_;
    const char* p = first;
    while (p != last && kNameChar[static_cast<unsigned char>(*p)]) ++p;
    append(out, first, p);
    pos_ += static_cast<std::size_t>(p - first);
    if (p != last) break;
  }
  if (out.empty()) fail(Failure::Damaged);
}

// Text up to the next '<' (left unread), entities decoded; whole runs between markup at a time.
void XmlPullParser::readText(std::string& out) {
  while (peek() >= 0) {
    const char* first = buffer_.data() + pos_;
    const char* lt = static_cast<const char*>(std::memchr(first, '<', len_ - pos_));
    const char* stop = lt ? lt : buffer_.data() + len_;
    const char* amp = static_cast<const char*>(std::memchr(first, '&', static_cast<std::size_t>(stop - first)));
    if (amp) stop = amp;
    append(out, first, stop);
    pos_ += static_cast<std::size_t>(stop - first);
    if (amp) {
      ++pos_;
      readEntity(out);
    } else if (lt) {
      return;
    }
  }
}

void XmlPullParser::readEntity(std::string& out) {
  scratch_.clear();
  for (int ch; (ch = get()) != ';';) {
    if (ch < 0 || scratch_.size() > 12) fail(Failure::Damaged);
    scratch_ += static_cast<char>(ch);
  }
  if (scratch_ == "lt") {
    append(out, '<');
  } else if (scratch_ == "gt") {
    append(out, '>');
  } else if (scratch_ == "amp") {
    append(out, '&');
  } else if (scratch_ == "quot") {
    append(out, '"');
  } else if (scratch_ == "apos") {
    append(out, '\'');
  } else if (scratch_.size() > 1 && scratch_[0] == '#') {
    const bool hex = scratch_[1] == 'x';
    const std::string_view digits = std::string_view(scratch_).substr(hex ? 2 : 1);
    if (digits.empty()) fail(Failure::Damaged);
    unsigned long cp = 0;
    for (char d : digits) {
      int v;
      if (d >= '0' && d <= '9') {
        v = d - '0';
      } else if (hex && d >= 'a' && d <= 'f') {
        v = d - 'a' + 10;
      } else if (hex && d >= 'A' && d <= 'F') {
        v = d - 'A' + 10;
      } else {
        fail(Failure::Damaged);
      }
      cp = cp * (hex ? 16 : 10) + static_cast<unsigned long>(v);
      if (cp > 0x10FFFF) fail(Failure::Damaged);
    }
    if (out.size() + 4 > maxToken_) fail(Failure::TooLarge);
    appendCodePoint(out, cp);
  } else {
    fail(Failure::Damaged);
  }
}

void XmlPullParser::skipUntil(std::string_view terminator) {
  std::size_t matched = 0;
  for (std::size_t skipped = 0; matched < terminator.size(); ++skipped) {
    const int ch = get();
    if (ch < 0) fail(Failure::Damaged);
    if (skipped > maxToken_) fail(Failure::TooLarge);
    if (ch == static_cast<unsigned char>(terminator[matched])) {
      ++matched;
    } else {
      matched = ch == static_cast<unsigned char>(terminator[0]) ? 1 : 0;
    }
  }
}

std::optional<std::string_view> XmlPullParser::attribute(std::string_view localName) const {
  for (std::size_t i = 0; i < attributeCount_; ++i) {
    if (localPart(attributes_[i].first) == localName) return std::string_view(attributes_[i].second);
  }
  return std::nullopt;
}

std::optional<std::string_view> XmlPullParser::attribute(std::string_view localName, bool prefixed) const {
  for (std::size_t i = 0; i < attributeCount_; ++i) {
    const std::string& name = attributes_[i].first;
    if ((name.find(':') != std::string::npos) == prefixed && localPart(name) == localName)
      return std::string_view(attributes_[i].second);
  }
  return std::nullopt;
}

XmlPullParser::Event XmlPullParser::next() {
  if (pendingEnd_) {
    pendingEnd_ = false;
    open_.pop_back();
    return Event::EndElement;
  }
  if (!started_) {
    started_ = true;
    // Some writers put a UTF-8 byte-order mark before the declaration.
    if (peek() == 0xEF) {
      get();
      expect('\xBB');
      expect('\xBF');
    }
  }
  for (;;) {
    if (++tokens_ > tokenLimit_) tooManyTokens();
    int ch = peek();
    if (ch < 0) {
      if (!open_.empty() || !seenRoot_) fail(Failure::Damaged);
      return Event::EndOfDocument;
    }
    if (ch != '<') {
      text_.clear();
      readText(text_);
      if (open_.empty()) {
        for (char c : text_) {
          if (!isBlank(static_cast<unsigned char>(c))) fail(Failure::Damaged);
        }
        continue;
      }
      return Event::Text;
    }
    get();  // '<'
    ch = peek();
    if (ch == '?') {
      skipUntil("?>");
      continue;
    }
    if (ch == '!') {
      get();
      if (peek() == '-') {
        expect('-');
        expect('-');
        skipUntil("-->");
        continue;
      }
      if (peek() == '[') {
        for (char c : std::string_view("[CDATA[")) expect(c);
        if (open_.empty()) fail(Failure::Damaged);
        text_.clear();
        std::size_t matched = 0;  // of "]]>"
        for (;;) {
          const int c = get();
          if (c < 0) fail(Failure::Damaged);
          if (c == ']') {
            if (matched < 2) {
              ++matched;
            } else {
              append(text_, ']');
            }
            continue;
          }
          if (c == '>' && matched == 2) break;
          for (; matched > 0; --matched) append(text_, ']');
          append(text_, static_cast<char>(c));
        }
        return Event::Text;
      }
      fail(Failure::Damaged);  // a document type declaration is never needed
    }
    return readTag();
  }
}

XmlPullParser::Event XmlPullParser::readTag() {
  if (peek() == '/') {
    get();
    readName(scratch_);
    skipBlanks();
    expect('>');
    if (open_.empty() || open_.back() != scratch_) fail(Failure::Damaged);
    name_.assign(localPart(scratch_));
    open_.pop_back();
    return Event::EndElement;
  }
  if (open_.empty() && seenRoot_) fail(Failure::Damaged);
  std::string qualified;
  readName(qualified);
  attributeCount_ = 0;
  std::size_t attributeBytes = 0;
  for (;;) {
    const bool blank = isBlank(peek());
    skipBlanks();
    const int ch = peek();
    if (ch == '>' || ch == '/') break;
    if (!blank) fail(Failure::Damaged);
    if (attributeCount_ == attributes_.size()) attributes_.emplace_back();
    auto& [attrName, attrValue] = attributes_[attributeCount_++];
    if (attributeCount_ > 4096) fail(Failure::Damaged);
    readName(attrName);
    skipBlanks();
    expect('=');
    skipBlanks();
    const int quote = get();
    if (quote != '"' && quote != '\'') fail(Failure::Damaged);
    attrValue.clear();
    for (;;) {
      if (peek() < 0) fail(Failure::Damaged);
      const char* first = buffer_.data() + pos_;
      const char* stop = scanTo(static_cast<char>(quote), '&', '<');
      append(attrValue, first, stop);
      pos_ += static_cast<std::size_t>(stop - first);
      if (pos_ == len_) continue;
      const int c = get();
      if (c == quote) break;
      if (c == '<') fail(Failure::Damaged);
      readEntity(attrValue);
    }
    // Each value is capped on its own; so are all of an element's together.
    attributeBytes += attrName.size() + attrValue.size();
    if (attributeBytes > maxToken_) fail(Failure::TooLarge);
  }
  name_.assign(localPart(qualified));
  seenRoot_ = true;
  if (open_.size() > 256) fail(Failure::Damaged);
  open_.push_back(std::move(qualified));
  if (get() == '/') {
    expect('>');
    pendingEnd_ = true;
  }
  return Event::StartElement;
}

}  // namespace vt::workbook
