// The check of a saved file against the authority's schema, read as a stream: its verdict and the
// first faults it names, each with its line.

#include "xml/esquema.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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

struct CasoEsquema {
  std::string bytes;
  bool cumple;
  std::size_t fallos;
  const char* primero;  // how the first fault begins
  const char* porque;
};

TEST(Esquema, VerdictAndTheFirstFaultsWithTheirLines) {
  const std::string detalle =
      "<detalleAnulados><tipoComprobante>01</tipoComprobante><establecimiento>X</establecimiento>"
      "<puntoEmision>002</puntoEmision><secuencialInicio>1</secuencialInicio><secuencialFin>2</secuencialFin>"
      "<autorizacion>1234567890</autorizacion></detalleAnulados>";
  const CasoEsquema casos[] = {
      {documento(), true, 0, "", "the header alone"},
      {documento("<codigoOperativo>IVA</codigoOperativo><ventasEstablecimiento/></iva>"), false, 1,
       "línea 1: Element 'ventasEstablecimiento': Missing child element(s). Expected is ( ventaEst ).",
       "every sale of type 41 leaves ventasEstablecimiento empty"},
      {documento("<codigoOperativo>IVA</codigoOperativo>\n<anulados>\n" + detalle + "\n</anulados></iva>"),
       false, 1, "línea 3: Element 'establecimiento'", "the line of the faulty element"},
      {documento("<codigoOperativo>IVA</codigoOperativo><anulados>" + detalle + detalle + detalle + detalle +
                 detalle + "</anulados></iva>"),
       false, kFallosMostrados, "línea 1: Element 'establecimiento'",
       "five faults: the first three are named"},
      {documento("<codigoOperativo>IVA</codigoOperativo>"), false, 1, "línea 1: ", "a file cut short"},
      {"", false, 1, "", "an empty file"},
  };
  vt::testing::TempFolder temp("esquema");
  for (const CasoEsquema& c : casos) {
    const std::string ruta = temp.write("AT052013.XML", c.bytes);
    const RevisionEsquema r = revisaEsquema(ruta, kEsquema);
    EXPECT_TRUE(r.bEsquemaLeido) << c.porque;
    EXPECT_EQ(r.bCumple, c.cumple) << c.porque;
    EXPECT_EQ(r.asFallos.size(), c.fallos) << c.porque;
    if (!r.asFallos.empty()) {
      EXPECT_EQ(r.asFallos[0].rfind(c.primero, 0), 0u) << c.porque << ": " << r.asFallos[0];
    }
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
                                          "\r\nlínea 1: Element 'ventasEstablecimiento': Missing child "
                                          "element(s). Expected is ( ventaEst ).");
  EXPECT_EQ(boxes_.mensajes[0].icono, vt::Icono::Exclamacion);
  EXPECT_NE(archivo().find("<ventasEstablecimiento/>"), std::string::npos) << "the file stays as written";
  EXPECT_FALSE(ventana_.reloj);
}

}  // namespace
}  // namespace ambrix::testing
