#pragma once
// What the master-data members share: their message lines, the quoting of values and keys, the
// digit padding of telephones and authorisations, the server's clock, and the guard that keeps an
// error from leaving a transaction or a connection open behind it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/conversions/datetime.hpp"
#include "platform/database/sql_text.hpp"

namespace valtrone {

inline constexpr const char* kTab = "\t";
inline constexpr const char* kCrLf = "\r\n";

// A member starts here: the thread's last error is cleared, so that its messages never end with
// the error of an earlier call.
void iniciaMiembro();

// The engine named by the thread's settings.
vt::db::Engine motorConfigurado();

// Empty once blanks are trimmed.
bool enBlanco(std::string_view text);

// A text value of a value list: "'" & value & "', " with its apostrophes doubled.
std::string piezaTexto(std::string_view value);
// A key under its number mask ("0000000000000", "000", ...), ready to stand between apostrophes.
std::string clave(std::string_view text, std::string_view mask);

// A text of digits shorter than `width` gains leading zeros; any other text is returned trimmed
// and otherwise as it stands (a leading zero is never lost: "0987654321" stays, "2555" under 9
// gives "000002555", "09-2555" stays).
std::string rellenaDigitos(std::string_view text, std::size_t width);

// One property copied to or from its field of the thread's module record: mode "C" into the
// record, "D" back into the property (compared upper case); any other mode copies nothing.
class CopiaRegistro {
 public:
  explicit CopiaRegistro(std::string_view mode);
  template <typename T>
  void operator()(T& property, T& field) const {
    if (mode_ == 'C') field = property;
    if (mode_ == 'D') property = field;
  }

 private:
  char mode_ = 0;
};

// The server's date and time (gfFechaServidor "fh" on the thread's connection): empty when the
// server gave none, whatever the status said (a refresh that changed no row, an empty answer).
// Then `sMsgError` becomes "Error al consultar fecha" and the connection is closed.
std::optional<vt::conv::DateTime> horaServidor(std::string& sMsgError);

// The column list and the value list of an insert.
struct Insercion {
  std::string campos;
  std::string valores;
};

// One row inserted in a transaction of its own on gdbConexion, committed when it went in (the
// connection stays open). When no row went in, the transaction is rolled back, `sMsgsError`
// becomes `fallo` & CRLF & the current error's text and the connection is closed. An insert
// that fails raises, its transaction rolled back.
bool insertaConfirmando(const Insercion& fila, const std::string& tabla, const char* fallo,
                        std::string& sMsgsError);

// Lives from the opening of a member's connection to its return. When an error leaves the member
// instead, a transaction still open on gdbConexion is rolled back and the connection closed before
// the error goes on to the caller. Normal returns are left to the member, which settles its own
// transaction and decides whether the connection stays open.
class TransactionGuard {
 public:
  TransactionGuard();
  ~TransactionGuard();
  TransactionGuard(const TransactionGuard&) = delete;
  TransactionGuard& operator=(const TransactionGuard&) = delete;

 private:
  int pendingOnEntry_;
};

}  // namespace valtrone
