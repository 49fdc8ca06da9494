#include "platform/workbook/number_format.hpp"

#include <cctype>
#include <string>

namespace vt::workbook {

bool isBuiltInDateFormat(int id) {
  return (id >= 14 && id <= 22) || (id >= 45 && id <= 47) || (id >= 27 && id <= 36) || (id >= 50 && id <= 58);
}

bool isDateFormatCode(std::string_view code) {
  std::string rest;
  for (std::size_t i = 0; i < code.size(); ++i) {
    const char ch = code[i];
    if (ch == ';') break;
    if (ch == '"') {
      const std::size_t end = code.find('"', i + 1);
      if (end == std::string_view::npos) break;
      i = end;
    } else if (ch == '\\' || ch == '_' || ch == '*') {
      ++i;  // the next character is a literal or a fill
    } else if (ch == '[') {
      const std::size_t end = code.find(']', i + 1);
      if (end == std::string_view::npos) break;
      std::string inner;
      for (char c : code.substr(i + 1, end - i - 1))
        inner += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (inner == "h" || inner == "hh" || inner == "m" || inner == "mm" || inner == "s" || inner == "ss")
        rest += inner;
      i = end;
    } else if ((ch == 'E' || ch == 'e') && i + 1 < code.size() &&
               (code[i + 1] == '+' || code[i + 1] == '-')) {
      ++i;
    } else {
      rest += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
  }
  return rest.find_first_of("dmyhs") != std::string::npos;
}

}  // namespace vt::workbook
