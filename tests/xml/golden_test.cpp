// Whole annex files from fixture rows, byte for byte against golden/ (the generator comment's
// version aside: golden files read "version @VERSION@"). A golden file is laid out one element a
// line for reading; the leading blanks and line ends are not part of the document.

#include <gtest/gtest.h>

#include <ostream>

#include <pugixml.hpp>

#include "tests/support/files.hpp"
#include "tests/xml/xml_fixture.hpp"

namespace ambrix::testing {
namespace {

// A month with every kind of record the annex holds.
std::vector<std::string> mesCompleto() {
  return {
      // An invoice over 1000.00 with two withholding rows and the retention voucher issued for it.
      compra({{"id_reg", "1"},
              {"mo_base_0", "200"},
              {"mo_base", "800"},
              {"mo_iva", "96"},
              {"mo_ret_1", "28.8"},
              {"co_FormaPago", "'1-20'"},
              {"nu_CRserie", "'001002'"},
              {"nu_CRsecu", "'000000045'"},
              {"nu_CRautoriza", "'1234567890'"},
              {"fe_CRemision", "'2013-05-16'"}}),
      retencion({{"co_IRcodigo", "'312'"}, {"mo_IRbase", "800"}, {"va_IRporc", "1"}, {"mo_IRmonto", "8"}}),
      retencion({{"co_IRcodigo", "'332'"}, {"mo_IRbase", "200"}, {"va_IRporc", "0"}, {"mo_IRmonto", "0"}}),
      // A credit note of a supplier with a cédula: its air is empty, the modified invoice follows.
      compra({{"id_reg", "2"},
              {"co_tipoID", "'02'"},
              {"co_provee", "'1710034065'"},
              {"co_comprob", "'04'"},
              {"nu_secu", "'000000007'"},
              {"mo_base", "50"},
              {"mo_iva", "6"},
              {"co_comprob_modi", "'01'"},
              {"nu_serie_modi", "'001002'"},
              {"nu_secuen_modi", "'000000123'"},
              {"nu_autoriza_modi", "'1112223334'"}}),
      // A reimbursement with vouchers of a RUC and of a cédula.
      compra({{"id_reg", "3"},
              {"co_comprob", "'41'"},
              {"co_credito", "'02'"},
              {"nu_secu", "'000000008'"},
              {"mo_base", "80"},
              {"mo_iva", "9.6"}}),
      reembolso({{"id_comprob", "3"}}),
      reembolso({{"id_comprob", "3"},
                 {"co_RE_tipoID", "'02'"},
                 {"co_RE_provee", "'0001710034065'"},
                 {"nu_RE_secu", "'000000056'"},
                 {"mo_RE_base", "30"},
                 {"mo_RE_iva", "3.6"}}),
      // A foreign supplier paid abroad, with VAT withheld at 100 %.
      compra({{"id_reg", "4"},
              {"co_tipoID", "'03'"},
              {"co_provee", "'P12345678'"},
              {"nu_secu", "'000000009'"},
              {"co_Prove_Tipo", "'02'"},
              {"co_Prove_Relac", "'NO'"},
              {"mo_base", "300"},
              {"mo_iva", "36"},
              {"mo_ret_2", "36"},
              {"co_Pago_Tipo", "'E'"},
              {"co_Pago_pais", "'109'"},
              {"co_Pago_doble", "'NO'"},
              {"co_Pago_SujetoRet", "'SI'"}}),
      // Sales of three establishments; a credit note lowers 001, and 003 sells only type 41.
      venta(),
      venta({{"co_tipoID", "'05'"}, {"co_cliente", "'0001710034065'"}, {"co_estable", "'002'"},
             {"nu_comprob", "1"}, {"mo_base_0", "100"}, {"mo_base", "0"}, {"mo_iva", "0"}}),
      venta({{"co_comprob", "'04'"}, {"nu_comprob", "1"}, {"mo_base_NoIva", "-10"}, {"mo_base", "-50"},
             {"mo_iva", "-6"}, {"mo_reten_IVA", "-1"}, {"mo_reten_IR", "-0.5"}}),
      venta({{"co_estable", "'003'"}, {"co_comprob", "'41'"}, {"nu_comprob", "2"}, {"mo_base", "70"},
             {"mo_iva", "8.4"}}),
      exportacion(),
      exportacion({{"co_Transacc", "'2'"}, {"mo_FOB", "800"}, {"mo_base", "800"}, {"nu_secu", "'000000322'"}}),
      anulado(),
      // Another company's and another month's rows stay out.
      compra({{"id_reg", "5"}, {"co_mes", "'04'"}}),
      venta({{"co_empresa", "'0992314702001'"}}),
      anulado({{"co_anio", "'2012'"}}),
  };
}

struct CasoGolden {
  const char* archivo;
  std::vector<std::string> filas;
  std::array<std::string, 4> secciones;  // purchases, sales, cancelled, exports
  bool esquema;                          // false: the stored data breaks the schema, see the case
  const char* porque;
};

void PrintTo(const CasoGolden& c, std::ostream* os) { *os << c.porque; }

const CasoGolden kCasos[] = {
    {"todas.xml", mesCompleto(), {"1", "1", "1", "1"}, true,
     "every section, in the document's order: compras, ventas, ventasEstablecimiento, exportaciones, anulados"},
    {"solo-compras.xml", mesCompleto(), {"1", "0", "0", "0"}, true,
     "the header loses numEstabRuc and totalVentas when sales are not chosen"},
    {"ninguna.xml", mesCompleto(), {"0", "0", "0", "0"}, true, "the header's six elements only"},
    // The authority's schema wants at least one ventaEst; the stored data is what is wrong.
    {"ventas-solo-41.xml",
     {venta({{"co_comprob", "'41'"}})},
     {"0", "1", "0", "0"},
     false,
     "a period whose sales are all type 41: ventas holds them, ventasEstablecimiento stays empty"},
    // The schema wants at least one formaPago; the purchase was stored without its payment forms.
    {"formas-de-pago-vacias.xml",
     {compra({{"mo_base", "1000"}, {"mo_iva", "0"}, {"co_FormaPago", "''"}})},
     {"1", "0", "0", "0"},
     false,
     "a total of 1000.00 with no payment form stored gives an empty formasDePago"},
};

class Golden : public XmlTest, public ::testing::WithParamInterface<CasoGolden> {};

TEST_P(Golden, FileAsGolden) {
  const CasoGolden& caso = GetParam();
  inserta(caso.filas);
  EXPECT_EQ(genera(caso.secciones), caso.esquema) << lastMessage();
  if (!caso.esquema) {
    EXPECT_EQ(lastMessage().rfind(kFueraDeEsquema, 0), 0u) << "the file is kept, no success claimed";
  }
  const std::string golden = vt::testing::readFile(std::string(XML_GOLDEN_DIR) + "/" + caso.archivo);
  EXPECT_EQ(sinVersion(archivo()), compacta(golden)) << caso.porque;

  pugi::xml_document doc;
  EXPECT_TRUE(doc.load_string(archivo().c_str())) << "well-formed";
  const Validacion v = validaEsquema(rutaXml());
  EXPECT_EQ(v.valido, caso.esquema) << "xmllint says what the writer said\n" << v.salida;
}

std::string nombre(const ::testing::TestParamInfo<CasoGolden>& info) {
  std::string n = info.param.archivo;
  n = n.substr(0, n.find('.'));
  for (char& c : n)
    if (c == '-') c = '_';
  return n;
}

INSTANTIATE_TEST_SUITE_P(Casos, Golden, ::testing::ValuesIn(kCasos), nombre);

}  // namespace
}  // namespace ambrix::testing
