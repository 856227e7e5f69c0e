// Message boxes, input boxes and popup menus (scripted and real), the
// balloon tip, and handing work to the window thread.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <thread>

#include "platform/gui/balloon_tip.h"
#include "platform/gui/dialogs.h"
#include "platform/gui/picture_box.h"
#include "platform/gui/services.h"
#include "platform/gui/window_clock.h"
#include "support/scripted_dialogs.h"

namespace kob {
namespace {

// ------------------------------------------------------------------ Qt

// Acts on the modal dialog or popup once it is up, from inside its loop.
void WhenUp(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* up = QApplication::activePopupWidget();
        if (up == nullptr) {
            up = QApplication::activeModalWidget();
        }
        ASSERT_NE(up, nullptr);
        act(up);
    });
}

TEST(QtDialogsTest, MessageBoxShowsTitleTextIconAndButtons) {
    QtDialogs dialogs;
    struct Case {
        MessageButtons buttons;
        MessageIcon icon;
        QMessageBox::Icon qt_icon;
        bool press_cancel;
        Answer answer;
    };
    const std::vector<Case> cases = {
        {MessageButtons::Ok, MessageIcon::Error, QMessageBox::Critical, false, Answer::Ok},
        {MessageButtons::Ok, MessageIcon::None, QMessageBox::NoIcon, false, Answer::Ok},
        {MessageButtons::OkCancel, MessageIcon::Question, QMessageBox::Question, true,
         Answer::Cancel},
        {MessageButtons::OkCancel, MessageIcon::Information, QMessageBox::Information, false,
         Answer::Ok},
    };
    for (const auto& c : cases) {
        std::vector<std::string> button_texts;
        WhenUp([&](QWidget* up) {
            auto* box = qobject_cast<QMessageBox*>(up);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle().toStdString(), "温馨提示");
            EXPECT_EQ(box->text().toStdString(), "登录失败，你没有输入用户名和密码");
            EXPECT_EQ(box->icon(), c.qt_icon);
            for (QAbstractButton* b : box->buttons()) {
                button_texts.push_back(b->text().toStdString());
            }
            box->button(c.press_cancel ? QMessageBox::Cancel : QMessageBox::Ok)->click();
        });
        EXPECT_EQ(
            dialogs.Message("登录失败，你没有输入用户名和密码", "温馨提示", c.buttons, c.icon),
            c.answer);
        std::sort(button_texts.begin(), button_texts.end());
        const std::vector<std::string> expected = c.buttons == MessageButtons::Ok
                                                      ? std::vector<std::string>{"确定"}
                                                      : std::vector<std::string>{"取消", "确定"};
        EXPECT_EQ(button_texts, expected);
    }
}

TEST(QtDialogsTest, InputBoxTakesTextMaskedOrNot) {
    QtDialogs dialogs;
    for (bool masked : {false, true}) {
        WhenUp([masked](QWidget* up) {
            auto* dialog = qobject_cast<QInputDialog*>(up);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle().toStdString(), "验证");
            EXPECT_EQ(dialog->labelText().toStdString(), "请输入管理员密码");
            auto* edit = dialog->findChild<QLineEdit*>();
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->text().toStdString(), "12");
            edit->end(false);
            QTest::keyClicks(edit, "34");
            EXPECT_EQ(edit->displayText().toStdString(), masked ? "****" : "1234");
            dialog->accept();
        });
        EXPECT_EQ(dialogs.Input("请输入管理员密码", "验证", "12", masked), "1234");
    }
    WhenUp([](QWidget* up) { qobject_cast<QDialog*>(up)->reject(); });
    EXPECT_EQ(dialogs.Input("p", "t", "given", false), std::nullopt);
}

// An input box whose text goes into a column keeps what an edit box feeding
// that column would: the scripted one of the queued text, the Qt one of what
// it holds once the operator types (the initial text included).
TEST(InputBoxColumnTest, KeepsWhatTheColumnHolds) {
    ScriptedDialogs scripted;
    Dialogs& ask = scripted;
    scripted.NextInput(std::string("名😀字€abc"));
    scripted.NextInput(std::string("名😀字€abc"));
    EXPECT_EQ(ask.Input("请输入新的姓名", "修改姓名", "", false, 4), "名字ab");
    EXPECT_EQ(scripted.Last()->column_chars, 4);
    EXPECT_EQ(ask.Input("请输入新的姓名", "修改姓名", "", false), "名😀字€abc");

    QtDialogs dialogs;
    for (bool masked : {false, true}) {
        WhenUp([](QWidget* up) {
            auto* edit = up->findChild<QLineEdit*>();
            ASSERT_NE(edit, nullptr);
            edit->end(false);
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QStringLiteral("😀"),
                                Qt::NoModifier);
            QTest::keyClicks(edit, "abcdef");
            qobject_cast<QDialog*>(up)->accept();
        });
        EXPECT_EQ(dialogs.Input("请输入新的电话", "修改电话", "€1", masked, 4), "1abc");
    }
}

TEST(QtDialogsTest, PopupMenuGivesTheChosenItem) {
    QtDialogs dialogs;
    const std::vector<std::string> items = {"删除会员", "修改姓名", "修改电话"};
    std::vector<std::string> shown;
    WhenUp([&](QWidget* up) {
        auto* menu = qobject_cast<QMenu*>(up);
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions()) {
            shown.push_back(a->text().toStdString());
        }
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.PopupMenu("会员操作", items), 1);
    EXPECT_EQ(shown, items);

    WhenUp([](QWidget* up) { QTest::keyClick(up, Qt::Key_Escape); });
    EXPECT_EQ(dialogs.PopupMenu("会员操作", items), -1);
}

// ------------------------------------------------------------- balloon

TEST(BalloonTipTest, PointsAtThePointAndReplacesItsText) {
    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    QWidget* focused = QApplication::focusWidget();
    BalloonTip balloon(&owner);
    EXPECT_FALSE(balloon.Shown());

    balloon.ShowAt("项目一 x1\r\n项目二 x2", QPoint(300, 300));
    EXPECT_TRUE(balloon.Shown());
    EXPECT_EQ(balloon.Text(), "项目一 x1\r\n项目二 x2");
    EXPECT_EQ(balloon.ShownAt(), QPoint(300, 300));
    EXPECT_EQ(balloon.TailTip(), QPoint(300, 300));
    EXPECT_LT(balloon.geometry().bottom(), 301);                      // above the point
    EXPECT_GT(balloon.height(), 2 * balloon.fontMetrics().height());  // two lines
    EXPECT_GT(balloon.RemainingMs(), BalloonTip::kVisibleMs - 1000);
    EXPECT_LE(balloon.RemainingMs(), BalloonTip::kVisibleMs);
    EXPECT_EQ(QApplication::focusWidget(), focused);
    EXPECT_TRUE(balloon.mask().contains(balloon.mapFromGlobal(QPoint(300, 300))));
    EXPECT_TRUE(balloon.windowFlags() & Qt::ToolTip);

    // Near the top edge it hangs below the point.
    balloon.ShowAt("余额不足，不能消费", QPoint(200, 3));
    EXPECT_EQ(balloon.Text(), "余额不足，不能消费");
    EXPECT_EQ(balloon.ShownAt(), QPoint(200, 3));
    EXPECT_EQ(balloon.TailTip(), QPoint(200, 3));
    EXPECT_GE(balloon.geometry().top(), 3);
}

// ------------------------------------------------------ window thread

TEST(WindowThreadTest, WorkFromAnyThreadRunsOnTheWindowThread) {
    QThread* window_thread = QThread::currentThread();
    std::vector<QThread*> ran_on;
    RunOnWindowThread([&] { ran_on.push_back(QThread::currentThread()); });
    EXPECT_TRUE(ran_on.empty());  // queued, even from the window thread
    RunPendingEvents();
    ASSERT_EQ(ran_on.size(), 1u);

    RunOnWindowThreadAndWait([&] { ran_on.push_back(QThread::currentThread()); });
    ASSERT_EQ(ran_on.size(), 2u);  // at once here

    std::atomic<int> finished{0};
    std::vector<int> order;
    std::thread worker([&] {
        RunOnWindowThread([&] {
            ran_on.push_back(QThread::currentThread());
            order.push_back(1);
        });
        RunOnWindowThreadAndWait([&] {
            ran_on.push_back(QThread::currentThread());
            order.push_back(2);
        });
        finished = 1;
    });
    while (finished == 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    worker.join();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    ASSERT_EQ(ran_on.size(), 4u);
    for (QThread* t : ran_on) {
        EXPECT_EQ(t, window_thread);
    }
}

TEST(WindowThreadTest, ControlsShowAndHideFromAWorker) {
    QWidget window;
    auto* spinner = new PictureBox(&window);
    window.show();
    std::atomic<bool> done{false};
    std::thread worker([&] {
        spinner->Hide();
        done = true;
    });
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    worker.join();
    EXPECT_FALSE(spinner->Visible());
}

}  // namespace
}  // namespace kob

namespace kob {
namespace {

// The window clock's Pause keeps the window alive; its Sleep lets nothing run.
TEST(WindowClockTest, PauseHandlesEventsSleepDoesNot) {
    WindowClock clock;
    struct Case {
        bool sleep;
        bool ran_inside;
    };
    for (const Case c : {Case{false, true}, Case{true, false}}) {
        bool ran = false;
        RunOnWindowThread([&] { ran = true; });
        const uint32_t before = clock.TickCount();
        if (c.sleep) {
            clock.Sleep(30);
        } else {
            clock.Pause(30);
        }
        EXPECT_GE(clock.TickCount() - before, 25u);
        EXPECT_EQ(ran, c.ran_inside) << (c.sleep ? "Sleep" : "Pause");
        RunPendingEvents();
        EXPECT_TRUE(ran);
    }
}

}  // namespace
}  // namespace kob
