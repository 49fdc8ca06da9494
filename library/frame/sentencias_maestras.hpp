#pragma once
// The statement pieces of the master-data members, built apart from the members so that the
// texts of every engine can be checked without a server: each takes the engine, the values and
// the server's time, and returns text. Every quoted value has its apostrophes doubled; every date
// is a literal of the engine (vt::db::sqlDate).

#include <string>
#include <string_view>

#include "library/frame/clases_maestras.hpp"
#include "library/frame/maestros.hpp"
#include "library/frame/modulo.hpp"
#include "platform/conversions/datetime.hpp"
#include "platform/database/sql_text.hpp"

namespace valtrone {

// A supplier into tbproveedor; `especial` is bStContrEspe already converted.
Insercion insercionProveedor(vt::db::Engine engine, const CLSProveedores& p, const vt::conv::DateTime& hora,
                             bool especial);
// The supplier's main establishment "001" into tbProveeEstablecmts.
Insercion insercionMatriz(vt::db::Engine engine, const CLSProveedores& p, const vt::conv::DateTime& hora);
// The assignments of a supplier's update (telephones only when given).
std::string asignacionesProveedor(vt::db::Engine engine, const CLSProveedores& p,
                                  const vt::conv::DateTime& hora, bool especial);

// An establishment into tbProveeEstablecmts from the module record; `sds_wrkst` is the object's.
Insercion insercionEstablecimiento(vt::db::Engine engine, const TpEstablecimiento& r,
                                   const std::string& sds_wrkst, const vt::conv::DateTime& hora);
// "where co_provee  = '<13 digits>' " then, when `establecimiento` is given, "and co_estable = '<3>' ".
std::string condicionEstablecimiento(const std::string& proveedor, const std::string& establecimiento);

// A supplier's document range into tbProveeCmprAutoriza: the server's time in both audit times,
// the validity as a date and time; the authorisations padded as digits (10 and 4).
Insercion insercionRangoProveedor(vt::db::Engine engine, const TpDctosAutorizados& r,
                                  const std::string& sds_wrkst, const vt::conv::DateTime& hora);
// The company's document range into tbEmprCmprAutoriza: the audit times given, the validity as a
// date, `estacion` the thread's station name.
Insercion insercionRangoEmpresa(vt::db::Engine engine, const TpDctosAutorizados& r,
                                const std::string& estacion, const vt::conv::DateTime& registro,
                                const vt::conv::DateTime& modificacion);
// The assignments of a range's update, both classes: the authorisation as it stands, the
// printer's as its numeric value, the validity as a date (none on an engine other than the three).
std::string asignacionesRango(vt::db::Engine engine, const TpDctosAutorizados& r,
                              const std::string& sds_wrkst, const vt::conv::DateTime& hora);
// Conditions on a range table whose owner column is `columna` (co_provee or co_empresa):
// the four-part key of the record;
std::string condicionClaveRango(std::string_view columna, const TpDctosAutorizados& r);
// owner, then type and serie when given (the establishment plays no part);
std::string condicionActualizaRango(std::string_view columna, const TpDctosAutorizados& r);
// owner, then establishment, serie and type when each reads as a number above 0, then the caller's own;
std::string condicionConsultaRango(std::string_view columna, const std::string& sEmpresa,
                                   const std::string& sEstableci, const std::string& sSerie,
                                   const std::string& sCmprVnta, const std::string& sQuery);
// owner, then establishment, type and serie when each is not blank.
std::string condicionEliminaRango(std::string_view columna, const std::string& sEmpresa,
                                  const std::string& sEstableci, const std::string& sCmprVnta,
                                  const std::string& sNuSerie);
// The three-part key of tbAutorizaDctos.
std::string condicionAutorizaDctos(const std::string& sEmpresa, const std::string& sEstableci,
                                   const std::string& sCmprVnta);

}  // namespace valtrone
