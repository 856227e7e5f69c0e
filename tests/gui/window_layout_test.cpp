// Walks the layout tables and checks that the window holds each control as
// its row says: one object of that name, the member pointing at it, its
// container, geometry, state, font, caption, columns, items and pictures.
#include <QAbstractItemModel>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <fstream>
#include <functional>
#include <set>

#include "support/window_fixture.h"
#include "ui/layout.h"

namespace kob::test {
namespace {

using layout::Kind;
using layout::Row;
using layout::Table;
using LayoutTest = WindowTest;

QObject* MemberOf(MainWindow& w, const Row& row) {
    return std::visit([&](auto member) -> QObject* { return w.*member; }, row.member);
}

QObject* ContainerOf(MainWindow& w, const Row& row) {
    if (row.container == layout::kWindow) {
        return &w;
    }
    for (int page = 0; page < 4; ++page) {
        if (row.container == "page " + std::to_string(page)) {
            return w.选择夹1->Page(page);
        }
    }
    return w.findChild<QWidget*>(QString::fromStdString(row.container));
}

std::vector<Row> AllRows() {
    std::vector<Row> rows;
    for (const Table& table : layout::AllTables()) {
        rows.insert(rows.end(), table.rows.begin(), table.rows.end());
    }
    return rows;
}

TEST_F(LayoutTest, EveryRowIsOneControlInItsContainer) {
    for (const Row& row : AllRows()) {
        SCOPED_TRACE(row.name);
        const QList<QObject*> found = w().findChildren<QObject*>(QString::fromStdString(row.name));
        ASSERT_EQ(found.size(), 1);
        EXPECT_EQ(found[0], MemberOf(w(), row));
        if (row.kind == Kind::BalloonTip) {
            continue;  // a window of its own
        }
        QObject* container = ContainerOf(w(), row);
        ASSERT_NE(container, nullptr) << row.container;
        EXPECT_EQ(found[0]->parent(), container);
    }
}

TEST_F(LayoutTest, EveryControlHasItsGeometryStateAndFont) {
    for (const Row& row : AllRows()) {
        SCOPED_TRACE(row.name);
        if (row.kind == Kind::Timer || row.kind == Kind::BalloonTip) {
            continue;
        }
        auto* widget = qobject_cast<QWidget*>(MemberOf(w(), row));
        ASSERT_NE(widget, nullptr);
        QRect expected(row.left, row.top, row.width, row.height);
        if (row.name == "选择夹1") {
            expected.moveTop(105);  // start-up moves it up
        }
        EXPECT_EQ(widget->geometry(), expected);
        EXPECT_EQ(widget->isHidden(), (row.state & layout::kHidden) != 0);
        EXPECT_EQ(widget->isEnabled(), (row.state & layout::kDisabled) == 0);
        if (row.font.face != '-' && row.font.face != 'D') {
            const QFont font =
                row.kind == Kind::PageStack ? w().选择夹1->Tabs()->font() : widget->font();
            EXPECT_EQ(font.pixelSize(), row.font.pixels);
            EXPECT_EQ(font.bold(), row.font.bold);
        }
    }
}

// The last pixel row that text draws into when the widget is three times
// its height (so nothing is cut): where the text with and without it differ.
int InkBottom(QWidget* widget, const std::function<void(bool with_text)>& set_text) {
    const QSize size = widget->size();
    widget->resize(size.width(), size.height() * 3);
    set_text(false);
    const QImage bare = widget->grab().toImage();
    set_text(true);
    const QImage inked = widget->grab().toImage();
    widget->resize(size);
    for (int y = inked.height() - 1; y >= 0; --y) {
        for (int x = 0; x < inked.width(); ++x) {
            if (inked.pixel(x, y) != bare.pixel(x, y)) {
                return y;
            }
        }
    }
    return -1;
}

// The faces' line heights differ from the Windows faces': every caption and
// every single-line box's text must still end above the control's bottom
// edge (inside its border), wrapped captions included.
TEST_F(LayoutTest, EveryTextEndsInsideItsControl) {
    // Captions the handlers write into labels that start empty, and a text
    // for the edit boxes, whose characters reach down furthest.
    const std::string sample = "余额备注付款gy";
    for (const Row& row : AllRows()) {
        SCOPED_TRACE(row.name);
        QObject* object = MemberOf(w(), row);
        int bottom = -1;
        int limit = row.height;
        if (row.kind == Kind::Label || row.kind == Kind::TransparentLabel) {
            auto* label = static_cast<Label*>(object);
            const std::string caption = row.text.empty() ? sample : row.text;
            bottom = InkBottom(label, [&](bool with) { label->SetCaption(with ? caption : ""); });
        } else if (row.kind == Kind::EditBox) {
            auto* box = static_cast<EditBox*>(object);
            // An amount box only ever shows a number, a whole-number box digits.
            const std::string text = row.look.entry == EntryMode::Amount        ? "-1234.56789"
                                     : row.look.entry == EntryMode::WholeNumber ? "123456789"
                                                                                : sample;
            box->SetEntryMode(EntryMode::Normal);
            bottom = InkBottom(box, [&](bool with) { box->SetText(with ? text : ""); });
            limit -= row.look.border == Border::Sunken   ? 2
                     : row.look.border == Border::Single ? 1
                                                         : 0;
        } else {
            continue;
        }
        EXPECT_GE(bottom, 0) << "no text drawn";
        EXPECT_LT(bottom, limit) << "the text's bottom is cut";
    }
}

std::string HeaderTitle(ReportList* list, int column) {
    return list->model()->headerData(column, Qt::Horizontal).toString().toStdString();
}

TEST_F(LayoutTest, CaptionsColumnsItemsAndPictures) {
    for (const Row& row : AllRows()) {
        SCOPED_TRACE(row.name);
        QObject* object = MemberOf(w(), row);
        switch (row.kind) {
            case Kind::Label:
            case Kind::TransparentLabel:
                EXPECT_EQ(static_cast<Label*>(object)->Caption(), row.text);
                break;
            case Kind::PushButton:
                EXPECT_EQ(static_cast<PushButton*>(object)->Caption(), row.text);
                break;
            case Kind::ColourButton:
                EXPECT_EQ(static_cast<ColourButton*>(object)->Caption(), row.text);
                break;
            case Kind::CheckBox:
                EXPECT_EQ(static_cast<CheckBox*>(object)->text().toStdString(), row.text);
                break;
            case Kind::GroupBox:
                EXPECT_EQ(static_cast<QGroupBox*>(object)->title().toStdString(), row.text);
                break;
            case Kind::EditBox: {
                auto* edit = static_cast<EditBox*>(object);
                EXPECT_EQ(edit->Text(), "");
                EXPECT_EQ(edit->echoMode() == QLineEdit::Password,
                          row.look.entry == EntryMode::Masked);
                break;
            }
            case Kind::ComboBox: {
                auto* combo = static_cast<ComboBox*>(object);
                std::string items;
                for (int i = 0; i < combo->ItemCount(); ++i) {
                    items += (i ? "|" : "") + combo->ItemText(i);
                }
                EXPECT_EQ(items, row.text);
                EXPECT_EQ(combo->CurrentItem(), row.look.current_item);
                break;
            }
            case Kind::ReportList: {
                auto* list = static_cast<ReportList*>(object);
                ASSERT_NE(row.look.columns, nullptr);
                ASSERT_EQ(list->ColumnCount(), static_cast<int>(row.look.columns->size()));
                for (int c = 0; c < list->ColumnCount(); ++c) {
                    const auto& [title, width] = (*row.look.columns)[static_cast<size_t>(c)];
                    EXPECT_EQ(HeaderTitle(list, c), title);
                    EXPECT_EQ(list->columnWidth(c), width) << title;
                }
                EXPECT_EQ(list->RowCount(), 0);
                break;
            }
            case Kind::ImageButton: {
                ASSERT_NE(row.look.picture, nullptr);
                EXPECT_TRUE(QFile::exists(row.look.picture)) << row.look.picture;
                if (row.look.hover_picture != nullptr) {
                    EXPECT_TRUE(QFile::exists(row.look.hover_picture)) << row.look.hover_picture;
                }
                EXPECT_FALSE(static_cast<ImageButton*>(object)->CurrentPixmap().isNull());
                break;
            }
            case Kind::PictureBox:
                ASSERT_NE(row.look.picture, nullptr);
                EXPECT_TRUE(QFile::exists(row.look.picture)) << row.look.picture;
                break;
            default:
                break;
        }
    }
}

TEST_F(LayoutTest, TablesCoverEveryNamedControlOnce) {
    // Every named widget of the window comes from exactly one row.
    std::set<std::string> rows;
    for (const Row& row : AllRows()) {
        EXPECT_TRUE(rows.insert(row.name).second) << row.name << " twice";
    }
    for (QObject* child : w().findChildren<QObject*>()) {
        const std::string name = child->objectName().toStdString();
        if (!name.empty() && static_cast<unsigned char>(name[0]) >= 0x80) {
            EXPECT_EQ(rows.count(name), 1u) << name;
        }
    }
}

TEST_F(LayoutTest, EveryDeclaredControlIsBuilt) {
    // The header declares each control as `Kind* name = nullptr;`.
    std::ifstream header(std::string(KOBRELAN_GUI_TEST_SOURCE_DIR) + "/src/ui/main_window.h");
    ASSERT_TRUE(header.good());
    // Lines of the form "    Kind* name = nullptr;".
    int declared = 0;
    for (std::string line; std::getline(header, line);) {
        const auto star = line.find("* ");
        const auto tail = line.find(" = nullptr;");
        if (star == std::string::npos || tail == std::string::npos || tail < star) {
            continue;
        }
        const std::string name = line.substr(star + 2, tail - star - 2);
        ++declared;
        EXPECT_NE(w().findChild<QObject*>(QString::fromStdString(name)), nullptr) << name;
    }
    EXPECT_EQ(declared, static_cast<int>(AllRows().size()));
}

}  // namespace
}  // namespace kob::test
