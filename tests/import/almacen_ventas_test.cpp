// The sales store in detail on the file engine: the statements it writes, one sales row and one
// income-tax row per sheet row, the sign of credit notes, the identification-type codes, the rows
// the database refuses and the limit of refused rows, and the texts of the server engines.

#include <gtest/gtest.h>

#include <map>

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

// A sales row of May 2013 as the validator leaves it: a RUC client, invoices (18), taxed base 100.
Fila venta(const Cambios& cambios = {}) {
  Fila f = {kRuc,
            "05",
            "2013",
            "R",
            "1790012345001",
            "CLIENTE UNO",
            "001",
            "18",
            "3",
            "0.00",
            "10.00",
            "100.00",
            "12.00",
            "1.20",
            "2.00",
            "31/05/2013",
            "001001",
            "0000001",
            "1234567890",
            "",
            "",
            "",
            ""};
  for (const auto& [c, v] : cambios) f[c] = v;
  return f;
}

constexpr const char* kVolcadoVentas =
    "select co_empresa, co_mes, co_anio, co_tipoID, co_cliente, ds_cliente, co_estable, fe_emision, "
    "fe_conta, "
    "nu_comprob, co_comprob, st_IVAPresun, mo_base_NoIva, mo_base_0, mo_base, co_iva, mo_iva, mo_iva_1, "
    "co_iva_1, mo_ret_1, mo_ICEbase, co_ICEcodigo, st_IRPresun, st_regis, ds_campo1, nu_serie, nu_secu, "
    "nu_autoriza, mo_reten_IVA, mo_reten_IR, co_usua, fe_regis, ds_wrkst from tbAT_Ventas order by id_reg";
constexpr const char* kVolcadoIR =
    "select co_empresa, co_mes, co_anio, co_estable, co_cliente, co_comprob, co_IRcodigo, mo_IRbase, "
    "va_IRporc, "
    "mo_IRmonto from tbAT_Ventas_IR order by id_reg";

class AlmacenVentas : public testing::AlmacenTest {
 protected:
  void SetUp() override {
    AlmacenTest::SetUp();
    gParametrosEmpresa.gsPorcIVA = "12";
    // Rows stored before: the period's own, another month, another company.
    for (const char* valores :
         {"('1792045185001', '05', '2013', 'ANTES')", "('1792045185001', '04', '2013', 'ABRIL')",
          "('0992314702001', '05', '2013', 'OTRA')"}) {
      exec(std::string("insert into tbAT_Ventas (co_empresa, co_mes, co_anio, co_cliente) values ") +
           valores);
      exec(std::string("insert into tbAT_Ventas_IR (co_empresa, co_mes, co_anio, co_cliente) values ") +
           valores);
    }
  }

  std::string almacena(const std::vector<Fila>& filas, std::string mes = "5") {
    gaInfoVentas = hoja(filas);
    std::int16_t ti = 2, cabecera = 1;
    std::string empresa = kRuc, anio = "2013";
    long bandera = 1;
    double tolerancia = 0.05;
    std::array<std::int16_t, 4> opciones = {1, 0, 0, 0};
    return gfImportaVentas(frm_, ti, empresa, mes, anio, bandera, cabecera, tolerancia, frm_.barra, opciones);
  }

  std::string clientes() { return filas("select co_cliente from tbAT_Ventas order by id_reg"); }
  std::string clientesIR() { return filas("select co_cliente from tbAT_Ventas_IR order by id_reg"); }

  static constexpr const char* kAntes = "ANTES\nABRIL\nOTRA\n";
};

TEST_F(AlmacenVentas, WritesTheDeletesAndBothInsertsAsTheFileEngineTakesThem) {
  vt::db::StatementRecorder recorder;
  EXPECT_EQ(almacena({venta()}), "OK");
  std::string textos;
  for (const std::string& t : recorder.texts(vt::db::ObservedKind::Execute))
    if (t.starts_with("delete") || t.starts_with("insert")) textos += t + "\n";
  EXPECT_EQ(textos, testing::golden("ventas-sentencias.golden", textos));
}

TEST_F(AlmacenVentas, StoresOneSalesRowAndOneIncomeTaxRowPerSheetRow) {
  const std::vector<Fila> h = {
      venta(),
      // a credit note: every amount negated, the income tax withheld of its IR row too
      venta({{4, "1790012345001"}, {7, "04"}, {8, "1"}, {9, "5.00"}, {10, "0.00"}, {13, "0.00"}}),
      // a lower-case letter with blanks, a cédula, no income tax withheld
      venta({{3, " c "}, {4, "0001712345675"}, {14, "0.00"}, {5, "  NOMBRE CON BLANCOS  "}}),
      // a passport of February 2012 and a final consumer: each row keeps its own month
      venta({{1, "02"}, {2, "2012"}, {3, "P"}, {4, "AB12345"}, {15, "10/02/2012"}}),
      venta({{3, "F"}, {4, "9999999999999"}, {6, " 002 "}, {16, " 002001 "}}),
      // a letter outside R, C, P, F stays and is stored as a code
      venta({{3, "X"}, {4, "1790012345001"}, {5, std::string(120, 'N')}}),
  };
  EXPECT_EQ(almacena(h, "99"), "OK") << log();
  const std::string volcado = filas(kVolcadoVentas) + "--\n" + filas(kVolcadoIR);
  EXPECT_EQ(volcado, testing::golden("ventas-filas.golden", volcado));
  EXPECT_EQ(log(), "");
  // The sheet keeps the codes it was stored with.
  const Fila tipos = {"04", "04", "05", "06", "07", "X"};
  for (long f = 1; f <= 6; ++f) EXPECT_EQ(gaInfoVentas->get(f, 3), tipos[f - 1]) << "row " << f;
}

TEST_F(AlmacenVentas, TheVatRateCodeFollowsTheCompanysPercentage) {
  struct Case {
    const char* porcentaje;
    const char* codigo;
  };
  for (const Case c : {Case{"12", "2"}, Case{"14", "3"}, Case{"10", "1"}, Case{"15", ""}, Case{"", ""}}) {
    SCOPED_TRACE(c.porcentaje);
    gParametrosEmpresa.gsPorcIVA = c.porcentaje;
    EXPECT_EQ(almacena({venta()}), "OK");
    EXPECT_EQ(filas("select co_iva from tbAT_Ventas where co_mes = '05' and co_empresa = '1792045185001'"),
              std::string(c.codigo) + "\n");
  }
}

TEST_F(AlmacenVentas, ReplacesOnlyTheCompanysMonth) {
  EXPECT_EQ(almacena({venta()}), "OK");
  EXPECT_EQ(clientes(), "ABRIL\nOTRA\n1790012345001\n");
  EXPECT_EQ(clientesIR(), "ABRIL\nOTRA\n1790012345001\n");
  const std::vector<std::string> estados = {"STATUS VENTAS: Reemplazando informacion anterior...",
                                            "STATUS VENTAS: Almacenando registros...",
                                            "STATUS VENTAS: Proceso de almacenamiento terminado..."};
  EXPECT_EQ(frm_.eventos, estados);
  EXPECT_FALSE(gConexion->inTransaction());
}

TEST_F(AlmacenVentas, ARefusedSalesRowIsLoggedAndItsIncomeTaxRowIsStillStored) {
  refuse("tbAT_Ventas", "NEW.co_cliente = '0000000000002'");
  EXPECT_EQ(almacena({venta({{4, "1"}}), venta({{4, "2"}}), venta({{4, "3"}})}), "OK-ERROR");
  EXPECT_EQ(clientes(), "ABRIL\nOTRA\n0000000000001\n0000000000003\n");
  EXPECT_EQ(clientesIR(), "ABRIL\nOTRA\n0000000000001\n0000000000002\n0000000000003\n");
  EXPECT_EQ(log(), testing::golden("ventas-rechazada.golden", log()));
  EXPECT_TRUE(boxes_.mensajes.empty()) << lastMessage();
}

TEST_F(AlmacenVentas, ARefusedIncomeTaxRowIsLoggedAndTheSalesRowStays) {
  refuse("tbAT_Ventas_IR", "NEW.co_cliente = '0000000000002'");
  EXPECT_EQ(almacena({venta({{4, "1"}}), venta({{4, "2"}})}), "OK-ERROR");
  EXPECT_EQ(clientes(), "ABRIL\nOTRA\n0000000000001\n0000000000002\n");
  EXPECT_EQ(
      log(),
      "VENTAS IR - Registro: 3. fila rechazada\r\n( co_empresa, co_mes, co_anio, co_cliente, co_comprob,  "
      "co_IRcodigo, mo_IRbase, va_IRporc, mo_IRmonto )  tbAT_Ventas_IR ('1792045185001', '05', '2013', "
      "'0000000000002', '18', '0', 0.00, 0, 2.00 )\r\n");
}

TEST_F(AlmacenVentas, TheLimitOfRefusedRowsCountsBothTablesAndEndsWithNothingStored) {
  struct Case {
    const char* tabla;  // the table whose inserts are all refused
    std::vector<vt::Respuesta> respuestas;
    std::vector<std::string> vistos;  // messages shown
    std::size_t lineasRetencion;      // "en Retenciones de IR" lines
    const char* why;
  };
  const std::string pregunta = " registros errados \r\n\r\n ¿Desea continuar con el proceso? ";
  const std::string demasiados = "Proceso será cancelado porque contiene muchos errores";
  const Case casos[] = {
      {"tbAT_Ventas", {vt::Respuesta::No}, {"VENTAS: Se han encontrado 3" + pregunta}, 0, "no at the third"},
      {"tbAT_Ventas",
       {vt::Respuesta::Si, vt::Respuesta::Si, vt::Respuesta::Si},
       {"VENTAS: Se han encontrado 3" + pregunta, "VENTAS: Se han encontrado 10" + pregunta,
        "VENTAS: Se han encontrado 20" + pregunta, demasiados},
       0,
       "the 21st refused row ends the store"},
      {"1",
       {vt::Respuesta::Si, vt::Respuesta::No},
       {"VENTAS: Se han encontrado 3" + pregunta, "VENTAS IR: Se han encontrado 10" + pregunta},
       0,
       "both rows of every sheet row refused: the income-tax row reaches ten"},
      {"tbAT_Ventas_IR",
       {vt::Respuesta::Si, vt::Respuesta::No},
       {"VENTAS IR: Se han encontrado 3" + pregunta, "VENTAS IR: Se han encontrado 10" + pregunta},
       1,
       "a yes about income-tax rows adds its line"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    boxes_.mensajes.clear();
    temp_.write("log.txt", "");
    exec("DROP TRIGGER IF EXISTS rechaza_tbAT_Ventas");
    exec("DROP TRIGGER IF EXISTS rechaza_tbAT_Ventas_IR");
    if (std::string(c.tabla) == "1") {
      refuse("tbAT_Ventas", "1");
      refuse("tbAT_Ventas_IR", "1");
    } else {
      refuse(c.tabla, "1");
    }
    for (vt::Respuesta r : c.respuestas) boxes_.responder(r);
    std::vector<Fila> h;
    for (int i = 1; i <= 25; ++i) h.push_back(venta({{4, std::to_string(i)}}));
    EXPECT_EQ(almacena(h), "CANCEL");
    std::vector<std::string> vistos;
    for (const auto& m : boxes_.mensajes) {
      vistos.push_back(m.texto);
      EXPECT_EQ(m.icono, vt::Icono::Critico);
    }
    EXPECT_EQ(vistos, c.vistos);
    std::size_t lineas = 0;
    for (std::size_t p = log().find("en Retenciones de IR"); p != std::string::npos;
         p = log().find("en Retenciones de IR", p + 1))
      ++lineas;
    EXPECT_EQ(lineas, c.lineasRetencion);
    EXPECT_EQ(clientes(), kAntes);
    EXPECT_EQ(clientesIR(), kAntes);
    EXPECT_FALSE(gConexion->inTransaction());
  }
}

TEST_F(AlmacenVentas, AnEngineFailureAtAnyInsertKeepsThePeriodAndEndsInError) {
  // Inserts in order: each sheet row's sales row, then its income-tax row.
  fallaEnteraEnCadaInsercion(
      "VENTAS", {1, 2, 4},
      [&] {
        return almacena({venta({{4, "1"}}), venta({{4, "2"}})});
      },
      [&] { return filas(kVolcadoVentas) + "--\n" + filas(kVolcadoIR); });
}

TEST_F(AlmacenVentas, CellsCannotChangeTheStatement) {
  struct Case {
    Cambios cambios;
    const char* why;
  };
  const Case casos[] = {
      {{{5, "O'BRIEN & HIJOS"}}, "an apostrophe in the name is stored as it is"},
      {{{4, "2"}, {18, "1'); delete from tbAT_Ventas; --"}}, "a statement inside a cell stays text"},
      {{{4, "3"}, {11, "0); delete from tbAT_Ventas; --"}}, "an amount that is no number fails the insert"},
  };
  std::vector<Fila> h;
  for (const Case& c : casos) h.push_back(venta(c.cambios));
  EXPECT_EQ(almacena(h), "OK-ERROR");
  EXPECT_EQ(
      filas("select ds_cliente, nu_autoriza from tbAT_Ventas where co_mes = '05' and co_anio = '2013' and "
            "co_empresa = '1792045185001' order by id_reg"),
      "O'BRIEN & HIJOS|1234567890\nCLIENTE UNO|1'); delete from tbAT_Ventas; --\n");
  EXPECT_TRUE(log().starts_with("VENTAS - Registro: 4. ")) << log();
}

TEST(VentasTexts, TheServerEnginesGetTheirKeysAndDateLiterals) {
  std::string textos;
  for (vt::db::Engine motor : {vt::db::Engine::Sql, vt::db::Engine::Oracle}) {
    const ContextoAlmacen c{motor, {{2013, 5, 31}, 10, 15, 0}, "ana", "PC01", "dd/MM/yyyy"};
    const InfoFile h = testing::AlmacenTest::hoja({venta({{1, "02"}, {2, "2012"}, {7, "04"}})});
    convierteTipoIdVenta(*h, 1);
    for (const ListaInsercion& l :
         {filaVenta(c, *h, 1, "2"), filaVentaIR(c, *h, 1), filaVentaAcumular(c, *h, 1, "2")})
      textos += l.campos() + "\n" + l.valores() + "\n";
  }
  EXPECT_EQ(textos, testing::golden("ventas-motores.golden", textos));
}

}  // namespace
}  // namespace ambrix
