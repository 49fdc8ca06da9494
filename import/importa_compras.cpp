// gfImportaCompras: the purchases sheet, validated by the library and stored as purchase,
// withholding and reimbursement rows. Consecutive rows of one reimbursement voucher (type 41)
// make one purchase with one reimbursement row each.

#include "import/importa_compras.hpp"

#include <optional>
#include <unordered_map>

#include "import/info_file.hpp"
#include "import/rutinas_hoja.hpp"
#include "platform/automation/variant.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/database/recordset.hpp"
#include "platform/errors/err_object.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/sentencias.hpp"
#include "shell/core/valores.hpp"

namespace ambrix {

namespace {

using vt::conv::FormatNumberText;
using vt::conv::LeadingNumber;

constexpr const char* kTablaCompras = "tbAT_Cmprs";
constexpr const char* kTablaRetenciones = "tbAT_Cmprs_IR";
constexpr const char* kTablaReembolsos = "tbAT_Cmprs_RE";

const vt::conv::ClaveReembolso kClaveInicial{"0", 0, "0", 0, "0"};

// One store call: the open reimbursement voucher, the link to the last stored purchase, and the
// catalogue codes already looked up (the catalogue does not change during a call).
class AlmacenCompras {
 public:
  bool operator()(AlmacenPeriodo& almacen, long fila);

 private:
  std::string codigo(const std::string& sGrupo, const std::string& sValor);
  CodigosCompra codigos(const vt::automation::StringMatrix& h, long fila);
  void vinculo();
  void retenciones(AlmacenPeriodo& almacen, long fila);
  void reembolso(AlmacenPeriodo& almacen, long fila);

  vt::conv::ClaveReembolso clave_ = kClaveInicial;
  long lineas_ = 0;
  bool continuacion_ = false;
  bool compraGuardada_ = false;
  std::optional<double> NuComprob_;  // none when the link could not be read
  std::string errorVinculo_;
  std::unordered_map<std::string, std::string> codigos_;
  // The vouchers already stored from this sheet, with the sheet row that stored each.
  std::unordered_map<std::string, long> comprobantes_;
};

// ft_Format of a code of tbCodigoGeneral with the mask "00"; "" when the catalogue has no such
// code or the lookup fails (the lookup shows its own message then).
std::string AlmacenCompras::codigo(const std::string& sGrupo, const std::string& sValor) {
  const std::string clave = sGrupo + '\x1f' + sValor;
  if (const auto hallado = codigos_.find(clave); hallado != codigos_.end()) return hallado->second;
  vt::db::Recordset rs;
  gsAbreConsulta("*", "tbCodigoGeneral",
                 "Where co_grupo = '" + sGrupo + "' and co_valor = " + vt::db::quoteSql(sValor), rs);
  // A lookup the engine could not run ends the store; one that found nothing leaves the code empty.
  if (rs.state() != vt::db::State::Open) exigeMotorSano();
  std::string valor;
  if (rs.state() == vt::db::State::Open && !rs.eof())
    valor = FormatNumberText(textOf(rs.field("ft_Format")), "00");
  codigos_.emplace(clave, valor);
  return valor;
}

CodigosCompra AlmacenCompras::codigos(const vt::automation::StringMatrix& h, long fila) {
  CodigosCompra c;
  if (h.get(fila, 5) == "03") {
    const std::string tipo = codigo("PER", std::string(h.get(fila, 8)));
    if (!tipo.empty()) c.sTipoProveedor = tipo;
  }
  // Each payment form is looked up as the validator checked it.
  const std::string_view formas = h.get(fila, 32);
  if (!formas.empty()) {
    std::size_t inicio = 0;
    while (true) {
      const std::size_t guion = formas.find('-', inicio);
      const std::string_view parte =
          formas.substr(inicio, guion == std::string_view::npos ? std::string_view::npos : guion - inicio);
      const std::string hallado = codigo("FPG", FormatNumberText(parte, "0"));
      if (!hallado.empty()) c.sFormasPago += (c.sFormasPago.empty() ? "" : "-") + hallado;
      if (guion == std::string_view::npos) break;
      inicio = guion + 1;
    }
  }
  return c;
}

// The key of the purchase row just inserted, read on the same connection before any other
// statement; a link that cannot be read is never replaced by an older one.
void AlmacenCompras::vinculo() {
  NuComprob_.reset();
  errorVinculo_ = "No se pudo leer el registro de la compra";
  try {
    const vt::db::Value clave = gConexion->lastInsertKey(consultaIdentidad(motorActual()));
    if (!clave.isNull()) NuComprob_ = numberOf(clave);
  } catch (...) {
    vt::Err().captureCurrentException(gsTitulo);
    errorVinculo_ = vt::Err().Description;
    exigeMotorSano();
  }
}

void AlmacenCompras::retenciones(AlmacenPeriodo& almacen, long fila) {
  for (int bloque : bloquesRetencion(*gaInfoCompras, fila)) {
    std::string sError;
    if (!almacen.inserta(filaRetencion(almacen.contexto(), *gaInfoCompras, fila, bloque), kTablaRetenciones,
                         sError))
      almacen.rechaza("COMPRAS - Registro: " + std::to_string(fila + 1) + " en tbAT_Cmprs_IR " + sError +
                      "\r\n\r\n");
  }
}

void AlmacenCompras::reembolso(AlmacenPeriodo& almacen, long fila) {
  vt::automation::StringMatrix& h = *gaInfoCompras;
  convierteTiposId(h, fila);
  // A voucher whose purchase was refused stores none of its rows: its purchase's line stands for it.
  if (LeadingNumber(h.get(fila, 11)) != 41 || !compraGuardada_) return;
  std::string sError = errorVinculo_;
  if (!NuComprob_ ||
      !almacen.inserta(filaReembolso(almacen.contexto(), h, fila, *NuComprob_), kTablaReembolsos, sError))
    almacen.rechaza("COMPRAS - Registro: " + std::to_string(fila + 1) + " en tbAT_Cmprs_RE " + sError +
                    "\r\n\r\n");
}

bool AlmacenCompras::operator()(AlmacenPeriodo& almacen, long fila) {
  vt::automation::StringMatrix& h = *gaInfoCompras;
  if (LeadingNumber(h.get(fila, 11)) == 41) {
    const vt::conv::ClaveReembolso clave = vt::conv::ClaveReembolsoFila(
        h.get(fila, 10), h.get(fila, 11), h.get(fila, 12), h.get(fila, 13), h.get(fila, 14));
    if (clave == clave_) {
      ++lineas_;
      continuacion_ = true;
    } else {
      clave_ = clave;
      lineas_ = 1;
    }
  } else {
    clave_ = kClaveInicial;
    lineas_ = 0;
    continuacion_ = false;
  }

  if (!(continuacion_ && lineas_ > 1)) {
    convierteTiposId(h, fila);
    fechaRetencionVacia(h, fila);
    // The annex ties withholdings to a purchase by its voucher: a voucher typed twice would give
    // each copy the withholdings of both. The second copy is a refused row; a reimbursement group
    // is one voucher, and its later rows never come here.
    const std::string clave = claveComprobante(h, fila);
    if (const auto previo = comprobantes_.find(clave); previo != comprobantes_.end()) {
      compraGuardada_ = false;
      almacen.rechaza("COMPRAS - Registro: " + std::to_string(fila + 1) +
                      ".  en tbAT_Cmprs Comprobante duplicado en la hoja: " + describeComprobante(h, fila) +
                      " (ya almacenado en el registro " + std::to_string(previo->second + 1) + ")\r\n\r\n");
      reembolso(almacen, fila);
      return true;
    }
    const ListaInsercion l = filaCompra(almacen.contexto(), h, fila, codigos(h, fila));
    std::string sError;
    compraGuardada_ = almacen.inserta(l, kTablaCompras, sError);
    if (compraGuardada_) {
      comprobantes_.emplace(clave, fila);
      vinculo();
      retenciones(almacen, fila);
    } else {
      almacen.rechaza("COMPRAS - Registro: " + std::to_string(fila + 1) + ".  en tbAT_Cmprs " + sError +
                      "\r\n " + l.campos() + " tbAT_Cmprs " + l.valores() + "\r\n\r\n");
    }
  }
  reembolso(almacen, fila);
  return true;
}

std::string validaCompras(std::int16_t ti_proceso, std::string& co_empresa, std::string& nu_mes,
                          std::string& nu_anio, double& dDecRedondeo, std::int32_t& nFila) {
  using vt::automation::Variant;
  vt::automation::Object& validador = validadorConConexion();
  Variant vEmpresa(co_empresa), vMes(nu_mes), vAnio(nu_anio), vTolerancia(dDecRedondeo);
  Variant vHoja(gaInfoCompras), vLog(gsRutaLog), vFila(nFila);
  const Variant respuesta = validador.call("ATS2013_Compras", Variant(ti_proceso), vEmpresa, vMes, vAnio,
                                           vTolerancia, vHoja, vLog, vFila);
  nFila = vFila.toI4();
  return respuesta.toString();
}

}  // namespace

std::string gfImportaCompras(IVentanaATS& frm, std::int16_t& ti_proceso, std::string& co_empresa,
                             std::string& nu_mes, std::string& nu_anio, std::int16_t&, double& dDecRedondeo,
                             std::int16_t&, IBarraProgreso& prgprogreso) {
  if (ti_proceso == 1)
    return gfValidaHoja(frm, prgprogreso, [&](std::int32_t& nFila) {
      return validaCompras(ti_proceso, co_empresa, nu_mes, nu_anio, dDecRedondeo, nFila);
    });
  if (ti_proceso != 2) return "";
  const DescripcionAlmacen d{"COMPRAS", {"tbAT_Cmprs A", "tbAT_Cmprs_IR A", "tbAT_Cmprs_RE A"}, true};
  AlmacenCompras almacen;
  return gfAlmacenaPeriodo(frm, prgprogreso, co_empresa, nu_mes, nu_anio, d, gaInfoCompras,
                           [&almacen](AlmacenPeriodo& a, long fila) { return almacen(a, fila); });
}

}  // namespace ambrix
