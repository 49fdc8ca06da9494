// The old engine's statement forms adapted for SQLite, and nothing else touched.

#include "platform/database/jet_rewrite.hpp"

#include <gtest/gtest.h>

#include "platform/database/sqlite_functions.hpp"

namespace vt::db {
namespace {

TEST(JetRewrite, Statements) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"delete * from tbAT_Cmprs A where A.co_empresa = '1'",
       "delete from tbAT_Cmprs AS A where A.co_empresa = '1'"},
      {"DELETE  *  FROM tbAT_Ventas_IR A WHERE A.co_mes='05'",
       "DELETE  FROM tbAT_Ventas_IR AS A WHERE A.co_mes='05'"},
      {"delete from tbAT_Exporta A where A.co_anio = '2013'",
       "delete from tbAT_Exporta AS A where A.co_anio = '2013'"},
      {"delete * from tbAT_CmptsAnu  where co_mes = '05'", "delete from tbAT_CmptsAnu  where co_mes = '05'"},
      {"delete* from T A", "delete from T AS A"},
      {"delete *from T A", "delete from T AS A"},
      {"delete from T A", "delete from T AS A"},
      {"delete from T A;", "delete from T AS A;"},
      {"delete from T AS A where A.x = 1", "delete from T AS A where A.x = 1"},
      {"delete from main.T A where A.x = 1", "delete from main.T AS A where A.x = 1"},
      {"delete from T where x = 1", "delete from T where x = 1"},
      {"delete from T ", "delete from T "},
      {"delete A from T A where A.x = 1", "delete A from T A where A.x = 1"},
      {"delete * from T; delete from U B where B.y = 2", "delete from T; delete from U AS B where B.y = 2"},
      {"select @@IDENTITY as NuComprob", "select last_insert_rowid() as NuComprob"},
      {"SELECT @@identity", "SELECT last_insert_rowid()"},
      // Literals, quoted names and comments are never touched.
      {"insert into t (a) values ('delete * from x A where')",
       "insert into t (a) values ('delete * from x A where')"},
      {"insert into t (a) values ('it''s @@IDENTITY')", "insert into t (a) values ('it''s @@IDENTITY')"},
      {"select \"@@IDENTITY\" from t", "select \"@@IDENTITY\" from t"},
      {"select 1 -- delete * from t", "select 1 -- delete * from t"},
      {"select * from tbEmpresas", "select * from tbEmpresas"},
      {"select @@IDENTITYX from t", "select @@IDENTITYX from t"},
      {"update t set a = 'x'  where b = 1", "update t set a = 'x'  where b = 1"},
      {"delete * from T A where a = 'unclosed", "delete from T AS A where a = 'unclosed"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(adaptJetSql(c.in), c.out) << c.in;
}

TEST(DateValue, Texts) {
  struct Case {
    const char* in;
    const char* out;  // nullptr: not a date
  };
  const Case cases[] = {
      {"15/05/2013", "2013-05-15"},
      {"1/2/2013", "2013-02-01"},
      {"2013-05-15", "2013-05-15"},
      {"2013/05/15", "2013-05-15"},
      {"2013-05-15T08:00:00", "2013-05-15"},
      {"29/02/2012", "2012-02-29"},
      {"29/02/2013", nullptr},
      {"", nullptr},
      {"hoy", nullptr},
      {"41409", nullptr},
  };
  for (const auto& c : cases) {
    const auto result = dateValueText(c.in);
    if (c.out)
      EXPECT_EQ(result, std::optional<std::string>(c.out)) << c.in;
    else
      EXPECT_FALSE(result) << c.in;
  }
}

}  // namespace
}  // namespace vt::db
