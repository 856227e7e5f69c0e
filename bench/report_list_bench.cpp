// Loading and sorting a million rows of ten short cells in the report list.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>
#include <vector>

#include "platform/gui/report_list.h"
#include "support/report_rows.h"

namespace {

constexpr int kRows = 1'000'000;
constexpr int kColumns = 10;

std::vector<std::pair<std::string, int>> Columns() {
    std::vector<std::pair<std::string, int>> columns;
    for (int c = 0; c < kColumns; ++c) {
        columns.emplace_back("列" + std::to_string(c), c == 0 ? 0 : 90);
    }
    return columns;
}

// Short texts in a scrambled order: a card number, a name-like text, amounts.
std::vector<std::vector<std::string>> MakeRows(int n) {
    std::vector<std::vector<std::string>> rows(static_cast<size_t>(n));
    uint32_t seed = 12345;
    for (auto& row : rows) {
        row.reserve(kColumns);
        for (int c = 0; c < kColumns; ++c) {
            seed = seed * 1664525u + 1013904223u;
            row.push_back(c == 1 ? "会员" + std::to_string(seed % 100000)
                                 : std::to_string(seed % 1000000));
        }
    }
    return rows;
}

// Ten columns, in a list the size of a record page's.
void Show(kob::ReportList& list) {
    list.SetColumns(Columns());
    list.resize(950, 432);
    list.show();
}

void BM_AddRows(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<kob::ReportList>();
        Show(*list);
        auto rows = MakeRows(n);
        state.ResumeTiming();
        list->AddRows(std::move(rows));
        QCoreApplication::processEvents();
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_AddRows)->Arg(kRows)->Unit(benchmark::kMillisecond)->Iterations(3);

// Sorts n rows shown with the middle one selected, by another column each
// time, so that every sort starts from a fresh order; sort(list, column)
// does one.
template <typename Sort>
void SortByEachColumn(benchmark::State& state, Sort&& sort) {
    const int n = static_cast<int>(state.range(0));
    kob::ReportList list;
    Show(list);
    list.AddRows(MakeRows(n));
    list.SetSelectedRow(n / 2);
    QCoreApplication::processEvents();
    int column = 2;
    for (auto _ : state) {
        column = column % (kColumns - 1) + 1;
        sort(list, column);
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_SortRowsText(benchmark::State& state) {
    SortByEachColumn(state, [](kob::ReportList& list, int column) {
        SortRows(list, [&list, column](int a, int b) {
            return list.Cell(a, column) < list.Cell(b, column);
        });
    });
}
BENCHMARK(BM_SortRowsText)->Arg(kRows)->Unit(benchmark::kMillisecond)->Iterations(3);

// As the column sort does it: one key per row made first, then compared.
void BM_SortRowsTextKeys(benchmark::State& state) {
    SortByEachColumn(state, [](kob::ReportList& list, int column) {
        std::vector<std::string> keys(static_cast<size_t>(list.RowCount()));
        for (int r = 0; r < list.RowCount(); ++r) {
            keys[static_cast<size_t>(r)] = list.Cell(r, column);
        }
        SortRows(list, [&keys](int a, int b) {
            return keys[static_cast<size_t>(a)] < keys[static_cast<size_t>(b)];
        });
    });
}
BENCHMARK(BM_SortRowsTextKeys)->Arg(kRows)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
