#include "support/test_server.h"

#include <cstdlib>
#include <fstream>

#include "data/db.h"

namespace kob::test {
namespace {

std::string Endpoint() {
    return std::string(data::DbEndpoint::kHost) + ":" + std::to_string(data::DbEndpoint::kPort);
}

// Where db.sh keeps the test server of this port, as it picks it.
std::string MarkerFile() {
    const char* dir = std::getenv("KOBRELAN_DB_DIR");
    if (dir && *dir) {
        return std::string(dir) + "/test-marker";
    }
    const char* source = std::getenv("KOBRELAN_SOURCE_DIR");
    const std::string root = source && *source ? source : KOBRELAN_TEST_SOURCE_DIR;
    return root + "/.run/db-" + std::to_string(data::DbEndpoint::kPort) + "/test-marker";
}

std::string Refusal(const char* program, const std::string& why) {
    const std::string port = std::to_string(data::DbEndpoint::kPort);
    return std::string(program) + ": refused: the server on " + Endpoint() +
           " is not a test server made by scripts/db.sh\n  (" + why +
           ").\n  The tests and benchmarks empty the tables of the server they are built for,"
           "\n  so none of them runs against this one; nothing was written to it.\n  Build "
           "them for a test server (KOBRELAN_DB_PORT=" +
           port + " bash scripts/db.sh start);\n  a shop's build leaves them out: " +
           "-DKOBRELAN_TESTS=OFF -DKOBRELAN_BENCH=OFF.";
}

}  // namespace

std::string RefusalUnlessTestServer(const char* program) {
    const std::string file = MarkerFile();
    std::string expected;
    {
        std::ifstream in(file);
        in >> expected;
    }
    data::PrivateConnection connection;
    if (connection.IsNone()) {
        return std::string(program) + ": cannot connect to the test server on " + Endpoint() +
               "; start it with: KOBRELAN_DB_PORT=" + std::to_string(data::DbEndpoint::kPort) +
               " bash scripts/db.sh start";
    }
    data::RecordSet marker =
        connection.Query("SELECT `token` FROM `kobrelan_test_marker`.`marker`");
    if (marker.IsNone() || marker.RowCount() != 1) {
        return Refusal(program, "it holds no test marker readable by the program's account");
    }
    if (expected.empty()) {
        return Refusal(program, "there is no " + file + " to compare its marker with");
    }
    if (marker.TextAt(0) != expected) {
        return Refusal(program, "its marker differs from " + file);
    }
    return {};
}

}  // namespace kob::test
