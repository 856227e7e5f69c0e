// Walks the layout tables and checks that the window holds each control as
// its row says: one object of that name, the member pointing at it, its
// container, geometry, state, font, caption, columns, items and pictures.
#include <QAbstractItemModel>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <fstream>
#include <regex>
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
    const std::regex declaration(R"(^\s+\w+\* (\S+) = nullptr;)");
    int declared = 0;
    for (std::string line; std::getline(header, line);) {
        std::smatch m;
        if (std::regex_search(line, m, declaration)) {
            ++declared;
            EXPECT_NE(w().findChild<QObject*>(QString::fromStdString(m[1].str())), nullptr)
                << m[1].str();
        }
    }
    EXPECT_EQ(declared, static_cast<int>(AllRows().size()));
}

}  // namespace
}  // namespace kob::test
