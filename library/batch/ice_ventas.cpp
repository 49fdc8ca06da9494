// ICE2014_Ventas: the sales sheet of the ICE annex. After the shared opening columns come the
// sale type, the units sold, returned and written off in the month, and the company's ICE product.

#include "library/batch/ice.hpp"

namespace valtrone {

namespace {

using vt::conv::FormatNumberText;
using vt::conv::IsNumericText;
using vt::conv::LeadingNumber;
using vt::conv::Trim;
using vt::conv::Upper;

class IceVentasRun : public IceRun {
 public:
  IceVentasRun(CLSValidarInformacion& object, const std::string& co_empresa, const std::string& nu_mes,
               const std::string& nu_anio)
      : IceRun(co_empresa, vt::conv::StrictNumber(nu_mes), nu_anio), object_(object) {}

  void fila(SheetRow& c, BloqueErrorRegistro& b) {
    periodo(c, b);
    identificacion(c, b);
    tipoVenta(c, b);
    unidades(c, b);
    producto(c, b, kIVProducto);
    copias(c);
  }

 private:
  void tipoVenta(SheetRow& c, BloqueErrorRegistro& b);
  void unidades(SheetRow& c, BloqueErrorRegistro& b);

  CLSValidarInformacion& object_;
};

void IceVentasRun::tipoVenta(SheetRow& c, BloqueErrorRegistro& b) {
  // Only the first letter counts ("Local", "exportación"); a blank type is written "0".
  std::string inicial = vt::conv::FirstChar(Upper(FormatNumberText(Trim(c.get(kIVTipoVenta)), "#")));
  const std::string tipo = object_.fValidaVacio(inicial);
  c.set(kIVTipoVenta, tipo);
  if (tipo != "L" && tipo != "E") b.falla("Tipo de Venta. Codigo ", tipo + " no válido, debe ser L ó E ");
}

// Each count must be a number, and together they must be above zero: a single count may be
// negative (units returned) when the month still moved some.
void IceVentasRun::unidades(SheetRow& c, BloqueErrorRegistro& b) {
  struct Cantidad {
    long col;
    const char* noNumerica;
  };
  static constexpr Cantidad kCantidades[] = {
      {kIVVendidas, "Cantidad de unidades vendidas al mes debe ser numerico "},
      {kIVDevueltas, "Cantidad de unidades devueltas al mes debe ser numerico "},
      {kIVBaja, "Cantidad de unidades de baja al mes debe ser numerico "},
  };
  double suma = 0;
  for (const Cantidad& cantidad : kCantidades) {
    const std::string texto = FormatNumberText(c.get(cantidad.col), "########0");
    c.set(cantidad.col, texto);
    if (!IsNumericText(texto)) b.falla(cantidad.noNumerica, texto);
    suma += LeadingNumber(texto);
  }
  if (!(suma > 0))
    b.falla("Suma de (Uni. Vendidas + Uni. Devueltas + Uni. de Baja) debe ser mayor a cero: ",
            vt::conv::VbStr(suma));
}

}  // namespace

std::string CLSValidarInformacion::ICE2014_Ventas(int16_t ti_proceso, std::string& co_empresa,
                                                  std::string& nu_mes, std::string& nu_anio, double&,
                                                  Sheet& InfoFile, std::string& FileError,
                                                  int32_t& nFilaProgreso) {
  IceVentasRun run(*this, co_empresa, nu_mes, nu_anio);
  return ValidadorHoja(ti_proceso, "ICE VENTAS", InfoFile, FileError, nFilaProgreso,
                       [&run](SheetRow& celdas, BloqueErrorRegistro& bloque) { run.fila(celdas, bloque); });
}

}  // namespace valtrone
