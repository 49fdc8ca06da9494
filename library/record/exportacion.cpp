// Valida_Exportacion: one export record (fields 0 to 23). Its fault text holds this record's lines
// only. A record that carries no customs referendo (type other than "B") gets the neutral
// referendo written into fields 16 to 20, whatever they held.

#include <optional>
#include <string>

#include "library/record/validador_registro.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

namespace {

using vt::conv::LeadingNumber;

}  // namespace

std::string CLSValidarInformacion::Valida_Exportacion(Record& archivo_reten, bool& berror_record,
                                                      std::string& ds_errores) {
  ValidadorRegistro r(archivo_reten, berror_record, ds_errores, ValidadorRegistro::Entrada::Vacia);
  const std::optional<double> anioObjeto = anioEstricto(nu_anio);
  r.periodo(*this, anioObjeto);

  // The type is compared as a copy, which stays empty when the record lacks the field.
  const Campo tipoCampo = r.campo(3);
  const std::string tipo = tipoCampo.value_or("");
  r.fallaSi(Condition(tipo != "B" && tipo != "S"), "Tipo de importacion no válido ", tipoCampo);

  r.comprobante(*this, r.campo(4), "09", "", "Comprobante no válido para tipo de transaccion ");

  const Campo embarque = r.campo(5);
  const std::optional<vt::conv::Date> fechaEmbarque = fechaDe(embarque);
  r.fallaSi(Condition(!fechaEmbarque), "Fecha de contabilización de comprobante no es válido: ", embarque);
  if (nu_mes != 99) {
    r.fallaSi(sobreFecha(fechaEmbarque, [&](const vt::conv::Date& d) { return d.month != nu_mes; }),
              "Mes de fecha de embarque/contabilización de comprobante no corresponde: ", embarque);
  }
  r.fallaSi(
      sobreFecha(fechaEmbarque, [&](const vt::conv::Date& d) { return std::to_string(d.year) != nu_anio; }),
      "Año de fecha de embarque/contabilización de comprobante no corresponde ", embarque);

  const Campo tipoIdCampo = r.campo(6);
  const std::string tipoId = tipoIdCampo.value_or("");
  r.fallaSi(Condition(tipoId != "N" && tipoId != "J"), "Tipo de identificación de proveedor no válido ",
            tipoIdCampo);
  const Campo nombre = r.campo(8);
  r.fallaSi(sobre(nombre, [](const std::string& s) { return vt::conv::Trim(s).empty(); }),
            "Nombre de identificación del proveedor requerido ", nombre);

  const Campo factura = r.campo(9);
  if (!r.fallaSi(sobre(factura, esCero), "Código de comprobante no válido ", factura)) {
    r.fallaSi(Condition(*factura != "01"),
              "Código de comprobante no válido debe ser solo '01' - Factura: ", factura);
  }

  const Campo emision = r.campo(10);
  const Campo contable = r.campo(11);
  const std::optional<vt::conv::Date> fechaEmision = fechaDe(emision);
  const std::optional<vt::conv::Date> fechaContable = fechaDe(contable);
  r.fallaSi(Condition(!fechaEmision), "Fecha de emisión de comprobante no es válido: ", emision);
  r.fallaSi(Condition(!fechaContable), "Fecha de contabilización de comprobante no es válido: ", contable);
  // The accounting date against the period as dates: a later year is reported by the year's line,
  // a later month of the same year by the month's; December of the year before is within.
  const Campo mes = r.campo(1);
  const Campo anio = r.campo(2);
  const Condition mesPosterior =
      mes && anio ? sobreFecha(fechaContable,
                               [&](const vt::conv::Date& d) {
                                 return LeadingNumber(*anio) == d.year && LeadingNumber(*mes) < d.month;
                               })
                  : std::nullopt;
  r.fallaSi(mesPosterior, "",
            une({std::string("Mes de fecha de contabilización "), contable,
                 std::string(" no puede ser mayor al periodo informado ")}));
  const Condition anioPosterior =
      anio ? sobreFecha(fechaContable, [&](const vt::conv::Date& d) { return LeadingNumber(*anio) < d.year; })
           : std::nullopt;
  r.fallaSi(anioPosterior, "",
            une({std::string("Año de fecha de contabilización "), contable,
                 std::string(" no puede ser mayor al periodo informado ")}));
  // Only the calendar day counts.
  const Condition contableTardia =
      fechaContable && fechaEmision ? Condition(*fechaContable > *fechaEmision) : std::nullopt;
  r.fallaSi(contableTardia, "",
            une({std::string("Fecha de contabilización "), contable,
                 std::string(" debe ser menor o igual que fecha de emisión "), contable, std::string("-"),
                 emision}));

  r.serie(r.campo(12));
  r.secuencia(r.campo(13));
  const Campo autorizacion = r.campo(14);
  r.fallaSi(sobre(autorizacion, noNumerico), "Número de autorizacion no válido: ", autorizacion);
  const Campo valor = r.campo(15);
  r.fallaSi(sobre(valor, noNumerico), "Valor Comprobante debe ser numerico : ", valor);

  if (vt::conv::Upper(tipo) == "B") {
    r.referendo(16, anioObjeto,
                "Referendo. Año de importación no puede ser mayor al año de periodo seleccionado:  ");
  } else {
    r.escribe(16, "000");
    r.escribe(17, "0000");
    r.escribe(18, "00");
    r.escribe(19, "0");
    r.escribe(20, "0");
  }

  const Campo transporte = r.campo(21);
  if (!r.fallaSi(sobre(transporte, [](const std::string& s) { return s.empty(); }),
                 "Numero de documento de transporte no debe estar vacio ")) {
    r.fallaSi(sobre(transporte, [](const std::string& s) { return vt::conv::Len(s) > 16; }),
              "Numero de documento de transporte. Longitud excede el limite de 16 caracteres ");
  }
  const Campo fob = r.campo(22);
  if (!r.fallaSi(sobre(fob, noNumerico), "Valor FOB debe ser numerico : ", fob)) {
    r.fallaSi(sobre(fob, [](const std::string& s) { return vt::conv::StrictNumber(s).value_or(0) <= 0; }),
              "Valor FOB debe ser mayor a cero: ", fob);
  }
  const Campo devolucion = r.campo(23);
  r.fallaSi(sobre(devolucion, fueraDeSN), "Estado de devolución IVA no válido: ", devolucion);

  return r.termina();
}

}  // namespace valtrone
