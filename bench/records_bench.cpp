// The record pages against the real server with generated data: the
// all-members load of each page beside the mariadb client (--quick, to
// /dev/null) and a bare mysql_store_result loop on the same statement, each
// sort kind, the process's memory around a load, and a second load.
// Needs the server of scripts/db.sh on the port the program is built for;
// it replaces the contents of userlist, paylist and costlist.
//   records_bench [rows per table ...]   (default: 100000 300000 1000000)
#include <malloc.h>
#include <mysql.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QStandardPaths>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/program.h"
#include "data/db.h"
#include "platform/gui/controls.h"
#include "platform/gui/dialogs.h"
#include "platform/gui/services.h"
#include "records/records.h"
#include "ui/main_window.h"

namespace kob {
namespace {

constexpr int kRepeats = 3;

// A system clock whose pause can be switched off, to time a load without it.
class BenchClock : public SystemClock {
  public:
    bool pause = true;
    void Pause(uint32_t ms) override {
        if (pause) {
            SystemClock::Pause(ms);
        }
    }
};

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

template <typename F>
double Time(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return Seconds(start);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double RssMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

bool Exec(data::PrivateConnection& c, const std::string& sql) {
    if (!c.Execute(sql)) {
        std::fprintf(stderr, "records_bench: statement failed: %s\n", sql.c_str());
        return false;
    }
    return true;
}

// n recharges and n consumptions over n / 10 members and two years, with
// Chinese names, methods, items and notes; some notes and bonuses empty, some
// bonuses "0", some multi-item and "0个项目" consumptions.
bool Generate(int n) {
    data::PrivateConnection c;
    if (c.IsNone()) {
        std::fprintf(stderr, "records_bench: no server on port %u (bash scripts/db.sh start)\n",
                     data::DbEndpoint::kPort);
        return false;
    }
    const std::string seq = " FROM seq_1_to_" + std::to_string(n);
    const std::string members = std::to_string(std::max(n / 10, 1));
    const std::string name =
        "CONCAT(ELT(1+u%20,'王','李','张','刘','陈','杨','黄','赵','吴','周','徐','孙','马','朱',"
        "'胡','曾','单','乐','解','仇'),ELT(1+(u DIV 20)%20,'小','建','国','明','华','丽','伟',"
        "'芳','军','静','强','磊','洋','艳','勇','杰','娟','涛','超','霞'),IF(u%3=0,'',ELT(1+(u "
        "DIV 400)%10,'平','刚','桂','英','兰','喆','犇','鑫','淼','燚')))";
    const std::string boss = "ELT(1+seq%4,'店长','王经理','Rudal','收银员小李')";
    const std::string time =
        "'2023-01-01 00:00:00' + INTERVAL ((seq*7919)%63072000) SECOND";  // two years
    return Exec(c, "TRUNCATE TABLE `userlist`") && Exec(c, "TRUNCATE TABLE `paylist`") &&
           Exec(c, "TRUNCATE TABLE `costlist`") &&
           Exec(c,
                "INSERT INTO `userlist`(`user_id`,`user_del`,`user_name`,`user_tel`) SELECT "
                "u,0," +
                    name +
                    ",CONCAT('13',LPAD((u*7919)%1000000000,9,'0')) FROM (SELECT seq AS "
                    "u FROM seq_1_to_" +
                    members + ") m") &&
           Exec(c,
                "INSERT INTO `paylist`(`pay_time`,`pay_money`,`pay_give`,`pay_total`,"
                "`pay_method`,`pay_notes`,`pay_del`,`user_id`,`user_name`,`boss_id`,`boss_name`) "
                "SELECT t,m,g,m+g,ELT(1+seq%4,'微信','支付宝','现金','会员卡'),IF(seq%3=0,'',"
                "CONCAT(ELT(1+seq%5,'春节活动','老客户续充','充五百送五十','生日优惠','朋友介绍'),"
                "'第',seq%97,'次')),0,u," +
                    name + ",1+seq%4," + boss + " FROM (SELECT seq," + time +
                    " AS t,50*(1+seq%20) AS m,IF(seq%4=0,0,5*(seq%11)) AS g,1+(seq*31)%" + members +
                    " AS u" + seq + ") s") &&
           Exec(c,
                "INSERT INTO `costlist`(`cost_notes`,`cost_money`,`cost_del`,`cost_date`,`xm_id`,"
                "`xm_name`,`xm_money`,`user_id`,`user_name`,`boss_id`,`boss_name`) SELECT "
                "IF(seq%2=0,'',ELT(1+seq%4,'技师3号','加钟','会员自带毛巾','周末')),30+seq%90,0,t,"
                "IF(seq%5<3,1+seq%12,''),CASE WHEN seq%5<3 THEN ELT(1+seq%12,'足疗','按摩','修脚',"
                "'采耳','泡脚','推拿','刮痧','拔罐','艾灸','精油开背','头疗','足浴') WHEN seq%5=3 "
                "THEN CONCAT(2+seq%3,'个项目') ELSE IF(seq%10=4,'0个项目','') END,30+seq%90,u," +
                    name + ",IF(seq%50=0,'',1+seq%4)," + boss + " FROM (SELECT seq," + time +
                    " AS t,1+(seq*31)%" + members + " AS u" + seq + ") s");
}

// The mariadb client on the same statement, its rows to /dev/null.
double ClientQuick(const std::string& sql) {
    const std::string port = "-P" + std::to_string(data::DbEndpoint::kPort);
    const std::string password = std::string("-p") + data::DbEndpoint::kPassword;
    std::fflush(stdout);  // or the child would write our buffer again
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        execlp("mariadb", "mariadb", "--no-defaults", "--quick", "--default-character-set=gbk",
               "-h", data::DbEndpoint::kHost, port.c_str(), "-ukobrelan", password.c_str(),
               "kobrelan", "-e", sql.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const double s = Seconds(start);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? s : -1;
}

// A bare store-and-fetch of every row, nothing converted or kept.
double PlainStoreLoop(const std::string& sql, uint64_t& bytes) {
    MYSQL* c = data::ConnectEndpoint();
    if (c == nullptr) {
        return -1;
    }
    const auto start = std::chrono::steady_clock::now();
    bytes = 0;
    if (mysql_real_query(c, sql.data(), static_cast<unsigned long>(sql.size())) == 0) {
        MYSQL_RES* result = mysql_store_result(c);
        const unsigned fields = mysql_num_fields(result);
        while (MYSQL_ROW row = mysql_fetch_row(result)) {
            const unsigned long* lengths = mysql_fetch_lengths(result);
            for (unsigned i = 0; i < fields; ++i) {
                bytes += row[i] != nullptr ? lengths[i] : 0;
            }
        }
        mysql_free_result(result);
    }
    const double s = Seconds(start);
    mysql_close(c);
    return s;
}

struct PageBench {
    RecordPage page;
    const char* name;
    int text_column, date_column, number_column;
};

void Run(Program& program, BenchClock& clock, int n) {
    std::printf("\n== %d rows per table (%d members)\n", n, std::max(n / 10, 1));
    std::fflush(stdout);
    const double generated = Time([&] { Generate(n); });
    std::printf("generated in %.1f s\n", generated);
    MainWindow& w = program.window();
    Records& records = *program.records;
    const PageBench pages[] = {
        {RecordPage::Recharge, "recharge", 2, 3, 4},
        {RecordPage::Consumption, "consumption", 2, 3, 6},
    };
    for (const PageBench& p : pages) {
        const bool recharge = p.page == RecordPage::Recharge;
        ReportList& list =
            recharge ? *w.超级列表框_会员充值_充值列表 : *w.超级列表框_会员消费_消费列表;
        const std::string sql = recharge ? RechargeQueryStatement("", false, "", "", false)
                                         : ConsumptionQueryStatement("", false, "", "", false);
        w.选择夹1->SetCurrentPage(recharge ? 1 : 2);
        auto query_all = [&] {
            if (recharge) {
                records.QueryAllRecharges();
            } else {
                records.QueryAllConsumption();
            }
        };
        std::vector<double> client, plain, with_pause, without_pause;
        uint64_t bytes = 0;
        for (int i = 0; i < kRepeats; ++i) {
            client.push_back(ClientQuick(sql));
            plain.push_back(PlainStoreLoop(sql, bytes));
            clock.pause = true;
            with_pause.push_back(Time(query_all));
            clock.pause = false;
            without_pause.push_back(Time(query_all));
        }
        const double c = Median(client), pl = Median(plain), wp = Median(with_pause),
                     np = Median(without_pause);
        std::printf(
            "%-11s load (median of %d): mariadb --quick %.3f s | store loop %.3f s | load %.3f s "
            "(%.2fx client, %.2fx store loop) | with the pause %.3f s | rows %d | %.1f MB "
            "fetched\n",
            p.name, kRepeats, c, pl, np, np / c, np / pl, wp, list.RowCount(),
            static_cast<double>(bytes) / 1048576.0);

        // Sorts: each kind, alternating directions.
        const std::pair<const char*, int> kinds[] = {
            {"text", p.text_column}, {"date", p.date_column}, {"number", p.number_column}};
        std::printf("%-11s sort (median of %d):", p.name, kRepeats);
        for (const auto& [kind, column] : kinds) {
            std::vector<double> t;
            for (int i = 0; i < kRepeats; ++i) {
                t.push_back(Time([&] {
                    if (recharge) {
                        records.SortRechargeList(column);
                    } else {
                        records.SortConsumptionList(column);
                    }
                }));
            }
            std::printf(" %s %.3f s", kind, Median(t));
        }
        std::printf("\n");

        // Memory around one load, then a second load in the same process.
        list.DeleteAllRows();
        malloc_trim(0);
        const double before = RssMegabytes();
        clock.pause = false;
        const double first = Time(query_all);
        const double after = RssMegabytes();
        const int rows = list.RowCount();
        list.DeleteAllRows();
        const double emptied = RssMegabytes();
        const double second = Time(query_all);
        std::printf(
            "%-11s memory: before %.1f MB, after load %.1f MB (%.0f B/row), after emptying %.1f "
            "MB (%+.1f%% of before); load %.3f s, again %.3f s (%.2fx)\n",
            p.name, before, after, (after - before) * 1048576.0 / std::max(rows, 1), emptied,
            (emptied - before) / before * 100.0, first, second, second / first);
        std::fflush(stdout);
    }
    // Leave both lists empty for the next size.
    w.超级列表框_会员充值_充值列表->DeleteAllRows();
    w.超级列表框_会员消费_消费列表->DeleteAllRows();
}

}  // namespace
}  // namespace kob

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        sizes.push_back(std::atoi(argv[i]));
    }
    if (sizes.empty()) {
        sizes = {100000, 300000, 1000000};
    }
    kob::BenchClock clock;
    kob::ScriptedDialogs dialogs;
    kob::FixedPointer pointer;
    auto program =
        std::make_unique<kob::Program>(kob::Program::Services{&clock, &dialogs, &pointer});
    program->CreateMainWindow();
    program->LoggedIn = 1;
    program->CurrentOperator = {"1", "Rudal", "Rudal"};
    program->window().选择夹1->SetCurrentPage(1);
    program->ShowMainWindow();
    for (int n : sizes) {
        kob::Run(*program, clock, n);
    }
    program.reset();
    return 0;
}
