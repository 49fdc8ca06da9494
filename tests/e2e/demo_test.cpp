// The README's main job (`make demo`) on a copy of the demo folder and the fixture database, run
// from the copy's root as make runs it from the repository's.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <regex>

#include "ambrix/version.hpp"
#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/temp_folder.hpp"

namespace ambrix {
namespace {

namespace fs = std::filesystem;

using vt::testing::copyDemo;

vt::testing::ProgramRun runDemo(const fs::path& root, const std::string& registry) {
  return vt::testing::runBatch(root, "examples/demo/win.ini",
                               "--config-dir examples/demo --state examples/demo/mayo-2013.ini",
                               {{"VALTRONE_REGISTRY", registry}, {"VALTRONE_CONFIG_DIR", std::nullopt}});
}

std::size_t veces(const std::string& texto, const std::string& parte) {
  std::size_t n = 0;
  for (std::size_t at = texto.find(parte); at != std::string::npos; at = texto.find(parte, at + 1)) ++n;
  return n;
}

// The four sheets are validated once, then validated again as each is stored, and the annex file
// of the period is written from what was stored and holds to the tax authority's schema.
TEST(Demo, TheMainJobStoresTheFourSheetsOfMay2013AndWritesTheirAnnex) {
  vt::testing::TempFolder root("e2e");
  copyDemo(root.path());
  const vt::testing::ProgramRun r = runDemo(root.path(), VT_BINARY_DIR "/automation.reg");
  EXPECT_EQ(r.status, 0);
  const auto avance = [](int total) {
    std::string lineas;
    for (int i = 0; i <= total; ++i) lineas += "PROGRESS: " + std::to_string(i) + "/" + std::to_string(total) + "\n";
    return lineas;
  };
  EXPECT_EQ(r.out,
            "STATUS: Cargando informacion a validar...\n"
            "PROGRESS: 10/100\n"
            "STATUS: Validando información de COMPRAS...\n"
            "PROGRESS: 13/100\n"
            "PROGRESS: 30/100\n"
            "STATUS: Validando información de VENTAS...\n"
            "PROGRESS: 5/100\n"
            "PROGRESS: 60/100\n"
            "STATUS: Validando informacion de Comprobantes ANULADOS...\n"
            "PROGRESS: 3/100\n"
            "PROGRESS: 90/100\n"
            "STATUS: Validando informacion de EXPORTACIONES...\n"
            "PROGRESS: 3/100\n"
            "PROGRESS: 100/100\n"
            "STATUS: Cargando informacion a validar...\n"
            "PROGRESS: 10/100\n"
            "STATUS: Validando información de COMPRAS...\n"
            "STATUS: COMPRAS: Reemplazando informacion anterior...\n"
            "STATUS: COMPRAS: Almacenando registros...\n"
            "STATUS: COMPRAS: Proceso de almacenamiento terminado...\n"
            "PROGRESS: 100/100\n"
            "PROGRESS: 30/100\n"
            "STATUS: Validando información de VENTAS...\n"
            "STATUS: VENTAS: Reemplazando informacion anterior...\n"
            "STATUS: VENTAS: Almacenando registros...\n"
            "STATUS: VENTAS: Proceso de almacenamiento terminado...\n"
            "PROGRESS: 100/100\n"
            "PROGRESS: 60/100\n"
            "STATUS: Validando informacion de Comprobantes ANULADOS...\n"
            "STATUS: ANULADOS: Reemplazando informacion anterior...\n"
            "STATUS: ANULADOS: Almacenando registros...\n"
            "STATUS: ANULADOS: Proceso de almacenamiento terminado...\n"
            "PROGRESS: 100/100\n"
            "PROGRESS: 90/100\n"
            "STATUS: Validando informacion de EXPORTACIONES...\n"
            "STATUS: EXPORTACIONES: Reemplazando informacion anterior...\n"
            "STATUS: EXPORTACIONES: Almacenando registros...\n"
            "STATUS: EXPORTACIONES: Proceso de almacenamiento terminado...\n"
            "PROGRESS: 100/100\n"
            "STATUS: \n"
            "PROGRESS: 0/100\n"
            "MSGBOX INFORMACION Tolvex: Proceso de validacion terminado OK.\n"
            "STATUS: Generando archivo AT52013.xml\n"
            "STATUS: Procesando información: AGENTE DE RETENCION...\n"
            "PROGRESS: 1/1\n"
            "STATUS: \n"
            "STATUS: Procesando información: COMPRAS...\n" +
                avance(10) + "STATUS: Procesando información: VENTAS...\n" + avance(4) +
                "STATUS: Procesando información: EXPORTACIONES...\n" + avance(2) +
                "STATUS: Procesando información: COMPROBANTES ANULADOS...\n" + avance(2) +
                "MSGBOX INFORMACION Tolvex: Archivo AT052013.XML generado con éxito.\n"
                "PROGRESS: 0/2\n"
                "STATUS: \n"
                "INI: [PATH_Files] ATS=AT052013.XML\n");
  const fs::path log = root.path() / "build" / "demo" / "tolvexError_2013-05.txt";
  EXPECT_TRUE(fs::exists(log));
  EXPECT_EQ(fs::file_size(log), 0u);

  const auto consulta = [&](const std::string& sql) {
    return vt::testing::runCommand(
               "sqlite3 -batch -list examples/demo/db/GLOBAL.MDB " + vt::testing::quoted(sql),
               {.folder = root.path()})
        .out;
  };
  // The three rows of the reimbursement voucher (type 41) are one purchase and its three
  // reimbursements; the cédula of the fourth row is stored as the supplier key of 13 digits.
  EXPECT_EQ(consulta("SELECT co_comprob, nu_serie, nu_secu, co_provee, fe_emision, mo_base_NoIva, mo_base_0, "
                     "mo_base, mo_iva FROM tbAT_Cmprs WHERE co_empresa = '1792045185001' AND co_mes = '05' "
                     "AND co_anio = '2013' ORDER BY id_reg"),
            "01|001001|000000101|1791234561001|2013-05-02|0|50|100|12\n"
            "01|002001|000000055|1710034065001|2013-05-03|0|20|0|0\n"
            "01|001002|000001234|0992314702001|2013-05-06|0|0|1500|180\n"
            "03|001001|000000031|0001710034065|2013-05-08|0|80|0|0\n"
            "03|001001|000000032|AB123456|2013-05-09|0|40|0|0\n"
            "04|001001|000000007|1791234561001|2013-05-13|0|0|10|1.2\n"
            "01|001001|000003000|1760012320001|2013-05-14|5|0|200|24\n"
            "41|001003|000000500|1791234561001|2013-05-16|0|30|100|12\n"
            "01|001001|000000102|1791234561001|2013-05-20|0|0|800|96\n"
            "05|001001|000000008|1791234561001|2013-05-27|0|0|20|2.4\n");
  EXPECT_EQ(
      consulta(
          "SELECT c.co_comprob, count(*) FROM tbAT_Cmprs_RE r JOIN tbAT_Cmprs c ON c.id_reg = r.id_comprob "
          "GROUP BY c.id_reg"),
      "41|3\n");
  EXPECT_EQ(
      consulta("SELECT co_comprob, nu_serie, nu_secu_ini, nu_secu_fin, nu_autoriza, fe_anula, st_regis "
               "FROM tbAT_CmptsAnu WHERE co_empresa = '1792045185001' AND co_mes = '05' AND co_anio = '2013' "
               "ORDER BY id_reg"),
      "01|001001|000000101|000000101|1110123456|2013-05-20|A\n"
      "01|001001|000000115|000000118|1110123456|2013-05-27|A\n");
  // Sales one row per voucher type and client (the credit note negated, the identification
  // types coded 04 to 07), and the export of goods with its customs referendo beside the service.
  EXPECT_EQ(consulta("SELECT co_tipoID, co_cliente, co_estable, co_comprob, nu_comprob, mo_base_0, mo_base, "
                     "mo_iva, mo_ret_1 FROM tbAT_Ventas WHERE co_empresa = '1792045185001' AND co_mes = '05' "
                     "AND co_anio = '2013' ORDER BY id_reg"),
            "04|1791234561001|001|18|3|50|100|12|0\n"
            "04|1791234561001|001|04|1|0|-10|-1.2|0\n"
            "05|0001712345675|002|18|2|0|20|2.4|0\n"
            "07|9999999999999|001|18|12|35|250|30|0\n");
  EXPECT_EQ(consulta("SELECT co_Transacc, co_comprob, fe_transacc, nu_ref_dist, nu_ref_anio, nu_ref_regi, "
                     "nu_ref_corre, nu_dcto_trans, mo_FOB, nu_serie, nu_secu FROM tbAT_Exporta WHERE "
                     "co_empresa = '1792045185001' AND co_mes = '05' AND co_anio = '2013' ORDER BY id_reg"),
            "1|01|2013-05-15|028|2013|04|000123|CEC0012345|1500.5|001001|000000027\n"
            "2|01|2013-05-20|000|2013|00|000000|0|800|002003|000000008\n");

  const fs::path xml = root.path() / "build" / "demo" / "AT052013.XML";
  const vt::testing::ProgramRun esquema = vt::testing::runCommand(
      "xmllint --noout --schema " + vt::testing::quoted(VT_SOURCE_DIR "/xml/schema/ats.xsd") + " " +
          vt::testing::quoted(xml.string()),
      {.streams = vt::testing::Streams::Together});
  EXPECT_EQ(esquema.status, 0) << esquema.out;
  const std::string annex = vt::testing::readFile(xml);
  EXPECT_EQ(veces(annex, "<detalleCompras>"), 10u);
  EXPECT_EQ(veces(annex, "<detalleVentas>"), 4u);
  EXPECT_EQ(veces(annex, "<ventaEst>"), 2u);
  EXPECT_EQ(veces(annex, "<detalleExportaciones>"), 2u);
  EXPECT_EQ(veces(annex, "<detalleAnulados>"), 2u);
  const std::size_t compras = annex.find("<compras>"), ventas = annex.find("<ventas>"),
                    exportaciones = annex.find("<exportaciones>"), anulados = annex.find("<anulados>");
  EXPECT_TRUE(compras < ventas && ventas < exportaciones && exportaciones < anulados &&
              anulados != std::string::npos);
}

// The second state file of the demo stores the same sales totalled per client, identification
// type and voucher type, and writes an annex the schema takes.
TEST(Demo, TheAccumulatedSalesOptionStoresTheSalesTotalled) {
  vt::testing::TempFolder root("e2e");
  copyDemo(root.path());
  const vt::testing::ProgramRun r = vt::testing::runBatch(
      root.path(), "examples/demo/win.ini", "--config-dir examples/demo --state examples/demo/mayo-2013-acumulado.ini",
      {{"VALTRONE_REGISTRY", VT_BINARY_DIR "/automation.reg"}, {"VALTRONE_CONFIG_DIR", std::nullopt}});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("STATUS: VENTAS: Proceso acumulacion terminado...\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("MSGBOX INFORMACION Tolvex: Proceso de validacion terminado OK.\n"), std::string::npos);
  EXPECT_NE(r.out.find("MSGBOX INFORMACION Tolvex: Archivo AT052013.XML generado con éxito.\n"), std::string::npos);
  const vt::testing::ProgramRun ventas = vt::testing::runCommand(
      "sqlite3 -batch -list examples/demo/db/GLOBAL.MDB " +
          vt::testing::quoted("SELECT co_cliente, co_comprob, sum(nu_comprob), sum(mo_base) FROM tbAT_Ventas WHERE "
                              "co_mes = '05' AND co_anio = '2013' GROUP BY co_cliente, co_comprob ORDER BY 1, 2"),
      {.folder = root.path()});
  EXPECT_EQ(ventas.out,
            "0001712345675|18|2|20\n"
            "1791234561001|04|1|-10\n"
            "1791234561001|18|3|100\n"
            "9999999999999|18|12|250\n");
  const vt::testing::ProgramRun esquema = vt::testing::runCommand(
      "xmllint --noout --schema " + vt::testing::quoted(VT_SOURCE_DIR "/xml/schema/ats.xsd") +
          " build/demo/AT052013.XML",
      {.folder = root.path(), .streams = vt::testing::Streams::Together});
  EXPECT_EQ(esquema.status, 0) << esquema.out;
}

// The print button pressed by the batch program: the receipt of what the main job stored, read
// back from the PDF. A period without rows prints every section empty with zero totals.
TEST(Demo, TheReceiptOfTheStoredPeriodAndOfAnEmptyOnePrintToPdf) {
  vt::testing::TempFolder root("e2e");
  const fs::path demo = copyDemo(root.path());
  ASSERT_EQ(runDemo(root.path(), VT_BINARY_DIR "/automation.reg").status, 0);
  std::string junio = vt::testing::readFile(demo / "mayo-2013.ini");
  junio.replace(junio.find("cmbMeses=5"), 10, "cmbMeses=6");
  vt::testing::writeFile(demo / "junio-2013.ini", junio);

  const auto talon = [&](const std::string& estado, const std::string& pdf) {
    const vt::testing::ProgramRun r = vt::testing::runBatch(
        root.path(), "examples/demo/win.ini",
        "--config-dir examples/demo --state examples/demo/" + estado + " --print-receipt --pdf " + pdf,
        {{"VALTRONE_REGISTRY", VT_BINARY_DIR "/automation.reg"}});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "");
    const vt::testing::ProgramRun texto =
        vt::testing::runCommand("pdftotext -layout " + pdf + " -", {.folder = root.path()});
    EXPECT_EQ(texto.status, 0) << texto.err;
    return std::regex_replace(texto.out, std::regex(" +"), " ");
  };
  const std::string firmas = "RUC: 1104567894 RUC: 1709988776\n";
  const std::string pie =
      "Generado por " + std::string("Ambrix ") + kVersionTexto + " · tolvexATS_TalonResumen.rpt";

  const std::string mayo = talon("mayo-2013.ini", "build/demo/talon-mayo.pdf");
  for (const std::string& linea :
       {std::string("Razón social: Comercial Andina Demo SA\n"), std::string("RUC: 1792045185001\n"),
        std::string("Periodo: 05/2013\n"),
        // COMPRAS: per type, count, the bases, VAT, ICE and VAT withheld, then the totals.
        std::string(" 01 5 5,00 70,00 2.600,00 312,00 0,00 57,60\n"),
        std::string(" 41 1 0,00 30,00 100,00 12,00 0,00 0,00\n"),
        std::string(" Total 10 5,00 220,00 2.730,00 327,60 0,00 57,60\n"),
        // RETENCIONES IR, then ANULADOS.
        std::string(" Código Registros Base Retenido\n 312 2 1.650,00 16,50\n Total 2 1.650,00 16,50\n"),
        std::string(" 01 2\n Total 2\n"),
        // VENTAS per voucher type (the credit note negated), then EXPORTACIONES.
        std::string(" 04 1 0,00 0,00 -10,00 -1,20 0,00 -0,10\n"),
        std::string(" 18 3 0,00 85,00 370,00 44,40 3,60 1,00\n"),
        std::string(" Total 4 0,00 85,00 360,00 43,20 3,60 0,90\n"),
        std::string("EXPORTACIONES\n Tipo Registros Valor FOB\n 01 2 2.300,50\n Total 2 2.300,50\n"),
        std::string(" Contador Representante legal\n"), firmas, pie})
    EXPECT_NE(mayo.find(linea), std::string::npos) << linea << "\n" << mayo;

  const std::string vacio = talon("junio-2013.ini", "build/demo/talon-junio.pdf");
  EXPECT_NE(vacio.find("Periodo: 06/2013\n"), std::string::npos) << vacio;
  EXPECT_EQ(veces(mayo, "Sin registros en el periodo\n"), 0u) << mayo;
  EXPECT_EQ(veces(vacio, "Sin registros en el periodo\n Total 0"), 5u) << vacio;
  EXPECT_NE(vacio.find(firmas), std::string::npos) << vacio;
}

TEST(Demo, WithoutARegisteredLibraryThePassEndsAfterAMessage) {
  vt::testing::TempFolder root("e2e");
  copyDemo(root.path());
  const vt::testing::ProgramRun r = runDemo(root.path(), root.write("vacio.reg", ""));
  EXPECT_EQ(r.status, 1) << "nothing was validated or stored";
  EXPECT_NE(
      r.out.find(
          "MSGBOX CRITICO Tolvex: No se puede preparar el validador Valtrone.CLSValidarInformacion: 429 "),
      std::string::npos)
      << r.out;
  EXPECT_EQ(r.out.find("MSGBOX PREGUNTA"), std::string::npos) << "no empty log is offered\n" << r.out;
  EXPECT_EQ(r.out.find("Almacenando"), std::string::npos) << r.out;
}

// The lists (the current month and year come from the server's date, written and read back in
// the short date) and the main job come out the same under a month-first regional setting.
TEST(Demo, AMonthFirstRegionalSettingListsAndRunsAsTheDayFirstOne) {
  vt::testing::TempFolder root("e2e");
  const fs::path demo = copyDemo(root.path());
  std::string ini = vt::testing::readFile(demo / "win.ini");
  const std::string dayFirst = "sShortDate=dd/MM/yyyy";
  ASSERT_NE(ini.find(dayFirst), std::string::npos);
  ini.replace(ini.find(dayFirst), dayFirst.size(), "sShortDate=MM/dd/yyyy");
  vt::testing::writeFile(demo / "win-mdy.ini", ini);
  // The sheets as a month-first machine writes them, in a state file of their own; what the
  // validators rewrite, store and write into the annex is the same in both orders.
  std::string estado = vt::testing::readFile(demo / "mayo-2013.ini");
  for (const std::string sheet : {"compras-mayo-2013.csv", "ventas-mayo-2013.csv", "anulados-mayo-2013.csv",
                                   "exportaciones-mayo-2013.csv"}) {
    const std::string text = vt::testing::readFile(demo / sheet);
    vt::testing::writeFile(demo / ("mdy-" + sheet),
                           std::regex_replace(text, std::regex(R"((\d\d)/(\d\d)/(\d{4}))"), "$2/$1/$3"));
    estado.replace(estado.find("/" + sheet), sheet.size() + 1, "/mdy-" + sheet);
  }
  vt::testing::writeFile(demo / "mayo-2013-mdy.ini", estado);

  const vt::testing::Environment biblioteca = {{"VALTRONE_REGISTRY", VT_BINARY_DIR "/automation.reg"},
                                               {"VALTRONE_CONFIG_DIR", std::nullopt}};
  const struct {
    std::string day, month;
  } runs[] = {
      {"--config-dir examples/demo --list", "--config-dir examples/demo --list"},
      {"--config-dir examples/demo --state examples/demo/mayo-2013.ini",
       "--config-dir examples/demo --state examples/demo/mayo-2013-mdy.ini"},
  };
  const fs::path xml = root.path() / "build" / "demo" / "AT052013.XML";
  for (const auto& run : runs) {
    const auto day = vt::testing::runBatch(root.path(), "examples/demo/win.ini", run.day, biblioteca);
    const std::string annexDay = fs::exists(xml) ? vt::testing::readFile(xml) : "";
    const auto month = vt::testing::runBatch(root.path(), "examples/demo/win-mdy.ini", run.month, biblioteca);
    const std::string annexMonth = fs::exists(xml) ? vt::testing::readFile(xml) : "";
    EXPECT_EQ(day.status, 0) << run.day << "\n" << day.out;
    EXPECT_EQ(month.status, day.status) << run.month;
    EXPECT_EQ(month.out, day.out) << run.month;
    EXPECT_EQ(annexMonth, annexDay) << run.month;
  }
  EXPECT_NE(vt::testing::readFile(xml).find("<fechaEmision>02/05/2013</fechaEmision>"), std::string::npos);
}

// The state file is read whole before anything else: a device, a FIFO or a file past the cap is
// refused at once, and never used in part.
TEST(Demo, StateFileThatIsNotARegularFileOrTooLargeIsRefused) {
  vt::testing::TempFolder root("e2e");
  ASSERT_EQ(::mkfifo((root.path() / "estado.fifo").c_str(), 0600), 0);
  vt::testing::writeFile(root.path() / "enorme.ini", std::string("[frm_ATS_SubirExcel]\r\ncmbMes=5\r\n"));
  fs::resize_file(root.path() / "enorme.ini", (1u << 20) + 1);
  const struct {
    const char* what;
    std::string path;
    std::string reason;
  } cases[] = {
      {"an endless device", "/dev/zero", "(no es un archivo regular)"},
      {"a FIFO without a writer", "estado.fifo", "(no es un archivo regular)"},
      {"one byte past the cap", "enorme.ini", "(excede 1 MB)"},
  };
  for (const auto& c : cases) {
    const vt::testing::ProgramRun r =
        vt::testing::runBatch(root.path(), "win.ini", "--config-dir . --state " + c.path);
    EXPECT_EQ(r.status, 2) << c.what;
    EXPECT_EQ(r.out + r.err,
              "ambrix-batch: no se puede leer el archivo de estado " + c.path + " " + c.reason + "\n")
        << c.what;
  }
}

}  // namespace
}  // namespace ambrix
