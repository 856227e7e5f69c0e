#include "platform/gui/control.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStringList>
#include <algorithm>
#include <initializer_list>
#include <utility>

namespace kob {

void SwitchShrinkToFit(QWidget& control, bool on, bool& shrinking, QFont& full_font) {
    if (on && !shrinking) {
        full_font = control.font();
    } else if (!on && shrinking) {
        control.setFont(full_font);
    }
    shrinking = on;
}

QString CssColour(Rgb rgb) {
    return QStringLiteral("#%1").arg(rgb & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

QString FromCrLf(const std::string& text) {
    QString q = QString::fromStdString(text);
    q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return q;
}

std::string ToCrLf(QString text) {
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text.toStdString();
}

Qt::Alignment Horizontal(Align align) {
    switch (align) {
        case Align::Centre:
            return Qt::AlignHCenter;
        case Align::Right:
            return Qt::AlignRight;
        case Align::Left:
            break;
    }
    return Qt::AlignLeft;
}

QString BorderCss(Border border) {
    switch (border) {
        case Border::None:
            return QStringLiteral("border: none;");
        case Border::Sunken:
            return QStringLiteral("border-width: 2px; border-style: inset; border-color: #A0A0A0;");
        case Border::Single:
            break;
    }
    return QStringLiteral("border: 1px solid #646464;");
}

void ApplyFrameBorder(QFrame* frame, Border border) {
    switch (border) {
        case Border::None:
            frame->setFrameStyle(QFrame::NoFrame);
            break;
        case Border::Sunken:
            frame->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
            break;
        case Border::Single:
            frame->setFrameStyle(QFrame::Box | QFrame::Plain);
            frame->setLineWidth(1);
            break;
    }
}

int VirtualKeyOf(int qt_key) {
    if ((qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) ||
        (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9)) {
        return qt_key;  // Qt uses the ASCII codes, as the virtual keys do
    }
    if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F24) {
        return 0x70 + (qt_key - Qt::Key_F1);
    }
    // The other keys with a code.
    static constexpr std::pair<int, int> kCodes[] = {
        {Qt::Key_Backspace, 0x08},  {Qt::Key_Tab, 0x09},         {Qt::Key_Backtab, 0x09},
        {Qt::Key_Clear, 0x0C},      {Qt::Key_Return, kKeyEnter}, {Qt::Key_Enter, kKeyEnter},
        {Qt::Key_Shift, 0x10},      {Qt::Key_Control, 0x11},     {Qt::Key_Alt, 0x12},
        {Qt::Key_Pause, 0x13},      {Qt::Key_CapsLock, 0x14},    {Qt::Key_Escape, 0x1B},
        {Qt::Key_Space, 0x20},      {Qt::Key_PageUp, 0x21},      {Qt::Key_PageDown, 0x22},
        {Qt::Key_End, 0x23},        {Qt::Key_Home, 0x24},        {Qt::Key_Left, 0x25},
        {Qt::Key_Up, 0x26},         {Qt::Key_Right, 0x27},       {Qt::Key_Down, 0x28},
        {Qt::Key_Print, 0x2C},      {Qt::Key_Insert, 0x2D},      {Qt::Key_Delete, kKeyDelete},
        {Qt::Key_Meta, 0x5B},       {Qt::Key_Menu, 0x5D},        {Qt::Key_Asterisk, 0x6A},
        {Qt::Key_NumLock, 0x90},    {Qt::Key_ScrollLock, 0x91},  {Qt::Key_Semicolon, 0xBA},
        {Qt::Key_Colon, 0xBA},      {Qt::Key_Equal, 0xBB},       {Qt::Key_Plus, 0xBB},
        {Qt::Key_Comma, 0xBC},      {Qt::Key_Less, 0xBC},        {Qt::Key_Minus, 0xBD},
        {Qt::Key_Underscore, 0xBD}, {Qt::Key_Period, 0xBE},      {Qt::Key_Greater, 0xBE},
        {Qt::Key_Slash, 0xBF},      {Qt::Key_Question, 0xBF},    {Qt::Key_QuoteLeft, 0xC0},
        {Qt::Key_AsciiTilde, 0xC0}, {Qt::Key_BracketLeft, 0xDB}, {Qt::Key_BraceLeft, 0xDB},
        {Qt::Key_Backslash, 0xDC},  {Qt::Key_Bar, 0xDC},         {Qt::Key_BracketRight, 0xDD},
        {Qt::Key_BraceRight, 0xDD}, {Qt::Key_Apostrophe, 0xDE},  {Qt::Key_QuoteDbl, 0xDE},
    };
    for (const auto& [key, code] : kCodes) {
        if (key == qt_key) {
            return code;
        }
    }
    return 0;
}

namespace {

// The state bits whose Qt flags are set in flags.
int StateBits(int flags, std::initializer_list<std::pair<int, int>> qt_flag_to_bit) {
    int state = 0;
    for (const auto& [qt_flag, bit] : qt_flag_to_bit) {
        if ((flags & qt_flag) != 0) {
            state |= bit;
        }
    }
    return state;
}

}  // namespace

int KeyStateOf(Qt::KeyboardModifiers modifiers) {
    return StateBits(modifiers.toInt(), {{Qt::ControlModifier, kKeyStateCtrl},
                                         {Qt::ShiftModifier, kKeyStateShift},
                                         {Qt::AltModifier, kKeyStateAlt}});
}

int MouseKeyStateOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    return StateBits(buttons.toInt(), {{Qt::LeftButton, kMouseLeft},
                                       {Qt::RightButton, kMouseRight},
                                       {Qt::MiddleButton, kMouseMiddle}}) |
           StateBits(modifiers.toInt(),
                     {{Qt::ShiftModifier, kMouseShift}, {Qt::ControlModifier, kMouseCtrl}});
}

void ReportKeyDown(const QKeyEvent& event, const std::function<void(int, int)>& on_key_down) {
    if (on_key_down) {
        const int key = VirtualKeyOf(event.key());
        if (key != 0) {
            on_key_down(key, KeyStateOf(event.modifiers()));
        }
    }
}

void ReportLeftButtonDown(const QMouseEvent& event,
                          const std::function<void(int, int, int)>& on_left_button_down) {
    if (event.button() == Qt::LeftButton && on_left_button_down) {
        const QPoint at = event.position().toPoint();
        on_left_button_down(at.x(), at.y(), MouseKeyStateOf(event.buttons(), event.modifiers()));
    }
}

QColor ToQColor(Rgb rgb) {
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

QFont MakeFont(FontSpec wanted) {
    // Faces whose line height fits the layout's label heights at the same
    // pixel size, as the Windows faces do (Noto CJK's is a third taller and
    // clips the bottom of top-aligned captions).
    QString family;
    switch (wanted.face) {
        case 'S':
            family = QStringLiteral("AR PL UMing CN");
            break;
        case 'K':
            family = QStringLiteral("AR PL UKai CN");
            break;
        default:  // 'Y', 'N', 'D'
            family = QStringLiteral("WenQuanYi Micro Hei");
            break;
    }
    QFont font(family);
    font.setFamilies({family});
    font.setPixelSize(wanted.pixels > 0 ? wanted.pixels : 12);
    font.setWeight(wanted.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

QFont FittingFont(const QFont& base, const QString& text, int room) {
    const QStringList lines = text.split(u'\n');
    auto widest = [&](const QFont& font) {
        const QFontMetrics metrics(font);
        int most = 0;
        for (const QString& line : lines) {
            most = std::max(most, metrics.horizontalAdvance(line));
        }
        return most;
    };
    if (widest(base) <= room) {
        return base;
    }
    QFont font = base;
    const int full = base.pixelSize() > 0 ? base.pixelSize() : QFontInfo(base).pixelSize();
    for (int pixels = full - 1; pixels >= kSmallestFitPixels; --pixels) {
        font.setPixelSize(pixels);
        if (widest(font) <= room) {
            break;
        }
    }
    return font;
}
}  // namespace kob
