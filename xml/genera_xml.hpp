#pragma once
// The annex XML writer: the monthly annex file of one company and period, from the annex tables
// on gConexion (opened by the caller), saved as one file at xmlFilePath(frm).

#include "shell/core/ventana_ats.hpp"

namespace ambrix {

class GeneradorXML : public IGeneradorXML {
 public:
  // Rewrites param.sMes "00", sAnio "0000" and sRuc "0000000000000" in place (a text that is not
  // a number stays). True only when the file was saved and the authority's schema takes it: an
  // unknown company, a failed query, a value the annex cannot take or a failed save show a
  // message, leave any earlier file as it was and return false; a saved file the schema refuses
  // is kept, its first faults shown, and false returned.
  bool GeneraXML_ATS(ParamGeneraXML& param) override;
};

}  // namespace ambrix
