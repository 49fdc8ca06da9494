#pragma once
// The one error type of the system: a number, the source that raised it and a description,
// so that messages can show "number description" the way users have always seen them.

#include <stdexcept>
#include <string>

namespace vt {

class Error : public std::runtime_error {
 public:
  Error(long number, std::string source, std::string description);

  long number() const noexcept { return number_; }
  const std::string& source() const noexcept { return source_; }
  const std::string& description() const noexcept { return description_; }

 private:
  long number_;
  std::string source_;
  std::string description_;
};

}  // namespace vt
