#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/conversions/conversions.hpp"

using namespace vt::conv;

namespace {

// Pins the regional short date for one test, as the configuration would.
class RegionalShortDate {
 public:
  explicit RegionalShortDate(std::string pattern) {
    pattern_ = std::move(pattern);
    SetShortDateSource([]() -> std::string_view { return pattern_; });
  }
  ~RegionalShortDate() { SetShortDateSource(nullptr); }
  RegionalShortDate(const RegionalShortDate&) = delete;
  RegionalShortDate& operator=(const RegionalShortDate&) = delete;

 private:
  static inline std::string pattern_;
};

TEST(ParseDate, Table) {
  const struct {
    const char* text;
    std::optional<Date> date;
  } cases[] = {
      {"15/03/2014", Date{2014, 3, 15}},
      {"15-03-2014", Date{2014, 3, 15}},
      {"15.03.2014", Date{2014, 3, 15}},
      {"5/3/2014", Date{2014, 3, 5}},
      {"2014-3-5", Date{2014, 3, 5}},
      {"2014/03/05", Date{2014, 3, 5}},
      {"15/03/14", Date{2014, 3, 15}},
      {"15/03/29", Date{2029, 3, 15}},
      {"15/03/30", Date{1930, 3, 15}},
      {"15/03/00", Date{2000, 3, 15}},
      {" 15/03/2014 ", Date{2014, 3, 15}},
      {"15/03/2014 10:30:00", Date{2014, 3, 15}},
      {"15/03/2014 10:30", Date{2014, 3, 15}},
      {"15/03/2014 1:05 PM", Date{2014, 3, 15}},
      {"29/02/2016", Date{2016, 2, 29}},
      {"29/02/2000", Date{2000, 2, 29}},
      {"01/01/0100", Date{100, 1, 1}},
      {"31/12/9999", Date{9999, 12, 31}},
      {"29/02/2015", std::nullopt},
      {"29/02/2100", std::nullopt},
      {"31/04/2014", std::nullopt},
      {"02/13/2014", std::nullopt},
      {"00/03/2014", std::nullopt},
      {"01/13/2014", std::nullopt},
      {"01/00/2014", std::nullopt},
      {"01/01/0099", std::nullopt},
      {"15/03-2014", std::nullopt},
      {"15/03/214", std::nullopt},
      {"15/03/20140", std::nullopt},
      {"115/03/2014", std::nullopt},
      {"15//2014", std::nullopt},
      {"2014/03/2014", std::nullopt},
      {"15/03/2014x", std::nullopt},
      {"15/03/2014 25:00", std::nullopt},
      {"15/03/2014 10:60", std::nullopt},
      {"15/03/2014 13:00 PM", std::nullopt},
      {"15/03/2014 10:3", std::nullopt},
      {"15/03/2014T10:30:00", std::nullopt},
      {"", std::nullopt},
      {"0", std::nullopt},
      {"41640", std::nullopt},
      {"abc", std::nullopt},
      {"15 Mar 2014", std::nullopt},
      {"31-may-13", Date{2013, 5, 31}},
      {"31-MAY.-2013", Date{2013, 5, 31}},
      {"31.may.2013", Date{2013, 5, 31}},
      {"31.may..2013", Date{2013, 5, 31}},
      {"31/Mayo/2013", Date{2013, 5, 31}},
      {"5-sep-14", Date{2014, 9, 5}},
      {"5/septiembre/2014", Date{2014, 9, 5}},
      {"dic/5/2014", Date{2014, 12, 5}},
      {"dic./5/2014", Date{2014, 12, 5}},
      {"2013-may-31", Date{2013, 5, 31}},
      {"31-mayo-13 10:30", Date{2013, 5, 31}},
      {"31-mai-13", std::nullopt},
      {"31-sept-13", std::nullopt},
      {"31-abr-13", std::nullopt},
      {"may-jun-2013", std::nullopt},
      {"31-05-may", std::nullopt},
      {"\t15/03/2014", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseDate(c.text), c.date);
    EXPECT_EQ(IsDateText(c.text), c.date.has_value());
  }
}

TEST(ParseDateTime, KeepsTheTime) {
  const struct {
    const char* text;
    DateTime value;
  } cases[] = {
      {"15/03/2014", {{2014, 3, 15}, 0, 0, 0}},
      {"15/03/2014 10:30:05", {{2014, 3, 15}, 10, 30, 5}},
      {"15/03/2014 12:00 AM", {{2014, 3, 15}, 0, 0, 0}},
      {"15/03/2014 12:00 pm", {{2014, 3, 15}, 12, 0, 0}},
      {"15/03/2014 1:05:09PM", {{2014, 3, 15}, 13, 5, 9}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseDateTime(c.text), c.value) << c.text;
}

TEST(FormatDateText, Table) {
  const struct {
    const char* text;
    const char* dmy;
    const char* ymd;
  } cases[] = {
      {"15/03/2014", "15/03/2014", "2014/03/15"},
      {"15-03-2014", "15/03/2014", "2014/03/15"},
      {"15.03.2014", "15/03/2014", "2014/03/15"},
      {"5/3/2014", "05/03/2014", "2014/03/05"},
      {"2014-3-5", "05/03/2014", "2014/03/05"},
      {"2014/03/05", "05/03/2014", "2014/03/05"},
      {"15/03/14", "15/03/2014", "2014/03/15"},
      {"15/03/30", "15/03/1930", "1930/03/15"},
      {"15/03/2014 10:30:00", "15/03/2014", "2014/03/15"},
      {"29/02/2015", "29/02/2015", "29/02/2015"},
      {"02/13/2014", "02/13/2014", "02/13/2014"},
      {"", "", ""},
      {"41640", "41640", "41640"},
      {"abc", "abc", "abc"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatDateText(c.text, "dd/mm/yyyy"), c.dmy) << c.text;
    EXPECT_EQ(FormatDateText(c.text, "yyyy/mm/dd"), c.ymd) << c.text;
  }
}

TEST(FormatDateTime, Tokens) {
  const DateTime morning{{2014, 3, 5}, 9, 7, 4};
  const DateTime evening{{2014, 3, 5}, 21, 45, 0};
  const DateTime midnight{{2014, 3, 5}, 0, 0, 0};
  const struct {
    DateTime value;
    const char* pattern;
    const char* expected;
  } cases[] = {
      {morning, "dd/mm/yyyy", "05/03/2014"},
      {morning, "dd/MM/yyyy", "05/03/2014"},
      {morning, "DD/MM/YYYY", "05/03/2014"},
      {morning, "d/m/yy", "5/3/14"},
      {morning, "yyyy-mm-dd", "2014-03-05"},
      {morning, "yyyymmdd", "20140305"},
      {morning, "hh:mm:ss", "09:07:04"},
      {morning, "HH:mm:ss", "09:07:04"},
      {morning, "h:n:s", "9:7:4"},
      {morning, "hh:nn", "09:07"},
      {morning, "mm:ss", "03:04"},  // minutes only right after an hour token
      {morning, "hh:ss mm", "09:04 03"},
      {evening, "hh:mm:ss", "21:45:00"},
      {evening, "hh:mm AM/PM", "09:45 PM"},
      {evening, "h:mm am/pm", "9:45 pm"},
      {evening, "h A/P", "9 P"},
      {morning, "hh:mm AM/PM", "09:07 AM"},
      {midnight, "h:mm AM/PM", "12:00 AM"},
      {midnight, "HH:mm", "00:00"},
      {morning, "dd/MM/yyyy HH:mm:ss", "05/03/2014 09:07:04"},
      {morning, "mm/dd/yyyy hh:mm", "03/05/2014 09:07"},
      {morning, "[dd.mm.yyyy] (1)", "[05.03.2014] (1)"},
      {morning, "Fecha dd", "Fec9a 05"},  // letters of tokens are tokens
      {DateTime{{150, 1, 2}, 0, 0, 0}, "dd/mm/yyyy", "02/01/0150"},
      {morning, "dd-MMM-yy", "05-mar-14"},
      {DateTime{{2013, 9, 30}, 0, 0, 0}, "dd-mmm-yyyy", "30-sep-2013"},
      {DateTime{{2013, 12, 1}, 0, 0, 0}, "MMMM", "diciembre"},
      {DateTime{{2013, 5, 1}, 0, 0, 0}, "mmmmm", "mayo5"},
      {evening, "hh:mmm", "21:mar"},  // a month name is never minutes
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.value, c.pattern), c.expected) << c.pattern;
  EXPECT_EQ(FormatDate(Date{2014, 3, 5}, "dd/MM/yyyy"), "05/03/2014");
}

TEST(ParseDate, ReadsInTheRegionalOrderAndNeverSwaps) {
  const struct {
    const char* shortDate;
    const char* text;
    std::optional<Date> date;
    const char* why;
  } cases[] = {
      {"dd/MM/yyyy", "03/05/2013", Date{2013, 5, 3}, "day first"},
      {"MM/dd/yyyy", "03/05/2013", Date{2013, 3, 5}, "month first"},
      {"MM/dd/yyyy", "05/31/2013", Date{2013, 5, 31}, "month first"},
      {"MM/dd/yyyy", "31/05/2013", std::nullopt, "no month 31: never read the other way round"},
      {"dd/MM/yyyy", "05/31/2013", std::nullopt, "no month 31: never read the other way round"},
      {"M/d/yy", "5/3/13", Date{2013, 5, 3}, "short month-first form"},
      {"MM/dd/yyyy", "2013-05-03", Date{2013, 5, 3}, "four digits first: year first in any order"},
      {"yyyy-MM-dd", "2013-05-31", Date{2013, 5, 31}, "year-first setting"},
      {"yyyy-MM-dd", "03/05/2013", Date{2013, 5, 3}, "year-first setting reads others day first"},
      {"MM/dd/yyyy", "31-may-13", Date{2013, 5, 31}, "a month name is the month in any order"},
      {"MM/dd/yyyy", "may-31-13", Date{2013, 5, 31}, "a month name is the month in any order"},
      {"dd-MMM-yy", "31-may-13", Date{2013, 5, 31}, "the setting's own form"},
      {"dd.MM.yyyy", "31.05.2013", Date{2013, 5, 31}, "dots"},
      {"MM/dd/yyyy", "02/30/2014", std::nullopt, "no 30 February"},
      {"", "03/05/2013", Date{2013, 5, 3}, "no setting: day first"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.shortDate) + " " + c.text + ": " + c.why);
    const RegionalShortDate regional(c.shortDate);
    EXPECT_EQ(ParseDate(c.text), c.date);
    EXPECT_EQ(IsDateText(c.text), c.date.has_value());
  }
}

TEST(ParseDateByPattern, ReadsInThePatternsOrderWhateverTheRegionalOne) {
  const struct {
    const char* text;
    const char* pattern;
    std::optional<Date> date;
  } cases[] = {
      {"03/05/2014", "MM/dd/yyyy", Date{2014, 3, 5}},
      {"15/03/2014", "MM/dd/yyyy", std::nullopt},  // no month 15, and no swap
      {"2014/03/05", "MM/dd/yyyy", Date{2014, 3, 5}},
      {"03/05/2014", "dd/MM/yyyy", Date{2014, 5, 3}},
      {"03/05/2014", "yyyy/MM/dd", Date{2014, 5, 3}},
      {"02/30/2014", "MM/dd/yyyy", std::nullopt},
  };
  for (const char* regional : {"dd/MM/yyyy", "MM/dd/yyyy"}) {
    const RegionalShortDate pinned(regional);
    for (const auto& c : cases) {
      EXPECT_EQ(ParseDateByPattern(c.text, c.pattern), c.date) << c.text << " " << regional;
    }
    // A cell the validators rewrote reads back with the rewrite's own pattern.
    EXPECT_EQ(ParseDateByPattern(DateCell(FormatDate({2013, 5, 3}, regional)), kDateCellPattern),
              (Date{2013, 5, 3}))
        << regional;
  }
}

TEST(FormatDateText, IsIdempotentWhenThePatternKeepsTheRegionalOrder) {
  const char* texts[] = {"15/03/2014", "5/3/14",   "2014-3-5",   "15/03/30", "29/02/2016",
                         "29/02/2015", "3/5/2014", "12/11/2010", "1/1/0100", "15/03/2014 10:30",
                         "abc",        "",         "41640",      "31/12/99", "31-dic-99"};
  const struct {
    const char* regional;
    std::vector<const char*> patterns;
  } settings[] = {
      {"dd/MM/yyyy",
       {"dd/mm/yyyy", "yyyy/mm/dd", "dd/MM/yyyy", "d/m/yy", "dd-mm-yyyy hh:mm:ss", "yyyymmdd", "dd-mmm-yy"}},
      {"MM/dd/yyyy", {"MM/dd/yyyy", "m/d/yy", "yyyy-mm-dd", "mmmm/d/yyyy"}},
  };
  for (const auto& setting : settings) {
    const RegionalShortDate regional(setting.regional);
    for (const char* pattern : setting.patterns) {
      for (const char* text : texts) {
        const std::string once = FormatDateText(text, pattern);
        EXPECT_EQ(FormatDateText(once, pattern), once) << text << " | " << pattern << " | " << setting.regional;
      }
    }
  }
}

TEST(FormatDateText, ReadsTheTextInTheRegionalOrder) {
  const RegionalShortDate regional("MM/dd/yyyy");
  EXPECT_EQ(FormatDateText("3/5/2014", "dd/mm/yyyy"), "05/03/2014");
  EXPECT_EQ(DateCell("05/31/2013"), "31/05/2013");
  EXPECT_EQ(DateCell("31/05/2013"), "31/05/2013");  // not a date under month first: unchanged
}

TEST(LastDayOfMonth, Table) {
  const struct {
    const char* text;
    int day;
  } cases[] = {{"01/02/2024", 29},
               {"01/02/2000", 29},
               {"01/02/2100", 28},
               {"01/99/2014", 0},
               {"01/04/2014", 30},
               {"01/12/2014", 31},
               {"", 0},
               {"2014/02/01", 28}};
  for (const auto& c : cases) EXPECT_EQ(LastDayOfMonth(c.text), c.day) << c.text;
}

TEST(Calendar, DatesCompareInCalendarOrder) {
  const Date lower{2002, 1, 1};
  EXPECT_GE(*ParseDate("01/01/2002"), lower);
  EXPECT_LT(*ParseDate("31/12/2001"), lower);
  EXPECT_LT(*ParseDate("15/03/1999"), lower);
  EXPECT_EQ(daysInMonth(2014, 13), 0);
  EXPECT_FALSE(isValidDate(Date{10000, 1, 1}));
}

}  // namespace
