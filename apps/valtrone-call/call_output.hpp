#pragma once
// What valtrone-call prints: "name=value" for a value, one "name(row,col)=value" line per
// non-empty cell of an array ("name(i)=value" for one dimension).

#include <iosfwd>
#include <string>

#include "platform/automation/variant.hpp"

namespace valtrone_call {

void printValue(std::ostream& out, const std::string& name, const vt::automation::Variant& value);

}  // namespace valtrone_call
