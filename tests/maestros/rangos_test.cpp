// A supplier's authorised document ranges, and single rows of its authorised voucher types.

#include <gtest/gtest.h>

#include "library/frame/clases_maestras.hpp"
#include "library/frame/thread_context.hpp"
#include "maestros_fixture.hpp"

namespace {

using maestros_test::kEstacion;
using maestros_test::kRuc;
using valtrone::CLSDctosAutorizados;
using valtrone::ctx;
using valtrone::Date;
using valtrone::RecordsetRef;
using Row = std::vector<std::string>;

const std::string kAuthorisation37 = "1234567890123456789012345678901234567";

class SupplierRanges : public maestros_test::Maestros {
 protected:
  void SetUp() override {
    Maestros::SetUp();
    proveedorDirecto(kRuc);
    establecimientoDirecto(kRuc, "001");
  }
  static CLSDctosAutorizados range() {
    CLSDctosAutorizados d;
    d.sco_provee = kRuc;
    d.sco_Estable = "001";
    d.sco_CmpteVta = "01";
    d.snu_Serie = "001001";
    d.lnu_SecuIni = 1;
    d.lnu_SecuFin = 500;
    d.snu_Autoriza = "123";
    d.ffe_Validez = Date::fromDate({2014, 12, 31});
    d.sco_Impta = "12";
    d.sco_usuario = " ana ";
    return d;
  }
  // A range put in place directly.
  void rangeRow(const std::string& estable, const std::string& tipo, const std::string& serie) {
    db.execute(
        "insert into tbProveeCmprAutoriza (co_provee, co_estable, co_cmpt_vta, nu_serie, nu_sec_ini, "
        "nu_sec_fin, nu_autoriza, co_impta) values ('" +
        std::string(kRuc) + "', '" + estable + "', '" + tipo + "', '" + serie + "', 1, 10, '9', '9')");
  }
  Row stored(const std::string& condition = "") {
    return fila(
        "select co_provee, co_estable, co_cmpt_vta, nu_serie, nu_sec_ini, nu_sec_fin, nu_autoriza, "
        "fe_validez, co_impta, co_usua, co_modi, ds_wrkst from tbProveeCmprAutoriza " +
        condition);
  }
};

TEST_F(SupplierRanges, Registration) {
  CLSDctosAutorizados d = range();
  std::string text = "texto del llamador";
  ASSERT_TRUE(d.Dctos_Ingresar(text)) << text;
  EXPECT_EQ(text, "texto del llamador");
  EXPECT_EQ(d.sds_wrkst, kEstacion);
  EXPECT_EQ(stored(), (Row{kRuc, "001", "01", "001001", "1", "500", "0000000123", "2014-12-31 00:00:00",
                           "0012", "ana", "ana", kEstacion}));
  const std::string hora = horaGuardada();
  EXPECT_EQ(fila("select fe_regis, fe_modi from tbProveeCmprAutoriza"), (Row{hora, hora}));
  EXPECT_EQ(ctx().gdbConexion->state(), vt::db::State::Open);

  text = "texto del llamador";
  EXPECT_FALSE(range().Dctos_Ingresar(text));
  EXPECT_EQ(text, "Error, Registro duplicado...");
  EXPECT_EQ(cuenta("tbProveeCmprAutoriza"), 1);
}

TEST_F(SupplierRanges, RegistrationCases) {
  establecimientoDirecto(kRuc, "1");
  struct Case {
    void (*change)(CLSDctosAutorizados&);
    std::string expected;  // the text handed back; empty when the range is stored
    Row stored;            // co_estable, co_cmpt_vta, nu_serie, nu_autoriza, co_impta
    const char* why;
  };
  const Case cases[] = {
      {[](CLSDctosAutorizados& d) {
         d.sco_Estable = "1";
         d.sco_CmpteVta = "1";
         d.snu_Serie = "1";
       },
       "",
       {"001", "01", "000001", "0000000123", "0012"},
       "every key part stored in its format"},
      {[](CLSDctosAutorizados& d) {
         d.snu_Autoriza = kAuthorisation37;
         d.sco_Impta = "01234";
       },
       "",
       {"001", "01", "001001", kAuthorisation37, "01234"},
       "long authorisations are kept digit for digit"},
      {[](CLSDctosAutorizados& d) {
         d.sco_usuario = "";
         d.sco_modi = "luis";
       },
       "Codigo de usuario no válido. ",
       {},
       "the registering user, even with a modifier"},
      {[](CLSDctosAutorizados& d) {
         d.lnu_SecuFin = 1;
         d.sco_CmpteVta = "10";
       },
       "\tCodigo de comprobante no existe en tabla. \r\n"
       "\tSecuencia final no puede ser menor que secuencia inicial. \r\n",
       {},
       "the check's lines replace the caller's text"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    db.execute("delete from tbProveeCmprAutoriza");
    CLSDctosAutorizados d = range();
    c.change(d);
    std::string text = "texto del llamador";
    EXPECT_EQ(d.Dctos_Ingresar(text), c.expected.empty());
    if (c.expected.empty()) {
      EXPECT_EQ(text, "texto del llamador");
      EXPECT_EQ(
          fila("select co_estable, co_cmpt_vta, nu_serie, nu_autoriza, co_impta from tbProveeCmprAutoriza"),
          c.stored);
    } else {
      EXPECT_EQ(text, c.expected);
      EXPECT_EQ(cuenta("tbProveeCmprAutoriza"), 0);
    }
  }
}

TEST_F(SupplierRanges, ARefusedServerTimeStoresNothing) {
  rangeRow("001", "01", "001001");
  db.execute("delete from tbfechasys");
  CLSDctosAutorizados d = range();
  d.snu_Serie = "001002";
  std::string text;
  EXPECT_FALSE(d.Dctos_Ingresar(text));
  EXPECT_EQ(text, "Error al consultar fecha");
  EXPECT_EQ(cuenta("tbProveeCmprAutoriza"), 1);

  d.snu_Serie = "001001";
  d.sco_modi = "luis";
  text.clear();
  EXPECT_EQ(d.Dctos_Actualizar(text), 0);
  EXPECT_EQ(text, "Error al consultar fecha");
  EXPECT_EQ(stored(),
            (Row{kRuc, "001", "01", "001001", "1", "10", "9", "<Null>", "9", "<Null>", "<Null>", "<Null>"}));
  EXPECT_EQ(ctx().gdbConexion->state(), vt::db::State::Closed);
}

TEST_F(SupplierRanges, Update) {
  establecimientoDirecto(kRuc, "002");
  rangeRow("001", "01", "001001");
  rangeRow("002", "01", "001001");
  rangeRow("001", "01", "001002");
  CLSDctosAutorizados d = range();
  d.snu_Autoriza = "0123";
  d.sco_Impta = "0012";
  d.ffe_Validez = Date::fromDateTime({{2015, 6, 30}, 10, 0, 0});
  d.sco_modi = "luis";
  std::string text;
  // Found by supplier, type and serie: the establishment's row and its namesake of "002".
  EXPECT_EQ(d.Dctos_Actualizar(text), 2) << text;
  EXPECT_EQ(text, "");
  EXPECT_EQ(stored("where co_estable = '002'"), (Row{kRuc, "002", "01", "001001", "1", "500", "0123",
                                                     "2015-06-30", "12", "<Null>", "luis", kEstacion}));
  EXPECT_EQ(fila("select fe_modi from tbProveeCmprAutoriza where co_estable = '002'"), Row{horaGuardada()});
  EXPECT_EQ(fila("select nu_autoriza from tbProveeCmprAutoriza where nu_serie = '001002'"), Row{"9"});

  struct Case {
    void (*change)(CLSDctosAutorizados&);
    std::string expected;
    const char* why;
  };
  const Case cases[] = {
      {[](CLSDctosAutorizados& d) { d.sco_modi = " "; }, "Codigo de usuario no válido. ",
       "the modifier, even with a registering user"},
      {[](CLSDctosAutorizados& d) { d.snu_Serie = "001009"; },
       "Error. No se actualizo información de comprobante \r\n", "no range of that serie"},
      {[](CLSDctosAutorizados& d) { d.sco_provee = ""; },
       "\tCodigo de Proveedor se encuentra vacio. \r\n\tProveedor no existe. \r\n"
       "\tEstablecimiento de Proveedor no registrado. \r\n",
       "the check's lines replace the text"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    CLSDctosAutorizados u = range();
    u.sco_modi = "luis";
    c.change(u);
    text = "texto del llamador";
    EXPECT_EQ(u.Dctos_Actualizar(text), 0);
    EXPECT_EQ(text, c.expected);
    expectNoOpenTransaction();
  }
}

TEST_F(SupplierRanges, Query) {
  establecimientoDirecto(kRuc, "002");
  rangeRow("001", "01", "001001");
  rangeRow("002", "01", "002001");
  rangeRow("001", "03", "001001");
  struct Case {
    std::string supplier, estable, serie, tipo, query;
    bool object;
    long rows;
    std::string expected;
    const char* why;
  };
  const Case cases[] = {
      {kRuc, "", "", "", "", true, 3, "", "every range of the supplier"},
      {kRuc, "000", "0", "00", " ", true, 3, "", "zero filters are left out"},
      {kRuc, "2", "", "", "", true, 1, "", "one establishment"},
      {kRuc, "", "1001", "", "", true, 2, "", "one serie"},
      {kRuc, "", "", "3", "", true, 1, "", "one voucher type"},
      {kRuc, "", "", "", "nu_sec_fin > 5 and co_estable = '002'", true, 1, "", "the caller's condition"},
      {"0990000000001", "", "", "", "", true, 0, "Error. No existe información de comprobante ",
       "a supplier without ranges: an empty recordset"},
      {kRuc, "", "", "10", "", false, 0, "Codigo de comprobante no existe o no registrado. \r\n",
       "an unknown voucher type"},
      {"", "", "", "", "", false, 0, "RUC de Proveedor no válido \r\n", "no supplier"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    CLSDctosAutorizados d;
    std::string supplier = c.supplier, estable = c.estable, serie = c.serie, tipo = c.tipo, query = c.query,
                text = "texto del llamador";
    const RecordsetRef rs = d.Dctos_Consultar(supplier, estable, serie, tipo, query, text);
    EXPECT_EQ(text, c.expected);
    ASSERT_EQ(bool(rs), c.object);
    if (rs) {
      EXPECT_EQ(rs->recordCount(), c.rows);
    }
  }
}

TEST_F(SupplierRanges, Delete) {
  rangeRow("001", "01", "001001");
  rangeRow("001", "01", "001002");
  rangeRow("001", "03", "001001");
  struct Case {
    std::string supplier, estable, serie, tipo, incoming;
    int32_t count;
    std::string expected;
    const char* why;
  };
  const Case cases[] = {
      {kRuc, "1", "", "10", "", 0, "Codigo de comprobante no existe en tabla. \r\n",
       "an unknown type deletes nothing"},
      {" ", "ABC", "", "", "", 0,
       "RUC de Proveedor no válido \r\nCódigo de Establecimiento debe ser numérico \r\n",
       "refusals appended"},
      {kRuc, "1", "", "", "previo", 0, "previo", "a caller's text deletes nothing"},
      {kRuc, "1", "1002", "1", "", 1, "", "one range by its whole key"},
      {kRuc, "1", "", "1", "", 1, "", "what is left of the type"},
      {kRuc, "1", "", "1", "", 0, "Error. No se eliminó registro de comprobante \r\n", "nothing left"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    CLSDctosAutorizados d;
    std::string supplier = c.supplier, estable = c.estable, serie = c.serie, tipo = c.tipo, text = c.incoming;
    EXPECT_EQ(d.Dctos_Eliminar(supplier, estable, serie, tipo, text), c.count);
    EXPECT_EQ(text, c.expected);
    expectNoOpenTransaction();
  }
  EXPECT_EQ(fila("select co_cmpt_vta from tbProveeCmprAutoriza"), Row{"03"});
}

TEST_F(SupplierRanges, SingleAuthorisedVoucherTypes) {
  db.execute(
      "insert into tbAutorizaDctos (co_provee, co_estable, co_cmpt_vta, Nu_Serie, nu_sec_ini, nu_sec_fin, "
      "nu_autoriza, fe_validez, co_autz_impt, co_usua, fe_regis, co_modi, fe_modi, ds_wrkst) values ('" +
      std::string(kRuc) +
      "', '001', '01', '001001', 1, 900, '1110234567', '2014-12-31', '0012', 'ana', "
      "'2013-05-15 14:11:12', 'luis', '2013-06-01 08:00:00', 'CAJA')");
  db.execute("insert into tbAutorizaDctos (co_provee, co_estable, co_cmpt_vta) values ('" +
             std::string(kRuc) + "', '002', '01')");

  CLSDctosAutorizados d;
  d.sco_provee = kRuc;
  d.sco_Estable = "1";
  d.sco_CmpteVta = "1";
  std::string ignored = "no se lee", text = "texto del llamador";
  EXPECT_TRUE(d.Consultar_CmprVnta_Indivi_NO(ignored, ignored, ignored, text));
  EXPECT_EQ(text, "texto del llamador");
  EXPECT_EQ((Row{d.sco_provee, d.sco_Estable, d.sco_CmpteVta, d.snu_Serie, std::to_string(d.lnu_SecuIni),
                 std::to_string(d.lnu_SecuFin), d.snu_Autoriza, d.sco_Impta, d.sco_usuario, d.sco_modi,
                 d.sds_wrkst}),
            (Row{kRuc, "001", "01", "001001", "1", "900", "1110234567", "0012", "ana", "luis", "CAJA"}));
  EXPECT_EQ(d.ffe_Validez, Date::fromDate({2014, 12, 31}));
  EXPECT_EQ(d.ffe_regis, Date::fromDateTime({{2013, 5, 15}, 14, 11, 12}));
  EXPECT_EQ(d.ffe_modi, Date::fromDateTime({{2013, 6, 1}, 8, 0, 0}));
  EXPECT_EQ(ctx().gdbConexion->state(), vt::db::State::Closed);

  // Empty columns read as empty values.
  CLSDctosAutorizados n = d;
  n.sco_Estable = "002";
  EXPECT_TRUE(n.Consultar_CmprVnta_Indivi_NO(ignored, ignored, ignored, text));
  EXPECT_EQ((Row{n.sco_Estable, n.snu_Serie, std::to_string(n.lnu_SecuFin), n.sco_Impta, n.sds_wrkst}),
            (Row{"002", "", "0", "", ""}));
  EXPECT_EQ(n.ffe_Validez, Date{});

  // A key without a row leaves the properties as they were.
  CLSDctosAutorizados m = d;
  m.sco_CmpteVta = "03";
  EXPECT_FALSE(m.Consultar_CmprVnta_Indivi_NO(ignored, ignored, ignored, text));
  EXPECT_EQ(text, "No existe información de comprobante");
  EXPECT_EQ(m.sco_CmpteVta, "03");
  EXPECT_EQ(m.snu_Serie, "001001");

  struct Case {
    std::string supplier, estable, tipo;
    int32_t count;
    std::string expected;
    const char* why;
  };
  const Case cases[] = {
      {kRuc, "1", "1", 1, "texto del llamador", "deleted by the arguments' key, formatted"},
      {kRuc, "1", "1", 0, "No se eliminó registro ", "nothing left to delete"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    std::string supplier = c.supplier, estable = c.estable, tipo = c.tipo;
    text = "texto del llamador";
    EXPECT_EQ(d.Eliminar_CmprVnta_Indivi_NO(supplier, estable, tipo, text), c.count);
    EXPECT_EQ(text, c.expected);
    expectNoOpenTransaction();
  }
  EXPECT_EQ(cuenta("tbAutorizaDctos"), 1);
}

}  // namespace
