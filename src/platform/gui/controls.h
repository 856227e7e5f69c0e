#pragma once
// The control kinds of the main window, as small Qt widgets with the
// properties and events the handlers use. Texts are UTF-8 std::string;
// QString stays inside this layer. Events are plain callbacks, set once
// where a page binds its handlers.
#include <QAbstractButton>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFont>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <QValidator>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/gui/services.h"

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
enum class EntryMode { Normal, Masked, Amount, WholeNumber };

// Digits an amount box takes, fraction digits included: a whole part of at
// most 999999999, and a sum of two such, stays within 32 bits.
constexpr int kAmountDigits = 9;

// What an amount box takes: an optional leading minus, digits, an optional
// point and digits, at most kAmountDigits digits in all ("", "-" and "1."
// too, on the way to a number).
bool IsAmountEntry(const QString& text);

// What a whole-number box takes: digits only, at most kAmountDigits ("" too).
bool IsWholeNumberEntry(const QString& text);

// The font a control that shrinks to fit draws text in: base, or the largest
// smaller pixel size of base's face at which the widest line of text takes at
// most room pixels (no smaller than kSmallestFitPixels).
constexpr int kSmallestFitPixels = 6;
QFont FittingFont(const QFont& base, const QString& text, int room);

// What a box feeding a gbk column of `chars` characters keeps of its text
// after an edit that left the cursor at *cursor: the characters GBK cannot
// hold are dropped, then, while it is too long, the characters just before
// the cursor (the ones the edit put in), then the last ones. *cursor follows.
// chars 0: no column, the text stays as it is.
QString FitToColumn(QString text, int chars, int* cursor = nullptr);

// The operator's edits of a line edit pass through it: an amount box takes
// only an amount, a whole-number box only digits (anything else leaves the
// text as it was), a box feeding a column only what FitToColumn keeps. While
// code_sets is true (code writing the text) any text is taken.
class EntryValidator : public QValidator {
  public:
    explicit EntryValidator(QObject* parent) : QValidator(parent) {}
    State validate(QString& input, int& pos) const override;
    EntryMode mode = EntryMode::Normal;
    int column_chars = 0;
    bool code_sets = false;
};

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

// Edit box: single-line (QLineEdit) in plain, masked, amount or whole-number
// mode. Masked shows one "*" per character; amount and whole number take from
// the operator only what IsAmountEntry or IsWholeNumberEntry allows. A box
// feeding a column (SetColumnChars) takes from the operator, typed or pasted,
// only what FitToColumn keeps: a refused character is just not taken. Code
// may set any text. Text sits at the top of the box, as in a single-line edit
// control. on_text_changed follows every real change of the text, typed or
// set by code; on_key_down gets the virtual-key code before the box handles
// the key; on_left_button_down gets the press position and the mouse key
// state.
class EditBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit EditBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    std::string Text() const;
    void SetText(const std::string& text);
    void SetEntryMode(EntryMode mode);
    // The characters of the gbk column the text goes into; 0: none.
    void SetColumnChars(int chars);
    int ColumnChars() const { return validator_->column_chars; }
    void SetBorder(Border border);
    void SetColours(Rgb text, Rgb background);
    void SetAlign(Align align);
    // From now on the text always shows whole: the font set so far is the
    // largest, a smaller size of its face is used where the text needs it.
    void SetShrinkToFit(bool on);
    // The pixels a text may take without scrolling.
    int TextRoom() const;

    std::function<void()> on_text_changed;
    std::function<void(int key_code, int key_state)> on_key_down;
    std::function<void(int x, int y, int key_state)> on_left_button_down;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void UpdateStyle();
    void UpdateValidator();
    void Fit();
    bool shrink_to_fit_ = false;
    QFont full_font_;
    EntryValidator* validator_;
    QString reported_;  // the text on_text_changed last followed
    EntryMode mode_ = EntryMode::Normal;
    Border border_ = Border::Sunken;
    Rgb text_ = 0x000000, background_ = 0xFFFFFF;
};

// Edit box in multi-line mode. Lines break at CR LF as in the original:
// Text() gives "\r\n" between lines and SetText takes it. A box feeding a
// column (SetColumnChars) takes from the operator, typed, composed, pasted or
// dropped, only characters GBK holds and only while Text() stays within the
// column (a line break counts two); what does not fit is just not taken. Code
// may set any text.
class MultiLineEditBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit MultiLineEditBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    std::string Text() const;
    void SetText(const std::string& text);
    void SetColumnChars(int chars) { column_chars_ = chars; }
    int ColumnChars() const { return column_chars_; }
    void SetBorder(Border border);
    void SetColours(Rgb text, Rgb background);
    void SetVerticalScrollBar(bool on);

    std::function<void()> on_text_changed;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    // What of inserted may go in at the cursor, replacing the selection.
    QString Fitting(QString inserted) const;
    int column_chars_ = 0;
    void UpdateStyle();
    Border border_ = Border::Sunken;
    Rgb text_ = 0x000000, background_ = 0xFFFFFF;
};

class PushButton : public QPushButton {
    Q_OBJECT
  public:
    explicit PushButton(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    std::function<void()> on_clicked;
};

// Drawn only by its faces, at their own size from the top-left corner; hand
// pointer, no caption, no disabled face, not a tab stop. While the pointer is
// over it the hover face is drawn moved hover_right pixels right and hover_up
// pixels up (the hover face is the normal face when no hover picture is
// given), on top of its siblings; while the left button holds it down the
// normal face is drawn in place. on_clicked on a release inside.
class ImageButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit ImageButton(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    // Resource paths (or file names).
    void SetFaces(const QString& normal, const QString& hover = {}, int hover_right = 0,
                  int hover_up = 0);
    enum Face { kNormalFace = 0, kHoverFace = 1, kPressedFace = 2 };
    // Which face is drawn now; the pressed face is the normal face.
    int CurrentFace() const;
    QPixmap CurrentPixmap() const;
    // Where CurrentPixmap() is drawn, in the button's coordinates.
    QPoint CurrentOffset() const;
    std::function<void()> on_clicked;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QPixmap normal_, hover_;
    int hover_right_ = 0, hover_up_ = 0;
    bool hovered_ = false;
    QPointer<QWidget> below_;  // the sibling it was under before the hover
};

// Caption centred on a background, no border, hand pointer, not a tab stop;
// the caption takes hover_text while the pointer is over it. Acts when the
// left button goes down: on_left_button_down(x, y, mouse key state).
class ColourButton : public QWidget {
    Q_OBJECT
  public:
    explicit ColourButton(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    void SetCaption(const std::string& caption);
    std::string Caption() const;
    void SetColours(Rgb text, Rgb background, Rgb hover_text);
    bool Hovered() const { return hovered_; }
    std::function<void(int x, int y, int key_state)> on_left_button_down;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QString caption_;
    Rgb text_ = 0, background_ = 0xFFFFFF, hover_text_ = 0;
    bool hovered_ = false;
};

// on_clicked comes from the operator only; SetTicked raises nothing.
class CheckBox : public QCheckBox {
    Q_OBJECT
  public:
    explicit CheckBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    bool Ticked() const { return isChecked(); }
    void SetTicked(bool ticked);
    void SetCaption(const std::string& caption);
    std::function<void()> on_clicked;
};

// Editable drop-down: code may set any text (also one that is no item, or
// empty); the item whose text matches exactly becomes current, otherwise none.
// SetCurrentItem(-1) empties it. on_item_chosen only when the operator picks
// an item, never for code.
class ComboBox : public QComboBox {
    Q_OBJECT
  public:
    explicit ComboBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    std::string Text() const;
    void SetText(const std::string& text);
    int CurrentItem() const { return currentIndex(); }
    void SetCurrentItem(int index);
    int ItemCount() const { return count(); }
    std::string ItemText(int index) const;
    void AddItem(const std::string& text);
    void ClearItems();
    // As EditBox::SetColumnChars, for what the operator types into it.
    void SetColumnChars(int chars);
    std::function<void()> on_item_chosen;

  private:
    EntryValidator* validator_ = nullptr;
};

// List of text items, each with an integer value; on_double_click when the
// operator double-clicks an item.
class ListBox : public QListWidget {
    Q_OBJECT
  public:
    explicit ListBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    void SetBorder(Border border);
    int ItemCount() const { return count(); }
    int AddItem(const std::string& text, int32_t value = 0);
    std::string ItemText(int index) const;
    int32_t ItemValue(int index) const;
    int CurrentItem() const { return currentRow(); }
    void SetCurrentItem(int index) { setCurrentRow(index); }
    void ClearItems() { clear(); }
    std::function<void()> on_double_click;
};

// Holds a full date-time (seconds included) as an OLE automation date (days
// since 1899-12-30, local time; the time of day is the fraction, counted
// forward from the start of the day also for days before 1899-12-30), shown
// as "yyyy-MM-dd HH:mm:ss" with a drop-down calendar. Starts at the current
// date and time. on_value_changed on every change of the value, by the
// operator or by SetValue (not when SetValue writes the value it holds).
class DateBox : public QDateTimeEdit {
    Q_OBJECT
  public:
    explicit DateBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    double Value() const;
    // Rounded to the second; clamped to 100-01-01 .. 9999-12-31 23:59:59.
    void SetValue(double ole);
    std::function<void()> on_value_changed;
};

// The conversions DateBox uses (whole seconds, rounded to the nearest).
QDateTime OleToQDateTime(double ole);
double QDateTimeToOle(const QDateTime& t);

class GroupBox : public QGroupBox {
    Q_OBJECT
  public:
    explicit GroupBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    void SetCaption(const std::string& caption);
    void SetColours(Rgb caption, Rgb background);
};

enum class Outline { None, Solid, Broken };

// A container rectangle: optional fill, outline colour, width and pattern
// (broken is dashed). A frame 1 pixel high is a separator line.
class Frame : public QWidget {
    Q_OBJECT
  public:
    explicit Frame(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    void SetFill(bool filled, Rgb colour = 0xFFFFFF);
    void SetOutline(Outline pattern, Rgb colour = 0, int width = 1);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool filled_ = false;
    Rgb fill_ = 0xFFFFFF;
    Outline outline_ = Outline::None;
    Rgb outline_colour_ = 0;
    int outline_width_ = 1;
};

// Label (with background) and transparent label (without): plain text,
// CR LF breaks lines, clicks pass through to what lies below.
class Label : public QLabel {
    Q_OBJECT
  public:
    explicit Label(QWidget* parent = nullptr, bool transparent = false);
    KOB_CONTROL_COMMON
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    void SetColours(Rgb text, Rgb background);
    void SetTextColour(Rgb text);
    void SetAlign(Align align);
    void SetWrap(bool wrap) { setWordWrap(wrap); }
    // As EditBox::SetShrinkToFit: every line of the caption shows whole.
    void SetShrinkToFit(bool on);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Fit();
    bool transparent_;
    bool shrink_to_fit_ = false;
    QFont full_font_;
};

// Pages whose origin is the stack's top-left corner, tab strip included:
// every page fills the whole stack (white) and the tab strip (at most 34
// pixels high) lies above them. Only the current page is shown.
// on_page_changed fires for changes the operator makes through the tab strip
// only (mouse or keyboard), after CurrentPage() has become the new page, so a
// handler may set another one; SetCurrentPage raises nothing.
class PageStack : public QWidget {
    Q_OBJECT
  public:
    PageStack(QWidget* parent, const std::vector<std::string>& captions, FontSpec tab_font);
    KOB_CONTROL_COMMON
    int CurrentPage() const;
    void SetCurrentPage(int page);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    QWidget* Page(int index) const { return pages_.at(static_cast<size_t>(index)); }
    QTabBar* Tabs() const { return tabs_; }
    std::function<void()> on_page_changed;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ShowOnly(int page);
    void Arrange();
    QTabBar* tabs_;
    std::vector<QWidget*> pages_;
    bool setting_ = false;
};

class ReportModel;

// The texts of one column's cells, back to back in one buffer: a list keeps
// its cells this way, and a load builds whole columns of them and hands them
// over, so a million rows cost no allocation per cell.
class CellColumn {
  public:
    size_t CellCount() const { return spans_.size(); }
    std::string_view At(size_t cell) const {
        const Span& s = spans_[cell];
        return {bytes_.data() + s.offset, s.size};
    }
    // A cell of one text; or one built from pieces, then EndCell.
    void Add(std::string_view text) {
        bytes_.append(text);
        EndCell();
    }
    void Append(std::string_view piece) { bytes_.append(piece); }
    void AppendGbk(std::string_view gbk);
    void EndCell();
    void Reserve(size_t cells, size_t bytes) {
        spans_.reserve(cells);
        bytes_.reserve(bytes);
    }
    // Room for cells more cells and bytes more bytes, growing at least
    // twofold: a column filled on other threads is allocated on the caller's.
    void ReserveMore(size_t cells, size_t bytes) {
        if (spans_.size() + cells > spans_.capacity()) {
            spans_.reserve(std::max(spans_.size() + cells, 2 * spans_.capacity()));
        }
        if (bytes_.size() + bytes > bytes_.capacity()) {
            bytes_.reserve(std::max(bytes_.size() + bytes, 2 * bytes_.capacity()));
        }
    }
    size_t ByteCount() const { return bytes_.size(); }
    // The bytes its buffers hold on the heap, used or not (a short string
    // lives inside the object).
    size_t CapacityBytes() const {
        const size_t text = bytes_.capacity() > std::string().capacity() ? bytes_.capacity() : 0;
        return text + spans_.capacity() * sizeof(Span);
    }
    // Empties it and frees its buffers. Assigning a new CellColumn would not:
    // a string move-assigned from an empty one keeps its own heap buffer.
    void Release() {
        std::string().swap(bytes_);
        std::vector<Span>().swap(spans_);
        cell_start_ = 0;
        unused_ = 0;
    }

  private:
    friend class ReportModel;
    // A cell's text lies at offset in bytes_; a cell written over with a
    // longer text moves to the end and leaves its old bytes unused.
    struct Span {
        uint32_t offset;
        uint32_t size;
    };
    std::string bytes_;
    std::vector<Span> spans_;
    size_t cell_start_ = 0;  // of the cell being built
    size_t unused_ = 0;      // bytes that overwritten cells left behind
};

// Report-style list: columns with titles and widths (width 0: the column is
// there and holds values but is not shown), rows of text cells, header images
// (-1 none, 0 up arrow, 1 down arrow, drawn left of the title while the arrow
// image list is set). Model/view, so a million rows load and sort fast. No
// grid, no editing, no sorting of its own (a header click only raises
// on_column_click). Single selection unless SetMultiSelect(true); in
// multi-select mode the marks live in the rows (a click marks one row,
// Ctrl+click toggles, Shift+click marks a range), so marking thousands of
// rows stays linear.
// Row and cell changes and selections may come from a worker thread: they
// run on the window thread, the caller waiting. Reads are plain reads, safe
// while no other thread changes the rows.
class ReportList : public QTableView {
    Q_OBJECT
  public:
    explicit ReportList(QWidget* parent = nullptr);
    ~ReportList() override;
    KOB_CONTROL_COMMON
    void SetColumns(const std::vector<std::pair<std::string, int>>& titles_and_widths);
    void SetMultiSelect(bool multi);
    void SetBorder(Border border);

    int ColumnCount() const;
    int RowCount() const;
    // Appends a row (missing cells are empty); its index.
    int AddRow(std::vector<std::string> cells);
    // Appends many rows with one notification; faster for loads.
    void AddRows(std::vector<std::vector<std::string>> rows);
    // The same, given column by column (columns[c] holds column c's cells,
    // all columns the same number); an empty list takes the storage over.
    void AddColumns(std::vector<CellColumn> columns);
    // Appends copies of source's rows (by index) with one notification; the
    // search rebuilds the member list from the spare list this way.
    void AddRowsFrom(const ReportList& source, const std::vector<int>& rows);
    // A large list's storage goes back to the system at once, unless a load
    // that follows takes care of that (trim false): it reuses the freed pages.
    void DeleteAllRows(bool trim = true);
    // The bytes the list's cell storage holds, used or not.
    size_t StorageBytes() const;
    void DeleteRow(int row);
    // Empty beyond the rows or columns.
    std::string Cell(int row, int column) const;
    // The same without a copy; the view holds until the rows or cells change.
    std::string_view CellView(int row, int column) const;
    void SetCell(int row, int column, const std::string& text);
    // Replaces every cell of column at once, with one repaint: cells holds
    // one cell per row, row by row. False (nothing changed) for another count.
    bool SetColumnCells(int column, CellColumn cells);

    // -1 for none (the first selected row in multi-select mode).
    // SetSelectedRow(-1) clears the selection. on_current_row_changed follows
    // every real change of SelectedRow(), by the operator or by code,
    // including DeleteAllRows and DeleteRow; SortRows moves the selected row
    // with its row and raises nothing.
    int SelectedRow() const;
    void SetSelectedRow(int row);
    // Multi-selection (the spare list): mark or test one row.
    void SetRowSelected(int row, bool selected);
    bool RowSelected(int row) const;
    // Marks every row at once (selected[r] != 0), with one notification.
    void SetRowsSelected(const std::vector<char>& selected);

    int HeaderImage(int column) const;
    void SetHeaderImage(int column, int image);
    // Sets the header image list to the two sort arrows (or none).
    void SetHeaderArrows(bool on);

    // Reorders the rows by less(a, b) on their indices before the sort, keeping
    // equal rows in order; the selected row follows its row.
    void SortRows(const std::function<bool(int a, int b)>& less);
    // Reorders the rows: new row i is old row order[i] (a permutation of
    // 0..RowCount()-1); the selected row follows its row.
    void ReorderRows(const std::vector<int>& order);

    std::function<void(int column)> on_column_click;
    std::function<void()> on_current_row_changed;
    // A right press; the row under the pointer is selected first (a press
    // below the rows clears the selection).
    std::function<void()> on_right_click;
    std::function<void(int key_code, int key_state)> on_key_down;

    // The two 8 x 7 sort arrows of the header image list (0 up, 1 down).
    static QImage SortArrowImage(int image);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    std::unique_ptr<ReportModel> model_;
    int last_current_ = -1;
    bool changing_ = false;  // rows are being changed: report afterwards
    int anchor_ = -1;        // Shift+click start in multi-select mode
    void NotifyCurrentChanged();
    void SetUpRowHeader(QHeaderView* header);
    void UpdateRowHeight();
    template <typename F>
    void Change(F&& f);
};

// Shows one picture: a still one scaled to the box, or the animated spinner
// at its own size from the top-left corner, cycling while it is shown.
class PictureBox : public QLabel {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    void SetScaledPicture(const QString& resource);
    // The spinner: a vertical strip of frames frame_height high, one each frame_ms.
    void SetAnimation(const QString& strip_resource, int frame_height, int frame_ms);
    int FrameCount() const { return static_cast<int>(frames_.size()); }
    bool Animating() const { return timer_.isActive(); }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QTimer timer_;
    std::vector<QPixmap> frames_;
    int frame_ = 0;
};

// A periodic tick: on_tick every interval() ms while active.
class Timer : public QTimer {
    Q_OBJECT
  public:
    explicit Timer(QObject* parent = nullptr);
    std::function<void()> on_tick;
};

// The one balloon-tip window, shown at a screen point with a text: a rounded
// yellowish balloon whose tail tip is at that point (the balloon above it,
// or below when there is no room above). Shown without taking the focus; it
// hides by itself after kVisibleMs. A new ShowAt replaces text and place.
class BalloonTip : public QWidget {
    Q_OBJECT
  public:
    explicit BalloonTip(QWidget* owner);
    // Shows text (CR LF breaks lines) pointing at screen point at.
    void ShowAt(const std::string& text, QPoint at);
    std::string Text() const;
    QPoint ShownAt() const { return at_; }
    // The screen point the drawn tail ends at.
    QPoint TailTip() const { return pos() + tip_; }
    bool Shown() const { return isVisible(); }
    // Milliseconds until it hides by itself; -1 when not counting down.
    int RemainingMs() const { return hide_timer_.isActive() ? hide_timer_.remainingTime() : -1; }
    // How long it stays, in ms.
    static constexpr int kVisibleMs = 4000;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
    QPoint at_;
    QPoint tip_;  // tail tip in the window
    QRect body_;  // the rounded body in the window
    bool tail_down_ = true;
    QTimer hide_timer_;
};

}  // namespace kob
