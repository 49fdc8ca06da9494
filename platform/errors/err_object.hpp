#pragma once
// The current-error object of the legacy runtime ("Err"): what the last raised or reported error
// was. One per thread, so that each thread of the validation library keeps its own.

#include <string>
#include <string_view>

namespace vt {

struct ErrObject {
  long Number = 0;
  std::string Description;
  std::string Source;
  std::string HelpFile;
  long HelpContext = 0;

  void Clear();
  // Sets the object and throws vt::Error with the same number, source and description.
  [[noreturn]] void Raise(long number, std::string source, std::string description);
  // Inside a catch block: records the exception being handled. A vt::Error keeps its fields;
  // running out of memory is 7; any other exception is 5 with its what(), from `source`.
  void captureCurrentException(std::string_view source);
};

// The calling thread's error object.
ErrObject& Err();

}  // namespace vt
