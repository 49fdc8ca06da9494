// The program's statements on the file engine: 100,000 sales rows inserted through
// gsInsertaRegistro inside one transaction, then read back through gsAbreConsulta.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/database/sql_text.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/mensajes_grabados.hpp"
#include "platform/profile/configuracion.hpp"
#include "shell/core/conexion.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/sentencias.hpp"

namespace {

namespace fs = std::filesystem;

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
  Database() {
    std::string pattern = (fs::temp_directory_path() / "shellcore-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    folder_ = pattern;
    fs::copy_file(VT_FIXTURE_DB, folder_ / "GLOBAL.MDB");
    auto& s = ctx_.sistema;
    s.gsMotorBD = "ACCESS";
    s.gsPathDB = folder_.string() + "/";
    s.gsNombreBD = "GLOBAL.MDB";
    s.gsFechaCorta = "dd/MM/yyyy";
    s.giTimeoutBD = 90;
    previous_ = vt::setThreadConfiguration(&ctx_);
    ambrix::gsConectaBD();
  }
  ~Database() {
    ambrix::gsCierraBD();
    ambrix::gConexion = vt::db::Connection::create();
    vt::setThreadConfiguration(previous_);
    fs::remove_all(folder_);
  }
  bool open() const { return ambrix::gConexion->state() == vt::db::State::Open; }

 private:
  fs::path folder_;
  vt::ContextoConfiguracion ctx_;
  vt::ContextoConfiguracion* previous_ = nullptr;
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

}  // namespace
