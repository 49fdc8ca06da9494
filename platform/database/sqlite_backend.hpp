#pragma once
// The file engine on SQLite: an existing file opened read-write (never created), WAL journal,
// busy time-out from the command time-out, the old engine's statement forms adapted, DateValue(),
// stored queries kept in the table sys_stored_query(name, sql), values typed by declared type.

#include <memory>
#include <string>

#include "platform/database/backend.hpp"

namespace vt::db {

// path is looked up without regard to case of the file name; a missing file raises.
std::unique_ptr<Backend> openSqliteBackend(const std::string& path, int commandTimeoutSeconds);

}  // namespace vt::db
