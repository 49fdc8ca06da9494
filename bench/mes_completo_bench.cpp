// The main job of a whole month through the batch program, one sheet at a time: generated rows of
// May 2013 that all pass (bench/filas_mes.hpp) written as an .xlsx workbook, then
// `ambrix-batch --state` loads and validates them, stores them over the period in a copy of the
// fixture database and writes the annex. The job is timed whole, in a child whose peak resident
// size is read when it ends, beside its floor: `unzip -p` of the sheet part plus `sqlite3
// :memory:` importing the same rows from CSV, the least that any reader and store of the month
// must do. Counters: `x_floor` (job over floor), `peak_MiB`, `rows_per_s`. MES_BENCH_BUILD names
// another build folder whose batch program and registry to run instead (to pair two builds).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "bench/filas_mes.hpp"
#include "platform/conversions/conversions.hpp"
#include "tests/workbook/support/xlsx_builder.hpp"

namespace {

namespace fs = std::filesystem;

// One kind of month: the sheet, its generator and the choices of the window that store it.
struct Clase {
  const char* nombre;
  int hoja;       // index of chkInfo / txtfile: 0 purchases, 1 sales, 2 cancelled, 3 exports
  int columnas;   // as wide as the workbook the program reads
  void (*fila)(vt::automation::StringMatrix&, long, bool);
  const char* opciones;  // further lines of the state file
};

const Clase kClases[] = {
    {"compras", 0, 68, bench::filaCompra, ""},
    {"ventas en detalle", 1, 23, bench::filaVenta, "optTipoVentas=0\n"},
    {"ventas acumuladas", 1, 23, bench::filaVenta, "optTipoVentas=1\n"},
    {"anulados", 2, 10, bench::filaAnulado, ""},
    {"exportaciones", 3, 24, bench::filaExportacion, ""},
};

const fs::path& carpeta() {
  static const fs::path dir = [] {
    std::string pattern = (fs::temp_directory_path() / "vt-mes-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(carpeta(), ignored);
    });
    return fs::path(pattern);
  }();
  return dir;
}

// Days from 1970-01-01 to a day of the proleptic Gregorian calendar.
long diasCiviles(long y, long m, long d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

// A date cell "dd/mm/yyyy" as the serial number a spreadsheet stores; none for any other text.
std::optional<long> serial(const std::string& texto) {
  const auto fecha = vt::conv::ParseDateByPattern(texto, "dd/mm/yyyy");
  if (!fecha || texto.size() != 10) return std::nullopt;
  return diasCiviles(fecha->year, fecha->month, fecha->day) - diasCiviles(1899, 12, 30);
}

// A cell a spreadsheet keeps as a number: a plain number without leading zeros, short enough to
// survive a double (RUCs and authorisations that start with 0 stay text, as a user keeps them).
bool esNumero(const std::string& texto) {
  if (texto.empty() || texto.size() > 15 || !vt::conv::IsNumericText(texto)) return false;
  return texto[0] != '0' || texto == "0" || texto.rfind("0.", 0) == 0;
}

std::string csvCampo(const std::string& texto) {
  std::string out = "\"";
  for (char c : texto) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

// The workbook and the CSV of the same rows, written once per kind and size (in a child, so that
// the benchmark's own memory stays small).
struct Archivos {
  fs::path libro, csv;
};

Archivos archivos(const Clase& clase, long filas) {
  const std::string base = (carpeta() / (std::to_string(clase.hoja) + "-" + std::to_string(filas))).string();
  const Archivos a{base + ".xlsx", base + ".csv"};
  if (fs::exists(a.libro)) return a;
  const pid_t hijo = fork();
  if (hijo == 0) {
    vt::automation::StringMatrix hoja(0, filas, 0, clase.columnas - 1);
    for (long r = 1; r <= filas; ++r) clase.fila(hoja, r, false);
    std::map<std::string, int> compartidas;
    std::vector<std::string> items;
    const auto indice = [&](const std::string& t) {
      auto [it, nueva] = compartidas.emplace(t, static_cast<int>(items.size()));
      if (nueva) items.push_back("<t>" + vt::testing::xmlEscape(t) + "</t>");
      return it->second;
    };
    const std::string parte = base + ".sheet1.xml";
    std::ofstream xml(parte, std::ios::binary), csv(a.csv, std::ios::binary);
    xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<worksheet xmlns=\"http://schemas.openxmlformats.org/"
           "spreadsheetml/2006/main\"><sheetData>";
    for (long r = 0; r <= filas; ++r) {
      xml << "<row r=\"" << r + 1 << "\">";
      for (int c = 0; c < clase.columnas; ++c) {
        const std::string ref = vt::testing::columnLetters(c) + std::to_string(r + 1);
        const std::string texto = r == 0 ? "COL" + std::to_string(c + 1) : std::string(hoja.get(r, c));
        csv << (c ? "," : "") << csvCampo(texto);
        if (texto.empty()) continue;
        if (r > 0 && serial(texto)) {
          xml << "<c r=\"" << ref << "\" s=\"1\"><v>" << *serial(texto) << "</v></c>";
        } else if (r > 0 && esNumero(texto)) {
          xml << "<c r=\"" << ref << "\"><v>" << texto << "</v></c>";
        } else {
          xml << "<c r=\"" << ref << "\" t=\"s\"><v>" << indice(texto) << "</v></c>";
        }
      }
      xml << "</row>";
      csv << "\n";
    }
    xml << "</sheetData></worksheet>";
    xml.close();
    csv.close();
    vt::testing::XlsxSpec spec;
    spec.sharedItems = items;
    spec.cellXfFormats = {0, 14};
    vt::testing::writeXlsxWithSheetFile(a.libro.string(), spec, parte);
    fs::remove(parte);
    _exit(0);
  }
  int estado = 0;
  waitpid(hijo, &estado, 0);
  return a;
}

double segundosDesde(std::chrono::steady_clock::time_point inicio) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
}

// The best of two runs of a shell command; 0 when it fails.
double mejorDeDos(const std::string& comando) {
  double mejor = 0;
  for (int vuelta = 0; vuelta < 2; ++vuelta) {
    const auto inicio = std::chrono::steady_clock::now();
    if (std::system(comando.c_str()) != 0) return 0;
    const double t = segundosDesde(inicio);
    mejor = vuelta == 0 ? t : std::min(mejor, t);
  }
  return mejor;
}

// Inflating the sheet part, and importing the same rows into a table of an in-memory database.
double piso(const Archivos& a) {
  const double unzip = mejorDeDos("unzip -p '" + a.libro.string() + "' xl/worksheets/sheet1.xml > /dev/null");
  const double sqlite = mejorDeDos("sqlite3 :memory: '.import --csv " + a.csv.string() + " t' > /dev/null");
  return unzip > 0 && sqlite > 0 ? unzip + sqlite : 0;
}

struct Corrida {
  double segundos = 0;
  long peakKiB = 0;
  bool ok = false;
  std::string final;  // the transcript's last lines, when the job did not end well
};

// A fresh run folder as the end-to-end cases lay it out, and the job run in it by the batch
// program, its peak resident size read from the child's resource usage.
Corrida corre(const Clase& clase, const Archivos& a) {
  const fs::path dir = carpeta() / "corrida";
  fs::remove_all(dir);
  for (const char* sub : {"config", "db", "log", "xml"}) fs::create_directories(dir / sub);
  fs::copy_file(VT_E2E_CONFIG "/TAXCONFIG.INI", dir / "config" / "TAXCONFIG.INI");
  fs::copy_file(VT_E2E_CONFIG "/win.ini", dir / "config" / "win.ini");
  fs::copy_file(VT_FIXTURE_DB, dir / "db" / "GLOBAL.MDB");
  fs::copy_file(a.libro, dir / "hoja.xlsx");
  std::ofstream(dir / "state.ini") << "[frm_ATS_SubirExcel]\ncmbEmpresas=1792045185001\ncmbMeses=5\ncmbanios=2013\n"
                                      "chkValidaFile=1\ncmbTipo_file=0\n"
                                   << "chkInfo(" << clase.hoja << ")=1\ntxtfile(" << clase.hoja
                                   << ")=hoja.xlsx\n"
                                   << clase.opciones << "chkXML=1\ntxtPath=xml/\n";
  const fs::path transcript = dir / "transcript.txt";

  Corrida c;
  const auto inicio = std::chrono::steady_clock::now();
  const pid_t hijo = fork();
  if (hijo == 0) {
    if (chdir(dir.c_str()) != 0) _exit(127);
    const int out = open(transcript.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, 1);
    dup2(out, 2);
    const char* otra = std::getenv("MES_BENCH_BUILD");
    const std::string build = otra ? otra : VT_BINARY_DIR;
    const std::string programa = otra ? build + "/bin/ambrix-batch" : AMBRIX_BATCH;
    setenv("AMBRIX_WIN_INI", "config/win.ini", 1);
    setenv("VALTRONE_REGISTRY", (build + "/automation.reg").c_str(), 1);
    unsetenv("VALTRONE_CONFIG_DIR");
    execl(programa.c_str(), programa.c_str(), "--config-dir", "config", "--state", "state.ini",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  int estado = 0;
  rusage uso{};
  wait4(hijo, &estado, 0, &uso);
  c.segundos = segundosDesde(inicio);
  c.peakKiB = uso.ru_maxrss;
  std::ifstream in(transcript);
  std::stringstream texto;
  texto << in.rdbuf();
  const std::string t = texto.str();
  c.ok = WIFEXITED(estado) && WEXITSTATUS(estado) == 0 &&
         t.find("Proceso de validacion terminado OK.") != std::string::npos &&
         t.find("generado con éxito") != std::string::npos;
  if (!c.ok) c.final = t.substr(t.size() > 600 ? t.size() - 600 : 0);
  return c;
}

void BM_MesCompleto(benchmark::State& state) {
  const Clase& clase = kClases[state.range(0)];
  const long filas = state.range(1);
  const Archivos a = archivos(clase, filas);
  const double suelo = piso(a);
  Corrida ultima;
  for (auto _ : state) {
    ultima = corre(clase, a);
    state.SetIterationTime(ultima.segundos);
  }
  state.SetLabel(clase.nombre);
  if (!ultima.ok) {
    state.SkipWithError(("the job did not end well: ..." + ultima.final).c_str());
    return;
  }
  state.counters["rows"] = static_cast<double>(filas);
  state.counters["rows_per_s"] = static_cast<double>(filas) / ultima.segundos;
  state.counters["peak_MiB"] = static_cast<double>(ultima.peakKiB) / 1024.0;
  state.counters["floor_s"] = suelo;
  if (suelo > 0) state.counters["x_floor"] = ultima.segundos / suelo;
}

BENCHMARK(BM_MesCompleto)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {10000, 100000}})
    ->Args({0, 400000})  // the largest month the purchases must still do in under 1 GiB
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
