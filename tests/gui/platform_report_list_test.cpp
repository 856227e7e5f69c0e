// The report list as the handlers use it: cells, hidden columns, the
// selected row and its change events, sorting, header images, the spare
// list's multi-selection and writes from a worker thread.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/gui/report_list.h"
#include "support/report_rows.h"

namespace kob {
namespace {

class ReportListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(1000, 700);
        list_ = new ReportList(window_.get());
        list_->setFont(MakeFont({'Y', 16, false}));
        list_->setGeometry(0, 127, 950, 432);
        // The recharge list's layout: column 0 holds the id but is not shown.
        list_->SetColumns({{"充值ID", 0}, {"会员卡号", 80}, {"姓名", 100}, {"充值时间", 170}});
        list_->on_current_row_changed = [this] { changes_.push_back(list_->SelectedRow()); };
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }
    void AddNumbered(int n) {
        for (int i = 0; i < n; ++i) {
            AddRow(*list_,
                   {std::to_string(i), "卡" + std::to_string(i), "姓名" + std::to_string(i)});
        }
    }
    QPoint RowPoint(int row) const {
        const int column = 1;  // column 0 is hidden
        return list_->visualRect(list_->model()->index(row, column)).center();
    }
    void Press(Qt::MouseButton button, QPoint at, Qt::KeyboardModifiers mods = {}) {
        QTest::mousePress(list_->viewport(), button, mods, at);
        QTest::mouseRelease(list_->viewport(), button, mods, at);
    }
    std::vector<std::string> Column(int column) const {
        std::vector<std::string> cells;
        for (int r = 0; r < list_->RowCount(); ++r) {
            cells.push_back(list_->Cell(r, column));
        }
        return cells;
    }
    std::unique_ptr<QWidget> window_;
    ReportList* list_ = nullptr;
    std::vector<int> changes_;
};

TEST_F(ReportListTest, CellsRoundTripAndTheZeroWidthColumnHoldsValues) {
    EXPECT_EQ(list_->ColumnCount(), 4);
    EXPECT_EQ(list_->RowCount(), 0);
    EXPECT_EQ(AddRow(*list_, {"17", "1001", "张三"}), 0);  // missing cell is empty
    EXPECT_EQ(AddRow(*list_, {"18", "1002", "李四", "2024-01-02 09:00:00", "extra"}), 1);
    list_->AddRows({{"19", "1003"}, {"20"}});
    ASSERT_EQ(list_->RowCount(), 4);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"17", "18", "19", "20"}));
    EXPECT_EQ(list_->Cell(0, 2), "张三");
    EXPECT_EQ(list_->Cell(0, 3), "");
    EXPECT_EQ(list_->Cell(1, 3), "2024-01-02 09:00:00");
    EXPECT_EQ(list_->Cell(3, 1), "");
    EXPECT_EQ(list_->Cell(9, 0), "");  // beyond the rows: empty, no failure
    EXPECT_EQ(list_->Cell(0, 4), "");

    list_->SetCell(1, 2, "王五");
    list_->SetCell(9, 2, "nobody");  // ignored
    EXPECT_EQ(list_->Cell(1, 2), "王五");
    EXPECT_EQ(list_->model()->data(list_->model()->index(1, 2)).toString().toStdString(), "王五");

    EXPECT_TRUE(list_->isColumnHidden(0));
    EXPECT_FALSE(list_->isColumnHidden(1));
    EXPECT_EQ(list_->columnWidth(3), 170);
    EXPECT_EQ(list_->model()->headerData(1, Qt::Horizontal).toString().toStdString(), "会员卡号");
    EXPECT_FALSE(list_->showGrid());
    EXPECT_FALSE(list_->verticalHeader()->isVisible());

    list_->DeleteAllRows();
    EXPECT_EQ(list_->RowCount(), 0);
    // The columns keep their layout through the deletion.
    EXPECT_TRUE(list_->isColumnHidden(0));
    EXPECT_EQ(list_->columnWidth(3), 170);
}

TEST_F(ReportListTest, SelectedRowChangesAreReportedOncePerRealChange) {
    AddNumbered(6);
    EXPECT_EQ(list_->SelectedRow(), -1);
    list_->SetSelectedRow(2);
    list_->SetSelectedRow(2);
    EXPECT_EQ(list_->SelectedRow(), 2);
    list_->SetSelectedRow(-1);
    list_->SetSelectedRow(99);  // no such row: none
    EXPECT_EQ(list_->SelectedRow(), -1);
    EXPECT_EQ(changes_, (std::vector<int>{2, -1}));

    changes_.clear();
    Press(Qt::LeftButton, RowPoint(3));
    Press(Qt::LeftButton, RowPoint(3));
    QTest::keyClick(list_, Qt::Key_Down);
    EXPECT_EQ(changes_, (std::vector<int>{3, 4}));
    EXPECT_TRUE(RowSelected(*list_, 4));
    EXPECT_FALSE(RowSelected(*list_, 3));

    changes_.clear();
    list_->SetSelectedRow(1);
    list_->DeleteAllRows();
    list_->DeleteAllRows();
    EXPECT_EQ(list_->SelectedRow(), -1);
    EXPECT_EQ(changes_, (std::vector<int>{1, -1}));
}

TEST_F(ReportListTest, PressBelowTheRowsSelectsNothing) {
    AddNumbered(3);
    list_->SetSelectedRow(1);
    changes_.clear();
    Press(Qt::LeftButton, QPoint(100, list_->viewport()->height() - 5));
    EXPECT_EQ(list_->SelectedRow(), -1);
    EXPECT_EQ(changes_, std::vector<int>{-1});
}

TEST_F(ReportListTest, RightPressSelectsTheRowUnderThePointerFirst) {
    AddNumbered(4);
    list_->SetSelectedRow(0);
    std::vector<int> selected_when_clicked;
    list_->on_right_click = [&] { selected_when_clicked.push_back(list_->SelectedRow()); };
    QTest::mousePress(list_->viewport(), Qt::RightButton, {}, RowPoint(2));
    EXPECT_EQ(selected_when_clicked, std::vector<int>{2});
    QTest::mouseRelease(list_->viewport(), Qt::RightButton, {}, RowPoint(2));
    QTest::mousePress(list_->viewport(), Qt::RightButton, {},
                      QPoint(100, list_->viewport()->height() - 5));
    EXPECT_EQ(selected_when_clicked, (std::vector<int>{2, -1}));
    EXPECT_EQ(changes_, (std::vector<int>{0, 2, -1}));
}

TEST_F(ReportListTest, KeysAndHeaderClicksReachTheirHandlers) {
    AddNumbered(3);
    std::vector<int> keys, columns;
    list_->on_key_down = [&](int key, int) { keys.push_back(key); };
    list_->on_column_click = [&](int column) { columns.push_back(column); };
    QTest::keyClick(list_, Qt::Key_Delete);
    QTest::keyClick(list_, Qt::Key_Return);
    EXPECT_EQ(keys, (std::vector<int>{46, 13}));

    QHeaderView* header = list_->horizontalHeader();
    const int x = header->sectionViewportPosition(2) + header->sectionSize(2) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    EXPECT_EQ(columns, std::vector<int>{2});
    // A header click sorts nothing by itself.
    EXPECT_EQ(Column(0), (std::vector<std::string>{"0", "1", "2"}));
}

TEST_F(ReportListTest, SortIsStableAndTheSelectionFollowsItsRow) {
    const std::vector<std::vector<std::string>> rows = {{"0", "b"}, {"1", "a"}, {"2", "b"},
                                                        {"3", "a"}, {"4", "c"}, {"5", "b"}};
    list_->AddRows(rows);
    list_->SetSelectedRow(2);
    changes_.clear();
    SortRows(*list_, [this](int a, int b) { return list_->Cell(a, 1) < list_->Cell(b, 1); });
    EXPECT_EQ(Column(0), (std::vector<std::string>{"1", "3", "0", "2", "5", "4"}));
    EXPECT_EQ(list_->SelectedRow(), 3);
    EXPECT_EQ(list_->Cell(list_->SelectedRow(), 0), "2");
    EXPECT_TRUE(changes_.empty());

    // Descending, with keys made before the sort as the column sort does.
    std::vector<std::string> keys;
    for (int r = 0; r < list_->RowCount(); ++r) {
        keys.push_back(list_->Cell(r, 1));
    }
    SortRows(*list_, [&keys](int a, int b) { return keys[size_t(a)] > keys[size_t(b)]; });
    EXPECT_EQ(Column(0), (std::vector<std::string>{"4", "0", "2", "5", "1", "3"}));
    EXPECT_EQ(list_->Cell(list_->SelectedRow(), 0), "2");
    // Later changes still report against the moved row.
    list_->SetSelectedRow(2);
    EXPECT_TRUE(changes_.empty());
    list_->SetCell(0, 1, "z");
    EXPECT_EQ(list_->model()->data(list_->model()->index(0, 1)).toString().toStdString(), "z");
}

TEST_F(ReportListTest, HeaderImagesAndTheSortArrows) {
    EXPECT_EQ(list_->HeaderImage(2), -1);
    list_->SetHeaderImage(2, 1);
    list_->SetHeaderImage(0, 0);
    list_->SetHeaderImage(9, 1);  // no such column: ignored
    EXPECT_EQ(list_->HeaderImage(2), 1);
    EXPECT_EQ(list_->HeaderImage(0), 0);
    EXPECT_EQ(list_->HeaderImage(9), -1);
    const auto decoration = [this](int column) {
        return list_->model()->headerData(column, Qt::Horizontal, Qt::DecorationRole);
    };
    EXPECT_FALSE(decoration(2).isValid());  // no image list yet
    list_->SetHeaderArrows(true);
    ASSERT_TRUE(decoration(2).canConvert<QPixmap>());
    EXPECT_EQ(decoration(2).value<QPixmap>().toImage().convertToFormat(QImage::Format_ARGB32),
              ReportList::SortArrowImage(1));
    EXPECT_FALSE(decoration(1).isValid());
    list_->SetHeaderArrows(false);
    EXPECT_FALSE(decoration(2).isValid());
    EXPECT_EQ(list_->HeaderImage(2), 1);
}

TEST(SortArrowImageTest, GreyLeftSlopeAndBaseWhiteRightSlope) {
    const QColor grey(127, 127, 127), white(255, 255, 255);
    struct Pixel {
        int image, x, y;
        QColor colour;
    };
    const std::vector<Pixel> pixels = {
        {0, 3, 0, grey}, {0, 4, 0, white}, {0, 0, 5, grey}, {0, 7, 5, white}, {0, 0, 6, grey},
        {0, 6, 6, grey}, {0, 7, 6, white}, {1, 0, 0, grey}, {1, 6, 0, grey},  {1, 7, 0, white},
        {1, 3, 6, grey}, {1, 4, 6, white}, {1, 2, 4, grey}, {1, 5, 4, white},
    };
    for (const auto& p : pixels) {
        EXPECT_EQ(ReportList::SortArrowImage(p.image).pixelColor(p.x, p.y), p.colour)
            << "image " << p.image << " at " << p.x << "," << p.y;
    }
    for (int image = 0; image < 2; ++image) {
        const QImage arrow = ReportList::SortArrowImage(image);
        EXPECT_EQ(arrow.size(), QSize(8, 7));
        int grey_count = 0, white_count = 0, clear = 0;
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 8; ++x) {
                const QColor c = arrow.pixelColor(x, y);
                grey_count += c == grey ? 1 : 0;
                white_count += c == white ? 1 : 0;
                clear += c.alpha() == 0 ? 1 : 0;
            }
        }
        EXPECT_EQ(grey_count, 13);
        EXPECT_EQ(white_count, 7);
        EXPECT_EQ(clear, 56 - 20);
    }
}

TEST_F(ReportListTest, SpareListSelectsManyRows) {
    list_->SetMultiSelect(true);
    AddNumbered(6);
    SetRowSelected(*list_, 3, true);
    SetRowSelected(*list_, 1, true);
    SetRowSelected(*list_, 4, true);
    EXPECT_TRUE(RowSelected(*list_, 1));
    EXPECT_FALSE(RowSelected(*list_, 2));
    EXPECT_EQ(list_->SelectedRow(), 1);
    SetRowSelected(*list_, 1, false);
    EXPECT_EQ(list_->SelectedRow(), 3);
    EXPECT_EQ(changes_, (std::vector<int>{3, 1, 3}));

    // The marks move with their rows.
    SortRows(*list_, [](int a, int b) { return a > b; });
    EXPECT_EQ(Column(0), (std::vector<std::string>{"5", "4", "3", "2", "1", "0"}));
    EXPECT_TRUE(RowSelected(*list_, 1));
    EXPECT_TRUE(RowSelected(*list_, 2));
    EXPECT_EQ(list_->SelectedRow(), 1);

    // The operator: a click marks one row, Ctrl+click adds one.
    Press(Qt::LeftButton, RowPoint(0));
    Press(Qt::LeftButton, RowPoint(5), Qt::ControlModifier);
    std::vector<bool> marks;
    for (int r = 0; r < 6; ++r) {
        marks.push_back(RowSelected(*list_, r));
    }
    EXPECT_EQ(marks, (std::vector<bool>{true, false, false, false, false, true}));

    list_->SetSelectedRow(2);  // one row only
    EXPECT_TRUE(RowSelected(*list_, 2));
    EXPECT_FALSE(RowSelected(*list_, 0));
    EXPECT_FALSE(RowSelected(*list_, 5));

    // The other lists hold one selected row.
    list_->SetMultiSelect(false);
    SetRowSelected(*list_, 1, true);
    SetRowSelected(*list_, 4, true);
    EXPECT_FALSE(RowSelected(*list_, 1));
    EXPECT_EQ(list_->SelectedRow(), 4);
}

// Cells keep their bytes through whole-column loads, appends, overwrites
// (shorter, longer, many) and emptying, large or small.
TEST_F(ReportListTest, CellsReadBackByteForByteThroughEveryChange) {
    std::vector<std::vector<std::string>> expected;  // [row][column]
    auto check = [&](const char* step) {
        SCOPED_TRACE(step);
        ASSERT_EQ(list_->RowCount(), static_cast<int>(expected.size()));
        for (size_t r = 0; r < expected.size(); ++r) {
            for (int c = 0; c < 4; ++c) {
                ASSERT_EQ(list_->Cell(static_cast<int>(r), c), expected[r][static_cast<size_t>(c)])
                    << r << "," << c;
                ASSERT_EQ(list_->CellView(static_cast<int>(r), c),
                          expected[r][static_cast<size_t>(c)]);
            }
        }
    };
    const std::vector<std::string> texts = {
        "",
        "张三",
        "1个项目" + std::string(20, ' ') + "\r\n加钟",
        std::string("a\0b", 3),
        "[]",
        std::string(300, 'x'),
        "2024-05-01 10:00:00",
        "喆犇鑫淼燚",
    };
    auto load = [&](size_t rows, size_t shift) {
        std::vector<CellColumn> columns(4);
        for (size_t r = 0; r < rows; ++r) {
            std::vector<std::string> row;
            for (size_t c = 0; c < 4; ++c) {
                row.push_back(texts[(r * 3 + c + shift) % texts.size()]);
                columns[c].Add(row.back());
            }
            expected.push_back(row);
        }
        list_->AddColumns(std::move(columns));
    };

    load(50, 0);
    check("a load into the empty list");
    list_->AddRows({{"x", "李四"}, {}});
    expected.push_back({"x", "李四", "", ""});
    expected.push_back({"", "", "", ""});
    load(30, 1);
    check("rows appended to rows");

    const std::vector<std::pair<int, std::string>> writes = {
        {0, "短"}, {1, std::string(500, 'y') + "长"}, {2, ""}, {3, "王五"}, {1, "又短了"}};
    for (size_t i = 0; i < writes.size(); ++i) {
        const int row = static_cast<int>(i * 7);
        list_->SetCell(row, writes[i].first, writes[i].second);
        expected[static_cast<size_t>(row)][static_cast<size_t>(writes[i].first)] = writes[i].second;
    }
    check("overwritten");

    // A whole column replaced at once, after a sort moved the rows away from
    // their slots: each cell lands in its row.
    SortRows(*list_, [&](int a, int b) { return list_->Cell(a, 1) > list_->Cell(b, 1); });
    std::stable_sort(expected.begin(), expected.end(),
                     [](const auto& a, const auto& b) { return a[1] > b[1]; });
    CellColumn replaced;
    for (size_t r = 0; r < expected.size(); ++r) {
        expected[r][2] = r % 4 == 0 ? "" : "第" + std::to_string(r) + "行";
        replaced.Add(expected[r][2]);
    }
    EXPECT_TRUE(list_->SetColumnCells(2, std::move(replaced)));
    check("a column replaced whole");
    CellColumn short_by_one;
    for (size_t r = 1; r < expected.size(); ++r) {
        short_by_one.Add("x");
    }
    EXPECT_FALSE(list_->SetColumnCells(2, std::move(short_by_one)));
    CellColumn beyond_the_columns;
    for (size_t r = 0; r < expected.size(); ++r) {
        beyond_the_columns.Add("x");
    }
    EXPECT_FALSE(list_->SetColumnCells(4, std::move(beyond_the_columns)));
    check("a column of another row count refused");

    // Rows copied into another list, as the search does, in runs and out of
    // order, from cells the writes and the sort scattered.
    auto* copy = new ReportList(window_.get());
    copy->SetColumns({{"a", 0}, {"b", 80}, {"c", 100}, {"d", 170}});
    const int last = static_cast<int>(expected.size()) - 1;
    const std::vector<int> picked = {3, 0, 1, 2, 2, last, 7, 8, 9, 10, 11, 12, 40, 39};
    copy->AddRowsFrom(*list_, picked);
    copy->AddRowsFrom(*list_, {last, 5});
    std::vector<int> all = picked;
    all.insert(all.end(), {last, 5});
    ASSERT_EQ(copy->RowCount(), static_cast<int>(all.size()));
    for (size_t i = 0; i < all.size(); ++i) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(copy->Cell(static_cast<int>(i), c),
                      expected[static_cast<size_t>(all[i])][static_cast<size_t>(c)])
                << i << "," << c;
        }
    }

    // Longer and longer texts leave most of a column unused: it is compacted.
    for (int round = 1; round <= 4; ++round) {
        for (size_t r = 0; r < expected.size(); ++r) {
            std::string text =
                std::to_string(r) + std::string(static_cast<size_t>(round) * 20000, '#');
            list_->SetCell(static_cast<int>(r), 3, text);
            expected[r][3] = std::move(text);
        }
        check("rewritten many times");
    }

    list_->DeleteAllRows();
    expected.clear();
    check("emptied");
    load(20, 2);
    check("loaded again");

    // A list too large to keep its storage when emptied.
    std::vector<CellColumn> big(4);
    for (size_t r = 0; r < 300000; ++r) {
        for (auto& column : big) {
            column.Add(std::string(20, 'z'));
        }
    }
    list_->DeleteAllRows();
    expected.clear();
    list_->AddColumns(std::move(big));
    ASSERT_EQ(list_->RowCount(), 300000);
    EXPECT_EQ(list_->Cell(299999, 3), std::string(20, 'z'));
    list_->DeleteAllRows();
    load(10, 3);
    check("loaded after a large list");
}

// A list emptied keeps the storage of a few rows for the next keystroke's
// rebuild, but gives a large one back whole, and its rows show as before.
TEST_F(ReportListTest, EmptyingALargeListFreesItsStorage) {
    struct Case {
        size_t rows;
        bool keeps_storage;
    };
    const Case cases[] = {{1000, true}, {300000, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        std::vector<CellColumn> columns(4);
        for (size_t r = 0; r < c.rows; ++r) {
            for (auto& column : columns) {
                column.Add(std::string(20, 'z'));
            }
        }
        list_->AddColumns(std::move(columns));
        ASSERT_EQ(list_->RowCount(), static_cast<int>(c.rows));
        const int row_height = list_->rowHeight(0);
        list_->DeleteAllRows();
        EXPECT_EQ(list_->RowCount(), 0);
        EXPECT_EQ(list_->StorageBytes() > 0, c.keeps_storage);
        AddNumbered(2);
        EXPECT_EQ(list_->Cell(1, 1), "卡1");
        EXPECT_EQ(list_->rowHeight(1), row_height);
        EXPECT_TRUE(list_->verticalHeader()->isHidden());
        list_->DeleteAllRows();
    }
}

TEST_F(ReportListTest, WorkerThreadWritesLandOnTheWindowThread) {
    AddNumbered(3);
    list_->Hide();
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int r = 0; r < list_->RowCount(); ++r) {
            list_->SetCell(r, 2, list_->Cell(r, 1) + "已算");
        }
        AddRow(*list_, {"3", "卡3"});
        list_->Show();
        done = true;
    });
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    worker.join();
    EXPECT_EQ(Column(2), (std::vector<std::string>{"卡0已算", "卡1已算", "卡2已算", ""}));
    EXPECT_TRUE(list_->Visible());
}

}  // namespace
}  // namespace kob
