#pragma once
// The tests and benchmarks empty or replace the tables of the server the
// program is built for. They run only against a server that scripts/db.sh
// made for them: its marker (schema kobrelan_test_marker) holds the random
// token that db.sh wrote beside the server's data directory. A shop's server
// and the demo's never hold it.
#include <string>

namespace kob::test {

// Empty when the built-in endpoint is such a test server. Otherwise the
// refusal to show, naming host and port. Reads only, on a connection of its
// own.
std::string RefusalUnlessTestServer(const char* program);

}  // namespace kob::test
