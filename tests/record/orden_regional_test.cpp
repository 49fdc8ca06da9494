// Every record validator gives its clean record the same verdict whatever the regional date order:
// the record's own date fields are written in that order (as the client's regional settings write
// them), while the dates a validator builds itself are read by their own pattern.

#include <string>
#include <vector>

#include "registro_fixture.hpp"
#include "registros_validos.hpp"
#include "tests/support/short_dates.hpp"

namespace {

using namespace registro_test;
using valtrone::CLSValidarInformacion;

// The record with each dd/mm/yyyy field rewritten month first when `mesPrimero`.
Campos enOrden(Campos campos, bool mesPrimero) {
  if (!mesPrimero) return campos;
  for (std::string& c : campos) {
    if (c.size() == 10 && c[2] == '/' && c[5] == '/') c = c.substr(3, 3) + c.substr(0, 3) + c.substr(6);
  }
  return campos;
}

using OrdenRegional = TodosLosRegistros;

TEST_F(OrdenRegional, TheCleanRecordPassesDayFirstAndMonthFirst) {
  const struct {
    Miembro miembro;
    const Campos& valido;
    const char* why;
  } validadores[] = {
      {&CLSValidarInformacion::Valida_ATSCompra, validos::kCompraATS,
       "its period end is built and read by pattern"},
      {&CLSValidarInformacion::Valida_Cmpra, validos::kCompra, "its period end is a date of numbers"},
      {&CLSValidarInformacion::Valida_REOC, validos::kReoc, "its period end is built and read by pattern"},
      {&CLSValidarInformacion::Valida_ATSVenta, validos::kVentaATS,
       "its withholding code is looked up on the period end it builds"},
      {&CLSValidarInformacion::Valida_Venta, validos::kVenta, "no date of its own"},
      {&CLSValidarInformacion::Valida_Importacion, validos::kImportacion,
       "the accounting date's month and year"},
      {&CLSValidarInformacion::Valida_Exportacion, validos::kExportacion, "the dates against the period"},
      {&CLSValidarInformacion::Valida_Anulacion, validos::kAnulacion,
       "a cancellation inside the period against the period end it builds"},
  };
  const struct {
    const char* formato;
    bool mesPrimero;
  } ordenes[] = {{"dd/MM/yyyy", false}, {"MM/dd/yyyy", true}};
  for (const auto& v : validadores) {
    for (const auto& o : ordenes) {
      SCOPED_TRACE(std::string(v.why) + " (" + o.formato + ")");
      vt::testing::ScopedShortDate orden(o.formato);
      validador_.iUltDiasMes = "31";
      const Resultado r = valida(v.miembro, enOrden(v.valido, o.mesPrimero));
      EXPECT_EQ(r.respuesta, "OK");
      EXPECT_FALSE(r.fallido);
      EXPECT_EQ(r.errores, "");
    }
  }
}

}  // namespace
