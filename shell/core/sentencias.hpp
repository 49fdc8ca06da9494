#pragma once
// The program's statements on gConexion: delete, insert and select built as text per engine, with
// their messages. Values inside the texts are the caller's, already quoted with vt::db::quoteSql.

#include <span>
#include <string>

#include "platform/database/recordset.hpp"
#include "platform/database/sql_text.hpp"

namespace ambrix {

// The engine named by the configuration (gsMotorBD, upper-cased) at the moment of the call.
vt::db::Engine motorActual();

// The statement texts exactly as each engine receives them (blanks included). sTabla may carry an
// alias after a blank ("tbAT_Cmprs A"). The file engine gets the SQLite form
// "delete from T AS A cond"; an engine other than the three gets "".
std::string deleteText(vt::db::Engine motor, const std::string& sTabla, const std::string& sCondicion);
std::string insertText(const std::string& sCampos, const std::string& sTabla, const std::string& sValores);
// The value list of an insert, "(" then every value followed by ", " but the last, followed by " ",
// then ")": "('a', 1 )".
std::string listaValores(std::span<const vt::db::SqlValue> asValores);
std::string selectText(const std::string& sCampos, const std::string& sTabla, const std::string& sCondicion);

// Deletes; lRegistros gets the rows deleted. A failure is shown and lRegistros kept; the result
// says whether the delete ran, so that a store never inserts over rows it failed to remove.
bool gsEliminaRegistros(const std::string& sTabla, const std::string& sCondicion, long& lRegistros);

// Inserts; lRegistros gets the rows inserted. A failure shows nothing: lRegistros is kept and the
// error stays in vt::Err() for the caller's log (cleared when the insert succeeds).
void gsInsertaRegistro(const std::string& sCampos, const std::string& sTabla, const std::string& sValores,
                       long& lRegistros);
// The same insert with the values one by one (its text is insertText(sCampos, sTabla,
// listaValores(asValores))): the file engine runs it as one statement prepared per table and
// column list, which is what a store of many rows needs.
void gsInsertaFila(const std::string& sCampos, const std::string& sTabla, std::span<const vt::db::SqlValue> asValores,
                   long& lRegistros);

// Replaces rsConsulta by a new recordset opened (read-only; static unless told) on the select. A
// failed open is shown and leaves rsConsulta closed; empty column or table names leave it untouched.
// A forward-only one holds one row at a time, for a walk over many rows that need not all be held.
void gsAbreConsulta(const std::string& sCampos, const std::string& sTabla, const std::string& sCondicion,
                    vt::db::Recordset& rsConsulta, vt::db::CursorType tipo = vt::db::CursorType::Static);

// The rows of an open select on gConexion: the count rs knows (every row of a static one; a
// forward-only one's when its engine gives it), else the first value of sCuenta, a select that
// counts the same rows apart, run in the same transaction so that it is the count of the rows
// walked. A failed count raises.
long gfCuentaFilas(const vt::db::Recordset& rs, const std::string& sCuenta);

}  // namespace ambrix
