// The observation seam: what the layer is handed, as the caller wrote it, only while observed.

#include "platform/database/statement_observer.hpp"

#include <gtest/gtest.h>

#include <thread>

#include "expect_error.hpp"
#include "platform/database/connection.hpp"
#include "platform/database/recordset.hpp"
#include "temp_database.hpp"

namespace vt::db {
namespace {

using test::errorNumber;
using test::TempDatabase;

TEST(StatementObserver, SeesEveryTextWithItsKindAndNeverThePassword) {
  TempDatabase db;
  StatementRecorder recorder;
  auto conn = Connection::create();
  conn->open(db.file().string(), "admin", "clave-secreta");
  long rows = 0;
  conn->execute("delete * from tbAT_Cmprs A where A.co_empresa = '1790011674001'", rows);
  conn->execute("sp_FechasysActu", rows, CommandType::StoredProc);
  Recordset rs;
  rs.open("SELECT @@IDENTITY as NuComprob", conn);
  conn->close();
  const std::vector<ObservedText> expected = {
      {ObservedKind::Open, db.file().string(), "admin"},
      {ObservedKind::Execute, "delete * from tbAT_Cmprs A where A.co_empresa = '1790011674001'", ""},
      {ObservedKind::StoredProcedure, "sp_FechasysActu", ""},
      {ObservedKind::Query, "SELECT @@IDENTITY as NuComprob", ""},
  };
  EXPECT_EQ(recorder.seen, expected);
  for (const ObservedText& o : recorder.seen) {
    EXPECT_EQ(o.text.find("clave-secreta"), std::string::npos);
    EXPECT_EQ(o.user.find("clave-secreta"), std::string::npos);
  }
}

TEST(StatementObserver, TextsThatFailAreSeenToo) {
  StatementRecorder recorder;
  auto conn = Connection::create();
  const std::string sinControlador = "Driver={Controlador Ausente};Server=SRV;Uid=ats;Pwd=x;";
  const std::string oledb =
      "Provider=sqloledb;Data Source=SRV;Initial Catalog=GLOBAL;User Id=ats;Password=x; ";
  EXPECT_NE(errorNumber([&] { conn->open(sinControlador); }), 0);
  EXPECT_NE(errorNumber([&] { conn->open(oledb); }), 0);
  EXPECT_NE(errorNumber([&] { conn->execute("delete from tbEmpresas"); }), 0);
  Recordset rs;
  EXPECT_NE(errorNumber([&] { rs.open("select * from tbEmpresas", conn); }), 0);
  // The server texts are seen before their keys are translated for the driver manager.
  EXPECT_EQ(recorder.texts(ObservedKind::Open), (std::vector<std::string>{sinControlador, oledb}));
  EXPECT_EQ(recorder.texts(ObservedKind::Execute), std::vector<std::string>{"delete from tbEmpresas"});
  EXPECT_EQ(recorder.texts(ObservedKind::Query), std::vector<std::string>{"select * from tbEmpresas"});
}

TEST(StatementObserver, ScopesNestAndStayOnTheirThread) {
  TempDatabase db;
  auto conn = Connection::create();
  conn->open(db.file().string());
  std::vector<std::string> outer;
  {
    ScopedStatementObserver outerScope([&](const Observation& o) { outer.emplace_back(o.text); });
    conn->execute("update tbEmpresas set st_regis = 'A' where 1 = 0");
    {
      StatementRecorder inner;
      conn->execute("update tbEmpresas set st_regis = 'I' where 1 = 0");
      std::thread([&] {
        auto other = Connection::create();
        other->open(db.file().string());
        other->execute("update tbEmpresas set st_regis = 'X' where 1 = 0");
      }).join();
      EXPECT_EQ(inner.texts(ObservedKind::Execute),
                std::vector<std::string>{"update tbEmpresas set st_regis = 'I' where 1 = 0"});
    }
    conn->execute("update tbEmpresas set st_regis = 'B' where 1 = 0");
  }
  conn->execute("update tbEmpresas set st_regis = 'C' where 1 = 0");
  EXPECT_EQ(outer, (std::vector<std::string>{"update tbEmpresas set st_regis = 'A' where 1 = 0",
                                             "update tbEmpresas set st_regis = 'B' where 1 = 0"}));
}

}  // namespace
}  // namespace vt::db
