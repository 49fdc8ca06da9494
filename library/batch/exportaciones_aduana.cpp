// Exports, the customs documents: the referendo and the transport document of an export of goods
// (columns 7 to 12), and the FUE of every row (column 13). The rules of the correlativo, the check
// digit and the FUE change with the transaction date at the cut-off.

#include "library/batch/exportaciones.hpp"

namespace valtrone {

using vt::conv::FormatNumberText;
using vt::conv::IsNumericText;
using vt::conv::LeadingNumber;
using vt::conv::StrictNumber;

void ExportacionesRun::referendo(FilaExportacion& f) {
  BloqueErrorRegistro& b = f.bloque;

  // The catalogue keys districts with three digits; the cell keeps its own form.
  const std::string c7 = f.set(kEDistrito, FormatNumberText(f.get(kEDistrito), "####0"));
  if (LeadingNumber(c7) == 0) {
    b.falla("Referendo-Distrito aduanero no puede ser cero");
  } else {
    b.fallaSi(negated(catalogoRegistra(memo_, "tbcttgDiAduanero", "co_distri", FormatNumberText(c7, "000"))),
              "Referendo-Distrito aduanero " + c7 + " no registrado ");
  }

  const std::string c8 = f.set(kEAnioReferendo, FormatNumberText(f.get(kEAnioReferendo), "0000"));
  const std::optional<double> anio = StrictNumber(c8);
  if (!anio) {
    b.falla("Referendo-Año de importación no valido ", c8);
  } else if (*anio == 0) {
    b.falla("Referendo-Año de importación no puede ser cero");
  } else if (const std::string_view c2 = f.get(kEAnio); LeadingNumber(c8) > LeadingNumber(c2)) {
    b.falla("Referendo-Año de importación no puede ser mayor al año de periodo seleccionado:  ", c2);
  }

  const std::string c9 = f.set(kERegimen, FormatNumberText(f.get(kERegimen), "00"));
  if (!IsNumericText(c9)) {
    b.falla("Referendo-Regimen no valido ", c9);
  } else if (LeadingNumber(c9) == 0) {
    b.falla("Referendo-Regimen no puede ser cero ");
  } else {
    b.fallaSi(negated(catalogoRegistra(memo_, "tbcttgCoRegimen", "co_regimen", c9)),
              "Referendo-Regimen no registrado: ", c9);
  }

  // Up to the cut-off a referendo ends in a correlativo of up to six digits and its check digit of
  // one digit; after it, in a correlativo of up to eight digits and no check digit. The annex
  // writes them so, and the authority's schema takes no other: an unchecked correlativo would be
  // stored and written into an annex the authority refuses. A row without a date keeps both cells
  // as they are until its date is mended.
  if (f.lado != LadoCorte::SinFecha) {
    const bool hasta = f.lado == LadoCorte::HastaCorte;
    const std::string c10 = f.set(kECorrelativo, FormatNumberText(f.get(kECorrelativo), "########0"));
    if (!IsNumericText(c10)) {
      b.falla("Referendo-Correlativo no válido ", c10);
    } else if (LeadingNumber(c10) <= 0) {
      b.falla("Referendo. Correlativo debe ser mayor a cero ", c10);
    } else if (hasta && vt::conv::Len(c10) > 6) {
      b.falla("Referendo. Longitud de Correlativo debe ser hasta 6 caracteres para antes de ", textoCorte_);
    } else if (!hasta && vt::conv::Len(c10) > 8) {
      b.falla("Referendo. Longitud de Correlativo debe ser hasta 8 caracteres para después de ", textoCorte_);
    }
  }
  if (f.lado == LadoCorte::HastaCorte) {
    const std::string c11 = f.set(kEVerificador, FormatNumberText(f.get(kEVerificador), "########0"));
    if (!IsNumericText(c11) || LeadingNumber(c11) < 0 || vt::conv::Len(c11) > 1)
      b.falla("Referendo-Digito verificador no válido : ", c11);
  } else if (f.lado == LadoCorte::DespuesCorte) {
    f.set(kEVerificador, "0");
  }

  const std::string c12 = f.set(kEDocTransporte, vt::conv::Trim(f.get(kEDocTransporte)));
  if (c12.empty()) {
    b.falla("Referendo-Documento de transporte no debe estar vacio ");
  } else if (vt::conv::Len(c12) > 13) {
    b.falla("Referendo-Documento de transporte . Longitud debe ser 13 caracteres ");
  }
}

void ExportacionesRun::fue(FilaExportacion& f) {
  BloqueErrorRegistro& b = f.bloque;

  // Up to the cut-off every export carries a FUE of 13 digits; after it, a FUE of 0. A row
  // without a date is held to neither side.
  const std::string c13 = f.set(kEFue, FormatNumberText(f.get(kEFue), "0000000000000"));
  if (!IsNumericText(c13)) {
    b.falla("Numero de FUE " + c13 + " no valido ");
    return;
  }
  const double numero = LeadingNumber(c13);
  if (numero == 0 && f.lado == LadoCorte::HastaCorte) {
    b.falla("Numero de FUE no puede ser cero ");
  } else if (vt::conv::Len(c13) != 13) {
    b.falla("Numero de FUE. Longitud es diferente del permitido 13 caracteres ");
  } else if (numero > 0 && f.lado == LadoCorte::DespuesCorte) {
    b.falla("Numero de FUE. Campo " + vt::conv::VbStr(numero) + " valido hasta " + textoCorte_);
  }
}

}  // namespace valtrone
