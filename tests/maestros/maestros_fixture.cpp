#include "maestros_fixture.hpp"

#include <cstdio>

#include "platform/conversions/conversions.hpp"
#include "platform/database/recordset.hpp"

namespace maestros_test {
namespace {

std::string asText(const vt::db::Value& value) {
  using Kind = vt::db::Value::Kind;
  switch (value.kind()) {
    case Kind::Null:
      return "<Null>";
    case Kind::Text:
      return value.asText();
    case Kind::Integer:
      return std::to_string(value.asInteger());
    case Kind::Double:
      return vt::conv::VbStr(value.asDouble());
    case Kind::DateTime: {
      const vt::db::Timestamp& t = value.asTimestamp();
      return vt::conv::FormatDateTime(t.value, t.dateOnly ? "yyyy-mm-dd" : "yyyy-mm-dd hh:nn:ss");
    }
  }
  return {};
}

}  // namespace

void Maestros::SetUp() {
  context().config.gsEstacion = kEstacion;
  db.open((folder / "global.mdb").string());
}

std::vector<std::string> Maestros::fila(const std::string& sql) {
  vt::db::Recordset rs;
  rs.open(sql, db);
  std::vector<std::string> values;
  if (rs.eof()) return values;
  for (int i = 0; i < rs.fieldCount(); ++i) values.push_back(asText(rs.field(i)));
  return values;
}

long Maestros::cuenta(const std::string& tabla, const std::string& condicion) {
  vt::db::Recordset rs;
  rs.open("select * from " + tabla + " " + condicion, db);
  return rs.recordCount();
}

std::string Maestros::horaGuardada() { return fila("select Fechasys from tbfechasys where id = 1").at(0); }

void Maestros::proveedorDirecto(const std::string& ruc) {
  db.execute("insert into tbproveedor (co_empresa, co_provee, ds_nombre, co_id) values ('1792045185001', '" +
             ruc + "', 'PROVEEDOR DIRECTO', 'R')");
}

void Maestros::establecimientoDirecto(const std::string& ruc, const std::string& estable,
                                      const std::string& nombre) {
  db.execute("insert into tbProveeEstablecmts (co_provee, co_estable, ds_nombre) values ('" + ruc + "', '" +
             estable + "', '" + nombre + "')");
}

void Maestros::expectNoOpenTransaction() {
  const auto& connection = valtrone::ctx().gdbConexion;
  ASSERT_TRUE(connection);
  EXPECT_FALSE(connection->state() == vt::db::State::Open && connection->inTransaction());
}

}  // namespace maestros_test
