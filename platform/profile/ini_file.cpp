#include "platform/profile/ini_file.hpp"

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/conversions/conversions.hpp"
#include "platform/profile/text_file.hpp"

namespace vt::profile {
namespace {

struct Line {
  std::string_view text;  // without its line end
  std::string_view eol;   // "\r\n", "\n" or "" for a last line without one
};

enum class Kind { Other, Section, Key };

struct ParsedLine {
  Kind kind = Kind::Other;
  std::string_view name;
  std::size_t equals = 0;  // position of "=" in a key line
};

std::vector<Line> splitLines(std::string_view content) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    const std::size_t lf = content.find('\n', start);
    if (lf == std::string_view::npos) {
      lines.push_back({content.substr(start), {}});
      break;
    }
    const bool crlf = lf > start && content[lf - 1] == '\r';
    const std::size_t end = crlf ? lf - 1 : lf;
    lines.push_back({content.substr(start, end - start), content.substr(end, lf + 1 - end)});
    start = lf + 1;
  }
  return lines;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The first line of a file may start with a UTF-8 byte-order mark, which is not part of a name.
ParsedLine parseLine(std::string_view text, bool first) {
  const std::size_t skip = first && text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  const std::string_view t = trimBlanks(text.substr(skip));
  if (t.empty() || t.front() == ';') return {};
  if (t.front() == '[') {
    std::string_view name = t.substr(1);
    const std::size_t close = name.find(']');
    if (close != std::string_view::npos) name = name.substr(0, close);
    return {Kind::Section, trimBlanks(name), 0};
  }
  const std::size_t eq = text.find('=', skip);
  if (eq == std::string_view::npos) return {};
  return {Kind::Key, trimBlanks(text.substr(skip, eq - skip)), eq};
}

std::string valueOf(std::string_view text, std::size_t equals) {
  std::string_view v = trimBlanks(text.substr(equals + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return std::string(v);
}

// Where the section's key is, or where it would go.
struct Place {
  std::optional<std::size_t> keyLine;
  std::optional<std::size_t> sectionEnd;  // last key line, or the header when it has no keys
};

std::vector<ParsedLine> parseLines(const std::vector<Line>& lines) {
  std::vector<ParsedLine> parsed;
  parsed.reserve(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) parsed.push_back(parseLine(lines[i].text, i == 0));
  return parsed;
}

Place findKey(const std::vector<ParsedLine>& parsed, std::string_view section, std::string_view key) {
  // Only the first section of the name counts: a later one of the same name is neither read nor
  // written, as the Windows profile does.
  Place place;
  bool inSection = false;
  for (std::size_t i = 0; i < parsed.size(); ++i) {
    const ParsedLine& p = parsed[i];
    if (p.kind == Kind::Section) {
      if (place.sectionEnd) return place;
      inSection = conv::SameText(p.name, section);
      if (inSection) place.sectionEnd = i;
    } else if (p.kind == Kind::Key && inSection) {
      if (conv::SameText(p.name, key)) {
        place.keyLine = i;
        return place;
      }
      place.sectionEnd = i;
    }
  }
  return place;
}

// The end given to a last line that had none. A line that ends in a lone CR keeps it as its own
// byte: "\n" after it would turn the CR into part of a CR LF end.
std::string_view lastLineEnd(const Line& line, std::string_view eol) {
  return !line.text.empty() && line.text.back() == '\r' && eol == "\n" ? std::string_view("\r\n") : eol;
}

bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

// On the heap, so that the views into the content stay valid when an IniText moves.
struct IniText::Parsed {
  std::string content;
  std::vector<Line> lines;
  std::vector<ParsedLine> parsed;
};

IniText::IniText(std::string content) : parsed_(std::make_unique<Parsed>()) {
  parsed_->content = std::move(content);
  parsed_->lines = splitLines(parsed_->content);
  parsed_->parsed = parseLines(parsed_->lines);
}

IniText::~IniText() = default;
IniText::IniText(IniText&&) noexcept = default;
IniText& IniText::operator=(IniText&&) noexcept = default;

std::optional<std::string> IniText::value(std::string_view section, std::string_view key) const {
  section = trimBlanks(section);
  key = trimBlanks(key);
  if (section.empty() || key.empty()) return std::nullopt;
  const Place place = findKey(parsed_->parsed, section, key);
  if (!place.keyLine) return std::nullopt;
  return valueOf(parsed_->lines[*place.keyLine].text, parsed_->parsed[*place.keyLine].equals);
}

std::optional<std::string> readValue(std::string_view content, std::string_view section,
                                     std::string_view key) {
  return IniText(std::string(content)).value(section, key);
}

std::optional<IniText> readIniFile(const std::string& path, ReadFailure* why) {
  std::optional<std::string> content = readWholeFile(path, kMaxProfileBytes, why);
  if (!content) return std::nullopt;
  return IniText(std::move(*content));
}

std::optional<std::string> readFileValue(const std::string& path, std::string_view section,
                                         std::string_view key) {
  const std::optional<IniText> ini = readIniFile(path);
  if (!ini) return std::nullopt;
  return ini->value(section, key);
}

std::optional<std::string> withValue(std::string_view content, std::string_view section, std::string_view key,
                                     std::string_view value) {
  section = trimBlanks(section);
  key = trimBlanks(key);
  if (section.empty() || key.empty() || hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value) ||
      section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos ||
      key.front() == '[' || key.front() == ';') {
    return std::nullopt;
  }
  std::vector<Line> lines = splitLines(content);
  std::string_view eol = "\r\n";
  for (const Line& l : lines) {
    if (!l.eol.empty()) {
      eol = l.eol;
      break;
    }
  }
  const std::string keyLine = std::string(key) + "=" + std::string(value);
  const Place place = findKey(parseLines(lines), section, key);

  std::string out;
  out.reserve(content.size() + keyLine.size() + section.size() + 8);
  auto appendLine = [&](std::string_view text, std::string_view end) {
    out += text;
    out += end;
  };
  if (place.keyLine) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i != *place.keyLine) {
        appendLine(lines[i].text, lines[i].eol);
        continue;
      }
      // Keep the key as written and the blanks after "="; only the value changes.
      const std::string_view text = lines[i].text;
      std::size_t start = parseLine(text, i == 0).equals + 1;
      while (start < text.size() && isBlank(text[start])) ++start;
      out += text.substr(0, start);
      out += value;
      out += lines[i].eol;
    }
    return out;
  }
  if (place.sectionEnd) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      appendLine(lines[i].text, lines[i].eol.empty() && i == *place.sectionEnd ? lastLineEnd(lines[i], eol) : lines[i].eol);
      if (i == *place.sectionEnd) appendLine(keyLine, eol);
    }
    return out;
  }
  out.assign(content);
  if (!lines.empty() && lines.back().eol.empty()) out += lastLineEnd(lines.back(), eol);
  appendLine("[" + std::string(section) + "]", eol);
  appendLine(keyLine, eol);
  return out;
}

bool writeFileValue(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value) {
  std::string content;
  if (pathExists(path)) {
    std::optional<std::string> existing = readWholeFile(path, kMaxProfileBytes);
    if (!existing) return false;
    content = std::move(*existing);
  }
  const std::optional<std::string> updated = withValue(content, section, key, value);
  if (!updated) return false;
  if (*updated == content && !content.empty()) return true;
  return replaceFile(path, *updated);
}

}  // namespace vt::profile
