#pragma once
// What tests and benchmarks do to a report list beyond what the program
// does: add one row, sort by a comparison, mark or test one row at a time.
// Built on the list's own calls, so they change nothing of how it behaves.
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <algorithm>
#include <functional>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "platform/gui/report_list.h"

namespace kob {

// Appends a row (missing cells are empty); its index.
inline int AddRow(ReportList& list, std::vector<std::string> cells) {
    std::vector<std::vector<std::string>> rows;
    rows.push_back(std::move(cells));
    list.AddRows(std::move(rows));
    return list.RowCount() - 1;
}

// A multi-select list keeps its marks in the rows, not in Qt's selection.
inline bool MultiSelect(const ReportList& list) {
    return list.selectionMode() == QAbstractItemView::NoSelection;
}

// Whether row is selected: the selected row, or in multi-select mode a row
// drawn marked.
inline bool RowSelected(const ReportList& list, int row) {
    if (row < 0 || row >= list.RowCount()) {
        return false;
    }
    if (MultiSelect(list)) {
        return list.model()->data(list.model()->index(row, 0), Qt::BackgroundRole).isValid();
    }
    return list.selectionModel()->isRowSelected(row, QModelIndex());
}

// Marks or unmarks one row (multi-select), or selects it or clears it.
inline void SetRowSelected(ReportList& list, int row, bool selected) {
    if (row < 0 || row >= list.RowCount()) {
        return;
    }
    if (MultiSelect(list)) {
        std::vector<char> marks(static_cast<size_t>(list.RowCount()));
        for (int r = 0; r < list.RowCount(); ++r) {
            marks[static_cast<size_t>(r)] = RowSelected(list, r) ? 1 : 0;
        }
        marks[static_cast<size_t>(row)] = selected ? 1 : 0;
        list.SetRowsSelected(marks);
    } else if (selected) {
        list.SetSelectedRow(row);
    } else if (RowSelected(list, row)) {
        list.SetSelectedRow(-1);
    }
}

// Reorders the rows by less(a, b) on their indices before the sort, keeping
// equal rows in order; the selected row follows its row.
inline void SortRows(ReportList& list, const std::function<bool(int a, int b)>& less) {
    std::vector<int> order(static_cast<size_t>(list.RowCount()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), less);
    list.ReorderRows(order);
}

}  // namespace kob
