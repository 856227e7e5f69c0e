#include "support/window_fixture.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>
#include <algorithm>

#include "data/config.h"
#include "operators/operators.h"

namespace kob::test {

WindowHarness::WindowHarness()
    : program(std::make_unique<Program>(Program::Services{&clock, &dialogs, &pointer})) {
    program->exit_hook = [this](int code) { exit_code = code; };
}

WindowHarness::~WindowHarness() {
    program.reset();
    // Deferred deletions (balloon timers and the like) of this window.
    QApplication::processEvents();
}

void WindowHarness::Start() {
    program->CreateMainWindow();
    program->ShowMainWindow();
    w().activateWindow();
    if (!QTest::qWaitForWindowExposed(&w())) {
        ADD_FAILURE() << "main window not exposed";
    }
    // The login-name worker started with the window; let it hand its items
    // over so that it cannot change the drop-down in the middle of a test.
    if (!QTest::qWaitFor([this] { return program->operators->LoginNameListFilled(); }, 20000)) {
        ADD_FAILURE() << "login-name list not filled";
    }
}

void RemoveConfigFile() {
    QFile::remove(QString::fromStdString(data::ConfigFilePath()));
}

void WriteConfigKey(std::string_view section, std::string_view key, std::string_view value) {
    data::WriteConfig(section, key, value);
}

namespace {

QPoint Where(const QWidget* widget, QPoint at) {
    return at.isNull() ? widget->rect().center() : at;
}

}  // namespace

void Click(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, Where(widget, at));
}

void PressLeft(QWidget* widget, QPoint at) {
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, Where(widget, at));
}

void ReleaseLeft(QWidget* widget, QPoint at) {
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, Where(widget, at));
}

void Hover(QWidget* widget) {
    QTest::mouseMove(widget, widget->rect().center());
}

void Unhover(QWidget* widget) {
    QWidget* window = widget->window();
    // A point of the window outside the widget: its top-left corner.
    QTest::mouseMove(window, QPoint(1, 1));
}

void Type(QWidget* widget, std::string_view utf8) {
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(widget, ch.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
}

void PressKey(QWidget* widget, int qt_key) {
    QTest::keyClick(widget, static_cast<Qt::Key>(qt_key));
}

QRect RectInWindow(const QWidget* widget) {
    const QWidget* window = widget->window();
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

int TextOverflow(const QWidget* control) {
    const QFontMetrics metrics(control->font());
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        int widest = 0;
        for (const QString& line : label->text().split(u'\n')) {
            widest = std::max(widest, metrics.horizontalAdvance(line));
        }
        return widest - label->contentsRect().width();
    }
    const auto* box = qobject_cast<const QLineEdit*>(control);
    if (box == nullptr) {
        ADD_FAILURE() << "neither a label nor an edit box: " << control->objectName().toStdString();
        return 0;
    }
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    const int room = contents.width() - box->textMargins().left() - box->textMargins().right() - 4;
    return metrics.horizontalAdvance(box->displayText()) + 1 - room;
}

std::set<std::string> VisibleChildren(QWidget* parent) {
    std::set<std::string> names;
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisible()) {
            names.insert(child->objectName().toStdString());
        }
    }
    return names;
}

void ExpectColumns(ReportList* list, const Columns& columns) {
    ASSERT_EQ(list->ColumnCount(), static_cast<int>(columns.size()));
    for (int c = 0; c < list->ColumnCount(); ++c) {
        const auto& [title, width] = columns[static_cast<size_t>(c)];
        EXPECT_EQ(list->model()->headerData(c, Qt::Horizontal).toString().toStdString(), title);
        EXPECT_EQ(list->columnWidth(c), width) << title;
    }
}

void ExpectActsOnPress(ColourButton* button) {
    SCOPED_TRACE(button->objectName().toStdString());
    int downs = 0;
    button->on_left_button_down = [&](int, int, int) { ++downs; };
    PressLeft(button);
    EXPECT_EQ(downs, 1) << "before the release";
    ReleaseLeft(button);
    EXPECT_EQ(downs, 1);
    button->on_left_button_down = nullptr;
}

PixelMatch MatchOpaquePixels(const QImage& picture, const QImage& drawn, QPoint offset, int margin,
                             int step) {
    PixelMatch match;
    for (int y = margin; y < picture.height() - margin; y += step) {
        for (int x = margin; x < picture.width() - margin; x += step) {
            const QRgb want = picture.pixel(x, y);
            if (qAlpha(want) == 255) {
                ++match.compared;
                match.equal += drawn.pixel(x + offset.x(), y + offset.y()) == want;
            }
        }
    }
    return match;
}

void WindowTest::SetUp() {
    RemoveConfigFile();
    harness_ = std::make_unique<WindowHarness>();
    if (auto_start_) {
        harness_->Start();
    }
}

void WindowTest::TearDown() {
    harness_.reset();
    RemoveConfigFile();
}

}  // namespace kob::test
