#include "temp_database.hpp"

#include <sqlite3.h>

#include <stdexcept>

namespace vt::db::test {

namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE tbEmpresas (id_reg INTEGER PRIMARY KEY AUTOINCREMENT,
  nu_ruc VARCHAR(13) NOT NULL UNIQUE, ds_nombre VARCHAR(150) NOT NULL COLLATE NOCASE,
  st_regis VARCHAR(1) NOT NULL DEFAULT 'A', fe_alta DATE, po_iva NUMERIC(5,2));
INSERT INTO tbEmpresas (nu_ruc, ds_nombre, fe_alta, po_iva) VALUES
  ('1790011674001', 'Comercial Andina', '2013-05-15', 12),
  ('0990017514001', 'Bodegas del Pacífico', NULL, 12.5),
  ('1791251237001', 'Textiles Quito', '15/03/2012', NULL);
CREATE TABLE tbAT_Cmprs (id_reg INTEGER PRIMARY KEY AUTOINCREMENT, co_empresa VARCHAR(13),
  nu_secu VARCHAR(9), mo_base NUMERIC(15,2));
CREATE TABLE tbAT_Cmprs_IR (id_reg INTEGER PRIMARY KEY AUTOINCREMENT, co_empresa VARCHAR(13),
  nu_secu VARCHAR(9), mo_IRbase NUMERIC(15,2));
INSERT INTO tbAT_Cmprs (co_empresa, nu_secu, mo_base) VALUES ('1790011674001', '000000123', 100.00);
INSERT INTO tbAT_Cmprs_IR (co_empresa, nu_secu, mo_IRbase) VALUES ('9999999999999', '000000123', 40.5);
CREATE TABLE tbfechasys (id INTEGER PRIMARY KEY, Fechasys DATETIME);
INSERT INTO tbfechasys (id, Fechasys) VALUES (1, NULL);
CREATE TABLE sys_stored_query (name VARCHAR(64) PRIMARY KEY COLLATE NOCASE, sql TEXT NOT NULL);
INSERT INTO sys_stored_query VALUES ('sp_FechasysActu',
  'UPDATE tbfechasys SET Fechasys = strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime'') WHERE id = 1');
INSERT INTO sys_stored_query VALUES ('sp_SinCambios', 'UPDATE tbfechasys SET Fechasys = NULL WHERE id = 99');
)sql";

struct Db {
  sqlite3* handle = nullptr;
  explicit Db(const std::filesystem::path& file, int flags) {
    if (sqlite3_open_v2(file.c_str(), &handle, flags, nullptr) != SQLITE_OK)
      throw std::runtime_error("cannot open test database");
  }
  ~Db() { sqlite3_close_v2(handle); }
};

}  // namespace

TempDatabase::TempDatabase(const std::filesystem::path& source, const std::string& fileName)
    : file_(folder_.path() / fileName) {
  std::filesystem::copy_file(source, file_);
}

TempDatabase::TempDatabase(const std::string& fileName) : file_(folder_.path() / fileName) {
  Db db(file_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  char* error = nullptr;
  if (sqlite3_exec(db.handle, kSchema, nullptr, nullptr, &error) != SQLITE_OK) {
    std::string text = error ? error : "";
    sqlite3_free(error);
    throw std::runtime_error("schema: " + text);
  }
}

void TempDatabase::exec(const std::string& sql) const {
  Db db(file_, SQLITE_OPEN_READWRITE);
  sqlite3_busy_timeout(db.handle, 5000);
  if (sqlite3_exec(db.handle, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
    throw std::runtime_error(sqlite3_errmsg(db.handle));
}

std::string TempDatabase::scalar(const std::string& sql) const {
  Db db(file_, SQLITE_OPEN_READONLY);
  sqlite3_busy_timeout(db.handle, 5000);
  sqlite3_stmt* stmt = nullptr;
  std::string out;
  if (sqlite3_prepare_v2(db.handle, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
      sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_text(stmt, 0))
    out = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
  sqlite3_finalize(stmt);
  return out;
}

}  // namespace vt::db::test
