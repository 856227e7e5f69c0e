#pragma once
// Shared by the database and window tests: the test server's tables emptied
// before each test, plus small helpers that talk to the server directly.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace kob::test {

// Empties userlist, paylist, costlist, xmlist and bosslist (ids start at 1
// again). False, with the reason in *error, when the server cannot be reached.
bool ResetTables(std::string* error = nullptr);

// Runs one statement on a connection of its own; adds a test failure and
// returns false when it fails.
bool Exec(std::string_view sql);

// Rows of a query as UTF-8 texts (NULL as ""), on a connection of its own.
std::vector<std::vector<std::string>> Rows(std::string_view sql);

// The first column of the first row, "" when there is none.
std::string Scalar(std::string_view sql);

// Runs scripts/db.sh with the port the program is built for; its exit code.
int RunDbScript(std::string_view command);

// The test server's process stopped (SIGSTOP) until the guard resumes it
// (SIGCONT), or at once when the guard goes: a server that stalls. Frozen()
// once every one of its threads has stopped.
class FrozenServer {
  public:
    FrozenServer();
    ~FrozenServer();
    FrozenServer(const FrozenServer&) = delete;
    FrozenServer& operator=(const FrozenServer&) = delete;
    bool Frozen() const { return stopped_; }
    // Resumes the server after ms, from another thread.
    void ResumeAfter(int ms);
    void Resume();

  private:
    int pid_ = 0;
    bool stopped_ = false;
    std::thread resumer_;
};

// The general log of the test server, switched on for the guard's lifetime
// through the log account db.sh gives a test server: what the program's
// sessions sent the server meanwhile, in the order it arrived.
class ServerLog {
  public:
    struct Entry {
        std::string command;  // Connect, Query, Quit, ...
        std::string argument;
    };
    ServerLog();
    ~ServerLog();
    ServerLog(const ServerLog&) = delete;
    ServerLog& operator=(const ServerLog&) = delete;
    bool On() const { return on_; }
    // Switches the log off; the entries of every session but the log's own.
    std::vector<Entry> Stop();

  private:
    void* connection_ = nullptr;
    bool on_ = false;
};

// The requests among entries that wait for the server's answer: connects
// and statements.
int RoundTrips(const std::vector<ServerLog::Entry>& entries);

// The entries as lines, for a failure message.
std::string Listing(const std::vector<ServerLog::Entry>& entries);

// Fixture base: every test starts with empty tables.
class DbTest : public ::testing::Test {
  protected:
    void SetUp() override;
};

}  // namespace kob::test
