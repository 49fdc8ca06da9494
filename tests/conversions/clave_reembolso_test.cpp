// The reimbursement key: which pairs of purchase rows belong to one reimbursed document.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/conversions/conversions.hpp"

namespace {

using Cols = std::array<std::string, 5>;  // columns 10 to 14

vt::conv::ClaveReembolso key(const Cols& c) {
  return vt::conv::ClaveReembolsoFila(c[0], c[1], c[2], c[3], c[4]);
}

TEST(ClaveReembolso, RowsAsReadAndAsRewrittenGroupAlike) {
  const Cols base = {"01", "41", "001001", "0000025", "1234567890"};
  struct Case {
    Cols other;
    bool same;
    const char* why;
  } cases[] = {
      {{"01", "41", "001001", "0000025", "1234567890"}, true, "identical cells"},
      {{"1", "41", "1001", "25", "1234567890"}, true, "the same values before their rewrite"},
      {{"01", "41.0", "001001", "25.00", "1234567890"}, true, "type and sequence compare as numbers"},
      {{"01", "41", "001001", "0000025", "  1234567890 "}, true, "blanks around the authorisation"},
      {{"01", "41", "001001", "0000025", "1234567891"}, false, "another authorisation"},
      {{"02", "41", "001001", "0000025", "1234567890"}, false, "another tax support"},
      {{"01", "41", "001002", "0000025", "1234567890"}, false, "another serie"},
      {{"01", "41", "002001", "0000025", "1234567890"}, false, "another establishment"},
      {{"01", "41", "001001", "0000026", "1234567890"}, false, "another sequence"},
      {{"01", "01", "001001", "0000025", "1234567890"}, false, "another voucher type"},
      {{"01", "41", "001001", "0000025", "12345 67890"}, false, "a blank inside the authorisation counts"},
  };
  for (const Case& c : cases) EXPECT_EQ(key(c.other) == key(base), c.same) << c.why;
}

TEST(ClaveReembolso, PartsReadAsTheValidatorWritesThem) {
  const vt::conv::ClaveReembolso k = key({"1", "41abc", "1001", "x", " 12 "});
  EXPECT_EQ(k.sustento, "01");
  EXPECT_EQ(k.comprobante, 41) << "the leading number";
  EXPECT_EQ(k.serie, "001001");
  EXPECT_EQ(k.secuencia, 0) << "no leading number";
  EXPECT_EQ(k.autorizacion, "12");
  const vt::conv::ClaveReembolso text = key({"abc", "", "A-1", "", ""});
  EXPECT_EQ(text.sustento, "abc") << "a text that is not numeric is kept";
  EXPECT_EQ(text.serie, "A-1");
}

}  // namespace
