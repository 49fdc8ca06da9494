#include "xml/genera_xml.hpp"

#include <optional>
#include <string>

#include "platform/conversions/conversions.hpp"
#include "platform/database/sql_text.hpp"
#include "platform/errors/err_object.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/muestra_error.hpp"
#include "platform/errors/runtime_errors.hpp"
#include "platform/profile/text_file.hpp"
#include "shell/core/avisos.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/sentencias.hpp"
#include "xml/documento_ats.hpp"
#include "xml/esquema.hpp"
#include "xml/lectura.hpp"
#include "xml/seccion.hpp"

namespace ambrix {

namespace {

using vt::conv::FormatNumberText;
using vt::conv::LeadingNumber;
using vt::db::quoteSql;

constexpr const char* kSinEmpresa = "No se encuentra informacion de empresa (contribuyente) ";

// The information boxes of the parameter checks; the run goes on with the rewritten values.
void checkParameters(const ParamGeneraXML& p) {
  if (LeadingNumber(p.sMes) == 0) showBox("Parámetro MES no válido ", vt::Icono::Informacion);
  if (LeadingNumber(p.sAnio) == 0) showBox("Parámetro AÑO no válido ", vt::Icono::Informacion);
  if (LeadingNumber(p.sRuc) == 0) showBox("Parámetro RUC EMPRESA no válido ", vt::Icono::Informacion);
}

// The condition on company, month and year of the header's sales queries.
std::string periodoVentas(const xml::ContextoSeccion& ctx) {
  return "Where co_empresa = " + quoteSql(ctx.sRuc) + " " + "and co_mes=" + quoteSql(ctx.sMes) + " " +
         "and co_anio=" + quoteSql(ctx.sAnio) + " ";
}

// Establishments with sales rows of any voucher type; none counts as one.
std::string numEstabRuc(const xml::ContextoSeccion& ctx) {
  vt::db::Recordset rs;
  gsAbreConsulta("co_estable", "tbAT_Ventas", periodoVentas(ctx) + "GROUP BY co_empresa, co_estable", rs);
  const long lEstablecimientos = rs.recordCount();
  return vt::conv::FormatNumber(static_cast<double>(lEstablecimientos == 0 ? 1 : lEstablecimientos), "000");
}

// The sales bases as stored (credit notes lower them), without voucher type 41.
std::string totalVentas(const xml::ContextoSeccion& ctx) {
  vt::db::Recordset rs;
  gsAbreConsulta("co_empresa, (sum(mo_base_NoIVA) + sum(mo_base_0) + sum(mo_base) ) as TotVentas",
                 "tbAT_Ventas", periodoVentas(ctx) + "and co_comprob<>'41' " + "GROUP BY co_empresa", rs);
  double dTotal = 0;
  if (!rs.eof()) dTotal = xml::numeroRequerido(rs.field("TotVentas"));
  return xml::importe(dTotal);
}

void header(const xml::ContextoSeccion& ctx, vt::db::Recordset& empresa, bool bVentas) {
  ctx.frm.XPStatusBar_Panel1("Procesando información: AGENTE DE RETENCION...");
  ctx.prg.Min(0);
  ctx.prg.Max(empresa.recordCount());
  ctx.prg.Value(0);
  ctx.frm.DoEvents();
  xml::EscritorXml& iva = ctx.iva;
  for (; !empresa.eof(); empresa.moveNext()) {
    iva.elemento("TipoIDInformante", "R");
    iva.elemento("IdInformante", xml::textoRequerido(empresa.field("nu_ruc")));
    iva.elemento("razonSocial", xml::textoRequerido(empresa.field("ds_nombre")));
    iva.elemento("Anio", vt::conv::Trim(ctx.sAnio));
    iva.elemento("Mes", vt::conv::Trim(ctx.sMes));
    if (bVentas) {
      iva.elemento("numEstabRuc", numEstabRuc(ctx));
      iva.elemento("totalVentas", totalVentas(ctx));
    }
    iva.elemento("codigoOperativo", "IVA");
    xml::avanza(ctx);
  }
  empresa.close();
  ctx.prg.Value(ctx.prg.Max());
}

// sCausa: why the file could not be written once it was open ("disco lleno", ...), shown as the
// stores show theirs; a path that takes no file at all is named alone, as it always was.
[[noreturn]] void raisePathAccess(const std::string& sRuta, const std::string& sCausa = "") {
  vt::Err().Raise(vt::kErrPathAccess, gsTitulo,
                  std::string(vt::runtimeErrorDescription(vt::kErrPathAccess)) + ": " + sRuta +
                      (sCausa.empty() ? "" : " (" + sCausa + ")"));
}

// The document, header and sections, written as it is read into a temporary file in the
// target's folder that replaces the target at the end: a failure leaves no half file and an
// earlier file untouched.
// The bytes are checked against the authority's schema as they go (revision gets the verdict once
// the file is saved).
void writeFile(ParamGeneraXML& p, vt::db::Recordset& empresa, std::optional<xml::RevisionEsquema>& revision) {
  const std::string sRuta = xmlFilePath(*p.frm);
  std::optional<xml::RevisionEnCurso> revisor;
  std::string sCausa;
  const auto escribe = [&](const vt::ChunkSink& sink) {
    xml::DocumentoATS documento([&sink, &sRuta, &sCausa, &revisor](std::string_view pieza) {
      if (!sink(pieza)) raisePathAccess(sRuta, sCausa);
      if (revisor) revisor->agrega(pieza);
    });
    const xml::ContextoSeccion ctx{documento.iva(), p.sRuc, p.sMes, p.sAnio, *p.frm, *p.prgprogreso};
    header(ctx, empresa, xml::seccionElegida(p.aSecciones[1]));
    // The document holds exports before cancelled documents, whose choices stand the other way round.
    if (xml::seccionElegida(p.aSecciones[0])) xml::seccionCompras(ctx);
    if (xml::seccionElegida(p.aSecciones[1])) xml::seccionVentas(ctx);
    if (xml::seccionElegida(p.aSecciones[3])) xml::seccionExportaciones(ctx);
    if (xml::seccionElegida(p.aSecciones[2])) xml::seccionAnulados(ctx);
    documento.termina();
    return true;
  };
  bool bLeido = false;
  const bool bEscrito = vt::replaceFile(
      sRuta,
      [&](const vt::ChunkSink& sink) {
        bLeido = true;
        revisor.emplace(xml::rutaEsquemaATS());
        return escribe(sink);
      },
      &sCausa);
  // A folder that takes no file is found when the file is saved, after the sections were read,
  // as the user has always seen it: the sections are read into nothing, then the save fails.
  if (!bEscrito && !bLeido) escribe([](std::string_view) { return true; });
  if (!bEscrito) raisePathAccess(sRuta, bLeido ? sCausa : "");
  revision = revisor->termina();
}

// The run; false when the company is unknown. Errors raise.
bool write(ParamGeneraXML& p, std::optional<xml::RevisionEsquema>& revision) {
  IVentanaATS& frm = *p.frm;
  p.sMes = FormatNumberText(p.sMes, "00");
  p.sAnio = FormatNumberText(p.sAnio, "0000");
  p.sRuc = FormatNumberText(p.sRuc, "0000000000000");
  checkParameters(p);
  frm.PunteroEspera(true);

  vt::db::Recordset empresa;
  empresa.open("Select * From tbempresas where nu_ruc = " + quoteSql(p.sRuc), gConexion);
  if (empresa.eof()) {
    showBox(kSinEmpresa, vt::Icono::Informacion);
    return false;
  }
  writeFile(p, empresa, revision);
  return true;
}

// One read transaction around the whole run, so that the document is one picture of the tables
// even while another run replaces the period; ended by rollback on every path, as it changes
// nothing.
// Without an open connection there is none, and the first query says so.
class LecturaUnica {
 public:
  explicit LecturaUnica(std::shared_ptr<vt::db::Connection> conexion) : conexion_(std::move(conexion)) {
    if (!conexion_ || conexion_->state() != vt::db::State::Open)
      conexion_.reset();
    else
      conexion_->beginReadTrans();
  }
  ~LecturaUnica() {
    try {
      if (conexion_ && conexion_->state() == vt::db::State::Open && conexion_->inTransaction())
        conexion_->rollbackTrans();
    } catch (...) {
      // The engine ends a read transaction with the connection anyway.
    }
  }
  LecturaUnica(const LecturaUnica&) = delete;
  LecturaUnica& operator=(const LecturaUnica&) = delete;

 private:
  std::shared_ptr<vt::db::Connection> conexion_;
};

// The saved file against the authority's schema. When it does not pass, the file stays as
// written and the faults of its first faulty elements are shown, each where the user finds it in
// the sheets; a schema that could not be read shows why. No success may be claimed for it.
bool checkSchema(const IVentanaATS& frm, const xml::RevisionEsquema& r) {
  if (r.bCumple) return true;
  const std::string sEsquema = xml::rutaEsquemaATS();
  std::string sTexto = "Archivo " + frm.txtFileATS_XML() + " generado, pero " +
                       (r.bEsquemaLeido ? std::string("no cumple el esquema del SRI:")
                                        : "no se pudo leer el esquema del SRI (" + sEsquema + "):");
  for (const std::string& sFallo : r.asFallos) sTexto += "\r\n" + sFallo;
  showBox(sTexto, vt::Icono::Exclamacion);
  return false;
}

}  // namespace

bool GeneradorXML::GeneraXML_ATS(ParamGeneraXML& param) {
  try {
    std::optional<xml::RevisionEsquema> revision;
    {
      const LecturaUnica lectura(gConexion);
      if (!write(param, revision)) return false;
    }
    const bool bCumple = checkSchema(*param.frm, *revision);
    param.frm->PunteroEspera(false);
    return bCumple;
  } catch (...) {
    // One box with the error's own description and no title of the writer's own; the pointer,
    // the status and the bar stay as they were for the caller to reset.
    vt::ErrObject& err = vt::Err();
    err.captureCurrentException(gsTitulo);
    const std::string sDescripcion = err.Description;
    err.Clear();
    vt::currentMessages().mostrar(sDescripcion, vt::Botones::Aceptar, vt::Icono::Ninguno, gsTituloApp);
    return false;
  }
}

}  // namespace ambrix
