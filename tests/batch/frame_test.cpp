// The row loop every sheet validator shares: modes, bounds, progress, yields, the blocks it
// appends, an unwritable log, a narrow array, and the per-call lookup memo.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "../frame/frame_test_support.hpp"
#include "library/batch/celdas_hoja.hpp"
#include "library/batch/comprobaciones_hoja.hpp"
#include "library/batch/validador_hoja.hpp"
#include "platform/automation/host.hpp"
#include "platform/errors/err_object.hpp"
#include "platform/errors/error.hpp"
#include "tests/support/files.hpp"

namespace {

using vt::automation::StringMatrix;
using vt::automation::StringMatrixRef;

class RowLoop : public ::testing::Test, public frame_test::LibraryFixture {
 protected:
  std::string log() const { return (folder / "errores.txt").string(); }
  bool connectionOpen() const {
    return valtrone::ctx().gdbConexion && valtrone::ctx().gdbConexion->state() == vt::db::State::Open;
  }
  static StringMatrixRef sheet(long lastRow, long lastCol = 3) {
    auto s = std::make_shared<StringMatrix>(0, lastRow, 0, lastCol);
    for (long r = 0; r <= lastRow; ++r) s->set(r, 0, "fila" + std::to_string(r));
    return s;
  }
};

// Fails the rows whose column 0 is listed, with two lines each.
valtrone::ReglasFila failRows(std::vector<std::string> bad, std::vector<long>* seen = nullptr) {
  return [bad, seen](valtrone::SheetRow& row, valtrone::BloqueErrorRegistro& block) {
    if (seen) seen->push_back(row.index());
    row.set(1, "visto");
    for (const std::string& b : bad) {
      if (row.get(0) == b) {
        block.falla("Mensaje con blanco final ", row.get(0));
        block.falla("Sin valor");
      }
    }
  };
}

TEST_F(RowLoop, OnlyModeOneActsAndTheOthersLeaveTheConnectionOpen) {
  for (int16_t mode : {0, 2, 3, -1}) {
    auto s = sheet(2);
    int32_t progress = 77;
    EXPECT_EQ(valtrone::ValidadorHoja(mode, "COMPRAS", s, log(), progress, failRows({"fila1"})), "") << mode;
    EXPECT_EQ(progress, 77);
    EXPECT_EQ(s->get(1, 1), "");
    EXPECT_FALSE(std::filesystem::exists(log()));
    EXPECT_TRUE(connectionOpen()) << mode;
  }
}

TEST_F(RowLoop, ASheetWithoutDataRowsIsOkAndLeavesTheProgressAlone) {
  struct Case {
    StringMatrixRef sheet;
    const char* why;
  } cases[] = {
      {nullptr, "no array at all"},
      {std::make_shared<StringMatrix>(), "an empty array"},
      {sheet(0), "the header row only"},
  };
  for (const Case& c : cases) {
    int32_t progress = 5;
    EXPECT_EQ(valtrone::ValidadorHoja(1, "COMPRAS", c.sheet, log(), progress, failRows({"fila0"})), "OK")
        << c.why;
    EXPECT_EQ(progress, 5) << c.why;
    EXPECT_FALSE(std::filesystem::exists(log())) << c.why;
    EXPECT_FALSE(connectionOpen()) << c.why;
  }
}

TEST_F(RowLoop, EveryDataRowOnceWithOneYieldAndTheProgressAfterIt) {
  auto s = sheet(4);
  int yields = 0;
  std::vector<long> seen;
  std::vector<int32_t> progressSeen;
  int32_t progress = 0;
  vt::automation::host::setYieldHook([&] {
    ++yields;
    progressSeen.push_back(progress);
  });
  const std::string result = valtrone::ValidadorHoja(1, "COMPRAS", s, log(), progress, failRows({}, &seen));
  vt::automation::host::setYieldHook({});
  EXPECT_EQ(result, "OK");
  EXPECT_EQ(seen, (std::vector<long>{1, 2, 3, 4}));
  EXPECT_EQ(yields, 4);
  EXPECT_EQ(progressSeen, (std::vector<int32_t>{0, 2, 3, 4}));
  EXPECT_EQ(progress, 5);
  EXPECT_EQ(s->get(0, 1), "") << "the header row is never touched";
  EXPECT_EQ(s->get(4, 1), "visto");
  EXPECT_FALSE(std::filesystem::exists(log())) << "no failed row, no log";
  EXPECT_FALSE(connectionOpen());
}

TEST_F(RowLoop, FailedRowsAppendTheirBlocksEachEndedByAnEmptyLine) {
  vt::testing::writeFile(log(), "previo\r\n");
  int32_t progress = 0;
  EXPECT_EQ(valtrone::ValidadorHoja(1, "ANULADOS", sheet(3), log(), progress, failRows({"fila1", "fila3"})),
            "ERROR");
  EXPECT_EQ(vt::testing::readFile(log()),
            "previo\r\n"
            "ANULADOS - Registro: 2\r\n"
            "Mensaje con blanco final fila1\r\n"
            "Sin valor\r\n"
            "\r\n"
            "ANULADOS - Registro: 4\r\n"
            "Mensaje con blanco final fila3\r\n"
            "Sin valor\r\n"
            "\r\n");
}

TEST_F(RowLoop, ALogThatCannotBeWrittenLosesTheBlocksButNotTheResult) {
  std::vector<long> seen;
  int32_t progress = 0;
  const std::string folderAsLog = folder.string();
  EXPECT_EQ(
      valtrone::ValidadorHoja(1, "COMPRAS", sheet(3), folderAsLog, progress, failRows({"fila1", "fila3"}, &seen)),
      "ERROR");
  EXPECT_EQ(seen, (std::vector<long>{1, 2, 3})) << "the rows after the lost block are still checked";
  EXPECT_EQ(vt::Err().Number, 75);
  // The user is told once, with the reason, that the faults reach no log; not once per row.
  ASSERT_EQ(messages.mensajes.size(), 1u);
  EXPECT_EQ(messages.mensajes[0].texto.rfind("No se pudo escribir en el archivo de errores " + folderAsLog + "\r\n", 0),
            0u)
      << messages.mensajes[0].texto;
  EXPECT_NE(messages.mensajes[0].texto.find("\r\nLos errores de los registros no quedan anotados en él."),
            std::string::npos);
}

TEST_F(RowLoop, AnErrorOfTheRulesNeverLeavesTheLoop) {
  int32_t progress = 0;
  auto rules = [](valtrone::SheetRow& row, valtrone::BloqueErrorRegistro& block) {
    block.falla("antes ", row.get(0));
    if (row.index() == 1) throw vt::Error(13, "prueba", "No coinciden los tipos");
    if (row.index() == 2) throw std::runtime_error("inesperado");
  };
  EXPECT_EQ(valtrone::ValidadorHoja(1, "COMPRAS", sheet(3), log(), progress, rules), "ERROR");
  EXPECT_EQ(progress, 4);
  EXPECT_EQ(vt::testing::readFile(log()),
            "COMPRAS - Registro: 2\r\nantes fila1\r\n\r\n"
            "COMPRAS - Registro: 3\r\nantes fila2\r\n\r\n"
            "COMPRAS - Registro: 4\r\nantes fila3\r\n\r\n");
}

// Without its database a sheet is not judged: every row would fail the catalogue checks it
// never failed. The connection's message is the only one; no row runs and no block is written.
TEST_F(RowLoop, ASheetWhoseConnectionFailedIsNotJudged) {
  struct Case {
    const char* database;  // what lies where the database should: nullptr for nothing
    int16_t mode;
    long lastRow;
    valtrone::TrampaErrores trampa;
    const char* result;  // nullptr: the call raises
    const char* why;
  };
  using enum valtrone::TrampaErrores;
  const Case cases[] = {
      {nullptr, 1, 3, Reanuda, "ERROR", "a missing database: rows to judge, none judged"},
      {"", 1, 3, Reanuda, "ERROR", "an empty file in its place"},
      {"no es una base", 1, 3, Reanuda, "ERROR", "a file that is no database"},
      {"", 1, 0, Reanuda, "ERROR", "no data rows: still no OK without the database"},
      {"", 1, 3, SinTrampa, nullptr, "a validator that never trapped errors raises the connection's error"},
      {"", 2, 3, Reanuda, "", "a mode other than 1 acts on nothing, connected or not"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    std::filesystem::remove(folder / "global.mdb");
    if (c.database) vt::testing::writeFile(folder / "global.mdb", std::string(c.database));
    messages.mensajes.clear();
    int32_t progress = 77;
    std::vector<long> seen;
    const auto s = sheet(c.lastRow);
    auto call = [&] {
      return valtrone::ValidadorHoja(c.mode, "COMPRAS", s, log(), progress, failRows({"fila1"}, &seen), c.trampa);
    };
    if (c.result) {
      EXPECT_EQ(call(), c.result);
    } else {
      EXPECT_THROW(call(), vt::Error);
    }
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(progress, 77);
    EXPECT_FALSE(std::filesystem::exists(log()));
    ASSERT_FALSE(messages.mensajes.empty());
    EXPECT_NE(messages.mensajes.back().texto.find("Ha ocurrido el error conexion a la Base de Datos"),
              std::string::npos)
        << messages.mensajes.back().texto;
  }
}

TEST(SheetRow, AColumnOutsideTheArrayReadsBlankAndIsNeverWritten) {
  StringMatrix narrow(0, 1, 0, 39);
  narrow.set(1, 39, "ultima");
  valtrone::SheetRow row(&narrow, 1);
  EXPECT_EQ(row.get(39), "ultima");
  EXPECT_EQ(row.get(40), "");
  EXPECT_EQ(row.get(67), "");
  EXPECT_EQ(row.get(-1), "");
  row.set(67, "fuera");
  row.set(39, "dentro");
  EXPECT_EQ(narrow.get(1, 39), "dentro");
  EXPECT_EQ(narrow.cols(), 40);
  valtrone::SheetRow beyond(&narrow, 2);
  EXPECT_EQ(beyond.get(0), "");
  beyond.set(0, "x");
  EXPECT_EQ(narrow.rows(), 2);
}

TEST(HeldCondition, ACheckThatCannotBeEvaluatedWritesItsMessage) {
  struct Case {
    valtrone::Condition condition;
    bool written;
    const char* why;
  } cases[] = {
      {true, true, "the condition held"},
      {false, false, "the condition did not hold"},
      {std::nullopt, true, "it could not be evaluated: counts as held"},
  };
  for (const Case& c : cases) {
    valtrone::BloqueErrorRegistro block("COMPRAS", 1);
    EXPECT_EQ(block.fallaSi(c.condition, "M ", "v"), c.written) << c.why;
    EXPECT_EQ(block.fallida(), c.written) << c.why;
    EXPECT_EQ(block.texto(), c.written ? "COMPRAS - Registro: 2\r\nM v\r\n" : "COMPRAS - Registro: 2\r\n")
        << c.why;
  }
}

TEST(LookupMemo, AsksEachKeyOnceAndForgetsALookupThatRaised) {
  valtrone::LookupMemo memo;
  int asked = 0;
  auto yes = [&] {
    ++asked;
    return true;
  };
  auto raises = [&]() -> bool {
    ++asked;
    throw vt::Error(3704, "prueba", "cerrado");
  };
  const std::string a = valtrone::LookupMemo::key("sustento", {"01"});
  const std::string b = valtrone::LookupMemo::key("sustento", {"0", "1"});
  EXPECT_NE(a, b) << "arguments are kept apart";
  EXPECT_EQ(memo.ask(a, yes), true);
  EXPECT_EQ(memo.ask(a, yes), true);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(memo.ask(b, raises), std::nullopt);
  EXPECT_EQ(memo.ask(b, raises), std::nullopt);
  EXPECT_EQ(asked, 3) << "a lookup that raised is asked again";
  EXPECT_EQ(memo.ask(b, yes), true);
  EXPECT_EQ(asked, 4);
}

}  // namespace
