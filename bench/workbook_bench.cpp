// Loading a purchases sheet (68 columns) from .xlsx (shared or inline strings), .xls and delimited
// text: load time, rows per second and peak memory. Files are generated once, in a child process,
// before any timing; each load runs in a forked child so that its peak resident size is its own.
// For .xlsx, `x_unzip` is the load time over the time `unzip -p` takes to unpack the sheet part
// alone (the goal: at most 2), and `peak_MiB` the load's peak resident size (the goal: under 300).

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "bench/en_hijo.hpp"
#include "import/carga_archivo.hpp"
#include "platform/conversions/conversions.hpp"
#include "tests/workbook/support/xls_builder.hpp"
#include "tests/workbook/support/xlsx_builder.hpp"

namespace {

constexpr int kColumns = 68;
constexpr int kXlsMaxDataRows = 65535;  // the format's 65,536 rows, less the header

enum Kind { kXlsx, kXls, kCsv, kXlsxInline };

// One cell of the generated sheet: what a purchases row holds, column by column.
struct Value {
  enum { Text, Number, Date, Empty } type;
  std::string text;
  double number = 0;
};

const std::vector<std::string>& names() {
  static const std::vector<std::string> pool = [] {
    std::vector<std::string> n;
    for (int i = 0; i < 400; ++i) n.push_back("PROVEEDOR " + std::to_string(i) + " CIA. LTDA.");
    return n;
  }();
  return pool;
}

Value valueAt(int row, int col) {
  const unsigned h = static_cast<unsigned>(row) * 2654435761u + static_cast<unsigned>(col) * 40503u;
  switch (col) {
    case 0:
      return {Value::Text, "01", 0};
    case 1:
      return {Value::Text, "01", 0};
    case 2:
      return {Value::Text, std::to_string(1790000000001ull + h % 900000), 0};
    case 3:
      return {Value::Number, "", static_cast<double>(1 + h % 5)};
    case 4:
    case 8:
    case 15:
      return {Value::Date, "", 41395.0 + h % 30};
    case 5:
    case 6:
      return {Value::Text, "001", 0};
    case 7:
      return {Value::Number, "", static_cast<double>(h % 999999)};
    case 9:
      return {Value::Text, std::to_string(1110000000 + h % 88888888), 0};
    case 16:
      return {Value::Text, names()[h % names().size()], 0};
    default:
      if (col < 30) return {Value::Number, "", static_cast<double>(h % 1000000) / 100.0};
      if (col % 3 == 0) return {Value::Empty, "", 0};
      return {Value::Number, "", static_cast<double>(h % 4)};
  }
}

std::string header(int col) { return "COL" + std::to_string(col); }

void writeXlsx(const std::string& path, int rows, const std::string& scratch, bool inlineStrings) {
  std::map<std::string, int> shared;
  std::vector<std::string> sharedItems;
  auto index = [&](const std::string& t) {
    auto [it, added] = shared.emplace(t, static_cast<int>(sharedItems.size()));
    if (added) sharedItems.push_back("<t>" + vt::testing::xmlEscape(t) + "</t>");
    return it->second;
  };
  // The sheet part is written to a file first: it is far larger than the rest.
  const std::string sheetFile = scratch + "/sheet1.xml";
  {
    std::ofstream out(sheetFile, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<worksheet xmlns=\"http://schemas.openxmlformats.org/"
           "spreadsheetml/2006/main\"><sheetData>";
    for (int r = 0; r <= rows; ++r) {
      out << "<row r=\"" << r + 1 << "\">";
      for (int c = 0; c < kColumns; ++c) {
        const std::string ref = vt::testing::columnLetters(c) + std::to_string(r + 1);
        if (r == 0) {
          out << "<c r=\"" << ref << "\" t=\"s\"><v>" << index(header(c)) << "</v></c>";
          continue;
        }
        const Value v = valueAt(r, c);
        if (v.type == Value::Text && inlineStrings) {
          out << "<c r=\"" << ref << "\" t=\"inlineStr\"><is><t>" << vt::testing::xmlEscape(v.text) << "</t></is></c>";
        } else if (v.type == Value::Text) {
          out << "<c r=\"" << ref << "\" t=\"s\"><v>" << index(v.text) << "</v></c>";
        } else if (v.type == Value::Number) {
          out << "<c r=\"" << ref << "\" s=\"2\"><v>" << vt::conv::VbStr(v.number) << "</v></c>";
        } else if (v.type == Value::Date) {
          out << "<c r=\"" << ref << "\" s=\"1\"><v>" << vt::conv::VbStr(v.number) << "</v></c>";
        }
      }
      out << "</row>";
    }
    out << "</sheetData></worksheet>";
  }
  vt::testing::XlsxSpec spec;
  spec.sharedItems = sharedItems;
  spec.cellXfFormats = {0, 14, 4};
  vt::testing::writeXlsxWithSheetFile(path, spec, sheetFile);
  std::filesystem::remove(sheetFile);
}

void writeXls(const std::string& path, int rows) {
  vt::testing::XlsSpec spec;
  spec.cellXfFormats = {14, 4};  // XF 16 date, 17 amount
  std::map<std::string, std::uint32_t> shared;
  auto index = [&](const std::string& t) {
    auto [it, added] = shared.emplace(t, static_cast<std::uint32_t>(spec.sharedStrings.size()));
    if (added) spec.sharedStrings.push_back(t);
    return it->second;
  };
  auto& cells = spec.sheets[0].cells;
  for (int c = 0; c < kColumns; ++c) cells.labelSst(0, c, index(header(c)));
  for (int r = 1; r <= std::min(rows, kXlsMaxDataRows); ++r) {
    for (int c = 0; c < kColumns; ++c) {
      const Value v = valueAt(r, c);
      if (v.type == Value::Text) {
        cells.labelSst(r, c, index(v.text));
      } else if (v.type == Value::Date) {
        cells.number(r, c, v.number, 16);
      } else if (v.type == Value::Number) {
        if (v.number == static_cast<int>(v.number)) {
          cells.rk(r, c, static_cast<std::int32_t>(v.number));
        } else {
          cells.number(r, c, v.number, 17);
        }
      }
    }
  }
  vt::testing::writeXls(path, spec);
}

void writeCsv(const std::string& path, int rows) {
  std::ofstream out(path, std::ios::binary);
  for (int r = 0; r <= rows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      if (c) out << ';';
      if (r == 0) {
        out << header(c);
        continue;
      }
      const Value v = valueAt(r, c);
      if (v.type == Value::Text) out << v.text;
      if (v.type == Value::Number) out << vt::conv::VbStr(v.number);
      if (v.type == Value::Date) out << "15/05/2013";
    }
    out << "\r\n";
  }
}

const std::string& folder() {
  static const std::string dir = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "vt-wb-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(folder(), ignored);
    });
    return pattern;
  }();
  return dir;
}

std::string fileFor(Kind kind, int rows) {
  static const char* ext[] = {".xlsx", ".xls", ".csv", "-inline.xlsx"};
  const std::string path = folder() + "/compras-" + std::to_string(rows) + ext[kind];
  if (std::filesystem::exists(path)) return path;
  const pid_t child = fork();
  if (child == 0) {
    if (kind == kXlsx || kind == kXlsxInline) writeXlsx(path, rows, folder(), kind == kXlsxInline);
    if (kind == kXls) writeXls(path, rows);
    if (kind == kCsv) writeCsv(path, rows);
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return path;
}

struct LoadResult {
  long peakKiB = 0;
  long dataRows = -1;
};

// Loads the file as the purchases sheet in a child process; returns its peak resident size.
LoadResult loadInChild(const std::string& path, Kind kind) {
  return bench::enHijo([&] {
    std::vector<std::string> archivos = {path, "", "", ""};
    std::string tipo = kind == kCsv ? "csv" : "xls", separador = ";", error;
    LoadResult r;
    if (ambrix::gfCargaArchivoExcel(tipo, archivos, separador, error))
      r.dataRows = ambrix::gaInfoCompras->ubound(1);
    r.peakKiB = bench::peakKiB();
    return r;
  });
}

// Seconds `unzip -p` takes to unpack the sheet part to nowhere: the floor any reader of the part
// stands on (inflating is most of what it costs).
double unzipSeconds(const std::string& path) {
  static std::map<std::string, double> seen;
  if (auto it = seen.find(path); it != seen.end()) return it->second;
  const std::string command = "unzip -p '" + path + "' xl/worksheets/sheet1.xml > /dev/null";
  double best = 0;
  for (int round = 0; round < 2; ++round) {
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) return seen[path] = 0;
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    best = round == 0 ? took : std::min(best, took);
  }
  return seen[path] = best;
}

void BM_LoadPurchases(benchmark::State& state) {
  const auto kind = static_cast<Kind>(state.range(0));
  const int rows = static_cast<int>(state.range(1));
  const std::string path = fileFor(kind, rows);
  const bool xlsx = kind == kXlsx || kind == kXlsxInline;
  const double unzip = xlsx ? unzipSeconds(path) : 0;
  LoadResult last;
  double fastest = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    last = loadInChild(path, kind);
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(took);
    fastest = fastest == 0 ? took : std::min(fastest, took);
  }
  if (xlsx && unzip > 0) {
    state.counters["unzip_ms"] = unzip * 1000;
    state.counters["x_unzip"] = fastest / unzip;
  }
  if (last.dataRows < 0) state.SkipWithError("the load failed");
  state.counters["rows"] = static_cast<double>(last.dataRows);
  state.counters["rows_per_s"] =
      benchmark::Counter(static_cast<double>(last.dataRows) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
  state.counters["peak_MiB"] = static_cast<double>(last.peakKiB) / 1024.0;
  state.counters["file_MiB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
  static const char* labels[] = {"xlsx", "xls", "csv", "xlsx inline strings"};
  state.SetLabel(labels[kind]);
}

BENCHMARK(BM_LoadPurchases)
    ->ArgsProduct({{kXlsx, kXlsxInline, kXls, kCsv}, {10000, 100000}})
    ->UseManualTime()
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

}  // namespace
