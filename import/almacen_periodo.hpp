#pragma once
// The frame every sheet routine shares: in validation mode it hands the sheet to the library's
// validator; in store mode it replaces the company's rows of the period inside one transaction
// (take the server time, delete the period, insert row by row, log the rows the database refuses,
// commit, or roll back on cancel). Values reach the statement texts only through the helpers
// below, so that no cell can change a statement.

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "import/info_file.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/conversions/datetime.hpp"
#include "platform/database/sql_text.hpp"
#include "platform/database/sql_value.hpp"
#include "shell/core/ventana_ats.hpp"

namespace ambrix {

// What every insert of one store call writes beside the row's own cells.
struct ContextoAlmacen {
  vt::db::Engine motor = vt::db::Engine::Access;
  vt::conv::DateTime dtServidor;  // the server time, taken once per store call
  std::string sUsuario;           // gsUsuario, blanks trimmed
  std::string sEstacion;          // gsEstacion
  std::string sFechaCorta;        // the pattern sheet dates are written in

  // The audit values co_usua, fe_regis, co_modi, fe_modi, ds_wrkst, the same in every row: built
  // at the first row and kept, so a context is not changed once a store uses it.
  const std::array<vt::db::SqlValue, 5>& auditoria() const;
  mutable std::optional<std::array<vt::db::SqlValue, 5>> auditoria_ = std::nullopt;  // auditoria()'s
};

// The settings of the moment (engine, user, station, short date) with the given server time.
ContextoAlmacen contextoActual(const vt::conv::DateTime& dtServidor);

// The column list as a table's store writes it (its blanks included) and its count of columns,
// counted while the program is compiled.
class CamposFijos {
 public:
  consteval CamposFijos(const char* sTexto)  // NOLINT(google-explicit-constructor): every column list
      : texto_(sTexto), columnas_(static_cast<std::size_t>(std::ranges::count(texto_, ',')) + 1) {}
  std::string_view texto() const { return texto_; }
  std::size_t columnas() const { return columnas_; }

 private:
  std::string_view texto_;
  std::size_t columnas_;
};

// The column list and the value list of one insert, each in parentheses, built value by value:
// every value but the last is followed by ", ", the last by " ".
class ListaInsercion {
 public:
  explicit ListaInsercion(CamposFijos campos);
  // Under ORACLE the key column and its sequence come first.
  void claveOracle(const ContextoAlmacen& c, std::string_view sSecuencia);
  ListaInsercion& valor(vt::db::SqlValue valor);
  // The audit values co_usua, fe_regis, co_modi, fe_modi, ds_wrkst.
  ListaInsercion& auditoria(const ContextoAlmacen& c);
  // The lists closed: "(" columns ") " and "(" values ")".
  std::string campos() const;
  std::string valores() const;
  // The values one by one, as valores() lists them.
  const std::vector<vt::db::SqlValue>& lista() const { return valores_; }

 private:
  std::string_view campos_;
  std::string_view claveCampo_;
  std::vector<vt::db::SqlValue> valores_;
};

// The pattern of the dates that the purchases and exports validators write back into their
// sheets, whatever the short-date setting says.
inline constexpr const char* kFechaHoja = "dd/mm/yyyy";

// 'text' of a code cell formatted with its mask ("00", "000000000", ...); quoted as is when the
// mask leaves it unchanged.
vt::db::SqlValue valorCodigo(std::string_view sCelda, const vt::conv::NumberMask& sMascara);
// The bare 0 and 0.00 of the columns a store fills itself.
const vt::db::SqlValue& valorCero();
const vt::db::SqlValue& valorCeroMonto();
// 'text' of a cell stored as it stands.
vt::db::SqlValue valorTexto(std::string_view sCelda);
// FormatNumberText(sTexto, sMascara) written bare, kept as the number it writes when it is one.
vt::db::SqlValue valorMascara(std::string_view sTexto, const vt::conv::NumberMask& sMascara);
// A bare number of a numeric cell written with sMascara; "" for any other cell (the insert then
// fails and the row is logged, so that no cell can become part of the statement).
vt::db::SqlValue valorNumero(std::string_view sCelda, const vt::conv::NumberMask& sMascara);
// A bare amount "########0.00" of a numeric cell, as valorNumero.
vt::db::SqlValue valorMonto(std::string_view sCelda);
// The same amount times iSigno (1 or -1); a zero amount is never written negative.
vt::db::SqlValue valorMonto(std::string_view sCelda, int iSigno);
// A date cell read with sPatron and written as the engine's literal; a cell that is no date under
// the pattern is written as quoted text, for the database to refuse (never an invented date).
vt::db::SqlValue valorFechaHoja(const ContextoAlmacen& c, std::string_view sCelda, std::string_view sPatron);
// fe_regis / fe_modi: the server time as the engine's date-and-time literal.
vt::db::SqlValue valorFechaServidor(const ContextoAlmacen& c);

// The condition of the period's rows: "where [A.]co_empresa = '...' [and [A.]co_mes = 'mm' ]and
// [A.]co_anio = 'yyyy' " (two blanks after the last "and"); no month clause when nu_mes is 99.
std::string condicionPeriodo(const std::string& co_empresa, const std::string& nu_mes,
                             const std::string& nu_anio, bool bConAlias);

// Validation mode: sets the cancel flag, runs the validator call (which gets the progress row),
// shows the row on the bar and yields. "CANCEL" when the flag was cleared meanwhile, "ERROR"
// when the validator answered so or its call failed (reported), else "OK".
std::string gfValidaHoja(IVentanaATS& frm, IBarraProgreso& prgprogreso,
                         const std::function<std::string(std::int32_t& nFilaProgreso)>& llamaValidador);

// Appends to the error log; at the first append of a store call that fails, says the log could not
// be written and why. bAvisado is the call's own flag.
void escribeLog(const std::string& sLineas, bool& bAvisado);

// One store call in progress, as the row code of a sheet routine sees it.
class AlmacenPeriodo {
 public:
  AlmacenPeriodo(const ContextoAlmacen& c, std::string sPalabra) : c_(c), palabra_(std::move(sPalabra)) {}
  const ContextoAlmacen& contexto() const { return c_; }
  // gsInsertaRegistro; true when the row went in, else sError holds the database's description.
  // Only a row's own fault comes back as false: a failure of the engine (full disk, I/O, lock,
  // read-only, missing table or column) or a transaction the engine ended raises
  // vt::db::EngineError, and the store fails whole.
  bool inserta(const ListaInsercion& l, const std::string& sTabla, std::string& sError);
  // Appends the lines to the error log and counts the rejected row. A log that cannot be written
  // is said so once per store, with the reason.
  void rechaza(const std::string& sLineas);
  // Appends lines to the error log without counting a row (said so when the log cannot be written).
  void anota(const std::string& sLineas) { escribeLog(sLineas, logAvisado_); }
  long rechazados() const { return rechazados_; }
  // The limit of rejected rows: at 3, 10 and 20 asks whether to go on (sPrefijo + count ...);
  // above 20 shows sDemasiados. False when the store must end in "CANCEL".
  bool dentroDelLimite(const std::string& sPrefijo,
                       const std::string& sDemasiados = kDemasiadosErroresMas20) const;
  static constexpr const char* kDemasiadosErroresMas20 =
      "Proceso será cancelado porque contiene muchos errores (+20)";

 private:
  ContextoAlmacen c_;
  std::string palabra_;
  long rechazados_ = 0;
  bool logAvisado_ = false;
};

// What a store replaces: its sheet word, the tables it empties for the period in order (as
// gsEliminaRegistros takes them, alias included) and whether the condition carries the alias.
// The status texts before the delete, before the inserts and at the end are the sheet word's
// own ("<word>: Reemplazando informacion anterior...", ...) unless given; an empty one is not shown.
struct DescripcionAlmacen {
  DescripcionAlmacen(std::string palabra, std::vector<std::string> tablas, bool conAlias)
      : sPalabra(std::move(palabra)), asTablas(std::move(tablas)), bConAlias(conAlias) {}
  std::string sPalabra;
  std::vector<std::string> asTablas;
  bool bConAlias = true;
  std::optional<std::string> sReemplazando, sAlmacenando, sTerminado;
};

// Empties the period's rows of each table in order, with the delete text of gsEliminaRegistros; the
// first delete that fails raises, so that no row is inserted over rows that were not removed.
void eliminaPeriodo(const std::vector<std::string>& asTablas, const std::string& sCondicion);
// Rolls back the transaction of gConexion when one is open; a failing rollback is passed over.
void deshaceTransaccion();

// Raises vt::db::EngineError when the last statement on gConexion failed through the engine, or
// when its transaction is no longer open (the engine undid it): nothing more of the store may run.
void exigeMotorSano();

// Inside a catch block of a store: shows why the store failed. An engine failure is shown as
// "<word>: No se grabó la información (<cause in Spanish>). Se conserva la información anterior
// del período." and the engine's own text; anything else as an unexpected error.
void reportaFallaAlmacen(const std::string& sPalabra);

// Stores the rows 1..the upper bound of hoja. almacenaFila inserts one row (logging what the
// database refuses through the store) and returns false to end the store in "CANCEL".
// Result: "OK", "OK-ERROR", "CANCEL", "" (no server time; shown) or "ERROR" (a failure of the
// transaction, of a delete or anything unexpected: rolled back and shown). pContexto, when given,
// receives the store's context (its server time) once it is known, for a later stage of the store.
std::string gfAlmacenaPeriodo(IVentanaATS& frm, IBarraProgreso& prgprogreso, const std::string& co_empresa,
                              const std::string& nu_mes, const std::string& nu_anio,
                              const DescripcionAlmacen& d, const InfoFile& hoja,
                              const std::function<bool(AlmacenPeriodo& almacen, long fila)>& almacenaFila,
                              ContextoAlmacen* pContexto = nullptr);

}  // namespace ambrix
