// The purchases store on the file engine: the statements it writes, the purchase, withholding and
// reimbursement rows it leaves, the grouping of reimbursement vouchers, the catalogue codes, the
// rows the database refuses, and the texts of the server engines.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <sstream>

#include "import/importa_compras.hpp"
#include "import/rutinas_hoja.hpp"
#include "platform/database/statement_observer.hpp"
#include "shell/core/conexion.hpp"
#include "shell/core/globals.hpp"
#include "tests/import/almacen_fixture.hpp"
#include "tests/support/files.hpp"

namespace ambrix {
namespace {

using Fila = std::vector<std::string>;
using Cambios = std::map<int, std::string>;

const std::string kGolden = VT_SOURCE_DIR "/tests/import/";

// A purchase of May 2013 as the validator leaves it: one withholding block, no reimbursement.
Fila compra(const Cambios& cambios = {}) {
  Fila f(68);
  const std::map<int, std::string> base = {
      {0, "1792045185001"},
      {1, "05"},
      {2, "2013"},
      {3, "10/05/2013"},
      {4, "15/05/2013"},
      {5, "R"},
      {6, "1791234561001"},
      {9, "NO"},
      {10, "01"},
      {11, "01"},
      {12, "001001"},
      {13, "0000025"},
      {14, "1234567890"},
      {15, "0.00"},
      {16, "0.00"},
      {17, "100.00"},
      {18, "12.00"},
      {19, "0.00"},
      {20, "0.00"},
      {21, "0.00"},
      {22, "0.00"},
      {23, "L"},
      {24, "0"},
      {25, "NO"},
      {26, "NO"},
      {33, "312"},
      {34, "100.00"},
      {35, "1.00"},
      {36, "1.00"},
      {45, "01/01/2000"},
      {46, "0.00"},
      {47, "0"},
      {48, "001001"},
      {49, "0000007"},
      {50, "1234567891"},
      {51, "15/05/2013"},
      {52, "0"},
      {53, "0"},
      {55, "0"},
      {56, "01/01/2000"},
      {57, "0"},
      {58, "0"},
      {59, "0"},
      {60, "0"},
      {61, "0"},
      {62, "0"},
      {63, "0"},
      {64, "0"},
  };
  for (const auto& [c, v] : base) f[c] = v;
  for (const auto& [c, v] : cambios) f[c] = v;
  return f;
}

// A row of a reimbursement voucher (type 41) with its reimbursed document.
Fila reembolso(const std::string& secuencia, const std::string& reembolsado, const Cambios& mas = {}) {
  Cambios c = {{11, "41"},         {13, secuencia}, {52, "R"},         {53, "1790012345001"}, {55, "01"},
               {56, "02/05/2013"}, {57, "002001"},  {58, reembolsado}, {59, "1112223334"},    {60, "0.00"},
               {61, "0.00"},       {62, "10.00"},   {63, "1.20"},      {64, "0.00"}};
  for (const auto& [k, v] : mas) c[k] = v;
  return compra(c);
}

constexpr const char* kVolcadoCompras =
    "select id_reg, co_mes, co_tipoID, co_provee, co_comprob, nu_secu, nu_autoriza, co_iva_2, mo_ret_2, "
    "nu_CRautoriza, fe_CRemision, nu_CRemision_2, fe_comprob_modi, co_Prove_Tipo, co_FormaPago, co_RE_tipoID "
    "from tbAT_Cmprs order by id_reg";
constexpr const char* kVolcadoRetenciones =
    "select co_provee, nu_secu, co_IRcodigo, mo_IRbase, va_IRporc, mo_IRmonto from tbAT_Cmprs_IR order by "
    "id_reg";
constexpr const char* kVolcadoReembolsos =
    "select id_comprob, co_tipoID, nu_secu, co_RE_tipoID, co_RE_provee, fe_RE_emision, nu_RE_secu, "
    "mo_RE_base, "
    "mo_RE_iva from tbAT_Cmprs_RE order by id_reg";

class AlmacenCompras : public testing::AlmacenTest {
 protected:
  std::string almacena(const std::vector<Fila>& filas, std::string mes = "5") {
    gaInfoCompras = hoja(filas);
    std::int16_t ti = 2, cabecera = 1, nivel = 3;
    std::string empresa = "1792045185001", anio = "2013";
    double tolerancia = 0.05;
    return gfImportaCompras(frm_, ti, empresa, mes, anio, cabecera, tolerancia, nivel, frm_.barra);
  }
  std::string volcado() {
    return filas(kVolcadoCompras) + "--\n" + filas(kVolcadoRetenciones) + "--\n" + filas(kVolcadoReembolsos);
  }
};

TEST_F(AlmacenCompras, WritesTheStatementsOfAPurchaseAsTheFileEngineTakesThem) {
  vt::db::StatementRecorder recorder;
  EXPECT_EQ(almacena({compra({{37, ""}, {41, "332"}, {42, "50.00"}, {43, "2"}, {44, "1.00"}})}), "OK");
  std::string textos;
  for (const vt::db::ObservedText& t : recorder.seen)
    if (t.kind != vt::db::ObservedKind::StoredProcedure && t.text.find("tbfechasys") == std::string::npos)
      textos += t.text + "\n";
  EXPECT_EQ(textos, vt::testing::readFile(kGolden + "compras-sentencias.golden"));
}

TEST(ComprasTexts, TheServerEnginesGetTheirKeysAndDateLiterals) {
  std::string textos;
  for (vt::db::Engine motor : {vt::db::Engine::Sql, vt::db::Engine::Oracle}) {
    const ContextoAlmacen c{motor, {{2013, 5, 31}, 10, 15, 0}, "ana", "PC01", "dd/MM/yyyy"};
    const InfoFile h = testing::AlmacenTest::hoja({reembolso("0000025", "0000099")});
    convierteTiposId(*h, 1);
    const ListaInsercion compraL = filaCompra(c, *h, 1, {"0", "01"});
    const ListaInsercion retencion = filaRetencion(c, *h, 1, 1);
    const ListaInsercion reemb = filaReembolso(c, *h, 1, 17);
    for (const ListaInsercion* l : {&compraL, &retencion, &reemb})
      textos += l->campos() + "\n" + l->valores() + "\n";
    textos += consultaIdentidad(motor) + "\n";
  }
  EXPECT_EQ(textos, vt::testing::readFile(kGolden + "compras-motores.golden"));
}

TEST_F(AlmacenCompras, StoresPurchasesWithholdingsAndReimbursementVouchers) {
  const std::vector<Fila> h = {
      // withholding codes in blocks 1 and 3: both are stored
      compra({{13, "1"}, {37, ""}, {41, "332"}, {42, "50"}, {43, "2"}, {44, "1"}}),
      // a voucher of three reimbursement rows, then one of a single row
      reembolso("2", "91"),
      reembolso("2", "92", {{5, "C"}, {52, "C"}}),
      reembolso("0000002", "93"),
      compra({{13, "3"}, {33, "0"}, {34, ""}, {35, ""}, {36, ""}}),
      reembolso("4", "94"),
  };
  EXPECT_EQ(almacena(h), "OK");
  EXPECT_EQ(volcado(), vt::testing::readFile(kGolden + "compras-filas.golden"));
  EXPECT_EQ(log(), "");
}

// The rows of the purchases sheet of every column that the validator passed, as it rewrote them
// (its golden normal form), stored: the rewritten cells are what the store reads, reimbursement
// groups included.
TEST_F(AlmacenCompras, TheValidatorsNormalFormOfTheWholeSheetStoresItsPassedRows) {
  const std::string fallas = vt::testing::readFile(VT_SOURCE_DIR "/tests/batch/compras-completa.log.golden");
  std::istringstream normal(
      vt::testing::readFile(VT_SOURCE_DIR "/tests/batch/compras-completa.normal.golden"));
  std::vector<Fila> filas;
  std::string linea;
  for (long fila = 1; std::getline(normal, linea); ++fila) {
    // Sheet row `fila` has its block as "Registro: fila + 1".
    if (fallas.find("COMPRAS - Registro: " + std::to_string(fila + 1) + "\r\n") != std::string::npos)
      continue;
    Fila celdas;
    std::size_t desde = 0;
    for (std::size_t hasta; (hasta = linea.find(';', desde)) != std::string::npos; desde = hasta + 1)
      celdas.push_back(linea.substr(desde, hasta - desde));
    celdas.push_back(linea.substr(desde));
    ASSERT_EQ(celdas.size(), 68u) << "row " << fila;
    // The sheet repeats one voucher on every row; each purchase gets its own sequential (a
    // reimbursement group keeps one) so that none is refused as typed twice.
    const bool continua = !filas.empty() && celdas[11] == "41" && filas.back()[11] == "41" &&
                          filas.back()[13] == std::to_string(900 + fila - 1);
    celdas[13] = continua ? filas.back()[13] : std::to_string(900 + fila);
    filas.push_back(celdas);
  }
  ASSERT_EQ(filas.size(), 11u);
  EXPECT_EQ(almacena(filas), "OK") << log();
  EXPECT_EQ(volcado(), vt::testing::readFile(kGolden + "compras-completa-filas.golden"));
}

TEST_F(AlmacenCompras, EachColumnRuleOfThePurchaseRow) {
  struct Case {
    Cambios cambios;
    std::string columnas;  // what the dump shows
    std::string esperado;
    const char* why;
  };
  const Case casos[] = {
      {{{21, "0.00"}, {22, "5.00"}}, "co_iva_2, mo_ret_2", "3|5\n", "VAT withheld at 100 %"},
      {{{21, "3.00"}, {22, "5.00"}}, "co_iva_2, mo_ret_2", "2|3\n", "VAT withheld on services"},
      {{{5, "P"}, {6, "AB123"}, {8, "2"}},
       "co_tipoID, co_provee, co_Prove_Tipo",
       "03|AB123|02\n",
       "a passport's supplier type"},
      {{{5, "P"}, {6, "AB123"}, {8, "9"}}, "co_Prove_Tipo", "00\n", "a supplier type not in the catalogue"},
      {{{5, "C"}, {6, "1712345675"}, {8, "2"}},
       "co_tipoID, co_provee, co_Prove_Tipo",
       "02|0001712345675|00\n",
       "a cédula is padded and has no supplier type"},
      {{{32, "1-99-20"}}, "co_FormaPago", "01-20\n", "an unknown payment form is left out"},
      {{{32, "01-20"}}, "co_FormaPago", "01-20\n", "payment forms as the validator checked them"},
      {{{32, "1'2"}}, "co_FormaPago", "\n", "a payment form with an apostrophe is no code"},
      {{{51, ""}}, "fe_CRemision, nu_CRemision_2", "2000-01-01|2000-01-01\n", "no withholding voucher date"},
      {{{14, "123456789"}}, "nu_autoriza", "0123456789\n", "nine digits are padded to ten"},
      {{{14, std::string(37, '4')}}, "nu_autoriza", std::string(37, '4') + "\n", "thirty-seven"},
      {{{27, ""}, {28, ""}, {29, ""}},
       "co_comprob_modi, fe_comprob_modi, nu_serie_modi",
       " |2000-01-01|000000\n",
       "no modified voucher"},
      {{{6, "O'BRIEN"}, {5, "P"}}, "co_provee", "O'BRIEN\n", "an apostrophe is stored as it is"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(almacena({compra(c.cambios)}), "OK") << lastMessage();
    EXPECT_EQ(filas("select " + c.columnas + " from tbAT_Cmprs"), c.esperado);
  }
}

TEST_F(AlmacenCompras, TheSheetKeepsTheConvertedCells) {
  almacena({compra({{51, ""}}), reembolso("2", "91", {{5, "c"}, {52, "p"}})});
  EXPECT_EQ(gaInfoCompras->get(1, 5), "01");
  EXPECT_EQ(gaInfoCompras->get(1, 51), "01/01/2000");
  EXPECT_EQ(gaInfoCompras->get(2, 5), "02");
  EXPECT_EQ(gaInfoCompras->get(2, 52), "03");
}

TEST_F(AlmacenCompras, ARefusedPurchaseStoresNoneOfItsRowsAndTheNextOneLinksItsOwn) {
  exec(
      "CREATE TRIGGER rechaza BEFORE INSERT ON tbAT_Cmprs WHEN NEW.nu_secu = '000000002' "
      "BEGIN SELECT RAISE(ABORT, 'compra rechazada'); END");
  const std::vector<Fila> h = {reembolso("2", "91"), reembolso("2", "92"), reembolso("3", "93")};
  EXPECT_EQ(almacena(h), "OK-ERROR");
  EXPECT_EQ(filas("select count(*) from tbAT_Cmprs_IR where nu_secu = '000000002'"), "0\n");
  EXPECT_EQ(filas("select count(*) from tbAT_Cmprs_RE where nu_secu = '000000002'"), "0\n");
  EXPECT_EQ(filas("select r.nu_RE_secu from tbAT_Cmprs_RE r join tbAT_Cmprs c on c.id_reg = r.id_comprob "
                  "where c.nu_secu = r.nu_secu"),
            "000000093\n");
  EXPECT_TRUE(log().starts_with("COMPRAS - Registro: 2.  en tbAT_Cmprs compra rechazada\r\n ( co_empresa, "))
      << log();
  EXPECT_TRUE(log().ends_with(" )\r\n\r\n")) << log();
  EXPECT_EQ(log().find("Registro: 3"), std::string::npos) << "the continuation row has no line of its own";
}

TEST_F(AlmacenCompras, RefusedWithholdingAndReimbursementRowsAreLoggedAndThePurchaseStays) {
  exec(
      "CREATE TRIGGER rechaza_ir BEFORE INSERT ON tbAT_Cmprs_IR BEGIN SELECT RAISE(ABORT, 'sin retencion'); "
      "END");
  exec(
      "CREATE TRIGGER rechaza_re BEFORE INSERT ON tbAT_Cmprs_RE BEGIN SELECT RAISE(ABORT, 'sin reembolso'); "
      "END");
  EXPECT_EQ(almacena({reembolso("2", "91")}), "OK-ERROR");
  EXPECT_EQ(log(),
            "COMPRAS - Registro: 2 en tbAT_Cmprs_IR sin retencion\r\n\r\n"
            "COMPRAS - Registro: 2 en tbAT_Cmprs_RE sin reembolso\r\n\r\n");
  EXPECT_EQ(filas("select count(*) from tbAT_Cmprs"), "1\n");
}

TEST_F(AlmacenCompras, AnAmountThatIsNoNumberFailsTheInsertInsteadOfEnteringTheStatement) {
  EXPECT_EQ(almacena({compra({{17, "1,50"}}), compra({{13, "2"}, {17, "0); delete from tbAT_Cmprs; --"}})}),
            "OK-ERROR");
  EXPECT_EQ(filas("select count(*) from tbAT_Cmprs"), "0\n");
  EXPECT_NE(log().find("COMPRAS - Registro: 3."), std::string::npos);
}

TEST_F(AlmacenCompras, EachCatalogueCodeIsLookedUpOncePerStore) {
  vt::db::StatementRecorder recorder;
  almacena({compra({{5, "P"}, {6, "X1"}, {8, "2"}, {32, "1-2"}}),
            compra({{5, "P"}, {6, "X2"}, {8, "2"}, {32, "2-1"}})});
  std::vector<std::string> consultas;
  for (const std::string& t : recorder.texts(vt::db::ObservedKind::Query))
    if (t.find("tbCodigoGeneral") != std::string::npos) consultas.push_back(t);
  const std::vector<std::string> esperadas = {
      "SELECT * FROM tbCodigoGeneral Where co_grupo = 'PER' and co_valor = '2'",
      "SELECT * FROM tbCodigoGeneral Where co_grupo = 'FPG' and co_valor = '1'",
      "SELECT * FROM tbCodigoGeneral Where co_grupo = 'FPG' and co_valor = '2'",
  };
  EXPECT_EQ(consultas, esperadas);
}

TEST_F(AlmacenCompras, AnAnnualRunReplacesEveryMonthOfTheYear) {
  almacena({compra({{1, "02"}})}, "2");
  almacena({compra({{1, "04"}, {13, "9"}})}, "99");
  EXPECT_EQ(filas("select co_mes, nu_secu from tbAT_Cmprs"), "04|000000009\n");
}

TEST_F(AlmacenCompras, AStoreKilledBetweenAPurchaseAndItsWithholdingsLeavesTheTablesAsTheyWere) {
  almacena({compra()});
  const std::string antes = volcado();
  gsCierraBD();
  const pid_t hijo = ::fork();
  ASSERT_NE(hijo, -1);
  if (hijo == 0) {
    gsConectaBD();
    vt::db::ScopedStatementObserver matar([](const vt::db::Observation& o) {
      if (o.kind == vt::db::ObservedKind::Execute && o.text.find("tbAT_Cmprs_IR") != std::string::npos &&
          o.text.starts_with("insert"))
        ::kill(::getpid(), SIGKILL);
    });
    almacena({compra({{13, "77"}})});
    ::_exit(0);
  }
  int estado = 0;
  ASSERT_EQ(::waitpid(hijo, &estado, 0), hijo);
  ASSERT_TRUE(WIFSIGNALED(estado));
  gsConectaBD();
  EXPECT_EQ(volcado(), antes);
}

// The annex ties withholdings to a purchase by its voucher: a voucher typed twice in one sheet
// would give each copy the withholdings of both, so the second copy is a refused row.
TEST_F(AlmacenCompras, AVoucherTypedTwiceInTheSheetIsRefusedAsARowOfItsOwn) {
  struct Case {
    std::vector<Fila> hoja;
    const char* compras;          // nu_secu of the stored purchases
    const char* reembolsos;       // nu_RE_secu of the stored reimbursements
    std::vector<int> rechazados;  // log lines' sheet rows (+1)
    const char* why;
  };
  const Case casos[] = {
      {{compra({{13, "7"}}), compra({{13, "7"}})}, "000000007\n", "", {3}, "one invoice typed twice"},
      {{compra({{13, "7"}}), compra({{13, "8"}}), compra({{13, "0000007"}})},
       "000000007\n000000008\n",
       "",
       {4},
       "the same voucher written another way, further down"},
      {{compra({{13, "7"}}), compra({{13, "7"}, {6, "1710034065001"}})},
       "000000007\n000000007\n",
       "",
       {},
       "another supplier's voucher of the same number is another voucher"},
      {{reembolso("7", "91"), reembolso("7", "92")},
       "000000007\n",
       "000000091\n000000092\n",
       {},
       "the rows of one reimbursement group are one voucher"},
      {{reembolso("7", "91"), compra({{13, "8"}}), reembolso("7", "92")},
       "000000007\n000000008\n",
       "000000091\n",
       {4},
       "a reimbursement voucher that comes back after another purchase is typed twice"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    gsRutaLog = temp_.write("log.txt", "");  // each case its own log; the store replaces the period
    EXPECT_EQ(almacena(c.hoja), c.rechazados.empty() ? "OK" : "OK-ERROR");
    EXPECT_EQ(filas("select nu_secu from tbAT_Cmprs order by id_reg"), c.compras);
    EXPECT_EQ(filas("select nu_RE_secu from tbAT_Cmprs_RE order by id_reg"), c.reembolsos);
    EXPECT_EQ(filas("select count(*) from tbAT_Cmprs_IR"), filas("select count(*) from tbAT_Cmprs"))
        << "one withholding row per stored purchase";
    std::string esperado;
    for (int r : c.rechazados)
      esperado +=
          "COMPRAS - Registro: " + std::to_string(r) + ".  en tbAT_Cmprs Comprobante duplicado en la hoja: ";
    if (c.rechazados.empty())
      EXPECT_EQ(log(), "");
    else
      EXPECT_TRUE(log().starts_with(esperado)) << log();
    EXPECT_EQ(entradasLog(), c.rechazados.size());
  }
}

TEST_F(AlmacenCompras, TheRefusedCopyNamesTheVoucherAndTheRowThatStoredIt) {
  EXPECT_EQ(almacena({compra({{13, "7"}}), compra({{13, "7"}})}), "OK-ERROR");
  EXPECT_EQ(
      log(),
      "COMPRAS - Registro: 3.  en tbAT_Cmprs Comprobante duplicado en la hoja: proveedor 1791234561001, tipo "
      "01, serie 001001, secuencial 000000007, autorización 1234567890 (ya almacenado en el registro "
      "2)\r\n\r\n");
}

TEST_F(AlmacenCompras, AnEngineFailureAtAnyInsertKeepsTheEarlierPeriodWholeAndEndsInError) {
  ASSERT_EQ(almacena({compra({{13, "1"}}), reembolso("2", "91")}), "OK");
  const std::vector<Fila> hoja = {compra({{13, "10"}}), reembolso("11", "95"), reembolso("11", "96"),
                                  compra({{13, "12"}})};
  // Inserts in order: purchase 10, its withholding, purchase 11, its withholding, its two
  // reimbursements, purchase 12, its withholding.
  fallaEnteraEnCadaInsercion(
      "COMPRAS", {1, 2, 5, 8}, [&] { return almacena(hoja); }, [&] { return volcado(); });
}

TEST_F(AlmacenCompras, ARowsOwnFaultIsStillARefusedRowBesideTheEngineFailures) {
  testing::FallaEnInsercion falla(3, {19, "CHECK constraint failed: mo_base", vt::db::Failure::Row, false});
  EXPECT_EQ(almacena({compra({{13, "10"}}), compra({{13, "11"}}), compra({{13, "12"}})}), "OK-ERROR");
  EXPECT_EQ(filas("select nu_secu from tbAT_Cmprs order by id_reg"), "000000010\n000000012\n");
  EXPECT_TRUE(log().starts_with("COMPRAS - Registro: 3.  en tbAT_Cmprs CHECK constraint failed: mo_base\r\n"))
      << log();
}

TEST_F(AlmacenCompras, AColumnMissingFromTheDatabaseKeepsThePeriodInsteadOfRefusingEveryRow) {
  ASSERT_EQ(almacena({compra({{13, "1"}})}), "OK");
  const std::string antes = volcado();
  exec("ALTER TABLE tbAT_Cmprs DROP COLUMN co_FormaPago");
  EXPECT_EQ(almacena({compra({{13, "10"}}), compra({{13, "11"}})}), "ERROR");
  EXPECT_EQ(log(), "");
  EXPECT_TRUE(lastMessage().starts_with(
      "COMPRAS: No se grabó la información (tabla o columna faltante en la base de datos). Se conserva"))
      << lastMessage();
  EXPECT_NE(lastMessage().find("co_FormaPago"), std::string::npos) << "the engine's own text follows";
  EXPECT_EQ(filas("select nu_secu from tbAT_Cmprs"), "000000001\n");
}

// A real disk that fills: the child may write no file beyond a few blocks, so the journal of a
// large month cannot grow; the earlier period must come out whole.
TEST_F(AlmacenCompras, AFileSizeLimitReachedWhileStoringKeepsTheEarlierPeriod) {
  ASSERT_EQ(almacena({compra({{13, "1"}}), reembolso("2", "91")}), "OK");
  const std::string antes = volcado();
  std::vector<Fila> grande;
  for (int i = 0; i < 2000; ++i) grande.push_back(compra({{13, std::to_string(100 + i)}}));
  gsCierraBD();
  const pid_t hijo = ::fork();
  ASSERT_NE(hijo, -1);
  if (hijo == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limite{128 * 1024, 128 * 1024};
    ::setrlimit(RLIMIT_FSIZE, &limite);
    gsConectaBD();
    boxes_.mensajes.clear();
    const std::string estado = almacena(grande);
    const bool dicho = lastMessage().starts_with("COMPRAS: No se grabó la información (");
    ::_exit(estado == "ERROR" && dicho ? 0 : 1);
  }
  int estado = 0;
  ASSERT_EQ(::waitpid(hijo, &estado, 0), hijo);
  ASSERT_TRUE(WIFEXITED(estado));
  EXPECT_EQ(WEXITSTATUS(estado), 0) << "the store must end in ERROR with its cause";
  gsConectaBD();
  EXPECT_EQ(volcado(), antes);
}

}  // namespace
}  // namespace ambrix
