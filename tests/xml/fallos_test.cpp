// The writer's frame: the rewritten parameters, the status texts and the bar, and every way a run
// can end without a file, with what the user is shown and what is left on disk.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ostream>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <random>

#include <pugixml.hpp>

#include "tests/support/files.hpp"
#include "tests/xml/xml_fixture.hpp"

namespace ambrix::testing {
namespace {

namespace fs = std::filesystem;

class Marco : public XmlTest {
 protected:
  ParamGeneraXML param(const std::string& sRuc, const std::string& sMes, const std::string& sAnio) {
    ParamGeneraXML p;
    p.sRuc = sRuc;
    p.sMes = sMes;
    p.sAnio = sAnio;
    p.aSecciones = {"1", "1", "1", "1"};
    return p;
  }
  std::vector<std::string> textos() const {
    std::vector<std::string> t;
    for (const auto& m : boxes_.mensajes) t.push_back(m.texto);
    return t;
  }
};

TEST_F(Marco, RewritesTheParametersInPlaceAndUsesThemEverywhere) {
  exec("INSERT INTO tbEmpresas (nu_ruc, ds_nombre) VALUES ('0190012345001', 'Azuay Demo')");
  inserta({anulado({{"co_empresa", "'0190012345001'"}})});
  ParamGeneraXML p = param("190012345001", "5", "2013");
  ASSERT_TRUE(genera(p)) << lastMessage();
  EXPECT_EQ(p.sRuc, "0190012345001");
  EXPECT_EQ(p.sMes, "05");
  EXPECT_EQ(p.sAnio, "2013");
  EXPECT_EQ(xpath("concat(/iva/IdInformante, ' ', /iva/Mes, ' ', count(//detalleAnulados))"), "0190012345001 05 1");
  EXPECT_TRUE(boxes_.mensajes.empty());
}

TEST_F(Marco, InvalidParametersAreReportedAndTheRunGoesOn) {
  ParamGeneraXML p = param("1792045185001", "0", "abc");
  ASSERT_TRUE(escribe(p));
  ASSERT_EQ(textos().size(), 3u);
  EXPECT_EQ(textos()[0], "Parámetro MES no válido ");
  EXPECT_EQ(textos()[1], "Parámetro AÑO no válido ");
  EXPECT_EQ(textos()[2].rfind(kFueraDeEsquema, 0), 0u) << "a month 00 and a year abc are not the schema's";
  EXPECT_EQ(boxes_.mensajes[0].icono, vt::Icono::Informacion);
  EXPECT_EQ(boxes_.mensajes[0].titulo, "Tolvex");
  EXPECT_EQ(xpath("concat(/iva/Anio, '/', /iva/Mes)"), "abc/00");
}

TEST_F(Marco, StatusTextsYieldsAndBarOfARun) {
  inserta({compra(), retencion(), retencion({{"co_IRcodigo", "'332'"}}), anulado()});
  ASSERT_TRUE(genera());
  EXPECT_EQ(ventana_.eventos, (std::vector<std::string>{
                                  "STATUS Procesando información: AGENTE DE RETENCION...",
                                  "YIELD",
                                  "STATUS ",
                                  "STATUS Procesando información: COMPRAS...",
                                  "YIELD",
                                  "STATUS Información de VENTAS no encontrada ",
                                  "STATUS Información de EXPORTACIONES no encontrada ",
                                  "STATUS Procesando información: COMPROBANTES ANULADOS...",
                                  "YIELD",
                              }));
  EXPECT_EQ(ventana_.barra.max, 1);
  EXPECT_EQ(ventana_.barra.value, 1);
  EXPECT_FALSE(ventana_.reloj);
}

TEST_F(Marco, SalesYieldAfterEveryRow) {
  inserta({venta(), venta()});
  ASSERT_TRUE(genera({"0", "1", "0", "0"}));
  EXPECT_EQ(std::count(ventana_.eventos.begin(), ventana_.eventos.end(), "YIELD"), 1 + 1 + 2);
}

TEST_F(Marco, PurchasesBarCountsJoinedRows) {
  inserta({compra(), retencion(), retencion({{"co_IRcodigo", "'332'"}})});
  ASSERT_TRUE(genera({"1", "0", "0", "0"}));
  EXPECT_EQ(ventana_.barra.max, 2);
  EXPECT_EQ(ventana_.barra.value, 2);
}

// The bar's end of each section is counted apart from its rows, without its columns or its order.
// Random months, of one row, of as many as the bar shows one by one and one more, and past them:
// purchases of which some share their document key (each then takes the other's withholdings),
// with none to three withholdings each, and rows of another month that count for nothing. The end
// is the rows the section walks, as the plain count of the joined rows gives them.
TEST_F(Marco, EachSectionsBarEndsAtTheRowsItWalks) {
  std::mt19937 azar(36);
  for (const int n : {1, 99, 100, 101, 250}) {
    for (const char* tabla : {"tbAT_Cmprs", "tbAT_Cmprs_IR", "tbAT_Ventas", "tbAT_Exporta", "tbAT_CmptsAnu"})
      exec(std::string("DELETE FROM ") + tabla);
    std::vector<std::string> filas;
    std::map<int, int> compras, retenciones;  // per document key of the month
    for (int i = 0; i < n; ++i) {
      const int clave = static_cast<int>(azar() % static_cast<unsigned>(n / 2 + 1));
      const std::string secu = "'" + std::to_string(100000000 + clave) + "'";
      const bool otroMes = i > 0 && azar() % 8 == 0;
      const std::string mes = otroMes ? "'04'" : "'05'";
      filas.push_back(compra({{"nu_secu", secu}, {"co_mes", mes}}));
      const int nRetenciones = static_cast<int>(azar() % 4);
      for (int r = 0; r < nRetenciones; ++r)
        filas.push_back(retencion(
            {{"nu_secu", secu}, {"co_mes", mes}, {"co_IRcodigo", "'3" + std::to_string(10 + r) + "'"}}));
      filas.push_back(venta({{"co_mes", mes}}));
      filas.push_back(exportacion({{"co_mes", mes}}));
      filas.push_back(anulado({{"co_mes", mes}, {"nu_secu_ini", "'" + std::to_string(100000 + i) + "'"}}));
      if (otroMes) continue;
      ++compras[clave];
      retenciones[clave] += nRetenciones;
    }
    inserta(filas);
    long unidas = 0, delMes = 0;
    for (const auto& [clave, c] : compras) {
      unidas += c * std::max(1, retenciones[clave]);
      delMes += c;
    }
    const std::pair<std::array<std::string, 4>, long> secciones[] = {{{"1", "0", "0", "0"}, unidas},
                                                                     {{"0", "1", "0", "0"}, delMes},
                                                                     {{"0", "0", "1", "0"}, delMes},
                                                                     {{"0", "0", "0", "1"}, delMes}};
    for (const auto& [eleccion, filasSeccion] : secciones) {
      ventana_.barra.max = -1;
      escribe(eleccion);
      EXPECT_EQ(ventana_.barra.max, filasSeccion)
          << n << " " << eleccion[0] << eleccion[1] << eleccion[2] << eleccion[3];
    }
  }
}

// A section of many rows moves the bar once per hundredth of them, not once per row (which wrote a
// transcript line per row in the batch program), and still ends it full.
TEST_F(Marco, ALargeSectionMovesTheBarOncePerHundredth) {
  std::vector<std::string> filas;
  for (int i = 0; i < 1000; ++i) filas.push_back(anulado({{"nu_serie", "'" + std::to_string(100000 + i) + "'"}}));
  inserta(filas);
  ASSERT_TRUE(genera({"0", "0", "1", "0"}));
  EXPECT_EQ(ventana_.barra.max, 1000);
  EXPECT_EQ(ventana_.barra.value, 1000);
  EXPECT_LE(ventana_.barra.movimientos, 110);
  EXPECT_GE(ventana_.barra.movimientos, 100);
}

TEST_F(Marco, CompanyNameIsEscapedAndControlCharactersDropped) {
  exec("UPDATE tbEmpresas SET ds_nombre = 'Andina & Hijos <Demo>' || char(1) || char(11) || ' Cia' "
       "WHERE nu_ruc = '1792045185001'");
  ASSERT_TRUE(escribe());
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(archivo().c_str()));
  EXPECT_STREQ(doc.child("iva").child("razonSocial").text().get(), "Andina & Hijos <Demo> Cia");
  EXPECT_NE(archivo().find("Andina &amp; Hijos &lt;Demo&gt; Cia"), std::string::npos);
}

TEST_F(Marco, UnknownCompanyWritesNothingAndKeepsTheEarlierFile) {
  vt::testing::writeFile(rutaXml(), "earlier file");
  ParamGeneraXML p = param("1790011674001", "5", "2013");
  EXPECT_FALSE(genera(p));
  EXPECT_EQ(textos(), std::vector<std::string>{"No se encuentra informacion de empresa (contribuyente) "});
  EXPECT_EQ(boxes_.mensajes[0].icono, vt::Icono::Informacion);
  EXPECT_EQ(archivo(), "earlier file");
  for (const fs::directory_entry& e : fs::directory_iterator(temp_.path())) {
    const std::string nombre = e.path().filename().string();
    EXPECT_TRUE(nombre == "AT052013.XML" || nombre.rfind("global.mdb", 0) == 0) << "left behind: " << nombre;
  }
}

TEST_F(Marco, SaveIntoAMissingFolderFailsWithAMessage) {
  ventana_.datos.txtPath = (temp_.path() / "falta").string();
  EXPECT_FALSE(genera());
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_EQ(boxes_.mensajes[0].texto,
            "Error de acceso a la ruta o el archivo: " + (temp_.path() / "falta" / "AT052013.XML").string());
  EXPECT_EQ(boxes_.mensajes[0].icono, vt::Icono::Ninguno);
  EXPECT_EQ(boxes_.mensajes[0].titulo, "Ambrix");
  EXPECT_FALSE(fs::exists(temp_.path() / "falta"));
}

// An annex that does not fit (the child may write no file past a few blocks, as on a full disk)
// names the cause after the path, and keeps the earlier file.
TEST_F(Marco, AnAnnexThatDoesNotFitSaysWhyAndKeepsTheEarlierFile) {
  std::vector<std::string> filas;
  for (int i = 0; i < 1000; ++i) filas.push_back(anulado({{"nu_serie", "'" + std::to_string(100000 + i) + "'"}}));
  inserta(filas);
  vt::testing::writeFile(rutaXml(), "earlier file");
  const std::string esperado = "Error de acceso a la ruta o el archivo: " + rutaXml() +
                               " (el archivo supera el tamaño permitido)";
  const pid_t hijo = ::fork();
  ASSERT_NE(hijo, -1);
  if (hijo == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limite{64 * 1024, 64 * 1024};
    ::setrlimit(RLIMIT_FSIZE, &limite);
    const bool bGenerado = genera({"0", "0", "1", "0"});
    ::_exit(!bGenerado && textos() == std::vector<std::string>{esperado} ? 0 : 1);
  }
  int estado = 0;
  ASSERT_EQ(::waitpid(hijo, &estado, 0), hijo);
  ASSERT_TRUE(WIFEXITED(estado));
  EXPECT_EQ(WEXITSTATUS(estado), 0) << "the run must fail with one box: " << esperado;
  EXPECT_EQ(archivo(), "earlier file");
}

TEST_F(Marco, FolderAndNameAreJoinedByOneSeparator) {
  ventana_.datos.txtPath = temp_.path().string() + "/";
  ventana_.datos.txtFileATS_XML = "AT052013.XML ";
  ASSERT_TRUE(genera());
  EXPECT_TRUE(fs::exists(temp_.path() / "AT052013.XML"));
}

// Faults of the stored data or of the choices end the run through one box with the error's own
// description; nothing is saved and an earlier file stays.
struct CasoFallo {
  const char* porque;
  std::vector<std::string> filas;
  std::array<std::string, 4> secciones;
  const char* mensaje;
};

void PrintTo(const CasoFallo& c, std::ostream* os) { *os << c.porque; }

const CasoFallo kFallos[] = {
    {"a Null voucher type cannot be read as a number", {compra({{"co_comprob", "NULL"}})}, {"1", "0", "0", "0"},
     "Uso no válido de Null"},
    {"a Null tax-support code", {compra({{"co_credito", "NULL"}})}, {"1", "0", "0", "0"}, "Uso no válido de Null"},
    {"a Null serie cannot be cut", {compra({{"nu_serie", "NULL"}})}, {"1", "0", "0", "0"}, "Uso no válido de Null"},
    {"a Null VAT cannot be added to the total", {compra({{"mo_iva", "NULL"}})}, {"1", "0", "0", "0"},
     "Uso no válido de Null"},
    {"a withholding code that is not a number cannot be compared with 0",
     {compra(), retencion({{"co_IRcodigo", "'3A2'"}})}, {"1", "0", "0", "0"}, "No coinciden los tipos"},
    {"a retention sequential that is not a number", {compra({{"nu_CRsecu", "'X1'"}})}, {"1", "0", "0", "0"},
     "No coinciden los tipos"},
    {"a credit note without the type of the document it modifies",
     {compra({{"co_comprob", "'04'"}, {"co_comprob_modi", "NULL"}})}, {"1", "0", "0", "0"},
     "Uso no válido de Null"},
    {"a reimbursed voucher without its identification type",
     {compra({{"co_comprob", "'41'"}}), reembolso({{"co_RE_tipoID", "NULL"}})}, {"1", "0", "0", "0"},
     "Uso no válido de Null"},
    {"a sales row without voucher type", {venta({{"co_comprob", "NULL"}})}, {"0", "1", "0", "0"},
     "Uso no válido de Null"},
    {"a sales total that is Null", {venta({{"mo_base", "NULL"}})}, {"0", "1", "0", "0"}, "Uso no válido de Null"},
    {"an export without its type", {exportacion({{"co_Transacc", "NULL"}})}, {"0", "0", "0", "1"},
     "Uso no válido de Null"},
    {"a cancelled range without voucher type", {anulado({{"co_comprob", "NULL"}})}, {"0", "0", "1", "0"},
     "Uso no válido de Null"},
    {"a section choice that is not a number", {}, {"1", "", "0", "0"}, "No coinciden los tipos"},
};

class Fallo : public XmlTest, public ::testing::WithParamInterface<CasoFallo> {};

TEST_P(Fallo, OneBoxNoFile) {
  const CasoFallo& caso = GetParam();
  vt::testing::writeFile(rutaXml(), "earlier file");
  inserta(caso.filas);
  EXPECT_FALSE(genera(caso.secciones)) << caso.porque;
  ASSERT_EQ(boxes_.mensajes.size(), 1u) << caso.porque;
  EXPECT_EQ(boxes_.mensajes[0].texto, caso.mensaje) << caso.porque;
  EXPECT_EQ(boxes_.mensajes[0].icono, vt::Icono::Ninguno);
  EXPECT_EQ(boxes_.mensajes[0].titulo, "Ambrix");
  EXPECT_EQ(archivo(), "earlier file") << caso.porque;
  EXPECT_TRUE(ventana_.reloj) << "the caller resets the pointer";
}

INSTANTIATE_TEST_SUITE_P(Casos, Fallo, ::testing::ValuesIn(kFallos));

TEST_F(Marco, AFailedQueryShowsItsOwnMessageThenEndsTheRun) {
  exec("DROP TABLE tbCodigoGeneral");
  inserta({compra()});
  vt::testing::writeFile(rutaXml(), "earlier file");
  EXPECT_FALSE(genera({"1", "0", "0", "0"}));
  ASSERT_EQ(boxes_.mensajes.size(), 2u);
  EXPECT_EQ(boxes_.mensajes[0].texto.rfind("Ha ocurrido el error al Ejecutar SELECT ", 0), 0u)
      << boxes_.mensajes[0].texto;
  EXPECT_EQ(boxes_.mensajes[1].icono, vt::Icono::Ninguno);
  EXPECT_EQ(archivo(), "earlier file");
}

}  // namespace
}  // namespace ambrix::testing
