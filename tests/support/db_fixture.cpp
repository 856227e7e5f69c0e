#include "support/db_fixture.h"

#include <mysql.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "data/db.h"
#include "platform/core/text.h"

namespace kob::test {
namespace {

std::string LastError(MYSQL* connection) {
    return connection ? mysql_error(connection) : "no connection";
}

// True when every thread of pid is in the stopped state. SIGSTOP wakes one
// thread of the process, which then stops the others: until it has run, the
// server's connection threads still answer whatever reaches them.
bool EveryThreadStopped(int pid) {
    std::error_code error;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    bool any = false;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream stat(task.path() / "stat");
        std::string line;
        std::getline(stat, line);
        // "tid (comm) S ...": the state follows the last parenthesis.
        const auto close = line.rfind(')');
        if (close == std::string::npos || close + 2 >= line.size()) {
            continue;  // the thread has just ended
        }
        if (line[close + 2] != 'T') {
            return false;
        }
        any = true;
    }
    return any && !error;
}

}  // namespace

bool ResetTables(std::string* error) {
    data::PrivateConnection connection;
    if (connection.IsNone()) {
        if (error) {
            *error = "cannot connect to the test server on 127.0.0.1:" +
                     std::to_string(data::DbEndpoint::kPort) +
                     "; start it with: bash scripts/db.sh start";
        }
        return false;
    }
    for (const char* table : {"userlist", "paylist", "costlist", "xmlist", "bosslist"}) {
        if (!connection.Execute(std::string("TRUNCATE TABLE `") + table + "`")) {
            if (error) {
                *error = std::string("TRUNCATE ") + table + ": " + LastError(connection.Handle());
            }
            return false;
        }
    }
    return true;
}

bool Exec(std::string_view sql) {
    data::PrivateConnection connection;
    if (!connection.Execute(sql)) {
        ADD_FAILURE() << "statement failed: " << sql << "\n  " << LastError(connection.Handle());
        return false;
    }
    return true;
}

std::vector<std::vector<std::string>> Rows(std::string_view sql) {
    std::vector<std::vector<std::string>> rows;
    data::PrivateConnection connection;
    if (!connection.Execute(sql)) {
        ADD_FAILURE() << "query failed: " << sql << "\n  " << LastError(connection.Handle());
        return rows;
    }
    MYSQL_RES* result = mysql_store_result(connection.Handle());
    if (result == nullptr) {
        return rows;
    }
    const unsigned columns = mysql_num_fields(result);
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
        const unsigned long* lengths = mysql_fetch_lengths(result);
        std::vector<std::string> cells;
        for (unsigned i = 0; i < columns; ++i) {
            cells.push_back(row[i] ? GbkToUtf8(std::string_view(row[i], lengths[i])) : "");
        }
        rows.push_back(std::move(cells));
    }
    mysql_free_result(result);
    return rows;
}

std::string Scalar(std::string_view sql) {
    const auto rows = Rows(sql);
    return rows.empty() || rows[0].empty() ? std::string() : rows[0][0];
}

int RunDbScript(std::string_view command) {
    const char* source = std::getenv("KOBRELAN_SOURCE_DIR");
    const std::string root = source && *source ? source : KOBRELAN_TEST_SOURCE_DIR;
    const std::string line = "KOBRELAN_DB_PORT=" + std::to_string(data::DbEndpoint::kPort) +
                             " bash '" + root + "/scripts/db.sh' " + std::string(command) +
                             " >/dev/null";
    const int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

FrozenServer::FrozenServer() {
    const char* source = std::getenv("KOBRELAN_SOURCE_DIR");
    const std::string root = source && *source ? source : KOBRELAN_TEST_SOURCE_DIR;
    std::ifstream file(root + "/.run/db-" + std::to_string(data::DbEndpoint::kPort) +
                       "/mariadbd.pid");
    int pid = 0;
    if (!(file >> pid) || pid <= 0 || kill(pid, SIGSTOP) != 0) {
        return;
    }
    pid_ = pid;
    // Handed over only once nothing of the server can run any more.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!EveryThreadStopped(pid)) {
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "the test server's threads did not all stop within 5 s";
            return;
        }
        usleep(200);
    }
    stopped_ = true;
}

FrozenServer::~FrozenServer() {
    if (resumer_.joinable()) {
        resumer_.join();
    }
    Resume();
}

void FrozenServer::ResumeAfter(int ms) {
    resumer_ = std::thread([this, ms] {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        Resume();
    });
}

void FrozenServer::Resume() {
    if (pid_ > 0) {
        kill(pid_, SIGCONT);
    }
}

namespace {

MYSQL* LogConnection(void* connection) {
    return static_cast<MYSQL*>(connection);
}

bool RunOn(MYSQL* connection, std::string_view sql) {
    return mysql_real_query(connection, sql.data(), static_cast<unsigned long>(sql.size())) == 0;
}

}  // namespace

ServerLog::ServerLog() {
    MYSQL* connection = mysql_init(nullptr);
    if (connection == nullptr) {
        return;
    }
    connection_ = connection;
    const std::string account = std::string(data::DbEndpoint::kAccount) + "_log";
    if (mysql_real_connect(connection, data::DbEndpoint::kHost, account.c_str(),
                           data::DbEndpoint::kPassword, nullptr, data::DbEndpoint::kPort, nullptr,
                           0) == nullptr) {
        ADD_FAILURE() << "the log account cannot connect (run scripts/db.sh start again): "
                      << mysql_error(connection);
        return;
    }
    on_ = RunOn(connection, "SET GLOBAL log_output = 'TABLE'") &&
          RunOn(connection, "TRUNCATE TABLE `mysql`.`general_log`") &&
          RunOn(connection, "SET GLOBAL general_log = 1");
    if (!on_) {
        ADD_FAILURE() << "the general log cannot be switched on: " << mysql_error(connection);
    }
}

ServerLog::~ServerLog() {
    if (on_) {
        Stop();
    }
    mysql_close(LogConnection(connection_));
}

std::vector<ServerLog::Entry> ServerLog::Stop() {
    std::vector<Entry> entries;
    MYSQL* connection = LogConnection(connection_);
    if (!on_) {
        return entries;
    }
    on_ = false;
    const std::string read =
        "SELECT `command_type`, `argument` FROM `mysql`.`general_log` WHERE `thread_id` <> " +
        std::to_string(mysql_thread_id(connection));
    if (!RunOn(connection, "SET GLOBAL general_log = 0") || !RunOn(connection, read)) {
        ADD_FAILURE() << "the general log cannot be read: " << mysql_error(connection);
        return entries;
    }
    MYSQL_RES* result = mysql_store_result(connection);
    if (result == nullptr) {
        return entries;
    }
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
        const unsigned long* lengths = mysql_fetch_lengths(result);
        entries.push_back(
            {std::string(row[0], lengths[0]), GbkToUtf8(std::string_view(row[1], lengths[1]))});
    }
    mysql_free_result(result);
    return entries;
}

int RoundTrips(const std::vector<ServerLog::Entry>& entries) {
    int n = 0;
    for (const auto& entry : entries) {
        n += entry.command == "Query" || entry.command == "Connect" ? 1 : 0;
    }
    return n;
}

std::string Listing(const std::vector<ServerLog::Entry>& entries) {
    std::string text;
    for (const auto& entry : entries) {
        text += "  " + entry.command + " " + entry.argument + "\n";
    }
    return text;
}

void DbTest::SetUp() {
    std::string error;
    ASSERT_TRUE(ResetTables(&error)) << error;
}

}  // namespace kob::test
