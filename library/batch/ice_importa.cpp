// ICE2014_Importa: the imports sheet of the ICE annex. After the shared opening columns come the
// customs-clearance date, the country, the units, the customs referendo (district, year, regime,
// correlativo) and the company's ICE product.

#include "library/batch/ice.hpp"

namespace valtrone {

namespace {

using vt::conv::FormatNumberText;
using vt::conv::IsNumericText;
using vt::conv::LeadingNumber;
using vt::conv::StrictNumber;
using vt::conv::Trim;

class IceImportaRun : public IceRun {
 public:
  IceImportaRun(const std::string& co_empresa, const std::string& nu_mes, const std::string& nu_anio)
      : IceRun(co_empresa, LeadingNumber(nu_mes), nu_anio) {}

  void fila(SheetRow& c, BloqueErrorRegistro& b) {
    periodo(c, b);
    identificacion(c, b);
    fechaDesaduanizacion(c, b);
    pais(c, b);
    unidades(c, b);
    referendo(c, b);
    producto(c, b, kIIProducto);
    copias(c);
  }

 private:
  void fechaDesaduanizacion(SheetRow& c, BloqueErrorRegistro& b);
  void pais(SheetRow& c, BloqueErrorRegistro& b);
  void unidades(SheetRow& c, BloqueErrorRegistro& b);
  void referendo(SheetRow& c, BloqueErrorRegistro& b);
};

void IceImportaRun::fechaDesaduanizacion(SheetRow& c, BloqueErrorRegistro& b) {
  // A date left as 0 in the sheet is no date: it is emptied and reported.
  const CeldaFecha celda =
      c.get(kIIFechaDesaduanizacion) == "0" ? CeldaFecha{} : leeCeldaFecha(c.get(kIIFechaDesaduanizacion));
  c.set(kIIFechaDesaduanizacion, celda.texto);
  const std::string& texto = celda.texto;
  if (!celda.fecha) {
    b.falla("Fecha de Desaduanización " + texto + " no es válida ");
  } else if (celda.fecha->month != LeadingNumber(c.get(kIMes))) {
    b.falla("Mes de fecha de embarque no corresponde: ", texto);
  } else if (celda.fecha->year != LeadingNumber(c.get(kIAnio))) {
    b.falla("Año de fecha de embarque no corresponde ", texto);
  } else if (anteriorA2002(*celda.fecha)) {
    b.falla("Fecha de embarque debe ser mayor a '01/01/2002' ", texto);
  }
}

void IceImportaRun::pais(SheetRow& c, BloqueErrorRegistro& b) {
  const std::string codigo = FormatNumberText(c.get(kIIPais), "000");
  c.set(kIIPais, codigo);
  // The messages show the country's name as the sheet wrote it.
  const std::string nombre(c.get(kIINombrePais));
  if (LeadingNumber(codigo) == 0) {
    b.falla("Codigo de pais no valido " + codigo + " - " + nombre);
  } else {
    b.fallaSi(negated(catalogoRegistra(memo(), "tbcttgCiudades", "co_pais", codigo, " ")),
              "Codigo de pais " + codigo + " - " + nombre + ". No existe o no registrado ");
  }
  c.set(kIINombrePais, FormatNumberText(Trim(nombre), ">>"));
}

void IceImportaRun::unidades(SheetRow& c, BloqueErrorRegistro& b) {
  const std::string unidades = FormatNumberText(c.get(kIIUnidades), "########0");
  c.set(kIIUnidades, unidades);
  if (!IsNumericText(unidades)) {
    b.falla("Cantidad de unidades vendidas al mes debe ser numerico ", unidades);
  } else if (*StrictNumber(unidades) < 0) {
    b.falla("Cantidad de unidades vendidas al mes debe ser mayor o igual a cero: ", unidades);
  }
}

// Each part of the referendo ends at its own first fault; the four parts are all checked.
void IceImportaRun::referendo(SheetRow& c, BloqueErrorRegistro& b) {
  // The district is shown as written and looked up with its three digits.
  const std::string distrito = FormatNumberText(c.get(kIIDistrito), "####0");
  c.set(kIIDistrito, distrito);
  if (LeadingNumber(distrito) == 0) {
    b.falla("Referendo-Distrito Aduanero no puede ser cero");
  } else {
    b.fallaSi(
        negated(catalogoRegistra(memo(), "tbcttgDiAduanero", "co_distri", FormatNumberText(distrito, "000"))),
        "Referendo-Distrito Aduanero " + distrito + " no registrado ");
  }

  // The year of the import cannot come after the row's own year.
  const std::string anio = FormatNumberText(c.get(kIIAnioReferendo), "0000");
  c.set(kIIAnioReferendo, anio);
  if (!IsNumericText(anio)) {
    b.falla("Referendo-Año de Importación no valido ", anio);
  } else if (*StrictNumber(anio) == 0) {
    b.falla("Referendo-Año de importación no puede ser cero");
  } else if (*StrictNumber(anio) > LeadingNumber(c.get(kIAnio))) {
    b.falla("Referendo-Año de Importación no puede ser mayor al año de periodo seleccionado:  ",
            c.get(kIAnio));
  }

  const std::string regimen = FormatNumberText(c.get(kIIRegimen), "00");
  c.set(kIIRegimen, regimen);
  if (!IsNumericText(regimen)) {
    b.falla("Referendo-Regimen no valido ", regimen);
  } else if (*StrictNumber(regimen) == 0) {
    b.falla("Referendo-Regimen no puede ser cero ");
  } else {
    b.fallaSi(negated(catalogoRegistra(memo(), "tbcttgCoRegimen", "co_regimen", regimen)),
              "Referendo-Regimen no registrado: ", regimen);
  }

  const std::string correlativo = FormatNumberText(c.get(kIICorrelativo), "########0");
  c.set(kIICorrelativo, correlativo);
  if (!IsNumericText(correlativo)) {
    b.falla("Referendo-Correlativo no válido ", correlativo);
  } else if (*StrictNumber(correlativo) <= 0) {
    b.falla("Referendo. Correlativo debe ser mayor a cero ", correlativo);
  }
}

}  // namespace

std::string CLSValidarInformacion::ICE2014_Importa(int16_t ti_proceso, std::string& co_empresa,
                                                   std::string& nu_mes, std::string& nu_anio, double&,
                                                   Sheet& InfoFile, std::string& FileError,
                                                   int32_t& nFilaProgreso) {
  IceImportaRun run(co_empresa, nu_mes, nu_anio);
  return ValidadorHoja(ti_proceso, "ICE IMPORTACIONES", InfoFile, FileError, nFilaProgreso,
                       [&run](SheetRow& celdas, BloqueErrorRegistro& bloque) { run.fila(celdas, bloque); });
}

}  // namespace valtrone
