// The sales accumulation on the file engine: the totals per client and voucher type that replace
// the period's sales rows, the sign of credit notes per total, the work table left empty, the
// rows the database refuses in either stage, and a cancel while the sheet is copied.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>

#include "import/importa_ventas.hpp"
#include "import/rutinas_hoja.hpp"
#include "platform/database/statement_observer.hpp"
#include "shell/core/globals.hpp"
#include "tests/import/almacen_fixture.hpp"

namespace ambrix {
namespace {

using Fila = std::vector<std::string>;
using Cambios = std::map<int, std::string>;

constexpr const char* kRuc = "1792045185001";

// A single invoice of May 2013 as the validator leaves it.
Fila documento(const std::string& cliente, const Cambios& cambios = {}) {
  Fila f = {kRuc,     "05",      "2013",       "R",     cliente, "CLIENTE", "001",  "18",
            "1",      "0.00",    "0.00",       "10.00", "1.20",  "0.12",    "0.10", "31/05/2013",
            "001001", "0000001", "1234567890", "",      "",      "",        ""};
  for (const auto& [c, v] : cambios) f[c] = v;
  return f;
}

constexpr const char* kVolcado =
    "select co_empresa, co_mes, co_anio, co_tipoID, co_cliente, ds_cliente, co_estable, fe_emision, "
    "fe_conta, "
    "nu_comprob, co_comprob, st_IVAPresun, mo_base_NoIva, mo_base_0, mo_base, co_iva, mo_iva, co_iva_1, "
    "mo_ICEbase, co_ICEcodigo, mo_ICEmonto, st_IRPresun, st_regis, ds_campo1, nu_serie, mo_reten_IVA, "
    "mo_reten_IR, co_usua, fe_regis, ds_wrkst from tbAT_Ventas where co_empresa = '1792045185001' order by "
    "id_reg";
constexpr const char* kVolcadoIR =
    "select co_empresa, co_mes, co_anio, co_estable, co_cliente, co_comprob, co_IRcodigo, mo_IRbase, "
    "va_IRporc, "
    "mo_IRmonto from tbAT_Ventas_IR where co_empresa = '1792045185001' order by id_reg";

// Presses cancel during the n-th yield.
class VentanaQueCancela : public testing::VentanaGrabada {
 public:
  void DoEvents() override {
    VentanaGrabada::DoEvents();
    if (++yields == cancelarEn) gbContinuarProceso = false;
  }
  int yields = 0;
  int cancelarEn = 0;
};

class AcumulaVentas : public testing::AlmacenTest {
 protected:
  void SetUp() override {
    AlmacenTest::SetUp();
    gParametrosEmpresa.gsPorcIVA = "12";
    exec(
        "insert into tbAT_Ventas (co_empresa, co_mes, co_anio, co_cliente) values ('1792045185001', '05', "
        "'2013', 'ANTES')");
    exec(
        "insert into tbAT_Ventas_IR (co_empresa, co_mes, co_anio, co_cliente) values ('1792045185001', '05', "
        "'2013', 'ANTES')");
  }

  std::string acumula(const std::vector<Fila>& filas, std::string mes = "5") {
    gaInfoVentas = hoja(filas);
    std::int16_t cabecera = 1;
    std::string empresa = kRuc, anio = "2013";
    long bandera = 1;
    std::array<std::int16_t, 4> opciones = {2, 0, 0, 0};
    return gfAcumulaVentas(frm_, empresa, mes, anio, bandera, cabecera, frm_.barra, opciones);
  }

  std::string volcado() { return filas(kVolcado) + "--\n" + filas(kVolcadoIR); }
  std::string trabajo() { return filas("select count(*) from tbAT_Ventas_x_Acumular"); }

  VentanaQueCancela frm_;
};

TEST_F(AcumulaVentas, StoresOneTotalPerClientIdentificationTypeAndVoucherType) {
  const std::vector<Fila> h = {
      // three invoices of one client: the lowest establishment, the sums
      documento("1790012345001", {{6, "002"}, {8, "2"}, {11, "10.00"}}),
      documento("1790012345001", {{6, "001"}, {8, "1"}, {11, "20.00"}}),
      documento("1790012345001", {{6, "003"}, {8, "4"}, {11, "30.00"}}),
      // a credit note of the same client is a total of its own, negated, income tax withheld too
      documento("1790012345001", {{7, "04"}, {11, "5.00"}, {12, "0.60"}, {14, "0.25"}}),
      // the same number under another identification type is another total
      documento("1790012345001", {{3, "p"}}),
  };
  EXPECT_EQ(acumula(h), "OK") << log();
  const std::string filasGuardadas = volcado();
  EXPECT_EQ(filasGuardadas, testing::golden("ventas-acumuladas.golden", filasGuardadas));
  EXPECT_EQ(trabajo(), "0\n");
  EXPECT_EQ(log(), "");
  EXPECT_TRUE(boxes_.mensajes.empty()) << lastMessage();
  EXPECT_EQ(gaInfoVentas->get(5, 3), "06");
  EXPECT_FALSE(gConexion->inTransaction());
  const std::vector<std::string> estados = {
      "STATUS VENTAS: Preparando informacion a acumular...", "STATUS VENTAS: Acuulando informacion...",
      "STATUS Acumulando información de VENTAS...", "STATUS VENTAS: Proceso acumulacion terminado..."};
  std::vector<std::string> vistos;
  for (const std::string& e : frm_.eventos)
    if (e.starts_with("STATUS")) vistos.push_back(e);
  EXPECT_EQ(vistos, estados);
}

TEST_F(AcumulaVentas, AnAnnualRunStoresOneTotalPerMonthAndReplacesTheYear) {
  exec(
      "insert into tbAT_Ventas (co_empresa, co_mes, co_anio, co_cliente) values ('1792045185001', '01', "
      "'2013', 'ENERO')");
  EXPECT_EQ(acumula({documento("1790012345001", {{1, "02"}}), documento("1790012345001", {{1, "03"}}),
                     documento("1790012345001", {{1, "03"}})},
                    "99"),
            "OK");
  EXPECT_EQ(
      filas("select co_mes, co_cliente, fe_emision, nu_comprob, mo_base from tbAT_Ventas where co_empresa = "
            "'1792045185001' order by co_mes"),
      "02|1790012345001|2013-02-28|1|10\n03|1790012345001|2013-03-31|2|20\n");
}

TEST_F(AcumulaVentas, ARefusedWorkRowIsLoggedOnceAndLeftOutOfTheTotals) {
  refuse("tbAT_Ventas_x_Acumular", "NEW.mo_base = 20");
  // A refused row is never reported as OK: the run then offers the log, as the detail store does.
  EXPECT_EQ(acumula({documento("1790012345001"), documento("1790012345001", {{11, "20.00"}})}), "OK-ERROR");
  EXPECT_EQ(log(), "VENTAS Acumular - Registro: 3. fila rechazada\r\n\r\n");
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_EQ(lastMessage(), "ALGUNOS REGISTROS NO FUERON IMPORTADOS. \r\n\r\nRevise archivo de errores: \r\n");
  EXPECT_EQ(boxes_.mensajes[0].icono, vt::Icono::Informacion);
  EXPECT_EQ(filas("select co_cliente, mo_base from tbAT_Ventas where co_empresa = '1792045185001'"),
            "1790012345001|10\n");
}

TEST_F(AcumulaVentas, ARefusedTotalIsReportedAndStoresNoIncomeTaxRow) {
  refuse("tbAT_Ventas", "NEW.co_cliente = '1790012345001'");
  EXPECT_EQ(acumula({documento("1790012345001"), documento("0991234567001")}), "OK-ERROR");
  EXPECT_EQ(filas("select co_cliente from tbAT_Ventas_IR where co_empresa = '1792045185001'"),
            "0991234567001\n");
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_EQ(lastMessage(),
            "ERROR AL GRABAR REGISTRO \r\n   Cliente      : 1790012345001 | \r\nfila rechazada\r\n");
  EXPECT_TRUE(log().starts_with("VENTAS - Grabar registro: 3\r\n( co_empresa, ")) << log();
  EXPECT_TRUE(
      log().ends_with(" ds_wrkst )tbAT_Ventas('1792045185001', '05', '2013', '04', '1790012345001', "
                      "'2013-05-31', '2013-05-31', '1', '18', 'N', 0.00, 0.00, 10.00, '2', 1.20, 0.00, "
                      "'0', 0.00, 0.00, '0', 0.00, 0.00, 0, 0.00, 'N', 'A', '001', 0.12, 0.10, ' ', ' ', "
                      "' ', 'ana', '2013-05-31 10:15:00', 'ana', '2013-05-31 10:15:00', 'PC01' )fila "
                      "rechazada\r\n"))
      << log();
  EXPECT_EQ(trabajo(), "0\n");
}

TEST_F(AcumulaVentas, ARefusedIncomeTaxTotalIsReportedAndTheSalesTotalStays) {
  refuse("tbAT_Ventas_IR", "1");
  EXPECT_EQ(acumula({documento("1790012345001")}), "OK-ERROR");
  EXPECT_EQ(filas("select co_cliente from tbAT_Ventas where co_empresa = '1792045185001'"),
            "1790012345001\n");
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_EQ(lastMessage(), "Acumula total retenciones IR por clientefila rechazada");
  EXPECT_EQ(log(),
            "VENTAS IR - Grabar Registro #: 2\r\n( co_empresa, co_mes, co_anio, co_estable, co_cliente, "
            "co_comprob, mo_IRbase, co_IRcodigo, va_IRporc, mo_IRmonto)tbAT_Ventas_IR('1792045185001', '05', "
            "'2013', '001', '1790012345001', '18', 0.00, '0', 0, 0.00 )\r\n");
}

TEST_F(AcumulaVentas, AnEngineFailureInEitherStageKeepsThePeriodsSalesAndEndsInError) {
  // Inserts in order: the two work rows, then each total's sales row and income-tax row.
  fallaEnteraEnCadaInsercion(
      "VENTAS", {1, 2, 3, 4, 6},
      [&] {
        return acumula({documento("1790012345001"), documento("0991234567001")});
      },
      // The work rows of a copy that went in stay until the next run replaces them.
      [&] { return volcado(); });
}

// The totals are read one at a time as they are stored. Random months, of one total, of as many
// as the bar shows one by one and one more, and past its steps of a hundredth and of 500 rows,
// each total stored as the plain sums of its sheet rows give it, in the order of its key; the
// bar ends at the count of totals.
TEST_F(AcumulaVentas, RandomMonthsStoreTheSumsOfEveryGroupOneRowEach) {
  std::mt19937 azar(36);
  for (const int grupos : {1, 99, 100, 101, 500, 1001}) {
    struct Total {
      long comprobantes = 0;
      long centavos = 0;
      std::string establecimiento = "999";
    };
    std::map<std::string, Total> esperados;  // "tipoID|cliente|comprobante"
    std::vector<Fila> h;
    const char* const tipos[] = {"R", "C", "P"};
    const std::map<std::string, std::string> codigos = {{"R", "04"}, {"C", "05"}, {"P", "06"}};
    for (int g = 0; g < grupos; ++g) {
      const std::string tipo = tipos[azar() % 3];
      const std::string cliente = std::to_string(1790000000001 + azar() % 1000 * 1000000 + g);
      const std::string comprobante = azar() % 4 == 0 ? "04" : "18";
      // The first and the last group come back most, the others one to three times.
      const int veces = g == 0 || g == grupos - 1 ? 5 : 1 + static_cast<int>(azar() % 3);
      Total& t = esperados[codigos.at(tipo) + "|" + cliente + "|" + comprobante];
      for (int v = 0; v < veces; ++v) {
        const long centavos = static_cast<long>(azar() % 100000);
        const long cuenta = 1 + static_cast<long>(azar() % 9);
        const std::string estab = "00" + std::to_string(1 + azar() % 9);
        char monto[32];
        std::snprintf(monto, sizeof monto, "%ld.%02ld", centavos / 100, centavos % 100);
        h.push_back(documento(
            cliente, {{3, tipo}, {6, estab}, {7, comprobante}, {8, std::to_string(cuenta)}, {11, monto}}));
        t.comprobantes += cuenta;
        t.centavos += comprobante == "04" ? -centavos : centavos;
        t.establecimiento = std::min(t.establecimiento, estab);
      }
    }
    std::shuffle(h.begin(), h.end(), azar);
    ASSERT_EQ(acumula(h), "OK") << grupos << log();
    std::string esperado;
    for (const auto& [clave, t] : esperados)
      esperado += clave + "|" + std::to_string(t.comprobantes) + "|" + std::to_string(t.centavos) + "|" +
                  t.establecimiento + "\n";
    EXPECT_EQ(
        filas("select co_tipoID, co_cliente, co_comprob, nu_comprob, cast(round(mo_base * 100) as integer), "
              "co_estable from tbAT_Ventas where co_empresa = '1792045185001' order by co_tipoID, "
              "co_cliente, co_comprob"),
        esperado)
        << grupos;
    EXPECT_EQ(filas("select count(*) from tbAT_Ventas_IR where co_empresa = '1792045185001'"),
              std::to_string(esperados.size()) + "\n");
    EXPECT_EQ(frm_.barra.max, static_cast<long>(esperados.size())) << grupos;
    EXPECT_EQ(frm_.barra.value, static_cast<long>(esperados.size())) << grupos;
    EXPECT_EQ(trabajo(), "0\n");
    EXPECT_FALSE(gConexion->inTransaction());
  }
}

TEST(ProgresoAlmacen, ALargeSheetMovesTheBarAtMostOncePerHundredthOrFiveHundredRows) {
  struct Case {
    long total;
    long movimientos;  // rows 1..total that move the bar
    const char* why;
  };
  const Case casos[] = {
      {4, 4, "a small sheet shows every row"},
      {99, 99, "under a hundred rows, every row"},
      {1200, 100, "a hundredth is 12 rows"},
      {1250, 105, "the last row is shown besides the steps"},
      {100000, 200, "a large sheet: every 500 rows, not every 1,000"},
  };
  for (const Case& c : casos) {
    long n = 0;
    for (long fila = 1; fila <= c.total; ++fila)
      if (muestraProgreso(fila, c.total)) ++n;
    EXPECT_EQ(n, c.movimientos) << c.why;
    EXPECT_TRUE(muestraProgreso(c.total, c.total)) << c.why;
  }
}

TEST_F(AcumulaVentas, ACancelWhileCopyingLeavesTheSalesTablesAndTheWorkTableAsTheyWere) {
  frm_.cancelarEn = 2;
  EXPECT_EQ(acumula({documento("1790012345001"), documento("1790012345001"), documento("1790012345001")}),
            "CANCEL");
  EXPECT_EQ(filas("select co_cliente from tbAT_Ventas"), "ANTES\n");
  EXPECT_EQ(filas("select co_cliente from tbAT_Ventas_IR"), "ANTES\n");
  EXPECT_EQ(trabajo(), "0\n");
  EXPECT_FALSE(gConexion->inTransaction());
}

TEST_F(AcumulaVentas, WorkRowsLeftByAnInterruptedRunAreReplaced) {
  exec(
      "insert into tbAT_Ventas_x_Acumular (co_empresa, co_mes, co_anio, co_tipoID, co_cliente, co_comprob, "
      "nu_comprob, mo_base) values ('1792045185001', '05', '2013', '04', '1790012345001', '18', 7, 700)");
  EXPECT_EQ(acumula({documento("1790012345001")}), "OK");
  EXPECT_EQ(filas("select nu_comprob, mo_base from tbAT_Ventas where co_empresa = '1792045185001'"),
            "1|10\n");
}

TEST_F(AcumulaVentas, TheTotalsQueryIsTheOneTheProgramAlwaysRanAndItsGroupsAreCounted) {
  vt::db::StatementRecorder recorder;
  acumula({documento("1790012345001")});
  std::vector<std::string> consultas;
  for (const std::string& t : recorder.texts(vt::db::ObservedKind::Query))
    if (t.find("tbAT_Ventas_x_Acumular") != std::string::npos) consultas.push_back(t);
  const std::string totales =
      "SELECT " + camposTotalesVentas() +
      " FROM tbAT_Ventas_x_Acumular A  Where co_empresa = '1792045185001' and co_mes = "
      "'05' and co_anio = '2013'  GROUP BY co_empresa, co_mes, co_anio, co_tipoID, "
      "co_cliente, co_comprob  ";
  // The totals are walked as they are stored; the bar's end is their count, asked apart as the
  // distinct keys of the same work rows.
  const std::string cuenta =
      "SELECT count(*) FROM (SELECT DISTINCT co_empresa, co_mes, co_anio, co_tipoID, co_cliente, co_comprob "
      "FROM tbAT_Ventas_x_Acumular A  Where co_empresa = '1792045185001' and co_mes = '05' and co_anio = "
      "'2013' )";
  EXPECT_EQ(consultas, (std::vector<std::string>{totales, cuenta}));
}

TEST_F(AcumulaVentas, TheBarEndsAtTheNumberOfTotalsWhateverTheirKeysHold) {
  struct Case {
    std::vector<std::string> clientes;
    const char* why;
  };
  const Case casos[] = {
      {{"", "", "1790012345001"}, "empty clients make one group of their own"},
      {{"abc", "ABC", "abc"}, "keys differing only in case are two groups"},
      {{"abc", "abc ", " abc"}, "blanks around a key as the sheet has them"},
      {{"1790012345001"}, "a single total"},
  };
  for (const Case& c : casos) {
    std::vector<Fila> h;
    for (const std::string& cliente : c.clientes) h.push_back(documento(cliente));
    acumula(h);
    const std::string totales = filas("select count(*) from tbAT_Ventas where co_empresa = '1792045185001'");
    EXPECT_EQ(std::to_string(frm_.barra.max) + "\n", totales) << c.why;
    EXPECT_EQ(frm_.barra.value, frm_.barra.max) << c.why;
  }
}

}  // namespace
}  // namespace ambrix
