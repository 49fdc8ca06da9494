// The catalogue seed and the demo companies, loaded into a fresh file with the schema.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "schema_db.hpp"
#include "tests/support/files.hpp"
#include "tests/support/temp_folder.hpp"

namespace schema_test {
namespace {

class SeedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db.loadSchema();
    db.loadSeed();
  }

  vt::testing::TempFolder dir{"schema-test"};
  Database db{dir.path() / "seed.db"};
};

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

TEST_F(SeedTest, FillsEveryCatalogueAndTheDemoCompanies) {
  for (const char* table :
       {"tbcttgComprob", "tbcttgSusTributario", "tbcttgPoIVA", "tbcttgPoIVABien", "tbcttgPoIVAServ",
        "tbcttgPoICE", "tbcttgCoRetenIR", "tbcttgDiAduanero", "tbcttgCoRegimen", "tbcttgCiudades",
        "tbciudades", "tbCodigoGeneral", "tbRDEP_Tabla", "tbDividendos_Tabla", "tbEmpresas", "tbParaSistema",
        "tbfechasys"}) {
    EXPECT_NE(db.scalar(std::string("SELECT count(*) FROM ") + table), "0") << table;
  }
}

// One line of codes.txt: table|column|value[|col=value;...], "!" in front for a code that must be absent.
struct NamedCode {
  bool absent = false;
  std::string table, column, value;
  std::vector<std::pair<std::string, std::string>> filter;
  std::string line;
};

std::vector<NamedCode> readNamedCodes() {
  std::vector<NamedCode> codes;
  std::istringstream in(vt::testing::readFile(sourceDir() / "tests" / "schema" / "codes.txt"));
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    NamedCode code;
    code.line = line;
    if (line[0] == '!') {
      code.absent = true;
      line.erase(0, 1);
    }
    auto fields = split(line, '|');
    if (fields.size() < 3 || fields.size() > 4) throw std::runtime_error("codes.txt: bad line " + code.line);
    code.table = fields[0];
    code.column = fields[1];
    code.value = fields[2];
    if (fields.size() == 4) {
      for (const auto& condition : split(fields[3], ';')) {
        auto eq = condition.find('=');
        if (eq == std::string::npos) throw std::runtime_error("codes.txt: bad filter " + code.line);
        code.filter.emplace_back(condition.substr(0, eq), condition.substr(eq + 1));
      }
    }
    codes.push_back(code);
  }
  return codes;
}

bool present(Database& db, const NamedCode& code) {
  const bool listElement = code.column.ends_with("[]");
  const std::string column = listElement ? code.column.substr(0, code.column.size() - 2) : code.column;
  std::string where;
  std::vector<std::string> binds;
  for (const auto& [name, value] : code.filter) {
    where += (where.empty() ? " WHERE " : " AND ") + name + " = ?" + std::to_string(binds.size() + 1);
    binds.push_back(value);
  }
  if (!listElement) {
    where += (where.empty() ? " WHERE " : " AND ") + column + " = ?" + std::to_string(binds.size() + 1);
    binds.push_back(code.value);
    return db.scalar("SELECT count(*) FROM " + code.table + where, binds) != "0";
  }
  for (const auto& list : db.column("SELECT " + column + " FROM " + code.table + where, binds)) {
    for (const auto& element : split(list, ','))
      if (element == code.value) return true;
  }
  return false;
}

TEST_F(SeedTest, EveryCodeTheSystemNamesIsInItsCatalogue) {
  const auto codes = readNamedCodes();
  ASSERT_FALSE(codes.empty());
  std::vector<std::string> wrong;
  for (const auto& code : codes) {
    if (present(db, code) == code.absent) wrong.push_back(code.line);
  }
  EXPECT_TRUE(wrong.empty()) << "not as codes.txt says:\n" << ::testing::PrintToString(wrong);
}

// The checks split these lists at "," and compare elements exactly: a blank or an empty element
// would never match or always match.
TEST_F(SeedTest, VoucherListsHoldOnlyCleanElements) {
  const std::regex element(R"(\d\d|ATS|REOC)");
  for (const auto& row : db.rows("SELECT co_comprob, ds_sustrib, ds_secutran FROM tbcttgComprob")) {
    EXPECT_TRUE(std::regex_match(row[0], std::regex(R"(\d\d)"))) << row[0];
    for (int i : {1, 2}) {
      if (row[i].empty()) continue;
      for (const auto& part : split(row[i], ','))
        EXPECT_TRUE(std::regex_match(part, element)) << row[0] << ": [" << row[i] << "]";
    }
  }
}

TEST_F(SeedTest, WithholdingWindowsAreWellFormedAndCover2013) {
  EXPECT_EQ(db.scalar("SELECT count(*) FROM tbcttgCoRetenIR WHERE fe_inicio > fe_fin OR st_default <> 'A'"),
            "0");
  EXPECT_EQ(db.scalar("SELECT count(*) FROM tbcttgCoRetenIR WHERE st_ingreso NOT IN ('N', 'S')"), "0");
  // The dated lookup as the file engine runs it, for a day in the demo period.
  EXPECT_EQ(db.column("SELECT va_reten FROM tbcttgCoRetenIR WHERE co_reten = '312' and st_default = 'A' "
                      "and fe_inicio <= '2013-05-15' and fe_fin >= '2013-05-15' Order by fe_inicio desc"),
            std::vector<std::string>{"1"});
}

TEST_F(SeedTest, TaxBracketsChainWithoutGaps) {
  for (const char* sql :
       {"SELECT mo_FraBasica, mo_FraExced FROM tbRDEP_Tabla WHERE co_anio = '2013' ORDER BY 1",
        "SELECT mo_FraBasica, mo_FraExced FROM tbDividendos_Tabla ORDER BY 1"}) {
    auto rows = db.rows(sql);
    ASSERT_FALSE(rows.empty()) << sql;
    EXPECT_EQ(std::stod(rows.front()[0]), 0.0) << sql;
    for (std::size_t i = 1; i < rows.size(); ++i)
      EXPECT_EQ(rows[i][0], rows[i - 1][1]) << sql << " row " << i;
  }
}

// The identity-number rule: a natural person's 10-digit number (modulo 10, + "001" for a RUC), a
// company's RUC (third digit 9, modulo 11) or a public body's (third digit 6, modulo 11).
bool passesCheckDigit(const std::string& number) {
  if (!std::regex_match(number, std::regex(R"(\d{10}|\d{13})"))) return false;
  auto digit = [&](std::size_t i) { return number[i] - '0'; };
  const int province = digit(0) * 10 + digit(1);
  if (province < 1 || (province > 24 && province != 30)) return false;
  const int third = digit(2);
  auto modulo11 = [&](const std::vector<int>& weights, std::size_t checkAt) {
    int sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) sum += digit(i) * weights[i];
    const int r = sum % 11;
    return r != 1 && (r == 0 ? 0 : 11 - r) == digit(checkAt);
  };
  if (third < 6) {
    int sum = 0;
    for (std::size_t i = 0; i < 9; ++i) {
      int p = digit(i) * (i % 2 == 0 ? 2 : 1);
      sum += p > 9 ? p - 9 : p;
    }
    return (sum % 10 == 0 ? 0 : 10 - sum % 10) == digit(9) &&
           (number.size() == 10 || number.ends_with("001"));
  }
  if (number.size() != 13) return false;
  if (third == 9) return modulo11({4, 3, 2, 7, 6, 5, 4, 3, 2}, 9) && number.ends_with("001");
  if (third == 6) return modulo11({3, 2, 7, 6, 5, 4, 3, 2}, 8) && number.ends_with("0001");
  return false;
}

TEST(CheckDigitRule, TellsGoodNumbersFromBad) {
  struct Case {
    const char* number;
    bool valid;
  };
  const Case cases[] =
      {
          {"1710034065", true},     {"1710034066", false},   {"1710034065001", true},
          {"1710034065002", false}, {"1790000001001", true}, {"1790000002001", false},
          {"1790000010001", false},  // remainder 1: never valid
          {"1760000070001", true},  {"2510034065", false},   {"171003406", false},
      };
  for (const auto& c : cases) EXPECT_EQ(passesCheckDigit(c.number), c.valid) << c.number;
}

TEST_F(SeedTest, DemoCompaniesAreTwoActiveAndOneInactiveWithValidNumbers) {
  EXPECT_EQ(db.scalar("SELECT count(*) FROM tbEmpresas WHERE st_regis = 'A'"), "2");
  EXPECT_EQ(db.scalar("SELECT count(*) FROM tbEmpresas WHERE st_regis <> 'A'"), "1");
  for (const auto& row : db.rows("SELECT nu_ruc, id_contador, id_gerente FROM tbEmpresas")) {
    EXPECT_EQ(row[0].size(), 13u) << row[0];
    for (const auto& number : row) EXPECT_TRUE(passesCheckDigit(number)) << number;
  }
  // Every company has its parameters, with VAT 12.
  EXPECT_EQ(
      db.scalar("SELECT count(*) FROM tbEmpresas E LEFT JOIN tbParaSistema P ON P.co_empresa = E.nu_ruc "
                "WHERE P.po_iva IS NULL OR P.po_iva <> 12"),
      "0");
}

}  // namespace
}  // namespace schema_test
