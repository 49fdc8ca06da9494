// Recordsets on the file engine: counts, movement, field lookup, typed values, closed use; static
// ones read whole at open, forward-only ones read as they move; the read transaction's one picture.

#include "platform/database/recordset.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <random>

#include "expect_error.hpp"
#include "platform/database/errors.hpp"
#include "temp_database.hpp"

namespace vt::db {
namespace {

using test::errorNumber;
using test::TempDatabase;

class RecordsetTest : public ::testing::Test {
 protected:
  void SetUp() override { conn->open(db.file().string()); }
  TempDatabase db;
  std::shared_ptr<Connection> conn = Connection::create();
};

TEST_F(RecordsetTest, CountIsKnownBeforeIteratingAndRowsWalkInOrder) {
  Recordset rs;
  rs.open("SELECT nu_ruc, ds_nombre FROM tbEmpresas Where st_regis = 'A' Order By ds_nombre ", conn);
  EXPECT_EQ(rs.recordCount(), 3);
  EXPECT_FALSE(rs.bof());
  std::vector<std::string> names;
  for (; !rs.eof(); rs.moveNext()) names.push_back(rs.field("ds_nombre").asText());
  EXPECT_EQ(names, (std::vector<std::string>{"Bodegas del Pacífico", "Comercial Andina", "Textiles Quito"}));
  EXPECT_EQ(errorNumber([&] { rs.moveNext(); }), kErrNoCurrentRecord);
  EXPECT_EQ(errorNumber([&] { rs.field(0); }), kErrNoCurrentRecord);
  rs.moveFirst();
  EXPECT_EQ(rs.field(1).asText(), "Bodegas del Pacífico");
}

TEST_F(RecordsetTest, EmptyResultIsOpenAtEof) {
  Recordset rs;
  rs.open("select * from tbEmpresas where nu_ruc = 'x'", conn);
  EXPECT_EQ(rs.state(), State::Open);
  EXPECT_TRUE(rs.eof());
  EXPECT_TRUE(rs.bof());
  EXPECT_EQ(rs.recordCount(), 0);
  EXPECT_EQ(rs.fieldCount(), 6);
}

TEST_F(RecordsetTest, FieldsByNameWithoutCaseByOrdinalAndByTableColumn) {
  Recordset rs;
  rs.open("select * from tbEmpresas order by id_reg", conn);
  EXPECT_EQ(rs.field("NU_RUC").asText(), "1790011674001");
  EXPECT_EQ(rs.field("Nu_ruc"), rs.field(1));
  EXPECT_EQ(rs.fieldName(1), "nu_ruc");
  EXPECT_EQ(rs.field("tbempresas.NU_RUC").asText(), "1790011674001");
  EXPECT_EQ(errorNumber([&] { rs.field("no_existe"); }), kErrItemNotFound);
  EXPECT_EQ(errorNumber([&] { rs.field(6); }), kErrItemNotFound);
  EXPECT_EQ(errorNumber([&] { rs.field(-1); }), kErrItemNotFound);
  const auto e = test::errorOf([&] { rs.field("otra.nu_ruc"); });
  ASSERT_TRUE(e);
  EXPECT_EQ(e->description(),
            "No se encontró el elemento en la colección que corresponde con el nombre o el ordinal pedido.");
}

// The lookup as a plain scan of the columns, for every call: the first name equal without regard
// to case, else the first "table.column".
int indexByScan(const Recordset& rs, const std::string& name) {
  auto same = [](std::string a, std::string b) {
    for (auto* t : {&a, &b})
      for (char& c : *t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return a == b;
  };
  for (int i = 0; i < rs.fieldCount(); ++i)
    if (same(rs.fieldName(i), name)) return i;
  return -1;
}

TEST_F(RecordsetTest, RandomLookupsAcrossReopensFindWhatAScanOfTheColumnsFinds) {
  const std::vector<std::string> consultas = {
      "select * from tbEmpresas order by id_reg",
      "select ds_nombre, nu_ruc as ds_nombre, id_reg from tbEmpresas",
      "select count(*) as n, min(nu_ruc) as NU_RUC from tbEmpresas",
      "SELECT * FROM tbAT_Cmprs LEFT OUTER JOIN tbAT_Cmprs_IR ON tbAT_Cmprs.nu_secu = tbAT_Cmprs_IR.nu_secu"};
  const std::vector<std::string> nombres = {"nu_ruc", "NU_RUC", "Nu_Ruc", "ds_nombre", "DS_NOMBRE", "id_reg",
                                            "n", "co_empresa", "tbAT_Cmprs.co_empresa", "tbAT_Cmprs_IR.co_empresa",
                                            "TBAT_CMPRS_IR.CO_EMPRESA", "no_existe", "", "otra.nu_ruc"};
  std::mt19937 azar(11);
  Recordset rs;
  for (int vuelta = 0; vuelta < 40; ++vuelta) {
    const std::string& sql = consultas[azar() % consultas.size()];
    rs.open(sql, conn, azar() % 2 ? CursorType::ForwardOnly : CursorType::Static);
    for (int i = 0; i < 30; ++i) {
      const std::string& nombre = nombres[azar() % nombres.size()];
      const int esperado = indexByScan(rs, nombre);
      if (esperado >= 0) {
        EXPECT_EQ(rs.fieldIndex(nombre), esperado) << sql << " / " << nombre;
      } else if (nombre.find('.') == std::string::npos) {
        EXPECT_EQ(errorNumber([&] { rs.fieldIndex(nombre); }), kErrItemNotFound) << sql << " / " << nombre;
      } else {
        // A qualified name is found by its table and column, or not at all, every time alike.
        const auto busca = [&] {
          try {
            return static_cast<long>(rs.fieldIndex(nombre));
          } catch (const vt::Error& e) {
            return -e.number();
          }
        };
        const long primero = busca();
        EXPECT_EQ(busca(), primero) << sql << " / " << nombre;
      }
    }
    rs.close();
    EXPECT_EQ(errorNumber([&] { rs.fieldIndex("nu_ruc"); }), kErrObjectClosed) << "a closed recordset finds nothing";
  }
}

TEST_F(RecordsetTest, QualifiedNamesTellJoinedColumnsApart) {
  Recordset rs;
  rs.open(
      "SELECT * FROM tbAT_Cmprs LEFT OUTER JOIN tbAT_Cmprs_IR ON tbAT_Cmprs.nu_secu = tbAT_Cmprs_IR.nu_secu "
      "Order By tbAT_Cmprs.id_Reg",
      conn);
  EXPECT_EQ(rs.field("tbAT_Cmprs.co_empresa").asText(), "1790011674001");
  EXPECT_EQ(rs.field("TBAT_CMPRS_IR.co_empresa").asText(), "9999999999999");
  EXPECT_EQ(rs.field("co_empresa").asText(), "1790011674001");  // the first of the same name
  EXPECT_EQ(rs.field("tbAT_Cmprs.mo_base").asDouble(), 100.0);
  EXPECT_EQ(rs.field("tbAT_Cmprs_IR.mo_IRbase").asDouble(), 40.5);
}

TEST_F(RecordsetTest, ValuesAreTypedByDeclaredColumnType) {
  Recordset rs;
  rs.open(
      "select id_reg, nu_ruc, fe_alta, po_iva, count(*) over () as n, 1.5 * 2 as x from tbEmpresas "
      "order by id_reg",
      conn);
  // Row 1: ISO date, NUMERIC stored as the whole number 12.
  EXPECT_EQ(rs.field("id_reg"), Value(std::int64_t{1}));
  EXPECT_EQ(rs.field("fe_alta"), Value::date({2013, 5, 15}));
  EXPECT_EQ(rs.field("po_iva"), Value(12.0));
  EXPECT_EQ(rs.field("n"), Value(std::int64_t{3}));
  EXPECT_EQ(rs.field("x"), Value(3.0));
  rs.moveNext();  // Row 2: Null date.
  EXPECT_TRUE(rs.field("fe_alta").isNull());
  EXPECT_EQ(rs.field("po_iva"), Value(12.5));
  rs.moveNext();  // Row 3: day/month/year text written by an older tool, Null amount.
  EXPECT_EQ(rs.field("fe_alta"), Value::date({2012, 3, 15}));
  EXPECT_TRUE(rs.field("po_iva").isNull());
  EXPECT_EQ(errorNumber([&] { rs.field("po_iva").asDouble(); }), kErrInvalidUseOfNull);
  EXPECT_EQ(errorNumber([&] { rs.field("nu_ruc").asDouble(); }), kErrTypeMismatch);
}

TEST_F(RecordsetTest, DateTimeColumnsAndTextThatIsNotADate) {
  db.exec(
      "update tbfechasys set Fechasys = '2013-05-20 14:11:12' where id = 1;"
      "insert into tbfechasys values (2, 'pendiente')");
  Recordset rs;
  rs.open("SELECT * FROM tbfechasys order by id", conn);
  EXPECT_EQ(rs.field("Fechasys"), Value::dateTime({{2013, 5, 20}, 14, 11, 12}));
  rs.moveNext();
  EXPECT_EQ(rs.field("Fechasys"), Value(std::string("pendiente")));
}

TEST_F(RecordsetTest, FailedOpenLeavesAClosedRecordsetWhoseUseRaises) {
  Recordset rs;
  EXPECT_NE(errorNumber([&] { rs.open("select * from tabla_inexistente", conn); }), 0);
  EXPECT_EQ(rs.state(), State::Closed);
  EXPECT_EQ(errorNumber([&] { rs.eof(); }), kErrObjectClosed);
  EXPECT_EQ(errorNumber([&] { rs.recordCount(); }), kErrObjectClosed);
  EXPECT_EQ(errorNumber([&] { rs.field("x"); }), kErrObjectClosed);
  EXPECT_EQ(errorNumber([&] { rs.moveFirst(); }), kErrObjectClosed);
  EXPECT_EQ(errorNumber([&] { rs.close(); }), kErrObjectClosed);
}

TEST_F(RecordsetTest, StaysUsableAfterItsConnectionCloses) {
  Recordset rs;
  rs.open("select nu_ruc from tbEmpresas order by id_reg", conn);
  conn->close();
  rs.moveNext();
  EXPECT_EQ(rs.field(0).asText(), "0990017514001");
  EXPECT_EQ(rs.recordCount(), 3);
  Recordset copy = rs;
  copy.moveNext();
  EXPECT_EQ(rs.field(0).asText(), "0990017514001");
  rs.close();
  EXPECT_EQ(copy.field(0).asText(), "1791251237001");
}

// The same selects walked static and forward-only give the same rows, names and typed values.
TEST_F(RecordsetTest, ForwardOnlyGivesTheRowsOfAStaticOne) {
  struct Caso {
    const char* sql;
    const char* why;
  } casos[] = {
      {"select id_reg, nu_ruc, fe_alta, po_iva, 1.5 * 2 as x from tbEmpresas order by id_reg",
       "typed columns"},
      {"SELECT * FROM tbAT_Cmprs LEFT OUTER JOIN tbAT_Cmprs_IR ON tbAT_Cmprs.nu_secu = tbAT_Cmprs_IR.nu_secu "
       "Order By tbAT_Cmprs.id_Reg",
       "a join, with columns of the same name"},
      {"select * from tbEmpresas where nu_ruc = 'x'", "no rows"},
  };
  for (const Caso& c : casos) {
    Recordset estatico, adelante;
    estatico.open(c.sql, conn);
    adelante.open(c.sql, conn, CursorType::ForwardOnly);
    ASSERT_EQ(adelante.fieldCount(), estatico.fieldCount()) << c.why;
    EXPECT_EQ(adelante.bof(), estatico.bof()) << c.why;
    for (int i = 0; i < estatico.fieldCount(); ++i)
      EXPECT_EQ(adelante.fieldName(i), estatico.fieldName(i)) << c.why;
    long filas = 0;
    for (; !estatico.eof(); estatico.moveNext(), adelante.moveNext(), ++filas) {
      ASSERT_FALSE(adelante.eof()) << c.why;
      for (int i = 0; i < estatico.fieldCount(); ++i)
        EXPECT_EQ(adelante.field(i), estatico.field(i)) << c.why;
    }
    EXPECT_TRUE(adelante.eof()) << c.why;
    EXPECT_EQ(filas, estatico.recordCount()) << c.why;
    EXPECT_EQ(errorNumber([&] { adelante.moveNext(); }), kErrNoCurrentRecord) << c.why;
    EXPECT_EQ(errorNumber([&] { adelante.field(0); }), kErrNoCurrentRecord) << c.why;
  }
}

TEST_F(RecordsetTest, ForwardOnlyCountIsUnknownAndNamesWorkAsInAStaticOne) {
  Recordset rs;
  rs.open("select * from tbEmpresas order by id_reg", conn, CursorType::ForwardOnly);
  EXPECT_EQ(rs.recordCount(), -1);
  EXPECT_EQ(rs.field("tbempresas.NU_RUC").asText(), "1790011674001");
  EXPECT_EQ(errorNumber([&] { rs.field("no_existe"); }), kErrItemNotFound);
  EXPECT_EQ(errorNumber([&] { rs.field(6); }), kErrItemNotFound);
  rs.moveFirst();  // still on the first row: nothing to go back to
  rs.moveNext();
  EXPECT_EQ(errorNumber([&] { rs.moveFirst(); }), kErrNoCurrentRecord) << "rows already read are gone";
  rs.close();
  EXPECT_EQ(errorNumber([&] { rs.eof(); }), kErrObjectClosed);
  EXPECT_NE(errorNumber([&] { rs.open("select * from tabla_inexistente", conn, CursorType::ForwardOnly); }),
            0);
  EXPECT_EQ(rs.state(), State::Closed);
}

TEST_F(RecordsetTest, ForwardOnlyOutlivesItsConnectionsClose) {
  Recordset rs;
  rs.open("select nu_ruc from tbEmpresas order by id_reg", conn, CursorType::ForwardOnly);
  conn->close();
  rs.moveNext();
  EXPECT_EQ(rs.field(0).asText(), "0990017514001");
  rs.moveNext();
  rs.moveNext();
  EXPECT_TRUE(rs.eof());
}

// Rows another connection commits while a read transaction is open are not seen by its selects,
// neither by those opened before the commit nor by those opened after it.
TEST_F(RecordsetTest, AReadTransactionSeesOneCommittedState) {
  auto otra = Connection::create();
  otra->open(db.file().string());
  const auto cuenta = [this] {
    Recordset rs;
    rs.open("select count(*) from tbEmpresas", conn);
    return rs.field(0).asInteger();
  };
  conn->beginReadTrans();
  Recordset rs;
  rs.open("select nu_ruc from tbEmpresas order by id_reg", conn, CursorType::ForwardOnly);
  otra->execute("delete from tbEmpresas");
  otra->execute("insert into tbEmpresas (nu_ruc, ds_nombre) values ('0190012345001', 'Otra')");
  long filas = 0;
  for (; !rs.eof(); rs.moveNext()) ++filas;
  EXPECT_EQ(filas, 3);
  EXPECT_EQ(cuenta(), 3) << "a select opened after the other commit";
  EXPECT_EQ(errorNumber([&] { conn->beginTrans(); }), kErrNestedTransaction);
  conn->commitTrans();
  EXPECT_EQ(cuenta(), 1) << "after the transaction the committed rows are seen";
  conn->beginReadTrans();
  conn->rollbackTrans();
  EXPECT_FALSE(conn->inTransaction());
}

}  // namespace
}  // namespace vt::db
