#pragma once
// The control kinds of the main window, as small Qt widgets with the
// properties and events the handlers use. Texts are UTF-8 std::string;
// QString stays inside this layer. Events are plain callbacks, set once
// where a page binds its handlers.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kob {

// Windows virtual-key codes, as the key-down handlers compare them.
constexpr int kKeyEnter = 13;
constexpr int kKeyDelete = 46;
int VirtualKeyOf(int qt_key);

// Colours as #RRGGBB.
using Rgb = uint32_t;
QColor ToQColor(Rgb rgb);

// A font of the layout tables: face letter, pixel height, bold.
// 'Y' 微软雅黑, 'S' 宋体, 'K' 楷体, 'N' no face stored, 'D' the default control font.
struct FontSpec {
    char face = 'D';
    int pixels = 0;
    bool bold = false;
};
QFont MakeFont(FontSpec spec);

enum class Align { Left, Centre, Right };
enum class Border { None, Sunken, Single };
enum class EntryMode { Normal, Masked, WholeNumber };

// Geometry and visibility common to every control. Visible() is the
// control's own flag, whatever its container shows.
#define KOB_CONTROL_COMMON                                          \
    void Show() { setHidden(false); }                               \
    void Hide() { setHidden(true); }                                \
    bool Visible() const { return !isHidden(); }                    \
    int Left() const { return x(); }                                \
    int Top() const { return y(); }                                 \
    int Width() const { return width(); }                           \
    int Height() const { return height(); }                         \
    void SetLeft(int v) { move(v, y()); }                           \
    void SetTop(int v) { move(x(), v); }                            \
    void SetWidth(int v) { resize(v, height()); }                   \
    void SetHeight(int v) { resize(width(), v); }                   \
    void BringToFront() { raise(); }                                \
    bool Disabled() const { return !isEnabled(); }                  \
    void SetDisabled(bool d) { setEnabled(!d); }                    \
    void Focus() { setFocus(Qt::OtherFocusReason); }

// Edit box: single-line (QLineEdit) in plain, masked or whole-number mode.
class EditBox : public QLineEdit {
    Q_OBJECT
public:
    explicit EditBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    std::string Text() const;
    void SetText(const std::string& text);
    void SetEntryMode(EntryMode mode);
    void SetBorder(Border border);
    void SetColours(Rgb text, Rgb background);
    void SetAlign(Align align);

    std::function<void()> on_text_changed;
    std::function<void(int key_code, int key_state)> on_key_down;
    std::function<void(int x, int y, int key_state)> on_left_button_down;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

// Edit box in multi-line mode.
class MultiLineEditBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MultiLineEditBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    std::string Text() const;
    void SetText(const std::string& text);
    void SetBorder(Border border);
    void SetColours(Rgb text, Rgb background);
    void SetVerticalScrollBar(bool on);

    std::function<void()> on_text_changed;
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

// Drawn only by its faces; the hover face may be the normal face shifted.
class ImageButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ImageButton(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    // Resource paths; an empty hover path means the normal face moved by
    // (hover_dx, hover_dy).
    void SetFaces(const QString& normal, const QString& hover, int hover_dx = 0, int hover_dy = 0);
    // Which face is drawn now: 0 normal, 1 hover, 2 pressed (the normal face).
    int CurrentFace() const;
    QPixmap CurrentPixmap() const;
    std::function<void()> on_clicked;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPixmap normal_, hover_;
    int hover_dx_ = 0, hover_dy_ = 0;
    bool hovered_ = false;
};

// Caption centred on a background, no border; acts when the left button goes down.
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

// Editable drop-down: code may set any text; on_item_chosen when the
// operator picks an item.
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
    std::function<void()> on_item_chosen;
};

class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    int ItemCount() const { return count(); }
    int AddItem(const std::string& text, int32_t value = 0);
    std::string ItemText(int index) const;
    int32_t ItemValue(int index) const;
    int CurrentItem() const { return currentRow(); }
    void SetCurrentItem(int index) { setCurrentRow(index); }
    void ClearItems() { clear(); }
    std::function<void()> on_double_click;
};

// Holds a full date-time (seconds included) as an OLE automation date.
class DateBox : public QDateTimeEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    double Value() const;
    void SetValue(double ole);
    std::function<void()> on_value_changed;
};

class GroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit GroupBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    void SetCaption(const std::string& caption);
    void SetColours(Rgb caption, Rgb background);
};

enum class Outline { None, Solid, Broken };

// A container rectangle: optional fill, outline colour, width and pattern.
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

// Label (with background) and transparent label (without).
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

private:
    bool transparent_;
};

// Pages whose origin is the stack's top-left corner, tab strip included.
// on_page_changed fires for changes made through the tab strip only; code
// setting the current page raises nothing.
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
    QTabBar* tabs_;
    std::vector<QWidget*> pages_;
    bool setting_ = false;
};

class ReportModel;

// Report-style list: columns with titles and widths, rows of text cells,
// header images (-1 none, 0 up arrow, 1 down arrow). Model/view, so a million
// rows load and sort fast. Single selection unless SetMultiSelect(true).
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
    void DeleteAllRows();
    void DeleteRow(int row);
    const std::string& Cell(int row, int column) const;
    void SetCell(int row, int column, const std::string& text);

    // -1 for none. SetSelectedRow(-1) clears the selection. Both raise
    // on_current_row_changed only when the current row really changes.
    int SelectedRow() const;
    void SetSelectedRow(int row);
    // Multi-selection (the spare list): mark or test one row.
    void SetRowSelected(int row, bool selected);
    bool RowSelected(int row) const;

    int HeaderImage(int column) const;
    void SetHeaderImage(int column, int image);
    // Sets the header image list to the two sort arrows (or none).
    void SetHeaderArrows(bool on);

    // Reorders the rows by less(a, b) on their indices before the sort, keeping
    // equal rows in order; the selected row follows its row.
    void SortRows(const std::function<bool(int a, int b)>& less);

    std::function<void(int column)> on_column_click;
    std::function<void()> on_current_row_changed;
    std::function<void()> on_right_click;
    std::function<void(int key_code, int key_state)> on_key_down;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::unique_ptr<ReportModel> model_;
    int last_current_ = -1;
    void NotifyCurrentChanged();
};

// Shows one picture: a still one scaled to the box, or the animated spinner.
class PictureBox : public QLabel {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    void SetScaledPicture(const QString& resource);
    // The spinner: a vertical strip of frames frame_height high, one each frame_ms.
    void SetAnimation(const QString& strip_resource, int frame_height, int frame_ms);
    int CurrentFrame() const { return frame_; }

private:
    QTimer timer_;
    std::vector<QPixmap> frames_;
    int frame_ = 0;
};

class Timer : public QTimer {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr);
    std::function<void()> on_tick;
};

// The one balloon-tip window, shown at a screen point with a text.
class BalloonTip : public QWidget {
    Q_OBJECT
public:
    explicit BalloonTip(QWidget* owner);
    // Shows text (CR LF breaks lines) pointing at screen point at.
    void ShowAt(const std::string& text, QPoint at);
    std::string Text() const;
    QPoint ShownAt() const { return at_; }
    bool Shown() const { return isVisible(); }
    // How long it stays, in ms.
    static constexpr int kVisibleMs = 4000;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QPoint at_;
    QTimer hide_timer_;
};

}  // namespace kob
