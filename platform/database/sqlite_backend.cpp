#include "platform/database/sqlite_backend.hpp"

#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <filesystem>
#include <list>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>

#include "platform/database/errors.hpp"
#include "platform/database/file_lookup.hpp"
#include "platform/database/jet_rewrite.hpp"
#include "platform/database/sql_literals.hpp"
#include "platform/database/sqlite_checkpoint.hpp"
#include "platform/database/sqlite_functions.hpp"
#include "platform/database/sqlite_values.hpp"
#include "platform/database/text_util.hpp"

namespace vt::db {

namespace {

constexpr const char* kSource = "SQLite";

class Statement {
 public:
  Statement() = default;
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  sqlite3_stmt** out() { return &stmt_; }
  sqlite3_stmt* get() const { return stmt_; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

std::atomic<bool> statementCacheOn{true};

// What a select's result columns are: labels, origins and the declared kinds its cells are read by.
struct ResultColumns {
  std::vector<Column> columns;
  std::vector<DeclaredKind> kinds;
};

// Prepared statements by shape, the least recently used dropped first. A null statement marks a
// shape that does not prepare (a name written as a string, a type length): its texts run as written.
class StatementCache {
 public:
  // The validators and stores repeat a few shapes; this bounds the memory kept for the rest.
  static constexpr std::size_t kCapacity = 128;
  // Longer texts (inserts of many rows at once) are prepared as they come, not kept.
  static constexpr std::size_t kLongestText = 64 * 1024;

  struct Entry {
    std::string shape;
    sqlite3_stmt* stmt;
    // The result columns as last read, and the count of SQLite's own re-preparations (after a
    // schema change) they were read at.
    ResultColumns result;
    int readAtPreparation = -1;
  };

  StatementCache() = default;
  ~StatementCache() { clear(); }
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  // The entry of shape (made the most recent), or nullptr.
  Entry* find(std::string_view shape) {
    const auto found = index_.find(shape);
    if (found == index_.end()) return nullptr;
    order_.splice(order_.begin(), order_, found->second);
    return &*found->second;
  }

  // Takes stmt over (it may be null).
  Entry* add(std::string_view shape, sqlite3_stmt* stmt) {
    if (order_.size() >= kCapacity) {
      index_.erase(order_.back().shape);
      sqlite3_finalize(order_.back().stmt);
      order_.pop_back();
    }
    order_.push_front({std::string(shape), stmt, {}, -1});
    ++generation_;
    index_.emplace(order_.front().shape, order_.begin());
    return &order_.front();
  }

  void clear() {
    ++generation_;
    index_.clear();
    for (auto& entry : order_) sqlite3_finalize(entry.stmt);
    order_.clear();
  }

  // Changes whenever a statement is added (and another may be dropped) or all are dropped.
  std::uint64_t generation() const { return generation_; }

 private:
  std::uint64_t generation_ = 0;
  std::list<Entry> order_;
  std::unordered_map<std::string_view, std::list<Entry>::iterator> index_;  // views into order_
};

// Leaves a cached statement ready for its next use, however its run ended: reset (no lock kept)
// and without the values, which point into the caller's text.
class InUse {
 public:
  explicit InUse(sqlite3_stmt* stmt) : stmt_(stmt) {}
  ~InUse() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
  }
  InUse(const InUse&) = delete;
  InUse& operator=(const InUse&) = delete;

 private:
  sqlite3_stmt* stmt_;
};

// The value of a decimal literal of at most 15 digits with at most 3 after the point ("1234.56",
// "2.", ".5"), which is what SQLite reads for it (plainDecimalValue). Other literals: nullopt.
std::optional<double> plainDecimal(std::string_view text) {
  std::uint64_t digits = 0;
  int count = 0;
  int decimals = -1;
  for (char c : text) {
    if (c == '.' && decimals < 0) {
      decimals = 0;
      continue;
    }
    if (c < '0' || c > '9' || ++count > 15) return std::nullopt;
    digits = digits * 10 + static_cast<unsigned>(c - '0');
    if (decimals >= 0 && ++decimals > 3) return std::nullopt;
  }
  return plainDecimalValue(digits, decimals < 0 ? 0 : decimals);
}

// One literal of an insert's value list as SQLite reads it in the text, when it is plain: a quoted
// text ('a''b': its doubled apostrophes counted), a whole number of at most 18 digits, or a decimal
// that plainDecimal reads, each number optionally after a "-". A negative zero ("-0.00", which SQLite
// keeps as -0.0), an empty value, NULL, a name or any other expression is None.
struct PlainValue {
  enum class Kind { None, Text, Integer, Real };
  Kind kind = Kind::None;
  std::string_view text;  // Text: between the quotes, apostrophes still doubled
  bool doubledQuotes = false;
  std::int64_t integer = 0;
  double real = 0;
};

PlainValue plainValue(std::string_view literal) {
  PlainValue out;
  if (!literal.empty() && literal.front() == '\'') {
    // One quoted piece to the very end (a quote that closes it early leaves more after it).
    if (sqlQuotedLength(literal) != literal.size() || literal.find('\0') != std::string_view::npos)
      return out;
    out.kind = PlainValue::Kind::Text;
    out.text = literal.substr(1, literal.size() - 2);
    out.doubledQuotes = out.text.find('\'') != std::string_view::npos;
    return out;
  }
  const bool negative = !literal.empty() && literal.front() == '-';
  const std::string_view digits = negative ? literal.substr(1) : literal;
  if (digits.find_first_of("0123456789") == std::string_view::npos) return out;
  if (digits.size() <= 18 && digits.find_first_not_of("0123456789") == std::string_view::npos) {
    std::int64_t value = 0;
    for (const char c : digits) value = value * 10 + (c - '0');
    out.kind = PlainValue::Kind::Integer;
    out.integer = negative ? -value : value;
    return out;
  }
  if (digits.find('.') == std::string_view::npos) return out;
  const std::optional<double> value = plainDecimal(digits);
  if (!value || (negative && *value == 0.0)) return out;
  out.kind = PlainValue::Kind::Real;
  out.real = negative ? -*value : *value;
  return out;
}

// SQLite's primary result codes sorted by whose fault they are. A generic error is the
// statement's own (a value that made it unusable) unless it names a table or column the database
// lacks.
Failure sqliteFailure(int rc, std::string_view text) {
  switch (rc & 0xff) {
    case SQLITE_CONSTRAINT:
    case SQLITE_MISMATCH:
    case SQLITE_TOOBIG:
    case SQLITE_RANGE:
      return Failure::Row;
    case SQLITE_FULL:
      return Failure::DiskFull;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_PROTOCOL:
      return Failure::Io;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      return Failure::Damaged;
    case SQLITE_NOMEM:
      return Failure::NoMemory;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return Failure::Busy;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return Failure::ReadOnly;
    case SQLITE_SCHEMA:
      return Failure::Schema;
    case SQLITE_ERROR:
      for (std::string_view missing : {"no such table", "no such column", "has no column named"})
        if (text.find(missing) != std::string_view::npos) return Failure::Schema;
      return Failure::Row;
    default:
      return Failure::Other;
  }
}

// Whether a statement that opens with this word can change the schema the cache was prepared on.
bool mayChangeSchema(std::string_view firstWord) {
  for (std::string_view word : {"select", "insert", "update", "delete", "replace", "with", "begin", "commit",
                                "end", "rollback", "savepoint", "release"})
    if (conv::SameText(firstWord, word)) return false;
  return true;
}

ResultColumns resultColumns(sqlite3_stmt* stmt) {
  ResultColumns out;
  const int count = sqlite3_column_count(stmt);
  out.columns.reserve(static_cast<std::size_t>(count));
  out.kinds.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const auto text_or_empty = [](const char* s) { return s ? std::string(s) : std::string(); };
    out.columns.push_back({text_or_empty(sqlite3_column_name(stmt, i)),
                           text_or_empty(sqlite3_column_table_name(stmt, i)),
                           text_or_empty(sqlite3_column_origin_name(stmt, i))});
    out.kinds.push_back(declaredKind(sqlite3_column_decltype(stmt, i)));
  }
  return out;
}

[[noreturn]] void failOn(sqlite3* db) {
  const int rc = sqlite3_errcode(db);
  const char* text = sqlite3_errmsg(db);
  raiseBackend(rc, kSource, text, sqliteFailure(rc, text));
}

// A select stepped as the caller walks it, one row's cells held at a time. Its statement is its
// own, never a kept one: a kept statement may be asked for again while the cursor still walks.
class SqliteCursor final : public Cursor {
 public:
  explicit SqliteCursor(sqlite3* db) : db_(db) {}
  sqlite3_stmt** out() { return stmt_.out(); }

  // Steps to the first row. The columns are read after that step: a schema changed since the
  // statement was prepared makes SQLite prepare it again there.
  void start() {
    const int rc = sqlite3_step(stmt_.get());
    ResultColumns shape = resultColumns(stmt_.get());
    columns_ = std::move(shape.columns);
    kinds_ = std::move(shape.kinds);
    take(rc);
  }

  const std::vector<Column>& columns() const override { return columns_; }
  bool atEnd() const override { return atEnd_; }
  const Value& cell(int column) const override { return cells_[static_cast<std::size_t>(column)]; }
  void next() override { take(sqlite3_step(stmt_.get())); }

 private:
  void take(int rc) {
    if (rc == SQLITE_ROW) {
      cells_.resize(kinds_.size());
      for (std::size_t i = 0; i < kinds_.size(); ++i)
        cells_[i] = readSqliteCell(stmt_.get(), static_cast<int>(i), kinds_[i]);
      return;
    }
    atEnd_ = true;
    cells_.clear();
    if (rc != SQLITE_DONE) failOn(db_);
  }

  sqlite3* db_;
  Statement stmt_;
  std::vector<Column> columns_;
  std::vector<DeclaredKind> kinds_;
  std::vector<Value> cells_;
  bool atEnd_ = false;
};

class SqliteBackend final : public Backend {
 public:
  SqliteBackend(sqlite3* db, int timeoutSeconds) : db_(db) { setTimeout(timeoutSeconds); }
  ~SqliteBackend() override {
    cache_.clear();
    sqlite3_finalize(realReader_);
    sqlite3_close_v2(db_);
  }

  Dialect dialect() const override { return Dialect::SQLite; }

  long execute(const std::string& sql, CommandType type, int timeoutSeconds) override {
    setTimeout(timeoutSeconds);
    if (type == CommandType::StoredProc) {
      const std::string text = storedQuery(sql);
      // Any of its statements may change the schema; only the first is looked at, so a stored
      // query of several statements is taken to.
      if (mayChangeSchema(sqlFirstWord(text)) || text.find(';') != std::string::npos) cache_.clear();
      return run(text);
    }
    std::string adapted;
    const std::string& text = jetForm(sql, adapted);
    if (StatementCache::Entry* entry = prepared(text)) {
      InUse use(entry->stmt);
      return stepToEnd(entry->stmt);
    }
    // Cleared before the run: a statement that fails half-way may have changed the schema too.
    if (mayChangeSchema(sqlFirstWord(text))) cache_.clear();
    return run(text, true);
  }

  long insert(std::string_view head, std::span<const SqlValue> values,
              const std::function<std::string()>& text, int timeoutSeconds) override {
    setTimeout(timeoutSeconds);
    if (sqlite3_stmt* stmt = insertStatement(head, values.size()); stmt && bindValues(stmt, values)) {
      InUse use(stmt);
      return stepToEnd(stmt);
    }
    return execute(text(), CommandType::Text, timeoutSeconds);
  }

  std::optional<std::int64_t> lastInsertKey() const override { return sqlite3_last_insert_rowid(db_); }

  ResultData query(const std::string& sql, int timeoutSeconds) override {
    setTimeout(timeoutSeconds);
    std::string adapted;
    const std::string& text = jetForm(sql, adapted);
    if (StatementCache::Entry* entry = prepared(text)) {
      InUse use(entry->stmt);
      return readAll(entry->stmt, entry);
    }
    if (mayChangeSchema(sqlFirstWord(text))) cache_.clear();
    Statement stmt;
    const char* tail = nullptr;
    check(sqlite3_prepare_v2(db_, text.c_str(), static_cast<int>(text.size()), stmt.out(), &tail));
    if (!stmt.get()) raiseBackend(SQLITE_MISUSE, kSource, "not a statement: " + sql, Failure::Row);
    refuseSecondStatement(tail, text.c_str() + text.size());
    return readAll(stmt.get());
  }

  std::unique_ptr<Cursor> cursor(const std::string& sql, int timeoutSeconds) override {
    setTimeout(timeoutSeconds);
    std::string adapted;
    const std::string& text = jetForm(sql, adapted);
    if (mayChangeSchema(sqlFirstWord(text))) cache_.clear();
    auto cursor = std::make_unique<SqliteCursor>(db_);
    const char* tail = nullptr;
    check(sqlite3_prepare_v2(db_, text.c_str(), static_cast<int>(text.size()), cursor->out(), &tail));
    if (!*cursor->out()) raiseBackend(SQLITE_MISUSE, kSource, "not a statement: " + sql);
    refuseSecondStatement(tail, text.c_str() + text.size());
    cursor->start();
    return cursor;
  }

  void begin(int timeoutSeconds) override {
    setTimeout(timeoutSeconds);
    run("BEGIN IMMEDIATE");
  }
  // Deferred, so that it takes no write lock; the first read fixes the snapshot, so one is made
  // at once rather than at the caller's first select.
  void beginRead(int timeoutSeconds) override {
    setTimeout(timeoutSeconds);
    run("BEGIN DEFERRED");
    try {
      run("SELECT count(*) FROM sqlite_schema");
    } catch (...) {
      rollback();
      throw;
    }
  }
  void commit() override { run("COMMIT"); }
  void rollback() override {
    if (!sqlite3_get_autocommit(db_)) run("ROLLBACK");
  }
  bool inTransaction() const override { return !sqlite3_get_autocommit(db_); }

 private:
  [[noreturn]] void fail() const { failOn(db_); }
  void check(int rc) const {
    if (rc != SQLITE_OK) fail();
  }

  void setTimeout(int seconds) {
    if (seconds == timeout_) return;
    // No limit is written as the longest wait SQLite takes.
    const int ms = (seconds <= 0 || seconds > INT_MAX / 1000) ? INT_MAX : seconds * 1000;
    sqlite3_busy_timeout(db_, ms);
    timeout_ = seconds;
  }

  // The text as SQLite takes it: sql itself, or its adapted form kept in adapted.
  static const std::string& jetForm(const std::string& sql, std::string& adapted) {
    if (!mayAdaptJetSql(sql)) return sql;
    adapted = adaptJetSql(sql);
    return adapted;
  }

  // Whether what follows a statement holds only blanks, comments and ";".
  bool nothingAfter(const char* tail, const char* end) {
    while (tail && tail < end) {
      Statement stmt;
      const char* next = nullptr;
      if (sqlite3_prepare_v2(db_, tail, static_cast<int>(end - tail), stmt.out(), &next) != SQLITE_OK ||
          stmt.get())
        return false;
      if (!next || next <= tail) return true;
      tail = next;
    }
    return true;
  }

  // A command text is one statement, as the file engine always took it: what follows the first
  // statement may hold blanks, comments and ";" only, else it raises before anything runs (a
  // caller's condition can never smuggle in a statement of its own).
  void refuseSecondStatement(const char* tail, const char* end) {
    if (!nothingAfter(tail, end)) raise(kErrTextAfterStatement, kSource);
  }

  // The cached statement for the text's shape with the text's values bound, ready to step; nullptr
  // when the text is to be prepared as it stands (cache off, a shape that cannot be lifted or
  // does not prepare). A text and its shape give the same rows, counts and errors: a literal and
  // a bound value of the same type are alike to SQLite (no affinity, same collation).
  StatementCache::Entry* prepared(const std::string& text) {
    if (!statementCacheOn.load(std::memory_order_relaxed) || text.size() > StatementCache::kLongestText ||
        !liftLiterals(text, lifted_))
      return nullptr;
    StatementCache::Entry* entry = cache_.find(lifted_.shape);
    if (!entry) {
      const std::string& shape = lifted_.shape;
      sqlite3_stmt* stmt = nullptr;
      const char* tail = nullptr;
      if (sqlite3_prepare_v3(db_, shape.c_str(), static_cast<int>(shape.size()), SQLITE_PREPARE_PERSISTENT,
                             &stmt, &tail) != SQLITE_OK ||
          !stmt || !nothingAfter(tail, shape.c_str() + shape.size()) ||
          sqlite3_bind_parameter_count(stmt) != static_cast<int>(lifted_.literals.size())) {
        sqlite3_finalize(stmt);
        stmt = nullptr;
      }
      entry = cache_.add(shape, stmt);
    }
    if (!entry->stmt || !bindLiterals(entry->stmt)) return nullptr;
    return entry;
  }

  // The kept statement "head(?, ?, ...)" of an insert of `count` values; nullptr when the cache is
  // off or the head is not a plain insert whose text runs as written (the old engine's forms).
  sqlite3_stmt* insertStatement(std::string_view head, std::size_t count) {
    if (!statementCacheOn.load(std::memory_order_relaxed)) return nullptr;
    if (recentGeneration_ != cache_.generation()) forgetRecentInserts();
    for (const RecentInsert& recent : recentInserts_)
      if (recent.stmt && recent.count == count && recent.head == head) return recent.stmt;
    if (count == 0 || head.size() > StatementCache::kLongestText ||
        !conv::SameText(sqlFirstWord(head), "insert") || mayAdaptJetSql(head))
      return nullptr;
    std::string& shape = insertShape_;
    shape.assign(head);
    shape += '(';
    for (std::size_t i = 0; i < count; ++i) shape += i == 0 ? "?" : ", ?";
    shape += ')';
    StatementCache::Entry* entry = cache_.find(shape);
    if (!entry) {
      sqlite3_stmt* stmt = nullptr;
      const char* tail = nullptr;
      if (sqlite3_prepare_v3(db_, shape.c_str(), static_cast<int>(shape.size()), SQLITE_PREPARE_PERSISTENT,
                             &stmt, &tail) != SQLITE_OK ||
          !stmt || !nothingAfter(tail, shape.c_str() + shape.size()) ||
          sqlite3_bind_parameter_count(stmt) != static_cast<int>(count)) {
        sqlite3_finalize(stmt);
        stmt = nullptr;
      }
      entry = cache_.add(shape, stmt);
    }
    if (recentGeneration_ != cache_.generation()) forgetRecentInserts();
    if (entry->stmt) {
      RecentInsert& recent = recentInserts_[nextRecent_++ % recentInserts_.size()];
      recent.head.assign(head);
      recent.count = count;
      recent.stmt = entry->stmt;
    }
    return entry->stmt;
  }

  void forgetRecentInserts() {
    for (RecentInsert& recent : recentInserts_) recent.stmt = nullptr;
    recentGeneration_ = cache_.generation();
  }

  // Binds the values of an insert as SQLite reads each of their literals in the text: a text as
  // it is, a number or a date as what its literal reads as, and a literal that is a quoted text, a
  // whole number or a plain decimal (plainValue) as that. False, with nothing bound, when a literal
  // is anything else: the text then runs as it stands.
  bool bindValues(sqlite3_stmt* stmt, std::span<const SqlValue> values) {
    int rc = SQLITE_OK;
    for (std::size_t i = 0; i < values.size() && rc == SQLITE_OK; ++i) {
      const int place = static_cast<int>(i) + 1;
      const SqlValue& v = values[i];
      switch (v.kind()) {
        case SqlValue::Kind::Text:
          rc = sqlite3_bind_text(stmt, place, v.raw().data(), static_cast<int>(v.raw().size()),
                                 SQLITE_STATIC);  // the caller's values outlive the run
          break;
        case SqlValue::Kind::Integer:
          rc = sqlite3_bind_int64(stmt, place, v.integer());
          break;
        case SqlValue::Kind::Decimal:
          rc = sqlite3_bind_double(stmt, place, v.real());
          break;
        case SqlValue::Kind::Date: {
          char text[SqlValue::kDateTextSize];
          if (const std::size_t size = v.dateText(text))
            rc = sqlite3_bind_text(stmt, place, text, static_cast<int>(size), SQLITE_TRANSIENT);
          else
            rc = bindLiteral(stmt, place, v.literal(), SQLITE_TRANSIENT);
          break;
        }
        case SqlValue::Kind::Literal:
          rc = bindLiteral(stmt, place, v.raw(), SQLITE_STATIC);  // the caller's values outlive the run
          break;
      }
    }
    if (rc == SQLITE_OK) return true;
    sqlite3_clear_bindings(stmt);
    return false;
  }

  // A literal as plainValue reads it; SQLITE_RANGE when it is no plain one. `lifetime` is that of
  // the literal's text.
  static int bindLiteral(sqlite3_stmt* stmt, int place, std::string_view literal,
                         sqlite3_destructor_type lifetime) {
    const PlainValue value = plainValue(literal);
    switch (value.kind) {
      case PlainValue::Kind::None:
        return SQLITE_RANGE;
      case PlainValue::Kind::Text:
        if (value.doubledQuotes) {
          const std::string single = SqlLiteral{SqlLiteral::Kind::Text, value.text, 0, true}.value();
          return sqlite3_bind_text(stmt, place, single.data(), static_cast<int>(single.size()),
                                   SQLITE_TRANSIENT);
        }
        return sqlite3_bind_text(stmt, place, value.text.data(), static_cast<int>(value.text.size()),
                                 lifetime);
      case PlainValue::Kind::Integer:
        return sqlite3_bind_int64(stmt, place, value.integer);
      case PlainValue::Kind::Real:
        return sqlite3_bind_double(stmt, place, value.real);
    }
    return SQLITE_RANGE;
  }

  bool bindLiterals(sqlite3_stmt* stmt) {
    if (!readReals()) return false;
    std::size_t real = 0;
    int rc = SQLITE_OK;
    for (std::size_t i = 0; i < lifted_.literals.size() && rc == SQLITE_OK; ++i) {
      const SqlLiteral& literal = lifted_.literals[i];
      const int place = static_cast<int>(i) + 1;
      switch (literal.kind) {
        case SqlLiteral::Kind::Integer:
          rc = sqlite3_bind_int64(stmt, place, literal.integer);
          break;
        case SqlLiteral::Kind::Real:
          // SQLite negates a literal zero to -0.0 but computes "-?" as 0 - 0.0 = 0.0: a literal that
          // reads as zero (1e-400) runs as written.
          if (reals_[real] == 0.0)
            rc = SQLITE_RANGE;
          else
            rc = sqlite3_bind_double(stmt, place, reals_[real]);
          ++real;
          break;
        case SqlLiteral::Kind::Text:
          if (literal.doubledQuotes) {
            const std::string value = literal.value();
            rc = sqlite3_bind_text(stmt, place, value.data(), static_cast<int>(value.size()),
                                   SQLITE_TRANSIENT);
          } else {
            rc = sqlite3_bind_text(stmt, place, literal.text.data(), static_cast<int>(literal.text.size()),
                                   SQLITE_STATIC);  // the text outlives the run
          }
          break;
      }
    }
    if (rc == SQLITE_OK) return true;
    sqlite3_clear_bindings(stmt);
    return false;
  }

  // The lifted real literals as SQLite itself reads a literal, which is not always the double
  // nearest to the decimal. Plain amounts are worked out here; any other text is handed to SQLite
  // and read back as a double, which takes the same conversion, a batch at a time.
  bool readReals() {
    static constexpr int kBatch = 16;
    reals_.clear();
    auto& texts = realTexts_;
    texts.clear();
    std::size_t index = 0;
    for (const auto& literal : lifted_.literals) {
      if (literal.kind != SqlLiteral::Kind::Real) continue;
      const auto plain = plainDecimal(literal.text);
      reals_.push_back(plain.value_or(0));
      if (!plain) {
        texts.push_back(literal.text);
        realSlots_.resize(texts.size());
        realSlots_.back() = index;
      }
      ++index;
    }
    if (texts.empty()) return true;
    if (!realReader_) {
      std::string select = "SELECT ?1";
      for (int i = 2; i <= kBatch; ++i) select += ", ?" + std::to_string(i);
      if (sqlite3_prepare_v3(db_, select.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &realReader_, nullptr) !=
          SQLITE_OK)
        return false;
    }
    for (std::size_t first = 0; first < texts.size(); first += kBatch) {
      InUse use(realReader_);
      const int count = static_cast<int>(std::min<std::size_t>(kBatch, texts.size() - first));
      for (int i = 0; i < count; ++i) {
        const auto text = texts[first + static_cast<std::size_t>(i)];
        if (sqlite3_bind_text(realReader_, i + 1, text.data(), static_cast<int>(text.size()),
                              SQLITE_STATIC) != SQLITE_OK)
          return false;
      }
      if (sqlite3_step(realReader_) != SQLITE_ROW) return false;
      for (int i = 0; i < count; ++i)
        reals_[realSlots_[first + static_cast<std::size_t>(i)]] = sqlite3_column_double(realReader_, i);
    }
    return true;
  }

  // Steps a statement to its end; the rows it changed, or -1 when it changes none by nature.
  long stepToEnd(sqlite3_stmt* stmt) {
    const auto before = sqlite3_total_changes64(db_);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) fail();
    if (sqlite3_stmt_readonly(stmt)) return -1;
    return sqlite3_total_changes64(db_) == before ? 0 : static_cast<long>(sqlite3_changes64(db_));
  }

  // Every row of a select. A kept statement keeps its result columns in its entry.
  ResultData readAll(sqlite3_stmt* stmt, StatementCache::Entry* entry = nullptr) {
    // The columns are read after the first step: a schema changed since the statement was
    // prepared makes SQLite prepare it again there, with the columns of the new schema.
    int rc = sqlite3_step(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) fail();
    ResultColumns fresh;
    const ResultColumns* shape = &fresh;
    if (entry) {
      const int preparation = sqlite3_stmt_status(stmt, SQLITE_STMTSTATUS_REPREPARE, 0);
      if (entry->readAtPreparation != preparation) {
        entry->result = resultColumns(stmt);
        entry->readAtPreparation = preparation;
      }
      shape = &entry->result;
    } else {
      fresh = resultColumns(stmt);
    }
    ResultData result;
    result.columns = shape->columns;
    const auto& kinds = shape->kinds;
    const int count = static_cast<int>(kinds.size());
    if (rc == SQLITE_ROW) result.cells.reserve(kinds.size());
    for (; rc == SQLITE_ROW; rc = sqlite3_step(stmt))
      for (int i = 0; i < count; ++i)
        result.cells.push_back(readSqliteCell(stmt, i, kinds[static_cast<std::size_t>(i)]));
    if (rc != SQLITE_DONE) fail();
    return result;
  }

  // Runs every statement of the text (only one when single); the count is that of the last
  // statement that changed rows.
  long run(const std::string& text, bool single = false) {
    const char* next = text.c_str();
    const char* end = next + text.size();
    long rows = -1;
    while (next < end) {
      Statement stmt;
      check(sqlite3_prepare_v2(db_, next, static_cast<int>(end - next), stmt.out(), &next));
      if (!stmt.get()) break;  // only blanks or comments left
      if (single) refuseSecondStatement(next, end);
      const long changed = stepToEnd(stmt.get());
      if (changed >= 0) rows = changed;
    }
    return rows;
  }

  std::string storedQuery(const std::string& name) {
    const std::string key = trimBlanks(name);
    Statement stmt;
    static constexpr char kLookup[] = "SELECT sql FROM sys_stored_query WHERE name = ?1 COLLATE NOCASE";
    const bool found = sqlite3_prepare_v2(db_, kLookup, -1, stmt.out(), nullptr) == SQLITE_OK &&
                       sqlite3_bind_text(stmt.get(), 1, key.c_str(), static_cast<int>(key.size()),
                                         SQLITE_TRANSIENT) == SQLITE_OK &&
                       sqlite3_step(stmt.get()) == SQLITE_ROW &&
                       sqlite3_column_type(stmt.get(), 0) == SQLITE_TEXT;
    if (!found)
      raiseBackend(kErrNoStoredQuery, kSource, "No se encontró la consulta almacenada '" + key + "'.",
                   Failure::Schema);
    return adaptJetSql(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0)));
  }

  sqlite3* db_;
  int timeout_ = -1;
  StatementCache cache_;
  LiftedStatement lifted_;                   // of the statement being run; its buffers are kept
  std::vector<double> reals_;                // its real literals as SQLite reads them
  std::vector<std::string_view> realTexts_;  // those SQLite has to read itself
  std::vector<std::size_t> realSlots_;       // and their places in reals_
  sqlite3_stmt* realReader_ = nullptr;
  std::string insertShape_;  // the shape of the insert being run; its buffer is kept
  // The kept statements of the last insert heads: a store alternates among a few tables, and its
  // next row finds its statement without writing and hashing the shape again. Good while the cache
  // has neither added nor dropped a statement since (its generation).
  struct RecentInsert {
    std::string head;
    std::size_t count = 0;
    sqlite3_stmt* stmt = nullptr;
  };
  std::array<RecentInsert, 4> recentInserts_;
  std::size_t nextRecent_ = 0;
  std::uint64_t recentGeneration_ = 0;
};

// "file:" and the path with the characters a URI gives meaning to escaped.
std::string fileUri(const std::string& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file:";
  for (const char c : path) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '%' || c == '?' || c == '#' || b < 0x21 || b >= 0x7F) {
      uri += '%';
      uri += kHex[b >> 4];
      uri += kHex[b & 15];
    } else {
      uri += c;
    }
  }
  return uri;
}

}  // namespace

void setSqliteStatementCache(bool on) { statementCacheOn.store(on, std::memory_order_relaxed); }
bool sqliteStatementCache() { return statementCacheOn.load(std::memory_order_relaxed); }

std::unique_ptr<Backend> openSqliteBackend(const std::string& path, int commandTimeoutSeconds) {
  // Nothing reads SQLite's memory counters, which cost a lock around every allocation it makes
  // (many per stored row). This only takes while the library is still unused; later it is a no-op.
  static const int memoryCounters = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  (void)memoryCounters;
  const auto file = findFileNoCase(path);
  if (!file)
    raiseBackend(SQLITE_CANTOPEN, kSource, "No se encuentra el archivo de base de datos '" + path + "'.");
  sqlite3* db = nullptr;
  // The journal needs its -shm file beside the database: in a folder this user cannot write,
  // open read-only (reads work, a write says the database is read-only). With no -wal file
  // there is nothing to merge, and "immutable" lets the read go without the -shm file.
  const std::filesystem::path folder = file->parent_path().empty() ? "." : file->parent_path();
  const bool readOnly = ::access(folder.c_str(), W_OK) != 0;
  // A connection is only ever used by the thread that opened it (the checkpoint worker opens
  // its own), so SQLite need not lock it around every call: binding a stored row's values and
  // reading an annex row's columns took a lock and an unlock each.
  int rc;
  if (readOnly) {
    std::error_code ignored;
    const bool hasWal = std::filesystem::exists(file->string() + "-wal", ignored);
    const std::string uri = fileUri(std::filesystem::absolute(*file, ignored).string()) +
                            (hasWal ? "?mode=ro" : "?mode=ro&immutable=1");
    rc = sqlite3_open_v2(uri.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                         nullptr);
  } else {
    rc = sqlite3_open_v2(file->c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  }
  if (rc != SQLITE_OK) {
    const std::string text = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    sqlite3_close_v2(db);
    raiseBackend(rc, kSource, text + " (" + file->string() + ")", sqliteFailure(rc, text));
  }
  auto backend = std::make_unique<SqliteBackend>(db, commandTimeoutSeconds);
  if (registerSqlFunctions(db) != SQLITE_OK) raiseBackend(sqlite3_errcode(db), kSource, sqlite3_errmsg(db));
  // Opening does not read the file: a file that is not a database, or one without a single table
  // (an emptied or 0-byte file), fails here, before anything is written to it.
  const ResultData tables = backend->query("SELECT count(*) FROM sqlite_schema", commandTimeoutSeconds);
  if (tables.cells.empty() || tables.cells.front().asInteger() == 0)
    raiseBackend(SQLITE_NOTADB, kSource,
                 "El archivo '" + file->string() + "' está vacío o no es una base de datos del sistema.",
                 Failure::Damaged);
  // WAL lets one connection read while another writes; a read-only file keeps its journal mode.
  if (!readOnly) {
    sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    checkpointInBackground(db);
  }
  return backend;
}

}  // namespace vt::db
