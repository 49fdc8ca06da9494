// One call of the purchases validator as a whole: the contract, the reimbursement repetition,
// the lookups it runs, and the failures around it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "compras_fixture.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/conexion.hpp"
#include "platform/automation/host.hpp"
#include "platform/automation/loader.hpp"
#include "platform/database/statement_observer.hpp"
#include "platform/errors/err_object.hpp"

namespace compras_test {
namespace {

using vt::automation::Variant;

bool connectionOpen() {
  return valtrone::ctx().gdbConexion && valtrone::ctx().gdbConexion->state() == vt::db::State::Open;
}

TEST_F(Compras, OnlyTheValidationModeActs) {
  const Outcome store = validate(sheetOf({row({{0, "x"}})}), "5", "2013", kEmpresa, 2);
  EXPECT_EQ(store.result, "");
  EXPECT_EQ(store.log, "");
  EXPECT_EQ(store.progress, 0);
  EXPECT_EQ(store.sheet->get(1, 1), "5") << "no cell is rewritten";
  EXPECT_TRUE(connectionOpen()) << "opened at entry and left open";

  const Outcome empty = validate(sheetOf({}));
  EXPECT_EQ(empty.result, "OK");
  EXPECT_EQ(empty.progress, 0);
  EXPECT_FALSE(connectionOpen()) << "a validation closes it";
}

TEST_F(Compras, EveryRowIsCheckedWithOneYieldAndItsProgress) {
  int yields = 0;
  vt::automation::host::setYieldHook([&] { ++yields; });
  const Outcome run = validate(sheetOf({baseRow(), row({{12, "0"}}), baseRow()}));
  vt::automation::host::setYieldHook({});
  EXPECT_EQ(yields, 3);
  EXPECT_EQ(run.progress, 4);
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(run.log, block(2, {"Número de Serie no puede ser cero 000000"}));
}

// Columns 10 to 14 of a reimbursement document and a valid reimbursed voucher; the rows that
// repeat it keep 11 to 14 as read.
Row reembolso(const Changes& more = {}) {
  Row r = row({{11, "41"}, {12, "1001"}, {13, "25"}, {14, "1234567890"}, {52, "R"}, {53, "1791234561001"},
               {55, "1"}, {56, "05/05/2013"}, {57, "1001"}, {58, "77"}, {59, "1234567890"}, {61, "10"}});
  for (const auto& [col, cell] : more) r.at(static_cast<std::size_t>(col)) = cell;
  return r;
}

TEST_F(Compras, RowsOfOneReimbursementDocumentAreCheckedOnce) {
  const Outcome run = validate(sheetOf({
      reembolso(),                                   // 1: checked, key stored
      reembolso({{12, "001001"}, {13, "0000025"}}),  // 2: the same key, rewritten form
      reembolso({{14, " 1234567890 "}, {1, "4"}}),   // 3: the same key; 0-10 still checked
      reembolso({{14, "1234567891"}, {13, "0"}}),    // 4: another authorisation: checked
      row({{11, "1"}}),                              // 5: an invoice resets the key
      reembolso({{14, "1234567891"}, {13, "0"}}),    // 6: checked again after the reset
  }));
  EXPECT_EQ(run.log,
            block(3, {"Periodo: Mes no coincide con el mes seleccionado : 04",
                      "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado 10/05/2013",
                      "Mes de fecha de contabilización de comprobante 15/05/2013 no corresponde "}) +
                block(4, {"Secuencia de comprobante. No puede ser cero: 0000000"}) +
                block(6, {"Secuencia de comprobante. No puede ser cero: 0000000"}));
  EXPECT_EQ(run.sheet->get(1, 12), "001001");
  EXPECT_EQ(run.sheet->get(3, 11), "41") << "columns 11 to 14 of a repeated row stay as read";
  EXPECT_EQ(run.sheet->get(3, 13), "25");
  EXPECT_EQ(run.sheet->get(3, 14), " 1234567890 ");
  EXPECT_EQ(run.sheet->get(3, 10), "01") << "column 10 is still rewritten";
  EXPECT_EQ(run.sheet->get(4, 12), "001001");
  EXPECT_EQ(run.progress, 7);
}

TEST_F(Compras, AVoucherTypeThatIsNoNumberCountsAsAReimbursement) {
  const Outcome run = validate(sheetOf({reembolso({{11, "x"}}), reembolso({{11, "x"}, {13, "abc"}})}));
  EXPECT_EQ(run.log, block(1, {"Código de comprobante no válido x",
                               "Codigo de sustento tributario: 01 no válido para comprobante: x"}) +
                         block(2, {"Código de comprobante no válido x",
                                   "Codigo de sustento tributario: 01 no válido para comprobante: x",
                                   "Secuencia de comprobante. Debe ser numérico: abc"}));
  const Outcome repeated = validate(sheetOf({reembolso({{11, "x"}}), reembolso({{11, "x"}})}));
  EXPECT_EQ(repeated.log, block(1, {"Código de comprobante no válido x",
                                    "Codigo de sustento tributario: 01 no válido para comprobante: x"}))
      << "the second row repeats the first one's key";
}

TEST_F(Compras, EachDistinctLookupRunsOncePerCall) {
  const std::vector<Row> rows(5, row({{5, "P"}, {6, "AB123456"}, {8, "1"}, {9, "N"}, {11, "3"}}));
  std::vector<std::string> first, second;
  {
    vt::db::StatementRecorder recorder;
    EXPECT_EQ(validate(sheetOf(rows)).result, "OK");
    first = recorder.texts(vt::db::ObservedKind::Query);
  }
  {
    vt::db::StatementRecorder recorder;
    EXPECT_EQ(validate(sheetOf(rows)).result, "OK");
    second = recorder.texts(vt::db::ObservedKind::Query);
  }
  std::vector<std::string> distinct = first;
  std::sort(distinct.begin(), distinct.end());
  distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
  EXPECT_EQ(distinct.size(), first.size()) << "no statement twice within one call";
  EXPECT_EQ(first.size(), 6u) << "supplier type, tax support, voucher type, its two lists, payment form";
  EXPECT_EQ(second, first) << "a second call asks again";
}

TEST_F(Compras, AQuoteInACellIsACodeNotRegistered) {
  vt::Err().Clear();
  vt::db::StatementRecorder recorder;
  const Outcome run = validateRow(row({{5, "P"}, {6, "AB123456"}, {8, "1'"}, {9, "N"}, {11, "3"}}));
  EXPECT_EQ(run.log, block(1, {"Proveedor Tipo. Codigo 1' no registrado "}));
  const std::vector<std::string> queries = recorder.texts(vt::db::ObservedKind::Query);
  EXPECT_NE(std::find(queries.begin(), queries.end(),
                      "select * from tbCodigoGeneral Where co_grupo = 'PER' and co_valor = '1'''"),
            queries.end());
  EXPECT_EQ(vt::Err().Number, 0) << "no SQL error";
}

// Without its database no catalogue can be read: the open's message is all, and no row is judged
// against codes that could not be looked up.
TEST_F(Compras, AMissingDatabaseIsReportedAndNoRowIsJudged) {
  std::filesystem::remove(folder / "global.mdb");
  const Outcome run = validateRow(row({{5, "P"}, {6, "AB123456"}, {8, "1"}, {9, "N"}, {11, "3"}}));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(run.log, "");
  EXPECT_EQ(run.progress, 0);
  ASSERT_FALSE(messages.mensajes.empty());
  for (const auto& m : messages.mensajes)
    EXPECT_NE(m.texto.find("base de datos"), std::string::npos) << "only the open's messages: " << m.texto;
}

TEST_F(Compras, ALogThatCannotBeWrittenStillGivesError) {
  std::string folderAsLog = folder.string();
  valtrone::CLSValidarInformacion validator;
  auto sheet = sheetOf({row({{12, "0"}}), row({{13, "0"}})});
  std::string co = kEmpresa, mes = "5", anio = "2013";
  double tolerance = 0.01;
  int32_t progress = 0;
  EXPECT_EQ(validator.ATS2013_Compras(1, co, mes, anio, tolerance, sheet, folderAsLog, progress), "ERROR");
  EXPECT_EQ(progress, 3);
  EXPECT_EQ(sheet->get(2, 13), "0000000") << "the row after the lost block is still checked";
  ASSERT_EQ(messages.mensajes.size(), 1u) << "said once for the sheet, not once per row";
  EXPECT_EQ(messages.mensajes[0].texto.rfind("No se pudo escribir en el archivo de errores " + folderAsLog, 0), 0u);
}

TEST_F(Compras, ANarrowArrayIsReadAsBlankBeyondItsColumns) {
  Outcome run = validate(sheetOf({baseRow()}, 39));
  EXPECT_EQ(run.result, "OK") << run.log;
  EXPECT_EQ(run.sheet->cols(), 40);
  run = validate(sheetOf({baseRow()}, 12));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(
      run.log,
      block(1, {"Secuencia de comprobante. Debe ser numérico: ", "Autorizacion de comprobante no válido ",
                "Suma de (Base NoIVA + Base 0% + Base Gravada)  debe ser mayor a cero: 0.00",
                "No debe haber Retencion de IVA (Bienes/Servicios) si IVA es cero",
                "Pago Local. Codigo 0 no válido, debe ser L ó E ",
                "Forma de pago. Alguno de los codigos registrados no so validos 0"}));
  EXPECT_EQ(run.sheet->cols(), 13);
}

TEST_F(Compras, ByNameTheCallersArrayIsRewrittenInPlace) {
  frame_test::pinEnvironment();
  auto sheet = sheetOf({baseRow(), row({{12, "0"}})});
  vt::automation::ObjectRef validar = vt::automation::createObject("Valtrone.CLSValidarInformacion");
  validar->let("iPocIVA", Variant(int16_t{12}));
  Variant mode(int16_t{1}), co(kEmpresa), mes("5"), anio("2013"), tolerance(0.01), info(sheet),
      fileError(logPath()), progress(int32_t{0});
  EXPECT_EQ(
      validar->call("ATS2013_Compras", mode, co, mes, anio, tolerance, info, fileError, progress).toString(),
      "ERROR");
  EXPECT_EQ(progress.toString(), "3");
  EXPECT_EQ(sheet->get(1, 12), "001001");
  EXPECT_EQ(sheet->get(2, 12), "000000");
}

}  // namespace
}  // namespace compras_test
