#pragma once
// What the benchmarks against the test server share: the process start, the
// logged-in window they time, and the statements that fill the tables.
#include <memory>
#include <string>
#include <string_view>

#include "app/program.h"
#include "data/db.h"

namespace kob::bench {

// Before the QApplication: offscreen unless a platform is chosen, and the
// test paths, so that no real wyf.ini is read or written.
void PrepareQt();

// False, with the refusal printed, unless the program is built for a test
// server of scripts/db.sh.
bool OnTestServer(const char* bench);

// The main window shown on the page, logged in as operator 1.
std::unique_ptr<Program> LoggedInProgram(Program::Services services, int page);

// A private connection that fills the tables; whatever fails is printed
// under the benchmark's name.
class TableFiller {
  public:
    explicit TableFiller(const char* bench) : bench_(bench) {}
    // False, printed, when there is no server.
    bool Connected() const;
    bool Exec(const std::string& sql);
    // Empties userlist, paylist and costlist.
    bool EmptyTables();
    data::PrivateConnection& connection() { return connection_; }

  private:
    const char* bench_;
    data::PrivateConnection connection_;
};

// Members numbered by the column `number` of the rows of `from`: names from
// common surnames and given names, phones 13xxxxxxxxx.
std::string InsertMembersStatement(std::string_view number, std::string_view from);
// That name as an expression of the number.
std::string MemberNameExpression(std::string_view number);

}  // namespace kob::bench
