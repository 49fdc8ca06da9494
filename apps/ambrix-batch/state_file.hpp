#pragma once
// The window's inputs from a state file: an INI file whose section [frm_ATS_SubirExcel] holds
// values under the controls' names. A missing key keeps what the start-up gave the control.

#include <string>

#include "apps/ambrix-batch/ventana_batch.hpp"

namespace ambrix::batch {

inline constexpr const char* kSeccionEstado = "frm_ATS_SubirExcel";

// Sets the controls as a user would: choosing a company loads its parameters, and the company,
// month, year, chkXML and Chkanio choices refresh the XML file name as their click handlers do
// (ticking Chkanio shows its message and unticks chkXML); an explicit txtFileATS_XML is set last.
// False with sError set when a value does not fit its control (unknown RUC, month or year,
// a check box other than 0/1, ...).
bool applyState(const std::string& sContenido, VentanaBatch& ventana, std::string& sError);

}  // namespace ambrix::batch
