#include "data/db.h"

#include <mysql.h>
#include <strings.h>

#include <limits>

#include "platform/core/text.h"

namespace kob::data {
namespace {

constexpr unsigned int kConnectTimeoutSeconds = 3;
// A server that stops answering must not freeze the window for good; the
// program's statements take well under a second, so this only ends a hang.
constexpr unsigned int kReadWriteTimeoutSeconds = 30;
constexpr uint32_t kReuseMilliseconds = 60000;

bool LibraryReady() {
    // mysql_init would do this too, but not safely from two threads at once.
    static const bool ready = mysql_library_init(0, nullptr, nullptr) == 0;
    return ready;
}

}  // namespace

MYSQL* ConnectEndpoint() {
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
    mysql_optionsv(connection, MYSQL_OPT_READ_TIMEOUT, &kReadWriteTimeoutSeconds);
    mysql_optionsv(connection, MYSQL_OPT_WRITE_TIMEOUT, &kReadWriteTimeoutSeconds);
    const my_bool reconnect = 0;
    mysql_optionsv(connection, MYSQL_OPT_RECONNECT, &reconnect);
    if (mysql_real_connect(connection, DbEndpoint::kHost, DbEndpoint::kAccount,
                           DbEndpoint::kPassword, DbEndpoint::kSchema, DbEndpoint::kPort, nullptr,
                           0) == nullptr) {
        mysql_close(connection);
        return nullptr;
    }
    return connection;
}

void CloseConnection(MYSQL*& connection) {
    if (connection != nullptr) {
        mysql_close(connection);
        connection = nullptr;
    }
}

// ---- RecordSet

RecordSet::RecordSet(MYSQL_RES* result) : result_(result) {
    MoveTo(0);
}

RecordSet::RecordSet(RecordSet&& other) noexcept
    : result_(other.result_),
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

const char* RecordSet::Field(std::string_view column, unsigned long* length) const {
    if (row_ == nullptr || lengths_ == nullptr) {
        return nullptr;
    }
    const unsigned count = mysql_num_fields(result_);
    const MYSQL_FIELD* fields = mysql_fetch_fields(result_);
    for (unsigned i = 0; i < count; ++i) {
        // Column names are not case-sensitive on the server either.
        if (fields[i].name_length == column.size() &&
            strncasecmp(fields[i].name, column.data(), column.size()) == 0) {
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

int32_t RecordSet::Int32(std::string_view column) const {
    unsigned long length = 0;
    const char* value = Field(column, &length);
    // Digits, blanks and signs are the same bytes in GBK: no conversion.
    return value ? ToInt32(std::string_view(value, length)) : 0;
}

int RecordSet::ColumnIndex(std::string_view column) const {
    if (result_ == nullptr) {
        return -1;
    }
    const unsigned count = mysql_num_fields(result_);
    const MYSQL_FIELD* fields = mysql_fetch_fields(result_);
    for (unsigned i = 0; i < count; ++i) {
        if (fields[i].name_length == column.size() &&
            strncasecmp(fields[i].name, column.data(), column.size()) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string_view RecordSet::RawText(int index) const {
    if (row_ == nullptr || lengths_ == nullptr || index < 0 ||
        static_cast<unsigned>(index) >= mysql_num_fields(result_) || row_[index] == nullptr) {
        return {};
    }
    return {row_[index], lengths_[index]};
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

bool ExecuteOn(MYSQL* connection, std::string_view sql) {
    if (connection == nullptr) {
        return false;
    }
    // A text GBK cannot hold is not sent at all: nothing is stored mangled.
    const auto gbk = Utf8ToGbk(sql);
    if (!gbk) {
        return false;
    }
    return mysql_real_query(connection, gbk->data(), static_cast<unsigned long>(gbk->size())) == 0;
}

RecordSet StoreResultOf(MYSQL* connection) {
    return connection ? RecordSet(mysql_store_result(connection)) : RecordSet();
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
        renew = elapsed > static_cast<int32_t>(kReuseMilliseconds);
    }
    if (renew) {
        CloseConnection(d.handle_);
        ++d.connect_attempts_;
        d.handle_ = d.connect_ ? d.connect_() : nullptr;
    }
    // Read again: time spent connecting does not count.
    d.previous_tick_ = d.clock_.TickCount();
    return d.handle_;
}

int32_t SharedSession::RunQuery(std::string_view sql) {
    MYSQL* connection = GetDbConnection();
    // The result a caller left unfreed is released rather than leaked. A
    // stored result owns its rows and fields, so this is safe even when the
    // request above has just closed the connection it came from.
    db_->shared_.Free();
    if (!ExecuteOn(connection, sql)) {
        return 0;
    }
    db_->shared_ = StoreResultOf(connection);
    const uint64_t rows = db_->shared_.RowCount();
    return rows > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())
               ? std::numeric_limits<int32_t>::max()
               : static_cast<int32_t>(rows);
}

RecordSet& SharedSession::SharedRecordSet() {
    return db_->shared_;
}

void SharedSession::FreeSharedRecordSet() {
    db_->shared_.Free();
}

bool SharedSession::Execute(std::string_view sql) {
    MYSQL* connection = GetDbConnection();
    return ExecuteOn(connection, sql);
}

RecordSet SharedSession::StoreResult() {
    return StoreResultOf(db_->handle_);
}

MYSQL* SharedSession::Handle() const {
    return db_->handle_;
}

// ---- private connections

PrivateConnection::PrivateConnection() : handle_(ConnectEndpoint()) {}

PrivateConnection::~PrivateConnection() {
    CloseConnection(handle_);
}

bool PrivateConnection::Execute(std::string_view sql) {
    return ExecuteOn(handle_, sql);
}

RecordSet PrivateConnection::Query(std::string_view sql) {
    return Execute(sql) ? StoreResultOf(handle_) : RecordSet();
}

}  // namespace kob::data
