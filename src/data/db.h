#pragma once
// The database as the program reaches it: the built-in endpoint, the one
// shared connection with its reuse rule and the shared result set, and
// private connections that one action opens for itself.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/clock.h"

typedef struct st_mysql MYSQL;
typedef struct st_mysql_res MYSQL_RES;

namespace kob::data {

struct DbEndpoint {
    static constexpr const char* kHost = KOBRELAN_DB_HOST;
    // From db/endpoint.conf, which scripts/db.sh reads as well.
    static constexpr const char* kAccount = KOBRELAN_DB_ACCOUNT;
    static constexpr const char* kPassword = KOBRELAN_DB_PASSWORD;
    static constexpr const char* kSchema = KOBRELAN_DB_SCHEMA;
    static constexpr unsigned kPort = KOBRELAN_DB_PORT;
};

// Opens a connection with the endpoint and the gbk character set; nullptr on
// any failure. Short connect/read/write time-outs keep a stopped server from
// hanging the window; there is no automatic reconnect. Each connection's
// session holds a lock of its own name while it lives, so that another
// connection can wait for it to end (see Write).
MYSQL* ConnectEndpoint();
// The same on another port of the endpoint's host: tests put a relay there
// that plays a slow network.
MYSQL* ConnectEndpointOnPort(unsigned port);
void CloseConnection(MYSQL*& connection);

// How a statement ended, as the client library tells it.
enum class Outcome {
    Done,     // the server answered success
    Refused,  // nothing was written: the server said no, or nothing was sent
    Unknown,  // the connection was lost or timed out after the statement went out
};

// What it takes to learn a lost write's outcome later: the session that
// may still run it (known by its lock) and the write's mark.
struct Unsettled {
    std::string lock_name;
    std::string mark;
};

struct Result {
    Result() = default;
    Result(Outcome outcome, unsigned error) : outcome(outcome), error(error) {}

    Outcome outcome = Outcome::Refused;
    unsigned error = 0;  // the server's or the library's error number; 0 when done
    // Unknown from a settled write: how to settle it later.
    std::optional<Unsettled> unsettled;

    explicit operator bool() const { return outcome == Outcome::Done; }
    bool Unknown() const { return outcome == Outcome::Unknown; }
    // Another row already holds this key (a card number taken meanwhile).
    bool DuplicateKey() const;
};

// A write whose outcome is settled when the connection is lost under it.
struct Write {
    std::string sql;
    // Statements run instead of sql, all in one transaction, all or none.
    std::vector<std::string> transaction;
    // Run first on the same connection; its first value becomes the mark
    // (for an insert: the table's highest id so far).
    std::string mark_sql;
    // A query that finds the write's effect (given the mark): a row when it
    // took effect. Without one the statement is harmless to run again.
    std::function<std::string(const std::string& mark)> check_sql;
};

// A statement whose second run changes nothing (an UPDATE to fixed values).
inline Write RepeatableWrite(std::string sql) {
    Write w;
    w.sql = std::move(sql);
    return w;
}

// A row to insert: column names and their texts, in the statement's order.
using ColumnValues = std::vector<std::pair<std::string_view, std::string>>;
// "('" + the escaped texts joined by "','" + "')", as every INSERT writes them.
std::string QuotedValues(const ColumnValues& row);
// "INSERT INTO `table`(`c1`,`c2`,...) VALUES " + QuotedValues(row): the
// columns named by row, in its order.
std::string InsertStatement(std::string_view table, const ColumnValues& row);

// An INSERT of one row into an auto-increment table, settled by the row's
// values: the mark is the table's highest id before it, and a row after the
// mark holding all of values is the insert.
Write InsertWrite(std::string sql, std::string_view table, std::string_view id_column,
                  ColumnValues values);
// The same for InsertStatement(table, row).
Write InsertRowWrite(std::string_view table, std::string_view id_column, ColumnValues row);

// Time-outs in seconds: the read time-out of every connection and how long
// an unknown write may take to settle. Tests shorten them.
struct Timeouts {
    unsigned read = 30;
    unsigned settle = 15;
};
void SetTimeouts(Timeouts timeouts);
// Runs just before a write's statement goes out, on the writing thread; tests
// stall the server there. Set it while no write runs.
void SetBeforeWriteHook(std::function<void()> hook);

// How a read ended: its rows came back (maybe none), or they could not be
// read at all (no connection, refused, lost on the way). Every read tells
// the two apart, so that an unreachable server never looks like an empty shop.
struct Rows {
    bool read = false;
    int64_t count = 0;
    bool Failed() const { return !read; }
};

// True when a column of a result is the one asked for by name: column names
// are not case-sensitive on the server either.
bool SameColumnName(std::string_view name, std::string_view wanted);

// A stored result. Texts come back as UTF-8, NULL as "" (or 0).
class RecordSet {
  public:
    RecordSet() = default;
    // The set of a read that could not be read: none, and Failed.
    static RecordSet Unread() {
        RecordSet set;
        set.failed_ = true;
        return set;
    }
    explicit RecordSet(MYSQL_RES* result);
    RecordSet(RecordSet&& other) noexcept;
    RecordSet& operator=(RecordSet&& other) noexcept;
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;
    ~RecordSet();

    bool IsNone() const { return result_ == nullptr; }
    // The statement that should have filled it could not be read.
    bool Failed() const { return failed_; }
    Rows Status() const { return Rows{!failed_, static_cast<int64_t>(RowCount())}; }
    uint64_t RowCount() const;
    // Makes row (0-based) the current row; the first row is current at first.
    void MoveTo(uint64_t row);
    // The current row's column by name; "" for NULL, no row or no such column.
    std::string Text(std::string_view column) const;
    // The current row's column by its 0-based position; "" as Text gives it.
    std::string TextAt(unsigned index) const;
    // Text(column) through ToInt32; NULL gives 0.
    int32_t Int32(std::string_view column) const;
    // Releases the result; the set is none afterwards. None: nothing happens.
    void Free();

  private:
    const char* Field(std::string_view column, unsigned long* length) const;
    MYSQL_RES* result_ = nullptr;
    bool failed_ = false;
    char** row_ = nullptr;
    unsigned long* lengths_ = nullptr;
    uint64_t row_index_ = 0;  // of row_, while it is set
};

inline void FreeRecordSet(RecordSet& set) {
    set.Free();
}

// Runs sql (UTF-8, converted to GBK) on connection. Refused when the
// connection is none, the text has a character GBK cannot hold, or the server
// refuses it; Unknown when the connection was lost on the way.
Result ExecuteOn(MYSQL* connection, std::string_view sql);
// Runs w on connection. When its outcome is unknown it closes connection
// (none afterwards) and settles it: waits, at most the settle time-out, for
// the lost session to end, looks on a new connection whether the write took
// effect and, when it did not, runs it there once more. Unknown only when the
// server could not be reached in time.
Result WriteOn(MYSQL*& connection, const Write& w);
// Settles a write that WriteOn left unknown, once the server answers again:
// waits, at most the settle time-out, for its session to end, then looks for
// its effect (never runs it again). Done when it took effect, Refused when it
// did not, Unknown (with unsettled) while that cannot be learnt yet.
Result SettleLater(const Write& w, const Unsettled& lost);
// Whether any statement has been answered by the server since the count was
// last read: a request reached it.
uint64_t ServerAnswers();
// The result of the statement just executed on connection (none if it had none).
RecordSet StoreResultOf(MYSQL* connection);

class SharedSession;

// DbConnection and SharedRecordSet: one per program.
class Database {
  public:
    // How the shared connection is opened; tests pass one that can fail.
    using Connector = std::function<MYSQL*()>;

    explicit Database(Clock& clock, Connector connect = ConnectEndpoint)
        : clock_(clock), connect_(std::move(connect)) {}
    // Frees the shared result and closes the shared connection.
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Exclusive use of the shared connection and SharedRecordSet from here
    // until the session ends; the same thread may open nested sessions.
    SharedSession Acquire();

    // What the reuse rule has done so far, for tests and diagnostics.
    int ConnectAttempts() const { return connect_attempts_; }

  private:
    friend class SharedSession;
    std::recursive_mutex mutex_;
    Clock& clock_;
    Connector connect_;
    int session_depth_ = 0;  // nested sessions of the thread holding mutex_
    // DbConnection
    int32_t connected_once_ = 0;
    uint32_t previous_tick_ = 0;
    MYSQL* handle_ = nullptr;
    // The library reported the connection lost: every request connects
    // until a connect succeeds, whatever the time since the previous one.
    bool lost_ = false;
    int connect_attempts_ = 0;
    // SharedRecordSet
    RecordSet shared_;
};

// A thread's turn at the shared connection: holds the Database's lock from
// Acquire() until it is destroyed. Ending the outermost session frees a
// shared result set still held and lets the other thread in.
class SharedSession {
  public:
    SharedSession(SharedSession&& other) noexcept;
    SharedSession(const SharedSession&) = delete;
    SharedSession& operator=(const SharedSession&) = delete;
    ~SharedSession();

    // The reuse rule: reconnects on the first request and after more than
    // 60000 ms since the previous request; stores the tick afterwards.
    MYSQL* GetDbConnection();
    // GetDbConnection, then sql into SharedRecordSet; its row count (0 and
    // Failed when it could not be read, SharedRecordSet then none). A result
    // still held is freed first.
    Rows RunQuery(std::string_view sql);
    RecordSet& SharedRecordSet();
    void FreeSharedRecordSet();
    // GetDbConnection, then sql on the shared connection, for statements
    // without rows or whose result the caller stores itself.
    Result Execute(std::string_view sql);
    // The result of the statement just executed, in a set of the caller's own.
    // A statement that returns rows must have its result stored before the
    // next statement runs on the connection.
    RecordSet StoreResult();
    // GetDbConnection, then a reading statement into a set of the caller's
    // own (none and Failed on failure). Like RunQuery it is tried once more on a new
    // connection when the shared one turns out lost.
    RecordSet Query(std::string_view sql);
    // GetDbConnection, then w as WriteOn runs it.
    Result Write(const data::Write& w);
    // GetDbConnection, then a reading statement whose rows are handed over
    // one by one as they arrive, without storing the result: first the
    // column names, then each row's fields (GBK, nullptr for NULL) and their
    // lengths, valid during the call only. The number of rows, or Failed when
    // the statement or the transfer failed (rows already handed over then
    // count for nothing). Tried once more on a new connection, as Query is, when
    // the shared one turns out lost before the first row.
    Rows StreamQuery(std::string_view sql,
                     const std::function<void(const std::vector<std::string>& names)>& columns,
                     const std::function<void(char** fields, unsigned long* lengths)>& row);
    MYSQL* Handle() const;

  private:
    friend class Database;
    explicit SharedSession(Database& db);
    // A statement's outcome on the shared connection; a lost connection is
    // replaced at the next request.
    Result Note(Result result);
    Database* db_;
    std::unique_lock<std::recursive_mutex> lock_;
};

// A connection of one action's own, closed when it goes out of scope.
class PrivateConnection {
  public:
    PrivateConnection();
    ~PrivateConnection();
    PrivateConnection(const PrivateConnection&) = delete;
    PrivateConnection& operator=(const PrivateConnection&) = delete;

    bool IsNone() const { return handle_ == nullptr; }
    Result Execute(std::string_view sql);
    // WriteOn; the connection afterwards is the one the settling opened.
    Result Write(const data::Write& w);
    // Execute, then the stored result (none and Failed on failure).
    RecordSet Query(std::string_view sql);
    MYSQL* Handle() const { return handle_; }

  private:
    MYSQL* handle_ = nullptr;
};

}  // namespace kob::data
