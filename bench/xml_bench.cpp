// Writing the annex XML of 100,000 purchase rows (each purchase with one withholding row joined
// to it): rows per second and peak memory of the whole writer run, query to saved and checked
// file; and the check of that file against the authority's schema alone. The rows
// are put into a copy of the fixture database once; each run happens in a forked child so that
// its peak resident size is its own.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/copia_base.hpp"
#include "bench/en_hijo.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/mensajes_grabados.hpp"
#include "platform/profile/configuracion.hpp"
#include "shell/core/conexion.hpp"
#include "shell/core/globals.hpp"
#include "xml/esquema.hpp"
#include "xml/genera_xml.hpp"

namespace {

namespace fs = std::filesystem;

constexpr long kCompras = 100000;

// The window as the writer sees it, doing nothing.
class Barra : public ambrix::IBarraProgreso {
 public:
  void Visible(bool) override {}
  void Min(long v) override { min_ = v; }
  void Max(long v) override { max_ = v; }
  void Value(long v) override { value_ = v; }
  long Min() const override { return min_; }
  long Max() const override { return max_; }
  long Value() const override { return value_; }

 private:
  long min_ = 0, max_ = 0, value_ = 0;
};

class Ventana : public ambrix::IVentanaATS {
 public:
  explicit Ventana(std::string carpeta) : carpeta_(std::move(carpeta)) {}
  ambrix::IBarraProgreso& prgprogreso() override { return barra_; }
  void XPStatusBar_Panel1(const std::string&) override {}
  void lblTotReg_Caption(const std::string&) override {}
  void lblTotReg_Visible(bool) override {}
  void cmdCancel_Enabled(bool) override {}
  int cmbTipo_file_ListIndex() const override { return 0; }
  std::string txtPath() const override { return carpeta_; }
  std::string txtFileATS_XML() const override { return "AT052013.XML"; }
  void txtFileATS_XML(const std::string&) override {}
  void PunteroEspera(bool) override {}
  void FocoTipoArchivo() override {}
  void DoEvents() override {}
  void Refrescar() override {}
  void AbrirVisorErrores(const std::string&, const std::string&) override {}

 private:
  std::string carpeta_;
  Barra barra_;
};

// The key columns a withholding row repeats from its purchase.
constexpr const char* kClave = "co_empresa, co_mes, co_anio, co_provee, co_comprob, co_credito, nu_serie, nu_secu, nu_autoriza";

const char* kCompraSql =
    "INSERT INTO tbAT_Cmprs (co_empresa, co_mes, co_anio, co_provee, co_comprob, co_credito, nu_serie, nu_secu, "
    "nu_autoriza, fe_emision, fe_conta, co_tipoID, mo_base_NoIva, mo_base_0, mo_base, mo_iva, mo_ret_1, mo_ret_2, "
    "mo_ICEmonto, nu_CRserie, nu_CRsecu, nu_CRautoriza, fe_CRemision, co_Pago_Tipo, co_FormaPago, st_regis) "
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
    "SELECT '1792045185001', '05', '2013', printf('%013d', 1790000000001 + i % 5000), '01', '01', '001002', "
    "printf('%09d', i), '1112223334445556667778889990001112223', '2013-05-14', '2013-05-15', '01', 0, "
    "(i % 7) * 10.25, 100 + (i % 1000), round((100 + (i % 1000)) * 0.12, 2), 0, 0, 0, '001001', "
    "printf('%09d', i), '1234567890', '2013-05-16', 'L', '01-20', 'A' FROM n";

std::string retencionSql() {
  return std::string("INSERT INTO tbAT_Cmprs_IR (") + kClave +
         ", co_IRcodigo, mo_IRbase, va_IRporc, mo_IRmonto) SELECT " + kClave +
         ", '312', mo_base, 1, round(mo_base * 0.01, 2) FROM tbAT_Cmprs";
}

// The database with the purchases, made once for the whole benchmark.
class Datos {
 public:
  Datos() {
    ambrix::gsConectaBD();
    ambrix::gConexion->execute(kCompraSql);
    ambrix::gConexion->execute(retencionSql());
    ambrix::gsCierraBD();
  }
  const fs::path& carpeta() const { return copia_.carpeta(); }

 private:
  bench::CopiaBase copia_{"xml-bench"};
};

struct Resultado {
  bool guardado = false;
  long peakKiB = 0;
  double segundos = 0;
  long long bytes = 0;
};

// One writer run in a child process: connect, write, close.
Resultado runInChild(const Datos& datos) {
  return bench::enHijo([&datos] {
    vt::MensajesGrabados boxes;
    vt::setProcessMessages(&boxes);
    Ventana ventana(datos.carpeta().string());
    ambrix::ParamGeneraXML p;
    p.frm = &ventana;
    p.prgprogreso = &ventana.prgprogreso();
    p.sRuc = "1792045185001";
    p.sMes = "5";
    p.sAnio = "2013";
    p.aSecciones = {"1", "0", "0", "0"};
    Resultado r;
    const auto start = std::chrono::steady_clock::now();
    ambrix::gsConectaBD();
    ambrix::GeneradorXML generador;
    r.guardado = generador.GeneraXML_ATS(p);
    ambrix::gsCierraBD();
    r.segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    r.peakKiB = bench::peakKiB();
    r.bytes = static_cast<long long>(fs::file_size(datos.carpeta() / "AT052013.XML"));
    return r;
  });
}

void BM_WritePurchasesXml(benchmark::State& state) {
  static const Datos datos;
  Resultado last;
  for (auto _ : state) {
    last = runInChild(datos);
    state.SetIterationTime(last.segundos);
  }
  if (!last.guardado) state.SkipWithError("the file was not written");
  state.counters["rows"] = static_cast<double>(kCompras);
  state.counters["rows_per_s"] =
      benchmark::Counter(static_cast<double>(kCompras) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
  state.counters["peak_MiB"] = static_cast<double>(last.peakKiB) / 1024.0;
  state.counters["file_MiB"] = static_cast<double>(last.bytes) / (1 << 20);
}
BENCHMARK(BM_WritePurchasesXml)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

struct Revision {
  bool cumple = false;
  long peakKiB = 0;
  double segundos = 0;
};

// The file the writer saved, read as a stream against the schema, in a child of its own.
void BM_CheckSchema(benchmark::State& state) {
  static const Datos datos;
  if (!runInChild(datos).guardado) {
    state.SkipWithError("the file was not written");
    return;
  }
  const std::string archivo = (datos.carpeta() / "AT052013.XML").string();
  Revision last;
  for (auto _ : state) {
    last = bench::enHijo([&archivo] {
      Revision r;
      const auto start = std::chrono::steady_clock::now();
      r.cumple = ambrix::xml::revisaEsquema(archivo, ambrix::xml::rutaEsquemaATS()).bCumple;
      r.segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      r.peakKiB = bench::peakKiB();
      return r;
    });
    state.SetIterationTime(last.segundos);
  }
  if (!last.cumple) state.SkipWithError("the schema refused the file");
  state.counters["file_MiB"] = static_cast<double>(fs::file_size(archivo)) / (1 << 20);
  state.counters["peak_MiB"] = static_cast<double>(last.peakKiB) / 1024.0;
}
BENCHMARK(BM_CheckSchema)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
