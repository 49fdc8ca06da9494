#pragma once
// The validator class: the sheet validators, the single-record validators and the checks they
// share. One class whose members are built in several folders (frame, batch, record).

#include <cstdint>
#include <string>

#include "library/frame/db_objects.hpp"
#include "platform/automation/object.hpp"

namespace valtrone {

class CLSValidarInformacion : public vt::automation::Dispatchable<CLSValidarInformacion> {
 public:
  using Sheet = vt::automation::StringMatrixRef;
  using Record = vt::automation::StringArrayRef;
  using Options = vt::automation::IntegerArrayRef;

  static vt::automation::ClassInfo describe();

  std::string co_empresa;
  int16_t nu_mes = 0;
  std::string nu_anio;
  std::string iUltDiasMes;
  int16_t iPocIVA = 0;
  vt::automation::ObjectRef db_ConexionObj;  // the host's own connection, Nothing until set
  int16_t iValidaBases = 0;
  int16_t iConvertirRUC = 0;
  double lFraccionBasica = 0;

  std::string fValidaVacio(std::string& sDato);
  // The same for by-name callers, who may hand a database field: Null or Empty gives "0".
  std::string fValidaVacio(vt::automation::NullableText& sDato);
  std::string ATS2013_Ventas_Acumula(std::string& co_empresa, std::string& nu_mes, std::string& nu_anio,
                                     Sheet& InfoFile, std::string& FileError, int32_t& nFilaProgreso,
                                     Options& iOpciones);
  std::string ICE2014_Ventas_Acumula(std::string& co_empresa, std::string& nu_mes, std::string& nu_anio,
                                     Sheet& InfoFile, std::string& FileError, int32_t& nFilaProgreso);
  std::string ATS2013_Ventas(int16_t ti_proceso, std::string& co_empresa, std::string& nu_mes,
                             std::string& nu_anio, double& dDecRedondeo, Sheet& InfoFile,
                             std::string& FileError, int32_t& nFilaProgreso, Options& iOpciones);
  std::string ICE2014_Importa(int16_t ti_proceso, std::string& co_empresa, std::string& nu_mes,
                              std::string& nu_anio, double& dDecRedondeo, Sheet& InfoFile,
                              std::string& FileError, int32_t& nFilaProgreso);
  std::string ICE2014_Ventas(int16_t ti_proceso, std::string& co_empresa, std::string& nu_mes,
                             std::string& nu_anio, double& dDecRedondeo, Sheet& InfoFile,
                             std::string& FileError, int32_t& nFilaProgreso);
  std::string ATS2013_Exportaciones(int16_t ti_proceso, std::string& co_empresa, std::string& nu_mes,
                                    std::string& nu_anio, double& dDecRedondeo, Sheet& InfoFile,
                                    std::string& FileError, int32_t& nFilaProgreso);
  int16_t gfUltimoDiaMes(std::string& sfecha);
  std::string gsREOCCargaFile(std::string& no_file, std::string& separador, int16_t& iverifica,
                              Record& archivo_matriz);
  std::string ATS2013_Compras(int16_t ti_proceso, std::string& co_empresa, std::string& nu_mes,
                              std::string& nu_anio, double& dDecRedondeo, Sheet& InfoFile,
                              std::string& FileError, int32_t& nFilaProgreso);
  std::string ATS2013_Anulados(int16_t& ti_proceso, std::string& co_empresa, std::string& nu_mes,
                               std::string& nu_anio, Sheet& InfoFile, std::string& FileError,
                               int32_t& nFilaProgreso);
  std::string RDEP2013(int16_t ti_proceso, std::string& co_empresa, std::string& nu_mes, std::string& nu_anio,
                       int16_t& chk_ValidaIR, double& dDecRedondeo, Sheet& InfoFile, std::string& FileError,
                       int32_t& nFilaProgreso);
  std::string Valida_Cmpra(Record& archivo_reten, bool& berror_record, std::string& ds_errores);
  std::string Valida_ATSCompra(Record& archivo_reten, bool& berror_record, std::string& ds_errores);
  std::string Valida_REOC(Record& archivo_reten, bool& berror_found, std::string& ds_errores);
  std::string Valida_Exportacion(Record& archivo_reten, bool& berror_record, std::string& ds_errores);
  bool Valida_SustTribEnComprob(std::string& sCoComprob, std::string& sCoSustTribu);
  bool Valida_FormaPago(vt::automation::Variant& sCoFormaPago);
  bool ValidaComprob_Tolvex(std::string& sCoComprob, std::string& sCoSustTribu);
  bool ValidaComprob_SecTran_Tolvex(std::string& sCoComprob, std::string& sCoIDTran);
  std::string Valida_Importacion(Record& archivo_reten, bool& berror_record, std::string& ds_errores);
  // iTipoAnexo may be left out (empty).
  bool Valida_Comprob_x_SecTran(std::string& sCoComprob, std::string& sCoSecTran, std::string& iTipoAnexo);
  std::string Valida_Venta(Record& archivo_reten, bool& berror_record, std::string& ds_errores);
  std::string Valida_ATSVenta(Record& archivo_reten, bool& berror_record, std::string& ds_errores);
  // Runs on the thread's connection whatever dbConexion is; rsaux receives a new recordset,
  // closed when the select failed.
  void lsEjecutaSelect(std::string campos, std::string tablas, std::string condicion,
                       ConnectionRef& dbConexion, vt::automation::Variant& rsaux);
  // The one statement run on the caller's connection; a failure raises.
  void lsEjecutaInsert(std::string campos, std::string tablas, std::string valores, ConnectionRef& dbConexion,
                       int32_t& nreg);
  std::string Valida_Anulacion(Record& archivo_reten, bool& berror_record, std::string& ds_errores);
};

}  // namespace valtrone
