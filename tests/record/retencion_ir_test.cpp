// The income-tax withholding blocks every purchase and sales record validator shares: an array
// that ends before its blocks carries no withholding, which is an unused block in every layout,
// never an incomplete one.

#include <string>
#include <vector>

#include "registro_fixture.hpp"
#include "registros_validos.hpp"

namespace {

using namespace registro_test;
using valtrone::CLSValidarInformacion;

using RetencionIR = TodosLosRegistros;

TEST_F(RetencionIR, AnArrayEndingBeforeItsBlocksHasNoWithholding) {
  const struct {
    Miembro miembro;
    const Campos& valido;
    std::size_t campos;  // the fields the array keeps
    const char* why;
  } casos[] = {
      {&CLSValidarInformacion::Valida_ATSCompra, validos::kCompraATS, 36,
       "the ATS purchase without its blocks"},
      {&CLSValidarInformacion::Valida_ATSCompra, validos::kCompraATS, 40,
       "the ATS purchase with its first block"},
      {&CLSValidarInformacion::Valida_Cmpra, validos::kCompra, 40, "the older purchase without its blocks"},
      {&CLSValidarInformacion::Valida_REOC, validos::kReoc, 23, "the withholding annex without its blocks"},
      {&CLSValidarInformacion::Valida_ATSVenta, validos::kVentaATS, 14, "the ATS sale without its blocks"},
      {&CLSValidarInformacion::Valida_Venta, validos::kVenta, 23, "the older sale without its blocks"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.why);
    const Resultado r =
        valida(c.miembro, Campos(c.valido.begin(), c.valido.begin() + static_cast<long>(c.campos)));
    EXPECT_EQ(r.errores, "");
    EXPECT_FALSE(r.fallido);
  }
}

}  // namespace
