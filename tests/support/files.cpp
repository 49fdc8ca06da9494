#include "tests/support/files.hpp"

#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>

namespace vt::testing {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> contentOf(const fs::path& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(std::istreambuf_iterator<char>(in), {});
  if (in.bad()) return std::nullopt;
  return bytes;
}

void makeParentFolders(const fs::path& path) {
  if (path.has_parent_path()) fs::create_directories(path.parent_path());
}

}  // namespace

std::string readFile(const fs::path& path) {
  if (auto bytes = contentOf(path)) return std::move(*bytes);
  throw std::runtime_error("cannot read " + path.string());
}

std::string readOptionalFile(const fs::path& path) { return contentOf(path).value_or(""); }

void writeFile(const fs::path& path, std::string_view bytes) {
  makeParentFolders(path);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void writeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  writeFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

fs::path fixtureDatabase() { return VT_FIXTURE_DB; }

void copyFixtureDatabase(const fs::path& to) {
  makeParentFolders(to);
  fs::copy_file(fixtureDatabase(), to, fs::copy_options::overwrite_existing);
}

fs::path copyDemo(const fs::path& root) {
  const fs::path demo = root / "examples" / "demo";
  fs::create_directories(root / "build" / "demo");
  for (const char* file :
       {"TAXCONFIG.INI", "win.ini", "mayo-2013.ini", "mayo-2013-acumulado.ini", "compras-mayo-2013.csv",
        "ventas-mayo-2013.csv", "anulados-mayo-2013.csv", "exportaciones-mayo-2013.csv"}) {
    makeParentFolders(demo / file);
    fs::copy_file(fs::path(VT_SOURCE_DIR) / "examples" / "demo" / file, demo / file,
                  fs::copy_options::overwrite_existing);
  }
  // The demo configuration prints the receipt from the report file the repository ships.
  const fs::path informe = fs::path("shell") / "reportes" / "tolvexATS_TalonResumen.rpt";
  makeParentFolders(root / informe);
  fs::copy_file(fs::path(VT_SOURCE_DIR) / informe, root / informe, fs::copy_options::overwrite_existing);
  copyFixtureDatabase(demo / "db" / "GLOBAL.MDB");
  return demo;
}

}  // namespace vt::testing
