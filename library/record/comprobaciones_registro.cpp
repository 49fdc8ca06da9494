// The checks several record validators share.

#include "library/record/validador_registro.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

void ValidadorRegistro::serie(const Campo& s, const MensajesSerie& m, SerieCero cero) {
  fallaSi(sobre(s, noNumerico), m.noNumerica, s);
  cerosDeSerie(s, m, cero);
}

void ValidadorRegistro::cerosDeSerie(const Campo& s, const MensajesSerie& m, SerieCero cero) {
  if (fallaSi(sobre(s, esCero), m.cero, s) && cero == SerieCero::TerminaSerie) return;
  const Campo establecimiento = s ? Campo(vt::conv::Left(*s, 3)) : std::nullopt;
  if (!fallaSi(sobre(establecimiento, esCero), m.establecimiento, establecimiento)) {
    const Campo punto = vt::conv::Right(*s, 3);
    fallaSi(sobre(punto, esCero), m.punto, punto);
  }
}

void ValidadorRegistro::secuencia(const Campo& s, const MensajesSecuencia& m) {
  if (!fallaSi(sobre(s, noNumerico), m.noNumerica, s)) fallaSi(sobre(s, esCero), m.cero, s);
}

void ValidadorRegistro::limitado(const Campo& s, const MensajesLimitado& m) {
  if (fallaSi(sobre(s, noNumerico), m.noNumerico, s) || fallaSi(sobre(s, esCero), m.cero, s)) return;
  fallaSi(Condition(vt::conv::Len(vt::conv::Trim(*s)) > m.maximo), m.largo, s);
}

void ValidadorRegistro::comprobante(CLSValidarInformacion& objeto, const Campo& c,
                                    const std::string& transacciones, const std::string& anexo,
                                    std::string_view mensajeTransaccion) {
  if (fallaSi(sobre(c, esCero), "Código de comprobante no válido ", c)) return;
  if (fallaSi(noRegistrado("tbcttgComprob", "co_comprob", *c), "Código de comprobante no válido: ", c))
    return;
  fallaSi(noValeParaTransaccion(objeto, *c, transacciones, anexo), mensajeTransaccion, c);
}

void ValidadorRegistro::sustento(CLSValidarInformacion& objeto, const Campo& comprobante, const Campo& s) {
  if (fallaSi(sobre(s, esCero), "Código de credito tributario no válido en compras ", s)) return;
  if (fallaSi(noRegistrado("tbcttgSusTributario", "co_susten", *s),
              "Código de credito tributario no válido: ", s))
    return;
  const Condition noVale = comprobante ? noValeParaSustento(objeto, *comprobante, *s) : std::nullopt;
  fallaSi(noVale, "Codigo de sustento tributario: ",
          une({s, std::string(" no válido para comprobante: "), comprobante}));
}

void ValidadorRegistro::referendo(long k, std::optional<double> anioObjeto, std::string_view anioPosterior) {
  using vt::conv::LeadingNumber;
  const Campo distrito = campo(k);
  if (!fallaSi(sobre(distrito, esCero), "Referendo. Distrito aduanero no válido ", distrito)) {
    fallaSi(noRegistrado("tbcttgDiAduanero", "co_distri", vt::conv::FormatNumberText(*distrito, "000")),
            "Referendo. Código de distrito aduanero no registrado: ", distrito);
  }
  const Campo anio = campo(k + 1);
  fallaSi(anioObjeto ? sobre(anio, [&](const std::string& s) { return *anioObjeto < LeadingNumber(s); })
                     : std::nullopt,
          anioPosterior, anio);
  const Campo regimen = campo(k + 2);
  if (!fallaSi(sobre(regimen, esCero), "Referendo. Regimen no válido ", regimen)) {
    fallaSi(noRegistrado("tbcttgCoRegimen", "co_regimen", vt::conv::FormatNumberText(*regimen, "00")),
            "Referendo. Código de regimen no registrado: ", regimen);
  }
  const Campo correlativo = campo(k + 3);
  if (!fallaSi(sobre(correlativo, noNumerico), "Referendo. Numero correlativo no válido : ", correlativo)) {
    fallaSi(Condition(LeadingNumber(*correlativo) <= 0),
            "Referendo. Numero correlativo debe ser mayor a cero: ", correlativo);
  }
  const Campo digito = campo(k + 4);
  if (!fallaSi(sobre(digito, noNumerico), "Referendo. Digito verificador no válido : ", digito))
    fallaSi(Condition(LeadingNumber(*digito) < 0), "Referendo. Digito verificador no válido : ", digito);
}

void ValidadorRegistro::porcentaje(const Campo& p, const CatalogoPorcentaje& catalogo,
                                   std::string_view noNumerico, std::string_view noRegistrado) {
  if (!fallaSi(sobre(p, valtrone::noNumerico), noNumerico, p))
    fallaSi(porcentajeNoRegistrado(catalogo, *p), noRegistrado, p);
}

void ValidadorRegistro::sumaBases(const Campo& cero, const Campo& gravada) {
  const std::optional<double> a = numeroDe(cero);
  const std::optional<double> b = numeroDe(gravada);
  const std::optional<double> suma = a && b ? std::optional<double>(*a + *b) : std::nullopt;
  fallaSi(suma ? Condition(*suma <= 0) : std::nullopt,
          "Suma de (Base 0% + Base Gravada)  debe ser mayor a cero: ",
          suma ? Campo(vt::conv::VbStr(*suma)) : std::nullopt);
}

void ValidadorRegistro::montoIVA(const Campo& gravada, const Campo& monto) {
  if (fallaSi(sobre(monto, noNumerico), "Monto de IVA no válido: ", monto)) return;
  const std::optional<double> base = numeroDe(gravada);
  fallaSi(Condition((!base || *base > 0) && *numeroDe(monto) <= 0), "Monto de IVA debe ser mayor a cero ",
          monto);
}

void ValidadorRegistro::ivaCalculado(double& calculado, const Campo& gravada, const Campo& porcentaje,
                                     const Campo& monto) {
  calculado = 0;
  const std::optional<double> base = numeroDe(gravada);
  const std::optional<double> tasa = numeroDe(porcentaje);
  const std::optional<double> iva = numeroDe(monto);
  if (base && tasa && iva && !(*base > 0 && *tasa > 0 && *iva > 0)) return;
  if (base && porcentaje) calculado = *base * vt::conv::LeadingNumber(*porcentaje) / 100;
  calculado = vt::conv::NumberByMask(calculado, "########0.00");
  fallaSi(iva ? Condition(vt::conv::NumberByMask(*iva, "########0.00") != calculado) : std::nullopt,
          "Base Imponible  x  % IVA no concuerda con Monto de IVA ", monto);
}

bool ValidadorRegistro::retencionIRSinCodigo(long k, const MensajesIR& m) {
  if (!held(sobre(campo(k), esCero))) return false;
  if (!m.sinCodigo || held(sobre(campo(k + 1), esCero))) {
    for (long j = k + 1; j <= k + 3; ++j) escribe(j, "0");
  } else {
    falla(m.sinCodigo);
  }
  return true;
}

LecturaIR ValidadorRegistro::numerosIR(long k, const MensajesIR& m) {
  LecturaIR l{campo(k + 1), campo(k + 2), campo(k + 3), {}, {}, {}};
  fallaSi(sobre(l.base, noNumerico), m.base, l.base);
  fallaSi(sobre(l.porcentaje, noNumerico), m.porcentaje, l.porcentaje);
  fallaSi(sobre(l.monto, noNumerico), m.monto, l.monto);
  l.nBase = numeroDe(l.base);
  l.nPorcentaje = numeroDe(l.porcentaje);
  l.nMonto = numeroDe(l.monto);
  return l;
}

void ValidadorRegistro::retencionIVA(long k, const MensajesRetencionIVA& m) {
  const Campo iva = campo(k);
  const Campo tasa = campo(k + 1);
  const Campo retenido = campo(k + 2);
  fallaSi(sobre(iva, noNumerico), m.iva, iva);
  porcentaje(tasa, *m.catalogo, m.porcentaje, m.noRegistrado);
  fallaSi(sobre(retenido, noNumerico), m.retenido, retenido);
  // Only that both are zero or both are not: the amount is not computed from the percent.
  const std::optional<double> monto = numeroDe(retenido);
  const Condition noCoinciden =
      tasa && monto ? Condition((esCero(*tasa) && *monto != 0) || (!esCero(*tasa) && *monto == 0))
                    : std::nullopt;
  fallaSi(noCoinciden, m.noCoinciden, une({iva, std::string(" - "), tasa, std::string(" - "), retenido}));
}

void ValidadorRegistro::ice(long k, double& calculado, const MensajesICE& m) {
  const Campo base = campo(k);
  const Campo tasa = campo(k + 1);
  const Campo monto = campo(k + 2);
  fallaSi(sobre(base, noNumerico), "Base de ICE no válido: ", base);
  porcentaje(tasa, kPoICE, m.porcentaje, "Porcentaje de ICE no registrado: ");
  fallaSi(sobre(monto, noNumerico), "Monto de ICE no válido: ", monto);

  const std::optional<double> nBase = numeroDe(base);
  const std::optional<double> nTasa = numeroDe(tasa);
  const std::optional<double> nMonto = numeroDe(monto);
  // A reading that fails lets the comparison run, against what the working amount then holds.
  if (!(nBase && nTasa && nMonto) || (*nBase > 0 && *nTasa > 0 && *nMonto > 0)) {
    if (nBase && nTasa) calculado = vt::conv::NumberByMask(*nBase, "########0.00") * (*nTasa / 100);
    fallaSi(nMonto ? Condition(vt::conv::NumberByMask(*nMonto, "########0.00") !=
                               vt::conv::NumberByMask(calculado, "########0.00"))
                   : std::nullopt,
            "Base ICE x  % ICE no concuerda con Monto retenido ICE: ", monto);
  }

  if (!nBase && m.baseIlegibleFalla) {
    falla(m.noCoinciden, une({base, std::string(" - "), tasa, std::string(" - "), monto}));
  } else if (!nBase || *nBase > 0) {
    const Condition sinRetencion = nTasa && nMonto ? Condition(*nTasa == 0 || *nMonto <= 0) : std::nullopt;
    fallaSi(sinRetencion, m.noCoinciden, une({base, std::string(" - "), tasa, std::string(" - "), monto}));
  }
}

}  // namespace valtrone
