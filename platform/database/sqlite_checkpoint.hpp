#pragma once
// The write-ahead log of a database file the program writes is copied back into the file
// (checkpointed) on a thread of its own, instead of inside the commit that made the log large. The
// commit itself stays as durable as before: the log is synced before the commit returns, and the
// file is synced by the checkpoint. A month's store leaves tens of megabytes of log; copying them in
// the commit, or when the store's connection closes, delayed the annex that reads them next.

#include <sqlite3.h>

namespace vt::db {

// A commit that leaves at least this many pages in the log hands its checkpoint over (SQLite's own
// threshold for the checkpoint it would otherwise take in the commit).
inline constexpr int kCheckpointPages = 1000;

// Installs the hook on a writable connection in WAL mode, in place of SQLite's own automatic
// checkpoint. On a large commit the hook opens a second connection to the same file at once, so
// that the writer's close is not the last one and leaves the log to it, and hands it to the worker,
// which checkpoints (passive: it never waits for readers or writers) and closes it.
void checkpointInBackground(sqlite3* db);

// Waits until every checkpoint handed over so far has ended. The program's end waits by itself.
void waitForCheckpoints();

}  // namespace vt::db
