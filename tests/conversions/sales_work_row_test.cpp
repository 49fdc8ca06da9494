// The work row of a sales sheet row that waits to be totalled: what each cell becomes, and the
// cells that must make the insert fail instead of becoming part of it.

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>

#include "platform/conversions/conversions.hpp"

namespace {

using vt::conv::InsertValue;
using Cells = std::array<std::string, 15>;

const Cells kFila = {"1792045185001", "5",    "2013", "04", "1710034065", "Ana", " 1 ", "18", "3", "0",
                     "10.5",          "1000", "120",  "0",  "1.25"};

// The row written as a value list: texts between quotes, numbers bare.
std::string escrita(const Cells& c, std::string_view iva, long limite) {
  std::array<std::string_view, 15> celdas;
  for (std::size_t i = 0; i < c.size(); ++i) celdas[i] = c[i];
  std::string out;
  for (const InsertValue& v : vt::conv::SalesWorkRow(celdas, iva, limite))
    out += (v.kind == InsertValue::Kind::Text ? "'" + v.text + "'" : v.written()) + ",";
  return out;
}

TEST(SalesWorkRow, EveryColumnOfARow) {
  EXPECT_EQ(
      escrita(kFila, "2", 100),
      "'1792045185001','05','2013','04','0001710034065','Ana','1',3,'18',0.00,10.50,1000.00,'2',120.00,"
      "0.00,'0',0.00,0.00,'0',0.00,0.00,'0',0.00,'N','N','0',0.00,0.00,0.00,'0',0.00,0.00,0.00,'0',0.00,"
      "0.00,0.00,0.00,1.25,'A',");
}

TEST(SalesWorkRow, CellsThatChangeTheirValue) {
  const long sinLimite = std::numeric_limits<long>::max();
  const std::string nombreLargo = std::string(99, 'x') + "ñandú";
  struct Caso {
    std::size_t columna;
    std::string celda;
    long limite;
    std::string esperado;  // the value written for the cell, in the row's text
    const char* porque;
  } casos[] = {
      {5, nombreLargo, 100, ",'" + std::string(99, 'x') + "ñ',", "the name keeps its first 100 characters"},
      {5, nombreLargo, sinLimite, ",'" + nombreLargo + "',", "without a limit the name stays whole"},
      {5, " Ana ", 100, ",' Ana ',", "the name is not trimmed"},
      {8, "2.6", 100, ",3,'18',", "a count is a whole number"},
      {8, "tres", 100, ",,'18',", "a count that is no number is written as nothing"},
      {11, "1); delete from tbEmpresas; --", 100, ",10.50,,'2',", "an amount that is no number likewise"},
      {9, "-4.005", 100, ",'18',-4.01,", "amounts keep the sheet's sign and round half away from zero"},
      {7, "4", 100, ",3,'04',", "the voucher type is padded"},
      {4, "P-123", 100, ",'P-123',", "an identification that is no number stays as it is"},
  };
  for (const Caso& c : casos) {
    Cells fila = kFila;
    fila[c.columna] = c.celda;
    EXPECT_NE(escrita(fila, "2", c.limite).find(c.esperado), std::string::npos)
        << c.porque << "\n"
        << escrita(fila, "2", c.limite);
  }
  EXPECT_NE(escrita(kFila, "", 100).find(",'',120.00,"), std::string::npos)
      << "a VAT percentage without a code";
}

}  // namespace
