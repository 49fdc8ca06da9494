// Interface order of the validator class: its nine properties, then its members.

#include "library/frame/cls_validar_informacion.hpp"

namespace valtrone {

using vt::automation::ClassBuilder;
using vt::automation::ClassInfo;
using vt::automation::opt;

ClassInfo CLSValidarInformacion::describe() {
  using C = CLSValidarInformacion;
  const std::vector<vt::automation::ParamSpec> sheet = {"ti_proceso", "co_empresa",   "nu_mes",
                                                        "nu_anio",    "dDecRedondeo", "InfoFile",
                                                        "FileError",  "nFilaProgreso"};
  const std::vector<vt::automation::ParamSpec> record = {"archivo_reten", "berror_record", "ds_errores"};
  return ClassBuilder<C>("Valtrone.CLSValidarInformacion", "_CLSValidarInformacion")
      .clsid("{5A0C4E11-7B2D-4C61-9E0A-1F3B6D2C7A06}")
      .property("co_empresa", &C::co_empresa)
      .property("nu_mes", &C::nu_mes)
      .property("nu_anio", &C::nu_anio)
      .property("iUltDiasMes", &C::iUltDiasMes)
      .property("iPocIVA", &C::iPocIVA)
      .property("db_ConexionObj", &C::db_ConexionObj)
      .property("iValidaBases", &C::iValidaBases)
      .property("iConvertirRUC", &C::iConvertirRUC)
      .property("lFraccionBasica", &C::lFraccionBasica)
      .method("fValidaVacio", static_cast<std::string (C::*)(vt::automation::NullableText&)>(&C::fValidaVacio),
              {"sDato"})
      .method("ATS2013_Ventas_Acumula", &C::ATS2013_Ventas_Acumula,
              {"co_empresa", "nu_mes", "nu_anio", "InfoFile", "FileError", "nFilaProgreso", "iOpciones"})
      .method("ICE2014_Ventas_Acumula", &C::ICE2014_Ventas_Acumula,
              {"co_empresa", "nu_mes", "nu_anio", "InfoFile", "FileError", "nFilaProgreso"})
      .method("ATS2013_Ventas", &C::ATS2013_Ventas,
              {"ti_proceso", "co_empresa", "nu_mes", "nu_anio", "dDecRedondeo", "InfoFile", "FileError",
               "nFilaProgreso", "iOpciones"})
      .method("ICE2014_Importa", &C::ICE2014_Importa, sheet)
      .method("ICE2014_Ventas", &C::ICE2014_Ventas, sheet)
      .method("ATS2013_Exportaciones", &C::ATS2013_Exportaciones, sheet)
      .method("gfUltimoDiaMes", &C::gfUltimoDiaMes, {"sfecha"})
      .method("gsREOCCargaFile", &C::gsREOCCargaFile, {"no_file", "separador", "iverifica", "archivo_matriz"})
      .method("ATS2013_Compras", &C::ATS2013_Compras, sheet)
      .method("ATS2013_Anulados", &C::ATS2013_Anulados,
              {"ti_proceso", "co_empresa", "nu_mes", "nu_anio", "InfoFile", "FileError", "nFilaProgreso"})
      .method("RDEP2013", &C::RDEP2013,
              {"ti_proceso", "co_empresa", "nu_mes", "nu_anio", "chk_ValidaIR", "dDecRedondeo", "InfoFile",
               "FileError", "nFilaProgreso"})
      .method("Valida_Cmpra", &C::Valida_Cmpra, record)
      .method("Valida_ATSCompra", &C::Valida_ATSCompra, record)
      .method("Valida_REOC", &C::Valida_REOC, {"archivo_reten", "berror_found", "ds_errores"})
      .method("Valida_Exportacion", &C::Valida_Exportacion, record)
      .method("Valida_SustTribEnComprob", &C::Valida_SustTribEnComprob, {"sCoComprob", "sCoSustTribu"})
      .method("Valida_FormaPago", &C::Valida_FormaPago, {"sCoFormaPago"})
      .method("ValidaComprob_Tolvex", &C::ValidaComprob_Tolvex, {"sCoComprob", "sCoSustTribu"})
      .method("ValidaComprob_SecTran_Tolvex", &C::ValidaComprob_SecTran_Tolvex, {"sCoComprob", "sCoIDTran"})
      .method("Valida_Importacion", &C::Valida_Importacion, record)
      .method("Valida_Comprob_x_SecTran", &C::Valida_Comprob_x_SecTran,
              {"sCoComprob", "sCoSecTran", opt("iTipoAnexo")})
      .method("Valida_Venta", &C::Valida_Venta, record)
      .method("Valida_ATSVenta", &C::Valida_ATSVenta, record)
      .method("lsEjecutaSelect", &C::lsEjecutaSelect,
              {"campos", "tablas", "condicion", "dbConexion", "rsaux"})
      .method("lsEjecutaInsert", &C::lsEjecutaInsert, {"campos", "tablas", "valores", "dbConexion", "nreg"})
      .method("Valida_Anulacion", &C::Valida_Anulacion, record)
      .build();
}

}  // namespace valtrone
