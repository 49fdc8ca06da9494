// Purchases, columns 23 to 26 and 32: local or foreign payment, the payee's country, double
// taxation and withholding abroad, and the payment forms.

#include "library/batch/compras.hpp"

namespace valtrone {

using vt::conv::BlankToZero;
using vt::conv::FirstChar;
using vt::conv::FormatNumberText;
using vt::conv::Trim;
using vt::conv::Upper;

void ComprasRun::pagoExterior(FilaCompra& f) {
  BloqueErrorRegistro& b = f.bloque;
  const std::string c23 =
      f.set(kCPago, BlankToZero(vt::conv::Left(Upper(FormatNumberText(Trim(f.get(kCPago)), "#")), 1)));
  if (c23 == "L") {
    f.set(kCPais, "0");
    f.set(kCDobleTributacion, "NO");
    f.set(kCSujetoRetencion, "NO");
    return;
  }
  if (c23 != "E") {
    b.falla("Pago Local. Codigo " + c23 + " no válido, debe ser L ó E ");
    return;
  }

  const std::string c24 = f.set(kCPais, FormatNumberText(f.get(kCPais), "000"));
  b.fallaSi(negated(paisRegistrado(c24)), "Pago Local. Codigo de pais " + c24 + " no existe ");

  const std::string c25 =
      f.set(kCDobleTributacion, Upper(FormatNumberText(Trim(BlankToZero(f.get(kCDobleTributacion))), "0")));
  const std::string inicial25 = FirstChar(Trim(c25));
  if (inicial25 != "S" && inicial25 != "N") {
    b.falla("Pago Exterior: Doble tributacion " + c25 + " no valido, debe ser S ó N ");
  } else {
    f.set(kCDobleTributacion, inicial25 == "S" ? "SI" : "NO");
  }

  const std::string c26 =
      f.set(kCSujetoRetencion, BlankToZero(Upper(FormatNumberText(f.get(kCSujetoRetencion), "0"))));
  const std::string inicial26 = FirstChar(c26);
  if (inicial26 != "S" && inicial26 != "N") {
    b.falla("Pago Exterior: Sujeto a doble retencion " + c26 +
            " no valido cuando tipo de pago es al Exterior. Debe ser S ó N ");
  } else {
    f.set(kCSujetoRetencion, inicial26 == "S" ? "SI" : "NO");
  }
}

void ComprasRun::formasPago(FilaCompra& f) {
  const std::string c32 = f.set(kCFormasPago, BlankToZero(FormatNumberText(Trim(f.get(kCFormasPago)), "0")));
  f.bloque.fallaSi(negated(formasPagoRegistradas(c32)),
                   "Forma de pago. Alguno de los codigos registrados no so validos ", c32);
}

}  // namespace valtrone
