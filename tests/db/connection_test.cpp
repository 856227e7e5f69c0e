// The shared connection's reuse rule, RunQuery and the result sets, against
// the real server, with time moved by a ManualClock.
#include <gtest/gtest.h>
#include <mysql.h>

#include <atomic>

#include "checkout/checkout_statements.h"
#include "data/db.h"
#include "support/db_fixture.h"
#include "support/manual_clock.h"

namespace kob::data {
namespace {

// Counts connects and can refuse them, as a server that cannot be reached.
struct Connector {
    std::atomic<bool> reachable{true};
    ManualClock* clock = nullptr;
    uint32_t connect_takes_ms = 0;

    Database::Connector Get() {
        return [this]() -> MYSQL* {
            if (clock && connect_takes_ms) {
                clock->Advance(connect_takes_ms);
            }
            return reachable ? ConnectEndpoint() : nullptr;
        };
    }
};

// The server's id of the shared connection; 0 for none.
unsigned long ConnectionId(Database& db) {
    auto session = db.Acquire();
    MYSQL* handle = session.GetDbConnection();
    return handle ? mysql_thread_id(handle) : 0;
}

class ConnectionTest : public test::DbTest {};

TEST_F(ConnectionTest, FirstRequestConnects) {
    ManualClock clock;
    Database db(clock);
    EXPECT_EQ(db.ConnectAttempts(), 0);
    auto session = db.Acquire();
    EXPECT_NE(session.GetDbConnection(), nullptr);
    EXPECT_EQ(db.ConnectAttempts(), 1);
    EXPECT_NE(session.Handle(), nullptr);
}

struct ReuseCase {
    const char* what;
    uint32_t first_tick;
    uint32_t pause_ms;
    bool reconnects;
};

TEST_F(ConnectionTest, ReconnectsOnlyAfterMoreThan60000ms) {
    const ReuseCase cases[] = {
        {"no pause", 1000, 0, false},
        {"exactly 60000 ms", 1000, 60000, false},
        {"60001 ms", 1000, 60001, true},
        {"tick wraps: 7 s before, 5 s after", 0xFFFFFFFFu - 6999, 12000, false},
        {"tick wraps after a long pause", 0xFFFFFFFFu - 6999, 70000, true},
        // 2^31 ms and more read as negative: not a long pause.
        {"pause of 2^31 + 1000 ms", 1000, 0x80000000u + 1000, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ManualClock clock(c.first_tick);
        Database db(clock);
        const unsigned long first = ConnectionId(db);
        ASSERT_NE(first, 0u);
        clock.Advance(c.pause_ms);
        const unsigned long second = ConnectionId(db);
        ASSERT_NE(second, 0u);
        EXPECT_EQ(db.ConnectAttempts(), c.reconnects ? 2 : 1);
        EXPECT_EQ(second != first, c.reconnects);
    }
}

TEST_F(ConnectionTest, RequestsEvery59SecondsKeepTheFirstConnectionForHours) {
    ManualClock clock;
    Database db(clock);
    const unsigned long first = ConnectionId(db);
    ASSERT_NE(first, 0u);
    for (int i = 0; i < 3 * 3600 / 59; ++i) {
        clock.Advance(59000);
        auto session = db.Acquire();
        ASSERT_EQ(session.RunQuery("SELECT CONNECTION_ID() AS id").count, 1);
        EXPECT_EQ(static_cast<unsigned long>(session.SharedRecordSet().Int32("id")), first);
        session.FreeSharedRecordSet();
    }
    EXPECT_EQ(db.ConnectAttempts(), 1);
}

TEST_F(ConnectionTest, TimeSpentConnectingDoesNotCount) {
    ManualClock clock;
    Connector connector;
    connector.clock = &clock;
    connector.connect_takes_ms = 5000;
    Database db(clock, connector.Get());
    ConnectionId(db);
    clock.Advance(60000);  // 65000 ms after the request began, 60000 after it ended
    ConnectionId(db);
    EXPECT_EQ(db.ConnectAttempts(), 1);
}

TEST_F(ConnectionTest, AfterAFailedConnectOnlyALongPauseConnectsAgain) {
    ManualClock clock;
    Connector connector;
    connector.reachable = false;
    Database db(clock, connector.Get());
    {
        auto session = db.Acquire();
        EXPECT_EQ(session.GetDbConnection(), nullptr);
        EXPECT_TRUE(session.RunQuery("SELECT 1 AS v").Failed());
        EXPECT_TRUE(session.SharedRecordSet().IsNone());
        EXPECT_FALSE(session.Execute("DELETE FROM `xmlist`"));
        // A write without a connection is refused, not lost: it brings the
        // next connect no closer.
        const Result written = session.Write(RepeatableWrite("DELETE FROM `xmlist`"));
        EXPECT_FALSE(written);
        EXPECT_FALSE(written.Unknown());
        EXPECT_TRUE(session.RunQuery("SELECT 1 AS v").Failed());
    }
    EXPECT_EQ(db.ConnectAttempts(), 1);

    connector.reachable = true;  // the server is back, but nobody asks yet
    for (int i = 0; i < 30; ++i) {
        clock.Advance(10000);
        auto session = db.Acquire();
        EXPECT_EQ(session.RunQuery("SELECT 1 AS v").count, 0);
    }
    EXPECT_EQ(db.ConnectAttempts(), 1);

    clock.Advance(61000);
    auto session = db.Acquire();
    EXPECT_EQ(session.RunQuery("SELECT 1 AS v").count, 1);
    EXPECT_EQ(db.ConnectAttempts(), 2);
}

TEST_F(ConnectionTest, StatementErrorsNeverReconnect) {
    ManualClock clock;
    Database db(clock);
    auto session = db.Acquire();
    EXPECT_TRUE(session.RunQuery("SELECT * FROM `no_such_table`").Failed());
    EXPECT_FALSE(session.Execute("THIS IS NOT SQL"));
    EXPECT_EQ(session.RunQuery("SELECT 1 AS v").count, 1);
    EXPECT_EQ(db.ConnectAttempts(), 1);
}

TEST_F(ConnectionTest, RunQueryOnAnEmptyTableLeavesAnEmptyResultToFree) {
    ManualClock clock;
    Database db(clock);
    auto session = db.Acquire();
    const Rows rows = session.RunQuery(ServiceItemsQuery());  // the checkout's item list
    EXPECT_FALSE(rows.Failed());                              // read, with no rows: not a failure
    EXPECT_EQ(rows.count, 0);
    RecordSet& set = session.SharedRecordSet();
    EXPECT_FALSE(set.IsNone());
    EXPECT_EQ(set.RowCount(), 0u);
    EXPECT_EQ(set.Text("xm_name"), "");
    EXPECT_EQ(set.Int32("xm_id"), 0);
    session.FreeSharedRecordSet();
    EXPECT_TRUE(set.IsNone());
}

TEST_F(ConnectionTest, FailingStatementLeavesNoResult) {
    ManualClock clock;
    Database db(clock);
    auto session = db.Acquire();
    ASSERT_EQ(session.RunQuery("SELECT 1 AS v").count, 1);  // a result still held...
    EXPECT_EQ(session.RunQuery("SELECT * FROM `kobrelan`.`nothing`").count, 0);
    EXPECT_TRUE(session.SharedRecordSet().IsNone());  // ...is gone, and none is left
    session.FreeSharedRecordSet();                    // does nothing
    EXPECT_TRUE(session.SharedRecordSet().IsNone());
}

TEST_F(ConnectionTest, ResultsOutliveTheConnectionTheyCameFrom) {
    ManualClock clock;
    Database db(clock);
    auto session = db.Acquire();
    ASSERT_EQ(session.RunQuery("SELECT 1 AS v").count, 1);  // left unfreed
    RecordSet own;
    ASSERT_TRUE(session.Execute("SELECT 2 AS w"));
    own = session.StoreResult();
    clock.Advance(60001);
    EXPECT_EQ(session.RunQuery("SELECT 3 AS v").count, 1);  // reconnects, then frees the old result
    EXPECT_EQ(db.ConnectAttempts(), 2);
    EXPECT_EQ(session.SharedRecordSet().Int32("v"), 3);
    EXPECT_EQ(own.Int32("w"), 2);  // still readable after its connection closed
    FreeRecordSet(own);
}

TEST_F(ConnectionTest, FreeRecordSetOnNoneDoesNothing) {
    RecordSet none;
    FreeRecordSet(none);
    FreeRecordSet(none);
    EXPECT_TRUE(none.IsNone());
    EXPECT_EQ(none.RowCount(), 0u);
    EXPECT_EQ(none.Text("x"), "");
    none.MoveTo(3);
    EXPECT_EQ(none.Int32("x"), 0);
}

TEST_F(ConnectionTest, RowsAreReadByNameAtAnyRow) {
    ASSERT_TRUE(
        test::Exec("INSERT INTO `xmlist`(`xm_name`,`xm_money`,`xm_del`,`xm_notes`) VALUES "
                   "('足疗','88','0',''),('修脚','-5','0','x'),('按摩','','0','')"));
    ManualClock clock;
    Database db(clock);
    auto session = db.Acquire();
    ASSERT_EQ(session
                  .RunQuery("SELECT `xm_id`, `xm_name`, `xm_money`, NULL AS `gone` "
                            "FROM `xmlist` ORDER BY `xm_id`")
                  .count,
              3);
    RecordSet& set = session.SharedRecordSet();
    EXPECT_EQ(set.Text("xm_name"), "足疗");  // the first row is current at first
    set.MoveTo(2);
    EXPECT_EQ(set.Text("xm_name"), "按摩");
    EXPECT_EQ(set.Int32("xm_money"), 0);
    EXPECT_EQ(set.Text("gone"), "");
    EXPECT_EQ(set.Int32("gone"), 0);
    EXPECT_EQ(set.Text("no_such_column"), "");
    set.MoveTo(1);
    EXPECT_EQ(set.Int32("xm_money"), -5);
    EXPECT_EQ(set.Text("XM_NAME"), "修脚");
    set.MoveTo(3);  // past the end: no current row
    EXPECT_EQ(set.Text("xm_name"), "");
}

TEST_F(ConnectionTest, EndingTheSessionFreesTheSharedResult) {
    ManualClock clock;
    Database db(clock);
    {
        auto outer = db.Acquire();
        ASSERT_EQ(outer.RunQuery("SELECT 1 AS v").count, 1);
        {
            auto inner = db.Acquire();  // the same thread may nest
            EXPECT_TRUE(inner.Execute("DO 1"));
        }
        EXPECT_FALSE(outer.SharedRecordSet().IsNone());  // only the outermost end frees
        EXPECT_EQ(outer.SharedRecordSet().Int32("v"), 1);
    }
    auto later = db.Acquire();
    EXPECT_TRUE(later.SharedRecordSet().IsNone());
}

TEST_F(ConnectionTest, PrivateConnectionsAreTheirOwn) {
    ManualClock clock;
    Database db(clock);
    const unsigned long shared = ConnectionId(db);
    PrivateConnection mine;
    ASSERT_FALSE(mine.IsNone());
    EXPECT_NE(mysql_thread_id(mine.Handle()), shared);
    RecordSet set = mine.Query("SELECT MAX(`user_id`) + 1 AS next FROM `userlist`");
    ASSERT_FALSE(set.IsNone());
    EXPECT_EQ(set.Text("next"), "");  // empty table: NULL
    EXPECT_TRUE(mine.Query("SELECT * FROM nowhere").IsNone());
    EXPECT_EQ(db.ConnectAttempts(), 1);
}

TEST_F(ConnectionTest, ConnectionUsesGbk) {
    PrivateConnection mine;
    RecordSet set = mine.Query(
        "SELECT @@character_set_client AS c, @@character_set_results AS r, "
        "@@character_set_connection AS n");
    EXPECT_EQ(set.Text("c"), "gbk");
    EXPECT_EQ(set.Text("r"), "gbk");
    EXPECT_EQ(set.Text("n"), "gbk");
}

// The real server goes away and comes back during a run.
TEST_F(ConnectionTest, ServerStoppedAndStartedDuringARun) {
    ManualClock clock;
    Database db(clock);
    ASSERT_NE(ConnectionId(db), 0u);

    ASSERT_EQ(test::RunDbScript("stop"), 0);
    struct Restart {
        ~Restart() {
            if (!started) {
                test::RunDbScript("start");
            }
        }
        bool started = false;
    } restart;

    {
        // The loss is noticed: with the server down, each request tries anew.
        auto session = db.Acquire();
        EXPECT_TRUE(session.RunQuery("SELECT * FROM `bosslist`").Failed());
        EXPECT_TRUE(session.SharedRecordSet().IsNone());
        EXPECT_FALSE(session.Execute("INSERT INTO `xmlist`(`xm_name`) VALUES ('x')"));
    }
    PrivateConnection refused;
    EXPECT_TRUE(refused.IsNone());

    ASSERT_EQ(test::RunDbScript("start"), 0);
    restart.started = true;

    // The first request after the server is back works, well within 60 s.
    clock.Advance(10000);
    const int attempts = db.ConnectAttempts();
    {
        auto session = db.Acquire();
        EXPECT_EQ(session.RunQuery("SELECT 1 AS v").count, 1);
        EXPECT_EQ(db.ConnectAttempts(), attempts + 1);
    }
    // From then on the rule is the usual one.
    clock.Advance(60000);
    EXPECT_EQ(ConnectionId(db), ConnectionId(db));
    EXPECT_EQ(db.ConnectAttempts(), attempts + 1);
}

// A restarted server: the statement that finds the connection gone is run
// again on a new one, reads and writes alike, 10 s after the previous request.
TEST_F(ConnectionTest, TheFirstStatementAfterARestartWorks) {
    ManualClock clock;
    Database db(clock);
    const unsigned long before = ConnectionId(db);
    ASSERT_NE(before, 0u);
    ASSERT_EQ(test::RunDbScript("stop"), 0);
    ASSERT_EQ(test::RunDbScript("start"), 0);
    clock.Advance(10000);
    {
        auto session = db.Acquire();
        ASSERT_EQ(session.RunQuery("SELECT CONNECTION_ID() AS id").count, 1);
        EXPECT_NE(static_cast<unsigned long>(session.SharedRecordSet().Int32("id")), before);
    }
    EXPECT_EQ(db.ConnectAttempts(), 2);

    ASSERT_EQ(test::RunDbScript("stop"), 0);
    ASSERT_EQ(test::RunDbScript("start"), 0);
    clock.Advance(10000);
    {
        auto session = db.Acquire();
        const Result written =
            session.Write(InsertWrite("INSERT INTO `xmlist`(`xm_name`) VALUES ('足疗')", "xmlist",
                                      "xm_id", {{"xm_name", "足疗"}}));
        EXPECT_TRUE(written);
    }
    EXPECT_EQ(test::Scalar("SELECT COUNT(*) FROM `xmlist`"), "1");
}

// The server's answers, told apart where the library reports them.
TEST_F(ConnectionTest, OutcomesOfAStatement) {
    ManualClock clock;
    Database db(clock);
    auto session = db.Acquire();
    const Result done = session.Execute("INSERT INTO `userlist`(`user_id`) VALUES (7)");
    EXPECT_TRUE(done);
    const Result taken = session.Execute("INSERT INTO `userlist`(`user_id`) VALUES (7)");
    EXPECT_FALSE(taken);
    EXPECT_FALSE(taken.Unknown());
    EXPECT_TRUE(taken.DuplicateKey());
    const Result not_sql = session.Execute("THIS IS NOT SQL");
    EXPECT_FALSE(not_sql.Unknown());
    EXPECT_FALSE(not_sql.DuplicateKey());
    const Result not_gbk = session.Execute("SELECT '😀'");
    EXPECT_FALSE(not_gbk);
    EXPECT_FALSE(not_gbk.Unknown());

    // Killed from elsewhere: the statement's fate is the server's, not ours.
    const std::string id = std::to_string(mysql_thread_id(session.Handle()));
    ASSERT_TRUE(test::Exec("KILL " + id));
    const Result lost = session.Execute("DO 1");
    EXPECT_TRUE(lost.Unknown());
    // ...and the next request replaces the connection at once.
    EXPECT_EQ(session.RunQuery("SELECT 1 AS v").count, 1);
    EXPECT_EQ(db.ConnectAttempts(), 2);
}

}  // namespace
}  // namespace kob::data
