// The cancelled-documents sheet validator: each case changes a few cells of a valid row and
// expects the exact lines of its block; a golden log pins a whole sheet of faults.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../frame/frame_test_support.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/conexion.hpp"
#include "library/frame/thread_context.hpp"
#include "platform/database/statement_observer.hpp"
#include "tests/support/files.hpp"

namespace {

using vt::automation::StringMatrix;
using vt::automation::StringMatrixRef;
using Fila = std::vector<std::string>;
using Cambios = std::vector<std::pair<int, std::string>>;

// A valid row of May 2013 as a user types it.
Fila base(const Cambios& cambios = {}) {
  Fila f = {"1792045185001", "5", "2013", "1", "1001", "101", "150", "1112223334", "20/05/2013", "nota"};
  for (const auto& [columna, valor] : cambios) f[columna] = valor;
  return f;
}

StringMatrixRef hoja(const std::vector<Fila>& filas) {
  auto h = std::make_shared<StringMatrix>(0, static_cast<long>(filas.size()), 0, 9);
  for (std::size_t r = 0; r < filas.size(); ++r)
    for (std::size_t c = 0; c < filas[r].size(); ++c)
      h->set(static_cast<long>(r) + 1, static_cast<long>(c), filas[r][c]);
  return h;
}

std::string bloque(long fila, const std::vector<std::string>& lineas) {
  std::string texto = "ANULADOS - Registro: " + std::to_string(fila + 1) + "\r\n";
  for (const std::string& l : lineas) texto += l + "\r\n";
  return texto + "\r\n";
}

class Anulados : public ::testing::Test, public frame_test::LibraryFixture {
 protected:
  struct Resultado {
    std::string respuesta;
    std::string log;
    int32_t progreso = 0;
  };

  Resultado valida(StringMatrixRef h, std::string mes = "5", int16_t modo = 1) {
    std::filesystem::remove(log_);
    std::string empresa = "1792045185001", anio = "2013", ruta = log_.string();
    Resultado r;
    r.respuesta = validador_.ATS2013_Anulados(modo, empresa, mes, anio, h, ruta, r.progreso);
    r.log = vt::testing::readOptionalFile(log_);
    return r;
  }

  valtrone::CLSValidarInformacion validador_;
  std::filesystem::path log_ = folder / "errores.txt";
};

TEST_F(Anulados, AValidRowPassesAndIsRewrittenIntoNormalForm) {
  StringMatrixRef h = hoja({base({{7, " 1112223334 "}})});
  const Resultado r = valida(h);
  EXPECT_EQ(r.respuesta, "OK");
  EXPECT_EQ(r.log, "");
  EXPECT_EQ(r.progreso, 2);
  const Fila esperada = {"1792045185001", "05",      "2013",       "01",         "001001",
                         "0000101",       "0000150", "1112223334", "20/05/2013", "nota"};
  for (long c = 0; c < 10; ++c) EXPECT_EQ(h->get(1, c), esperada[c]) << "column " << c;
}

TEST_F(Anulados, EachCheckWritesItsLine) {
  struct Case {
    Cambios cambios;
    std::vector<std::string> lineas;  // none: the row passes
    const char* mes;
    const char* why;
  };
  const std::vector<Case> casos = {
      {{{0, "1790012344001"}},
       {"RUC de Empresa no coincide con la empresa seleccionada: 1790012344001"},
       "5",
       "another company"},
      {{{1, "4"}, {8, "20/04/2013"}},
       {"Periodo: Mes no coincide con el mes seleccionado : 04"},
       "5",
       "another month"},
      {{{2, "12"}},
       {"Periodo: Año no coincide con el año seleccionado : 0012",
        "Fecha de anulación 20/05/2013 no puede ser mayor al periodo reportado "},
       "5",
       "another year, padded; the date is beyond the row's own period"},
      {{{3, "0"}}, {"Código de comprobante no válido 00"}, "5", "voucher type zero"},
      {{{3, "99"}}, {"Código de comprobante no válido: 99"}, "5", "voucher type not in the catalogue"},
      {{{4, "000000"}},
       {"Número de Serie no puede ser cero 000000",
        "Número de Serie - Código de establecimiento no válido 000"},
       "5",
       "a serie of zeros: no emission-point line"},
      {{{4, "1000"}}, {"Número de Serie - Punto de emisión no válido 000"}, "5", "emission point zero"},
      {{{4, "A01001"}},
       {"Número de Serie no válido: A01001", "Número de Serie no puede ser cero A01001",
        "Número de Serie - Código de establecimiento no válido A01"},
       "5",
       "a serie that is no number"},
      {{{5, "20"}, {6, "10"}},
       {"Secuencia inicial 0000020 es mayor que la final 0000010"},
       "5",
       "both values padded"},
      {{{5, "12345678"}, {6, "9999999"}},
       {"Secuencia inicial 12345678 es mayor que la final 9999999"},
       "5",
       "sequences compare as numbers beyond seven digits"},
      {{{5, "0"}, {6, "x"}},
       {"Número de Secuencia inicial de comprobante no puede ser cero 0000000",
        "Número de Secuencia final de comprobante no válido: x"},
       "5",
       "zero and not a number"},
      {{{7, "111222333444"}},
       {"Longitud de autorizacion 111222333444 es 12 debe ser 10 o 37"},
       "5",
       "twelve digits"},
      {{{7, std::string(37, '7')}}, {}, "5", "thirty-seven digits"},
      {{{7, "0000000000"}}, {"Número de autorizacion no debe ser cero 0000000000"}, "5", "zeros"},
      {{{7, "11A2223334"}}, {"Número de autorizacion no válido: 11A2223334"}, "5", "not a number"},
      {{{8, "  "}}, {"Fecha de anulación de comprobante esta vacia "}, "5", "empty date: only its line"},
      {{{8, "31/02/2013"}}, {"Fecha de anulación de comprobante no es válido: 31/02/2013"}, "5", "no date"},
      {{{1, "3"}, {8, "31/03/2013"}}, {}, "3", "the last day of the period passes"},
      {{{1, "3"}, {8, "01/04/2013"}},
       {"Fecha de anulación 01/04/2013 no puede ser mayor al periodo reportado "},
       "3",
       "the day after fails"},
      {{{1, "2"}, {8, "28/02/2013"}}, {}, "99", "an annual run takes any month and the row's own period"},
      {{{1, "2"}, {8, "01/03/2013"}},
       {"Fecha de anulación 01/03/2013 no puede ser mayor al periodo reportado "},
       "99",
       "an annual run compares with the end of the row's month"},
      {{{1, "13"}},
       {"Fecha de anulación 20/05/2013 no puede ser mayor al periodo reportado "},
       "99",
       "a month that is none has no period end: the row fails"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    const Resultado r = valida(hoja({base(c.cambios)}), c.mes);
    EXPECT_EQ(r.respuesta, c.lineas.empty() ? "OK" : "ERROR");
    EXPECT_EQ(r.log, c.lineas.empty() ? "" : bloque(1, c.lineas));
  }
}

// The cell is read in the regional order and rewritten in the short-date pattern; a day-first
// text under a month-first setting is no date, even though the pattern would read it.
TEST_F(Anulados, AMonthFirstRegionalSettingReadsTheCellInItsOrder) {
  context().config.regional.gsFormatoFecha = "MM/dd/yyyy";
  StringMatrixRef h = hoja({base({{8, "05/20/2013"}}), base({{8, "20/05/2013"}})});
  const Resultado r = valida(h);
  EXPECT_EQ(h->get(1, 8), "20/05/2013");
  EXPECT_EQ(h->get(2, 8), "20/05/2013");
  EXPECT_EQ(r.log, bloque(2, {"Fecha de anulación de comprobante no es válido: 20/05/2013"}));
}

TEST_F(Anulados, ASheetOfFaultsGivesTheGoldenLog) {
  const std::vector<Fila> filas = {
      base(),
      {"1790012344001", "6", "2012", "0", "000000", "0", "x", "0", ""},
      base({{3, "98"}, {5, "300"}, {6, "200"}, {7, "12345"}, {8, "01/06/2013"}}),
      base(),
  };
  const Resultado r = valida(hoja(filas));
  EXPECT_EQ(r.respuesta, "ERROR");
  EXPECT_EQ(r.progreso, 5);
  EXPECT_EQ(r.log, vt::testing::readFile(VT_SOURCE_DIR "/tests/batch/anulados-faltas.log.golden"));
}

TEST_F(Anulados, OnlyModeOneActsAndAnEmptySheetLeavesTheProgressAlone) {
  StringMatrixRef h = hoja({base({{0, "1"}})});
  const Resultado otro = valida(h, "5", 2);
  EXPECT_EQ(otro.respuesta, "");
  EXPECT_EQ(otro.progreso, 0);
  EXPECT_EQ(h->get(1, 0), "1");

  std::filesystem::remove(log_);
  int16_t modo = 1;
  std::string empresa = "1792045185001", mes = "5", anio = "2013", ruta = log_.string();
  int32_t progreso = 41;
  StringMatrixRef vacia = std::make_shared<StringMatrix>(0, 0, 0, 9);
  EXPECT_EQ(validador_.ATS2013_Anulados(modo, empresa, mes, anio, vacia, ruta, progreso), "OK");
  EXPECT_EQ(progreso, 41);
}

TEST_F(Anulados, EachVoucherTypeIsLookedUpOncePerCall) {
  vt::db::StatementRecorder recorder;
  valida(hoja({base(), base({{3, "4"}}), base(), base({{3, "04"}})}));
  int consultas = 0;
  for (const std::string& t : recorder.texts(vt::db::ObservedKind::Query))
    if (t.find("tbcttgComprob") != std::string::npos) ++consultas;
  EXPECT_EQ(consultas, 2);
}

TEST_F(Anulados, AVoucherLookupThatCannotRunIsNoFaultOfTheRow) {
  // Earlier rows keep their blocks; the call then raises, and nothing more is written.
  const std::vector<Fila> filas = {base({{0, "1"}, {3, "0"}}), base({{0, "2"}}), base({{0, "3"}, {3, "0"}})};
  valtrone::gfAbreConexion();
  valtrone::ctx().gdbConexion->execute("ALTER TABLE tbcttgComprob RENAME TO tbcttgComprob_fuera");
  std::filesystem::remove(log_);
  int16_t modo = 1;
  std::string empresa = "1792045185001", mes = "5", anio = "2013", ruta = log_.string();
  int32_t progreso = 0;
  StringMatrixRef h = hoja(filas);
  EXPECT_ANY_THROW(validador_.ATS2013_Anulados(modo, empresa, mes, anio, h, ruta, progreso));
  EXPECT_EQ(vt::testing::readOptionalFile(log_),
            bloque(1, {"RUC de Empresa no coincide con la empresa seleccionada: 0000000000001",
                       "Código de comprobante no válido 00"}));
}

}  // namespace
