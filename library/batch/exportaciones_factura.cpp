// Exports, the values and the export invoice: the FOB or service value and the local voucher's
// value (columns 14 and 15), the invoice's issue date, serie, sequence and authorisation (16 to
// 19), and the free columns 20 to 22.

#include "library/batch/exportaciones.hpp"

namespace valtrone {

using vt::conv::FormatNumberText;
using vt::conv::IsNumericText;
using vt::conv::LeadingNumber;
using vt::conv::StrictNumber;

namespace {

constexpr std::string_view kDosDecimales = "########0.00";

}  // namespace

void ExportacionesRun::valores(FilaExportacion& f) {
  BloqueErrorRegistro& b = f.bloque;

  const std::string c14 = f.set(kEValorFob, FormatNumberText(f.get(kEValorFob), kDosDecimales));
  if (const std::optional<double> fob = StrictNumber(c14); !fob) {
    b.falla("Valor FOB/Servicio debe ser numerico ", c14);
  } else if (*fob <= 0) {
    b.falla("Valor FOB/Servicio " + c14 + " debe ser mayor a cero ");
  }

  const std::string c15 = f.set(kEValorLocal, FormatNumberText(f.get(kEValorLocal), kDosDecimales));
  if (const std::optional<double> local = StrictNumber(c15); !local) {
    b.falla("Fact. Exportación-Valor Comprobante Local debe ser numerico ", c15);
  } else if (*local <= 0) {
    b.falla("Fact. Exportación-Valor Comprobante Local debe ser mayor a cero ", c15);
  }
}

void ExportacionesRun::factura(FilaExportacion& f) {
  BloqueErrorRegistro& b = f.bloque;

  const CeldaFecha emision = leeCeldaFecha(f.get(kEFechaEmision));
  const std::string c16 = f.set(kEFechaEmision, emision.texto);
  if (!emision.fecha) {
    b.falla("Fact. Exportación: Fecha de emisión " + c16 + " no es válida");
  } else if (anteriorA2002(*emision.fecha)) {
    b.falla("Fact. Exportación-Fecha de emisión " + c16 + " debe ser mayor a '01/01/2002' ");
  }

  const std::string c17 = f.set(kESerie, FormatNumberText(f.get(kESerie), "000000"));
  if (const std::optional<double> serie = StrictNumber(c17); !serie) {
    b.falla("Fact. Exportación-Serie " + c17 + " no válido ");
  } else if (*serie == 0) {
    b.falla("Fact. Exportación-Serie comprobante no puede ser cero ", c17);
  } else if (const std::string establecimiento = vt::conv::Left(c17, 3);
             LeadingNumber(establecimiento) == 0) {
    b.falla("Fact. Exportación-Serie 'Código de establecimiento'  " + establecimiento + " no válido ");
  } else if (const std::string punto = vt::conv::Right(c17, 3); LeadingNumber(punto) == 0) {
    b.falla("Fact. Exportación-Serie 'Punto de emisión' " + punto + " no válido ");
  }

  const std::string c18 = f.set(kESecuencia, FormatNumberText(f.get(kESecuencia), "0000000"));
  if (!IsNumericText(c18)) {
    b.falla("Fact. Exportación-Secuencia " + c18 + " debe ser numérico");
  } else if (LeadingNumber(c18) == 0) {
    b.falla("Fact. Exportación-Secuencia " + c18 + " no puede ser cero");
  } else if (vt::conv::Len(vt::conv::Trim(c18)) > 9) {
    b.falla("Fact. Exportación-Secuencia " + c18 + " longitud excede el limite");
  }

  const std::string c19 = f.set(kEAutorizacion, vt::conv::Trim(f.get(kEAutorizacion)));
  const long largo = vt::conv::Len(c19);
  if (!IsNumericText(c19)) {
    b.falla("Fact. Exportación-Número de Autorizacion " + c19 + " debe ser numerico ");
  } else if (LeadingNumber(c19) == 0) {
    b.falla("Fact. Exportación-Numero Autorizacion " + c19 + " no debe ser cero");
  } else if (largo != 10 && largo != 37) {
    b.falla("Fact. Exportación-Longitud de autorizacion  " + c19 + " es " + std::to_string(largo) +
            " debe ser 10 o 37");
  }
}

void ExportacionesRun::columnasLibres(FilaExportacion& f) {
  for (long col = kELibre1; col < kEColumnas; ++col) f.set(col, FormatNumberText(f.get(col), "#"));
}

}  // namespace valtrone
