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
    switch (qt_key) {
        case Qt::Key_Backspace:
            return 0x08;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 0x09;
        case Qt::Key_Clear:
            return 0x0C;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kKeyEnter;
        case Qt::Key_Shift:
            return 0x10;
        case Qt::Key_Control:
            return 0x11;
        case Qt::Key_Alt:
            return 0x12;
        case Qt::Key_Pause:
            return 0x13;
        case Qt::Key_CapsLock:
            return 0x14;
        case Qt::Key_Escape:
            return 0x1B;
        case Qt::Key_Space:
            return 0x20;
        case Qt::Key_PageUp:
            return 0x21;
        case Qt::Key_PageDown:
            return 0x22;
        case Qt::Key_End:
            return 0x23;
        case Qt::Key_Home:
            return 0x24;
        case Qt::Key_Left:
            return 0x25;
        case Qt::Key_Up:
            return 0x26;
        case Qt::Key_Right:
            return 0x27;
        case Qt::Key_Down:
            return 0x28;
        case Qt::Key_Print:
            return 0x2C;
        case Qt::Key_Insert:
            return 0x2D;
        case Qt::Key_Delete:
            return kKeyDelete;
        case Qt::Key_Meta:
            return 0x5B;
        case Qt::Key_Menu:
            return 0x5D;
        case Qt::Key_Asterisk:
            return 0x6A;
        case Qt::Key_NumLock:
            return 0x90;
        case Qt::Key_ScrollLock:
            return 0x91;
        case Qt::Key_Semicolon:
        case Qt::Key_Colon:
            return 0xBA;
        case Qt::Key_Equal:
        case Qt::Key_Plus:
            return 0xBB;
        case Qt::Key_Comma:
        case Qt::Key_Less:
            return 0xBC;
        case Qt::Key_Minus:
        case Qt::Key_Underscore:
            return 0xBD;
        case Qt::Key_Period:
        case Qt::Key_Greater:
            return 0xBE;
        case Qt::Key_Slash:
        case Qt::Key_Question:
            return 0xBF;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde:
            return 0xC0;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft:
            return 0xDB;
        case Qt::Key_Backslash:
        case Qt::Key_Bar:
            return 0xDC;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight:
            return 0xDD;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl:
            return 0xDE;
        default:
            return 0;
    }
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
