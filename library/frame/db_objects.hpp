#pragma once
// The platform's database objects under the names the library's code uses.

#include "platform/database/db_objects.hpp"

namespace valtrone {

using vt::db::ConnectionObject;
using vt::db::ConnectionRef;
using vt::db::FieldObject;
using vt::db::RecordsetObject;
using vt::db::RecordsetRef;
using vt::db::connectionOf;
using vt::db::recordsetOf;
using vt::db::toVariant;

}  // namespace valtrone
