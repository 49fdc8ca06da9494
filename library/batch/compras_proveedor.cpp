// Purchases, columns 5 to 9: the supplier's identification, its type and related party, and the
// transaction code that the voucher-type rules read.

#include "library/batch/compras.hpp"
#include "library/frame/errores.hpp"
#include "library/frame/verifica_ruc.hpp"

namespace valtrone {

using vt::conv::FormatNumberText;
using vt::conv::Trim;
using vt::conv::Upper;

void ComprasRun::proveedor(FilaCompra& f) {
  BloqueErrorRegistro& b = f.bloque;

  const std::string c5 = f.set(kCTipoId, Trim(Upper(FormatNumberText(f.get(kCTipoId), "#"))));
  if (c5 != "P" && c5 != "R" && c5 != "C") b.falla("Tipo de identificación " + c5 + " no válido ");

  const std::string c6 =
      f.set(kCIdProveedor, Upper(FormatNumberText(Trim(f.get(kCIdProveedor)), "0000000000000")));
  const std::string c7 = f.set(kCIdComplemento, Upper(FormatNumberText(Trim(f.get(kCIdComplemento)), "#")));
  f.sIdentificacion = c6 + "-" + c7;
  const std::string c8 = f.set(kCTipoProveedor, Upper(Trim(FormatNumberText(f.get(kCTipoProveedor), "0"))));
  const std::string c9 = f.set(kCParteRelacionada, Trim(FormatNumberText(f.get(kCParteRelacionada), "#")));

  if (c5 == "P") {
    if (c8 == "0") {
      b.falla("Proveedor Tipo. Codigo " + c8 + " no valido ");
    } else {
      b.fallaSi(negated(tipoProveedorRegistrado(c8)), "Proveedor Tipo. Codigo " + c8 + " no registrado ");
    }
    const std::string inicial = vt::conv::FirstChar(c9);
    if (inicial != "S" && inicial != "N") {
      b.falla("Proveedor Relacionado. Valor debe ser SI/NO");
    } else {
      f.set(kCParteRelacionada, inicial == "S" ? "SI" : "NO");
    }
  }

  // The code starts empty on every row: a row whose identification fails never borrows the code
  // of an earlier supplier.
  f.sCodTransaccion.clear();
  if (vt::conv::Len(c6) < 5) {
    b.falla("Longitud de identificación de proveedor " + c6 + " no valida  ");
    return;
  }
  if (c5 == "P") {
    f.sCodTransaccion = "03";
    return;
  }
  if (c5 != "R" && c5 != "C") return;
  if (!vt::conv::IsNumericText(c6)) {
    b.falla("Numero de identificación debe ser numérico ", c6);
    return;
  }
  if (vt::conv::LeadingNumber(c6) <= 0) {
    b.falla("Numero de identificacion no válido ", c6);
    return;
  }
  f.sCodTransaccion = c5 == "C" ? "02" : "01";
  if (!identidadValida(c6, c5, IdentityRules::VerificaRUC_Cedula)) b.falla("Numero de Identificacion (RUC, Cédula ) no válido " + c6 + " " + c7);
}

}  // namespace valtrone
