// The identity-number check through both members of the supplier class: result codes and the
// number handed back. Hand-computed cases plus the identity numbers of the demo data.

#include <gtest/gtest.h>

#include <string>

#include "library/frame/clases_maestras.hpp"

namespace {

using valtrone::CLSProveedores;

struct Case {
  std::string number;
  std::string kind;
  int verifica;  // VerificaRUC_Cedula
  int pdfvvali;  // pdfvvali_cedu
  std::string numberOut;
  const char* why;
};

const Case kCases[] = {
    {"1710034065", "C", 0, 0, "1710034065", "modulus 10, sum 25 -> 5"},
    {"1710034066", "C", 2, 2, "1710034066", "wrong check digit"},
    {"912345675", "C", 0, 0, "0912345675", "a cedula that lost its leading zero"},
    {"1800000000", "C", 0, 0, "1800000000", "sum 10 asks for check digit 0"},
    {"1800000001", "C", 2, 2, "1800000001", "a multiple of 10 needs 0"},
    {"1790000002", "C", 0, 0, "1790000002", "kind C forces modulus 10 despite third digit 9"},
    {"1710034065001", "R", 0, 0, "1710034065001", "natural-person RUC"},
    {"1710034065001", "c", 1, 0, "1710034065001", "c counts as C only in VerificaRUC_Cedula"},
    {"1760000070001", "R", 0, 0, "1760000070001", "third digit 6: sum 59, check digit 7 at position 9"},
    {"1760000079001", "R", 0, 0, "1760000079001", "third digit 6: position 10 is not compared"},
    {"1760000080001", "R", 2, 2, "1760000080001", "third digit 6: wrong digit at position 9"},
    {"1760000070002", "R", 1, 1, "1760000070002", "does not end in 001"},
    {"1760000070002", "r", 0, 0, "1760000070002", "r skips the ending test and passes the length test"},
    {"1790000001001", "R", 0, 0, "1790000001001", "third digit 9: sum 43, check digit 1"},
    {"1790000060001", "R", 0, 0, "1790000060001", "third digit 9: sum 55, check digit 0"},
    {"1790000010001", "R", 2, 2, "1790000010001", "third digit 9: remainder 1 is never valid"},
    {"1780000003001", "R", 0, 0, "1780000003001", "third digit 8 takes the weights of 9"},
    {"1710034065", "R", 1, 1, "1710034065", "10 digits not ending in 001"},
    {"3012345678", "C", 0, 4, "3012345678", "province 30 only in VerificaRUC_Cedula"},
    {"2410034066", "C", 0, 0, "2410034066", "province 24"},
    {"2510034065", "C", 4, 4, "2510034065", "province 25"},
    {"0000000000", "C", 4, 4, "0000000000", "province 00"},
    {"17600004", "C", 3, 3, "17600004", "8 characters, whatever the kind"},
    {"17600004", "R", 3, 3, "17600004", "8 characters, whatever the kind"},
    {"17100340650", "R", 1, 1, "17100340650", "11 characters are not rewritten"},
    {"17100340650", "C", 1, 1, "17100340650", "11 characters are not rewritten"},
    {"171003406500", "R", 1, 1, "0171003406500", "12 digits padded to 13, then ends in 500"},
    {"1710034065", "P", 0, 0, "1710034065", "another kind skips the kind tests"},
    {"1710034065", "", 0, 0, "1710034065", "no kind skips the kind tests"},
    {"17A0034065", "C", 2, 2, "17A0034065", "third character not a digit fails the check"},
    {"17A0034065001", "R", 2, 2, "17A0034065001", "third character not a digit, modulus 11 side"},
    {"A710034065", "C", 4, 4, "A710034065", "a province that is not a number"},
    {"ABCDEFGHIJ", "P", 4, 4, "ABCDEFGHIJ", "text that is no number stays as it is"},
    {"", "C", 3, 3, "", "empty"},
    // The demo companies and their people.
    {"1792045185001", "R", 0, 0, "1792045185001", "demo company"},
    {"0992314702001", "R", 0, 0, "0992314702001", "demo company"},
    {"992314702001", "R", 0, 0, "0992314702001", "demo company that lost its leading zero"},
    {"1712345675001", "R", 0, 0, "1712345675001", "demo natural person"},
    {"1104567894", "C", 0, 0, "1104567894", "demo accountant"},
    {"1709988776", "C", 0, 0, "1709988776", "demo manager"},
    {"0918765439", "C", 0, 0, "0918765439", "demo accountant"},
    {"1712345675", "C", 0, 0, "1712345675", "demo manager"},
};

TEST(IdentityNumber, BothEntryPointsAndTheNumberHandedBack) {
  CLSProveedores proveedores;
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.number + " / \"" + c.kind + "\": " + c.why);
    std::string number = c.number, kind = c.kind;
    EXPECT_EQ(proveedores.VerificaRUC_Cedula(number, kind), c.verifica);
    EXPECT_EQ(number, c.numberOut);
    EXPECT_EQ(kind, c.kind);
    number = c.number;
    EXPECT_EQ(proveedores.pdfvvali_cedu(number, kind), c.pdfvvali);
    EXPECT_EQ(number, c.numberOut);
    EXPECT_EQ(kind, c.kind);
  }
}

}  // namespace
