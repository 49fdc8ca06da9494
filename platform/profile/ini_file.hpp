#pragma once
// INI files with the Windows profile semantics. Section and key names compare case-insensitively
// with the blanks around them ignored, and the first match wins: only the first section of a name
// is read or written, a later one of the same name is ignored. A value is the text after the
// first "=", trimmed, with one pair of surrounding quotes removed. ";" lines are comments; lines
// end at CRLF or LF. Writing changes one line and keeps every other byte of the file.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/profile/text_file.hpp"

namespace vt::profile {

// An INI text split and parsed once, for reading many keys (a 20 MB file is not parsed again
// for every key).
class IniText {
 public:
  explicit IniText(std::string content);
  ~IniText();
  IniText(IniText&&) noexcept;
  IniText& operator=(IniText&&) noexcept;
  // The value of the key, or nullopt when the section or the key is missing.
  std::optional<std::string> value(std::string_view section, std::string_view key) const;

 private:
  struct Parsed;
  std::unique_ptr<Parsed> parsed_;
};

// The value of the key, or nullopt when the file, the section or the key is missing.
std::optional<std::string> readValue(std::string_view content, std::string_view section,
                                     std::string_view key);
std::optional<std::string> readFileValue(const std::string& path, std::string_view section,
                                         std::string_view key);
// The whole file (a regular file of at most kMaxProfileBytes), parsed; nullopt with the reason.
std::optional<IniText> readIniFile(const std::string& path, ReadFailure* why = nullptr);

// The content with the key set: the first matching key line is rewritten in place, else the key
// is added after the section's last key, else the section is appended. New lines take the
// file's line ends (CRLF for an empty file). nullopt when a name or the value cannot be written
// on one line (line breaks, "=" in the key, "]" in the section, empty names).
std::optional<std::string> withValue(std::string_view content, std::string_view section, std::string_view key,
                                     std::string_view value);

// Sets the key in the file (created when missing) through a temporary file renamed over it, so
// that a failure leaves the previous file whole. False when nothing could be written.
bool writeFileValue(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);

}  // namespace vt::profile
