#pragma once
// Filling and reading the company, month and year lists; days of a month.

#include <cstdint>
#include <string>

#include "platform/conversions/datetime.hpp"
#include "shell/core/lista_combo.hpp"

namespace ambrix {

// Blanks between a company's name and its RUC in a list item.
inline constexpr int kBlancosItemEmpresa = 150;

// A company list item: trimmed name, 150 blanks, trimmed RUC.
std::string itemEmpresaCombo(const std::string& sNombre, const std::string& sRuc);

// Appends the twelve months (item data 1..12) and/or the years from hoy's down to 2002 (item data
// the year), selecting hoy's month and year. The lists are not cleared first.
void gsLlenaMesesAnios(bool bMes, IListaCombo& cmbMes, bool bAnio, IListaCombo& cmbAnio,
                       const vt::conv::Date& hoy);
// The same for today's local date.
void gsLlenaMesesAnios(bool bMes, IListaCombo& cmbMes, bool bAnio, IListaCombo& cmbAnio);

// Appends one item per company of tbEmpresas read with sCondicion, which becomes
// "Where " + sCondicion (or "" when blank). No company: a message and the list unchanged.
void gsLlenaEmpresas(IListaCombo& cmb, std::string& sCondicion);

// The code (RUC) and the name of the selected company item; "" with no selection.
std::string gfCodigoCombo(const IListaCombo& cmb);
std::string gfNombreCombo(const IListaCombo& cmb);
// The code and the name of a company item given by its text.
std::string gfCodigoCombo(const std::string& sItem);
std::string gfNombreCombo(const std::string& sItem);

// Days of the month of a date text; 0 when the text is not a date.
std::int16_t gfDiasMes(const std::string& sFecha);

}  // namespace ambrix
