#include "apps/valtrone-call/call_output.hpp"

#include <ostream>

#include "platform/automation/object.hpp"

namespace valtrone_call {

using vt::automation::Variant;
using vt::automation::VarType;

void printValue(std::ostream& out, const std::string& name, const Variant& value) {
  switch (value.type()) {
    case VarType::Empty:
    case VarType::Missing:
      out << name << "=\n";
      return;
    case VarType::Null:
      out << name << "=Null\n";
      return;
    case VarType::Object: {
      const auto object = value.toObject();
      out << name << "=" << (object ? "[" + object->classInfo().className + "]" : std::string("Nothing"))
          << "\n";
      return;
    }
    case VarType::StringArray: {
      const auto& array = *value.toStringArray();
      for (long i = array.lbound(); i <= array.ubound(); ++i) {
        if (!array.at(i).empty()) out << name << "(" << i << ")=" << array.at(i) << "\n";
      }
      return;
    }
    case VarType::IntegerArray: {
      const auto& array = *value.toIntegerArray();
      for (long i = array.lbound(); i <= array.ubound(); ++i)
        out << name << "(" << i << ")=" << array.at(i) << "\n";
      return;
    }
    case VarType::StringMatrix: {
      const auto& sheet = *value.toStringMatrix();
      for (long r = sheet.lbound(1); r <= sheet.ubound(1); ++r) {
        for (long c = sheet.lbound(2); c <= sheet.ubound(2); ++c) {
          if (!sheet.get(r, c).empty())
            out << name << "(" << r << "," << c << ")=" << sheet.get(r, c) << "\n";
        }
      }
      return;
    }
    default:
      out << name << "=" << value.toString() << "\n";
  }
}

}  // namespace valtrone_call
