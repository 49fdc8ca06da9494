#pragma once
// What the two classes of authorised document ranges share: the supplier's (tbProveeCmprAutoriza)
// and the company's (tbEmprCmprAutoriza) have one property layout, one module record and, but for
// the owner's column and a few messages, the same statements.

#include <string>
#include <string_view>

#include "library/frame/db_objects.hpp"
#include "library/frame/maestros.hpp"
#include "library/frame/modulo.hpp"
#include "library/frame/thread_context.hpp"

namespace valtrone {

// pCopiaDatosDctos and pCopiaDatosDctosEmpresa: the fourteen properties to or from
// ctx().tpDctosAutorizados, in order; `owner` is sco_provee or sco_empresa.
template <typename Rango>
void copiaRango(Rango& o, std::string& owner, const std::string& mode) {
  TpDctosAutorizados& r = ctx().tpDctosAutorizados;
  const CopiaRegistro copia(mode);
  copia(owner, r.sco_provee);
  copia(o.sco_Estable, r.sco_Estable);
  copia(o.sco_CmpteVta, r.sco_CmpteVta);
  copia(o.snu_Serie, r.snu_Serie);
  copia(o.lnu_SecuIni, r.lnu_SecuIni);
  copia(o.lnu_SecuFin, r.lnu_SecuFin);
  copia(o.snu_Autoriza, r.snu_Autoriza);
  copia(o.ffe_Validez, r.ffe_Validez);
  copia(o.sco_Impta, r.sco_Impta);
  copia(o.sco_usuario, r.sco_usuario);
  copia(o.ffe_regis, r.ffe_regis);
  copia(o.sco_modi, r.sco_modi);
  copia(o.ffe_modi, r.ffe_modi);
  copia(o.sds_wrkst, r.sds_wrkst);
}

// The table of one class and the words its messages use.
struct TablaRangos {
  const char* tabla;
  const char* columnaDueno;           // co_provee or co_empresa
  const char* duenoNoValido;          // the blank owner of a delete
  const char* consultaDuenoNoValido;  // the blank owner of a query
  const char* consultaVacia;          // a query that found nothing
};
extern const TablaRangos kRangosProveedor;
extern const TablaRangos kRangosEmpresa;

// A query by owner with the optional establishment, serie, type and condition of the caller;
// the text is emptied first. No object when the owner is blank or the type is unknown.
RecordsetRef consultaRangos(const TablaRangos& t, const std::string& sEmpresa, const std::string& sEstableci,
                            const std::string& sSerie, const std::string& sCmprVnta,
                            const std::string& sQuery, std::string& sMsgsError);
// A delete by owner and the optional parts given; appends its refusals to the caller's text and
// deletes only when the whole text is blank.
int32_t eliminaRangos(const TablaRangos& t, const std::string& sEmpresa, const std::string& sEstableci,
                      const std::string& sNuSerie, const std::string& sCmprVnta, std::string& sMsgsError);
// The update of the range in ctx().tpDctosAutorizados: `sds_wrkst` defaulted to the station,
// the connection opened, the server's time read; the connection stays open.
int32_t actualizaRango(const TablaRangos& t, std::string& sds_wrkst, std::string& sMsgsError);
// The four-part key of the range in ctx().tpDctosAutorizados is stored already.
bool rangoDuplicado(const TablaRangos& t);

}  // namespace valtrone
