#pragma once
// Internal: text to a bounded integer the way the legacy runtime converted settings (CByte,
// CInt): a number rounded half to even; raises 13 when the text is not a number, 6 out of range.

#include <string_view>

namespace vt::profile {

long legacyInteger(std::string_view text, long minimum, long maximum);

}  // namespace vt::profile
