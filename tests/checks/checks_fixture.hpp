#pragma once
// A started library context on a copy of the fixture database, its connection open, with a few
// catalogue rows of the tests' own beside the seeded ones.

#include <gtest/gtest.h>

#include "../frame/frame_test_support.hpp"
#include "library/frame/conexion.hpp"

namespace checks_test {

class Catalogue : public ::testing::Test, public frame_test::LibraryFixture {
 protected:
  void SetUp() override;
  vt::db::Connection& db() { return *valtrone::ctx().gdbConexion; }
};

// The income-tax and dividend brackets of the tests in place of the seeded ones: (0, 10000, 0, 0),
// (10000, 20000, 0, 10), (20000, 999999999, 1000, 20); income tax for "2013" only.
void loadTaxBrackets(vt::db::Connection& db);

}  // namespace checks_test
