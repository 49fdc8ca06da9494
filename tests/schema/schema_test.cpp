// The SQLite schema: tables, column positions read by the annex writer, date CHECKs, name order,
// and the server DDL generated beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>

#include "schema_db.hpp"
#include "tests/support/files.hpp"
#include "tests/support/temp_folder.hpp"

namespace schema_test {
namespace {

class SchemaTest : public ::testing::Test {
 protected:
  void SetUp() override { db.loadSchema(); }

  vt::testing::TempFolder dir{"schema-test"};
  Database db{dir.path() / "schema.db"};
};

const std::set<std::string> kTables = {
    "tbAT_Cmprs",          "tbAT_Cmprs_IR",        "tbAT_Cmprs_RE",
    "tbAT_Ventas",         "tbAT_Ventas_IR",       "tbAT_Ventas_x_Acumular",
    "tbAT_Exporta",        "tbAT_CmptsAnu",        "tbEmpresas",
    "tbParaSistema",       "tbfechasys",           "tbCodigoGeneral",
    "tbcttgComprob",       "tbcttgSusTributario",  "tbcttgPoIVA",
    "tbcttgPoIVABien",     "tbcttgPoIVAServ",      "tbcttgPoICE",
    "tbcttgCoRetenIR",     "tbcttgDiAduanero",     "tbcttgCoRegimen",
    "tbcttgCiudades",      "tbciudades",           "tbICE_Productos",
    "tbRDEP_Tabla",        "tbDividendos_Tabla",   "tbproveedor",
    "tbProveeEstablecmts", "tbProveeCmprAutoriza", "tbAutorizaDctos",
    "tbEmprCmprAutoriza"};

std::set<std::string> createdTables(const std::string& ddl) {
  static const std::regex create(R"(CREATE TABLE (\w+) \()");
  std::set<std::string> names;
  for (std::sregex_iterator it(ddl.begin(), ddl.end(), create), end; it != end; ++it) names.insert((*it)[1]);
  return names;
}

TEST_F(SchemaTest, HoldsEveryTableOfTheSystemUnderItsOwnName) {
  auto names = db.column("SELECT name FROM sqlite_master WHERE type = 'table' AND name <> 'sqlite_sequence'");
  std::set<std::string> expected = kTables;
  expected.insert("sys_stored_query");
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), expected);
}

TEST_F(SchemaTest, ColumnsReadByPositionStandAtThatPosition) {
  struct Case {
    const char* table;
    int position;
    const char* name;
  };
  const Case cases[] = {
      {"tbAT_Cmprs", 0, "id_reg"},     {"tbAT_Cmprs", 4, "fe_emision"},     {"tbAT_Cmprs", 6, "co_tipoID"},
      {"tbAT_Cmprs", 7, "co_provee"},  {"tbAT_Cmprs", 8, "co_comprob"},     {"tbAT_Cmprs", 9, "co_credito"},
      {"tbAT_Cmprs", 10, "nu_serie"},  {"tbAT_Cmprs", 11, "nu_secu"},       {"tbAT_Cmprs", 12, "nu_autoriza"},
      {"tbAT_Cmprs", 13, "fe_caduca"}, {"tbAT_Cmprs", 14, "mo_base_0"},     {"tbAT_Cmprs", 15, "mo_base"},
      {"tbAT_Cmprs", 52, "ds_wrkst"},  {"tbAT_Cmprs", 53, "mo_base_NoIva"}, {"tbAT_Cmprs", 75, "mo_RE_ice"},
      {"tbAT_Ventas", 0, "id_reg"},    {"tbAT_Ventas", 5, "co_cliente"},
  };
  for (const auto& c : cases) {
    auto names = db.column(std::string("SELECT name FROM pragma_table_info('") + c.table + "') ORDER BY cid");
    ASSERT_GT(names.size(), static_cast<std::size_t>(c.position)) << c.table;
    EXPECT_EQ(names[c.position], c.name) << c.table << " position " << c.position;
  }
  // id_reg and the 75 columns the purchase store writes.
  EXPECT_EQ(db.scalar("SELECT count(*) FROM pragma_table_info('tbAT_Cmprs')"), "76");
}

// Every DATE and DATETIME column refuses a text that is not a date, whichever table it is in.
TEST_F(SchemaTest, EveryDateColumnRefusesANonDate) {
  int dateColumns = 0;
  for (const auto& table :
       db.column("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'")) {
    auto info = db.rows(
        "SELECT name, upper(type), \"notnull\", dflt_value IS NOT NULL, pk FROM pragma_table_info(?1)",
        {table});
    for (const auto& target : info) {
      if (target[1] != "DATE" && target[1] != "DATETIME") continue;
      ++dateColumns;
      std::string columns, values;
      for (const auto& other : info) {
        const bool required = other[2] == "1" && other[3] == "0" && other[4] == "0";
        if (other[0] != target[0] && !required) continue;
        std::string value = other[1] == "DATE"       ? "'2013-05-15'"
                            : other[1] == "DATETIME" ? "'2013-05-15 10:00:00'"
                                                     : "'1'";
        if (other[0] == target[0]) value = "'15/05/2013'";
        columns += (columns.empty() ? "" : ", ") + other[0];
        values += (values.empty() ? "" : ", ") + value;
      }
      auto error = db.exec("INSERT INTO " + table + " (" + columns + ") VALUES (" + values + ")");
      ASSERT_TRUE(error.has_value()) << table << "." << target[0] << " took a non-date";
      EXPECT_NE(error->find("CHECK constraint failed"), std::string::npos)
          << table << "." << target[0] << ": " << *error;
    }
  }
  EXPECT_GT(dateColumns, 30);
}

TEST_F(SchemaTest, DateColumnsTakeIsoDatesAndNullOnly) {
  struct Case {
    const char* column;  // of tbcttgCoRetenIR (DATE) or tbfechasys (DATETIME)
    const char* literal;
    bool accepted;
  };
  const Case cases[] = {
      {"fe_fin", "'2013-05-15'", true},
      {"fe_fin", "'2012-02-29'", true},
      {"fe_fin", "'15/05/2013'", false},
      {"fe_fin", "'2013-02-30'", false},
      {"fe_fin", "'2013-5-15'", false},
      {"fe_fin", "'2013-05-15 10:00:00'", false},  // a time would break fe_fin >= date comparisons
      {"fe_fin", "41409", false},                  // a serial number is not a date
      {"fe_fin", "''", false},
      {"Fechasys", "'2013-05-15 14:11:12'", true},
      {"Fechasys", "'2013-05-15'", true},
      {"Fechasys", "NULL", true},
      {"Fechasys", "'15/05/2013 14:11:12'", false},
      {"Fechasys", "'2013-05-15T14:11:12'", false},
      {"Fechasys", "'2013-05-15 25:00:00'", false},
  };
  ASSERT_FALSE(
      db.exec("INSERT INTO tbcttgCoRetenIR (co_reten, fe_inicio, fe_fin) "
              "VALUES ('312', '2013-01-01', '2013-12-31')"));
  for (const auto& c : cases) {
    const std::string table = std::string(c.column) == "Fechasys" ? "tbfechasys" : "tbcttgCoRetenIR";
    auto error = db.exec("UPDATE " + table + " SET " + c.column + " = " + c.literal);
    EXPECT_EQ(!error.has_value(), c.accepted)
        << c.column << " = " << c.literal << (error ? ": " + *error : "");
  }
}

TEST_F(SchemaTest, CompanyNamesOrderWithoutRegardToCase) {
  ASSERT_FALSE(
      db.exec("INSERT INTO tbEmpresas (nu_ruc, ds_nombre) VALUES "
              "('1', 'zeta S.A.'), ('2', 'Beta'), ('3', 'alfa'), ('4', 'ALFA DOS'), ('5', 'Gamma')"));
  EXPECT_EQ(db.column("SELECT ds_nombre FROM tbEmpresas Where st_regis = 'A' Order By ds_nombre "),
            (std::vector<std::string>{"alfa", "ALFA DOS", "Beta", "Gamma", "zeta S.A."}));
}

TEST_F(SchemaTest, StoredSystemDateQueryStampsRowOne) {
  const auto sql = db.scalar("SELECT sql FROM sys_stored_query WHERE name = 'SP_FECHASYSACTU'");
  ASSERT_FALSE(db.exec(sql));
  EXPECT_EQ(db.scalar("SELECT count(*) FROM tbfechasys"), "1");
  const auto stamp = db.scalar("SELECT Fechasys FROM tbfechasys WHERE id = 1");
  EXPECT_TRUE(std::regex_match(stamp, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)"))) << stamp;
}

TEST(ServerDdl, DeclaresTheSameTablesAndTheOracleSequences) {
  const auto sqlite = createdTables(vt::testing::readFile(sourceDir() / "db" / "schema.sql"));
  const auto sqlServer = vt::testing::readFile(sourceDir() / "db" / "schema-sqlserver.sql");
  const auto oracle = vt::testing::readFile(sourceDir() / "db" / "schema-oracle.sql");
  auto expected = sqlite;
  expected.erase("sys_stored_query");  // the file engine's stand-in for stored procedures
  EXPECT_EQ(createdTables(sqlServer), expected);
  EXPECT_EQ(createdTables(oracle), expected);
  EXPECT_EQ(expected, kTables);

  // The exact spelling the store statements write before ".Nextval".
  for (const char* seq :
       {"TBAT_CMPRS_ID_REG", "TBAT_CMPRS_IR_ID_REG", "TBAT_VENTAS_ID_REG_SEC", "TBAT_VENTAS_IR_ID_REG_SEC",
        "TBATVENTAS_ACUMULAR_ID_REG_SEC", "TBAT_EXPORTA_ID_REG_SEC", "TBAT_CMPTSANU_ID_REG_SEC",
        "TBAT_PROVEEDOR_ID_REG_SEC", "tbProveeEstablecmts_ID_REG_SEC", "tbProvCmprAutoriza_ID_REG_SEC",
        "tbEmprCmprAutoriza_ID_REG_SEC"}) {
    EXPECT_NE(oracle.find(std::string("CREATE SEQUENCE ") + seq + " "), std::string::npos) << seq;
    EXPECT_LE(std::string(seq).size(), 30u) << seq;
  }
}

}  // namespace
}  // namespace schema_test
