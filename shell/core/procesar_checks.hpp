#pragma once
// The checks of the user's choices that open every run of the main action.

#include "shell/core/ventana_ats.hpp"

namespace ambrix {

// Shows the message of the first failed check and returns false; nothing else changes except the
// focus (no file type) and the ".XML" appended to the XML file name when the checks pass that far.
bool choicesAreValid(DatosVentanaATS& datos, IVentanaATS& frm);

// Whether the text names an existing folder.
bool folderExists(const std::string& sRuta);

}  // namespace ambrix
