// The annex is one picture of the tables: another run that replaces the period while the writer
// is half-way changes nothing in the file. The replacement is made on a connection of its own at
// the moment the writer opens a given query, seen through the statement observer.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/database/connection.hpp"
#include "platform/database/statement_observer.hpp"
#include "tests/xml/xml_fixture.hpp"

namespace ambrix::testing {
namespace {

struct CasoInstantanea {
  const char* porque;
  std::vector<std::string> filas;
  std::array<std::string, 4> secciones;
  const char* momento;                 // the writer's query before which the period is replaced
  std::vector<std::string> reemplazo;  // the other run's store of the period
  const char* consulta;                // XPath on the written file
  const char* esperado;
};

void PrintTo(const CasoInstantanea& c, std::ostream* os) { *os << c.porque; }

const CasoInstantanea kCasos[] = {
    {"the reimbursements are those of the purchases written, though read once per purchase later",
     {compra({{"id_reg", "1"}, {"co_comprob", "'41'"}, {"co_credito", "'02'"}}),
      reembolso({{"id_comprob", "1"}}), reembolso({{"id_comprob", "1"}, {"nu_RE_secu", "'000000056'"}}),
      compra({{"id_reg", "2"}, {"co_comprob", "'41'"}, {"co_credito", "'02'"}, {"nu_secu", "'000000124'"}}),
      reembolso({{"id_comprob", "2"}, {"nu_RE_secu", "'000000057'"}})},
     {"1", "0", "0", "0"},
     "FROM tbAT_Cmprs_RE",
     {"DELETE FROM tbAT_Cmprs_RE WHERE co_empresa = '1792045185001'",
      "DELETE FROM tbAT_Cmprs WHERE co_empresa = '1792045185001'",
      compra({{"id_reg", "3"}, {"co_comprob", "'41'"}, {"co_credito", "'02'"}}),
      reembolso({{"id_comprob", "3"}, {"nu_RE_secu", "'000000999'"}})},
     "concat(count(//detalleCompras), ' ', count(//reembolso), ' ', "
     "(//reembolso)[1]/secuencialReemb, ' ', (//reembolso)[3]/secuencialReemb)",
     "2 3 000000055 000000057"},
    {"the sales section and the totals of the header are of the same rows",
     {venta(), venta({{"co_estable", "'002'"}, {"mo_base", "100"}})},
     {"0", "1", "0", "0"},
     "From tbAT_Ventas",
     {"DELETE FROM tbAT_Ventas WHERE co_empresa = '1792045185001'", venta({{"mo_base", "7"}})},
     "concat(/iva/numEstabRuc, ' ', /iva/totalVentas, ' ', count(//detalleVentas), ' ', "
     "sum(//ventasEstab), ' ', sum(//detalleVentas/baseImpGrav))",
     "002 600.00 2 600 600"},
};

class Instantanea : public XmlTest, public ::testing::WithParamInterface<CasoInstantanea> {};

TEST_P(Instantanea, AReplacementHalfWayIsNotSeen) {
  const CasoInstantanea& caso = GetParam();
  inserta(caso.filas);
  auto otra = vt::db::Connection::create();
  otra->open((temp_.path() / "global.mdb").string());
  bool bReemplazado = false;
  std::string sFallo;
  {
    const vt::db::ScopedStatementObserver observador([&](const vt::db::Observation& o) {
      if (bReemplazado || o.kind != vt::db::ObservedKind::Query ||
          o.text.find(caso.momento) == std::string::npos)
        return;
      bReemplazado = true;  // first: the other connection's statements are seen here too
      try {
        otra->beginTrans();
        for (const std::string& s : caso.reemplazo) otra->execute(s);
        otra->commitTrans();
      } catch (...) {
        sFallo = "the replacement failed";
      }
    });
    ASSERT_TRUE(genera(caso.secciones)) << lastMessage();
  }
  ASSERT_TRUE(bReemplazado) << caso.porque;
  ASSERT_EQ(sFallo, "");
  EXPECT_EQ(xpath(caso.consulta), caso.esperado) << caso.porque;
}

INSTANTIATE_TEST_SUITE_P(Casos, Instantanea, ::testing::ValuesIn(kCasos));

}  // namespace
}  // namespace ambrix::testing
