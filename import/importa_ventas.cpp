// gfImportaVentas: the sales sheet, validated by the library and stored in detail, one sales row
// and one income-tax row per sheet row.

#include "import/importa_ventas.hpp"

#include <array>
#include <memory>

#include "import/info_file.hpp"
#include "import/rutinas_hoja.hpp"
#include "platform/automation/array.hpp"
#include "platform/automation/variant.hpp"
#include "shell/core/globals.hpp"

namespace ambrix {

namespace {

constexpr const char* kTablaVentas = "tbAT_Ventas";
constexpr const char* kTablaVentasIR = "tbAT_Ventas_IR";
constexpr const char* kDemasiadosErrores = "Proceso será cancelado porque contiene muchos errores";

std::string validaVentas(std::int16_t ti_proceso, std::string& co_empresa, std::string& nu_mes,
                         std::string& nu_anio, double& dDecRedondeo, std::array<std::int16_t, 4>& iOpciones,
                         std::int32_t& nFila) {
  using vt::automation::Variant;
  vt::automation::Object& validador = validadorConConexion();
  auto opciones = std::make_shared<vt::automation::IntegerArray>(0, static_cast<long>(iOpciones.size()) - 1);
  for (std::size_t i = 0; i < iOpciones.size(); ++i) opciones->at(static_cast<long>(i)) = iOpciones[i];
  Variant vEmpresa(co_empresa), vMes(nu_mes), vAnio(nu_anio), vTolerancia(dDecRedondeo);
  Variant vHoja(gaInfoVentas), vLog(gsRutaLog), vFila(nFila), vOpciones(opciones);
  const Variant respuesta = validador.call("ATS2013_Ventas", Variant(ti_proceso), vEmpresa, vMes, vAnio,
                                           vTolerancia, vHoja, vLog, vFila, vOpciones);
  nFila = vFila.toI4();
  return respuesta.toString();
}

// One store call: both rows of each sheet row, whatever became of the sales row.
class AlmacenVentas {
 public:
  bool operator()(AlmacenPeriodo& almacen, long fila) const {
    vt::automation::StringMatrix& h = *gaInfoVentas;
    const std::string registro = std::to_string(fila + 1);
    convierteTipoIdVenta(h, fila);

    const ListaInsercion venta = filaVenta(almacen.contexto(), h, fila, codigoIva_);
    std::string sError;
    if (!almacen.inserta(venta, kTablaVentas, sError)) {
      almacen.rechaza("VENTAS - Registro: " + registro + ". " + sError + "\r\n\r\n" + venta.campos() + " " +
                      kTablaVentas + " " + venta.valores() + "\r\n\r\n");
      if (!almacen.dentroDelLimite("VENTAS: Se han encontrado ", kDemasiadosErrores)) return false;
    }

    const ListaInsercion ir = filaVentaIR(almacen.contexto(), h, fila);
    if (!almacen.inserta(ir, kTablaVentasIR, sError)) {
      almacen.rechaza("VENTAS IR - Registro: " + registro + ". " + sError + "\r\n" + ir.campos() + " " +
                      kTablaVentasIR + " " + ir.valores() + "\r\n");
      const bool pregunta = esUmbral(almacen.rechazados());
      if (!almacen.dentroDelLimite("VENTAS IR: Se han encontrado ", kDemasiadosErrores)) return false;
      // A yes to the question about income-tax rows leaves one more line for the row.
      if (pregunta)
        almacen.anota("VENTAS IR - Registro: " + registro + " en Retenciones de IR " + sError + "\r\n");
    }
    return true;
  }

 private:
  static bool esUmbral(long n) { return n == 3 || n == 10 || n == 20; }

  // The company's VAT percentage does not change during a store.
  std::string codigoIva_ = codigoIvaEmpresa();
};

}  // namespace

std::string gfImportaVentas(IVentanaATS& frm, std::int16_t& ti_proceso, std::string& co_empresa,
                            std::string& nu_mes, std::string& nu_anio, long&, std::int16_t&,
                            double& dDecRedondeo, IBarraProgreso& prgprogreso,
                            std::array<std::int16_t, 4>& iOpciones) {
  if (ti_proceso == 1)
    return gfValidaHoja(frm, prgprogreso, [&](std::int32_t& nFila) {
      return validaVentas(ti_proceso, co_empresa, nu_mes, nu_anio, dDecRedondeo, iOpciones, nFila);
    });
  if (ti_proceso != 2) return "";
  const DescripcionAlmacen d{"VENTAS", {"tbAT_Ventas A", "tbAT_Ventas_IR A"}, true};
  const AlmacenVentas almacen;
  return gfAlmacenaPeriodo(frm, prgprogreso, co_empresa, nu_mes, nu_anio, d, gaInfoVentas,
                           [&almacen](AlmacenPeriodo& a, long fila) { return almacen(a, fila); });
}

}  // namespace ambrix
