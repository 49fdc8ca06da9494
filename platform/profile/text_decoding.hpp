#pragma once
// Decoding of text files: UTF-16 when it starts with its byte-order mark, UTF-8 when valid (a
// byte-order mark dropped), otherwise Windows-1252.

#include <string>
#include <string_view>
#include <vector>

namespace vt {

bool isValidUtf8(std::string_view bytes);
std::string windows1252ToUtf8(std::string_view bytes);
// UTF-16 with its byte-order mark; unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian);
std::string decodeTextFile(std::string_view bytes);

// Lines end at CR LF or at a lone LF; an empty remainder after the last break is no line.
std::vector<std::string_view> splitLines(std::string_view text);
// Fields split at every occurrence of the separator; an empty separator gives one field.
std::vector<std::string_view> splitFields(std::string_view line, std::string_view separator);

}  // namespace vt
