#pragma once
// The statement pieces of the master-data members, built apart from the members so that the
// texts of every engine can be checked without a server: each takes the engine, the values and
// the server's time, and returns text. Every quoted value has its apostrophes doubled; every date
// is a literal of the engine (vt::db::sqlDate).

#include <string>

#include "library/frame/clases_maestras.hpp"
#include "library/frame/modulo.hpp"
#include "platform/conversions/datetime.hpp"
#include "platform/database/sql_text.hpp"

namespace valtrone {

// The column list and the value list of an insert.
struct Insercion {
  std::string campos;
  std::string valores;
};

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

}  // namespace valtrone
