// The main window frame: start-up state, the tab strip hidden behind the
// side buttons, the login guard, side-button faces, Esc, the balloon and
// the exit clean-up.
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QTest>
#include <set>

#include "data/config.h"
#include "support/window_fixture.h"
#include "ui/layout.h"

namespace kob::test {
namespace {

using FrameTest = WindowTest;

bool SameImage(const QImage& a, const QImage& b) {
    return a.convertToFormat(QImage::Format_ARGB32_Premultiplied) ==
           b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// A face as the window shows it: on the buttons' white background.
QImage OnWhite(const QImage& face) {
    QImage flat(face.size(), QImage::Format_ARGB32_Premultiplied);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, face);
    return flat;
}

std::vector<ImageButton*> SideButtons(MainWindow& w) {
    return {w.按钮_会员管理, w.按钮_会员充值, w.按钮_会员消费, w.按钮_系统设置};
}

TEST_F(FrameTest, StartsOnTheLoginPageWithTheStackMovedUp) {
    EXPECT_EQ(w().选择夹1->CurrentPage(), 3);
    EXPECT_EQ(w().选择夹1->geometry(), QRect(32, 105, 952, 559));
    // 1000 × 700 outside; the client area holds the whole page stack.
    EXPECT_EQ(w().OuterWidth(), 1000);
    EXPECT_EQ(w().OuterHeight(), 700);
    EXPECT_EQ(w().size(), QSize(984, 664));
    EXPECT_LE(w().选择夹1->geometry().bottom() + 1, w().height());
    EXPECT_LE(w().选择夹1->geometry().right() + 1, w().width());
    EXPECT_EQ(w().windowTitle().toStdString(), "Kobrelan-洗脚店管理系统 V1.5");
    EXPECT_TRUE(w().时钟1->isActive());
    EXPECT_EQ(w().时钟1->interval(), 200);
    EXPECT_FALSE(w().气球提示框1->Shown());
    // Centred on the screen when first shown.
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((w().frameGeometry().center() - centre).manhattanLength(), 2);
}

TEST_F(FrameTest, WindowIsFixedWithMinimiseButNoMaximiseBox) {
    EXPECT_EQ(w().minimumSize(), w().maximumSize());
    const Qt::WindowFlags flags = w().windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w().palette().color(QPalette::Window), QColor(Qt::white));
    const QList<QSize> sizes = w().windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(256, 256)));
}

TEST_F(FrameTest, OnlySideButtonsWhiteStripAndStackAreDrawn) {
    std::set<std::string> shown;
    for (QWidget* child : w().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisible()) {
            shown.insert(child->objectName().toStdString());
        }
    }
    const std::set<std::string> expected = {"按钮_会员管理", "按钮_会员充值", "按钮_会员消费",
                                            "按钮_系统设置", "外形框1",       "选择夹1"};
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(w().外形框_当前用户->isHidden());
    // The spare list is hidden, and would lie below the client area anyway.
    EXPECT_TRUE(w().超级列表框_会员管理_会员列表备用->isHidden());
    EXPECT_GE(w().超级列表框_会员管理_会员列表备用->y(), w().height());
}

TEST_F(FrameTest, EveryTabLiesUnderTheSideButtonsOrTheWhiteStrip) {
    QRegion cover;
    for (QWidget* c :
         {static_cast<QWidget*>(w().按钮_会员管理), static_cast<QWidget*>(w().按钮_会员充值),
          static_cast<QWidget*>(w().按钮_会员消费), static_cast<QWidget*>(w().按钮_系统设置),
          static_cast<QWidget*>(w().外形框1)}) {
        cover += RectInWindow(c);
    }
    QTabBar* tabs = w().选择夹1->Tabs();
    ASSERT_EQ(tabs->count(), 4);
    const std::vector<std::string> captions = {"会员管理", "会员充值", "会员消费", "系统设置"};
    for (int i = 0; i < tabs->count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(tabs->tabText(i).toStdString(), captions[static_cast<size_t>(i)]);
        const QRect tab(tabs->mapTo(&w(), tabs->tabRect(i).topLeft()), tabs->tabRect(i).size());
        EXPECT_TRUE((QRegion(tab) - cover).isEmpty())
            << "tab uncovered at " << tab.x() << "," << tab.y() << " " << tab.width() << "x"
            << tab.height();
        // What is drawn there is a side button or the strip, not the tab bar.
        for (QPoint p : {tab.topLeft(), tab.center(), tab.bottomRight()}) {
            QWidget* top = w().childAt(p);
            ASSERT_NE(top, nullptr);
            const std::string name = top->objectName().toStdString();
            EXPECT_TRUE(name.rfind("按钮_", 0) == 0 || name == "外形框1") << name;
        }
    }
}

TEST_F(FrameTest, NoTabIsDrawn) {
    // Drawn with and without the tab strip, the window looks the same.
    QTabBar* tabs = w().选择夹1->Tabs();
    const QImage with_tabs = w().grab().toImage();
    tabs->hide();
    const QImage without_tabs = w().grab().toImage();
    tabs->show();
    ASSERT_EQ(with_tabs.size(), without_tabs.size());
    const QRect strip(tabs->mapTo(&w(), QPoint(0, 0)), tabs->size());
    int differing = 0;
    for (int y = strip.top(); y <= strip.bottom(); ++y) {
        for (int x = strip.left(); x <= strip.right(); ++x) {
            differing += with_tabs.pixel(x, y) != without_tabs.pixel(x, y);
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(FrameTest, TabChangeBeforeLoginIsUndoneOnce) {
    int calls = 0;
    auto guard = w().选择夹1->on_page_changed;
    w().选择夹1->on_page_changed = [&] {
        ++calls;
        guard();
    };
    QTabBar* tabs = w().选择夹1->Tabs();
    for (int page : {0, 1, 2}) {
        SCOPED_TRACE(page);
        calls = 0;
        QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(page).center());
        EXPECT_EQ(w().选择夹1->CurrentPage(), 3);
        EXPECT_EQ(calls, 1);
        EXPECT_TRUE(w().选择夹1->Page(3)->isVisible());
        EXPECT_FALSE(w().选择夹1->Page(page)->isVisible());
    }
    // From the keyboard too.
    calls = 0;
    tabs->setFocus();
    QTest::keyClick(tabs, Qt::Key_Left);
    EXPECT_EQ(w().选择夹1->CurrentPage(), 3);
    EXPECT_EQ(calls, 1);
}

TEST_F(FrameTest, AfterLoginTabChangesStand) {
    program().LoggedIn = 1;
    QTabBar* tabs = w().选择夹1->Tabs();
    for (int page : {0, 1, 2, 3}) {
        QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(page).center());
        EXPECT_EQ(w().选择夹1->CurrentPage(), page);
    }
}

TEST_F(FrameTest, SideButtonsBeforeLoginSwitchNoPage) {
    for (ImageButton* button : SideButtons(w())) {
        SCOPED_TRACE(button->objectName().toStdString());
        Click(button);
        EXPECT_EQ(w().选择夹1->CurrentPage(), 3);
        EXPECT_TRUE(w().外形框_系统设置->isHidden());
    }
}

TEST_F(FrameTest, SideButtonShowsItsHoverFaceAndTheNormalFaceWhenPressed) {
    const std::vector<std::pair<std::string, std::string>> faces = {
        {":/side/members.png", ":/side/members_hover.png"},
        {":/side/recharge.png", ":/side/recharge_hover.png"},
        {":/side/consumption.png", ":/side/consumption_hover.png"},
        {":/side/settings.png", ":/side/settings_hover.png"},
    };
    const auto buttons = SideButtons(w());
    const QObjectList stacking = w().children();
    for (size_t i = 0; i < buttons.size(); ++i) {
        ImageButton* b = buttons[i];
        SCOPED_TRACE(b->objectName().toStdString());
        const QImage normal = QImage(QString::fromStdString(faces[i].first));
        const QImage hover = QImage(QString::fromStdString(faces[i].second));
        ASSERT_FALSE(normal.isNull());
        ASSERT_FALSE(hover.isNull());
        EXPECT_EQ(b->CurrentFace(), 0);
        Hover(b);
        EXPECT_EQ(b->CurrentFace(), 1);
        EXPECT_TRUE(SameImage(b->CurrentPixmap().toImage(), hover));
        // The buttons overlap their neighbours by a few pixels: the hover
        // face's red frame shows whole, not under a neighbour's white.
        EXPECT_TRUE(SameImage(w().grab(RectInWindow(b)).toImage(), OnWhite(hover)));
        PressLeft(b);
        EXPECT_EQ(b->CurrentFace(), 2);
        EXPECT_TRUE(SameImage(b->CurrentPixmap().toImage(), normal));
        ReleaseLeft(b);
        Unhover(b);
        EXPECT_EQ(b->CurrentFace(), 0);
        EXPECT_EQ(w().children(), stacking) << "back in its place among its neighbours";
    }
}

TEST_F(FrameTest, EscClosesTheWindowWhereverTheFocusIs) {
    struct Case {
        const char* name;
        QWidget* target;
    };
    const std::vector<Case> cases = {
        {"window", &w()},
        {"password box", w().编辑框_密码},
        {"login-name drop-down", w().组合框_登录用户名},
        {"login button", w().按钮_登录系统},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w()));
        c.target->setFocus();
        QTest::keyClick(c.target, Qt::Key_Escape);
        EXPECT_FALSE(w().isVisible());
    }
}

TEST_F(FrameTest, EnterMovesNoFocus) {
    w().编辑框_密码->setFocus();
    QTest::keyClick(w().编辑框_密码, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w().编辑框_密码);
    EXPECT_TRUE(w().isVisible());
}

TEST_F(FrameTest, BalloonTipPointsTenPixelsAboveThePointer) {
    harness().pointer.MoveTo({500, 400});
    program().ShowBalloonTip("充值成功");
    EXPECT_TRUE(w().气球提示框1->Shown());
    EXPECT_EQ(w().气球提示框1->Text(), "充值成功");
    EXPECT_EQ(w().气球提示框1->ShownAt(), QPoint(500, 390));

    harness().pointer.MoveTo({12, 5});
    program().ShowBalloonTip("未进行操作\r\n第二行");
    EXPECT_EQ(w().气球提示框1->Text(), "未进行操作\r\n第二行");
    EXPECT_EQ(w().气球提示框1->ShownAt(), QPoint(12, -5));

    program().ShowBalloonTip("");
    EXPECT_EQ(w().气球提示框1->Text(), "感谢你使用Nuvarte软件");
}

TEST_F(FrameTest, ExitCleanUpReleasesTheOperatorTexts) {
    program().CurrentOperator = {"7", "张三", "13800000000"};
    SetExitCleanUpProgram(&program());
    ExitCleanUp();
    SetExitCleanUpProgram(nullptr);
    EXPECT_EQ(program().CurrentOperator.boss_id, "");
    EXPECT_EQ(program().CurrentOperator.boss_name, "");
    EXPECT_EQ(program().CurrentOperator.boss_tel, "");
}

// The stored list order decides the tick at start; start-up writes nothing.
TEST(ListOrderAtStart, TickedOnlyForTrue) {
    struct Case {
        const char* what;
        std::optional<std::string> stored;  // nullopt: no wyf.ini at all
        bool ticked;
    };
    const std::vector<Case> cases = {
        {"真", "真", true},          {"假", "假", false},
        {"empty", "", false},        {"no file", std::nullopt, false},
        {"a digit", "1", false},     {"another word", "是", false},
        {"真 twice", "真真", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveConfigFile();
        if (c.stored) {
            WriteConfigKey("列表显示配置", "新纪录在最前", *c.stored);
        }
        {
            WindowHarness h;
            h.program->CreateMainWindow();
            EXPECT_EQ(h.w().选择框_新纪录在最前->Ticked(), c.ticked);
        }
        EXPECT_EQ(QFile::exists(QString::fromStdString(data::ConfigFilePath())),
                  c.stored.has_value());
    }
    RemoveConfigFile();
}

TEST(ListOrderAtStart, MissingKeyInAnExistingFileIsUnticked) {
    RemoveConfigFile();
    WriteConfigKey("配置", "最近登录的用户名", "Rudal");
    WindowHarness h;
    h.program->CreateMainWindow();
    EXPECT_FALSE(h.w().选择框_新纪录在最前->Ticked());
    RemoveConfigFile();
}

}  // namespace
}  // namespace kob::test
