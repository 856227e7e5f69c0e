// The window thread and the login-name worker share one connection and one
// result set: a session keeps them apart.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "data/db.h"
#include "support/db_fixture.h"

namespace kob::data {
namespace {

class SharedConnectionThreadTest : public test::DbTest {};

TEST_F(SharedConnectionThreadTest, TwoThreadsNeverSeeEachOthersRows) {
    ASSERT_TRUE(
        test::Exec("INSERT INTO `xmlist`(`xm_name`,`xm_money`,`xm_del`) VALUES "
                   "('甲1','1','0'),('甲2','2','0'),('甲3','3','0')"));
    ASSERT_TRUE(
        test::Exec("INSERT INTO `bosslist`(`boss_tel`,`boss_name`,`boss_key`) VALUES "
                   "('乙1','b','k'),('乙2','b','k')"));
    SystemClock clock;
    Database db(clock);
    constexpr int kRounds = 2000;
    std::atomic<int> wrong{0};

    // Each thread runs its own query, reads every row and frees the result.
    auto worker = [&](const char* sql, const char* column, const char* prefix, int rows) {
        for (int i = 0; i < kRounds; ++i) {
            auto session = db.Acquire();
            if (session.RunQuery(sql).count != rows) {
                ++wrong;
                continue;
            }
            RecordSet& set = session.SharedRecordSet();
            for (int row = 0; row < rows; ++row) {
                set.MoveTo(static_cast<uint64_t>(row));
                if (set.Text(column) != prefix + std::to_string(row + 1)) {
                    ++wrong;
                }
            }
            // Every other round leaves the freeing to the end of the session.
            if (i % 2 == 0) {
                session.FreeSharedRecordSet();
            }
        }
    };
    std::thread window(worker,
                       "SELECT * FROM `kobrelan`.`xmlist` WHERE `xm_del` <> 1 "
                       "ORDER BY `xm_id`",
                       "xm_name", "甲", 3);
    std::thread login(worker, "SELECT * FROM `kobrelan`.`bosslist` ORDER BY `boss_id`", "boss_tel",
                      "乙", 2);
    window.join();
    login.join();
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_EQ(db.ConnectAttempts(), 1);
}

TEST_F(SharedConnectionThreadTest, PrivateConnectionsOnWorkerThreads) {
    ASSERT_TRUE(
        test::Exec("INSERT INTO `userlist`(`user_id`,`user_name`) VALUES (1,'甲'),(2,'乙')"));
    std::atomic<int> wrong{0};
    auto worker = [&](int card, const char* name) {
        for (int i = 0; i < 200; ++i) {
            PrivateConnection connection;
            RecordSet set = connection.Query(
                "SELECT `user_name` FROM `userlist` WHERE `user_id` = " + std::to_string(card));
            if (set.Text("user_name") != name) {
                ++wrong;
            }
        }
    };
    std::thread a(worker, 1, "甲");
    std::thread b(worker, 2, "乙");
    a.join();
    b.join();
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
}  // namespace kob::data
