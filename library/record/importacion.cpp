// Valida_Importacion: one import record (fields 0 to 26). A record that is not of goods (type other
// than "B" in any case) carries no referendo and no bases: those fields are given their neutral
// values, whatever they held; so are the income-tax fields of a record without an income-tax code.
//
// A test that reads a field that is no number counts as met and a product that cannot be formed
// leaves the working amount as it was, as in the older sales line: an amount check may then add a
// second line about a field already reported.

#include <optional>
#include <string>

#include "library/record/validador_registro.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

namespace {

using vt::conv::LeadingNumber;

// The supplier's voucher and the date the import was entered in the books (fields 4 to 9).
void comprobanteYProveedor(CLSValidarInformacion& objeto, ValidadorRegistro& r) {
  const Campo comprobante = r.campo(4);
  r.comprobante(objeto, comprobante, "08", "", "Comprobante no válido para tipo de transaccion ");
  r.sustento(objeto, comprobante, r.campo(5));

  const Campo contable = r.campo(6);
  const std::optional<vt::conv::Date> fecha = fechaDe(contable);
  const Campo mes = r.campo(1);
  const Campo anio = r.campo(2);
  r.fallaSi(Condition(!fecha), "Fecha de contabilización de comprobante no es válido: ", contable);
  r.fallaSi(mes ? sobreFecha(fecha, [&](const vt::conv::Date& d) { return LeadingNumber(*mes) != d.month; })
                : std::nullopt,
            "Mes de fecha de contabilización de comprobante no corresponde: ", contable);
  r.fallaSi(anio ? sobreFecha(fecha, [&](const vt::conv::Date& d) { return LeadingNumber(*anio) != d.year; })
                 : std::nullopt,
            "Año de fecha de contabilización de comprobante no corresponde ", contable);

  const Campo tipoId = r.campo(7);
  r.fallaSi(sobre(tipoId, [](const std::string& t) { return t != "N" && t != "J"; }),
            "Tipo de identificación de proveedor no válido ", tipoId);
  const Campo nombre = r.campo(9);
  const auto enBlanco = [](const std::string& s) { return vt::conv::Trim(s).empty(); };
  // The line of a missing number names the supplier.
  r.fallaSi(sobre(r.campo(8), enBlanco), "Numero de identificación del proveedor requerido ", nombre);
  r.fallaSi(sobre(nombre, enBlanco), "Nombre de identificación del proveedor requerido ", nombre);
}

// Bases, VAT and ICE of goods (fields 16 to 22).
void basesDeBienes(ValidadorRegistro& r, double& calculado) {
  const Campo cero = r.campo(16);
  const Campo gravada = r.campo(17);
  r.fallaSi(sobre(cero, noNumerico), "Base imponible 0% debe ser numerico : ", cero);
  if (!r.fallaSi(sobre(gravada, noNumerico), "Base imponible gravada debe ser numerico : ", gravada))
    r.fallaSi(Condition(*numeroDe(gravada) < 0), "Base imponible gravada debe ser mayor a cero: ", gravada);
  r.sumaBases(cero, gravada);

  const Campo porcentaje = r.campo(18);
  const Campo iva = r.campo(19);
  r.porcentaje(porcentaje, kPoIVA,
               "Porcentaje de IVA debe ser numerico : ", "Porcentaje de IVA no registrado: ");
  r.montoIVA(gravada, iva);
  r.ivaCalculado(calculado, gravada, porcentaje, iva);
  r.ice(20, calculado,
        {"% de retención ICE debe ser numerico : ", "Monto de Retencion de ICE no coinciden: ", false});
}

// The income-tax withholding (fields 23 to 26), when the record has a code.
void retencionIR(ValidadorRegistro& r, double& calculado) {
  const Campo codigo = r.campo(23);
  if (codigo && LeadingNumber(*codigo) == 0) {
    r.escribe(24, "0.00");
    r.escribe(25, "0");
    r.escribe(26, "0.00");
    return;
  }
  r.fallaSi(Condition(!(codigo && retencionIRRegistrada(*codigo))),
            "Código de retencion de IR no válido: ", codigo);
  const Campo base = r.campo(24);
  const Campo porcentaje = r.campo(25);
  const Campo monto = r.campo(26);
  r.fallaSi(sobre(base, noNumerico), "Base imponible de retención de IR no válido: ", base);
  r.fallaSi(sobre(porcentaje, noNumerico), "Porcentaje de Retención de IR no válido: ", porcentaje);
  r.fallaSi(sobre(monto, noNumerico), "Monto de retenido de IR no válido: ", monto);

  const std::optional<double> nBase = numeroDe(base);
  const std::optional<double> nPorcentaje = numeroDe(porcentaje);
  const std::optional<double> nMonto = numeroDe(monto);
  if (nBase && nPorcentaje && nMonto && !(*nBase > 0 && *nPorcentaje > 0 && *nMonto > 0)) return;
  if (nBase && nPorcentaje) calculado = retencionIRCalculada(*nBase, *nPorcentaje);
  r.fallaSi(nMonto ? Condition(vt::conv::NumberByMask(*nMonto, "########0.00") !=
                               vt::conv::NumberByMask(calculado, "########0.00"))
                   : std::nullopt,
            "Base Imponible IR  x  %IR no concuerda con Monto Retenido de IR ", base);
}

}  // namespace

std::string CLSValidarInformacion::Valida_Importacion(Record& archivo_reten, bool& berror_record,
                                                      std::string& ds_errores) {
  ValidadorRegistro r(archivo_reten, berror_record, ds_errores, ValidadorRegistro::Entrada::Conserva);
  const std::optional<double> anioObjeto = anioEstricto(nu_anio);
  r.periodo(*this, anioObjeto);

  // The type is compared as a copy, which stays empty when the record lacks the field.
  const Campo tipoCampo = r.campo(3);
  const std::string tipo = tipoCampo.value_or("");
  r.fallaSi(Condition(tipo != "B" && tipo != "S"), "Tipo de importacion no válido ", tipoCampo);
  // A type the record lacks cannot be told from goods.
  const bool bienes = !tipoCampo || vt::conv::Upper(tipo) == "B";

  comprobanteYProveedor(*this, r);

  if (bienes) {
    r.referendo(10, anioObjeto,
                "Referendo. Año de importación no puede ser mayor al año de periodo seleccionado: ");
  } else {
    r.escribe(10, "0");
    r.escribe(11, "0000");
    r.escribe(12, "00");
    r.escribe(13, "0");
    r.escribe(14, "0");
  }

  const Campo cif = r.campo(15);
  if (!r.fallaSi(sobre(cif, noNumerico), "Valor CIF debe ser numerico : ", cif))
    r.fallaSi(Condition(*numeroDe(cif) < 0), "Valor CIF debe ser mayor a cero: ", cif);

  // The working amount of the VAT, ICE and income-tax products in turn, carried from one check to
  // the next on purpose: the rules of this layout compare a product that cannot be formed with the
  // one before.
  double calculado = 0;
  if (bienes) {
    basesDeBienes(r, calculado);
  } else {
    for (long k = 16; k <= 22; ++k) r.escribe(k, k == 18 ? "12" : "0.00");
  }
  retencionIR(r, calculado);
  return r.termina();
}

}  // namespace valtrone
