#include "platform/errors/error.hpp"

#include <utility>

namespace vt {

Error::Error(long number, std::string source, std::string description)
    : std::runtime_error(std::to_string(number) + " " + description),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

}  // namespace vt
