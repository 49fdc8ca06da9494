// Connection texts: which engine opens, and the ODBC text the server engines receive.

#include "platform/database/connection_text.hpp"

#include <gtest/gtest.h>

#include "expect_error.hpp"
#include "platform/database/errors.hpp"

namespace vt::db {
namespace {

TEST(ConnectionText, FileEngineTexts) {
  struct Case {
    const char* text;
    const char* path;
  };
  const Case cases[] = {
      {"/datos/ats/GLOBAL.MDB", "/datos/ats/GLOBAL.MDB"},
      {"relativo.db", "relativo.db"},
      {"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/datos/GLOBAL.MDB", "/datos/GLOBAL.MDB"},
      {"provider=Microsoft.ACE.OLEDB.12.0; data source = /datos/a b.mdb ;", "/datos/a b.mdb"},
      {"Provider=SQLite;Data Source=/tmp/x.db", "/tmp/x.db"},
  };
  for (const auto& c : cases) {
    const auto target = resolveConnectionText(c.text, {"admin", ""});
    EXPECT_EQ(target.kind, ConnectionTarget::Kind::File) << c.text;
    EXPECT_EQ(target.path, c.path) << c.text;
  }
}

TEST(ConnectionText, ServerEngineTexts) {
  struct Case {
    const char* text;
    const char* user;
    const char* password;
    const char* odbc;
  };
  const Case cases[] = {
      // The server provider text, translated key by key (it ends in "; ").
      {"Provider=sqloledb;Data Source=srv01;Initial Catalog=ATS;User Id=sa;Password=clave; ", "", "",
       "Driver={sqloledb};Server=srv01;Database=ATS;UID=sa;PWD=clave;"},
      {"Provider=SQLOLEDB;Data Source=srv;Initial Catalog=ATS;User Id=sa;Password=a;b; ", "", "",
       "Driver={sqloledb};Server=srv;Database=ATS;UID=sa;PWD=a;"},
      {"Provider=sqloledb;Data Source=srv;Initial Catalog=ATS;User Id=sa;Password={x;y}; ", "", "",
       "Driver={sqloledb};Server=srv;Database=ATS;UID=sa;PWD={x;y};"},
      // ODBC texts pass as they are.
      {"Driver=FreeTDS;Server=srv;Uid=sa;Pwd=c;Database=ATS", "", "",
       "Driver=FreeTDS;Server=srv;Uid=sa;Pwd=c;Database=ATS;"},
      {"Driver=SQLite3;Database=/tmp/a.db", "", "", "Driver=SQLite3;Database=/tmp/a.db;"},
      {"DSN=ats", "u", "p w", "DSN=ats;UID=u;PWD={p w};"},
      // Oracle drivers read the service name from DBQ.
      {"Driver={Microsoft ODBC for Oracle};Server=ORCL;Uid=ats;Pwd=c;", "", "",
       "Driver={Microsoft ODBC for Oracle};Server=ORCL;Uid=ats;Pwd=c;DBQ=ORCL;"},
      {"Driver=Oracle 19 ODBC driver;Server=ORCL;DBQ=X;", "", "",
       "Driver=Oracle 19 ODBC driver;Server=ORCL;DBQ=X;"},
  };
  for (const auto& c : cases) {
    const auto target = resolveConnectionText(c.text, {c.user, c.password});
    EXPECT_EQ(target.kind, ConnectionTarget::Kind::Odbc) << c.text;
    EXPECT_EQ(target.odbcText, c.odbc) << c.text;
  }
}

TEST(ConnectionText, ConfiguredSqlServerDriverAndUnknownProvider) {
  EXPECT_EQ(
      resolveConnectionText("Provider=sqloledb;Data Source=s;Initial Catalog=d; ", {}, "FreeTDS").odbcText,
      "Driver={FreeTDS};Server=s;Database=d;");
  EXPECT_EQ(test::errorNumber([] { resolveConnectionText("Provider=MSDAORA;Data Source=x"); }),
            kErrProviderNotFound);
}

}  // namespace
}  // namespace vt::db
