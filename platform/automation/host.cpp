#include "platform/automation/host.hpp"

#include <memory>
#include <mutex>

namespace vt::automation::host {

namespace {

std::mutex mutex;
std::shared_ptr<const std::function<void()>> installed;

}  // namespace

void setYieldHook(std::function<void()> hook) {
  auto next = hook ? std::make_shared<const std::function<void()>>(std::move(hook)) : nullptr;
  std::lock_guard lock(mutex);
  installed = std::move(next);
}

void yieldToHost() {
  std::shared_ptr<const std::function<void()>> hook;
  {
    std::lock_guard lock(mutex);
    hook = installed;
  }
  // Called outside the lock: the hook may install another one.
  if (hook) (*hook)();
}

}  // namespace vt::automation::host
