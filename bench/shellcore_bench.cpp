// The program's statements on the file engine: 100,000 sales rows inserted through
// gsInsertaRegistro inside one transaction, then read back through gsAbreConsulta; the purchases
// insert (every column of tbAT_Cmprs) and a catalogue lookup with each text prepared on every
// call ("texto", as before) and through the shared prepared statements ("compartida"), with the
// rates and their ratio printed at the end.

#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/copia_base.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/database/sql_text.hpp"
#include "platform/database/sqlite_backend.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/mensajes_grabados.hpp"
#include "platform/profile/configuracion.hpp"
#include "shell/core/conexion.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/sentencias.hpp"

namespace {

constexpr long kFilas = 100000;

const char* kCampos =
    "(co_empresa, co_mes, co_anio, co_tipoID, co_cliente, ds_cliente, co_estable, fe_emision, fe_conta, "
    "nu_comprob, co_comprob, mo_base_NoIva, mo_base_0, mo_base, co_iva, mo_iva, st_regis, nu_serie, nu_secu, "
    "nu_autoriza, co_usua, fe_regis, ds_wrkst)";

std::string valores(long i) {
  const vt::conv::DateTime fecha{{2013, 5, static_cast<int>(i % 28) + 1}, 0, 0, 0};
  const double base = 100 + static_cast<double>(i % 1000) / 4;
  return "('1792045185001', '05', '2013', '04', " + vt::db::quoteSql(std::to_string(1790000000001 + i)) +
         ", " + vt::db::quoteSql("Cliente O'Brien " + std::to_string(i)) + ", '001', " +
         vt::db::sqlDate(vt::db::Engine::Access, fecha, false) + ", " +
         vt::db::sqlDate(vt::db::Engine::Access, fecha, false) + ", 1, '18', 0, 0, " +
         vt::db::sqlNumber(base) + ", '2', " + vt::db::sqlNumber(base * 0.12) + ", 'A', '001001', " +
         vt::db::quoteSql(std::to_string(100000000 + i)) +
         ", '1234567890', 'demo', '2013-06-01 10:00:00', 'BENCH')";
}

// A copy of the fixture database with the program connected to it.
class Database {
 public:
  Database() { ambrix::gsConectaBD(); }
  ~Database() {
    ambrix::gsCierraBD();
    ambrix::gConexion = vt::db::Connection::create();
  }
  bool open() const { return ambrix::gConexion->state() == vt::db::State::Open; }

 private:
  bench::CopiaBase copia_{"shellcore-bench"};
  vt::MensajesGrabados boxes_;
  vt::ScopedThreadMessages guard_{boxes_};
};

void BM_InsertSalesInOneTransaction(benchmark::State& state) {
  Database db;
  if (!db.open()) {
    state.SkipWithError("no database");
    return;
  }
  for (auto _ : state) {
    ambrix::gConexion->beginTrans();
    for (long i = 0; i < kFilas; ++i) {
      long filas = 0;
      ambrix::gsInsertaRegistro(kCampos, "tbAT_Ventas", valores(i), filas);
      if (filas != 1) {
        ambrix::gConexion->rollbackTrans();
        state.SkipWithError("insert rejected");
        return;
      }
    }
    ambrix::gConexion->commitTrans();
  }
  state.SetItemsProcessed(state.iterations() * kFilas);
}
BENCHMARK(BM_InsertSalesInOneTransaction)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ReadSalesBack(benchmark::State& state) {
  Database db;
  if (!db.open()) {
    state.SkipWithError("no database");
    return;
  }
  ambrix::gConexion->beginTrans();
  for (long i = 0; i < kFilas; ++i) {
    long filas = 0;
    ambrix::gsInsertaRegistro(kCampos, "tbAT_Ventas", valores(i), filas);
  }
  ambrix::gConexion->commitTrans();
  for (auto _ : state) {
    vt::db::Recordset rs;
    ambrix::gsAbreConsulta("*", "tbAT_Ventas",
                           "Where co_empresa = '1792045185001' and co_mes = '05' and co_anio = '2013' "
                           "Order By tbAT_Ventas.id_reg",
                           rs);
    double total = 0;
    for (; !rs.eof(); rs.moveNext()) total += rs.field("mo_base").asDouble();
    benchmark::DoNotOptimize(total);
    if (rs.recordCount() != kFilas) state.SkipWithError("rows missing");
  }
  state.SetItemsProcessed(state.iterations() * kFilas);
}
BENCHMARK(BM_ReadSalesBack)->Unit(benchmark::kMillisecond)->Iterations(3);

// Rows per second of each measure, by mode: [0] each text prepared, [1] shared statements; the
// best of the repetitions, the one least disturbed by the rest of the machine.
std::map<std::string, std::array<double, 2>>& rates() {
  static std::map<std::string, std::array<double, 2>> all;
  return all;
}
void keepRate(const std::string& measure, int mode, double rate) {
  double& best = rates()[measure][static_cast<std::size_t>(mode)];
  best = std::max(best, rate);
}

// Turns the shared prepared statements on or off for one benchmark.
class Mode {
 public:
  explicit Mode(const benchmark::State& state) : shared_(state.range(0) != 0) {
    vt::db::setSqliteStatementCache(shared_);
  }
  ~Mode() { vt::db::setSqliteStatementCache(true); }
  int index() const { return shared_ ? 1 : 0; }

 private:
  bool shared_;
};

// Processor time of the process, system time included (the engine's file locks are system calls):
// on a shared machine it measures the work done, not the wait for a processor.
double cpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// A purchases row as the store writes it: every column of tbAT_Cmprs but its id, each with a value
// of its declared type (codes, amounts with and without cents, dates, a date-time).
struct PurchaseColumn {
  std::string name;
  std::string type;
};

std::vector<PurchaseColumn> purchaseColumns() {
  vt::db::Recordset rs;
  rs.open("PRAGMA table_info(tbAT_Cmprs)", ambrix::gConexion);
  std::vector<PurchaseColumn> columns;
  for (; !rs.eof(); rs.moveNext())
    if (rs.field("name").asText() != "id_reg")
      columns.push_back({rs.field("name").asText(), vt::conv::Upper(rs.field("type").asText())});
  return columns;
}

std::string purchaseValue(const PurchaseColumn& column, long row, std::size_t index) {
  const long h = row * 7919 + static_cast<long>(index) * 104729;
  const vt::conv::DateTime fecha{{2013, 5, static_cast<int>(h % 28) + 1}, 10, 0, 0};
  if (column.type.rfind("DATETIME", 0) == 0) return vt::db::sqlDate(vt::db::Engine::Access, fecha, true);
  if (column.type.rfind("DATE", 0) == 0) return vt::db::sqlDate(vt::db::Engine::Access, fecha, false);
  if (column.type.rfind("NUMERIC", 0) == 0)
    return vt::db::sqlNumber(static_cast<double>(h % 100000) / (h % 3 == 0 ? 1 : 100));
  if (column.type.rfind("INTEGER", 0) == 0) return std::to_string(2000 + h % 14);
  if (column.name == "co_empresa") return "'1792045185001'";
  if (column.name == "co_mes") return "'05'";
  if (column.name == "co_anio") return "'2013'";
  return vt::db::quoteSql(std::to_string(h % 1000000));
}

void BM_InsertPurchases(benchmark::State& state) {
  constexpr long kCompras = 20000;
  Database db;
  if (!db.open()) {
    state.SkipWithError("no database");
    return;
  }
  const Mode mode(state);
  const auto columns = purchaseColumns();
  std::string campos = "(";
  for (const auto& c : columns) campos += (campos.size() > 1 ? ", " : "") + c.name;
  campos += ")";
  for (auto _ : state) {
    // The texts are built outside the timing: only the engine's part is measured.
    state.PauseTiming();
    std::vector<std::string> filas;
    filas.reserve(kCompras);
    for (long i = 0; i < kCompras; ++i) {
      std::string valores = "(";
      for (std::size_t k = 0; k < columns.size(); ++k)
        valores += (k ? ", " : "") + purchaseValue(columns[k], i, k);
      filas.push_back(valores + ")");
    }
    state.ResumeTiming();
    const double start = cpuSeconds();
    ambrix::gConexion->beginTrans();
    for (const auto& valores : filas) {
      long filas_insertadas = 0;
      ambrix::gsInsertaRegistro(campos, "tbAT_Cmprs", valores, filas_insertadas);
      if (filas_insertadas != 1) {
        ambrix::gConexion->rollbackTrans();
        state.SkipWithError("insert rejected");
        return;
      }
    }
    ambrix::gConexion->commitTrans();
    keepRate("insert tbAT_Cmprs (75 columns)", mode.index(), kCompras / (cpuSeconds() - start));
  }
  state.SetItemsProcessed(state.iterations() * kCompras);
}
BENCHMARK(BM_InsertPurchases)->ArgName("compartida")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// A lookup on its own opens and closes a read transaction of the file (its locks are system calls
// that no preparing saves); inside the store's transaction it does not.
void BM_CatalogueLookup(benchmark::State& state) {
  constexpr long kConsultas = 100000;
  Database db;
  if (!db.open()) {
    state.SkipWithError("no database");
    return;
  }
  const Mode mode(state);
  const bool enTransaccion = state.range(1) != 0;
  const char* codigos[] = {"01", "02", "03", "04", "05", "07", "99", "XX"};
  for (auto _ : state) {
    const double start = cpuSeconds();
    if (enTransaccion) ambrix::gConexion->beginTrans();
    long hallados = 0;
    for (long i = 0; i < kConsultas; ++i) {
      vt::db::Recordset rs;
      ambrix::gsAbreConsulta("*", "tbcttgComprob", std::string("Where co_comprob = '") + codigos[i % 8] + "'", rs);
      if (!rs.eof()) ++hallados;
    }
    if (enTransaccion) ambrix::gConexion->commitTrans();
    benchmark::DoNotOptimize(hallados);
    keepRate(enTransaccion ? "catalogue lookup, in a transaction" : "catalogue lookup", mode.index(),
             kConsultas / (cpuSeconds() - start));
  }
  state.SetItemsProcessed(state.iterations() * kConsultas);
}
BENCHMARK(BM_CatalogueLookup)
    ->ArgNames({"compartida", "transaccion"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!rates().empty())
    std::printf("\nStatements per second of processor time: each text prepared -> shared prepared statements\n");
  for (const auto& [name, rate] : rates())
    if (rate[0] > 0 && rate[1] > 0)
      std::printf("  %-34s %10.0f -> %10.0f  (%.1fx)\n", name.c_str(), rate[0], rate[1], rate[1] / rate[0]);
  return 0;
}
