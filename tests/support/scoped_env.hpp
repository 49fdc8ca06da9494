#pragma once
// One environment variable of the test process set or removed for a scope, and put back after.

#include <optional>
#include <string>

namespace vt::testing {

class ScopedEnv {
 public:
  // Sets `name` to `value`, or removes it when there is no value.
  ScopedEnv(std::string name, const std::optional<std::string>& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

}  // namespace vt::testing
