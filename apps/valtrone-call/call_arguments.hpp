#pragma once
// The command line of valtrone-call: which object, which member, the properties to let first
// and the arguments in their typed text forms.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/automation/variant.hpp"

namespace valtrone_call {

// One argument from its text form: s:TEXT, i:N, l:N, d:X, b:true|false, dt:dd/mm/yyyy,
// a:V1|V2|... (String array from 0), ai:1|0|... (Integer array from 0), sheet:PATH[;SEP] (a
// delimited text file: header line, row 0 left empty, separator ";" unless given), missing,
// nothing (an Object argument holding Nothing). A sheet loads as the program loads a delimited
// sheet, with at least `sheetColumns` columns.
// A form it does not know, or a sheet that does not load, raises vt::Error 5 saying which.
vt::automation::Variant parseArgument(std::string_view text, long sheetColumns = 1);

// The columns a sheet handed to the member must have: those of the program's sheet for the four
// sheet validators it calls (ATS2013_Compras, _Ventas, _Anulados, _Exportaciones), else 1.
long sheetColumnsFor(std::string_view member);

struct CallRequest {
  std::vector<std::pair<std::string, vt::automation::Variant>> properties;  // --set NAME=ARG
  std::string progId;
  std::string member;
  std::vector<vt::automation::Variant> arguments;
};

// The word that separates two calls of one command line.
inline constexpr const char* kThen = "--then";

// The words of each call, in order: "a b --then c" gives {a b} and {c}; an empty call stays
// empty, so that parsing it raises the usage error for that call alone.
std::vector<std::vector<std::string>> splitCalls(const std::vector<std::string>& words);

// Raises vt::Error 5 with the usage text when the words of one call are incomplete.
CallRequest parseCommandLine(const std::vector<std::string>& words);

// What --help prints: the forms of the command line, of its arguments and of its output.
const char* helpText();

}  // namespace valtrone_call
