#pragma once
// The report list and the column storage (CellColumn) its loads hand over.
#include <QImage>
#include <QTableView>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/gui/control.h"

namespace kob {

class ReportModel;

// The texts of one column's cells, back to back in one buffer: a list keeps
// its cells this way, and a load builds whole columns of them and hands them
// over, so a million rows cost no allocation per cell.
class CellColumn {
  public:
    size_t CellCount() const { return spans_.size(); }
    std::string_view At(size_t cell) const {
        const Span& s = spans_[cell];
        return {bytes_.data() + s.offset, s.size};
    }
    // A cell of one text; or one built from pieces, then EndCell.
    void Add(std::string_view text) {
        bytes_.append(text);
        EndCell();
    }
    void Append(std::string_view piece) { bytes_.append(piece); }
    void AppendGbk(std::string_view gbk);
    void EndCell();
    void Reserve(size_t cells, size_t bytes) {
        spans_.reserve(cells);
        bytes_.reserve(bytes);
    }
    // Room for cells more cells and bytes more bytes, growing at least
    // twofold: a column filled on other threads is allocated on the caller's.
    void ReserveMore(size_t cells, size_t bytes) {
        if (spans_.size() + cells > spans_.capacity()) {
            spans_.reserve(std::max(spans_.size() + cells, 2 * spans_.capacity()));
        }
        if (bytes_.size() + bytes > bytes_.capacity()) {
            bytes_.reserve(std::max(bytes_.size() + bytes, 2 * bytes_.capacity()));
        }
    }
    size_t ByteCount() const { return bytes_.size(); }
    // The bytes its buffers hold on the heap, used or not (a short string
    // lives inside the object).
    size_t CapacityBytes() const {
        const size_t text = bytes_.capacity() > std::string().capacity() ? bytes_.capacity() : 0;
        return text + spans_.capacity() * sizeof(Span);
    }
    // Empties it and frees its buffers. Assigning a new CellColumn would not:
    // a string move-assigned from an empty one keeps its own heap buffer.
    void Release() {
        std::string().swap(bytes_);
        std::vector<Span>().swap(spans_);
        cell_start_ = 0;
        unused_ = 0;
    }

  private:
    friend class ReportModel;
    // A cell's text lies at offset in bytes_; a cell written over with a
    // longer text moves to the end and leaves its old bytes unused.
    struct Span {
        uint32_t offset;
        uint32_t size;
    };
    std::string bytes_;
    std::vector<Span> spans_;
    size_t cell_start_ = 0;  // of the cell being built
    size_t unused_ = 0;      // bytes that overwritten cells left behind
};

// Report-style list: columns with titles and widths (width 0: the column is
// there and holds values but is not shown), rows of text cells, header images
// (-1 none, 0 up arrow, 1 down arrow, drawn left of the title while the arrow
// image list is set). Model/view, so a million rows load and sort fast. No
// grid, no editing, no sorting of its own (a header click only raises
// on_column_click). Single selection unless SetMultiSelect(true); in
// multi-select mode the marks live in the rows (a click marks one row,
// Ctrl+click toggles, Shift+click marks a range), so marking thousands of
// rows stays linear.
// Row and cell changes and selections may come from a worker thread: they
// run on the window thread, the caller waiting. Reads are plain reads, safe
// while no other thread changes the rows.
class ReportList : public QTableView {
    Q_OBJECT
  public:
    explicit ReportList(QWidget* parent = nullptr);
    ~ReportList() override;
    KOB_CONTROL_COMMON
    void SetColumns(const std::vector<std::pair<std::string, int>>& titles_and_widths);
    void SetMultiSelect(bool multi);
    void SetBorder(Border border);

    int ColumnCount() const;
    int RowCount() const;
    // Appends many rows with one notification; faster for loads.
    void AddRows(std::vector<std::vector<std::string>> rows);
    // The same, given column by column (columns[c] holds column c's cells,
    // all columns the same number); an empty list takes the storage over.
    void AddColumns(std::vector<CellColumn> columns);
    // Appends copies of source's rows (by index) with one notification; the
    // search rebuilds the member list from the spare list this way.
    void AddRowsFrom(const ReportList& source, const std::vector<int>& rows);
    // A large list's storage goes back to the system at once, unless a load
    // that follows takes care of that (trim false): it reuses the freed pages.
    void DeleteAllRows(bool trim = true);
    // The bytes the list's cell storage holds, used or not.
    size_t StorageBytes() const;
    // Empty beyond the rows or columns.
    std::string Cell(int row, int column) const;
    // The same without a copy; the view holds until the rows or cells change.
    std::string_view CellView(int row, int column) const;
    void SetCell(int row, int column, const std::string& text);
    // Replaces every cell of column at once, with one repaint: cells holds
    // one cell per row, row by row. False (nothing changed) for another count.
    bool SetColumnCells(int column, CellColumn cells);

    // -1 for none (the first selected row in multi-select mode).
    // SetSelectedRow(-1) clears the selection. on_current_row_changed follows
    // every real change of SelectedRow(), by the operator or by code,
    // including DeleteAllRows; ReorderRows moves the selected row with its
    // row and raises nothing.
    int SelectedRow() const;
    void SetSelectedRow(int row);
    // Marks every row at once (selected[r] != 0), with one notification.
    void SetRowsSelected(const std::vector<char>& selected);

    int HeaderImage(int column) const;
    void SetHeaderImage(int column, int image);
    // Sets the header image list to the two sort arrows (or none).
    void SetHeaderArrows(bool on);

    // Reorders the rows: new row i is old row order[i] (a permutation of
    // 0..RowCount()-1); the selected row follows its row.
    void ReorderRows(const std::vector<int>& order);

    std::function<void(int column)> on_column_click;
    std::function<void()> on_current_row_changed;
    // A right press; the row under the pointer is selected first (a press
    // below the rows clears the selection).
    std::function<void()> on_right_click;
    std::function<void(int key_code, int key_state)> on_key_down;

    // The two 8 x 7 sort arrows of the header image list (0 up, 1 down).
    static QImage SortArrowImage(int image);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    std::unique_ptr<ReportModel> model_;
    int last_current_ = -1;
    bool changing_ = false;  // rows are being changed: report afterwards
    int anchor_ = -1;        // Shift+click start in multi-select mode
    void NotifyCurrentChanged();
    void SetUpRowHeader(QHeaderView* header);
    void UpdateRowHeight();
    template <typename F>
    void Change(F&& f);
};

}  // namespace kob
