#pragma once
// The record checks a master-data class runs on the thread's module record before it stores an
// authorised document range or a supplier establishment. Each empties the text it is given, runs
// every check whatever failed before, writes TAB & message & CRLF per failed check, and answers
// true when the text stays blank. Each opens gdbConexion itself and closes it at its end, so a
// caller runs it before opening the connection for its own statement. An unexpected error (a
// lookup that cannot run) replaces the whole text by "Ha ocurrido el error " & number & " " &
// text, answers false and leaves the connection as it is.

#include <string>

namespace valtrone {

// ctx().tpDctosAutorizados as a supplier's range: the owner is the supplier.
bool gfValidaDctosAutorizados(std::string& sMsgsError);
// ctx().tpDctosAutorizados as the company's own range: the owner is the company's RUC.
bool gfValidaDctosEmpresa(std::string& sMsgsError);
// ctx().tpEstablecimiento.
bool gfValidaEstablecimiento(std::string& sMsgsError);

}  // namespace valtrone
