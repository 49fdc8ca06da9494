// Purchases, columns 33 to 44: the three income-tax withholding blocks (code, base, percentage,
// amount), their code on the issue date, and the withheld amount against base and rate or, for a
// dividend in block 1, against the dividend table.

#include "library/batch/compras.hpp"
#include "library/frame/clases_maestras.hpp"
#include "library/frame/comprobaciones.hpp"
#include "library/frame/errores.hpp"
#include "platform/database/recordset.hpp"

namespace valtrone {

using vt::conv::AmountCell;
using vt::conv::IsNumericText;
using vt::conv::LeadingNumber;
using vt::conv::StrictNumber;

std::optional<ComprasRun::RegistroIR> ComprasRun::retencionIRRegistrada(const std::string& co_reten,
                                                                        const vt::conv::Date& dia) {
  const std::string key = co_reten + '\x1f' + vt::conv::FormatDate(dia, "yyyymmdd");
  if (auto found = registrosIR_.find(key); found != registrosIR_.end()) return found->second;
  try {
    const std::optional<RegistroIR> registro = gfRetencionIRVigente(co_reten, dia);
    registrosIR_.emplace(key, registro);
    return registro;
  } catch (...) {
    noteCurrentError();
    return std::nullopt;
  }
}

std::optional<double> ComprasRun::impuestoDividendo(double base) {
  if (auto found = dividendos_.find(base); found != dividendos_.end()) return found->second;
  try {
    std::string anio = nu_anio_;
    double copia = base;
    const double impuesto = gfImpuestoDividendos(anio, copia);
    dividendos_.emplace(base, impuesto);
    return impuesto;
  } catch (...) {
    noteCurrentError();
    return std::nullopt;
  }
}

void ComprasRun::retencionesIR(FilaCompra& f) {
  BloqueErrorRegistro& b = f.bloque;
  const std::string c3(f.get(kCFechaEmision));
  // Column 3 was rewritten as dd/mm/yyyy by the period checks: read it back by that pattern.
  const std::optional<vt::conv::Date> emision = vt::conv::ParseDateByPattern(c3, vt::conv::kDateCellPattern);
  const bool personaJuridica = esPersonaJuridica(f.get(kCIdProveedor));

  for (int k = 1; k <= 3; ++k) {
    const long col = kCRetencionIR1 + 4L * (k - 1);
    const std::string n = "(" + std::to_string(k) + ")";
    const std::string code = f.set(col, vt::conv::CodeCellZ(f.get(col), "####0"));

    if (LeadingNumber(code) == 0) {
      // A block without a code is cleared, even when base or amount were filled in; only a
      // percentage without a base is reported.
      if (LeadingNumber(f.get(col + 1)) == 0 && LeadingNumber(f.get(col + 2)) != 0) {
        b.falla("Codigo Retencion " + n + ". Datos incompletos ");
      } else {
        for (long c = col; c < col + 4; ++c) f.set(c, "0");
      }
      continue;
    }

    std::optional<RegistroIR> registro;
    if (emision) registro = retencionIRRegistrada(code, *emision);
    if (!registro)
      b.falla("Codigo de Retencion " + n + ". Código " + code + " no registrado para periodo de fecha ", c3);

    const std::string base = f.set(col + 1, AmountCell(f.get(col + 1)));
    if (!IsNumericText(base))
      b.falla("Codigo de Retencion " + n + ". Base imponible " + base + " debe ser numérico");
    const std::string pct = f.set(col + 2, AmountCell(f.get(col + 2)));
    if (!IsNumericText(pct))
      b.falla("Codigo de Retencion " + n + ". Porcentaje de retención " + pct + " debe ser numérico ");
    const std::string monto = f.set(col + 3, AmountCell(f.get(col + 3)));
    if (!IsNumericText(monto))
      b.falla("Codigo Retencion " + n + ". Monto de retención " + monto + " debe ser numérico");

    const std::optional<double> sBase = StrictNumber(base);
    const std::optional<double> sPct = StrictNumber(pct);
    const std::optional<double> sMonto = StrictNumber(monto);
    if (!sBase || !sPct || !sMonto || (*sBase == 0 && *sPct == 0 && *sMonto == 0)) {
      b.falla("Codigo de Retencion " + n + ". Datos incompletos en codigo de retención ");
    } else if (code == "303" && personaJuridica) {
      b.falla("Codigo Retencion " + n + ". Porcentaje de retención " + pct + " de código " + code +
              " no válido para personas juridicas " + f.sIdentificacion);
    }

    if (registro && vt::conv::Upper(vt::conv::Trim(registro->st_ingreso)) == "N" &&
        LeadingNumber(pct) != registro->va_reten) {
      b.falla("Codigo Retencion " + n + ". Porcentaje de retención " + pct + " no valido para código " +
              code + " en " + f.sIdentificacion);
    }

    // The expected amount of this block only: a computation that cannot be made fails the
    // comparison with 0 shown, never with another block's figure.
    std::optional<double> dRetencionCalculada;
    const Condition dividendo = sBase ? Condition(code == "345" && *sBase > 0) : std::nullopt;
    if (k == 1 && held(dividendo)) {
      if (sBase) dRetencionCalculada = impuestoDividendo(*sBase);
      if (!montoConcuerda(dDecRedondeo_, dRetencionCalculada, monto)) {
        b.falla("Codigo Retencion " + n + ". Calculo del valor del dividendo correspondiente a " +
                std::string(f.get(kCIdProveedor)) + " " + std::string(f.get(kCIdComplemento)) +
                " para Base imponible " + base + " x  porcentaje " + pct + " es " +
                vt::conv::VbStr(dRetencionCalculada.value_or(0)) + " no concuerda con monto retenido " +
                monto);
      }
    } else if (held(sBase && sPct ? Condition(*sBase > 0 && *sPct > 0) : std::nullopt)) {
      if (sBase && sPct) dRetencionCalculada = retencionIRCalculada(*sBase, *sPct);
      if (!montoConcuerda(dDecRedondeo_, dRetencionCalculada, monto)) {
        b.falla("Codigo Retencion " + n + ". Base imponible " + base + " x  porcentaje " + pct +
                " no concuerda con monto retenido: " + monto);
      }
    }
  }
}

}  // namespace valtrone
