#pragma once
// What every control shares: key codes and key states as the handlers read
// them, colours, fonts, alignment and borders, and the geometry and
// visibility calls (KOB_CONTROL_COMMON). Texts are UTF-8 std::string;
// QString stays inside this layer. Events are plain callbacks, set once
// where a page binds its handlers.
#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/gui/services.h"

class QFrame;
class QKeyEvent;
class QMouseEvent;

namespace kob {

// Windows virtual-key codes, as the key-down handlers compare them.
constexpr int kKeyEnter = 13;
constexpr int kKeyDelete = 46;
// Qt::Key to its virtual-key code: letters 'A'..'Z', digits '0'..'9' (keypad
// digits too), Return and keypad Enter 13, Delete 46, ...; 0 for keys without one.
int VirtualKeyOf(int qt_key);

// Key state of a key-down event: the modifier keys held.
constexpr int kKeyStateCtrl = 1;
constexpr int kKeyStateShift = 2;
constexpr int kKeyStateAlt = 4;
int KeyStateOf(Qt::KeyboardModifiers modifiers);

// Key state of a mouse event, as the button messages carry it: the buttons
// down (a plain left press gives 1) and the modifier keys.
constexpr int kMouseLeft = 0x01;
constexpr int kMouseRight = 0x02;
constexpr int kMouseShift = 0x04;
constexpr int kMouseCtrl = 0x08;
constexpr int kMouseMiddle = 0x10;
int MouseKeyStateOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

// A control's event handed to its callback as the handlers read it: a key
// press as its virtual-key code and key state (a key without a code is not
// passed on), a left button press as its position and mouse key state.
void ReportKeyDown(const QKeyEvent& event, const std::function<void(int, int)>& on_key_down);
void ReportLeftButtonDown(const QMouseEvent& event,
                          const std::function<void(int, int, int)>& on_left_button_down);

// Colours as #RRGGBB.
using Rgb = uint32_t;
QColor ToQColor(Rgb rgb);

// A font of the layout tables: face letter, pixel height, bold.
// 'Y' 微软雅黑, 'S' 宋体, 'K' 楷体, 'N' no face stored, 'D' the default control font.
// The faces are set explicitly (WenQuanYi Micro Hei for Y, N and D, AR PL
// UMing CN for S, AR PL UKai CN for K) so every machine draws the same; D is
// 12 pixels unless pixels is given. Every control starts with font D.
struct FontSpec {
    char face = 'D';
    int pixels = 0;
    bool bold = false;
};
QFont MakeFont(FontSpec wanted);

enum class Align { Left, Centre, Right };
enum class Border { None, Sunken, Single };

// The font a control that shrinks to fit draws text in: base, or the largest
// smaller pixel size of base's face at which the widest line of text takes at
// most room pixels (no smaller than kSmallestFitPixels).
constexpr int kSmallestFitPixels = 6;
QFont FittingFont(const QFont& base, const QString& text, int room);

// For the controls' own code: a colour as a style-sheet value, a border as a
// style-sheet rule or as a QFrame's frame style, an alignment as Qt's.
QString CssColour(Rgb rgb);
QString BorderCss(Border border);
void ApplyFrameBorder(QFrame* frame, Border border);
Qt::Alignment Horizontal(Align align);

// Windows text controls break lines at CR LF; Qt at LF.
QString FromCrLf(const std::string& text);
std::string ToCrLf(QString text);

// Switching shrinking on keeps the control's own font to come back to.
void SwitchShrinkToFit(QWidget& control, bool on, bool& shrinking, QFont& full_font);

// Geometry and visibility common to every control. Visible() is the
// control's own flag, whatever its container shows. Show and Hide may be
// called from a worker thread (they run on the window thread, the caller
// waiting); everything else belongs to the window thread.
// clang-format off
#define KOB_CONTROL_COMMON                                                      \
    void Show() { RunOnWindowThreadAndWait([this] { setHidden(false); }); }     \
    void Hide() { RunOnWindowThreadAndWait([this] { setHidden(true); }); }      \
    bool Visible() const { return !isHidden(); }                                \
    int Left() const { return x(); }                                            \
    int Top() const { return y(); }                                             \
    int Width() const { return width(); }                                       \
    int Height() const { return height(); }                                     \
    void SetLeft(int v) { move(v, y()); }                                       \
    void SetTop(int v) { move(x(), v); }                                        \
    void SetWidth(int v) { resize(v, height()); }                               \
    void SetHeight(int v) { resize(width(), v); }                               \
    void BringToFront() { raise(); }                                            \
    bool Disabled() const { return !isEnabled(); }                              \
    void SetDisabled(bool d) { setEnabled(!d); }                                \
    void Focus() { setFocus(Qt::OtherFocusReason); }
// clang-format on

}  // namespace kob
