#pragma once
// The database as the program reaches it: the built-in endpoint, the one
// shared connection with its reuse rule and the shared result set, and
// private connections that one action opens for itself.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/core/clock.h"

typedef struct st_mysql MYSQL;
typedef struct st_mysql_res MYSQL_RES;

namespace kob::data {

struct DbEndpoint {
    static constexpr const char* kHost = KOBRELAN_DB_HOST;
    static constexpr const char* kAccount = "kobrelan";
    static constexpr const char* kPassword = "kob417@%+";
    static constexpr const char* kSchema = "kobrelan";
    static constexpr unsigned kPort = KOBRELAN_DB_PORT;
};

// Opens a connection with the endpoint and the gbk character set; nullptr on
// any failure. Short connect/read/write time-outs keep a stopped server from
// hanging the window; there is no automatic reconnect.
MYSQL* ConnectEndpoint();
void CloseConnection(MYSQL*& connection);

// A stored result. Texts come back as UTF-8, NULL as "" (or 0).
class RecordSet {
  public:
    RecordSet() = default;
    explicit RecordSet(MYSQL_RES* result);
    RecordSet(RecordSet&& other) noexcept;
    RecordSet& operator=(RecordSet&& other) noexcept;
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;
    ~RecordSet();

    bool IsNone() const { return result_ == nullptr; }
    uint64_t RowCount() const;
    // Makes row (0-based) the current row; the first row is current at first.
    void MoveTo(uint64_t row);
    // The current row's column by name; "" for NULL, no row or no such column.
    std::string Text(std::string_view column) const;
    // Text(column) through ToInt32; NULL gives 0.
    int32_t Int32(std::string_view column) const;
    // For reading many rows: a column's index, looked up by name as Text
    // does it, once (-1 when there is none), and the current row's field at
    // that index as the server sent it, GBK ("" for NULL, no row or -1).
    int ColumnIndex(std::string_view column) const;
    std::string_view RawText(int index) const;
    // Releases the result; the set is none afterwards. None: nothing happens.
    void Free();

  private:
    const char* Field(std::string_view column, unsigned long* length) const;
    MYSQL_RES* result_ = nullptr;
    char** row_ = nullptr;
    unsigned long* lengths_ = nullptr;
    uint64_t row_index_ = 0;  // of row_, while it is set
};

inline void FreeRecordSet(RecordSet& set) {
    set.Free();
}

// Runs sql (UTF-8, converted to GBK) on connection. False when the connection
// is none, the text has a character GBK cannot hold, or the server refuses it.
bool ExecuteOn(MYSQL* connection, std::string_view sql);
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
    // GetDbConnection, then sql into SharedRecordSet; its row count, 0 on
    // failure (SharedRecordSet then none). A result still held is freed first.
    int32_t RunQuery(std::string_view sql);
    RecordSet& SharedRecordSet();
    void FreeSharedRecordSet();
    // GetDbConnection, then sql on the shared connection, for statements
    // without rows or whose result the caller stores itself.
    bool Execute(std::string_view sql);
    // The result of the statement just executed, in a set of the caller's own.
    // A statement that returns rows must have its result stored before the
    // next statement runs on the connection.
    RecordSet StoreResult();
    MYSQL* Handle() const;

  private:
    friend class Database;
    explicit SharedSession(Database& db);
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
    bool Execute(std::string_view sql);
    // Execute, then the stored result (none on failure).
    RecordSet Query(std::string_view sql);
    MYSQL* Handle() const { return handle_; }

  private:
    MYSQL* handle_ = nullptr;
};

}  // namespace kob::data
