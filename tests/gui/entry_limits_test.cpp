// Boxes whose text goes into a column take, typed, composed or pasted, no
// more than the column holds and nothing GBK cannot hold, so what the box
// shows is what the server stores. Amount boxes keep "1.5" as typed; the item
// price box takes whole numbers only.
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <map>

#include "checkout_fixture.h"
#include "ui/layout.h"
#include "ui/menus.h"

namespace kob::test {
namespace {

enum class How { Typed, Composed, Pasted };

// The operator's hands: one key per character (an emoji is one key with
// both halves), one input-method commit, or the clipboard and Ctrl+V; always
// at the end of what the box holds.
void Enter(QWidget* box, How how, std::string_view utf8) {
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QWidget* target = box;
    if (auto* combo = qobject_cast<QComboBox*>(box)) {
        target = combo->lineEdit();
    }
    target->setFocus();
    QTest::keyClick(target, Qt::Key_End, Qt::ControlModifier);
    switch (how) {
        case How::Typed:
            for (int i = 0; i < text.size(); ++i) {
                const int units = text[i].isHighSurrogate() ? 2 : 1;
                const QString ch = text.mid(i, units);
                if (ch[0] == u'\n') {
                    QTest::keyClick(target, Qt::Key_Return);
                } else if (ch[0].unicode() < 0x80) {
                    QTest::keyClick(target, ch[0].toLatin1());
                } else {
                    QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, ch, Qt::NoModifier);
                }
                i += units - 1;
            }
            break;
        case How::Composed: {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(target, &commit);
            break;
        }
        case How::Pasted:
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
            break;
    }
}

std::string Repeat(std::string_view s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) {
        out += s;
    }
    return out;
}

const char* HowName(How how) {
    return how == How::Typed ? "typed" : how == How::Composed ? "composed" : "pasted";
}

class EntryLimitsTest : public CheckoutTest {};

// Every box whose text goes into a column says so in the layout, with the
// column's size; and each of them, typed, composed or pasted, keeps the
// column's number of characters and drops what GBK cannot hold.
TEST_F(EntryLimitsTest, EveryBoxThatFeedsAColumnTakesOnlyWhatItHolds) {
    const std::map<std::string, int> feeds = {
        {"编辑框_新增会员_卡号", 10},
        {"编辑框_新增会员_姓名", 64},
        {"编辑框_新增会员_手机号", 64},
        {"组合框_充值管理_充值方式", 32},
        {"编辑框_新增会员_充值金额", 32},
        {"编辑框_新增会员_充值赠送", 32},
        {"编辑框_快速消费_消费总金额", 32},
        {"编辑框_快速消费_备注", 1024},
        {"组合框_登录用户名", 64},
        {"编辑框_密码", 64},
        {"编辑框_用户名", 64},
        {"编辑框_项目名称", 64},
        {"编辑框_项目金额", 32},
        {"编辑框_输入新密码", 64},
        {"编辑框_新密码确认", 64},
        {"编辑框_新增管理员_姓名", 64},
        {"编辑框_新增管理员_手机号", 64},
        {"编辑框_新增管理员_密码", 64},
        {"编辑框_新增管理员_密码确认", 64},
    };
    std::map<std::string, int> declared;
    for (const layout::Table& table : layout::AllTables()) {
        for (const layout::Row& row : table.rows) {
            if (row.look.column_chars > 0) {
                declared[row.name] = row.look.column_chars;
            }
        }
    }
    EXPECT_EQ(declared, feeds);

    // The text boxes (amount boxes below): what each way of entering keeps.
    for (const auto& [name, chars] : feeds) {
        QWidget* box = w().findChild<QWidget*>(QString::fromStdString(name));
        ASSERT_NE(box, nullptr) << name;
        auto* edit = qobject_cast<EditBox*>(box);
        if (edit != nullptr && edit->echoMode() == QLineEdit::Normal && chars == 32) {
            continue;  // an amount box
        }
        box->window()->show();
        for (QWidget* up = box; up != nullptr; up = up->parentWidget()) {
            up->setHidden(false);
            up->setEnabled(true);
        }
        auto text_of = [&] {
            if (auto* e = qobject_cast<EditBox*>(box)) {
                return e->Text();
            }
            if (auto* m = qobject_cast<MultiLineEditBox*>(box)) {
                return m->Text();
            }
            return qobject_cast<ComboBox*>(box)->Text();
        };
        auto clear = [&] {
            if (auto* e = qobject_cast<EditBox*>(box)) {
                e->SetText("");
            } else if (auto* m = qobject_cast<MultiLineEditBox*>(box)) {
                m->SetText("");
            } else {
                qobject_cast<ComboBox*>(box)->SetText("");
            }
        };
        const std::string digits = Repeat("7", chars + 5);
        const std::string full = Repeat("7", chars);
        for (How how : {How::Typed, How::Composed, How::Pasted}) {
            SCOPED_TRACE(name + " " + HowName(how));
            clear();
            Enter(box, how, "1😀€2");
            EXPECT_EQ(text_of(), "12") << "what GBK cannot hold is not taken";
            clear();
            Enter(box, how, digits);
            EXPECT_EQ(text_of(), full) << "no more than the column holds";
        }
    }
}

// Amount boxes: an optional leading minus, digits, one point, at most nine
// digits; kept as typed.
TEST_F(EntryLimitsTest, AmountBoxesKeepWhatIsTypedUpToNineDigits) {
    struct Case {
        How how;
        const char* entered;
        const char* kept;
    };
    const std::vector<Case> cases = {
        {How::Typed, "1.5", "1.5"},
        {How::Typed, "123456789012345", "123456789"},
        {How::Typed, "-12.25", "-12.25"},
        {How::Typed, "1.2.3", "1.23"},
        {How::Typed, "1234.567891", "1234.56789"},
        {How::Typed, "8😀元", "8"},
        {How::Composed, "十", ""},
        {How::Pasted, "2.5", "2.5"},
        {How::Pasted, "1234567890", ""},
        {How::Pasted, "5元", ""},
    };
    w().外形框_新增会员->Show();
    w().外形框_快速消费->Show();
    w().编辑框_快速消费_现有余额->SetText("999999999");  // no typed total is cut back
    for (EditBox* box : {w().编辑框_新增会员_充值金额, w().编辑框_新增会员_充值赠送,
                         w().编辑框_快速消费_消费总金额}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(box->objectName().toStdString() + " " + HowName(c.how) + " " + c.entered);
            box->SetText("");
            Enter(box, c.how, c.entered);
            EXPECT_EQ(box->Text(), c.kept);
        }
    }
}

// The item price box takes whole numbers only, at most nine digits: a price
// with a point would be offered as typed and charged as its whole part.
TEST_F(EntryLimitsTest, ItemPriceBoxTakesWholeNumbersUpToNineDigits) {
    struct Case {
        How how;
        const char* before;
        const char* entered;
        const char* kept;
    };
    const std::vector<Case> cases = {
        {How::Typed, "", "38", "38"},        {How::Typed, "", "3.5", "35"},
        {How::Typed, "", "-7", "7"},         {How::Typed, "", "123456789012", "123456789"},
        {How::Typed, "", "8😀元", "8"},       {How::Composed, "", "十", ""},
        {How::Pasted, "", "3.5", ""},        {How::Pasted, "4", "3.5", "4"},
        {How::Pasted, "", "-3", ""},         {How::Pasted, "", "123456789", "123456789"},
        {How::Pasted, "", "1234567890", ""}, {How::Pasted, "1", "25", "125"},
    };
    w().外形框_系统设置->Show();
    w().外形框_修改消费项目->Show();
    EditBox* box = w().编辑框_项目金额;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(HowName(c.how)) + " " + c.entered + " after " + c.before);
        box->SetText(c.before);
        Enter(box, c.how, c.entered);
        EXPECT_EQ(box->Text(), c.kept);
        EXPECT_LE(TextOverflow(box), 0) << "shown whole";
    }
}

// New member with a first recharge: what the boxes show is stored.
TEST_F(EntryLimitsTest, NewMemberAndRechargeStoreWhatTheBoxesShow) {
    LogIn();
    members().OpenNewMemberPanel();
    struct Case {
        QWidget* box;
        How how;
        std::string entered;
        std::string shown;
    };
    const std::string name = Repeat("名", 60);
    const std::vector<Case> cases = {
        {w().编辑框_新增会员_卡号, How::Typed, "8😀8", "88"},
        {w().编辑框_新增会员_姓名, How::Typed, name + "😀abcdef", name + "abcd"},
        {w().编辑框_新增会员_手机号, How::Pasted, "138€0013😀8000", "13800138000"},
        {w().编辑框_新增会员_充值金额, How::Typed, "1.5", "1.5"},
        {w().编辑框_新增会员_充值赠送, How::Typed, "123456789012345", "123456789"},
        {w().组合框_充值管理_充值方式, How::Composed, "现金😀", "现金"},
    };
    w().编辑框_新增会员_卡号->SetText("");
    w().组合框_充值管理_充值方式->SetText("");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box->objectName().toStdString());
        Enter(c.box, c.how, c.entered);
        const std::string shown = c.box == w().组合框_充值管理_充值方式
                                      ? w().组合框_充值管理_充值方式->Text()
                                      : qobject_cast<EditBox*>(c.box)->Text();
        EXPECT_EQ(shown, c.shown);
    }
    const std::string card = "88";
    harness().dialogs.NextMessage(Answer::Cancel);  // no further member
    PressLeft(w().按钮_会员管理_新增会员_确定);
    EXPECT_EQ(Balloon(), "新增会员成功，充值成功");
    EXPECT_EQ(Rows("SELECT `user_name`,`user_tel` FROM `userlist` WHERE `user_id` = " + card),
              (std::vector<std::vector<std::string>>{{name + "abcd", "13800138000"}}));
    EXPECT_EQ(Rows("SELECT `pay_money`,`pay_give`,`pay_total`,`pay_method` FROM `paylist`"),
              (std::vector<std::vector<std::string>>{{"1.5", "123456789", "123456790", "现金"}}));
    // The whole-unit rule: 1.5 counts as 1.
    WaitForTotals();
    const int row = RowOf(list(), card);
    ASSERT_GE(row, 0);
    EXPECT_EQ(list().Cell(row, kMemberBalance), "123456790");
}

// Checkout: the total kept as typed, the note within cost_notes together
// with the item line the panel writes into it.
TEST_F(EntryLimitsTest, CheckoutStoresTheTotalAndTheNoteAsShown) {
    AddItem("足疗", "38");
    LogInWithMember("1000");
    OpenPanel();
    DoubleClickItem("足疗[38]");
    ASSERT_EQ(notes().Text(), "{1}足疗[38]");
    TypeTotal("1.5");
    EXPECT_EQ(total().Text(), "1.5");
    Enter(&notes(), How::Typed, "\n😀");
    Enter(&notes(), How::Pasted, Repeat("备", 1100));
    const std::string shown = notes().Text();
    // 1024 characters: the line (9), the break (2) and 1013 of the pasted ones.
    EXPECT_EQ(shown, "{1}足疗[38]\r\n" + Repeat("备", 1013));
    Confirm();
    EXPECT_EQ(Balloon(), "操作成功");
    EXPECT_EQ(Rows("SELECT `cost_money`,`cost_notes`,CHAR_LENGTH(`cost_notes`) FROM `costlist`"),
              (std::vector<std::vector<std::string>>{{"1.5", shown, "1024"}}));
}

// Service item: name and price stored as shown.
TEST_F(EntryLimitsTest, ServiceItemStoresNameAndPriceAsShown) {
    LogIn();
    w().外形框_系统设置->Show();
    w().外形框_修改消费项目->Show();
    const std::string name = Repeat("项", 70);
    Enter(w().编辑框_项目名称, How::Pasted, name);
    Enter(w().编辑框_项目金额, How::Typed, "12.5");
    EXPECT_EQ(w().编辑框_项目名称->Text(), Repeat("项", 64));
    EXPECT_EQ(w().编辑框_项目金额->Text(), "125");
    harness().dialogs.NextInput(kPassword);
    checkout().AddServiceItem();
    EXPECT_EQ(Balloon(), "新增成功");
    EXPECT_EQ(Rows("SELECT `xm_name`,`xm_money` FROM `xmlist`"),
              (std::vector<std::vector<std::string>>{{Repeat("项", 64), "125"}}));
}

// The rename and phone input boxes fit their columns as the edit boxes do.
TEST_F(EntryLimitsTest, RenameAndPhoneInputBoxesStoreWhatTheyKeep) {
    AddMember(1, "Tom", "13800000001");
    LogIn();
    struct Case {
        int item;
        std::string typed;
        int column_chars;
        std::string query;
        std::string stored;
    };
    const std::vector<Case> cases = {
        {menus::k修改姓名, Repeat("名", 65), 64, "SELECT `user_name` FROM `userlist`",
         Repeat("名", 64)},
        {menus::k修改电话, "139😀0000€1111", 64, "SELECT `user_tel` FROM `userlist`", "13900001111"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Select("1");
        harness().dialogs.ClearAsked();
        harness().dialogs.NextMenuChoice(c.item);
        harness().dialogs.NextInput(c.typed);
        harness().dialogs.NextMessage(Answer::Ok);
        members().ShowMemberMenu();
        const auto& asked = harness().dialogs.Asked();
        ASSERT_GE(asked.size(), 2u);
        EXPECT_EQ(asked[1].column_chars, c.column_chars);
        EXPECT_EQ(Scalar(c.query), c.stored);
    }
}

}  // namespace
}  // namespace kob::test
