// The checks as clients reach them: objects created by identifier, members called by name with
// Variant arguments, by-reference results written back into the caller's Variants.

#include <gtest/gtest.h>

#include "checks_fixture.hpp"
#include "library/frame/db_objects.hpp"
#include "platform/automation/loader.hpp"

namespace {

using checks_test::Catalogue;
using vt::automation::ObjectRef;
using vt::automation::Variant;
using vt::automation::VarType;

TEST_F(Catalogue, EveryCheckAnswersByName) {
  ObjectRef validar = vt::automation::createObject("Valtrone.CLSValidarInformacion");
  ObjectRef varios = vt::automation::createObject("Valtrone.CLSVarios");
  ObjectRef proveedores = vt::automation::createObject("Valtrone.CLSProveedores");
  const Variant nothing{ObjectRef()};

  EXPECT_EQ(validar->call("fValidaVacio", "  ").toString(), "0");
  // Callers hand it database fields: Null and Empty are blank; the argument itself stays as it was.
  Variant nulo = Variant::null(), vacio, numero(7.5);
  EXPECT_EQ(validar->call("fValidaVacio", nulo).toString(), "0");
  EXPECT_TRUE(nulo.isNull());
  EXPECT_EQ(validar->call("fValidaVacio", vacio).toString(), "0");
  EXPECT_EQ(validar->call("fValidaVacio", numero).toString(), "7.5");
  EXPECT_EQ(numero.type(), VarType::R8);
  EXPECT_EQ(validar->call("gfUltimoDiaMes", "01/02/2024").toI2(), 29);
  EXPECT_TRUE(validar->call("Valida_SustTribEnComprob", "01", "1").toBool());
  EXPECT_TRUE(validar->call("Valida_FormaPago", "1-20").toBool());
  EXPECT_FALSE(validar->call("Valida_FormaPago", int16_t{99}).toBool());
  EXPECT_TRUE(validar->call("Valida_Comprob_x_SecTran", "01", "01,02", "ATS").toBool());
  EXPECT_TRUE(validar->call("Valida_Comprob_x_SecTran", "01", "01,02").toBool());  // annex left out
  EXPECT_FALSE(validar->call("valida_comprob_x_sectran", "01", "1").toBool());

  EXPECT_TRUE(varios->call("gfValida_Comprob_x_SecTran_REOC", "01", "01", nothing).toBool());
  Variant rs;
  EXPECT_TRUE(varios
                  ->call("gfVerificaRegistro_IR", "T2", Variant(vt::automation::Date::fromDate({2013, 7, 1})),
                         nothing, rs)
                  .toBool());
  ASSERT_EQ(rs.type(), VarType::Object);
  EXPECT_EQ(valtrone::recordsetOf(rs)->field("va_reten").asDouble(), 2);
  EXPECT_FALSE(varios->call("gfVerificaRegistro_IR", "T1", "01/07/2013", nothing, rs).toBool());
  EXPECT_TRUE(
      varios->call("gfVerificaRegistro", "*", "tbcttgComprob", "co_comprob = '04'", nothing, rs).toBool());
  EXPECT_EQ(valtrone::recordsetOf(rs)->field("co_comprob").asText(), "04");
  EXPECT_FALSE(
      varios->call("gfVerificaRegistro", "*", "tbcttgComprob", "co_comprob = '00'", nothing).toBool());

  Variant number("912345675"), kind("C");
  EXPECT_EQ(proveedores->call("VerificaRUC_Cedula", number, kind).toI2(), 0);
  EXPECT_EQ(number.toString(), "0912345675");
  number = Variant("3012345678");
  EXPECT_EQ(proveedores->call("pdfvvali_cedu", number, kind).toI2(), 4);
  number = Variant("171003406500");
  kind = Variant("R");
  EXPECT_EQ(proveedores->call("pdfvvali_cedu", number, kind).toI2(), 1);
  EXPECT_EQ(number.toString(), "0171003406500");

  // These two open and close the library's connection themselves.
  validar->set("db_ConexionObj", nothing);
  EXPECT_TRUE(validar->call("ValidaComprob_Tolvex", "1", "6").toBool());
  EXPECT_TRUE(validar->call("ValidaComprob_SecTran_Tolvex", "01", "20").toBool());
  EXPECT_FALSE(validar->get("db_ConexionObj").toObject());
}

// A call that fails on a later argument leaves the caller's earlier by-reference variables as they
// were; one that reaches the member writes them back.
TEST_F(Catalogue, AFailedArgumentLeavesTheCallersVariablesAlone) {
  ObjectRef proveedores = vt::automation::createObject("Valtrone.CLSProveedores");
  Variant number(int32_t{912345675}), kind(vt::automation::StringArrayRef{});
  EXPECT_THROW(proveedores->call("VerificaRUC_Cedula", number, kind), vt::Error);
  EXPECT_EQ(number.type(), VarType::I4);  // not turned into text by the failed call
  kind = Variant("C");
  EXPECT_EQ(proveedores->call("VerificaRUC_Cedula", number, kind).toI2(), 0);
  EXPECT_EQ(number.type(), VarType::String);
  EXPECT_EQ(number.toString(), "0912345675");
}

}  // namespace
