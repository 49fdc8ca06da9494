// The record checks of document ranges and establishments: every message, in order, on a copy
// of the fixture database with a supplier and its establishment "001" of the tests' own.

#include <gtest/gtest.h>

#include <functional>

#include "library/frame/comprobaciones_maestras.hpp"
#include "library/frame/thread_context.hpp"
#include "maestros_fixture.hpp"

namespace {

using maestros_test::kRuc;
using valtrone::ctx;
using valtrone::TpDctosAutorizados;
using valtrone::TpEstablecimiento;

class RecordChecks : public maestros_test::Maestros {
 protected:
  void SetUp() override {
    Maestros::SetUp();
    proveedorDirecto(kRuc);
    establecimientoDirecto(kRuc, "001");
  }
};

// A supplier's range that passes every check.
TpDctosAutorizados validRange() {
  TpDctosAutorizados r;
  r.sco_provee = kRuc;
  r.sco_Estable = "001";
  r.sco_CmpteVta = "01";
  r.snu_Serie = "001001";
  r.lnu_SecuIni = 1;
  r.lnu_SecuFin = 100;
  r.snu_Autoriza = "1110234567";
  r.sco_Impta = "1234";
  return r;
}

std::string lines(std::initializer_list<const char*> messages) {
  std::string text;
  for (const char* m : messages) text += std::string("\t") + m + "\r\n";
  return text;
}

struct RangeCase {
  std::function<void(TpDctosAutorizados&)> change;
  std::string expected;
  const char* why;
};

TEST_F(RecordChecks, SupplierRange) {
  const RangeCase cases[] = {
      {[](auto&) {}, "", "every check passes"},
      {[](auto& r) { r.sco_provee = "  "; },
       lines({"Codigo de Proveedor se encuentra vacio. ", "Proveedor no existe. ",
              "Establecimiento de Proveedor no registrado. "}),
       "a blank supplier is both empty and unknown, and so is its establishment"},
      {[](auto& r) { r.sco_provee = "0990000000001"; },
       lines({"Proveedor no existe. ", "Establecimiento de Proveedor no registrado. "}),
       "an unknown supplier"},
      {[](auto& r) { r.sco_Estable = ""; },
       lines({"Codigo de Establecimiento se encuentra vacio. ",
              "Numero de Serie (inicio) no conincide con codigo de Establecimiento. "}),
       "no establishment: nor does the serie match it"},
      {[](auto& r) { r.sco_Estable = "ABC"; },
       lines({"Codigo de Establecimiento debe ser numerico. ",
              "Numero de Serie (inicio) no conincide con codigo de Establecimiento. "}),
       "a code that is no number is not looked up"},
      {[](auto& r) {
         r.sco_Estable = "002";
         r.snu_Serie = "002001";
       },
       lines({"Establecimiento de Proveedor no registrado. "}),
       "an establishment the supplier does not have"},
      {[](auto& r) { r.sco_Estable = "1"; },
       lines({"Establecimiento de Proveedor no registrado. ",
              "Numero de Serie (inicio) no conincide con codigo de Establecimiento. "}),
       "\"1\" is neither the stored \"001\" nor the start of the serie"},
      {[](auto& r) { r.sco_CmpteVta = " "; }, lines({"Codigo de comprobante se encuentra vacio. "}),
       "no voucher type"},
      {[](auto& r) { r.sco_CmpteVta = "FA"; }, lines({"Codigo de comprobante no válido. "}),
       "a type that is no number"},
      {[](auto& r) { r.sco_CmpteVta = "10"; }, lines({"Codigo de comprobante no existe en tabla. "}),
       "a type missing from the catalogue"},
      {[](auto& r) { r.sco_CmpteVta = "1"; }, "", "the type is looked up as \"01\""},
      {[](auto& r) { r.snu_Serie = ""; }, lines({"Numero de Serie se encuentra vacio. "}), "no serie"},
      {[](auto& r) { r.snu_Serie = "001-001"; }, lines({"Numero de Serie no válido. "}),
       "a serie that is no number"},
      {[](auto& r) { r.snu_Serie = "002001"; },
       lines({"Numero de Serie (inicio) no conincide con codigo de Establecimiento. "}),
       "a serie of another establishment"},
      {[](auto& r) { r.lnu_SecuIni = 0; }, lines({"Secuencia inicial no puede ser cero. "}),
       "first number zero: the order is not compared"},
      {[](auto& r) { r.lnu_SecuFin = 0; }, lines({"Secuencia final no puede ser cero. "}),
       "last number zero gives only its own line"},
      {[](auto& r) { r.lnu_SecuFin = 1; },
       lines({"Secuencia final no puede ser menor que secuencia inicial. "}), "equal numbers are refused"},
      {[](auto& r) { r.lnu_SecuFin = 2; }, "", "a range of two numbers"},
      {[](auto& r) {
         r.lnu_SecuIni = 50;
         r.lnu_SecuFin = 49;
       },
       lines({"Secuencia final no puede ser menor que secuencia inicial. "}), "a range backwards"},
      {[](auto& r) { r.snu_Autoriza = ""; }, lines({"Numero de Autorizacion se encuentra vacio. "}),
       "no authorisation"},
      {[](auto& r) { r.snu_Autoriza = "11A"; }, lines({"Numero de Autorizacion no válido. "}),
       "an authorisation that is no number"},
      {[](auto& r) { r.snu_Autoriza = "1234567890123456789012345678901234567"; }, "",
       "a 37-digit authorisation is a number"},
      {[](auto& r) { r.sco_Impta = ""; }, lines({"Numero de Autorizacion de imprenta se encuentra vacio. "}),
       "no printer's authorisation"},
      {[](auto& r) { r.sco_Impta = "IMP"; }, lines({"Numero de Autorizacion de imprenta no válido. "}),
       "a printer's authorisation that is no number"},
      {[](auto& r) { r = TpDctosAutorizados{}; },
       lines({"Codigo de Proveedor se encuentra vacio. ", "Proveedor no existe. ",
              "Codigo de Establecimiento se encuentra vacio. ", "Codigo de comprobante se encuentra vacio. ",
              "Numero de Serie se encuentra vacio. ", "Secuencia inicial no puede ser cero. ",
              "Secuencia final no puede ser cero. ", "Numero de Autorizacion se encuentra vacio. ",
              "Numero de Autorizacion de imprenta se encuentra vacio. "}),
       "everything empty: every check runs, in order"},
  };
  for (const RangeCase& c : cases) {
    SCOPED_TRACE(c.why);
    ctx().tpDctosAutorizados = validRange();
    c.change(ctx().tpDctosAutorizados);
    std::string text = "texto del llamador";
    EXPECT_EQ(valtrone::gfValidaDctosAutorizados(text), c.expected.empty());
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(ctx().gdbConexion->state(), vt::db::State::Closed);
  }
}

TEST_F(RecordChecks, CompanyRange) {
  const RangeCase cases[] = {
      {[](auto&) {}, "", "a demo company's range"},
      {[](auto& r) { r.sco_provee = kRuc; }, lines({"Empresa no existe. "}), "a supplier is no company"},
      {[](auto& r) { r.sco_provee = ""; }, lines({"Empresa no existe. "}),
       "a blank company has no line of its own"},
      {[](auto& r) {
         r.sco_Estable = "999";
         r.snu_Serie = "999001";
       },
       "", "the company's establishments are not looked up"},
      {[](auto& r) { r.sco_Estable = "ABC"; },
       lines({"Codigo de Establecimiento debe ser numerico. ",
              "Numero de Serie (inicio) no conincide con codigo de Establecimiento. "}),
       "an establishment that is no number"},
      {[](auto& r) {
         r.sco_Estable = " ";
         r.lnu_SecuFin = 0;
       },
       lines({"Codigo de Establecimiento se encuentra vacio. ",
              "Numero de Serie (inicio) no conincide con codigo de Establecimiento. ",
              "Secuencia final no puede ser cero. "}),
       "the range checks follow unchanged"},
  };
  for (const RangeCase& c : cases) {
    SCOPED_TRACE(c.why);
    ctx().tpDctosAutorizados = validRange();
    ctx().tpDctosAutorizados.sco_provee = "1792045185001";
    c.change(ctx().tpDctosAutorizados);
    std::string text = "texto del llamador";
    EXPECT_EQ(valtrone::gfValidaDctosEmpresa(text), c.expected.empty());
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(ctx().gdbConexion->state(), vt::db::State::Closed);
  }
}

TEST_F(RecordChecks, Establishment) {
  struct Case {
    std::function<void(TpEstablecimiento&)> change;
    std::string expected;
    const char* why;
  };
  const Case cases[] = {
      {[](auto&) {}, "", "every check passes"},
      {[](auto& r) { r.sco_provee = ""; },
       lines({"RUC de Empresa se encuentra vacio. ", "Proveedor no existe. "}),
       "a blank supplier is both empty and unknown"},
      {[](auto& r) { r.sco_provee = "0990000000001"; }, lines({"Proveedor no existe. "}),
       "an unknown supplier"},
      {[](auto& r) { r.sco_Estable = " "; }, lines({"Codigo de Establecimiento se encuentra vacio. "}),
       "no establishment"},
      {[](auto& r) { r.sco_Estable = "ABC"; }, lines({"Codigo de Establecimiento debe ser numerico. "}),
       "an establishment that is no number"},
      {[](auto& r) { r.sco_Provin = ""; }, lines({"Provincia no válida"}),
       "no province: no line break either"},
      {[](auto& r) { r.sco_Provin = "99"; }, lines({"Provincia no existe en tabla. "}),
       "an unknown province"},
      {[](auto& r) { r.sco_ciudad = ""; }, lines({"Ciudad no válida"}), "no city"},
      {[](auto& r) { r.sds_Direcc = " "; }, lines({"Dirección no válida"}), "no address"},
      {[](auto& r) { r.snu_telefono1 = ""; }, lines({"Número de telefono no válido "}), "no telephone"},
      {[](auto& r) { r.sst_estable = ""; }, lines({"Estado de Establecimiento no válido "}), "no state"},
      {[](auto& r) { r.sst_estable = " a "; }, "", "a state is trimmed and upper-cased"},
      {[](auto& r) { r.sst_estable = "C"; }, "", "C is a state"},
      {[](auto& r) { r.sst_estable = "AC"; }, "", "the list itself passes"},
      {[](auto& r) { r.sst_estable = "IN"; }, lines({"Codigo de estado no permitido "}),
       "a state outside the list"},
      {[](auto& r) { r.sst_estable = "CA"; }, lines({"Codigo de estado no permitido "}), "not within \"AC\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    TpEstablecimiento& r = ctx().tpEstablecimiento;
    r = TpEstablecimiento{};
    r.sco_provee = kRuc;
    r.sco_Estable = "002";
    r.sco_Provin = "09";
    r.sco_ciudad = "001";
    r.sds_Direcc = "Av. 9 de Octubre";
    r.snu_telefono1 = "042555555";
    r.sst_estable = "A";
    c.change(r);
    std::string text = "texto del llamador";
    EXPECT_EQ(valtrone::gfValidaEstablecimiento(text), c.expected.empty());
    EXPECT_EQ(text, c.expected);
  }
}

// A lookup that cannot run is an unexpected error: it becomes the whole text, the connection
// stays as it was.
TEST_F(RecordChecks, ALookupThatCannotRunReplacesTheText) {
  db.execute("drop table tbcttgComprob");
  ctx().tpDctosAutorizados = validRange();
  std::string text;
  EXPECT_FALSE(valtrone::gfValidaDctosAutorizados(text));
  EXPECT_EQ(text.rfind("Ha ocurrido el error 3704 ", 0), 0u) << text;
  EXPECT_EQ(ctx().gdbConexion->state(), vt::db::State::Open);
}

}  // namespace
