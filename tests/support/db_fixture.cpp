#include "support/db_fixture.h"

#include <mysql.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>

#include "data/db.h"
#include "platform/core/text.h"

namespace kob::test {
namespace {

std::string LastError(MYSQL* connection) {
    return connection ? mysql_error(connection) : "no connection";
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
    if (file >> pid && pid > 0 && kill(pid, SIGSTOP) == 0) {
        pid_ = pid;
    }
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

void DbTest::SetUp() {
    std::string error;
    ASSERT_TRUE(ResetTables(&error)) << error;
}

}  // namespace kob::test
