// The stores of the import on the file engine: 100,000 generated rows of a sheet, in the normal
// form its validator leaves, stored through the sheet routine's store mode into a copy of the
// fixture database. Each store runs in a forked child, so that its peak resident size is its own;
// the rows per second are the child's.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "bench/copia_base.hpp"
#include "bench/en_hijo.hpp"
#include "import/info_file.hpp"
#include "import/rutinas_hoja.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/mensajes_grabados.hpp"
#include "shell/core/conexion.hpp"
#include "shell/core/globals.hpp"

namespace {

constexpr long kFilas = 100000;

// The window of a store: it shows nothing.
class BarraMuda : public ambrix::IBarraProgreso {
 public:
  void Visible(bool) override {}
  void Min(long) override {}
  void Max(long v) override { max_ = v; }
  void Value(long v) override { value_ = v; }
  long Min() const override { return 0; }
  long Max() const override { return max_; }
  long Value() const override { return value_; }

 private:
  long max_ = 100, value_ = 0;
};

class VentanaMuda : public ambrix::IVentanaATS {
 public:
  ambrix::IBarraProgreso& prgprogreso() override { return barra; }
  void XPStatusBar_Panel1(const std::string&) override {}
  void lblTotReg_Caption(const std::string&) override {}
  void lblTotReg_Visible(bool) override {}
  void cmdCancel_Enabled(bool) override {}
  int cmbTipo_file_ListIndex() const override { return 1; }
  std::string txtPath() const override { return ""; }
  std::string txtFileATS_XML() const override { return ""; }
  void txtFileATS_XML(const std::string&) override {}
  void PunteroEspera(bool) override {}
  void FocoTipoArchivo() override {}
  void DoEvents() override {}
  void Refrescar() override {}
  void AbrirVisorErrores(const std::string&, const std::string&) override {}
  BarraMuda barra;
};

// A copy of the fixture database for one store, with its user, station and error log.
class Database {
 public:
  Database() {
    copia_.contexto().gsUsuario = "bench";
    copia_.contexto().gsEstacion = "BENCH";
    ambrix::gsRutaLog = (copia_.carpeta() / "log.txt").string();
  }

 private:
  bench::CopiaBase copia_{"store-bench"};
};

struct Medida {
  bool ok = false;
  double segundos = 0;
  long peakKiB = 0;
};

// Runs `almacena` in a child; it answers whether the store ended "OK".
Medida midiendo(const std::function<bool()>& almacena) {
  return bench::enHijo([&] {
    const auto inicio = std::chrono::steady_clock::now();
    Medida m;
    m.ok = almacena();
    m.segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    m.peakKiB = bench::peakKiB();
    return m;
  });
}

void informa(benchmark::State& state, const Medida& m) {
  if (!m.ok) {
    state.SkipWithError("the store did not end OK");
    return;
  }
  state.SetIterationTime(m.segundos);
  state.counters["rows_per_s"] = static_cast<double>(kFilas) / m.segundos;
  state.counters["peak_MiB"] = static_cast<double>(m.peakKiB) / 1024.0;
}

// Runs the store `almacena` on a fresh copy of the database in a child, connected as the driver
// connects it, and reports it.
void mide(benchmark::State& state, const std::function<std::string(VentanaMuda&)>& almacena) {
  for (auto _ : state) {
    Database db;
    informa(state, midiendo([&almacena] {
              vt::MensajesGrabados cajas;
              vt::ScopedThreadMessages guard(cajas);
              VentanaMuda frm;
              ambrix::gsConectaBD();
              const std::string estado = almacena(frm);
              ambrix::gsCierraBD();
              return estado == "OK";
            }));
  }
}

// Cancelled-documents rows of May 2013 as the validator rewrites them.
ambrix::InfoFile hojaAnulados() {
  auto h = std::make_shared<vt::automation::StringMatrix>(0, kFilas, 0, 9);
  for (long r = 1; r <= kFilas; ++r) {
    const std::string secuencia = std::to_string(1000000 + r * 3);
    const std::string cells[] = {"1792045185001",
                                 "05",
                                 "2013",
                                 r % 5 ? "01" : "04",
                                 "001002",
                                 secuencia,
                                 secuencia,
                                 r % 7 ? "1112223334" : std::string(37, '1'),
                                 std::to_string(10 + r % 19) + "/05/2013"};
    for (long c = 0; c < 9; ++c) h->set(r, c, cells[c]);
  }
  return h;
}

void BM_StoreCancelledDocuments(benchmark::State& state) {
  mide(state, [](VentanaMuda& frm) {
    ambrix::gaInfoAnulados = hojaAnulados();
    std::int16_t ti = 2, cabecera = 1;
    std::string empresa = "1792045185001", mes = "5", anio = "2013", separador = ";";
    long bandera = 1;
    return ambrix::gfImportaAnulados(frm, ti, empresa, mes, anio, bandera, separador, cabecera, frm.barra);
  });
}
BENCHMARK(BM_StoreCancelledDocuments)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

// Purchases of May 2013 as the validator rewrites them: plain purchases with one to three coded
// withholding blocks and a payment form, and reimbursement vouchers (type 41) of three rows.
ambrix::InfoFile hojaCompras() {
  auto h = std::make_shared<vt::automation::StringMatrix>(0, kFilas, 0, 67);
  for (long r = 1; r <= kFilas; ++r) {
    const bool reembolso = r % 10 >= 7;  // rows 7, 8, 9 of every ten make one voucher
    const long documento = reembolso ? r - r % 10 + 7 : r;
    auto set = [&](long c, std::string v) { h->set(r, c, std::move(v)); };
    set(0, "1792045185001");
    set(1, "05");
    set(2, "2013");
    set(3, "10/05/2013");
    set(4, "15/05/2013");
    set(5, r % 3 ? "R" : "C");
    set(6, r % 3 ? "1791234561001" : "1712345675");
    set(9, "NO");
    set(10, "01");
    set(11, reembolso ? "41" : "01");
    set(12, "001001");
    set(13, std::to_string(documento));
    set(14, "1234567890");
    for (long c : {15L, 16L, 19L, 20L, 21L, 22L, 46L}) set(c, "0.00");
    set(17, "100.00");
    set(18, "12.00");
    set(23, "L");
    set(24, "0");
    set(25, "NO");
    set(26, "NO");
    set(32, r % 2 ? "1" : "1-20");
    for (long b = 0; b < 1 + r % 3; ++b) {
      set(33 + 4 * b, b == 0 ? "312" : b == 1 ? "332" : "340");
      set(34 + 4 * b, "100.00");
      set(35 + 4 * b, "1.00");
      set(36 + 4 * b, "1.00");
    }
    set(45, "01/01/2000");
    set(47, "0");
    set(48, "001001");
    set(49, std::to_string(r));
    set(50, "1234567891");
    set(51, "15/05/2013");
    set(52, reembolso ? "R" : "0");
    set(53, reembolso ? "1790012345001" : "0");
    set(55, reembolso ? "01" : "0");
    set(56, reembolso ? "02/05/2013" : "01/01/2000");
    set(57, reembolso ? "002001" : "0");
    set(58, reembolso ? std::to_string(r) : "0");
    set(59, reembolso ? "1112223334" : "0");
    for (long c = 60; c <= 64; ++c) set(c, reembolso && c == 62 ? "10.00" : "0");
  }
  return h;
}

void BM_StorePurchases(benchmark::State& state) {
  mide(state, [](VentanaMuda& frm) {
    ambrix::gaInfoCompras = hojaCompras();
    std::int16_t ti = 2, cabecera = 1, nivel = 0;
    std::string empresa = "1792045185001", mes = "5", anio = "2013";
    double tolerancia = 0;
    return ambrix::gfImportaCompras(frm, ti, empresa, mes, anio, cabecera, tolerancia, nivel, frm.barra);
  });
}
BENCHMARK(BM_StorePurchases)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

// Exports of May 2013 as the validator rewrites them: two goods exports with their referendum for
// every service (its customs cells "0"), a FUE only on some goods.
ambrix::InfoFile hojaExportaciones() {
  auto h = std::make_shared<vt::automation::StringMatrix>(0, kFilas, 0, 23);
  for (long r = 1; r <= kFilas; ++r) {
    const bool bienes = r % 3 != 0;
    const std::string dia = std::to_string(10 + r % 19) + "/05/2013";
    const std::string aduana = bienes ? std::to_string(r % 1000000) : "0";
    const std::string cells[] = {"1792045185001",
                                 "05",
                                 "2013",
                                 "",
                                 bienes ? "B" : "S",
                                 "01",
                                 dia,
                                 bienes ? "28" : "0",
                                 bienes ? (r % 2 ? "2013" : "0") : "0",
                                 bienes ? "40" : "0",
                                 aduana,
                                 bienes ? std::to_string(r % 10) : "0",
                                 bienes ? "CEC" + aduana : "0",
                                 r % 5 ? "0000000000000" : "1234567890123",
                                 std::to_string(100 + r % 9000) + ".50",
                                 std::to_string(100 + r % 9000) + ".50",
                                 dia,
                                 "001001",
                                 std::to_string(1000000 + r),
                                 r % 7 ? "1112223334" : std::string(37, '1')};
    for (long c = 0; c < 20; ++c) h->set(r, c, cells[c]);
  }
  return h;
}

void BM_StoreExports(benchmark::State& state) {
  mide(state, [](VentanaMuda& frm) {
    ambrix::gaInfoExportaciones = hojaExportaciones();
    std::int16_t ti = 2, cabecera = 1;
    std::string empresa = "1792045185001", mes = "5", anio = "2013";
    double tolerancia = 0;
    return ambrix::gfImportaExportaciones(frm, ti, empresa, mes, anio, cabecera, tolerancia, frm.barra);
  });
}
BENCHMARK(BM_StoreExports)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

// Sales of May 2013 as the validator rewrites them: 1,000 clients of each identification type,
// invoices and some credit notes, so that the accumulation makes one total of many rows.
ambrix::InfoFile hojaVentas() {
  auto h = std::make_shared<vt::automation::StringMatrix>(0, kFilas, 0, 22);
  for (long r = 1; r <= kFilas; ++r) {
    const bool cedula = r % 4 == 0;
    const std::string cliente = std::to_string(1000 + r % 1000);
    const std::string cells[] = {"1792045185001",
                                 "05",
                                 "2013",
                                 cedula ? "C" : "R",
                                 cedula ? "000171234" + cliente : "179123" + cliente + "001",
                                 "CLIENTE " + cliente,
                                 std::to_string(1 + r % 3),
                                 r % 10 ? "18" : "04",
                                 std::to_string(1 + r % 5),
                                 "0.00",
                                 std::to_string(r % 50) + ".00",
                                 std::to_string(100 + r % 900) + ".00",
                                 "12.00",
                                 "0.00",
                                 r % 3 ? "0.00" : "1.00",
                                 "31/05/2013",
                                 "001001",
                                 std::to_string(r),
                                 "1234567890"};
    for (long c = 0; c < 19; ++c) h->set(r, c, cells[c]);
  }
  return h;
}

void BM_StoreSalesInDetail(benchmark::State& state) {
  mide(state, [](VentanaMuda& frm) {
    ambrix::gaInfoVentas = hojaVentas();
    ambrix::gParametrosEmpresa.gsPorcIVA = "12";
    std::int16_t ti = 2, cabecera = 1;
    std::string empresa = "1792045185001", mes = "5", anio = "2013";
    long bandera = 1;
    double tolerancia = 0;
    std::array<std::int16_t, 4> opciones = {1, 0, 0, 0};
    return ambrix::gfImportaVentas(frm, ti, empresa, mes, anio, bandera, cabecera, tolerancia, frm.barra,
                                   opciones);
  });
}
BENCHMARK(BM_StoreSalesInDetail)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

void BM_StoreSalesAccumulated(benchmark::State& state) {
  mide(state, [](VentanaMuda& frm) {
    ambrix::gaInfoVentas = hojaVentas();
    ambrix::gParametrosEmpresa.gsPorcIVA = "12";
    std::int16_t cabecera = 1;
    std::string empresa = "1792045185001", mes = "5", anio = "2013";
    long bandera = 1;
    std::array<std::int16_t, 4> opciones = {2, 0, 0, 0};
    return ambrix::gfAcumulaVentas(frm, empresa, mes, anio, bandera, cabecera, frm.barra, opciones);
  });
}
BENCHMARK(BM_StoreSalesAccumulated)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace
