#pragma once
// The file engine on SQLite: an existing file opened read-write (never created), WAL journal,
// busy time-out from the command time-out, the old engine's statement forms adapted, DateValue(),
// stored queries kept in the table sys_stored_query(name, sql), values typed by declared type.
// Statement texts that differ only in their literals share one prepared statement per connection
// (sql_literals.hpp): the literals are bound with the types they had, so rows, counts and errors
// are those of the text; a text whose shape cannot be lifted safely is prepared as it stands.

#include <memory>
#include <string>

#include "platform/database/backend.hpp"

namespace vt::db {

// path is looked up without regard to case of the file name; a missing file raises.
std::unique_ptr<Backend> openSqliteBackend(const std::string& path, int commandTimeoutSeconds);

// Shared prepared statements, on by default; off, every text is prepared on each call as it always
// was (kept to compare the two and to measure the gain). For every connection, from its next statement.
void setSqliteStatementCache(bool on);
bool sqliteStatementCache();

}  // namespace vt::db
