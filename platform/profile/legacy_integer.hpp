#pragma once
// Internal: text to a bounded integer the way the legacy runtime converted settings (CByte,
// CInt): a number rounded half to even; raises 13 when the text is not a number, 6 out of range,
// with `source` as the error's source.

#include <string>
#include <string_view>

namespace vt::profile {

long legacyInteger(std::string_view text, long minimum, long maximum, const std::string& source);

}  // namespace vt::profile
