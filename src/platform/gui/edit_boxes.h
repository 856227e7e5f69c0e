#pragma once
// Edit boxes: single-line (plain, masked, amount, whole number) and
// multi-line.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>
#include <string>

#include "platform/gui/control.h"
#include "platform/gui/entry_limits.h"

namespace kob {

// The border and colours both kinds of edit box take; each writes them into a
// style sheet of its own (UpdateStyle).
template <typename QtEdit>
class StyledEdit : public QtEdit {
  public:
    using QtEdit::QtEdit;
    void SetBorder(Border border) {
        border_ = border;
        UpdateStyle();
    }
    void SetColours(Rgb text, Rgb background) {
        text_ = text;
        background_ = background;
        UpdateStyle();
    }

  protected:
    virtual void UpdateStyle() = 0;
    Border border_ = Border::Sunken;
    Rgb text_ = 0x000000, background_ = 0xFFFFFF;
};

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
class EditBox : public StyledEdit<QLineEdit> {
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
    void UpdateStyle() override;
    void UpdateValidator();
    void Fit();
    bool shrink_to_fit_ = false;
    QFont full_font_;
    EntryValidator* validator_;
    QString reported_;  // the text on_text_changed last followed
    EntryMode mode_ = EntryMode::Normal;
};

// Edit box in multi-line mode. Lines break at CR LF as in the original:
// Text() gives "\r\n" between lines and SetText takes it. A box feeding a
// column (SetColumnChars) takes from the operator, typed, composed, pasted or
// dropped, only characters GBK holds and only while Text() stays within the
// column (a line break counts two); what does not fit is just not taken. Code
// may set any text.
class MultiLineEditBox : public StyledEdit<QPlainTextEdit> {
    Q_OBJECT
  public:
    explicit MultiLineEditBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    std::string Text() const;
    void SetText(const std::string& text);
    void SetColumnChars(int chars) { column_chars_ = chars; }
    int ColumnChars() const { return column_chars_; }
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
    void UpdateStyle() override;
};

}  // namespace kob
