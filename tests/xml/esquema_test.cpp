// The check of a saved file against the authority's schema, read as a stream: its verdict and the
// faults of the first faulty elements, each placed where the user finds it in the sheets.

#include "xml/esquema.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "tests/support/temp_folder.hpp"
#include "tests/xml/xml_fixture.hpp"

namespace ambrix::xml {
namespace {

const std::string kEsquema = VT_SOURCE_DIR "/xml/schema/ats.xsd";

// The header of a month with no section chosen, which the schema takes; `resto` replaces what
// follows <Mes>.
std::string documento(const std::string& resto = "<codigoOperativo>IVA</codigoOperativo></iva>") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><iva><TipoIDInformante>R</TipoIDInformante>"
         "<IdInformante>1792045185001</IdInformante><razonSocial>Comercial Andina</razonSocial>"
         "<Anio>2013</Anio><Mes>05</Mes>" +
         resto;
}

// A sale of client `cliente` with the identification type `tipo`.
std::string venta(const std::string& cliente, const std::string& tipo = "04") {
  return "<detalleVentas><tpIdCliente>" + tipo + "</tpIdCliente><idCliente>" + cliente +
         "</idCliente><tipoComprobante>18</tipoComprobante><numeroComprobantes>1</numeroComprobantes>"
         "<baseNoGraIva>0.00</baseNoGraIva><baseImponible>0.00</baseImponible><baseImpGrav>80.00</baseImpGrav>"
         "<montoIva>9.60</montoIva><valorRetIva>0.00</valorRetIva><valorRetRenta>0.00</valorRetRenta>"
         "</detalleVentas>";
}

// The sales section of `detalles`, with the totals the schema asks for.
std::string ventas(const std::string& detalles) {
  return documento("<numEstabRuc>001</numEstabRuc><totalVentas>80.00</totalVentas><codigoOperativo>IVA"
                   "</codigoOperativo><ventas>" +
                   detalles +
                   "</ventas><ventasEstablecimiento><ventaEst><codEstab>001</codEstab><ventasEstab>80.00"
                   "</ventasEstab></ventaEst></ventasEstablecimiento></iva>");
}

// A cancelled range of establishment `establecimiento`.
std::string anulado(const std::string& establecimiento, const std::string& inicio = "101") {
  return "<detalleAnulados><tipoComprobante>01</tipoComprobante><establecimiento>" + establecimiento +
         "</establecimiento><puntoEmision>002</puntoEmision><secuencialInicio>" + inicio +
         "</secuencialInicio><secuencialFin>150</secuencialFin><autorizacion>1234567890</autorizacion>"
         "</detalleAnulados>";
}

std::string anulados(const std::string& detalles) {
  return documento("<codigoOperativo>IVA</codigoOperativo><anulados>" + detalles + "</anulados></iva>");
}

// libxml2's messages about a client identity of two characters.
std::string idCorto(const std::string& cliente) {
  return "Element 'idCliente': [facet 'minLength'] The value has a length of '2'; this underruns the allowed "
         "minimum length of '3'. Element 'idCliente': [facet 'pattern'] The value '" +
         cliente + "' is not accepted by the pattern '[0-9a-zA-Z]{3,13}'.";
}

const std::string kEstablecimientoX =
    "Element 'establecimiento': [facet 'pattern'] The value 'X' is not accepted by the pattern '[0-9]{3}'.";

struct CasoEsquema {
  std::string bytes;
  bool cumple;
  std::vector<std::string> fallos;  // whole; "*" stands for any text
  const char* porque;
};

TEST(Esquema, VerdictAndTheFaultsOfTheFirstElementsWhereTheUserFindsThem) {
  const CasoEsquema casos[] = {
      {documento(), true, {}, "the header alone"},
      {ventas(venta("1790011674001")), true, {}, "a valid sale"},
      {documento("<codigoOperativo>IVA</codigoOperativo><ventasEstablecimiento/></iva>"),
       false,
       {"Element 'ventasEstablecimiento': Missing child element(s). Expected is ( ventaEst )."},
       "a section's own fault: the element names itself"},
      {ventas(venta("X1") + venta("X2") + venta("X3")),
       false,
       {"ventas, detalleVentas n.º 1 (cliente X1): " + idCorto("X1"),
        "ventas, detalleVentas n.º 2 (cliente X2): " + idCorto("X2"),
        "ventas, detalleVentas n.º 3 (cliente X3): " + idCorto("X3")},
       "every message of one element together, each detail by its ordinal and its client"},
      {ventas(venta("1790011674001") + venta("X1") + venta("1790011674001") + venta("X2") + venta("X3") +
              venta("X4")),
       false,
       {"ventas, detalleVentas n.º 2 (cliente X1): " + idCorto("X1"),
        "ventas, detalleVentas n.º 4 (cliente X2): " + idCorto("X2"),
        "ventas, detalleVentas n.º 5 (cliente X3): " + idCorto("X3")},
       "the ordinal counts the valid details too; the fourth faulty element is not named"},
      {ventas(venta("1790011674001", "4") + venta("X1")),
       false,
       {"ventas, detalleVentas n.º 1 (cliente 1790011674001): *",
        "ventas, detalleVentas n.º 2 (cliente X1): " + idCorto("X1")},
       "a fault before the identity is placed by the identity that follows it"},
      {ventas(venta("X1", "4")),
       false,
       {"ventas, detalleVentas n.º 1 (cliente X1): Element 'tpIdCliente': *",
        "ventas, detalleVentas n.º 1 (cliente X1): " + idCorto("X1")},
       "two faulty elements of one detail are two"},
      {anulados(anulado("001") + anulado("X", "201")),
       false,
       {"anulados, detalleAnulados n.º 2 (serie X002, secuencial 201): " + kEstablecimientoX},
       "a cancelled range by its serie and its first sequential"},
      {documento("<codigoOperativo>IVA</codigoOperativo>\n<anulados>\n" + anulado("X") + "\n</anulados></iva>"),
       false,
       {"anulados, detalleAnulados n.º 1 (serie X002, secuencial 101): " + kEstablecimientoX},
       "line breaks change nothing"},
      {documento("<codigoOperativo>IVA</codigoOperativo><anulados>" + anulado("001")), false,
       {"Premature end of data in tag anulados line 1"}, "a file cut short: the parser's message is about where it stands"},
      {"", false, {"Document is empty"}, "an empty file"},
  };
  const auto iguales = [](const std::vector<std::string>& esperados, const std::vector<std::string>& hallados) {
    if (esperados.size() != hallados.size()) return false;
    for (std::size_t i = 0; i < esperados.size(); ++i) {
      const std::string& e = esperados[i];
      const bool bAbierto = e.ends_with("*");
      if (bAbierto ? !hallados[i].starts_with(e.substr(0, e.size() - 1)) : hallados[i] != e) return false;
    }
    return true;
  };
  vt::testing::TempFolder temp("esquema");
  for (const CasoEsquema& c : casos) {
    const std::string ruta = temp.write("AT052013.XML", c.bytes);
    const RevisionEsquema r = revisaEsquema(ruta, kEsquema);
    EXPECT_TRUE(r.bEsquemaLeido) << c.porque;
    EXPECT_EQ(r.bCumple, c.cumple) << c.porque;
    EXPECT_TRUE(iguales(c.fallos, r.asFallos)) << c.porque << ":\n" << ::testing::PrintToString(r.asFallos);
    // Checked while written, in pieces of every size, the same bytes get the same verdict and faults.
    for (std::size_t pieza : {std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
      RevisionEnCurso enCurso(kEsquema);
      for (std::size_t i = 0; i < c.bytes.size(); i += pieza)
        enCurso.agrega(std::string_view(c.bytes).substr(i, pieza));
      const RevisionEsquema s = enCurso.termina();
      EXPECT_EQ(s.bEsquemaLeido, r.bEsquemaLeido) << c.porque;
      EXPECT_EQ(s.bCumple, r.bCumple) << c.porque;
      EXPECT_EQ(s.asFallos, r.asFallos) << c.porque << ", en piezas de " << pieza;
    }
  }
}

// Months of random sales, some of whose details are faulty (a short client, or a bad type too),
// against the plain list of the faulty details: the first three faulty elements are named by their
// detail's ordinal and client, whether the file is read saved or while written in pieces of any
// size. Sizes reach past the queue's blocks, with faults at the first and the last detail.
TEST(Esquema, RandomMonthsNameTheFirstFaultyElementsOfThePlainList) {
  std::mt19937 azar(20130531);
  const std::string tipoMalo =
      "Element 'tpIdCliente': [facet 'pattern'] The value '4' is not accepted by the pattern '[0-9]{2}'.";
  vt::testing::TempFolder temp("esquema");
  for (int vuelta = 0; vuelta < 24; ++vuelta) {
    const int detalles = std::uniform_int_distribution<int>(0, vuelta % 3 == 0 ? 3000 : 40)(azar);
    const int fallas = std::uniform_int_distribution<int>(0, 5)(azar);
    std::map<int, int> clase;  // ordinal -> 1 short client, 2 bad type as well
    for (int i = 0; i < fallas && detalles > 0; ++i)
      clase[std::uniform_int_distribution<int>(1, detalles)(azar)] = std::uniform_int_distribution<int>(1, 2)(azar);
    if (vuelta % 4 == 1 && detalles > 0) clase[1] = 1;
    if (vuelta % 4 == 2 && detalles > 0) clase[detalles] = 2;
    std::string cuerpo;
    std::vector<std::string> esperados;
    for (int i = 1; i <= detalles; ++i) {
      const auto hallado = clase.find(i);
      if (hallado == clase.end()) {
        cuerpo += venta("1790011674001");
        continue;
      }
      const std::string cliente = std::string(1, static_cast<char>('A' + i % 26)) + std::to_string(i % 10);
      const std::string donde = "ventas, detalleVentas n.º " + std::to_string(i) + " (cliente " + cliente + "): ";
      cuerpo += venta(cliente, hallado->second == 2 ? "4" : "04");
      if (hallado->second == 2) esperados.push_back(donde + tipoMalo);
      esperados.push_back(donde + idCorto(cliente));
    }
    if (esperados.size() > kFallosMostrados) esperados.resize(kFallosMostrados);
    const std::string bytes = detalles == 0 ? documento() : ventas(cuerpo);
    const std::string ruta = temp.write("AT052013.XML", bytes);
    const RevisionEsquema r = revisaEsquema(ruta, kEsquema);
    EXPECT_EQ(r.bCumple, clase.empty()) << "vuelta " << vuelta;
    EXPECT_EQ(r.asFallos, esperados) << "vuelta " << vuelta;
    RevisionEnCurso enCurso(kEsquema);
    for (std::size_t i = 0; i < bytes.size();) {
      const std::size_t pieza = std::uniform_int_distribution<std::size_t>(1, 300000)(azar);
      enCurso.agrega(std::string_view(bytes).substr(i, pieza));
      i += pieza;
    }
    const RevisionEsquema s = enCurso.termina();
    EXPECT_EQ(s.bCumple, r.bCumple) << "vuelta " << vuelta;
    EXPECT_EQ(s.asFallos, esperados) << "vuelta " << vuelta;
  }
}

// A check that stops at its fault limit takes the rest of a long file without holding up the
// writer; one whose writer fails is abandoned; one without its schema says so.
TEST(Esquema, ACheckWhileWrittenEndsWhateverTheWriterDoes) {
  const std::string falla =
      "<detalleAnulados><tipoComprobante>01</tipoComprobante><establecimiento>X</establecimiento>"
      "<puntoEmision>002</puntoEmision><secuencialInicio>1</secuencialInicio><secuencialFin>2</secuencialFin>"
      "<autorizacion>1234567890</autorizacion></detalleAnulados>";
  {
    RevisionEnCurso enCurso(kEsquema);
    enCurso.agrega(documento("<codigoOperativo>IVA</codigoOperativo><anulados>"));
    for (int i = 0; i < 200000; ++i) enCurso.agrega(falla);  // far more than the queue holds
    enCurso.agrega("</anulados></iva>");
    const RevisionEsquema r = enCurso.termina();
    EXPECT_FALSE(r.bCumple);
    EXPECT_EQ(r.asFallos.size(), kFallosMostrados);
  }
  {
    RevisionEnCurso abandonada(kEsquema);
    abandonada.agrega(documento("<codigoOperativo>IVA</codigoOperativo><anulados>"));
  }
  vt::testing::TempFolder temp("esquema");
  RevisionEnCurso sinEsquema(temp.file("no-esta.xsd"));
  sinEsquema.agrega(documento());
  const RevisionEsquema r = sinEsquema.termina();
  EXPECT_FALSE(r.bEsquemaLeido);
  EXPECT_FALSE(r.bCumple);
}

TEST(Esquema, AMissingSchemaOrFileIsNoPass) {
  vt::testing::TempFolder temp("esquema");
  const std::string ruta = temp.write("AT052013.XML", documento());
  const RevisionEsquema sinEsquema = revisaEsquema(ruta, temp.file("no-esta.xsd"));
  EXPECT_FALSE(sinEsquema.bEsquemaLeido);
  EXPECT_FALSE(sinEsquema.bCumple);
  const RevisionEsquema sinArchivo = revisaEsquema(temp.file("no-esta.XML"), kEsquema);
  EXPECT_FALSE(sinArchivo.bCumple);
  EXPECT_FALSE(sinArchivo.asFallos.empty());
}

// Whatever stands at the schema's path, the check ends at once (the writer waiting on it with a
// full queue), says why the schema could not be read, and takes nothing as valid.
TEST(Esquema, ASchemaThatCannotBeReadEndsTheCheckAndSaysWhy) {
  vt::testing::TempFolder temp("esquema");
  const std::string tuberia = temp.file("tuberia.xsd");
  ASSERT_EQ(::mkfifo(tuberia.c_str(), 0600), 0);
  const std::string grande = temp.write("grande.xsd", "");
  std::filesystem::resize_file(grande, kBytesMaximosEsquema + 1);
  const std::string roto = temp.write("roto.xsd", "<xsd:schema xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\">");
  const std::string noRegular = "no es un archivo regular (una carpeta, un dispositivo o una tubería)";
  const struct {
    std::string ruta;
    std::string causa;  // "" for libxml2's own
    const char* porque;
  } casos[] = {
      {tuberia, noRegular, "a FIFO nobody writes to: opening it for reading would wait for good"},
      {temp.path().string(), noRegular, "a folder"},
      {"/dev/zero", noRegular, "an endless device"},
      {grande, "excede el tamaño admitido (16 MB)", "one byte past the cap"},
      {temp.file("no-esta.xsd"), "no existe o no se puede abrir", "nothing at the path"},
      {roto, "", "a file cut short is no schema"},
  };
  const std::string falla = anulado("X");
  const std::string archivo = temp.write("AT052013.XML", anulados(falla));
  for (const auto& c : casos) {
    RevisionEnCurso enCurso(c.ruta);
    enCurso.agrega(documento("<codigoOperativo>IVA</codigoOperativo><anulados>"));
    for (int i = 0; i < 20000; ++i) enCurso.agrega(falla);  // far more than the queue holds
    enCurso.agrega("</anulados></iva>");
    for (const RevisionEsquema& r : {enCurso.termina(), revisaEsquema(archivo, c.ruta)}) {
      EXPECT_FALSE(r.bEsquemaLeido) << c.porque;
      EXPECT_FALSE(r.bCumple) << c.porque;
      ASSERT_FALSE(r.asFallos.empty()) << c.porque;
      if (!c.causa.empty()) {
        EXPECT_EQ(r.asFallos, std::vector<std::string>{c.causa}) << c.porque;
      }
    }
  }
}

TEST(Esquema, TheBuildPutsTheSchemaWhereTheProgramsLook) {
  EXPECT_TRUE(std::filesystem::exists(rutaEsquemaATS())) << rutaEsquemaATS();
}

}  // namespace
}  // namespace ambrix::xml

namespace ambrix::testing {
namespace {

class Revision : public XmlTest {};

TEST_F(Revision, ARefusedFileIsKeptAndItsFaultsShownWithoutSuccess) {
  inserta({venta({{"co_comprob", "'41'"}})});
  EXPECT_FALSE(genera({"0", "1", "0", "0"}));
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_EQ(boxes_.mensajes[0].texto, std::string(kFueraDeEsquema) +
                                          "\r\nElement 'ventasEstablecimiento': Missing child "
                                          "element(s). Expected is ( ventaEst ).");
  EXPECT_EQ(boxes_.mensajes[0].icono, vt::Icono::Exclamacion);
  EXPECT_NE(archivo().find("<ventasEstablecimiento/>"), std::string::npos) << "the file stays as written";
  EXPECT_FALSE(ventana_.reloj);
}

}  // namespace
}  // namespace ambrix::testing
