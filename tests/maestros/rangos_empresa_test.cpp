// The company's own authorised document ranges.

#include <gtest/gtest.h>

#include "library/frame/clases_maestras.hpp"
#include "library/frame/thread_context.hpp"
#include "maestros_fixture.hpp"

namespace {

using maestros_test::kEstacion;
using valtrone::CLSDctosEmpresas;
using valtrone::ctx;
using valtrone::Date;
using valtrone::RecordsetRef;
using Row = std::vector<std::string>;

constexpr const char* kEmpresa = "1792045185001";

class CompanyRanges : public maestros_test::Maestros {
 protected:
  static CLSDctosEmpresas range() {
    CLSDctosEmpresas d;
    d.sco_empresa = kEmpresa;
    d.sco_Estable = "001";
    d.sco_CmpteVta = "01";
    d.snu_Serie = "001001";
    d.lnu_SecuIni = 1;
    d.lnu_SecuFin = 500;
    d.snu_Autoriza = "1234567890123456789012345678901234567";
    d.ffe_Validez = Date::fromDate({2014, 12, 31});
    d.sco_Impta = "12";
    d.sco_usuario = "ana";
    d.sco_modi = "luis";
    d.sds_wrkst = "CAJA";
    return d;
  }
  void rangeRow(const std::string& empresa, const std::string& tipo, const std::string& serie) {
    db.execute(
        "insert into tbEmprCmprAutoriza (co_empresa, co_estable, co_cmpt_vta, nu_serie, nu_sec_ini, "
        "nu_sec_fin, nu_autoriza, co_impta) values ('" +
        empresa + "', '001', '" + tipo + "', '" + serie + "', 1, 10, '9', '9')");
  }
};

TEST_F(CompanyRanges, Registration) {
  struct Case {
    void (*change)(CLSDctosEmpresas&);
    bool ownTimes;
    std::string expected;
    const char* why;
  };
  const Case cases[] = {
      {[](CLSDctosEmpresas& d) { d.sco_empresa = "0990000000001"; }, false, "\tEmpresa no existe. \r\n",
       "an unknown company"},
      {[](CLSDctosEmpresas&) {}, false, "", "no audit times given: the server's"},
      {[](CLSDctosEmpresas& d) {
         d.ffe_regis = Date::fromDateTime({{2013, 1, 2}, 3, 4, 5});
         d.ffe_modi = Date::fromDateTime({{2013, 2, 3}, 4, 5, 6});
       },
       true, "", "the caller's audit times are kept"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    db.execute("delete from tbEmprCmprAutoriza");
    CLSDctosEmpresas d = range();
    c.change(d);
    std::string text = "texto del llamador";
    ASSERT_EQ(d.DctosEmpresa_Ingresar(text), c.expected.empty()) << text;
    if (!c.expected.empty()) {
      EXPECT_EQ(text, c.expected);
      EXPECT_EQ(cuenta("tbEmprCmprAutoriza"), 0);
      continue;
    }
    EXPECT_EQ(text, "texto del llamador");
    const std::string hora = horaGuardada();
    EXPECT_EQ(
        fila("select co_empresa, co_estable, co_cmpt_vta, nu_serie, nu_sec_ini, nu_sec_fin, nu_autoriza, "
             "fe_validez, co_impta, co_usua, fe_regis, co_modi, fe_modi, ds_wrkst from tbEmprCmprAutoriza"),
        (Row{kEmpresa, "001", "01", "001001", "1", "500", "1234567890123456789012345678901234567",
             "2014-12-31", "0012", "ana", c.ownTimes ? "2013-01-02 03:04:05" : hora, "luis",
             c.ownTimes ? "2013-02-03 04:05:06" : hora, kEstacion}));
  }
  std::string text;
  EXPECT_FALSE(range().DctosEmpresa_Ingresar(text));
  EXPECT_EQ(text, "Error, Registro duplicado...");
  EXPECT_EQ(cuenta("tbEmprCmprAutoriza"), 1);
}

TEST_F(CompanyRanges, ARefusedServerTimeStoresNothing) {
  db.execute("delete from tbfechasys");
  CLSDctosEmpresas d = range();
  std::string text;
  EXPECT_FALSE(d.DctosEmpresa_Ingresar(text));
  EXPECT_EQ(text, "Error al consultar fecha");
  EXPECT_EQ(cuenta("tbEmprCmprAutoriza"), 0);
  EXPECT_EQ(ctx().gdbConexion->state(), vt::db::State::Closed);
}

TEST_F(CompanyRanges, Update) {
  CLSDctosEmpresas blank = range();
  blank.sco_modi = " ";
  std::string text;
  EXPECT_EQ(blank.DctosEmpresa_Actualizar(text), 0);
  EXPECT_EQ(text, "Codigo de usuario no válido. ");
  EXPECT_FALSE(ctx().gdbConexion) << "no connection is opened";

  rangeRow(kEmpresa, "01", "001001");
  db.execute("update tbEmprCmprAutoriza set co_estable = '002'");
  // No earlier call of the thread read the clock: the member reads it itself.
  ASSERT_FALSE(ctx().serverTime);
  CLSDctosEmpresas d = range();
  d.snu_Autoriza = "0123";
  d.sco_Impta = "0012";
  d.sds_wrkst = "";
  text.clear();
  EXPECT_EQ(d.DctosEmpresa_Actualizar(text), 1) << text;
  EXPECT_EQ(d.sds_wrkst, kEstacion);
  EXPECT_EQ(
      fila("select co_estable, nu_sec_fin, nu_autoriza, fe_validez, co_impta, co_modi, fe_modi, ds_wrkst "
           "from tbEmprCmprAutoriza"),
      (Row{"002", "500", "0123", "2014-12-31", "12", "luis", horaGuardada(), kEstacion}));

  d.snu_Serie = "009009";
  text.clear();
  EXPECT_EQ(d.DctosEmpresa_Actualizar(text), 0);
  EXPECT_EQ(text, "Error. No se actualizo información de comprobante \r\n");
  expectNoOpenTransaction();
}

TEST_F(CompanyRanges, QueryAndDelete) {
  rangeRow(kEmpresa, "01", "001001");
  rangeRow(kEmpresa, "03", "001002");
  rangeRow("0992314702001", "01", "001001");
  struct Query {
    std::string empresa, estable, serie, tipo;
    bool object;
    long rows;
    std::string expected;
    const char* why;
  };
  const Query queries[] = {
      {kEmpresa, "0", "", "00", true, 2, "", "zero and empty filters list every range of the company"},
      {kEmpresa, "1", "1002", "3", true, 1, "", "every filter"},
      {"1712345675001", "", "", "", true, 0, "No existe información de comprobantes de Empresa",
       "a company without ranges"},
      {"", "", "", "", false, 0, "Codigo de Cliente no válido \r\n", "no company"},
  };
  for (const Query& q : queries) {
    SCOPED_TRACE(q.why);
    CLSDctosEmpresas d;
    std::string empresa = q.empresa, estable = q.estable, serie = q.serie, tipo = q.tipo, query,
                text = "texto del llamador";
    const RecordsetRef rs = d.DctosEmpresa_Consultar(empresa, estable, serie, tipo, query, text);
    EXPECT_EQ(text, q.expected);
    ASSERT_EQ(bool(rs), q.object);
    if (rs) {
      EXPECT_EQ(rs->recordCount(), q.rows);
    }
  }

  struct Delete {
    std::string empresa, estable, serie, tipo, incoming;
    int32_t count;
    std::string expected;
    const char* why;
  };
  const Delete deletes[] = {
      {kEmpresa, "", "", "", "", 0, "Código de Establecimiento debe ser numérico \r\n",
       "an empty establishment"},
      {"", "1", "", "17", "", 0,
       "RUC de Empresa no válido \r\nCodigo de comprobante no existe en tabla. \r\n",
       "no company, an unknown type"},
      {kEmpresa, "1", "", "", "previo", 0, "previo", "a caller's text deletes nothing"},
      {kEmpresa, "1", "1001", "1", "", 1, "", "one range"},
      {kEmpresa, "1", "1001", "1", "", 0, "Error. No se eliminó registro de comprobante \r\n",
       "already deleted"},
  };
  for (const Delete& c : deletes) {
    SCOPED_TRACE(c.why);
    CLSDctosEmpresas d;
    std::string empresa = c.empresa, estable = c.estable, serie = c.serie, tipo = c.tipo, text = c.incoming;
    EXPECT_EQ(d.DctosEmpresa_Eliminar(empresa, estable, serie, tipo, text), c.count);
    EXPECT_EQ(text, c.expected);
    expectNoOpenTransaction();
  }
  EXPECT_EQ(cuenta("tbEmprCmprAutoriza"), 2);
}

}  // namespace
