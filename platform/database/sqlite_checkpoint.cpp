#include "platform/database/sqlite_checkpoint.hpp"

#include <pthread.h>

#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <new>
#include <string>
#include <thread>

namespace vt::db {

namespace {

// One worker for the process. It is never destroyed: a commit may run in another static object's
// destructor after it would have been. At exit it finishes what it was handed, then stops taking
// more (a commit after that keeps its log for the last close, as SQLite does).
class Checkpointer {
 public:
  static Checkpointer& instance() {
    static Checkpointer* const worker = [] {
      auto* w = new Checkpointer;
      pthread_atfork([] { instance().beforeFork(); }, [] { instance().mutex_.unlock(); },
                     [] { instance().afterFork(); });
      std::atexit([] { instance().stop(); });
      return w;
    }();
    return *worker;
  }

  // Takes a connection opened on the file to checkpoint; closes it when it cannot be handed over
  // (the program ending, a fork under way): that log waits for the next checkpoint or the last close.
  void post(sqlite3* db) {
    {
      std::lock_guard lock(mutex_);
      if (!stopped_ && !parked_) {
        if (!thread_) thread_ = new std::thread([this] { work(); });
        queue_.push_back(db);
        ++pending_;
        ready_.notify_one();
        return;
      }
    }
    sqlite3_close_v2(db);
  }

  void wait() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return pending_ == 0; });
  }

 private:
  void work() {
    std::unique_lock lock(mutex_);
    for (;;) {
      ready_.wait(lock, [this] { return !queue_.empty() || stopped_ || parked_; });
      if (queue_.empty()) return;
      sqlite3* db = queue_.front();
      queue_.pop_front();
      lock.unlock();
      // A checkpoint that cannot finish now (a reader on an old snapshot, a full disk) leaves the
      // log as it is: the commits in it are durable, and the next checkpoint or close copies it.
      sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
      sqlite3_close_v2(db);
      lock.lock();
      if (--pending_ == 0) idle_.notify_all();
    }
  }

  void stop() {
    std::thread* thread;
    {
      std::lock_guard lock(mutex_);
      stopped_ = true;
      thread = thread_;
      thread_ = nullptr;
      ready_.notify_all();
    }
    if (thread) {
      thread->join();
      delete thread;
    }
  }

  // A fork waits for the checkpoints handed over, and for the worker to end: a connection still
  // open on a file when the process forks leaves SQLite's record of that file's locks and shared
  // memory in the child, where a connection of the child's own to the same file would trust it; and
  // the child could neither join nor destroy a thread it does not have. The next checkpoint on
  // either side starts a worker anew. Holds the lock across the fork.
  void beforeFork() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return pending_ == 0; });
    if (std::thread* thread = thread_) {
      parked_ = true;
      ready_.notify_all();
      lock.unlock();
      thread->join();
      delete thread;
      lock.lock();
      thread_ = nullptr;
      parked_ = false;
    }
    lock.release();
  }

  // In the child the lock is still held by this thread, and the conditions may count waiters of
  // the parent's that the child does not have.
  void afterFork() {
    mutex_.unlock();
    new (&ready_) std::condition_variable;
    new (&idle_) std::condition_variable;
  }

  std::mutex mutex_;
  std::condition_variable ready_, idle_;
  std::thread* thread_ = nullptr;
  std::deque<sqlite3*> queue_;
  long pending_ = 0;
  bool stopped_ = false;
  bool parked_ = false;  // the worker ends once its queue is empty (a fork is coming)
};

int onCommit(void*, sqlite3* db, const char* schema, int pages) {
  if (pages < kCheckpointPages) return SQLITE_OK;
  const char* path = sqlite3_db_filename(db, schema);
  if (!path || !*path) return SQLITE_OK;
  sqlite3* second = nullptr;
  // A read now takes the shared lock that a connection in WAL mode keeps while it is open: the
  // writer's close then finds another connection and leaves the checkpoint to the worker.
  if (sqlite3_open_v2(path, &second, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
      sqlite3_exec(second, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr) != SQLITE_OK) {
    // Without a second connection the log waits for the next checkpoint or the last close.
    sqlite3_close_v2(second);
    return SQLITE_OK;
  }
  Checkpointer::instance().post(second);
  return SQLITE_OK;
}

}  // namespace

void checkpointInBackground(sqlite3* db) { sqlite3_wal_hook(db, onCommit, nullptr); }

void waitForCheckpoints() { Checkpointer::instance().wait(); }

}  // namespace vt::db
