// The server clock: the kind check, the file engine's refresh and its failures.

#include "shell/core/fecha_sistema.hpp"

#include <gtest/gtest.h>

#include <regex>

#include "platform/conversions/conversions.hpp"
#include "platform/errors/error.hpp"
#include "shell/core/fecha_actual.hpp"
#include "shell/core/globals.hpp"
#include "tests/support/shell_fixture.hpp"
#include "tests/support/short_dates.hpp"

namespace ambrix {
namespace {

class ServerClock : public testing::ShellTest {
 protected:
  void SetUp() override { connectToCopy(); }
};

TEST_F(ServerClock, KindOtherThanTheThreeGivesEmptyAndMinusOne) {
  for (const char* tipo : {"F", "FH", "", "d"}) {
    std::int16_t estado = 5;
    std::optional<vt::conv::DateTime> hora;
    EXPECT_EQ(gfFechaSistema(estado, tipo, hora), "") << tipo;
    EXPECT_EQ(estado, -1);
    EXPECT_FALSE(hora);
  }
}

TEST_F(ServerClock, FileEngineGivesTheRefreshedLocalTime) {
  const vt::conv::Date antes = currentDateTime().date;
  std::int16_t estado = 0;
  std::optional<vt::conv::DateTime> hora;
  const std::string texto = gfFechaSistema(estado, "fh", hora);
  const vt::conv::Date despues = currentDateTime().date;

  EXPECT_EQ(estado, 1);
  ASSERT_TRUE(hora) << texto;
  EXPECT_TRUE(std::regex_match(texto, std::regex(R"(\d\d/\d\d/\d{4} \d\d:\d\d:\d\d)"))) << texto;
  EXPECT_EQ(texto, vt::conv::FormatDateTime(*hora, "dd/MM/yyyy hh:mm:ss"));
  EXPECT_TRUE(hora->date == antes || hora->date == despues);
  EXPECT_FALSE(gConexion->inTransaction());

  EXPECT_EQ(gfFechaSistema(estado, "f"), vt::conv::FormatDate(hora->date, "dd/MM/yyyy"));
  EXPECT_TRUE(std::regex_match(gfFechaSistema(estado, "h"), std::regex(R"(\d\d:\d\d:\d\d)")));
}

// The server's date in the configured short date reads back as the same date under every
// regional short date (the configured one defaults to the regional one).
TEST_F(ServerClock, DateReadsBackUnderEveryRegionalShortDate) {
  for (const char* corta : vt::testing::kShortDates) {
    SCOPED_TRACE(corta);
    const vt::testing::ScopedShortDate regional(corta, ctx_);
    std::int16_t estado = 0;
    std::optional<vt::conv::DateTime> hora;
    const std::string fecha = gfFechaSistema(estado, "f", hora);
    ASSERT_TRUE(hora) << fecha;
    EXPECT_EQ(fecha, vt::conv::FormatDate(hora->date, corta));
    EXPECT_EQ(vt::conv::ParseDate(fecha), hora->date);
    const std::string fechaHora = gfFechaSistema(estado, "fh", hora);
    ASSERT_TRUE(hora) << fechaHora;
    EXPECT_EQ(vt::conv::ParseDateTime(fechaHora), hora) << fechaHora;
  }
}

TEST_F(ServerClock, FailedRefreshOrReadIsAFailureTextWithoutATransactionLeftOpen) {
  struct Case {
    const char* consulta;  // what the stored query does
    const char* texto;
  };
  const Case casos[] = {
      {"UPDATE tbfechasys SET Fechasys = NULL WHERE id = 99",
       "No se pudo actualizar la fecha del sistema..."},
      {"UPDATE tbfechasys SET Fechasys = NULL WHERE id = 1", "Error al consultar la fecha del sistema..."},
  };
  for (const auto& c : casos) {
    exec(std::string("UPDATE sys_stored_query SET sql = '") + c.consulta +
         "' WHERE name = 'sp_FechasysActu'");
    std::int16_t estado = 3;
    std::optional<vt::conv::DateTime> hora;
    EXPECT_EQ(gfFechaSistema(estado, "fh", hora), c.texto);
    EXPECT_EQ(estado, 0) << c.consulta;
    EXPECT_FALSE(hora);
    EXPECT_FALSE(gConexion->inTransaction());
  }
}

TEST_F(ServerClock, MissingStoredQueryRaisesAndRollsBack) {
  exec("DELETE FROM sys_stored_query");
  std::int16_t estado = 0;
  EXPECT_THROW(gfFechaSistema(estado, "fh"), vt::Error);
  EXPECT_FALSE(gConexion->inTransaction());
}

TEST_F(ServerClock, EngineWithoutAClockMakesCallersStop) {
  ctx_.sistema.gsMotorBD = "MySql";
  std::int16_t estado = 0;
  std::optional<vt::conv::DateTime> hora;
  EXPECT_EQ(gfFechaSistema(estado, "fh", hora), "Error al consultar la fecha del sistema...");
  EXPECT_EQ(estado, -1);
  EXPECT_FALSE(hora);
}

}  // namespace
}  // namespace ambrix
