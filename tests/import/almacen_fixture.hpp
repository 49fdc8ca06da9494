#pragma once
// A connected copy of the fixture database for the stores: a fixed server time, user and station,
// an empty error log, a recording window, and helpers to fill a sheet and read stored rows back.

#include <functional>
#include <string>
#include <vector>

#include "import/info_file.hpp"
#include "platform/database/statement_observer.hpp"
#include "tests/support/shell_fixture.hpp"
#include "tests/support/ventana_grabada.hpp"

namespace ambrix::testing {

// The server time every store of these tests stamps its rows with.
inline constexpr const char* kHoraServidor = "2013-05-31 10:15:00";

// The golden file tests/import/<nombre> read for comparison; with VT_WRITE_GOLDEN set in the
// environment it is first written with sActual, to review a change of format with git diff.
std::string golden(const std::string& nombre, const std::string& sActual);

// Makes the k-th insert (counted from 1) fail in place of running, as the engine would fail it.
class FallaEnInsercion {
 public:
  FallaEnInsercion(int k, vt::db::InjectedFailure falla);

 private:
  int vistas_ = 0;
  vt::db::ScopedStatementFault guard_;
};

// The failures of the engine a store must survive whole: its code and text as SQLite gives them.
struct FallaMotor {
  vt::db::InjectedFailure falla;
  const char* causa;  // the Spanish cause the store's message must name
  const char* why;
};
const std::vector<FallaMotor>& fallasDelMotor();
// The whole message of a store that failed through the engine.
std::string fallaAlmacen(const std::string& sPalabra, const FallaMotor& f);

class AlmacenTest : public ShellTest {
 public:
  // A sheet array whose rows 1.. are the given cells (row 0 empty), as wide as the widest row.
  static InfoFile hoja(const std::vector<std::vector<std::string>>& filas);

 protected:
  void SetUp() override;
  void TearDown() override;
  // The rows of a select, one line each, values joined by "|" (the sqlite3 list mode).
  std::string filas(const std::string& sql);
  std::string log() const { return temp_.read("log.txt"); }
  // How many rejected-row entries ("Registro: ...") the log holds.
  std::size_t entradasLog() const;
  // Rows stored before in sTabla, marked in sMarca by 1 to 4: the period's own (May 2013 of
  // 1792045185001), another month, another company, another year.
  void periodoAnterior(const std::string& sTabla, const std::string& sMarca);
  // A trigger "rechaza_<sTabla>" that refuses the inserts into sTabla that the condition picks,
  // with the description "fila rechazada"; one trigger a table, so that several tables can refuse.
  void refuse(const std::string& sTabla, const std::string& cuando);
  // For every engine failure of fallasDelMotor() at each k-th insert: the store ends "ERROR" with
  // its one message, logs no refused row, and leaves what volcado lists as it was.
  void fallaEnteraEnCadaInsercion(const std::string& sPalabra, const std::vector<int>& k,
                                  const std::function<std::string()>& almacena,
                                  const std::function<std::string()>& volcado);

  VentanaGrabada frm_;
};

}  // namespace ambrix::testing
