#include "data/db.h"

#include <errmsg.h>
#include <mysql.h>
#include <mysqld_error.h>
#include <strings.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <limits>
#include <random>
#include <thread>
#include <unordered_map>

#include "platform/core/text.h"

namespace kob::data {
namespace {

constexpr unsigned int kConnectTimeoutSeconds = 3;
constexpr uint32_t kReuseMilliseconds = 60000;

// A server that stops answering must not freeze the window for good; the
// program's statements take well under a second, so the read time-out only
// ends a hang.
std::atomic<unsigned> read_timeout_seconds{Timeouts{}.read};
std::atomic<unsigned> settle_timeout_seconds{Timeouts{}.settle};
std::atomic<uint64_t> server_answers{0};

std::function<void()> before_write_hook;

bool LibraryReady() {
    // mysql_init would do this too, but not safely from two threads at once.
    static const bool ready = mysql_library_init(0, nullptr, nullptr) == 0;
    return ready;
}

// The lock name each writing connection's session holds: the server releases
// it when that session ends, however it ends, and no other session can hold it.
std::mutex session_locks_mutex;
std::unordered_map<const MYSQL*, std::string> session_locks;

std::string NewSessionLockName() {
    static std::mutex mutex;
    static std::mt19937_64 random{std::random_device{}()};
    const std::lock_guard<std::mutex> lock(mutex);
    char name[40];
    std::snprintf(name, sizeof name, "kobrelan-%016llx", static_cast<unsigned long long>(random()));
    return name;
}

std::string SessionLockName(const MYSQL* connection) {
    const std::lock_guard<std::mutex> lock(session_locks_mutex);
    const auto it = session_locks.find(connection);
    return it == session_locks.end() ? std::string() : it->second;
}

MYSQL* Connect(unsigned read_timeout, unsigned port = DbEndpoint::kPort) {
    if (!LibraryReady()) {
        return nullptr;
    }
    MYSQL* connection = mysql_init(nullptr);
    if (connection == nullptr) {
        return nullptr;
    }
    // The charset goes in before the connect (not SET NAMES afterwards), so
    // that the library escapes and the server reads the texts as GBK.
    mysql_optionsv(connection, MYSQL_SET_CHARSET_NAME, "gbk");
    mysql_optionsv(connection, MYSQL_OPT_CONNECT_TIMEOUT, &kConnectTimeoutSeconds);
    mysql_optionsv(connection, MYSQL_OPT_READ_TIMEOUT, &read_timeout);
    mysql_optionsv(connection, MYSQL_OPT_WRITE_TIMEOUT, &read_timeout);
    const my_bool reconnect = 0;
    mysql_optionsv(connection, MYSQL_OPT_RECONNECT, &reconnect);
    if (mysql_real_connect(connection, DbEndpoint::kHost, DbEndpoint::kAccount,
                           DbEndpoint::kPassword, DbEndpoint::kSchema, port, nullptr,
                           0) == nullptr) {
        mysql_close(connection);
        return nullptr;
    }
    return connection;
}

bool ConnectionLost(unsigned error) {
    switch (error) {
        case CR_SERVER_GONE_ERROR:
        case CR_SERVER_LOST:
        case CR_SERVER_LOST_EXTENDED:
        case ER_CONNECTION_KILLED:
        case ER_SERVER_SHUTDOWN:
        case ER_NET_READ_ERROR:
        case ER_NET_READ_INTERRUPTED:
            return true;
        default:
            return false;
    }
}

// The first value of a one-row query; nullopt when the query fails.
std::optional<std::string> Scalar(MYSQL* connection, std::string_view sql) {
    if (!ExecuteOn(connection, sql)) {
        return std::nullopt;
    }
    RecordSet set = StoreResultOf(connection);
    if (set.IsNone()) {
        return std::nullopt;
    }
    return set.RowCount() > 0 ? set.TextAt(0) : std::string();
}

// The mark a write is later checked against ("" without one). A settling
// waits on the lock of the session that wrote, so a session takes its lock
// before its first write, together with the mark read when there is one: a
// connection that only reads never spends a request on it.
std::optional<std::string> MarkBeforeWrite(MYSQL* connection, const std::string& mark_sql) {
    if (connection == nullptr || !SessionLockName(connection).empty()) {
        return mark_sql.empty() ? std::optional<std::string>(std::string())
                                : Scalar(connection, mark_sql);
    }
    const std::string name = NewSessionLockName();
    const std::string take = "GET_LOCK('" + name + "',0)";
    std::string mark;
    if (mark_sql.empty()) {
        if (!ExecuteOn(connection, "DO " + take)) {
            return std::nullopt;
        }
    } else {
        if (!ExecuteOn(connection, "SELECT (" + mark_sql + ")," + take)) {
            return std::nullopt;
        }
        RecordSet set = StoreResultOf(connection);
        if (set.IsNone() || set.RowCount() == 0 || set.TextAt(1) != "1") {
            return std::nullopt;
        }
        mark = set.TextAt(0);
    }
    const std::lock_guard<std::mutex> lock(session_locks_mutex);
    session_locks[connection] = name;
    return mark;
}

using SteadyClock = std::chrono::steady_clock;

unsigned SecondsLeft(SteadyClock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::seconds>(deadline - SteadyClock::now()).count();
    return left > 0 ? static_cast<unsigned>(left) : 0;
}

}  // namespace

std::string QuotedValues(const ColumnValues& row) {
    std::string out = "('";
    for (size_t i = 0; i < row.size(); ++i) {
        if (i > 0) {
            out += "','";
        }
        out += EscapeSqlText(row[i].second);
    }
    out += "')";
    return out;
}

std::string InsertStatement(std::string_view table, const ColumnValues& row) {
    std::string sql = "INSERT INTO `";
    sql += table;
    sql += "`(";
    for (size_t i = 0; i < row.size(); ++i) {
        sql += i > 0 ? ",`" : "`";
        sql += row[i].first;
        sql += "`";
    }
    return sql + ") VALUES " + QuotedValues(row);
}

Write InsertWrite(std::string sql, std::string_view table, std::string_view id_column,
                  ColumnValues values) {
    const std::string from = "FROM `kobrelan`.`" + std::string(table) + "`";
    std::string conditions;
    for (const auto& [column, value] : values) {
        // Compared as the server stored it, so "012" still finds card 12.
        conditions += " AND `" + std::string(column) + "` = '" + EscapeSqlText(value) + "'";
    }
    Write w;
    w.sql = std::move(sql);
    w.mark_sql = "SELECT COALESCE(MAX(`" + std::string(id_column) + "`),0) " + from;
    w.check_sql = [select = "SELECT 1 " + from + " WHERE `" + std::string(id_column) + "` > ",
                   conditions](const std::string& mark) {
        return select + mark + conditions + " LIMIT 1";
    };
    return w;
}

Write InsertRowWrite(std::string_view table, std::string_view id_column, ColumnValues row) {
    std::string sql = InsertStatement(table, row);
    return InsertWrite(std::move(sql), table, id_column, std::move(row));
}

void SetTimeouts(Timeouts timeouts) {
    read_timeout_seconds = timeouts.read;
    settle_timeout_seconds = timeouts.settle;
}

void SetBeforeWriteHook(std::function<void()> hook) {
    before_write_hook = std::move(hook);
}

MYSQL* ConnectEndpoint() {
    return Connect(read_timeout_seconds.load());
}

MYSQL* ConnectEndpointOnPort(unsigned port) {
    return Connect(read_timeout_seconds.load(), port);
}

void CloseConnection(MYSQL*& connection) {
    if (connection != nullptr) {
        {
            const std::lock_guard<std::mutex> lock(session_locks_mutex);
            session_locks.erase(connection);
        }
        mysql_close(connection);
        connection = nullptr;
    }
}

bool Result::DuplicateKey() const {
    return outcome == Outcome::Refused && error == ER_DUP_ENTRY;
}

// ---- RecordSet

RecordSet::RecordSet(MYSQL_RES* result) : result_(result) {
    MoveTo(0);
}

RecordSet::RecordSet(RecordSet&& other) noexcept
    : result_(other.result_),
      failed_(other.failed_),
      row_(other.row_),
      lengths_(other.lengths_),
      row_index_(other.row_index_) {
    other.result_ = nullptr;
    other.row_ = nullptr;
    other.lengths_ = nullptr;
}

RecordSet& RecordSet::operator=(RecordSet&& other) noexcept {
    if (this != &other) {
        Free();
        result_ = other.result_;
        failed_ = other.failed_;
        row_ = other.row_;
        lengths_ = other.lengths_;
        row_index_ = other.row_index_;
        other.result_ = nullptr;
        other.row_ = nullptr;
        other.lengths_ = nullptr;
    }
    return *this;
}

RecordSet::~RecordSet() {
    Free();
}

uint64_t RecordSet::RowCount() const {
    return result_ ? mysql_num_rows(result_) : 0;
}

void RecordSet::MoveTo(uint64_t row) {
    if (result_ == nullptr) {
        return;
    }
    // After a fetch the cursor stands on the next row; a seek walks the rows
    // from the first, which makes reading them in order quadratic.
    const bool next = row_ != nullptr && row == row_index_ + 1;
    row_ = nullptr;
    lengths_ = nullptr;
    if (row >= mysql_num_rows(result_)) {
        return;
    }
    if (!next) {
        mysql_data_seek(result_, row);
    }
    row_ = mysql_fetch_row(result_);
    row_index_ = row;
    lengths_ = row_ ? mysql_fetch_lengths(result_) : nullptr;
}

bool SameColumnName(std::string_view name, std::string_view wanted) {
    return name.size() == wanted.size() &&
           strncasecmp(name.data(), wanted.data(), wanted.size()) == 0;
}

const char* RecordSet::Field(std::string_view column, unsigned long* length) const {
    if (row_ == nullptr || lengths_ == nullptr) {
        return nullptr;
    }
    const unsigned count = mysql_num_fields(result_);
    const MYSQL_FIELD* fields = mysql_fetch_fields(result_);
    for (unsigned i = 0; i < count; ++i) {
        if (SameColumnName({fields[i].name, fields[i].name_length}, column)) {
            *length = lengths_[i];
            return row_[i];  // nullptr for NULL
        }
    }
    return nullptr;
}

std::string RecordSet::Text(std::string_view column) const {
    unsigned long length = 0;
    const char* value = Field(column, &length);
    return value ? GbkToUtf8(std::string_view(value, length)) : std::string();
}

std::string RecordSet::TextAt(unsigned index) const {
    if (row_ == nullptr || lengths_ == nullptr || index >= mysql_num_fields(result_) ||
        row_[index] == nullptr) {
        return std::string();
    }
    return GbkToUtf8(std::string_view(row_[index], lengths_[index]));
}

int32_t RecordSet::Int32(std::string_view column) const {
    unsigned long length = 0;
    const char* value = Field(column, &length);
    // Digits, blanks and signs are the same bytes in GBK: no conversion.
    return value ? ToInt32(std::string_view(value, length)) : 0;
}

void RecordSet::Free() {
    if (result_ != nullptr) {
        mysql_free_result(result_);
        result_ = nullptr;
    }
    row_ = nullptr;
    lengths_ = nullptr;
}

// ---- statements

Result ExecuteOn(MYSQL* connection, std::string_view sql) {
    if (connection == nullptr) {
        return Result{Outcome::Refused, CR_SERVER_GONE_ERROR};
    }
    // A text GBK cannot hold is not sent at all: nothing is stored mangled.
    const auto gbk = Utf8ToGbk(sql);
    if (!gbk) {
        return Result{Outcome::Refused, 0};
    }
    if (mysql_real_query(connection, gbk->data(), static_cast<unsigned long>(gbk->size())) == 0) {
        server_answers.fetch_add(1);
        return Result{Outcome::Done, 0};
    }
    const unsigned error = mysql_errno(connection);
    if (error < CR_MIN_ERROR) {
        server_answers.fetch_add(1);  // the server's own refusal
    }
    return Result{ConnectionLost(error) ? Outcome::Unknown : Outcome::Refused, error};
}

uint64_t ServerAnswers() {
    return server_answers.load();
}

namespace {

Result Settle(const Write& w, const Unsettled& lost, SteadyClock::time_point deadline,
              bool run_again);

// w's statement, or its transaction: rolled back when a statement is
// refused; left to the server when the connection is lost (a session that
// ends uncommitted is rolled back there).
Result RunWrite(MYSQL* connection, const Write& w) {
    if (w.transaction.empty()) {
        return ExecuteOn(connection, w.sql);
    }
    Result result = ExecuteOn(connection, "START TRANSACTION");
    for (const std::string& statement : w.transaction) {
        if (!result) {
            break;
        }
        result = ExecuteOn(connection, statement);
    }
    if (result) {
        return ExecuteOn(connection, "COMMIT");
    }
    if (!result.Unknown()) {
        ExecuteOn(connection, "ROLLBACK");
    }
    return result;
}

}  // namespace

Result WriteOn(MYSQL*& connection, const Write& w) {
    auto value = MarkBeforeWrite(connection, w.mark_sql);
    if (!value) {
        // Nothing has been written yet: a lost connection is replaced
        // (not a missing one: the reuse rule decides when to connect).
        if (connection != nullptr && ConnectionLost(mysql_errno(connection))) {
            CloseConnection(connection);
            connection = ConnectEndpoint();
            value = MarkBeforeWrite(connection, w.mark_sql);
        }
        if (!value) {
            return Result{Outcome::Refused, connection ? mysql_errno(connection) : 0};
        }
    }
    const std::string mark = *value;
    if (before_write_hook) {
        const auto hook = before_write_hook;  // the hook may unset itself
        hook();
    }
    Result result = RunWrite(connection, w);
    if (!result.Unknown()) {
        return result;
    }
    // The lost session may still run the statement (a stalled server reads
    // it later): it must be over before its effect is looked for.
    const auto deadline = SteadyClock::now() + std::chrono::seconds(settle_timeout_seconds.load());
    Unsettled lost{SessionLockName(connection), mark};
    CloseConnection(connection);
    return Settle(w, lost, deadline, true);
}

namespace {

Result Settle(const Write& w, const Unsettled& lost, SteadyClock::time_point deadline,
              bool run_again) {
    // The settling's connections live only as long as it does, with
    // time-outs that end within its time.
    Result result{Outcome::Unknown, CR_SERVER_LOST};
    std::string lock_name = lost.lock_name;
    MYSQL* fresh = nullptr;
    while (result.Unknown() && !lock_name.empty()) {
        while (fresh == nullptr && SecondsLeft(deadline) > 0) {
            fresh = Connect(SecondsLeft(deadline));
            if (fresh == nullptr) {
                std::this_thread::sleep_for(std::chrono::milliseconds(250));
            }
        }
        if (fresh == nullptr) {
            break;
        }
        const auto holder = Scalar(fresh, "SELECT IS_USED_LOCK('" + lock_name + "')");
        if (holder && !holder->empty()) {
            // Only the lost session can hold its lock: ending it is safe.
            ExecuteOn(fresh, "KILL " + *holder);
        }
        const auto ended = holder ? Scalar(fresh, "SELECT GET_LOCK('" + lock_name + "'," +
                                                      std::to_string(SecondsLeft(deadline)) + ")")
                                  : std::nullopt;
        if (!ended) {
            CloseConnection(fresh);  // lost again: settle on yet another connection
            continue;
        }
        if (*ended != "1") {
            break;  // still running when the time ran out
        }
        ExecuteOn(fresh, "DO RELEASE_LOCK('" + lock_name + "')");
        if (w.check_sql) {
            const std::string check = w.check_sql(lost.mark);
            if (!ExecuteOn(fresh, check)) {
                CloseConnection(fresh);
                continue;
            }
            if (StoreResultOf(fresh).RowCount() > 0) {
                result = Result{Outcome::Done, 0};
                break;
            }
        }
        if (!run_again) {
            result = Result{Outcome::Refused, 0};  // over, and it did not take effect
            break;
        }
        // It did not take effect, or running it again is harmless.
        if (!MarkBeforeWrite(fresh, std::string())) {
            CloseConnection(fresh);
            continue;
        }
        result = RunWrite(fresh, w);
        lock_name = SessionLockName(fresh);
        if (result.Unknown()) {
            CloseConnection(fresh);
        }
    }
    if (result.Unknown()) {
        result.unsettled = Unsettled{lock_name, lost.mark};
    }
    CloseConnection(fresh);
    return result;
}

}  // namespace

Result SettleLater(const Write& w, const Unsettled& lost) {
    return Settle(w, lost, SteadyClock::now() + std::chrono::seconds(settle_timeout_seconds.load()),
                  false);
}

RecordSet StoreResultOf(MYSQL* connection) {
    if (connection == nullptr) {
        return RecordSet::Unread();
    }
    MYSQL_RES* result = mysql_store_result(connection);
    // No result and an error: the rows were lost on the way.
    return result == nullptr && mysql_errno(connection) != 0 ? RecordSet::Unread()
                                                             : RecordSet(result);
}

// ---- shared connection

Database::~Database() {
    shared_.Free();
    CloseConnection(handle_);
}

SharedSession Database::Acquire() {
    return SharedSession(*this);
}

SharedSession::SharedSession(Database& db) : db_(&db), lock_(db.mutex_) {
    ++db.session_depth_;
}

SharedSession::SharedSession(SharedSession&& other) noexcept
    : db_(other.db_), lock_(std::move(other.lock_)) {
    other.db_ = nullptr;
}

SharedSession::~SharedSession() {
    if (db_ != nullptr && --db_->session_depth_ == 0) {
        db_->shared_.Free();  // still under the lock
    }
}

MYSQL* SharedSession::GetDbConnection() {
    Database& d = *db_;
    bool renew = false;
    if (d.connected_once_ == 0) {
        d.connected_once_ = 1;
        renew = true;
    } else {
        // Modulo 2^32, read as signed: a wrap of the tick count costs nothing.
        const auto elapsed = static_cast<int32_t>(d.clock_.TickCount() - d.previous_tick_);
        renew = elapsed > static_cast<int32_t>(kReuseMilliseconds) || d.lost_;
    }
    if (renew) {
        CloseConnection(d.handle_);
        ++d.connect_attempts_;
        d.handle_ = d.connect_ ? d.connect_() : nullptr;
        if (d.handle_ != nullptr) {
            d.lost_ = false;
        }
    }
    // Read again: time spent connecting does not count.
    d.previous_tick_ = d.clock_.TickCount();
    return d.handle_;
}

Result SharedSession::Note(Result result) {
    if (result.Unknown()) {
        db_->lost_ = true;
    }
    return result;
}

Rows SharedSession::RunQuery(std::string_view sql) {
    // The result a caller left unfreed is released rather than leaked. A
    // stored result owns its rows and fields, so this is safe even when the
    // request below closes the connection it came from.
    db_->shared_.Free();
    db_->shared_ = Query(sql);
    return db_->shared_.Status();
}

RecordSet& SharedSession::SharedRecordSet() {
    return db_->shared_;
}

void SharedSession::FreeSharedRecordSet() {
    db_->shared_.Free();
}

Result SharedSession::Execute(std::string_view sql) {
    return Note(ExecuteOn(GetDbConnection(), sql));
}

RecordSet SharedSession::StoreResult() {
    return StoreResultOf(db_->handle_);
}

RecordSet SharedSession::Query(std::string_view sql) {
    Result result = Execute(sql);
    if (result.Unknown()) {
        // Reading twice is harmless: the first statement after a server
        // restart need not fail.
        result = Execute(sql);
    }
    return result ? StoreResultOf(db_->handle_) : RecordSet::Unread();
}

Result SharedSession::Write(const data::Write& w) {
    // No connection at all (a failed connect) is not a lost one: the reuse
    // rule still decides when to connect again.
    const bool connected = GetDbConnection() != nullptr;
    const Result result = WriteOn(db_->handle_, w);
    if (connected && db_->handle_ == nullptr) {
        db_->lost_ = true;  // lost under the write: the next request connects anew
    }
    return result;
}

Rows SharedSession::StreamQuery(std::string_view sql,
                                const std::function<void(const std::vector<std::string>&)>& columns,
                                const std::function<void(char**, unsigned long*)>& row) {
    Result result = Execute(sql);
    if (result.Unknown()) {
        result = Execute(sql);
    }
    if (!result) {
        return Rows{};
    }
    MYSQL* connection = db_->handle_;
    MYSQL_RES* stream = mysql_use_result(connection);
    if (stream == nullptr) {
        Note(Result{ConnectionLost(mysql_errno(connection)) ? Outcome::Unknown : Outcome::Refused,
                    mysql_errno(connection)});
        return Rows{};
    }
    const unsigned count = mysql_num_fields(stream);
    const MYSQL_FIELD* fields = mysql_fetch_fields(stream);
    std::vector<std::string> names;
    names.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        names.emplace_back(fields[i].name, fields[i].name_length);
    }
    columns(names);
    int64_t rows = 0;
    while (MYSQL_ROW fields_of_row = mysql_fetch_row(stream)) {
        row(fields_of_row, mysql_fetch_lengths(stream));
        ++rows;
    }
    // The end of the rows and a transfer cut short look alike until asked.
    const unsigned error = mysql_errno(connection);
    mysql_free_result(stream);
    if (error != 0) {
        Note(Result{ConnectionLost(error) ? Outcome::Unknown : Outcome::Refused, error});
        return Rows{};
    }
    return Rows{true, rows};
}

MYSQL* SharedSession::Handle() const {
    return db_->handle_;
}

// ---- private connections

PrivateConnection::PrivateConnection() : handle_(ConnectEndpoint()) {}

PrivateConnection::~PrivateConnection() {
    CloseConnection(handle_);
}

Result PrivateConnection::Execute(std::string_view sql) {
    return ExecuteOn(handle_, sql);
}

Result PrivateConnection::Write(const data::Write& w) {
    return WriteOn(handle_, w);
}

RecordSet PrivateConnection::Query(std::string_view sql) {
    return Execute(sql) ? StoreResultOf(handle_) : RecordSet::Unread();
}

}  // namespace kob::data
