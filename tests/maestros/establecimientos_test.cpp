// A supplier's establishments: registration, query, update and delete by key.

#include <gtest/gtest.h>

#include "library/frame/clases_maestras.hpp"
#include "library/frame/thread_context.hpp"
#include "maestros_fixture.hpp"

namespace {

using maestros_test::kEstacion;
using maestros_test::kRuc;
using valtrone::CLSEstablecimientos;
using valtrone::ctx;
using valtrone::RecordsetRef;
using Row = std::vector<std::string>;

class Establishments : public maestros_test::Maestros {
 protected:
  void SetUp() override {
    Maestros::SetUp();
    proveedorDirecto(kRuc);
  }
  static CLSEstablecimientos establishment() {
    CLSEstablecimientos e;
    e.sco_provee = kRuc;
    e.sco_Estable = "1";
    e.sds_Estable = " Sucursal Norte ";
    e.sco_pais = "1";
    e.sco_Provin = "09";
    e.sco_ciudad = "1";
    e.sds_Direcc = "Av. O'Higgins ";
    e.snu_telefono1 = " 042555555 ";
    e.sst_estable = " a ";
    e.sco_usuario = " ana ";
    return e;
  }
};

TEST_F(Establishments, RegistrationStoresTheKeyInItsFormat) {
  CLSEstablecimientos e = establishment();
  std::string text = "texto del llamador";
  ASSERT_TRUE(e.Sucur_Ingresar(text)) << text;
  EXPECT_EQ(text, "texto del llamador");
  EXPECT_EQ(e.sds_wrkst, kEstacion);
  const std::string hora = horaGuardada();
  EXPECT_EQ(
      fila("select co_provee, co_estable, ds_nombre, co_pais, co_provincia, co_ciudad, ds_direccion, "
           "nu_telefono1, nu_telefono2, nu_fax, st_estable, co_usua, fe_regis, co_modi, fe_modi, ds_wrkst "
           "from tbProveeEstablecmts"),
      (Row{kRuc, "001", "Sucursal Norte", "01", "09", "001", "Av. O'Higgins", "042555555", "", "", "A", "ana",
           hora, "ana", hora, kEstacion}));
  // The record keeps the copy the member checked.
  EXPECT_EQ(ctx().tpEstablecimiento.sco_Estable, "1");
  EXPECT_EQ(ctx().gdbConexion->state(), vt::db::State::Open);

  CLSEstablecimientos again = establishment();
  again.sco_Estable = "001";
  text = "texto del llamador";
  EXPECT_FALSE(again.Sucur_Ingresar(text));
  EXPECT_EQ(text, "Error, Registro duplicado...");
  EXPECT_EQ(cuenta("tbProveeEstablecmts"), 1);
}

TEST_F(Establishments, RegistrationRefusals) {
  struct Case {
    void (*change)(CLSEstablecimientos&);
    std::string expected;
    const char* why;
  };
  const Case cases[] = {
      {[](CLSEstablecimientos& e) {
         e.sco_provee = "0990000000001";
         e.sst_estable = "IN";
       },
       "\tProveedor no existe. \r\n\tCodigo de estado no permitido \r\n",
       "the check's lines replace the text"},
      {[](CLSEstablecimientos& e) { e.sco_usuario = " "; }, "Codigo de usuario no válido", "no user"},
      {[](CLSEstablecimientos& e) { e.sds_wrkst = "CAJA"; }, "", "a station of the caller's own is kept"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    db.execute("delete from tbProveeEstablecmts");
    CLSEstablecimientos e = establishment();
    c.change(e);
    std::string text = "texto del llamador";
    EXPECT_EQ(e.Sucur_Ingresar(text), c.expected.empty());
    if (c.expected.empty()) {
      EXPECT_EQ(text, "texto del llamador");
      EXPECT_EQ(fila("select ds_wrkst from tbProveeEstablecmts"), Row{e.sds_wrkst});
    } else {
      EXPECT_EQ(text, c.expected);
      EXPECT_EQ(cuenta("tbProveeEstablecmts"), 0);
    }
  }
}

TEST_F(Establishments, ARefusedServerTimeStoresNothing) {
  db.execute("delete from tbfechasys");
  CLSEstablecimientos e = establishment();
  std::string text;
  EXPECT_FALSE(e.Sucur_Ingresar(text));
  EXPECT_EQ(text, "Error al consultar fecha");
  EXPECT_EQ(cuenta("tbProveeEstablecmts"), 0);
  EXPECT_EQ(ctx().gdbConexion->state(), vt::db::State::Closed);
}

TEST_F(Establishments, Query) {
  establecimientoDirecto(kRuc, "002", "SUR");
  establecimientoDirecto(kRuc, "001", "MATRIZ");
  establecimientoDirecto("0990000000001", "001", "OTRO");
  struct Case {
    std::string empresa, estable, query;
    bool object;
    std::vector<std::string> codes;
    std::string expected;
    const char* why;
  };
  const Case cases[] = {
      {kRuc, "", "", true, {"001", "002"}, "", "every establishment, in code order"},
      {"1710034065001 ", "2", "", true, {"002"}, "", "one establishment, its code formatted"},
      {kRuc, "", "ds_nombre = 'SUR'", true, {"002"}, "", "a condition of the caller's own"},
      {"0990000000002",
       "",
       "",
       true,
       {},
       "No existe información de establecimiento \r\n",
       "a supplier without establishments: an empty recordset"},
      {" ", "", "", false, {}, "RUC de Empresa no válido \r\n", "no supplier: no recordset"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    CLSEstablecimientos e;
    std::string empresa = c.empresa, estable = c.estable, query = c.query, text = "texto del llamador";
    const RecordsetRef rs = e.Sucur_Consultar(empresa, estable, query, text);
    EXPECT_EQ(text, c.expected);
    ASSERT_EQ(bool(rs), c.object);
    if (!rs) continue;
    std::vector<std::string> codes;
    for (; !rs->eof(); rs->moveNext()) codes.push_back(rs->field("co_estable").asText());
    EXPECT_EQ(codes, c.codes);
  }
}

TEST_F(Establishments, UpdateAndDelete) {
  establecimientoDirecto(kRuc, "001", "MATRIZ");
  establecimientoDirecto(kRuc, "002", "SUR");
  struct Case {
    bool remove;
    std::string empresa, estable, campos, incoming;
    int32_t count;
    std::string expected;
    const char* why;
  };
  const Case cases[] = {
      {false, " ", "ABC", "", "", 0,
       "RUC de Empresa no válido \r\nCódigo de Establecimiento debe ser numérico \r\n"
       "Campos a actualizar no válidos \r\n",
       "every refusal of an update, appended"},
      {false, kRuc, "2", "ds_nombre = 'NUEVO'", "previo", 0, "previo", "a caller's text changes nothing"},
      {false, kRuc, "2", "ds_nombre = 'NUEVO'", "", 1, "", "the caller's assignments"},
      {false, kRuc, "3", "ds_nombre = 'NUEVO'", "", 0, "Error. No se actualizó establecimiento \r\n",
       "no such establishment"},
      {true, kRuc, "ABC", "", "", 0, "Código de Establecimiento debe ser numérico \r\n", "ABC is no code"},
      {true, "", "1", "", "", 0, "RUC de Proveedor no válido \r\n", "no supplier"},
      {true, kRuc, "1", "", "previo", 0, "previo", "a caller's text deletes nothing"},
      {true, kRuc, "1", "", "", 1, "", "one establishment deleted"},
      {true, kRuc, "1", "", "", 0, "Error. No se eliminó registro \r\n", "nothing left to delete"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    CLSEstablecimientos e;
    std::string empresa = c.empresa, estable = c.estable, campos = c.campos, text = c.incoming;
    const int32_t count = c.remove ? e.Sucur_Eliminar(empresa, estable, text)
                                   : e.Sucur_Actualizar(empresa, estable, campos, text);
    EXPECT_EQ(count, c.count);
    EXPECT_EQ(text, c.expected);
    expectNoOpenTransaction();
  }
  EXPECT_EQ(fila("select co_estable, ds_nombre from tbProveeEstablecmts order by co_estable"),
            (Row{"002", "NUEVO"}));
  EXPECT_EQ(cuenta("tbProveeEstablecmts"), 1);
}

}  // namespace
