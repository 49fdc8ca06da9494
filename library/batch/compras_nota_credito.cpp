// Purchases, columns 27 to 31: the voucher that a credit or debit note (types 4 and 5) modifies.

#include "library/batch/compras.hpp"

namespace valtrone {

using vt::conv::CodeCellZ;
using vt::conv::IsNumericText;
using vt::conv::LeadingNumber;

void ComprasRun::documentoModificado(FilaCompra& f) {
  BloqueErrorRegistro& b = f.bloque;
  const double tipo = LeadingNumber(f.get(kCTipoComprobante));
  if (tipo != 4 && tipo != 5) {
    f.set(kCModTipo, "0");
    f.set(kCModFecha, "01/01/2000");
    f.set(kCModSerie, "0");
    f.set(kCModSecuencia, "0");
    f.set(kCModAutorizacion, "0");
    return;
  }

  const std::string c27 = f.set(kCModTipo, CodeCellZ(f.get(kCModTipo), "00"));
  if (LeadingNumber(c27) == 0) {
    b.falla("Nota Credito: Código de comprobante modificado " + c27 + " no válido ");
  } else {
    b.fallaSi(negated(comprobantePorTransaccion(c27, f.sCodTransaccion)),
              "Nota Credito: Código de comprobante modificado " + c27 + " no registrado ");
  }

  const CeldaFecha fecha = leeCeldaFecha(f.get(kCModFecha));
  const std::string c28 = f.set(kCModFecha, vt::conv::BlankToZero(fecha.texto));
  if (!fecha.fecha)
    b.falla("Nota Credito: Fecha de emisión de comprobante modificado " + c28 + " no es válida");

  const std::string c29 = f.set(kCModSerie, CodeCellZ(f.get(kCModSerie), "000000"));
  if (!IsNumericText(c29)) b.falla("Nota Credito: Serie comprobante modificado " + c29 + " no válido ");
  if (LeadingNumber(c29) == 0) b.falla("Nota Credito: Serie comprobante modificado no puede ser cero ", c29);
  if (const std::string establecimiento = vt::conv::Left(c29, 3); LeadingNumber(establecimiento) == 0) {
    b.falla("Nota Credito: Serie - 'Código de establecimiento' comprobante modificado " + establecimiento +
            " no válido ");
  } else if (const std::string punto = vt::conv::Right(c29, 3); LeadingNumber(punto) == 0) {
    b.falla("Nota Credito: Serie - 'Punto de emisión' comprobante modificado " + punto + " no válido ");
  }

  const std::string c30 = f.set(kCModSecuencia, CodeCellZ(f.get(kCModSecuencia), "0000000"));
  if (!IsNumericText(c30)) {
    b.falla("Nota Credito: Secuencia comprobante modificado " + c30 + " debe ser numérico");
  } else if (LeadingNumber(c30) == 0) {
    b.falla("Nota Credito: Secuencia comprobante modificado " + c30 + " no puede ser cero");
  } else if (vt::conv::Len(vt::conv::Trim(c30)) > 9) {
    b.falla("Nota Credito: Secuencia de comprobante modificado " + c30 + " longitud excede el limite");
  }

  const std::string c31 =
      f.set(kCModAutorizacion, vt::conv::BlankToZero(vt::conv::Trim(f.get(kCModAutorizacion))));
  const long largo = vt::conv::Len(c31);
  if (!IsNumericText(c31)) {
    b.falla("Nota Credito: Autorizacion comprobante modificado " + c31 + " debe ser numerico ");
  } else if (LeadingNumber(c31) == 0) {
    b.falla("Nota Credito: Autorizacion comprobante modificado " + c31 + " no debe ser cero");
  } else if (largo != 10 && largo < 35) {
    b.falla("Nota Credito: Longitud de autorizacion  " + c31 + " es " + std::to_string(largo) +
            " debe ser 10 o 37");
  }
}

}  // namespace valtrone
