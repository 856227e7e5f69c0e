#pragma once
// The window's controls as data: one table per page or container, row by row
// as the controls are laid out (name, kind, container, position, size,
// caption, initial state, font, look). The builder turns the tables into the
// widgets of MainWindow; the tests walk the same tables.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/gui/control.h"
#include "platform/gui/entry_limits.h"
#include "platform/gui/frames.h"

namespace kob {

class BalloonTip;
class CheckBox;
class ColourButton;
class ComboBox;
class DateBox;
class EditBox;
class ImageButton;
class Label;
class ListBox;
class MainWindow;
class MultiLineEditBox;
class PageStack;
class PictureBox;
class PushButton;
class ReportList;
class Timer;

namespace layout {

enum class Kind {
    PageStack,
    Frame,
    GroupBox,
    Label,
    TransparentLabel,
    EditBox,
    MultiLineEditBox,
    PushButton,
    ImageButton,
    ColourButton,
    CheckBox,
    ComboBox,
    ListBox,
    DateBox,
    ReportList,
    PictureBox,
    Timer,
    BalloonTip,
};

// Initial state, combined with |.
enum State : uint32_t {
    kShown = 0,
    kHidden = 1,
    kDisabled = 2,
    kTicked = 4,
};

// Containers: the window's client area, a page of 选择夹1, or any frame or
// group box by its name.
inline constexpr const char* kWindow = "";
inline constexpr const char* kPage0 = "page 0";
inline constexpr const char* kPage1 = "page 1";
inline constexpr const char* kPage2 = "page 2";
inline constexpr const char* kPage3 = "page 3";

// No colour given.
inline constexpr Rgb kNone = 0xFF000000u;

using Columns = std::vector<std::pair<std::string, int>>;

// Font in the tables' notation: "Y21B", "S16", "K37B", "N14", "D"; "-" for a
// control that shows no text of its own.
constexpr FontSpec F(std::string_view notation) {
    FontSpec font;
    font.face = notation.empty() ? '-' : notation[0];
    font.pixels = 0;
    size_t i = 1;
    while (i < notation.size() && notation[i] >= '0' && notation[i] <= '9') {
        font.pixels = font.pixels * 10 + (notation[i] - '0');
        ++i;
    }
    font.bold = i < notation.size() && notation[i] == 'B';
    return font;
}
inline constexpr FontSpec kNoFont = F("-");

// Everything of a control besides position, caption, state and font; only
// what its kind uses is read.
struct Look {
    Rgb fg = kNone;     // text or caption colour
    Rgb bg = kNone;     // background; the fill of a frame (kNone: no fill)
    Rgb hover = kNone;  // colour button caption under the pointer
    Align align = Align::Left;
    Border border = Border::None;
    EntryMode entry = EntryMode::Normal;
    // Edit and combo boxes whose text goes into a gbk column: its characters
    // (see the column sizes below); the box takes no more and nothing GBK
    // cannot hold. 0: the text goes into no column.
    int column_chars = 0;
    bool wrap = false;
    // Labels and edit boxes showing amounts, balances and summary lines: the
    // whole text shows, in a smaller size of the font where it needs one.
    bool shrink_to_fit = false;
    bool vscroll = false;
    bool multi_select = false;
    Outline outline = Outline::None;
    Rgb outline_colour = 0x000000;
    int outline_width = 1;
    // Image buttons: normal face and own hover face (none: the normal face),
    // the hover face drawn hover_right pixels right and hover_up pixels up.
    // Picture boxes: the picture, or the spinner strip when animated.
    const char* picture = nullptr;
    const char* hover_picture = nullptr;
    int hover_right = 0;
    int hover_up = 0;
    bool animated = false;
    const Columns* columns = nullptr;
    int current_item = -1;               // combo box
    const char* date_picture = nullptr;  // date box display
    int interval_ms = 0;                 // timer
};

// A look with the column its box feeds.
constexpr Look Fits(Look look, int column_chars) {
    look.column_chars = column_chars;
    return look;
}

// The columns the boxes feed, in characters (a gbk VARCHAR(n) holds n).
inline constexpr int kCardChars = 10;         // user_id INT: ten digits at most
inline constexpr int kNameChars = 64;         // user_name, boss_name, xm_name
inline constexpr int kPhoneChars = 64;        // user_tel; boss_tel, the login name
inline constexpr int kPasswordChars = 64;     // boss_key
inline constexpr int kMethodChars = 32;       // pay_method
inline constexpr int kMoneyChars = 32;        // pay_money, pay_give, cost_money, xm_money
inline constexpr int kCostNotesChars = 1024;  // cost_notes: item lines and note together

// The MainWindow member a row creates.
using Member =
    std::variant<PageStack * MainWindow::*, Frame * MainWindow::*, GroupBox * MainWindow::*,
                 Label * MainWindow::*, EditBox * MainWindow::*, MultiLineEditBox * MainWindow::*,
                 PushButton * MainWindow::*, ImageButton * MainWindow::*,
                 ColourButton * MainWindow::*, CheckBox * MainWindow::*, ComboBox * MainWindow::*,
                 ListBox * MainWindow::*, DateBox * MainWindow::*, ReportList * MainWindow::*,
                 PictureBox * MainWindow::*, Timer * MainWindow::*, BalloonTip * MainWindow::*>;

struct Row {
    Member member;
    std::string name;
    Kind kind;
    std::string container;
    int left, top, width, height;
    std::string text;  // caption or text; combo items and tab captions split by '|'
    uint32_t state;
    FontSpec font;
    Look look;
};

struct Table {
    std::string title;
    std::vector<Row> rows;
    // Controls drawn over the others of their container, bottom first.
    std::vector<std::string> on_top;
};

// Both twins of a member pointer and its name for the tables.
#define KOB_CTL(name) &MainWindow::name, #name

// Column sets.
extern const Columns kMemberColumns;
extern const Columns kRechargeColumns;
extern const Columns kConsumptionColumns;
extern const Columns kServiceItemColumns;

// The spinner strip: 22 frames 17 pixels high, 100 ms each.
inline constexpr const char* kSpinner = ":/spinner.png";
inline constexpr int kSpinnerFrameHeight = 17;
inline constexpr int kSpinnerFrameMs = 100;

std::vector<Table> WindowTables();    // window level and the current-member box
std::vector<Table> MembersTables();   // page 0 and its two panels
std::vector<Table> RecordsTables();   // pages 1 and 2
std::vector<Table> SettingsTables();  // page 3, the settings panel and its sub-panels

// Every table, containers before their contents.
std::vector<Table> AllTables();

// Creates every control of the tables on window; date boxes start at now.
void Build(MainWindow& window, double now);

// A panel that a button opens lies 5 pixels below the button: the panel's top.
inline int PanelTopBelow(const QWidget& button) {
    return button.y() + button.height() + 5;
}

}  // namespace layout
}  // namespace kob
