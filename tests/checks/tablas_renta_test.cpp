// The income-tax and dividend brackets on a fixture table, also under regional settings with ","
// as the decimal separator.

#include <gtest/gtest.h>

#include <thread>

#include "checks_fixture.hpp"
#include "library/frame/comprobaciones.hpp"
#include "platform/automation/loader.hpp"
#include "platform/database/recordset.hpp"
#include "platform/errors/error.hpp"
#include "tests/support/files.hpp"
#include "tests/support/scoped_env.hpp"

namespace {

namespace fs = std::filesystem;
using checks_test::Catalogue;

struct Case {
  const char* year;
  double base;
  double renta;       // income tax, unrounded
  double dividendos;  // dividend tax, two decimals
};

const Case kCases[] = {
    {"2013", 15000, 500, 500},
    {"2013", 10000, 0, 0},  // bound shared by two brackets: the same tax from either
    {"2013", 20000, 1000, 1000},
    {"2013", 25000.50, 2000.10, 2000.10},
    {"2013", 12345.678, 234.5678, 234.57},
    {"2013", 0, 0, 0},
    {"2013", 999999999, 199996999.8, 199996999.8},
    {"2013", -5, -1, -1},
    {"2013", 1000000000, -1, -1},
    {"2014", 15000, -1, 500},  // no income-tax brackets for the year; dividends have no year
    {"", 15000, -1, 500},
};

// Checks every case on the calling thread's connection, whose brackets must be loaded.
void expectTheFixtureResults() {
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::Message() << c.year << " / " << c.base);
    std::string year = c.year;
    double base = c.base;
    EXPECT_NEAR(valtrone::gfImpuestoRentaTabla(year, base), c.renta, 1e-7);
    EXPECT_EQ(base, c.base);
    EXPECT_DOUBLE_EQ(valtrone::gfImpuestoDividendos(year, base), c.dividendos);
  }
}

TEST_F(Catalogue, TaxBrackets) {
  checks_test::loadTaxBrackets(db());
  expectTheFixtureResults();
}

TEST_F(Catalogue, TaxOfTheDemoBrackets) {
  std::string year = "2013";
  double base = 15000;
  EXPECT_NEAR(valtrone::gfImpuestoRentaTabla(year, base), 140 + (15000 - 12970) * 0.10, 1e-9);
  // The demo brackets round their fixed tax as the published ones do, so a shared bound gives two
  // values (139.5 from below): the upper bracket answers.
  base = 12970;
  EXPECT_DOUBLE_EQ(valtrone::gfImpuestoRentaTabla(year, base), 140);
  base = 150000;
  EXPECT_DOUBLE_EQ(valtrone::gfImpuestoDividendos(year, base), 1000 + 50000 * 0.05);

  // No gap between the demo brackets: every base from 0 up falls in one.
  for (const char* table : {"tbRDEP_Tabla", "tbDividendos_Tabla"}) {
    SCOPED_TRACE(table);
    vt::db::Recordset rs;
    rs.open(std::string("select mo_FraBasica, mo_FraExced from ") + table + " order by mo_FraBasica", db());
    double upper = 0;
    for (; !rs.eof(); rs.moveNext()) {
      EXPECT_EQ(rs.field(0).asDouble(), upper);
      upper = rs.field(1).asDouble();
    }
    EXPECT_GE(upper, 999999999);
  }
}

TEST_F(Catalogue, TaxTableThatCannotBeReadRaises) {
  db().execute("drop table tbDividendos_Tabla");
  std::string year = "2013";
  double base = 100;
  EXPECT_THROW(valtrone::gfImpuestoDividendos(year, base), vt::Error);
}

// Regional settings with "," as the decimal separator change neither the statement nor the value.
TEST(TaxBracketsUnderCommaDecimals, GiveTheSameResults) {
  frame_test::pinEnvironment();
  const vt::testing::TempFolder temp("checks-coma");
  const fs::path& folder = temp.path();
  vt::testing::copyFixtureDatabase(folder / "global.mdb");
  vt::testing::writeFile(folder / "TAXCONFIG.INI",
                         "[PATH]\r\nPath_App=\r\nPath_db=" + folder.string() +
                             "\r\n[DATABASE]\r\ndbTypeServer=access\r\ndbNameDB=global.mdb\r\n");
  vt::testing::writeFile(folder / "win.ini",
                         "[Intl]\r\niDigits=2\r\nsShortDate=dd/MM/yyyy\r\nsTimeFormat=HH:mm:ss\r\n"
                         "sDecimal=,\r\nsDate=/\r\nsThousand=.\r\nsList=;\r\n");
  const vt::testing::ScopedEnv winIni("AMBRIX_WIN_INI", (folder / "win.ini").string()),
      configDir("VALTRONE_CONFIG_DIR", folder.string());
  // A new thread runs the library's start routine with these settings.
  std::thread([] {
    vt::MensajesGrabados messages;
    vt::ScopedThreadMessages guard(messages);
    vt::automation::createObject("Valtrone.CLSValidarInformacion");
    ASSERT_EQ(valtrone::ctx().config.regional.gsSepDecimal, ",");
    valtrone::gfAbreConexion();
    ASSERT_TRUE(messages.mensajes.empty());
    checks_test::loadTaxBrackets(*valtrone::ctx().gdbConexion);
    expectTheFixtureResults();
  }).join();
}

}  // namespace
