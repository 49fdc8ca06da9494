#include "tests/import/almacen_fixture.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "platform/conversions/conversions.hpp"
#include "platform/database/recordset.hpp"
#include "platform/database/sql_text.hpp"
#include "shell/core/globals.hpp"
#include "tests/support/files.hpp"

namespace ambrix::testing {

namespace {

// A value as the sqlite3 tool lists it.
std::string listado(const vt::db::Value& v) {
  using K = vt::db::Value::Kind;
  switch (v.kind()) {
    case K::Null:
      return "";
    case K::Text:
      return v.asText();
    case K::Integer:
      return std::to_string(v.asInteger());
    case K::Double:
      return vt::db::sqlNumber(v.asDouble());
    case K::DateTime:
      return vt::conv::FormatDateTime(v.asTimestamp().value,
                                      v.asTimestamp().dateOnly ? "yyyy-MM-dd" : "yyyy-MM-dd hh:mm:ss");
  }
  return "";
}

}  // namespace

FallaEnInsercion::FallaEnInsercion(int k, vt::db::InjectedFailure falla)
    : guard_([this, k, falla](const vt::db::Observation& o) -> std::optional<vt::db::InjectedFailure> {
        if (o.kind != vt::db::ObservedKind::Execute || !o.text.starts_with("insert")) return std::nullopt;
        if (++vistas_ != k) return std::nullopt;
        return falla;
      }) {}

const std::vector<FallaMotor>& fallasDelMotor() {
  using vt::db::Failure;
  static const std::vector<FallaMotor> fallas = {
      {{13, "database or disk is full", Failure::DiskFull, true},
       "disco lleno",
       "a full disk, after which SQLite has rolled the transaction back itself"},
      {{13, "database or disk is full", Failure::DiskFull, false},
       "disco lleno",
       "a full disk with the transaction still open"},
      {{10, "disk I/O error", Failure::Io, true}, "error de lectura o escritura en el disco", "an I/O error"},
      {{7, "out of memory", Failure::NoMemory, false}, "memoria insuficiente", "no memory"},
      {{5, "database is locked", Failure::Busy, false},
       "base de datos bloqueada por otro proceso",
       "another writer holds the lock"},
      {{8, "attempt to write a readonly database", Failure::ReadOnly, false},
       "base de datos de solo lectura",
       "a read-only database"},
      {{1, "table tbAT_X has no column named co_X", Failure::Schema, false},
       "tabla o columna faltante en la base de datos",
       "a column missing from an old database"},
  };
  return fallas;
}

std::string fallaAlmacen(const std::string& sPalabra, const FallaMotor& f) {
  return sPalabra + ": No se grabó la información (" + f.causa +
         "). Se conserva la información anterior del período.\r\n" + std::to_string(f.falla.number) + " " +
         f.falla.text;
}

void AlmacenTest::fallaEnteraEnCadaInsercion(const std::string& sPalabra, const std::vector<int>& ks,
                                             const std::function<std::string()>& almacena,
                                             const std::function<std::string()>& volcado) {
  const std::string antes = volcado();
  for (const FallaMotor& f : fallasDelMotor()) {
    for (int k : ks) {
      SCOPED_TRACE(std::string(f.why) + ", insert " + std::to_string(k));
      boxes_.mensajes.clear();
      gsRutaLog = temp_.write("log.txt", "");
      {
        FallaEnInsercion falla(k, f.falla);
        EXPECT_EQ(almacena(), "ERROR");
      }
      EXPECT_EQ(volcado(), antes);
      EXPECT_FALSE(gConexion->inTransaction());
      ASSERT_FALSE(boxes_.mensajes.empty());
      EXPECT_EQ(boxes_.mensajes.back().texto, fallaAlmacen(sPalabra, f));
      EXPECT_EQ(log(), "") << "an engine failure is no refused row";
    }
  }
}

std::string golden(const std::string& nombre, const std::string& sActual) {
  const std::string ruta = VT_SOURCE_DIR "/tests/import/" + nombre;
  if (std::getenv("VT_WRITE_GOLDEN")) vt::testing::writeFile(ruta, sActual);
  return vt::testing::readFile(ruta);
}

void AlmacenTest::SetUp() {
  connectToCopy();
  ctx_.gsUsuario = " ana ";
  ctx_.gsEstacion = "PC01";
  exec(std::string("UPDATE sys_stored_query SET sql = 'UPDATE tbfechasys SET Fechasys = ''") + kHoraServidor +
       "'' WHERE id = 1' WHERE name = 'sp_FechasysActu'");
  gsRutaLog = temp_.write("log.txt", "");
  gbContinuarProceso = true;
}

void AlmacenTest::TearDown() {
  for (int i = 0; i < 4; ++i) gaInfoHoja(i) = std::make_shared<vt::automation::StringMatrix>();
  gsRutaLog.clear();
}

InfoFile AlmacenTest::hoja(const std::vector<std::vector<std::string>>& filas) {
  std::size_t ancho = 1;
  for (const auto& f : filas) ancho = std::max(ancho, f.size());
  auto m = std::make_shared<vt::automation::StringMatrix>(0, static_cast<long>(filas.size()), 0,
                                                          static_cast<long>(ancho) - 1);
  for (std::size_t r = 0; r < filas.size(); ++r)
    for (std::size_t c = 0; c < filas[r].size(); ++c)
      m->set(static_cast<long>(r) + 1, static_cast<long>(c), filas[r][c]);
  return m;
}

std::size_t AlmacenTest::entradasLog() const {
  const std::string texto = log();
  std::size_t n = 0;
  for (std::size_t p = texto.find("Registro: "); p != std::string::npos; p = texto.find("Registro: ", p + 1))
    ++n;
  return n;
}

void AlmacenTest::periodoAnterior(const std::string& sTabla, const std::string& sMarca) {
  for (const char* valores : {"('1792045185001', '05', '2013', '1')", "('1792045185001', '04', '2013', '2')",
                              "('0992314702001', '05', '2013', '3')", "('1792045185001', '05', '2012', '4')"})
    exec("insert into " + sTabla + " (co_empresa, co_mes, co_anio, " + sMarca + ") values " + valores);
}

void AlmacenTest::refuse(const std::string& sTabla, const std::string& cuando) {
  exec("CREATE TRIGGER rechaza_" + sTabla + " BEFORE INSERT ON " + sTabla + " WHEN " + cuando +
       " BEGIN SELECT RAISE(ABORT, 'fila rechazada'); END");
}

std::string AlmacenTest::filas(const std::string& sql) {
  vt::db::Recordset rs;
  rs.open(sql, gConexion);
  std::string texto;
  for (; !rs.eof(); rs.moveNext()) {
    for (int i = 0; i < rs.fieldCount(); ++i) texto += (i ? "|" : "") + listado(rs.field(i));
    texto += "\n";
  }
  return texto;
}

}  // namespace ambrix::testing
