// The shared checks of the validator class and the catalogue lookups, each as a table of cases on
// the seeded catalogue plus the rows of the fixture.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "checks_fixture.hpp"
#include "library/frame/clases_maestras.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/comprobaciones.hpp"
#include "platform/errors/error.hpp"

namespace {

using checks_test::Catalogue;
using valtrone::CLSValidarInformacion;
using valtrone::CLSVarios;
using valtrone::ConnectionRef;
using valtrone::RecordsetRef;
using vt::automation::Variant;

TEST(BlankRule, OnlyEmptyOrBlankTextBecomesZero) {
  const std::pair<std::string, std::string> cases[] = {{"", "0"},      {"  ", "0"},  {" 5 ", " 5 "},
                                                       {"abc", "abc"}, {"\t", "\t"}, {"0", "0"}};
  CLSValidarInformacion v;
  for (auto [in, out] : cases) {
    SCOPED_TRACE("[" + in + "]");
    EXPECT_EQ(v.fValidaVacio(in), out);
  }
}

TEST(LastDayOfMonth, GregorianMonthsAndTextsThatAreNoDate) {
  const std::pair<std::string, int> cases[] = {
      {"01/02/2024", 29}, {"01/02/2000", 29}, {"01/02/2100", 28},
      {"01/02/2013", 28}, {"01/04/2013", 30}, {"15/12/2013", 31},
      {"1/7/2013", 31},   {"abc", 0},         {"", 0},
      {"31/02/2024", 0},  {"01/13/2013", 0},  {"13/01/2013", 31},
  };
  CLSValidarInformacion v;
  for (auto [in, days] : cases) {
    SCOPED_TRACE(in);
    EXPECT_EQ(v.gfUltimoDiaMes(in), days);
  }
}

TEST(Tolerance, DifferenceRoundedToThreeDecimalsWithBothBoundsIncluded) {
  struct Case {
    double tolerance, a, b;
    bool within;
  };
  const Case cases[] = {
      {0.01, 10.01, 10.00, true},   {0.01, 10.00, 10.01, true},    {0.01, 10.011, 10.00, false},
      {0.01, 10.00, 10.011, false}, {0, 5.0004, 5.0, true},        {0, 5.001, 5.0, false},
      {0, 5.0, 5.0, true},          {-1, 5.0004, 5.0, true},       {-1, 5.1, 5.0, false},
      {1, 100.5, 100, true},        {0.005, 0.1 + 0.2, 0.3, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.tolerance << ": " << c.a << " - " << c.b);
    EXPECT_EQ(valtrone::gfDentroTolerancia(c.tolerance, c.a, c.b), c.within);
  }
}

TEST_F(Catalogue, TaxSupportOfAVoucherType) {
  struct Case {
    std::string comprob, sustento;
    bool allowed;
  };
  const Case cases[] = {
      {"01", "01", true},  {"1", "1", true},   {"01", "00", true},  {"01", "13", false},
      {"99", "01", false}, {"91", "01", true}, {"91", "02", false}, {"92", "02", true},
      {"92", "", false},   {"93", "", false},  {"02", "01", false}, {"O'1", "01", false},
  };
  CLSValidarInformacion v;
  for (Case c : cases) {
    SCOPED_TRACE(c.comprob + " / " + c.sustento);
    EXPECT_EQ(v.Valida_SustTribEnComprob(c.comprob, c.sustento), c.allowed);
  }
}

TEST_F(Catalogue, PaymentFormsJoinedByDashes) {
  struct Case {
    Variant value;
    bool allowed;
  };
  const Case cases[] = {
      {Variant(""), true},      {Variant(), true},       {Variant("1"), true},
      {Variant("01"), true},    {Variant("1-20"), true}, {Variant("1-99"), false},
      {Variant("99-1"), false}, {Variant("1-"), false},  {Variant(int16_t{2}), true},
  };
  CLSValidarInformacion v;
  for (Case c : cases) {
    SCOPED_TRACE(c.value.isEmpty() ? std::string("Empty") : c.value.toString());
    EXPECT_EQ(v.Valida_FormaPago(c.value), c.allowed);
  }
  Variant null = Variant::null();
  EXPECT_THROW(v.Valida_FormaPago(null), vt::Error);
}

TEST_F(Catalogue, TransactionCodesOfAVoucherType) {
  struct Case {
    std::string comprob, codes, annex;
    bool allowed;
  };
  const Case cases[] = {
      {"01", "01,02", "", true},       {"01", "1", "", false},     {"01", "01", "ATS", true},
      {"01", "01", "REOC", true},      {"01", "01", "XYZ", false}, {"02", "02", "", false},
      {"04", "04,05,06,07", "", true}, {"01", "xATSx", "", true},  {"01", "ats", "", false},
      {"92", "77", "", false},         {"92", "05", "ATS", true},  {"91", "02", "", false},
      {"91", "01, 02", "", true},      {"99", "01", "", false},    {"93", "07", "ATS", false},
      // The annex is searched for literally: its own % or _ match only themselves.
      {"01", "01", "%", false},        {"01", "01", "A_S", false}, {"01", "01", "AT%", false},
  };
  CLSValidarInformacion v;
  for (Case c : cases) {
    SCOPED_TRACE(c.comprob + " / " + c.codes + " / " + c.annex);
    EXPECT_EQ(v.Valida_Comprob_x_SecTran(c.comprob, c.codes, c.annex), c.allowed);
  }
}

TEST_F(Catalogue, TransactionCodesOfTheWithholdingAnnex) {
  struct Case {
    std::string comprob, codes;
    bool allowed;
  };
  const Case cases[] = {
      {"01", "01", true}, {"2", "01", true}, {"02", "02", false}, {"92", "05", false}, {"93", "07", false},
  };
  CLSVarios varios;
  ConnectionRef ignored;
  for (Case c : cases) {
    SCOPED_TRACE(c.comprob + " / " + c.codes);
    EXPECT_EQ(varios.gfValida_Comprob_x_SecTran_REOC(c.comprob, c.codes, ignored), c.allowed);
  }
}

TEST_F(Catalogue, OwnConnectionChecksGiveTheClientItsConnectionBack) {
  CLSValidarInformacion v;
  const auto client = std::make_shared<valtrone::ConnectionObject>();
  v.db_ConexionObj = client;
  std::string comprob = "01", sustento = "06", transaccion = "20";
  EXPECT_TRUE(v.ValidaComprob_Tolvex(comprob, sustento));
  EXPECT_EQ(v.db_ConexionObj, client);
  EXPECT_EQ(db().state(), vt::db::State::Closed);
  EXPECT_TRUE(v.ValidaComprob_SecTran_Tolvex(comprob, transaccion));
  EXPECT_EQ(v.db_ConexionObj, client);
  EXPECT_EQ(db().state(), vt::db::State::Closed);
  transaccion = "77";
  EXPECT_FALSE(v.ValidaComprob_SecTran_Tolvex(comprob, transaccion));

  // An engine that opens nothing: the lookup raises, and the client's connection still comes back.
  context().config.sistema.gsMotorBD = "MYSQL";
  EXPECT_THROW(v.ValidaComprob_Tolvex(comprob, sustento), vt::Error);
  EXPECT_EQ(v.db_ConexionObj, client);
}

TEST_F(Catalogue, WithholdingCodeValidOnADate) {
  struct Case {
    std::string code;
    vt::conv::Date day;
    bool found;
    double rate;  // of the first row
  };
  const Case cases[] = {
      {"T1", {2013, 5, 15}, true, 1},   {"T1", {2013, 6, 30}, true, 1},   {"T1", {2013, 7, 1}, false, 0},
      {"T1", {2012, 12, 31}, false, 0}, {"T2", {2013, 3, 1}, true, 1},    {"T2", {2013, 7, 1}, true, 2},
      {"T2", {2014, 6, 1}, true, 1},    {"T3", {2013, 5, 1}, false, 0},   {"312", {2013, 5, 15}, true, 1},
      {"XX", {2013, 5, 15}, false, 0},  {"T'1", {2013, 5, 15}, false, 0},
  };
  CLSVarios varios;
  ConnectionRef ignored;
  for (Case c : cases) {
    SCOPED_TRACE(c.code + " " + std::to_string(c.day.year) + "-" + std::to_string(c.day.month) + "-" +
                 std::to_string(c.day.day));
    vt::automation::Date day = vt::automation::Date::fromDate(c.day);
    RecordsetRef rs;
    EXPECT_EQ(varios.gfVerificaRegistro_IR(c.code, day, ignored, rs), c.found);
    ASSERT_TRUE(rs);
    if (c.found) {
      EXPECT_EQ(rs->field("va_reten").asDouble(), c.rate);
    }
  }
  // A time of day does not move the date.
  std::string code = "T1";
  vt::automation::Date evening = vt::automation::Date::fromDateTime({{2013, 6, 30}, 23, 59, 0});
  RecordsetRef rs;
  EXPECT_TRUE(varios.gfVerificaRegistro_IR(code, evening, ignored, rs));
}

TEST_F(Catalogue, WithholdingCodeLookupOfAnUnknownEngineRaises) {
  context().config.sistema.gsMotorBD = "MYSQL";
  CLSVarios varios;
  ConnectionRef ignored;
  RecordsetRef rs;
  std::string code = "312";
  vt::automation::Date day = vt::automation::Date::fromDate({2013, 5, 15});
  EXPECT_THROW(varios.gfVerificaRegistro_IR(code, day, ignored, rs), vt::Error);
}

TEST_F(Catalogue, RecordLookup) {
  CLSVarios varios;
  ConnectionRef ignored;
  RecordsetRef rs;
  std::string fields = "ds_comprob", table = "tbcttgComprob", condition = "co_comprob = '01'";
  EXPECT_TRUE(varios.gfVerificaRegistro(fields, table, condition, ignored, rs));
  EXPECT_EQ(rs->field("ds_comprob").asText(), "Factura");
  condition = "co_comprob = '00'";
  EXPECT_FALSE(varios.gfVerificaRegistro(fields, table, condition, ignored, rs));
  table = "tbNoExiste";
  EXPECT_THROW(varios.gfVerificaRegistro(fields, table, condition, ignored, rs), vt::Error);
}

// Before any operation of the thread has opened gdbConexion, every lookup raises: the validators
// tell that apart from a check that fails.
TEST(CatalogueWithoutConnection, EveryLookupRaises) {
  frame_test::pinEnvironment();
  valtrone::ScopedContext fresh;
  CLSValidarInformacion v;
  CLSVarios varios;
  std::string comprob = "01", code = "01", annex = "", field = "*", table = "tbcttgComprob",
              condition = "co_comprob = '01'";
  Variant forma("1");
  ConnectionRef ignored;
  RecordsetRef rs;
  vt::automation::Date day = vt::automation::Date::fromDate({2013, 5, 15});
  valtrone::ctx().config.sistema.gsMotorBD = "ACCESS";
  const std::pair<const char*, std::function<void()>> lookups[] = {
      {"Valida_SustTribEnComprob", [&] { v.Valida_SustTribEnComprob(comprob, code); }},
      {"Valida_FormaPago", [&] { v.Valida_FormaPago(forma); }},
      {"Valida_Comprob_x_SecTran", [&] { v.Valida_Comprob_x_SecTran(comprob, code, annex); }},
      {"gfValida_Comprob_x_SecTran_REOC",
       [&] { varios.gfValida_Comprob_x_SecTran_REOC(comprob, code, ignored); }},
      {"gfVerificaRegistro_IR", [&] { varios.gfVerificaRegistro_IR(code, day, ignored, rs); }},
      {"gfVerificaRegistro", [&] { varios.gfVerificaRegistro(field, table, condition, ignored, rs); }},
  };
  for (const auto& [name, lookup] : lookups) {
    SCOPED_TRACE(name);
    EXPECT_THROW(lookup(), vt::Error);
  }
}

}  // namespace
