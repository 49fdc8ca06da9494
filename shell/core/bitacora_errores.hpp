#pragma once
// The error log of a period: its name, and creating or emptying it before a validation.

#include <string>

namespace ambrix {

// "tolvexError_" + year + "-" + two-digit month + ".txt".
std::string errorLogName(const std::string& sAnio, const std::string& sMes);

// Sets gsArchivoLog and gsRutaLog (the log folder and the name joined by one separator) and
// creates or empties the file. When it cannot, shows a message naming the path and the cause
// and returns false.
bool createErrorLog(const std::string& sPathLog, const std::string& sAnio, const std::string& sMes);

// Whether the log at gsRutaLog holds anything. The run emptied it before its first pass, so what
// it holds is what this run's validators and stores wrote there.
bool errorLogHasEntries();

}  // namespace ambrix
