#pragma once
// A started library context on a fresh copy of the fixture database, with a connection of the
// test's own to the same file for putting rows in place and reading back what the members stored.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../frame/frame_test_support.hpp"
#include "platform/database/connection.hpp"

namespace maestros_test {

inline constexpr const char* kEstacion = "ESTACION-07";
// Valid identity numbers: a cédula and the RUC of the same person.
inline constexpr const char* kCedula = "1710034065";
inline constexpr const char* kRuc = "1710034065001";

class Maestros : public ::testing::Test, public frame_test::LibraryFixture {
 protected:
  void SetUp() override;

  // The values of the first row `sql` selects, each as text: texts as they stand, numbers in
  // decimal, dates "yyyy-mm-dd hh:mm:ss" (a date alone "yyyy-mm-dd"), Null "<Null>". Empty when
  // no row comes back.
  std::vector<std::string> fila(const std::string& sql);
  long cuenta(const std::string& tabla, const std::string& condicion = "");
  // The server time the last read of the clock left in tbfechasys, as fila() writes it.
  std::string horaGuardada();

  // A supplier row put in place directly (no establishment).
  void proveedorDirecto(const std::string& ruc);
  void establecimientoDirecto(const std::string& ruc, const std::string& estable,
                              const std::string& nombre = "X");
  // The library's connection is closed or holds no transaction.
  void expectNoOpenTransaction();

  vt::db::Connection db;
};

}  // namespace maestros_test
