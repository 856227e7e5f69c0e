// The report list: UTF-8 cells kept column by column, each column's texts
// back to back in one buffer, shown through a table model, so loading and
// sorting a million rows touch no Qt and allocate nothing per row. A sort
// reorders only the row-to-slot map, not the cells.
#include "platform/gui/report_list.h"

#include <malloc.h>

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/core/text.h"

namespace kob {

namespace {

// The header arrows: per row, the grey run (from..to) and the white pixel.
struct ArrowRow {
    int grey_from, grey_to, white;
};
constexpr ArrowRow kArrowRows[2][7] = {
    // image 0: outline of a triangle pointing up
    {{3, 3, 4}, {2, 2, 5}, {2, 2, 5}, {1, 1, 6}, {1, 1, 6}, {0, 0, 7}, {0, 6, 7}},
    // image 1: outline of a triangle pointing down
    {{0, 6, 7}, {0, 0, 7}, {1, 1, 6}, {1, 1, 6}, {2, 2, 5}, {2, 2, 5}, {3, 3, 4}},
};

// Storage a list keeps when it is emptied, so that a list rebuilt on every
// keystroke does not allocate again; a larger one goes back to the system.
constexpr size_t kKeptStorageBytes = size_t{16} << 20;

}  // namespace

void CellColumn::AppendGbk(std::string_view gbk) {
    AppendGbkAsUtf8(bytes_, gbk);
}

void CellColumn::EndCell() {
    // Offsets are 32-bit: a column holds up to 4 GiB of text.
    spans_.push_back(
        {static_cast<uint32_t>(cell_start_), static_cast<uint32_t>(bytes_.size() - cell_start_)});
    cell_start_ = bytes_.size();
}

QImage ReportList::SortArrowImage(int image) {
    QImage arrow(8, 7, QImage::Format_ARGB32);
    arrow.fill(Qt::transparent);
    if (image != 0 && image != 1) {
        return arrow;
    }
    const QRgb grey = qRgb(127, 127, 127), white = qRgb(255, 255, 255);
    for (int y = 0; y < 7; ++y) {
        const ArrowRow& row = kArrowRows[image][y];
        for (int x = row.grey_from; x <= row.grey_to; ++x) {
            arrow.setPixel(x, y, grey);
        }
        arrow.setPixel(row.white, y, white);
    }
    return arrow;
}

class ReportModel : public QAbstractTableModel {
  public:
    ReportModel()
        : arrows_{QPixmap::fromImage(ReportList::SortArrowImage(0)),
                  QPixmap::fromImage(ReportList::SortArrowImage(1))} {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(row_count_);
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(titles_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) {
            return {};
        }
        const auto row = static_cast<size_t>(index.row());
        switch (role) {
            case Qt::DisplayRole: {
                const std::string_view text =
                    columns_[static_cast<size_t>(index.column())].At(slot_[row]);
                return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
            }
            case Qt::BackgroundRole:
                if (multi_ && marks_[row] != 0) {
                    return mark_background_;
                }
                return {};
            case Qt::ForegroundRole:
                if (multi_ && marks_[row] != 0) {
                    return mark_text_;
                }
                return {};
            default:
                return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 ||
            section >= static_cast<int>(titles_.size())) {
            return {};
        }
        const auto column = static_cast<size_t>(section);
        switch (role) {
            case Qt::DisplayRole:
                return QString::fromStdString(titles_[column]);
            case Qt::DecorationRole:
                if (show_arrows_ && (images_[column] == 0 || images_[column] == 1)) {
                    return arrows_[images_[column]];
                }
                return {};
            case Qt::TextAlignmentRole:
                return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
            default:
                return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid()) {
            return Qt::NoItemFlags;
        }
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    }

    // ---- columns and header images

    void SetColumns(std::vector<std::string> titles) {
        beginResetModel();
        titles_ = std::move(titles);
        images_.assign(titles_.size(), -1);
        columns_.resize(titles_.size());
        for (auto& column : columns_) {
            while (column.CellCount() < cells_) {
                column.EndCell();  // an empty cell
            }
        }
        endResetModel();
    }

    int Image(int column) const {
        return column >= 0 && column < static_cast<int>(images_.size())
                   ? images_[static_cast<size_t>(column)]
                   : -1;
    }
    void SetImage(int column, int image) {
        if (column < 0 || column >= static_cast<int>(images_.size())) {
            return;
        }
        images_[static_cast<size_t>(column)] = image;
        emit headerDataChanged(Qt::Horizontal, column, column);
    }
    void SetShowArrows(bool on) {
        show_arrows_ = on;
        if (!titles_.empty()) {
            emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(titles_.size()) - 1);
        }
    }

    // ---- rows and cells

    std::string_view Cell(int row, int column) const {
        if (row < 0 || static_cast<size_t>(row) >= row_count_ || column < 0 ||
            static_cast<size_t>(column) >= columns_.size()) {
            return {};
        }
        return columns_[static_cast<size_t>(column)].At(slot_[static_cast<size_t>(row)]);
    }

    bool SetCell(int row, int column, std::string_view text) {
        if (row < 0 || static_cast<size_t>(row) >= row_count_ || column < 0 ||
            static_cast<size_t>(column) >= columns_.size()) {
            return false;
        }
        CellColumn& cells = columns_[static_cast<size_t>(column)];
        CellColumn::Span& span = cells.spans_[slot_[static_cast<size_t>(row)]];
        if (text.size() <= span.size) {
            std::copy(text.begin(), text.end(), cells.bytes_.begin() + span.offset);
            cells.unused_ += span.size - text.size();
        } else {
            cells.unused_ += span.size;
            // A longer text goes to the end; the old bytes stay unused.
            span.offset = static_cast<uint32_t>(cells.bytes_.size());
            cells.bytes_.append(text);
            cells.cell_start_ = cells.bytes_.size();
        }
        span.size = static_cast<uint32_t>(text.size());
        if (cells.unused_ > (size_t{1} << 20) && cells.unused_ > cells.bytes_.size() / 2) {
            Compact(cells);
        }
        const QModelIndex at = index(row, column);
        emit dataChanged(at, at, {Qt::DisplayRole});
        return true;
    }

    bool ReplaceColumn(int column, CellColumn given) {
        if (column < 0 || static_cast<size_t>(column) >= columns_.size() ||
            given.CellCount() != row_count_) {
            return false;
        }
        // Cell r is row r's: each goes to its row's slot.
        std::vector<CellColumn::Span> spans(cells_, CellColumn::Span{0, 0});
        for (size_t r = 0; r < row_count_; ++r) {
            spans[slot_[r]] = given.spans_[r];
        }
        given.spans_ = std::move(spans);
        given.cell_start_ = given.bytes_.size();
        given.unused_ = 0;
        std::swap(columns_[static_cast<size_t>(column)], given);
        if (row_count_ > 0) {
            emit dataChanged(index(0, column), index(rowCount() - 1, column), {Qt::DisplayRole});
        }
        return true;
    }

    void Append(std::vector<std::vector<std::string>> rows) {
        if (rows.empty()) {
            return;
        }
        const int first = rowCount();
        beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
        size_t bytes = 0;
        for (const auto& row : rows) {
            for (const auto& cell : row) {
                bytes += cell.size();
            }
        }
        for (auto& column : columns_) {
            column.Reserve(cells_ + rows.size(),
                           column.ByteCount() + bytes / std::max<size_t>(columns_.size(), 1));
        }
        const size_t n = columns_.size();
        for (auto& row : rows) {
            const size_t given = std::min(row.size(), n);
            for (size_t c = 0; c < given; ++c) {
                columns_[c].Add(row[c]);
            }
            for (size_t c = given; c < n; ++c) {
                columns_[c].EndCell();
            }
            std::vector<std::string>().swap(row);
        }
        AddSlots(rows.size());
        endInsertRows();
    }

    void AppendColumns(std::vector<CellColumn> given) {
        size_t added = 0;
        for (const auto& column : given) {
            added = std::max(added, column.CellCount());
        }
        if (added == 0) {
            return;
        }
        const int first = rowCount();
        beginInsertRows({}, first, first + static_cast<int>(added) - 1);
        for (size_t c = 0; c < columns_.size(); ++c) {
            CellColumn& column = columns_[c];
            if (c < given.size() && cells_ == 0 && given[c].CellCount() == added) {
                column = std::move(given[c]);  // the usual load: take it over
                continue;
            }
            const size_t have = c < given.size() ? given[c].CellCount() : 0;
            column.Reserve(cells_ + added,
                           column.ByteCount() + (c < given.size() ? given[c].ByteCount() : 0));
            for (size_t i = 0; i < added; ++i) {
                if (i < have) {
                    column.Add(given[c].At(i));
                } else {
                    column.EndCell();
                }
            }
        }
        AddSlots(added);
        endInsertRows();
    }

    void AppendFrom(const ReportModel& source, const std::vector<int>& rows) {
        if (rows.empty()) {
            return;
        }
        const int first = rowCount();
        beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
        // Column by column, each sized once; cells that lie back to back in
        // the source (all of them when every row matches a search) are
        // copied as one run.
        const size_t source_rows = source.row_count_;
        for (size_t c = 0; c < columns_.size(); ++c) {
            CellColumn& column = columns_[c];
            const size_t first = column.spans_.size();
            column.spans_.resize(first + rows.size());
            CellColumn::Span* out_spans = column.spans_.data() + first;
            size_t at = column.bytes_.size();
            if (c >= source.columns_.size()) {
                std::fill(out_spans, out_spans + rows.size(),
                          CellColumn::Span{static_cast<uint32_t>(at), 0});
                continue;
            }
            const CellColumn& from = source.columns_[c];
            auto span_of = [&](int r) {
                return r >= 0 && static_cast<size_t>(r) < source_rows
                           ? from.spans_[source.slot_[static_cast<size_t>(r)]]
                           : CellColumn::Span{0, 0};
            };
            size_t bytes = 0;
            for (int r : rows) {
                bytes += span_of(r).size;
            }
            column.bytes_.resize(at + bytes);
            char* out = column.bytes_.data();
            const char* in = from.bytes_.data();
            size_t run_from = 0;
            size_t run_size = 0;
            for (size_t i = 0; i < rows.size(); ++i) {
                const CellColumn::Span span = span_of(rows[i]);
                if (span.size > 0) {
                    if (run_size > 0 && span.offset != run_from + run_size) {
                        std::memcpy(out + at, in + run_from, run_size);
                        at += run_size;
                        run_size = 0;
                    }
                    if (run_size == 0) {
                        run_from = span.offset;
                    }
                }
                out_spans[i] = {static_cast<uint32_t>(at + run_size), span.size};
                run_size += span.size;
            }
            if (run_size > 0) {
                std::memcpy(out + at, in + run_from, run_size);
                at += run_size;
            }
            column.cell_start_ = at;
        }
        AddSlots(rows.size());
        endInsertRows();
    }

    // Removal rather than a reset keeps the header's column state. True when
    // the storage was large enough to be freed rather than kept.
    bool RemoveAll() {
        if (row_count_ == 0 && cells_ == 0) {
            return false;
        }
        if (row_count_ > 0) {
            beginRemoveRows({}, 0, rowCount() - 1);
        }
        const size_t storage = StorageBytes();
        if (storage <= kKeptStorageBytes) {
            for (auto& column : columns_) {
                column.bytes_.clear();
                column.spans_.clear();
                column.cell_start_ = 0;
                column.unused_ = 0;
            }
            slot_.clear();
            marks_.clear();
        } else {
            for (auto& column : columns_) {
                column.Release();
            }
            std::vector<uint32_t>().swap(slot_);
            std::vector<char>().swap(marks_);
        }
        cells_ = 0;
        const bool had_rows = row_count_ > 0;
        row_count_ = 0;
        if (had_rows) {
            endRemoveRows();
        }
        RecountMarks();
        return storage > kKeptStorageBytes;
    }

    size_t StorageBytes() const {
        size_t bytes = slot_.capacity() * sizeof(uint32_t) + marks_.capacity();
        for (const auto& column : columns_) {
            bytes += column.CapacityBytes();
        }
        return bytes;
    }

    // Reorders the rows by order (new row i is old row order[i]) and moves the
    // persistent indexes (selection, current) with their rows.
    void Permute(const std::vector<int>& order) {
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        std::vector<uint32_t> new_slots(slot_.size());
        std::vector<char> marks(marks_.size());
        std::vector<int> where(order.size());
        for (size_t i = 0; i < order.size(); ++i) {
            const auto from = static_cast<size_t>(order[i]);
            new_slots[i] = slot_[from];
            marks[i] = marks_[from];
            where[from] = static_cast<int>(i);
        }
        slot_ = std::move(new_slots);
        marks_ = std::move(marks);
        const QModelIndexList before = persistentIndexList();
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex& old : before) {
            after.push_back(index(where[static_cast<size_t>(old.row())], old.column()));
        }
        changePersistentIndexList(before, after);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
        RecountMarks();
    }

    // ---- multi-select marks

    void SetMulti(bool multi, const QColor& background, const QColor& text) {
        multi_ = multi;
        mark_background_ = background;
        mark_text_ = text;
        ClearMarks();
    }
    bool Multi() const { return multi_; }
    bool Marked(int row) const {
        return row >= 0 && row < rowCount() && marks_[static_cast<size_t>(row)] != 0;
    }
    int FirstMarked() const { return first_mark_; }

    void Mark(int row, bool on) {
        if (row < 0 || row >= rowCount() || Marked(row) == on) {
            return;
        }
        marks_[static_cast<size_t>(row)] = on ? 1 : 0;
        marked_ += on ? 1 : -1;
        if (on) {
            if (first_mark_ < 0 || row < first_mark_) {
                first_mark_ = row;
            }
        } else if (row == first_mark_) {
            first_mark_ = NextMark(row + 1);
        }
        emit dataChanged(index(row, 0), index(row, std::max(columnCount() - 1, 0)),
                         {Qt::BackgroundRole, Qt::ForegroundRole});
    }

    void SetMarks(const std::vector<char>& selected) {
        const size_t n = std::min(selected.size(), marks_.size());
        for (size_t r = 0; r < n; ++r) {
            marks_[r] = selected[r] != 0 ? 1 : 0;
        }
        std::fill(marks_.begin() + static_cast<std::ptrdiff_t>(n), marks_.end(), 0);
        RecountMarks();
        if (row_count_ > 0 && !titles_.empty()) {
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                             {Qt::BackgroundRole, Qt::ForegroundRole});
        }
    }

    void ClearMarks() {
        if (marked_ == 0) {
            return;
        }
        std::fill(marks_.begin(), marks_.end(), 0);
        marked_ = 0;
        first_mark_ = -1;
        if (row_count_ > 0 && !titles_.empty()) {
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                             {Qt::BackgroundRole, Qt::ForegroundRole});
        }
    }

  private:
    void AddSlots(size_t added) {
        slot_.reserve(row_count_ + added);
        for (size_t i = 0; i < added; ++i) {
            slot_.push_back(static_cast<uint32_t>(cells_ + i));
        }
        cells_ += added;
        row_count_ += added;
        marks_.resize(row_count_, 0);
    }
    // Drops the unused bytes that overwritten cells left behind.
    static void Compact(CellColumn& cells) {
        std::string bytes;
        bytes.reserve(cells.bytes_.size() - cells.unused_);
        for (auto& span : cells.spans_) {
            const auto offset = static_cast<uint32_t>(bytes.size());
            bytes.append(cells.bytes_, span.offset, span.size);
            span.offset = offset;
        }
        cells.bytes_ = std::move(bytes);
        cells.cell_start_ = cells.bytes_.size();
        cells.unused_ = 0;
    }
    int NextMark(int from) const {
        for (int r = std::max(from, 0); r < rowCount(); ++r) {
            if (marks_[static_cast<size_t>(r)] != 0) {
                return r;
            }
        }
        return -1;
    }
    void RecountMarks() {
        marked_ = static_cast<int>(std::count(marks_.begin(), marks_.end(), 1));
        first_mark_ = marked_ > 0 ? NextMark(0) : -1;
    }

    std::vector<std::string> titles_;
    std::vector<int> images_;
    bool show_arrows_ = false;
    QPixmap arrows_[2];
    std::vector<CellColumn> columns_;  // columns_[column].At(slot)
    size_t cells_ = 0;                 // slots in use
    std::vector<uint32_t> slot_;       // slot_[row]: where its cells are
    size_t row_count_ = 0;
    bool multi_ = false;
    std::vector<char> marks_;
    int marked_ = 0;
    int first_mark_ = -1;
    QColor mark_background_, mark_text_;
};

// ------------------------------------------------------------ ReportList

template <typename F>
void ReportList::Change(F&& f) {
    RunOnWindowThreadAndWait([this, &f] {
        const bool nested = changing_;
        changing_ = true;
        f();
        changing_ = nested;
        if (!nested) {
            NotifyCurrentChanged();
        }
    });
}

ReportList::ReportList(QWidget* parent)
    : QTableView(parent), model_(std::make_unique<ReportModel>()) {
    setFont(MakeFont({}));
    setModel(model_.get());
    setShowGrid(false);
    setWordWrap(false);
    setSortingEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setTabKeyNavigation(false);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, Qt::white);
    setPalette(palette);
    SetBorder(Border::Single);

    SetUpRowHeader(verticalHeader());

    QHeaderView* header = horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        if (on_column_click) {
            on_column_click(column);
        }
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { NotifyCurrentChanged(); });
}

ReportList::~ReportList() {
    // The view lets go of the model before the model goes.
    setModel(nullptr);
}

void ReportList::SetColumns(const std::vector<std::pair<std::string, int>>& titles_and_widths) {
    Change([&] {
        std::vector<std::string> titles;
        titles.reserve(titles_and_widths.size());
        for (const auto& [title, width] : titles_and_widths) {
            titles.push_back(title);
        }
        model_->SetColumns(std::move(titles));
        for (size_t i = 0; i < titles_and_widths.size(); ++i) {
            const int column = static_cast<int>(i);
            const int width = titles_and_widths[i].second;
            setColumnHidden(column, width <= 0);
            if (width > 0) {
                setColumnWidth(column, width);
            }
        }
    });
}

void ReportList::SetMultiSelect(bool multi) {
    Change([&] {
        selectionModel()->clear();
        setSelectionMode(multi ? QAbstractItemView::NoSelection
                               : QAbstractItemView::SingleSelection);
        model_->SetMulti(multi, palette().color(QPalette::Active, QPalette::Highlight),
                         palette().color(QPalette::Active, QPalette::HighlightedText));
        anchor_ = -1;
    });
}

void ReportList::SetBorder(Border border) {
    ApplyFrameBorder(this, border);
}

int ReportList::ColumnCount() const {
    return model_->columnCount();
}

int ReportList::RowCount() const {
    return model_->rowCount();
}

void ReportList::AddRows(std::vector<std::vector<std::string>> rows) {
    Change([&] { model_->Append(std::move(rows)); });
}

void ReportList::AddColumns(std::vector<CellColumn> columns) {
    Change([&] { model_->AppendColumns(std::move(columns)); });
}

void ReportList::AddRowsFrom(const ReportList& source, const std::vector<int>& rows) {
    Change([&] { model_->AppendFrom(*source.model_, rows); });
}

void ReportList::DeleteAllRows(bool trim) {
    Change([&] {
        const bool freed = model_->RemoveAll();
        selectionModel()->clear();
        anchor_ = -1;
        if (freed) {
            // The row header keeps an entry per row it once had (its list
            // never shrinks): a new one holds none.
            SetUpRowHeader(new QHeaderView(Qt::Vertical, this));
            if (trim) {
                // Freed blocks inside the heap go back to the system only when asked.
                malloc_trim(0);
            }
        }
    });
}

size_t ReportList::StorageBytes() const {
    return model_->StorageBytes();
}

std::string ReportList::Cell(int row, int column) const {
    return std::string(model_->Cell(row, column));
}

std::string_view ReportList::CellView(int row, int column) const {
    return model_->Cell(row, column);
}

void ReportList::SetCell(int row, int column, const std::string& text) {
    Change([&] { model_->SetCell(row, column, text); });
}

bool ReportList::SetColumnCells(int column, CellColumn cells) {
    bool done = false;
    Change([&] { done = model_->ReplaceColumn(column, std::move(cells)); });
    return done;
}

int ReportList::SelectedRow() const {
    if (model_->Multi()) {
        return model_->FirstMarked();
    }
    int first = -1;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        if (range.isValid() && (first < 0 || range.top() < first)) {
            first = range.top();
        }
    }
    return first < RowCount() ? first : -1;
}

void ReportList::SetSelectedRow(int row) {
    Change([&] {
        const bool valid = row >= 0 && row < RowCount();
        if (model_->Multi()) {
            model_->ClearMarks();
            if (valid) {
                model_->Mark(row, true);
            }
            anchor_ = valid ? row : -1;
            return;
        }
        if (valid) {
            selectionModel()->setCurrentIndex(
                model_->index(row, 0),
                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        } else {
            selectionModel()->clear();
        }
    });
}

void ReportList::SetRowsSelected(const std::vector<char>& selected) {
    if (!model_->Multi()) {
        return;
    }
    Change([&] { model_->SetMarks(selected); });
}

int ReportList::HeaderImage(int column) const {
    return model_->Image(column);
}

void ReportList::SetHeaderImage(int column, int image) {
    RunOnWindowThreadAndWait([&] { model_->SetImage(column, image); });
}

void ReportList::SetHeaderArrows(bool on) {
    RunOnWindowThreadAndWait([&] { model_->SetShowArrows(on); });
}

void ReportList::ReorderRows(const std::vector<int>& order) {
    if (order.size() != static_cast<size_t>(RowCount()) || order.size() < 2) {
        return;
    }
    Change([&] {
        model_->Permute(order);
        last_current_ = SelectedRow();
        anchor_ = -1;
    });
}

void ReportList::NotifyCurrentChanged() {
    if (changing_) {
        return;
    }
    const int now = SelectedRow();
    if (now == last_current_) {
        return;
    }
    last_current_ = now;
    if (on_current_row_changed) {
        on_current_row_changed();
    }
}

void ReportList::SetUpRowHeader(QHeaderView* header) {
    if (header != verticalHeader()) {
        setVerticalHeader(header);  // deletes the old one
    }
    header->hide();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(1);
    UpdateRowHeight();
}

void ReportList::UpdateRowHeight() {
    const int pixels = font().pixelSize();
    const int height = pixels > 0 ? (pixels * 11 + 4) / 8 : fontMetrics().height() + 2;
    verticalHeader()->setDefaultSectionSize(std::max(height, 8));
}

void ReportList::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateRowHeight();
    }
}

void ReportList::keyPressEvent(QKeyEvent* event) {
    ReportKeyDown(*event, on_key_down);
    QTableView::keyPressEvent(event);
}

void ReportList::mousePressEvent(QMouseEvent* event) {
    const int row = rowAt(event->position().toPoint().y());
    if (event->button() == Qt::RightButton) {
        // As the list view does: the row under the pointer is selected first.
        if (row < 0 || !model_->Multi() || !model_->Marked(row)) {
            SetSelectedRow(row);
        }
        setFocus(Qt::MouseFocusReason);
        event->accept();
        if (on_right_click) {
            on_right_click();
        }
        return;
    }
    if (event->button() == Qt::LeftButton && row < 0) {
        SetSelectedRow(-1);  // a press below the rows selects nothing
    } else if (event->button() == Qt::LeftButton && model_->Multi()) {
        Change([&] {
            const auto modifiers = event->modifiers();
            if (modifiers & Qt::ControlModifier) {
                model_->Mark(row, !model_->Marked(row));
                anchor_ = row;
            } else if ((modifiers & Qt::ShiftModifier) && anchor_ >= 0 && anchor_ < RowCount()) {
                model_->ClearMarks();
                for (int r = std::min(anchor_, row); r <= std::max(anchor_, row); ++r) {
                    model_->Mark(r, true);
                }
            } else {
                model_->ClearMarks();
                model_->Mark(row, true);
                anchor_ = row;
            }
        });
    }
    QTableView::mousePressEvent(event);
}

}  // namespace kob
