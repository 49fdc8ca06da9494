#pragma once
// What the process hosting the library installs for it: the "let the window breathe" call the
// validators make once per row (the desktop program processes its pending events there).

#include <functional>

namespace vt::automation::host {

// Process-wide; an empty function removes the hook.
void setYieldHook(std::function<void()> hook);
// Calls the hook, if any; does nothing otherwise.
void yieldToHost();

}  // namespace vt::automation::host
