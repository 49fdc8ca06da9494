#include "platform/errors/runtime_errors.hpp"

#include <gtest/gtest.h>

#include "platform/errors/err_object.hpp"
#include "platform/errors/error.hpp"

namespace {

TEST(RuntimeErrors, RaisingByNumberAloneUsesTheStandardTextAndRecordsIt) {
  const struct {
    long number;
    const char* description;
  } cases[] = {
      {vt::kErrTypeMismatch, "No coinciden los tipos"},
      {vt::kErrInvalidUseOfNull, "Uso no válido de Null"},
      {4001, ""},  // not a standard number: no text of its own
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    vt::Err().Clear();
    try {
      vt::raiseRuntimeError(c.number, "Ambrix");
      FAIL() << "raiseRuntimeError returned";
    } catch (const vt::Error& e) {
      EXPECT_EQ(e.number(), c.number);
      EXPECT_EQ(e.source(), "Ambrix");
      EXPECT_EQ(e.description(), c.description);
    }
    EXPECT_EQ(vt::Err().Number, c.number);
    EXPECT_EQ(vt::Err().Description, c.description);
  }
}

}  // namespace
