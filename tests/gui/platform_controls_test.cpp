// The control kinds as the handlers rely on them, driven through real
// widgets on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/buttons.h"
#include "platform/gui/control.h"
#include "platform/gui/date_box.h"
#include "platform/gui/edit_boxes.h"
#include "platform/gui/frames.h"
#include "platform/gui/label.h"
#include "platform/gui/list_boxes.h"
#include "platform/gui/page_stack.h"
#include "platform/gui/picture_box.h"

namespace kob {
namespace {

// A shown top-level window that the controls live in, so mouse events reach them.
class ControlsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(1000, 700);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }
    template <typename T, typename... Args>
    T* Make(QRect geometry, Args&&... args) {
        auto* control = new T(window_.get(), std::forward<Args>(args)...);
        control->setGeometry(geometry);
        control->show();
        return control;
    }
    std::unique_ptr<QWidget> window_;
};

QColor PixelOf(QWidget* widget, QPoint at) {
    return widget->grab().toImage().pixelColor(at);
}

TEST(VirtualKeyTest, QtKeysMapToTheCodesHandlersCompare) {
    const std::vector<std::pair<int, int>> cases = {
        {Qt::Key_Return, 13},   {Qt::Key_Enter, 13}, {Qt::Key_Delete, 46}, {Qt::Key_A, 'A'},
        {Qt::Key_Z, 'Z'},       {Qt::Key_0, '0'},    {Qt::Key_9, '9'},     {Qt::Key_Escape, 27},
        {Qt::Key_Backspace, 8}, {Qt::Key_Left, 37},  {Qt::Key_Down, 40},   {Qt::Key_F1, 112},
    };
    for (const auto& [qt_key, code] : cases) {
        EXPECT_EQ(VirtualKeyOf(qt_key), code) << "Qt key 0x" << std::hex << qt_key;
    }
}

TEST(MakeFontTest, FacesResolveToInstalledFamilies) {
    struct Case {
        FontSpec font;
        const char* family;
        int pixels;
        int weight;
    };
    const std::vector<Case> cases = {
        {{'Y', 19, true}, "WenQuanYi Micro Hei", 19, 700},
        {{'S', 16, false}, "AR PL UMing CN", 16, 400},
        {{'K', 37, true}, "AR PL UKai CN", 37, 700},
        {{'N', 14, false}, "WenQuanYi Micro Hei", 14, 400},
        {{'D', 0, false}, "WenQuanYi Micro Hei", 12, 400},
    };
    for (const auto& c : cases) {
        const QFont font = MakeFont(c.font);
        SCOPED_TRACE(std::string(1, c.font.face));
        EXPECT_EQ(font.pixelSize(), c.pixels);
        EXPECT_EQ(font.weight(), c.weight);
        // The face is really there: not a fallback.
        EXPECT_EQ(QFontInfo(font).family().toStdString(), c.family);
    }
}

// ---------------------------------------------------------------- edit box

TEST_F(ControlsTest, MaskedEditShowsOneStarPerCharacter) {
    auto* box = Make<EditBox>({10, 10, 184, 40});
    box->SetEntryMode(EntryMode::Masked);
    QTest::keyClicks(box, "abc1");
    EXPECT_EQ(box->Text(), "abc1");
    EXPECT_EQ(box->displayText().toStdString(), "****");
    box->SetText("密码");
    EXPECT_EQ(box->displayText().toStdString(), "**");
}

TEST_F(ControlsTest, AmountEditTakesAMinusDigitsAndOnePoint) {
    const std::vector<std::pair<const char*, const char*>> typed_and_kept = {
        {"-12", "-12"},
        {"12a3", "123"},
        {"1.5", "1.5"},
        {"1.2.3", "1.23"},
        {"abc", ""},
        {"1-2", "12"},
        {"--5", "-5"},
        {" 7", "7"},
        {"0042", "0042"},
        {".5", ".5"},
        {"-", "-"},
        {"123456789012345", "123456789"},
        {"1.23456789", "1.23456789"},
        {"12345.678901", "12345.6789"},
    };
    auto* box = Make<EditBox>({10, 10, 96, 40});
    box->SetEntryMode(EntryMode::Amount);
    for (const auto& [typed, kept] : typed_and_kept) {
        box->SetText("");
        QTest::keyClicks(box, typed);
        EXPECT_EQ(box->Text(), kept) << "typed " << typed;
    }
    // Code may still write any text.
    box->SetText("1.5元");
    EXPECT_EQ(box->Text(), "1.5元");

    box->SetEntryMode(EntryMode::Normal);
    box->SetText("");
    QTest::keyClicks(box, "a.b-1");
    EXPECT_EQ(box->Text(), "a.b-1");
}

// A box feeding a column of four characters: what each edit leaves in it.
TEST_F(ControlsTest, ColumnEditKeepsWhatTheColumnHoldsWhereverTheEditIs) {
    enum How { kTyped, kComposed, kPasted };
    struct Case {
        const char* before;
        int cursor;
        How how;
        const char* entered;
        const char* kept;
        int cursor_after;
    };
    const std::vector<Case> cases = {
        {"", 0, kTyped, "abcdef", "abcd", 4},
        {"", 0, kTyped, "a😀b€c", "abc", 3},
        {"", 0, kComposed, "张😀三", "张三", 2},
        {"", 0, kPasted, "x😀y€z", "xyz", 3},
        // Pasted in the middle: the end of what was pasted is dropped.
        {"ab", 1, kPasted, "123456", "a12b", 3},
        {"abcd", 4, kComposed, "张", "abcd", 4},
        {"abcd", 0, kTyped, "z", "abcd", 0},
    };
    auto* box = Make<EditBox>({10, 10, 184, 40});
    box->SetColumnChars(4);
    int changes = 0;
    box->on_text_changed = [&] { ++changes; };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.before) + " + " + c.entered);
        const QString entered = QString::fromUtf8(c.entered);
        box->SetText(c.before);
        box->setCursorPosition(c.cursor);
        changes = 0;
        switch (c.how) {
            case kTyped:
                for (int i = 0; i < entered.size(); ++i) {
                    const int units = entered[i].isHighSurrogate() ? 2 : 1;
                    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, entered.mid(i, units),
                                        Qt::NoModifier);
                    i += units - 1;
                }
                break;
            case kComposed: {
                QInputMethodEvent commit;
                commit.setCommitString(entered);
                QApplication::sendEvent(box, &commit);
                break;
            }
            case kPasted:
                QGuiApplication::clipboard()->setText(entered);
                QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
                break;
        }
        EXPECT_EQ(box->Text(), c.kept);
        EXPECT_EQ(box->cursorPosition(), c.cursor_after);
        if (box->Text() == c.before) {
            EXPECT_EQ(changes, 0) << "a refused character changes nothing";
        }
    }
    // Masked boxes filter the same way.
    box->SetEntryMode(EntryMode::Masked);
    box->SetText("");
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QStringLiteral("😀"), Qt::NoModifier);
    QTest::keyClicks(box, "abcdef");
    EXPECT_EQ(box->Text(), "abcd");
    // Code may still write any text.
    box->SetText("€😀abcdef");
    EXPECT_EQ(box->Text(), "€😀abcdef");
}

// The multi-line box counts a line break as the two characters Text() gives.
TEST_F(ControlsTest, MultiLineColumnEditCountsLineBreaksAsTwo) {
    auto* box = Make<MultiLineEditBox>({10, 10, 181, 79});
    box->SetColumnChars(10);
    QTest::keyClicks(box, "abc");
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, "defghij");
    EXPECT_EQ(box->Text(), "abc\r\ndefgh");
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Return);  // one character left: no room for a break
    EXPECT_EQ(box->Text(), "abc\r\ndefg");

    struct Case {
        const char* pasted;
        const char* kept;
    };
    for (const Case& c : std::vector<Case>{{"1\r\n2😀3", "1\r\n23"},
                                           {"€x\ry", "x\r\ny"},
                                           {"123456789012", "1234567890"},
                                           {"123456789\n0", "123456789"}}) {
        SCOPED_TRACE(c.pasted);
        box->SetText("");
        QGuiApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box->Text(), c.kept);
    }
    box->SetText("");
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("张😀三"));
    QApplication::sendEvent(box, &commit);
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QStringLiteral("😀"), Qt::NoModifier);
    EXPECT_EQ(box->Text(), "张三");
    // Replacing a selection frees its room.
    box->SetText("abcdefghij");
    box->selectAll();
    QTest::keyClicks(box, "xy");
    EXPECT_EQ(box->Text(), "xy");
    // Code may still write any text.
    box->SetText("€😀abcdefghijkl");
    EXPECT_EQ(box->Text(), "€😀abcdefghijkl");
}

TEST_F(ControlsTest, ComboColumnEditKeepsWhatTheColumnHolds) {
    auto* combo = Make<ComboBox>({10, 10, 184, 40});
    combo->AddItem("微信");
    combo->SetColumnChars(3);
    combo->SetText("");
    QTest::sendKeyEvent(QTest::Click, combo->lineEdit(), Qt::Key_unknown, QStringLiteral("😀"),
                        Qt::NoModifier);
    QTest::keyClicks(combo->lineEdit(), "abcd");
    EXPECT_EQ(combo->Text(), "abc");
    combo->SetText("微信😀abc");
    EXPECT_EQ(combo->Text(), "微信😀abc");
}

TEST_F(ControlsTest, EditKeyDownGetsVirtualKeysBeforeTheBoxHandlesThem) {
    auto* box = Make<EditBox>({10, 10, 184, 40});
    std::vector<std::pair<int, int>> seen;
    std::vector<std::string> text_when_seen;
    box->on_key_down = [&](int key, int state) {
        seen.emplace_back(key, state);
        text_when_seen.push_back(box->Text());
    };
    QTest::keyClick(box, Qt::Key_A);
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_5, Qt::ControlModifier);
    const std::vector<std::pair<int, int>> expected = {
        {'A', 0}, {13, 0}, {13, 0}, {36, 0}, {46, 0}, {17, kKeyStateCtrl}, {'5', kKeyStateCtrl}};
    EXPECT_EQ(seen, expected);
    // 'A' was reported while the box was still empty, Delete while it held "a".
    EXPECT_EQ(text_when_seen[0], "");
    EXPECT_EQ(text_when_seen[4], "a");
    EXPECT_EQ(box->Text(), "");
}

TEST_F(ControlsTest, EditTextChangedFollowsTypingAndCode) {
    auto* box = Make<EditBox>({10, 10, 184, 40});
    std::vector<std::string> texts;
    box->on_text_changed = [&] { texts.push_back(box->Text()); };
    QTest::keyClicks(box, "ab");
    box->SetText("100");
    box->SetText("");
    EXPECT_EQ(texts, (std::vector<std::string>{"a", "ab", "100", ""}));
}

TEST_F(ControlsTest, EditLeftButtonDownGivesPositionAndButtonState) {
    auto* box = Make<EditBox>({10, 10, 46, 20});
    std::vector<std::vector<int>> presses;
    box->on_left_button_down = [&](int x, int y, int state) { presses.push_back({x, y, state}); };
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(5, 6));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(5, 6));
    QTest::mouseClick(box, Qt::RightButton, {}, QPoint(7, 8));
    EXPECT_EQ(presses, (std::vector<std::vector<int>>{{5, 6, kMouseLeft}}));
}

TEST_F(ControlsTest, MultiLineEditBreaksLinesAtCrLf) {
    auto* box = Make<MultiLineEditBox>({10, 10, 121, 36});
    box->SetText("会员无姓名\r\n13800000000");
    EXPECT_EQ(box->toPlainText().toStdString(), "会员无姓名\n13800000000");
    EXPECT_EQ(box->Text(), "会员无姓名\r\n13800000000");
}

// ------------------------------------------------------------ image button

class ImageButtonTest : public ControlsTest {
  protected:
    void SetUp() override {
        ControlsTest::SetUp();
        ASSERT_TRUE(dir_.isValid());
        QImage normal(20, 10, QImage::Format_ARGB32);
        normal.fill(Qt::red);
        normal.setPixel(5, 5, qRgb(0, 0, 0));  // a marker to follow
        normal_ = dir_.filePath("normal.png");
        ASSERT_TRUE(normal.save(normal_));
        QImage hover(20, 10, QImage::Format_ARGB32);
        hover.fill(Qt::blue);
        hover_ = dir_.filePath("hover.png");
        ASSERT_TRUE(hover.save(hover_));
    }
    void Enter(QWidget* w) {
        QEnterEvent enter(QPointF(3, 3), w->mapTo(window_.get(), QPointF(3, 3)),
                          w->mapToGlobal(QPointF(3, 3)));
        QApplication::sendEvent(w, &enter);
    }
    void Leave(QWidget* w) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(w, &leave);
    }
    QTemporaryDir dir_;
    QString normal_, hover_;
};

TEST_F(ImageButtonTest, HoverShowsHoverFacePressShowsNormalFace) {
    auto* button = Make<ImageButton>({31, 40, 20, 10});
    button->SetFaces(normal_, hover_);
    int clicks = 0;
    button->on_clicked = [&] { ++clicks; };
    EXPECT_EQ(button->CurrentFace(), ImageButton::kNormalFace);
    EXPECT_EQ(PixelOf(button, {0, 0}), QColor(Qt::red));

    Enter(button);
    EXPECT_EQ(button->CurrentFace(), ImageButton::kHoverFace);
    EXPECT_EQ(PixelOf(button, {0, 0}), QColor(Qt::blue));

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(button->CurrentFace(), ImageButton::kPressedFace);
    EXPECT_EQ(PixelOf(button, {0, 0}), QColor(Qt::red));
    EXPECT_EQ(clicks, 0);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(clicks, 1);

    Leave(button);
    EXPECT_EQ(button->CurrentFace(), ImageButton::kNormalFace);
    EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
}

TEST_F(ImageButtonTest, ShiftedHoverFaceMovesRightAndUp) {
    auto* button = Make<ImageButton>({31, 40, 20, 10});
    button->SetFaces(normal_, {}, 2, 2);
    EXPECT_EQ(PixelOf(button, {5, 5}), QColor(Qt::black));
    Enter(button);
    EXPECT_EQ(button->CurrentOffset(), QPoint(2, -2));
    EXPECT_EQ(PixelOf(button, {7, 3}), QColor(Qt::black));
    EXPECT_EQ(PixelOf(button, {5, 5}), QColor(Qt::red));
    // Pressed: back in place.
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(PixelOf(button, {5, 5}), QColor(Qt::black));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(3, 3));
}

TEST_F(ImageButtonTest, ReleaseOutsideIsNoClick) {
    auto* button = Make<ImageButton>({31, 40, 20, 10});
    button->SetFaces(normal_, hover_);
    int clicks = 0;
    button->on_clicked = [&] { ++clicks; };
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseMove(button, QPoint(40, 40));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(clicks, 0);
}

// ----------------------------------------------------------- colour button

TEST_F(ImageButtonTest, ColourButtonActsOnPressAndTakesHoverColour) {
    auto* button = Make<ColourButton>({32, 320, 136, 70});
    button->setFont(MakeFont({'Y', 24, true}));
    button->SetCaption("确定");
    button->SetColours(0xFFFFFF, 0x0088FF, 0xFF8000);
    std::vector<std::vector<int>> presses;
    button->on_left_button_down = [&](int x, int y, int state) {
        presses.push_back({x, y, state});
    };

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 12));
    EXPECT_EQ(presses, (std::vector<std::vector<int>>{{10, 12, kMouseLeft}}));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 12));
    EXPECT_EQ(presses.size(), 1u);
    QTest::mouseClick(button, Qt::RightButton, {}, QPoint(10, 12));
    EXPECT_EQ(presses.size(), 1u);

    const auto count = [](const QImage& image, QColor colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                n += image.pixelColor(x, y) == colour ? 1 : 0;
            }
        }
        return n;
    };
    QImage plain = button->grab().toImage();
    EXPECT_EQ(plain.pixelColor(0, 0), QColor(0x00, 0x88, 0xFF));
    EXPECT_GT(count(plain, Qt::white), 20);
    EXPECT_EQ(count(plain, QColor(0xFF, 0x80, 0x00)), 0);
    Enter(button);
    QImage hovered = button->grab().toImage();
    EXPECT_GT(count(hovered, QColor(0xFF, 0x80, 0x00)), 20);
    EXPECT_EQ(count(hovered, Qt::white), 0);
}

// --------------------------------------------------------------- check box

TEST_F(ControlsTest, CheckBoxClickedOnlyFromTheOperator) {
    auto* box = Make<CheckBox>({419, 90, 88, 24});
    box->SetCaption("指定日期");
    std::vector<bool> ticks_seen;
    box->on_clicked = [&] { ticks_seen.push_back(box->Ticked()); };
    box->SetTicked(true);
    box->SetTicked(false);
    EXPECT_TRUE(ticks_seen.empty());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, 12));
    EXPECT_EQ(ticks_seen, std::vector<bool>{true});  // already changed when handled
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, 12));
    EXPECT_EQ(ticks_seen, (std::vector<bool>{true, false}));
}

// --------------------------------------------------------------- combo box

TEST_F(ControlsTest, ComboTextIsFreeAndItemChosenComesFromTheOperator) {
    auto* combo = Make<ComboBox>({181, 41, 100, 28});
    int chosen = 0;
    combo->on_item_chosen = [&] { ++chosen; };
    for (const char* item : {"微信", "支付宝", "现金"}) {
        combo->AddItem(item);
    }
    EXPECT_EQ(combo->ItemCount(), 3);
    EXPECT_EQ(combo->CurrentItem(), -1);  // adding items chooses none
    EXPECT_EQ(combo->Text(), "");

    struct Case {
        const char* text;
        int item;
    };
    for (const Case& c : {Case{"银行卡", -1}, Case{"支付宝", 1}, Case{"", -1}, Case{"现金", 2}}) {
        combo->SetText(c.text);
        EXPECT_EQ(combo->Text(), c.text);
        EXPECT_EQ(combo->CurrentItem(), c.item) << c.text;
    }
    combo->SetCurrentItem(0);
    EXPECT_EQ(combo->Text(), "微信");
    combo->SetCurrentItem(-1);
    EXPECT_EQ(combo->Text(), "");
    EXPECT_EQ(chosen, 0);

    combo->SetCurrentItem(0);
    QTest::keyClick(combo, Qt::Key_Down);  // the operator picks the next item
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(combo->Text(), "支付宝");

    combo->ClearItems();
    EXPECT_EQ(combo->ItemCount(), 0);
    EXPECT_EQ(combo->Text(), "");
}

// ---------------------------------------------------------------- date box

TEST_F(ControlsTest, DateBoxHoldsOleDateTimesToTheSecond) {
    auto* box = Make<DateBox>({8, 41, 170, 28});
    struct Case {
        double written;
        const char* shown;
        double read;
    };
    const double t131415 = (13 * 3600 + 14 * 60 + 15) / 86400.0;
    const std::vector<Case> cases = {
        {45000.5, "2023-03-15 12:00:00", 45000.5},
        {45000 + t131415, "2023-03-15 13:14:15", 45000 + t131415},
        {45000 + t131415 + 0.4 / 86400, "2023-03-15 13:14:15", 45000 + t131415},
        {0.0, "1899-12-30 00:00:00", 0.0},
        {-1.25, "1899-12-29 06:00:00", -1.25},
        {2.9999999, "1900-01-02 00:00:00", 3.0},  // 23:59:59.99 rounds up
        {-700000.0, "0100-01-01 00:00:00", -657434.0},
        {3000000.0, "9999-12-31 23:59:59", 2958465.0 + 86399 / 86400.0},
    };
    for (const auto& c : cases) {
        box->SetValue(c.written);
        EXPECT_EQ(box->text().toStdString(), c.shown) << c.written;
        EXPECT_DOUBLE_EQ(box->Value(), c.read) << c.written;
    }
}

TEST_F(ControlsTest, DateBoxReportsChangesOfItsValue) {
    auto* box = Make<DateBox>({8, 41, 170, 28});
    box->SetValue(45000.5);
    int changes = 0;
    box->on_value_changed = [&] { ++changes; };
    box->SetValue(45000.5);
    EXPECT_EQ(changes, 0);
    box->SetValue(45001.5);
    EXPECT_EQ(changes, 1);
    box->setFocus();
    box->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClick(box, Qt::Key_Up);  // the operator steps the day
    EXPECT_EQ(changes, 2);
    EXPECT_DOUBLE_EQ(box->Value(), 45002.5);
}

// -------------------------------------------------------------- page stack

class PageStackTest : public ControlsTest {
  protected:
    void SetUp() override {
        ControlsTest::SetUp();
        stack_ = new PageStack(window_.get(), {"会员管理", "会员充值", "会员消费", "系统设置"},
                               FontSpec{'Y', 21, false});
        stack_->setGeometry(32, 105, 952, 559);
        stack_->show();
        stack_->on_page_changed = [this] { pages_seen_.push_back(stack_->CurrentPage()); };
    }
    void ExpectOnlyPageShown(int page) {
        for (int i = 0; i < stack_->PageCount(); ++i) {
            EXPECT_EQ(stack_->Page(i)->isVisibleTo(stack_), i == page) << "page " << i;
        }
    }
    void ClickTab(int tab) {
        QTest::mouseClick(stack_->Tabs(), Qt::LeftButton, {},
                          stack_->Tabs()->tabRect(tab).center());
    }
    PageStack* stack_ = nullptr;
    std::vector<int> pages_seen_;
};

TEST_F(PageStackTest, PagesStartAtTheStackOriginUnderTheTabStrip) {
    EXPECT_EQ(stack_->CurrentPage(), 0);
    for (int i = 0; i < stack_->PageCount(); ++i) {
        EXPECT_EQ(stack_->Page(i)->geometry(), QRect(0, 0, 952, 559));
    }
    auto* label = new Label(stack_->Page(0));
    label->setGeometry(20, 47, 152, 23);
    EXPECT_EQ(label->mapTo(stack_, QPoint(0, 0)), QPoint(20, 47));
    EXPECT_LE(stack_->Tabs()->height(), 34);
    EXPECT_EQ(stack_->Tabs()->pos(), QPoint(0, 0));
    EXPECT_EQ(stack_->children().last(), stack_->Tabs());  // drawn above the pages
    EXPECT_EQ(stack_->Tabs()->tabText(3).toStdString(), "系统设置");
    EXPECT_EQ(stack_->Page(0)->palette().color(QPalette::Window), QColor(Qt::white));
    ExpectOnlyPageShown(0);
}

TEST_F(PageStackTest, CodeChangesRaiseNothingOperatorChangesDo) {
    stack_->SetCurrentPage(3);
    stack_->SetCurrentPage(1);
    stack_->SetCurrentPage(9);  // no such page: ignored
    EXPECT_TRUE(pages_seen_.empty());
    EXPECT_EQ(stack_->CurrentPage(), 1);
    ExpectOnlyPageShown(1);

    ClickTab(2);
    EXPECT_EQ(pages_seen_, std::vector<int>{2});
    ExpectOnlyPageShown(2);

    QTest::keyClick(stack_->Tabs(), Qt::Key_Left);
    EXPECT_EQ(pages_seen_, (std::vector<int>{2, 1}));
    ExpectOnlyPageShown(1);
}

TEST_F(PageStackTest, AHandlerCanPutThePageBack) {
    stack_->SetCurrentPage(3);
    stack_->on_page_changed = [this] {
        pages_seen_.push_back(stack_->CurrentPage());
        stack_->SetCurrentPage(3);  // as the login guard does
    };
    ClickTab(0);
    EXPECT_EQ(pages_seen_, std::vector<int>{0});
    EXPECT_EQ(stack_->CurrentPage(), 3);
    EXPECT_EQ(stack_->Tabs()->currentIndex(), 3);
    ExpectOnlyPageShown(3);
}

// ---------------------------------------------------- frames, labels, pictures

TEST_F(ControlsTest, FrameOutlinesAndSeparators) {
    struct Case {
        Outline pattern;
        int width;
        QSize size;
    };
    const QColor outline(0xC0, 0xC0, 0xC0), fill(0xFF, 0xFF, 0xFF);
    for (const Case& c : {Case{Outline::Solid, 1, {40, 20}}, Case{Outline::Solid, 2, {40, 20}},
                          Case{Outline::Broken, 1, {40, 20}}, Case{Outline::Solid, 1, {40, 1}},
                          Case{Outline::Broken, 1, {40, 1}}}) {
        auto* frame = Make<Frame>({10, 10, c.size.width(), c.size.height()});
        frame->SetFill(true, 0xFFFFFF);
        frame->SetOutline(c.pattern, 0xC0C0C0, c.width);
        const QImage image = frame->grab().toImage();
        int on_top_edge = 0;
        for (int x = 0; x < image.width(); ++x) {
            on_top_edge += image.pixelColor(x, 0) == outline ? 1 : 0;
        }
        SCOPED_TRACE(testing::Message() << "width " << c.width << " height " << c.size.height());
        EXPECT_EQ(image.pixelColor(0, 0), outline);
        if (c.pattern == Outline::Solid) {
            EXPECT_EQ(on_top_edge, image.width());
        } else {
            EXPECT_GT(on_top_edge, image.width() / 2);
            EXPECT_LT(on_top_edge, image.width());
        }
        if (c.size.height() > 1) {
            EXPECT_EQ(image.pixelColor(c.width - 1, c.width - 1), outline);
            EXPECT_EQ(image.pixelColor(c.width, c.width), fill);
            EXPECT_EQ(image.pixelColor(image.width() - c.width, image.height() - c.width), outline);
        }
        delete frame;
    }
}

TEST_F(ControlsTest, TransparentLabelShowsItsContainer) {
    auto* frame = Make<Frame>({10, 10, 200, 100});
    frame->SetFill(true, 0x80E000);
    auto* transparent = new Label(frame, true);
    transparent->setGeometry(9, 1, 56, 20);
    transparent->SetCaption("消费项目");
    auto* plain = new Label(frame);
    plain->setGeometry(9, 40, 56, 20);
    plain->SetColours(0xFF8000, 0xFFFFFF);
    plain->SetCaption("第一行\r\n第二行");
    transparent->show();
    plain->show();
    const QImage image = frame->grab().toImage();
    EXPECT_EQ(image.pixelColor(9 + 55, 1 + 19), QColor(0x80, 0xE0, 0x00));
    EXPECT_TRUE(transparent->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(image.pixelColor(9 + 55, 40 + 19), QColor(Qt::white));
    EXPECT_EQ(plain->text().toStdString(), "第一行\n第二行");
    EXPECT_EQ(plain->Caption(), "第一行\r\n第二行");
}

// A control that shrinks to fit takes a smaller size of its own face for a
// text that needs it, and its own size again for one that does not; its
// geometry never changes.
TEST_F(ControlsTest, ShrinkToFitKeepsTheFaceAndTheGeometry) {
    auto* label = Make<Label>({10, 10, 144, 24});
    auto* box = Make<EditBox>({10, 50, 58, 26});
    for (QWidget* control : std::vector<QWidget*>{label, box}) {
        control->setFont(MakeFont({'Y', 20, true}));
    }
    label->SetShrinkToFit(true);
    box->SetShrinkToFit(true);
    box->SetAlign(Align::Right);
    struct Case {
        const char* caption;
        const char* typed;
        bool smaller;
    };
    const std::vector<Case> cases = {
        {"12", "12", false},
        {"充值后可用余额:-1999999998元", "-1999999998", true},
        {"1\r\n充值后可用余额:-1999999998元", "1999999998", true},  // the widest line counts
        {"", "", false},
        {"88", "88", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        label->SetCaption(c.caption);
        box->SetText("");
        box->setFocus();
        QTest::keyClicks(box, c.typed);
        for (QWidget* control : std::vector<QWidget*>{label, box}) {
            SCOPED_TRACE(control == label ? "label" : "box");
            const QFont font = control->font();
            EXPECT_EQ(QFontInfo(font).family().toStdString(), "WenQuanYi Micro Hei");
            EXPECT_EQ(font.weight(), 700);
            EXPECT_EQ(font.pixelSize() < 20, c.smaller);
        }
        int widest = 0;
        for (const QString& line : label->text().split(u'\n')) {
            widest = std::max(widest, QFontMetrics(label->font()).horizontalAdvance(line));
        }
        EXPECT_LE(widest, label->contentsRect().width());
        EXPECT_EQ(label->geometry(), QRect(10, 10, 144, 24));
        EXPECT_EQ(box->geometry(), QRect(10, 50, 58, 26));
    }
    label->SetCaption("充值后可用余额:-1999999998元");
    label->SetShrinkToFit(false);
    EXPECT_EQ(label->font().pixelSize(), 20) << "its own size back";
}

TEST_F(ControlsTest, SpinnerCutsItsStripAndRunsOnlyWhileShown) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage strip(94, 17 * 3, QImage::Format_ARGB32);
    const QColor colours[3] = {Qt::red, Qt::green, Qt::blue};
    for (int f = 0; f < 3; ++f) {
        for (int y = 0; y < 17; ++y) {
            for (int x = 0; x < 94; ++x) {
                strip.setPixelColor(x, f * 17 + y, colours[f]);
            }
        }
    }
    const QString path = dir.filePath("strip.png");
    ASSERT_TRUE(strip.save(path));

    auto* spinner = Make<PictureBox>({585, 157, 94, 17});
    spinner->Hide();
    spinner->SetAnimation(path, 17, 100);
    EXPECT_EQ(spinner->FrameCount(), 3);
    EXPECT_EQ(spinner->pixmap().size(), QSize(94, 17));
    EXPECT_EQ(spinner->pixmap().toImage().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_FALSE(spinner->Animating());
    spinner->Show();
    EXPECT_TRUE(spinner->Animating());
    spinner->Hide();
    EXPECT_FALSE(spinner->Animating());
}

}  // namespace
}  // namespace kob
