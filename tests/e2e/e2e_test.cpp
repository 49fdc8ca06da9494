// The end-to-end cases: each folder of cases/ is copied to a fresh run folder beside the case
// settings (config/, unless the case brings its own TAXCONFIG.INI) and a copy of the fixture
// database as db/GLOBAL.MDB; ambrix-batch runs there with --state state.ini and the options of
// options.txt, and its output must equal expected.txt byte for byte.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/profile/ini_file.hpp"
#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/temp_folder.hpp"
#include "tests/xml/anexo.hpp"

namespace {

namespace fs = std::filesystem;
using vt::testing::ProgramRun;
using vt::testing::readOptionalFile;
using vt::testing::runBatch;
using vt::testing::TempFolder;

const fs::path kE2eDir = E2E_DIR;

std::vector<std::string> caseNames() {
  std::vector<std::string> names;
  std::stringstream list(E2E_CASES);
  for (std::string name; std::getline(list, name, ',');)
    if (!name.empty()) names.push_back(name);
  return names;
}

// Files of a case that describe it rather than take part in the run.
bool describesTheCase(const fs::path& name) {
  return name == "expected.txt" || name == "options.txt" || name == "exit-status" || name == "after" ||
         name == "before.sql" || name == "after.sql" || name == "after.txt" || name == "holds-lock";
}

// Another process's write transaction on the run's database, held while in scope.
class HeldLock {
 public:
  explicit HeldLock(const fs::path& database) {
    if (sqlite3_open_v2(database.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
      ADD_FAILURE() << "cannot hold the lock: " << sqlite3_errmsg(db_);
  }
  ~HeldLock() {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db_);
  }
  HeldLock(const HeldLock&) = delete;
  HeldLock& operator=(const HeldLock&) = delete;

 private:
  sqlite3* db_ = nullptr;
};

// Runs the statements of a file of the case on the run's database with the sqlite3 tool; its
// output in list mode.
ProgramRun sqlite(const fs::path& run, const fs::path& file) {
  return vt::testing::runCommand("sqlite3 -batch -list db/GLOBAL.MDB < " + vt::testing::quoted(file.string()),
                                 {.folder = run});
}

// The annex files: "ATmmaaaa.XML", or any name ending in ".XML" whatever its case.
bool isAnnexFile(const fs::path& path) {
  std::string extension = path.extension().string();
  for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return extension == ".XML";
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

// A case file whose name ends in ".expand" stands for the file without that ending, with each
// "{{N*TEXT}}" written as N copies of TEXT (TEXT ends at the first "}}" and may hold line ends):
// a sheet of thousands of rows or a cell of 300,000 bytes kept in a few lines.
const std::string kExpand = ".expand";

bool isExpanded(const fs::path& path) { return path.extension() == kExpand; }

std::string expanded(const std::string& text) {
  std::string out;
  std::size_t at = 0;
  for (std::size_t open; (open = text.find("{{", at)) != std::string::npos;) {
    const std::size_t star = text.find('*', open);
    const std::size_t close = star == std::string::npos ? star : text.find("}}", star);
    if (close == std::string::npos) throw std::runtime_error("unclosed {{N*TEXT}} in an .expand file");
    out.append(text, at, open - at);
    const long count = std::stol(text.substr(open + 2, star - open - 2));
    for (long i = 0; i < count; ++i) out.append(text, star + 1, close - star - 1);
    at = close + 2;
  }
  out.append(text, at);
  return out;
}

class EndToEnd : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    caseDir_ = kE2eDir / "cases" / GetParam();
    const fs::path& run = folder_.path();
    for (const fs::directory_entry& entry : fs::directory_iterator(caseDir_))
      if (!describesTheCase(entry.path().filename()))
        fs::copy(entry.path(), run / entry.path().filename(), fs::copy_options::recursive);
    std::vector<fs::path> toExpand;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(run))
      if (entry.is_regular_file() && isExpanded(entry.path())) toExpand.push_back(entry.path());
    for (const fs::path& file : toExpand) {
      vt::testing::writeFile(fs::path(file).replace_extension(), expanded(vt::testing::readFile(file)));
      fs::remove(file);
    }
    if (!fs::exists(run / "TAXCONFIG.INI"))
      fs::copy_file(kE2eDir / "config" / "TAXCONFIG.INI", run / "TAXCONFIG.INI");
    fs::copy_file(kE2eDir / "config" / "win.ini", run / "win.ini");
    for (const char* sub : {"db", "log", "xml"}) fs::create_directories(run / sub);
    // A case may bring a database of its own (a damaged one, an empty file).
    if (!fs::exists(run / "db" / "GLOBAL.MDB")) vt::testing::copyFixtureDatabase(run / "db" / "GLOBAL.MDB");
    if (fs::exists(caseDir_ / "before.sql")) {
      const ProgramRun r = sqlite(run, caseDir_ / "before.sql");
      ASSERT_EQ(r.status, 0) << r.err;
    }
  }

  fs::path caseDir_;
  TempFolder folder_{"e2e"};
};

TEST_P(EndToEnd, TranscriptAndFiles) {
  const fs::path& run = folder_.path();
  const std::string iniBefore = readOptionalFile(run / "TAXCONFIG.INI");
  std::optional<HeldLock> lock;
  if (fs::exists(caseDir_ / "holds-lock")) lock.emplace(run / "db" / "GLOBAL.MDB");
  const auto start = std::chrono::steady_clock::now();
  const ProgramRun r = runBatch(
      run, "win.ini",
      "--config-dir . --state state.ini " + firstLine(readOptionalFile(caseDir_ / "options.txt")),
      {{"VALTRONE_REGISTRY", VT_BINARY_DIR "/automation.reg"}, {"VALTRONE_CONFIG_DIR", std::nullopt}});
  // A run against a held lock gives up as its settings say, not after the engine's 30 s.
  if (lock) {
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(25));
  }
  lock.reset();

  const std::string status = firstLine(readOptionalFile(caseDir_ / "exit-status"));
  EXPECT_EQ(r.status, status.empty() ? 0 : std::atoi(status.c_str()));
  EXPECT_EQ(r.out, readOptionalFile(caseDir_ / "expected.txt"));

  // TAXCONFIG.INI changes only by the name the transcript shows written.
  const std::string marca = "INI: [PATH_Files] ATS=";
  const std::size_t ini = r.out.find(marca);
  if (ini == std::string::npos) {
    EXPECT_EQ(readOptionalFile(run / "TAXCONFIG.INI"), iniBefore);
  } else {
    const std::string valor = firstLine(r.out.substr(ini + marca.size()));
    EXPECT_EQ(vt::profile::readFileValue((run / "TAXCONFIG.INI").string(), "PATH_Files", "ATS"), valor);
  }
  // The rows the run leaves, as after.sql lists them.
  if (fs::exists(caseDir_ / "after.sql")) {
    const ProgramRun filas = sqlite(run, caseDir_ / "after.sql");
    EXPECT_EQ(filas.status, 0) << filas.err;
    EXPECT_EQ(filas.out, readOptionalFile(caseDir_ / "after.txt"));
  }
  // Files the run must leave as after/ holds them; annex files with the version masked.
  if (fs::exists(caseDir_ / "after"))
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(caseDir_ / "after"))
      if (entry.is_regular_file()) {
        fs::path relative = fs::relative(entry.path(), caseDir_ / "after");
        std::string expected = readOptionalFile(entry.path());
        if (isExpanded(relative)) {
          relative.replace_extension();
          expected = expanded(expected);
        }
        EXPECT_TRUE(fs::exists(run / relative)) << relative;
        const std::string written = readOptionalFile(run / relative);
        EXPECT_EQ(isAnnexFile(relative) ? ambrix::testing::sinVersion(written) : written, expected) << relative;
      }
  // Every annex file the run wrote passes the authority's schema, unless the run said it does not.
  const bool bRechazado = r.out.find("no cumple el esquema del SRI:") != std::string::npos;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(run))
    if (entry.is_regular_file() && isAnnexFile(entry.path())) {
      const ambrix::testing::Validacion v = ambrix::testing::validaEsquema(entry.path().string());
      EXPECT_EQ(v.valido, !bRechazado) << entry.path() << "\n" << v.salida;
    }
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Casos, EndToEnd, ::testing::ValuesIn(caseNames()), testName);

}  // namespace
