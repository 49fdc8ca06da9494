#pragma once
// Adapts the few statement forms of the old file engine that SQLite rejects, in one place:
//   "delete * from T ..."        -> "delete from T ..."
//   "delete from T A where ..."  -> "delete from T AS A where ..."   (alias without AS)
//   "@@IDENTITY"                 -> "last_insert_rowid()"
// Token-aware: quoted literals, quoted names and comments are never touched.

#include <string>
#include <string_view>

namespace vt::db {

std::string adaptJetSql(std::string_view sql);

// False when adaptJetSql would give the text back unchanged (no "@@", no ";" and not opening with
// "delete"); true says only that it may change it.
bool mayAdaptJetSql(std::string_view sql);

}  // namespace vt::db
