#include "platform/gui/edit_boxes.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextCursor>

#include "platform/core/text.h"

namespace kob {

namespace {

bool IsLineBreak(QChar c) {
    return c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// Characters of a multi-line box's text as Text() gives it (CR LF breaks).
int StoredChars(const QString& text) {
    int n = 0;
    for (const QChar c : text) {
        n += IsLineBreak(c) ? 2 : 1;
    }
    return n;
}

}  // namespace

// ---------------------------------------------------------------- EditBox

EditBox::EditBox(QWidget* parent) : StyledEdit(parent), validator_(new EntryValidator(this)) {
    setFont(MakeFont({}));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A refused character may pass Qt's change signal with the text as it was.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& now) {
        if (now == reported_) {
            return;
        }
        reported_ = now;
        Fit();
        if (on_text_changed) {
            on_text_changed();
        }
    });
    UpdateStyle();
}

std::string EditBox::Text() const {
    return text().toStdString();
}

void EditBox::SetText(const std::string& text) {
    CodeSets code(validator_);
    setText(QString::fromStdString(text));
}

void EditBox::SetEntryMode(EntryMode mode) {
    mode_ = mode;
    setEchoMode(mode == EntryMode::Masked ? QLineEdit::Password : QLineEdit::Normal);
    UpdateValidator();
    UpdateStyle();
}

void EditBox::SetColumnChars(int chars) {
    validator_->column_chars = chars;
    UpdateValidator();
}

void EditBox::UpdateValidator() {
    validator_->mode = mode_;
    const bool filters = mode_ == EntryMode::Amount || mode_ == EntryMode::WholeNumber ||
                         validator_->column_chars > 0;
    setValidator(filters ? validator_ : nullptr);
}

void EditBox::SetAlign(Align align) {
    setAlignment(Horizontal(align) | Qt::AlignTop);
}

void EditBox::UpdateStyle() {
    QString css = QStringLiteral(
                      "QLineEdit { %1 color: %2; background-color: %3; padding: 0px 1px; "
                      "lineedit-password-character: 42; }")
                      .arg(BorderCss(border_), CssColour(text_), CssColour(background_));
    // Disabled in the system's colours it greys out as a Windows edit does;
    // a box with colours of its own (a display-only one) keeps them.
    if (text_ == 0x000000 && background_ == 0xFFFFFF) {
        css += QStringLiteral(" QLineEdit:disabled { color: #6D6D6D; background-color: #F0F0F0; }");
    }
    setStyleSheet(css);
}

void EditBox::SetShrinkToFit(bool on) {
    SwitchShrinkToFit(*this, on, shrink_to_fit_, full_font_);
    Fit();
}

int EditBox::TextRoom() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, this)
                               .marginsRemoved(textMargins());
    // QLineEdit keeps 2 pixels each side and scrolls once the text and the
    // 1-pixel cursor need more.
    return contents.width() - 2 * 2 - 1;
}

void EditBox::Fit() {
    if (shrink_to_fit_) {
        setFont(FittingFont(full_font_, displayText(), TextRoom()));
    }
}

void EditBox::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    Fit();
}

void EditBox::keyPressEvent(QKeyEvent* event) {
    ReportKeyDown(*event, on_key_down);
    QLineEdit::keyPressEvent(event);
}

void EditBox::mousePressEvent(QMouseEvent* event) {
    ReportLeftButtonDown(*event, on_left_button_down);
    QLineEdit::mousePressEvent(event);
}

// ------------------------------------------------------- MultiLineEditBox

MultiLineEditBox::MultiLineEditBox(QWidget* parent) : StyledEdit(parent) {
    setFont(MakeFont({}));
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (on_text_changed) {
            on_text_changed();
        }
    });
    UpdateStyle();
}

std::string MultiLineEditBox::Text() const {
    return ToCrLf(toPlainText());
}

void MultiLineEditBox::SetText(const std::string& text) {
    setPlainText(FromCrLf(text));
}

QString MultiLineEditBox::Fitting(QString inserted) const {
    if (column_chars_ <= 0) {
        return inserted;
    }
    // The box breaks lines at LF only: a CR LF pasted in is one break.
    inserted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    inserted.replace(u'\r', u'\n');
    const int used = StoredChars(toPlainText()) - StoredChars(textCursor().selectedText());
    int room = column_chars_ - used;
    QString kept;
    for (int i = 0; i < inserted.size() && room > 0;) {
        const QChar q = inserted[i];
        char32_t c = q.unicode();
        int units = 1;
        if (q.isHighSurrogate() && i + 1 < inserted.size() && inserted[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(q, inserted[i + 1]);
            units = 2;
        }
        if (IsLineBreak(q)) {
            if (room < 2) {
                break;
            }
            kept.append(u'\n');
            room -= 2;
        } else if (GbkHolds(c)) {
            kept.append(q);
            --room;
        }
        i += units;
    }
    return kept;
}

void MultiLineEditBox::keyPressEvent(QKeyEvent* event) {
    if (column_chars_ <= 0) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString typed = enter ? QStringLiteral("\n") : event->text();
    // Keys that put text in: Enter, and printable text without Ctrl (Ctrl
    // keys are commands; their text is a control character).
    const bool inserts =
        enter || (!ctrl && !typed.isEmpty() &&
                  (typed[0].isPrint() || typed[0] == u'\t' || typed[0].isSurrogate() ||
                   typed[0].category() == QChar::Other_PrivateUse));
    if (!inserts) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const QString kept = Fitting(typed);
    if (kept == typed) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    if (!kept.isEmpty()) {
        textCursor().insertText(kept);
        ensureCursorVisible();
    }
    event->accept();
}

void MultiLineEditBox::inputMethodEvent(QInputMethodEvent* event) {
    const QString committed = event->commitString();
    const QString kept = Fitting(committed);
    if (committed.isEmpty() || kept == committed) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent fitted(event->preeditString(), event->attributes());
    fitted.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&fitted);
    event->accept();
}

void MultiLineEditBox::insertFromMimeData(const QMimeData* source) {
    if (column_chars_ <= 0 || source == nullptr) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    // Only the plain text goes in, and only what fits.
    QMimeData fitted;
    fitted.setText(Fitting(source->text()));
    QPlainTextEdit::insertFromMimeData(&fitted);
}

void MultiLineEditBox::SetVerticalScrollBar(bool on) {
    setVerticalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void MultiLineEditBox::UpdateStyle() {
    setStyleSheet(QStringLiteral("QPlainTextEdit { %1 color: %2; background-color: %3; }")
                      .arg(BorderCss(border_), CssColour(text_), CssColour(background_)));
}
}  // namespace kob
