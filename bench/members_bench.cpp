// The member list against the real server with generated members: how long
// the list takes to show its rows, the totals from the load to the last cell
// written (and the worker's two GROUP BY passes alone; for comparison one
// query per member), and one search keystroke, typed into the box after a
// load, with the repaint it causes.
// Needs the test server of scripts/db.sh on the port the program is built
// for (any other server is refused); it replaces the contents of userlist,
// paylist and costlist.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <algorithm>
#include <memory>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "app/program.h"
#include "bench_support.h"
#include "data/db.h"
#include "members/members.h"
#include "platform/core/text.h"
#include "support/fixed_pointer.h"
#include "support/manual_clock.h"
#include "support/scripted_dialogs.h"
#include "ui/main_window.h"

namespace kob {
namespace {

constexpr int kRecordsPerMember = 10;

struct Bench {
    ManualClock clock;
    ScriptedDialogs dialogs;
    FixedPointer pointer;
    std::unique_ptr<Program> program;
    int members = -1;  // what the tables hold now
};

Bench& B() {
    static Bench bench;
    if (!bench.program) {
        // Shown on the members page, so that a change paints what it would.
        bench.program = bench::LoggedInProgram(
            Program::Services{&bench.clock, &bench.dialogs, &bench.pointer}, 0);
        QCoreApplication::processEvents();
    }
    return bench;
}

// n members with names from common surnames and given names, phones 13xxxxxxxxx,
// and 10 recharges and 10 consumptions each.
bool Generate(int n) {
    bench::TableFiller filler("members_bench");
    if (!filler.Connected()) {
        return false;
    }
    const std::string seq = "seq_1_to_" + std::to_string(n);
    const std::string per = "seq_1_to_" + std::to_string(kRecordsPerMember);
    return filler.EmptyTables() && filler.Exec(bench::InsertMembersStatement("seq", seq)) &&
           filler.Exec(
               "INSERT INTO `paylist`(`pay_time`,`pay_money`,`pay_give`,`pay_total`,"
               "`pay_method`,`pay_notes`,`pay_del`,`user_id`,`user_name`,`boss_id`,"
               "`boss_name`) SELECT '2024-01-01 10:00:00' + INTERVAL b.seq DAY,100+b.seq,"
               "10,110+b.seq,'微信','',IF(b.seq=1,1,0),a.seq,'会员','1','Rudal' FROM " +
               seq + " a," + per + " b") &&
           filler.Exec(
               "INSERT INTO `costlist`(`cost_notes`,`cost_money`,`cost_del`,`cost_date`,"
               "`xm_id`,`xm_name`,`xm_money`,`user_id`,`user_name`,`boss_id`,`boss_name`) "
               "SELECT '',30+b.seq,IF(b.seq=1,1,0),'2024-02-01 10:00:00' + INTERVAL b.seq "
               "DAY,'1','足疗','30',a.seq,'会员','1','Rudal' FROM " +
               seq + " a," + per + " b");
}

bool EnsureData(benchmark::State& state, int n) {
    Bench& b = B();
    if (b.members != n) {
        if (!Generate(n)) {
            state.SkipWithError("cannot generate the data");
            return false;
        }
        b.members = n;
        b.program->members->LoadMemberList();
    }
    return true;
}

void WaitForTotals(Members& members) {
    while (members.TotalsWorkerRunning()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void LoadMemberList(benchmark::State& state, int n) {
    if (!EnsureData(state, n)) {
        return;
    }
    Members& m = *B().program->members;
    for (auto _ : state) {
        m.LoadMemberList();
    }
    state.counters["rows"] = B().program->window().超级列表框_会员管理_会员列表->RowCount();
}

// The worker's statements and sums alone, off the window thread.
void TotalsPasses(benchmark::State& state, int n) {
    if (!EnsureData(state, n)) {
        return;
    }
    const auto& list = *B().program->window().超级列表框_会员管理_会员列表;
    std::vector<int32_t> cards;
    for (int row = 0; row < list.RowCount(); ++row) {
        cards.push_back(ToInt32(list.Cell(row, kMemberCard)));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeMemberTotals(cards));
    }
}

// Times totals(members, window) after each load, the load untimed: it
// empties the totals cells, as after every load.
template <typename Totals>
bool TimeTotalsAfterLoad(benchmark::State& state, int n, Totals&& totals) {
    if (!EnsureData(state, n)) {
        return false;
    }
    Members& m = *B().program->members;
    for (auto _ : state) {
        state.PauseTiming();
        m.LoadMemberList();
        state.ResumeTiming();
        totals(m, B().program->window());
    }
    return true;
}

// From the end of a load (the worker starts) to the last cell written in
// both lists.
void TotalsGroupBy(benchmark::State& state, int n) {
    if (!TimeTotalsAfterLoad(state, n, [](Members& m, MainWindow&) {
            m.RefreshAllMemberTotals();
            WaitForTotals(m);
        })) {
        return;
    }
    const auto& list = *B().program->window().超级列表框_会员管理_会员列表;
    if (list.RowCount() > 0 && list.Cell(0, kMemberBalance).empty()) {
        state.SkipWithError("totals not written");
    }
}

// One statement per card, head + card + tail, on a connection of its own;
// keep(card, result) takes each answer.
template <typename Keep>
void QueryEachCard(const std::vector<int32_t>& cards, std::string_view head, std::string_view tail,
                   Keep&& keep) {
    data::PrivateConnection c;
    for (int32_t card : cards) {
        data::RecordSet s = c.Query(std::string(head) + IntText(card) + std::string(tail));
        keep(card, s);
    }
}

// The same totals with one statement per member and pass, as a list would
// get them row by row.
MemberTotalsResult PerMemberTotals(const ReportList& list) {
    MemberTotalsResult r;
    for (int row = 0; row < list.RowCount(); ++row) {
        r.cards.push_back(ToInt32(list.Cell(row, kMemberCard)));
    }
    std::sort(r.cards.begin(), r.cards.end());
    r.pay_ran = true;
    QueryEachCard(r.cards,
                  "SELECT COUNT(`pay_money`) AS `n`,SUM(`pay_money`) AS `m`,SUM(`pay_total`) AS "
                  "`t` FROM `kobrelan`.`paylist` WHERE `user_id` = ",
                  " AND `pay_del` <> 1", [&r](int32_t card, data::RecordSet& s) {
                      r.pay[card] = {s.Int32("n"), s.Int32("m"), s.Int32("t")};
                  });
    r.cost_ran = true;
    QueryEachCard(r.cards,
                  "SELECT COUNT(`cost_money`) AS `n`,SUM(`cost_money`) AS `m` FROM "
                  "`kobrelan`.`costlist` WHERE `user_id` = ",
                  " AND `cost_del` <> 1", [&r](int32_t card, data::RecordSet& s) {
                      r.cost[card] = {s.Int32("n"), s.Int32("m")};
                  });
    return r;
}

void TotalsPerMemberQuery(benchmark::State& state, int n) {
    TimeTotalsAfterLoad(state, n, [](Members&, MainWindow& w) {
        const MemberTotalsResult r = PerMemberTotals(*w.超级列表框_会员管理_会员列表);
        for (ReportList* list :
             {w.超级列表框_会员管理_会员列表, w.超级列表框_会员管理_会员列表备用}) {
            for (int row = 0; row < list->RowCount(); ++row) {
                WriteMemberTotals(*list, row, r);
            }
        }
    });
}

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

void SearchKeystroke(benchmark::State& state, int n, std::string text) {
    if (!EnsureData(state, n)) {
        return;
    }
    MainWindow& w = B().program->window();
    auto& search = *w.编辑框_会员管理_搜索;
    auto& list = *w.超级列表框_会员管理_会员列表;
    const auto& spare = *w.超级列表框_会员管理_会员列表备用;
    std::vector<int> every_row(static_cast<size_t>(spare.RowCount()));
    std::iota(every_row.begin(), every_row.end(), 0);
    // The last character is the keystroke timed; those before it are typed
    // untimed, so "王小" times the second narrowing the first's matches.
    const QString typed = QString::fromStdString(text);
    const std::string before = typed.left(typed.size() - 1).toStdString();
    const QString key = typed.right(1);
    search.setFocus();
    PaintCounter counter;
    list.viewport()->installEventFilter(&counter);
    for (auto _ : state) {
        state.PauseTiming();
        // As after a load, before the first keystroke: the search box empty,
        // every member listed, none marked; then the characters before.
        search.SetText("");
        list.AddRowsFrom(spare, every_row);
        if (!before.empty()) {
            search.SetText(before);
        }
        QCoreApplication::processEvents();
        state.ResumeTiming();
        // A key press into the focused box, as the operator types it: its
        // text-changed event runs FilterMemberList; then the repaint.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, key);
        QCoreApplication::sendEvent(&search, &press);
        QCoreApplication::processEvents();
    }
    list.viewport()->removeEventFilter(&counter);
    state.counters["matches"] = list.RowCount();
    // Per iteration: the timed keystroke's and the untimed set-up's.
    state.counters["list paints"] =
        static_cast<double>(counter.paints) / static_cast<double>(state.iterations());
}

void Register() {
    for (int n : {1000, 10000, 100000}) {
        const std::string size = "/" + std::to_string(n);
        benchmark::RegisterBenchmark(("LoadMemberList" + size).c_str(), LoadMemberList, n)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("TotalsPasses" + size).c_str(), TotalsPasses, n)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("TotalsGroupBy" + size).c_str(), TotalsGroupBy, n)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("TotalsPerMemberQuery" + size).c_str(), TotalsPerMemberQuery,
                                     n)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
        for (const char* text : {"1", "7919", "w", "wxp", "王", "王小"}) {
            benchmark::RegisterBenchmark(("SearchKeystroke" + size + "/" + text).c_str(),
                                         SearchKeystroke, n, std::string(text))
                ->Unit(benchmark::kMillisecond);
        }
    }
}

}  // namespace
}  // namespace kob

int main(int argc, char** argv) {
    kob::bench::PrepareQt();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (!kob::bench::OnTestServer("members_bench")) {
        return 1;
    }
    kob::Register();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    kob::B().program.reset();
    return 0;
}
