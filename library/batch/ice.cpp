// The rules both ICE sheets share: company and period, the party's identification, the free
// columns 6 and 7, the company's ICE product and the copies into columns 19 to 21.

#include "library/batch/ice.hpp"
#include "library/batch/periodo_hoja.hpp"

#include "library/frame/sentencias.hpp"
#include "platform/database/recordset.hpp"
#include "platform/database/sql_text.hpp"

namespace valtrone {

using vt::conv::FormatNumberText;
using vt::conv::LeadingNumber;
using vt::conv::Trim;
using vt::conv::Upper;

IceRun::IceRun(const std::string& co_empresa, std::optional<double> mes, const std::string& nu_anio)
    : co_empresa_(co_empresa), mes_(mes), anio_(LeadingNumber(nu_anio)) {}

void IceRun::periodo(SheetRow& c, BloqueErrorRegistro& b) {
  FilaHoja f{c, b};
  compruebaPeriodo(
      f, co_empresa_, mes_,
      [&](const std::string& c1) { return mes_ ? Condition(LeadingNumber(c1) != *mes_) : std::nullopt; },
      [&](const std::string& c2) { return Condition(LeadingNumber(c2) != anio_); });
}

void IceRun::identificacion(SheetRow& c, BloqueErrorRegistro& b) {
  const std::string tipo = Upper(Trim(FormatNumberText(c.get(kITipoId), "#")));
  c.set(kITipoId, tipo);
  if (tipo != "P" && tipo != "F" && tipo != "R" && tipo != "C")
    b.falla("Tipo de identificación no válido ", tipo);

  // A number is padded to thirteen digits, a cédula's too; the identity check takes its ten.
  const std::string numero = Upper(Trim(FormatNumberText(c.get(kIIdentificacion), "0000000000000")));
  c.set(kIIdentificacion, numero);
  const std::string nombre = FormatNumberText(Trim(c.get(kINombre)), ">>");
  c.set(kINombre, nombre);
  compruebaIdentificacion(b, tipo, numero, nombre);

  c.set(kILibre6, FormatNumberText(Trim(c.get(kILibre6)), "#"));
  c.set(kILibre7, FormatNumberText(Trim(c.get(kILibre7)), ">>"));
}

void IceRun::producto(SheetRow& c, BloqueErrorRegistro& b, long col) {
  const std::string codigo = FormatNumberText(Trim(c.get(col)), "#");
  c.set(col, codigo);
  if (codigo.empty()) {
    b.falla("Código de producto de empresa " + codigo + " no puede ser vacio ");
    return;
  }
  // The row's own company, even when it is not the chosen one.
  b.fallaSi(negated(productoActivo(c.get(kIRucEmpresa), codigo)),
            "Código de producto de empresa " + codigo + " sin relacion a producto ICE ó producto no activo ");
}

std::optional<bool> IceRun::productoActivo(std::string_view co_empresa, std::string_view co_producto) {
  return memo_.ask(LookupMemo::key("tbICE_Productos", {co_empresa, co_producto}), [&] {
    RecordsetRef rs;
    // The code may stand anywhere inside the product's code.
    gsConsultaRegistro("*", "tbICE_Productos",
                       "where co_empresa = " + vt::db::quoteSql(co_empresa) + " and co_producto like " +
                           vt::db::likeContaining(co_producto) + " and st_producto = 'A' ",
                       rs);
    // A select that failed leaves the recordset closed, and reading it raises.
    return !rs->eof();
  });
}

void IceRun::copias(SheetRow& c) {
  for (long i = 0; i < 3; ++i) c.set(kICopiaDestino + i, FormatNumberText(c.get(kICopiaOrigen + i), "#"));
}

}  // namespace valtrone
