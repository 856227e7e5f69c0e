#include "ui/sort.h"

#include <string_view>
#include <vector>

#include "app/program.h"
#include "platform/core/sort_order.h"
#include "platform/gui/report_list.h"

namespace kob {
namespace {

constexpr int kNoImage = -1;
constexpr int kArrowUp = 0;
constexpr int kArrowDown = 1;

int ImageOf(const ReportList& list, int32_t column) {
    if (column < 0 || column >= list.ColumnCount()) {
        return kNoImage;  // the shared arrow column may lie beyond this list
    }
    return list.HeaderImage(column);
}

// The arrow bookkeeping on ListSortState.list after a sort by column.
void UpdateSortArrow(Program& program, int32_t column) {
    SortState& state = program.ListSortState;
    ReportList& list = *state.list;
    if (column == state.arrow_column) {
        list.SetHeaderImage(column, ImageOf(list, column) == kArrowUp ? kArrowDown : kArrowUp);
        return;
    }
    const int old_image = ImageOf(list, state.arrow_column);
    list.SetHeaderImage(column, old_image == kArrowUp ? kArrowUp : kArrowDown);
    if (state.arrow_column >= 0 && state.arrow_column < list.ColumnCount()) {
        list.SetHeaderImage(state.arrow_column, kNoImage);
    }
    state.arrow_column = column;
}

}  // namespace

void SortListByColumn(Program& program, ReportList& list, int32_t column, int32_t kind) {
    SortState& state = program.ListSortState;
    state.list = &list;
    list.SetHeaderArrows(false);
    list.SetHeaderArrows(true);
    state.direction = 1 - state.direction;
    state.column = column;
    state.kind = kind;
    const int n = list.RowCount();
    if (n == 0) {
        return;
    }
    // Keys made and converted once per row, not at every comparison: the
    // same order, in a fraction of the time for a million rows.
    std::vector<std::string_view> cells(static_cast<size_t>(n));
    for (int r = 0; r < n; ++r) {
        cells[static_cast<size_t>(r)] = list.CellView(r, column);
    }
    list.ReorderRows(SortedOrder(cells, kind, state.direction));
    UpdateSortArrow(program, column);
}

}  // namespace kob
