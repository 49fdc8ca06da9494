// Suppliers: registration with its main establishment, update and query, on a copy of the
// fixture database; what is stored is read back through a connection of the test's own.

#include <gtest/gtest.h>

#include "library/frame/clases_maestras.hpp"
#include "library/frame/thread_context.hpp"
#include "maestros_fixture.hpp"
#include "platform/errors/error.hpp"

namespace {

using maestros_test::kCedula;
using maestros_test::kEstacion;
using maestros_test::kRuc;
using valtrone::CLSProveedores;
using valtrone::ctx;
using Row = std::vector<std::string>;

class Suppliers : public maestros_test::Maestros {
 protected:
  // A supplier that registers: a natural person's RUC.
  static CLSProveedores supplier() {
    CLSProveedores p;
    p.sco_empresa = " 1792045185001 ";
    p.sco_RUC = kRuc;
    p.sds_Nombre = " Pérez Andrade Juan ";
    p.sco_ID = "R";
    p.sds_Direcc = "Av. Amazonas 123";
    p.sTipoPersona = "N";
    p.sTipoLocali = "L";
    p.bStContrEspe = "False";
    p.snu_Telefono = "022555555";
    p.sco_usuario = " ana ";
    return p;
  }
  Row storedSupplier(const std::string& ruc) {
    return fila(
        "select co_empresa, co_provee, ds_nombre, co_id, ds_direccion, nu_telefono, nu_telefono2, nu_fax, "
        "co_tiporuc, co_tipoloca, st_contr_es, fe_ult_emis, fe_ult_conta, st_regis, co_usua, co_modi, "
        "ds_wrkst "
        "from tbproveedor where co_provee = '" +
        ruc + "'");
  }
};

TEST_F(Suppliers, RegistrationRefusals) {
  struct Case {
    void (*change)(CLSProveedores&);
    std::string expected;
    const char* why;
  };
  const Case cases[] = {
      {[](CLSProveedores& p) {
         p.sco_usuario = " ";
         p.sco_ID = "x";
         p.sco_RUC = "ABC";
       },
       "\tCodigo de usuario no válido\r\n\tTipo de identificación x no válido \r\n"
       "Numero de identificación ABC debe ser numérico \r\n",
       "three faults, three lines: the number line has no tab"},
      {[](CLSProveedores& p) { p.sco_RUC = "0"; }, "Numero de identificacion 0 no válido \r\n", "zero"},
      {[](CLSProveedores& p) { p.sco_RUC = "-17"; }, "Numero de identificacion -17 no válido \r\n",
       "negative"},
      {[](CLSProveedores& p) { p.sco_RUC = "1710034065002"; },
       "Numero de Identificacion (RUC, Cédula ) 1710034065002 no válido ",
       "a RUC not ending in 001: no line break"},
      {[](CLSProveedores& p) {
         p.sco_ID = " c ";
         p.sco_RUC = " 1710034066 ";
       },
       "Numero de Identificacion (RUC, Cédula ) 1710034066 no válido ", "a cédula with a wrong check digit"},
      {[](CLSProveedores& p) {
         p.sco_ID = "C";
         p.sco_RUC = kRuc;
       },
       "Numero de Identificacion (RUC, Cédula ) 1710034065001 no válido ", "a RUC is no cédula"},
      {[](CLSProveedores& p) {
         p.sco_ID = "Q";
         p.sco_RUC = "12";
       },
       "\tTipo de identificación Q no válido \r\n", "an unknown kind gets no number test"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    CLSProveedores p = supplier();
    c.change(p);
    std::string text = "texto del llamador";
    EXPECT_FALSE(p.Ingresar(text));
    EXPECT_EQ(text, c.expected);
  }
  EXPECT_EQ(cuenta("tbproveedor"), 0);
  EXPECT_EQ(cuenta("tbProveeEstablecmts"), 0);
}

TEST_F(Suppliers, RegistrationStoresTheSupplierAndItsMainEstablishment) {
  CLSProveedores p = supplier();
  std::string text = "texto del llamador";
  ASSERT_TRUE(p.Ingresar(text)) << text;
  EXPECT_EQ(text, "texto del llamador");
  EXPECT_EQ(p.sds_wrkst, kEstacion);
  const std::string hora = horaGuardada();
  EXPECT_EQ(storedSupplier(kRuc),
            (Row{"1792045185001", kRuc, "PÉREZ ANDRADE JUAN", "R", "AV. AMAZONAS 123", "022555555", "", "",
                 "N", "L", "0", "2000-01-01", "2000-01-01", "A", "ana", "ana", kEstacion}));
  EXPECT_EQ(fila("select fe_regis, fe_modi from tbproveedor"), (Row{hora, hora}));
  EXPECT_EQ(
      fila(
          "select co_provee, co_estable, ds_nombre, co_pais, co_provincia, co_ciudad, ds_direccion, "
          "nu_telefono1, st_estable, co_usua, fe_regis, co_modi, fe_modi, ds_wrkst from tbProveeEstablecmts"),
      (Row{kRuc, "001", "PÉREZ ANDRADE JUAN", "01", "09", "001", "AV. AMAZONAS 123", "022555555", "A", "ana",
           hora, "ana", hora, kEstacion}));
  EXPECT_EQ(ctx().gdbConexion->state(), vt::db::State::Closed);
}

TEST_F(Suppliers, RegistrationCases) {
  struct Case {
    void (*change)(CLSProveedores&);
    std::string key;
    Row stored;  // co_id, ds_nombre, ds_direccion, nu_telefono, st_contr_es, ds_wrkst
    const char* why;
  };
  const Case cases[] = {
      {[](CLSProveedores& p) {
         p.sco_ID = "c";
         p.sco_RUC = "912345675";
       },
       "0000912345675",
       {"C", "PÉREZ ANDRADE JUAN", "AV. AMAZONAS 123", "022555555", "0", kEstacion},
       "a cédula that lost its leading zero, kind in lower case"},
      {[](CLSProveedores& p) {
         p.sco_ID = "C";
         p.sco_RUC = kCedula;
       },
       "0001710034065",
       {"C", "PÉREZ ANDRADE JUAN", "AV. AMAZONAS 123", "022555555", "0", kEstacion},
       "a ten-digit cédula is stored as thirteen digits"},
      {[](CLSProveedores& p) {
         p.sco_ID = "P";
         p.sco_RUC = "123";
         p.sds_Nombre = "O'Brien & Hijos";
         p.sds_Direcc = "";
         p.snu_Telefono = " ";
         p.bStContrEspe = "True";
         p.sds_wrkst = "CAJA-2";
       },
       "0000000000123",
       {"P", "O'BRIEN & HIJOS", " ", " ", "1", "CAJA-2"},
       "a passport: no identity check; an apostrophe kept; blanks stored as one blank"},
      {[](CLSProveedores& p) {
         p.sds_Nombre = std::string(85, 'n');
         p.bStContrEspe = "-1";
       },
       kRuc,
       {"R", std::string(80, 'N'), "AV. AMAZONAS 123", "022555555", "1", kEstacion},
       "the name is cut to 80 characters; a number is a Boolean"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    db.execute("delete from tbproveedor");
    db.execute("delete from tbProveeEstablecmts");
    CLSProveedores p = supplier();
    c.change(p);
    std::string text;
    ASSERT_TRUE(p.Ingresar(text)) << text;
    EXPECT_EQ(
        fila("select co_id, ds_nombre, ds_direccion, nu_telefono, st_contr_es, ds_wrkst from tbproveedor "
             "where co_provee = '" +
             c.key + "'"),
        c.stored);
    EXPECT_EQ(cuenta("tbProveeEstablecmts", "where co_provee = '" + c.key + "' and co_estable = '001'"), 1);
  }
}

TEST_F(Suppliers, ASecondRegistrationIsRefused) {
  CLSProveedores p = supplier();
  std::string text;
  ASSERT_TRUE(p.Ingresar(text));
  CLSProveedores again = supplier();
  again.sco_RUC = " 1710034065001";
  text = "texto del llamador";
  EXPECT_FALSE(again.Ingresar(text));
  EXPECT_EQ(text, "\tProveedor ya registrado \r\n");
  EXPECT_EQ(cuenta("tbproveedor"), 1);
  EXPECT_EQ(cuenta("tbProveeEstablecmts"), 1);
}

// The main establishment's insert fails on the unique key: the supplier's row goes with it, and
// the error reaches the caller with no transaction left open.
TEST_F(Suppliers, AFailingSecondInsertLeavesNeitherRow) {
  establecimientoDirecto(kRuc, "001");
  CLSProveedores p = supplier();
  std::string text = "texto del llamador";
  EXPECT_THROW(p.Ingresar(text), vt::Error);
  EXPECT_EQ(text, "texto del llamador");
  EXPECT_EQ(cuenta("tbproveedor"), 0);
  EXPECT_EQ(cuenta("tbProveeEstablecmts"), 1);
  expectNoOpenTransaction();
  EXPECT_EQ(ctx().gdbConexion->state(), vt::db::State::Closed);
  EXPECT_FALSE(ctx().ultimoError.empty());
}

// A special-taxpayer flag that is no Boolean raises before anything is begun or written.
TEST_F(Suppliers, AFlagThatIsNoBooleanRaisesBeforeTheTransaction) {
  CLSProveedores p = supplier();
  p.bStContrEspe = "";
  std::string text;
  try {
    p.Ingresar(text);
    FAIL() << "no error";
  } catch (const vt::Error& e) {
    EXPECT_EQ(e.number(), 13);
  }
  EXPECT_EQ(cuenta("tbproveedor"), 0);
  expectNoOpenTransaction();
}

// The clock's row is missing: the refresh changes nothing and no time stamp is written.
TEST_F(Suppliers, ARefusedServerTimeStoresNothing) {
  db.execute("delete from tbfechasys");
  CLSProveedores p = supplier();
  std::string text = "texto del llamador";
  EXPECT_FALSE(p.Ingresar(text));
  EXPECT_EQ(text, "Error al consultar fecha");
  EXPECT_EQ(cuenta("tbproveedor"), 0);
  EXPECT_EQ(ctx().gdbConexion->state(), vt::db::State::Closed);

  db.execute("insert into tbproveedor (co_provee) values ('" + std::string(kRuc) + "')");
  p.sco_modi = "luis";
  std::string ruc = kRuc;
  text.clear();
  EXPECT_EQ(p.Actualizar(ruc, text), 0);
  EXPECT_EQ(text, "Error al consultar fecha");
  EXPECT_EQ(fila("select ds_nombre, co_modi from tbproveedor"), (Row{"<Null>", "<Null>"}));
}

TEST_F(Suppliers, UpdateRefusals) {
  struct Case {
    void (*change)(CLSProveedores&);
    std::string ruc, incoming, expected;
    const char* why;
  };
  const Case cases[] = {
      {[](CLSProveedores& p) { p = CLSProveedores{}; }, "", "",
       "RUC de Proveedor no válido \r\nTipo de identificacion de Proveedor no válido \r\n"
       "Nombre de Proveedor no válido \r\nDireccion de Proveedor no válida \r\n"
       "Tipo de RUC no válido: (N)atural, (S)ociedad Privada, Sociedad (P)ublica \r\n"
       "Tipo de localidad no válido: (L)ocal, (E)xtranjero\r\n"
       "Codigo de usuario de actualización no válido\r\n",
       "every property blank, in order, no tabs"},
      {[](CLSProveedores& p) { p.sTipoLocali = "N"; }, kRuc, "", "Tipo de localidad debe ser L, E \r\n",
       "N is no locality"},
      {[](CLSProveedores& p) { p.sTipoLocali = "e"; }, kRuc, "", "Tipo de localidad debe ser L, E \r\n",
       "the letters are compared as written"},
      {[](CLSProveedores& p) { p.sTipoPersona = "NS"; }, kRuc, "", "Tipo de RUC debe ser N,S,P \r\n",
       "two letters are no kind of taxpayer"},
      {[](CLSProveedores& p) {
         p.sco_ID = "CR";
         p.sTipoPersona = "X";
       },
       kRuc, "", "Tipo de identificacion debe ser C,R,P \r\nTipo de RUC debe ser N,S,P \r\n",
       "the kind of identification has a message of its own"},
      {[](CLSProveedores& p) { p.sTipoLocali = "N"; }, kRuc, "previo ", "previo ",
       "a caller's text stops the letter checks too"},
      {[](CLSProveedores&) {}, kRuc, "previo", "previo", "a caller's text changes nothing"},
      {[](CLSProveedores&) {}, "0990000000001", "", "\tProveedor no registrado \r\n", "an unknown supplier"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    CLSProveedores p = supplier();
    p.sco_modi = "luis";
    c.change(p);
    std::string ruc = c.ruc, text = c.incoming;
    EXPECT_EQ(p.Actualizar(ruc, text), 0);
    EXPECT_EQ(text, c.expected);
  }
}

TEST_F(Suppliers, UpdateWritesWhatIsGiven) {
  CLSProveedores p = supplier();
  p.snu_telefono2 = "042111111";
  p.snu_Fax = "042222222";
  std::string text;
  ASSERT_TRUE(p.Ingresar(text));

  CLSProveedores u;
  u.sco_ID = "R";
  u.sds_Nombre = "Nuevo nombre con un nombre largo de más de ochenta caracteres, que aquí no se corta nunca";
  u.sds_Direcc = "Calle O'Leary";
  u.sTipoPersona = "S";
  u.sTipoLocali = "E";
  u.bStContrEspe = "1";
  u.snu_Telefono = "0987654321";
  u.snu_telefono2 = "2555";
  u.snu_Fax = "  ";
  u.sco_modi = "luis";
  std::string ruc = "1710034065001";
  EXPECT_EQ(u.Actualizar(ruc, text), 1);
  EXPECT_EQ(text, "");
  EXPECT_EQ(u.sds_wrkst, kEstacion);
  EXPECT_EQ(
      fila("select ds_nombre, ds_direccion, co_tiporuc, co_tipoloca, nu_telefono, nu_telefono2, nu_fax, "
           "st_contr_es, co_usua, co_modi, fe_modi, ds_wrkst from tbproveedor"),
      (Row{"NUEVO NOMBRE CON UN NOMBRE LARGO DE MÁS DE OCHENTA CARACTERES, QUE AQUÍ NO SE CORTA NUNCA",
           "CALLE O'LEARY", "S", "E", "0987654321", "000002555", "042222222", "1", "ana", "luis",
           horaGuardada(), kEstacion}));
  EXPECT_EQ(ctx().gdbConexion->state(), vt::db::State::Closed);
}

TEST_F(Suppliers, Query) {
  CLSProveedores p = supplier();
  p.sco_ID = "P";
  p.sco_RUC = "123";
  std::string text;
  ASSERT_TRUE(p.Ingresar(text));

  struct Case {
    std::string ruc, incoming, expected;
    bool found;
    const char* why;
  };
  const Case cases[] = {
      {"123", "", "", true, "looked up as 0000000000123"},
      {"0000000000123", "previo", "previo", true, "the caller's text stays"},
      {" ", "previo ", "previo RUC ó cedula de Proveedor no válido \r\n", false,
       "appended to the caller's text"},
      {"999", "", "Proveedor 0000000000999 no existe o no registrado. \r\n", false, "an unknown supplier"},
      {"1'1", "", "Proveedor 1'1 no existe o no registrado. \r\n", false,
       "an apostrophe is only a character"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    CLSProveedores q;
    std::string ruc = c.ruc, message = c.incoming;
    const valtrone::RecordsetRef rs = q.Consultar(ruc, message);
    EXPECT_EQ(message, c.expected);
    ASSERT_EQ(bool(rs), c.found);
    if (rs) {
      EXPECT_EQ(rs->field("co_provee").asText(), "0000000000123");
      EXPECT_EQ(rs->field("ds_nombre").asText(), "PÉREZ ANDRADE JUAN");
      EXPECT_EQ(ctx().gdbConexion->state(), vt::db::State::Open);
    }
  }
}

// A message ends with the error of its own call, never with one an earlier call left behind.
TEST_F(Suppliers, MessagesDoNotCarryAnEarlierError) {
  ctx().ultimoError = "error de otra llamada";
  CLSProveedores p = supplier();
  p.sco_modi = "luis";
  std::string ruc = kRuc, text;
  db.execute("insert into tbproveedor (co_provee) values ('" + std::string(kRuc) + "')");
  db.execute("create trigger sin_cambios before update on tbproveedor begin select raise(ignore); end");
  EXPECT_EQ(p.Actualizar(ruc, text), 0);
  EXPECT_EQ(text, "Error. No se actualizó registro de proveedor \r\n");
}

}  // namespace
