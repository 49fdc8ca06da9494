#include "platform/errors/err_object.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <thread>

#include "platform/errors/error.hpp"

namespace {

TEST(ErrObject, RaiseRecordsAndThrows) {
  vt::Err().Clear();
  try {
    vt::Err().Raise(4001, "Ambrix", "No existe");
    FAIL() << "Raise returned";
  } catch (const vt::Error& e) {
    EXPECT_EQ(e.number(), 4001);
    EXPECT_EQ(e.source(), "Ambrix");
    EXPECT_EQ(e.description(), "No existe");
  }
  EXPECT_EQ(vt::Err().Number, 4001);
  EXPECT_EQ(vt::Err().Source, "Ambrix");
  EXPECT_EQ(vt::Err().Description, "No existe");

  vt::Err().HelpFile = "ayuda.hlp";
  vt::Err().HelpContext = 3;
  vt::Err().Clear();
  EXPECT_EQ(vt::Err().Number, 0);
  EXPECT_EQ(vt::Err().Description, "");
  EXPECT_EQ(vt::Err().Source, "");
  EXPECT_EQ(vt::Err().HelpFile, "");
  EXPECT_EQ(vt::Err().HelpContext, 0);
}

struct CaptureCase {
  const char* name;
  std::function<void()> raise;
  long number;
  const char* source;
  const char* description;
};

TEST(ErrObject, CaptureMapsEveryExceptionToANumber) {
  const CaptureCase cases[] = {
      {"own error", [] { throw vt::Error(76, "Origen", "Ruta no encontrada"); }, 76, "Origen",
       "Ruta no encontrada"},
      {"out of memory", [] { throw std::bad_alloc(); }, 7, "Ambrix", "Memoria insuficiente"},
      {"other exception", [] { throw std::runtime_error("falla"); }, 5, "Ambrix", "falla"},
      {"not an exception", [] { throw 42; }, 5, "Ambrix", "Error desconocido"},
  };
  for (const CaptureCase& c : cases) {
    SCOPED_TRACE(c.name);
    vt::Err().Clear();
    try {
      c.raise();
    } catch (...) {
      vt::Err().captureCurrentException("Ambrix");
    }
    EXPECT_EQ(vt::Err().Number, c.number);
    EXPECT_EQ(vt::Err().Source, c.source);
    EXPECT_EQ(vt::Err().Description, c.description);
  }
}

TEST(ErrObject, CaptureOutsideAHandlerChangesNothing) {
  vt::Err().Clear();
  vt::Err().captureCurrentException("Ambrix");
  EXPECT_EQ(vt::Err().Number, 0);
}

TEST(ErrObject, EachThreadHasItsOwn) {
  vt::Err().Clear();
  vt::Err().Number = 11;
  long seen = -1;
  std::thread other([&seen] {
    seen = vt::Err().Number;
    vt::Err().Number = 99;
  });
  other.join();
  EXPECT_EQ(seen, 0);
  EXPECT_EQ(vt::Err().Number, 11);
}

}  // namespace
