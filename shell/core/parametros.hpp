#pragma once
// Loading the company parameters of tbParaSistema into gParametrosEmpresa.

#include <string>

#include "platform/database/recordset.hpp"

namespace ambrix {

// Reads tbParaSistema for the company sRuc (the first row with a positive id_reg when sRuc is
// blank) into rsConsulta, left open at its first row. True when there is a row; with bCarga the
// row is loaded into gParametrosEmpresa (Null read as "" or 0; a missing column raises).
bool gfCargaParametros(vt::db::Recordset& rsConsulta, std::string& sRuc, bool bCarga);

}  // namespace ambrix
