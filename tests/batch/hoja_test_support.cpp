#include "hoja_test_support.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "../frame/frame_test_support.hpp"
#include "platform/database/statement_observer.hpp"
#include "tests/support/files.hpp"

namespace hoja_test {

Fila conCambios(Fila base, const Cambios& cambios) {
  for (const auto& [col, cell] : cambios) base.at(static_cast<std::size_t>(col)) = cell;
  return base;
}

vt::automation::StringMatrixRef sheetOf(const std::vector<Fila>& rows, long lastCol) {
  auto sheet = std::make_shared<vt::automation::StringMatrix>(0, static_cast<long>(rows.size()), 0, lastCol);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (long c = 0; c <= lastCol && c < static_cast<long>(rows[i].size()); ++c) {
      sheet->set(static_cast<long>(i) + 1, c, rows[i][static_cast<std::size_t>(c)]);
    }
  }
  return sheet;
}

std::vector<Fila> readRows(const std::filesystem::path& csv, std::size_t columns) {
  std::istringstream in(vt::testing::readFile(csv));
  std::vector<Fila> rows;
  std::string line;
  std::getline(in, line);  // the header
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    Fila r;
    std::string cell;
    std::istringstream fields(line);
    while (std::getline(fields, cell, ';')) r.push_back(cell);
    if (!line.empty() && line.back() == ';') r.push_back("");
    r.resize(columns);
    rows.push_back(r);
  }
  return rows;
}

std::string normalised(const vt::automation::StringMatrix& sheet, long lastCol) {
  std::string text;
  for (long r = 1; r <= sheet.ubound(1); ++r) {
    for (long c = 0; c <= lastCol; ++c) text.append(c ? ";" : "").append(sheet.get(r, c));
    text += "\r\n";
  }
  return text;
}

std::string block(std::string_view word, long r, const std::vector<std::string>& lines) {
  std::string text = std::string(word) + " - Registro: " + std::to_string(r + 1) + "\r\n";
  for (const std::string& line : lines) text += line + "\r\n";
  return text + "\r\n";
}

std::string takeLog(const std::filesystem::path& path) {
  std::string log = vt::testing::readOptionalFile(path);
  std::filesystem::remove(path);
  return log;
}

std::vector<std::string> statementsDuring(const std::function<void()>& call) {
  std::vector<std::string> statements;
  const vt::db::ScopedStatementObserver observer([&](const vt::db::Observation& o) {
    if (o.kind != vt::db::ObservedKind::Open) statements.emplace_back(o.text);
  });
  call();
  return statements;
}

void expectBlocks(std::string_view word, const std::vector<Case>& cases,
                  const std::function<Outcome(const Cambios&)>& validateRow) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const Outcome run = validateRow(c.changes);
    EXPECT_EQ(run.result, c.lines.empty() ? "OK" : "ERROR");
    EXPECT_EQ(run.log, c.lines.empty() ? "" : block(word, 1, c.lines));
  }
}

vt::testing::ProgramRun callValtrone(const std::filesystem::path& folder, const std::string& arguments,
                                     const std::string& properties, const std::optional<std::string>& database) {
  frame_test::pinEnvironment();
  if (database) {
    vt::testing::writeFile(folder / "db" / "GLOBAL.MDB", *database);
  } else {
    vt::testing::copyFixtureDatabase(folder / "db" / "GLOBAL.MDB");
  }
  vt::testing::writeFile(folder / "TAXCONFIG.INI",
                         "[PATH]\r\nPath_db=" + (folder / "db").string() +
                             "/\r\n[CONFIGURACION]\r\nFechaCorta=dd/MM/yyyy\r\nHora=HH:mm:ss\r\n"
                             "[DATABASE]\r\ndbTypeConexion=Access\r\ndbTypeServer=Access\r\n"
                             "dbNameDB=GLOBAL.MDB\r\ndbUser=admin\r\n");
  return vt::testing::runCommand(vt::testing::quoted(VT_VALTRONE_CALL) + " --set iPocIVA=i:12 " + properties +
                                     "Valtrone.CLSValidarInformacion " + arguments,
                                 {.environment = {{"VALTRONE_CONFIG_DIR", folder.string()}}});
}

}  // namespace hoja_test
