#include "platform/gui/controls.h"

#include <QDate>
#include <QEnterEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextCursor>
#include <algorithm>
#include <cmath>

#include "platform/core/datetime.h"
#include "platform/core/text.h"

namespace kob {

namespace {

// Switching shrinking on keeps the control's own font to come back to.
void SwitchShrinkToFit(QWidget& control, bool on, bool& shrinking, QFont& full_font) {
    if (on && !shrinking) {
        full_font = control.font();
    } else if (!on && shrinking) {
        control.setFont(full_font);
    }
    shrinking = on;
}

}  // namespace

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QString Css(Rgb rgb) {
    return QStringLiteral("#%1").arg(rgb & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

// Windows text controls break lines at CR LF; Qt at LF.
QString FromCrLf(const std::string& text) {
    QString q = Q(text);
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

void SetPaletteColour(QWidget* widget, QPalette::ColorRole role, Rgb rgb) {
    QPalette palette = widget->palette();
    palette.setColor(role, ToQColor(rgb));
    widget->setPalette(palette);
}

}  // namespace

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

int KeyStateOf(Qt::KeyboardModifiers modifiers) {
    int state = 0;
    if (modifiers & Qt::ControlModifier) {
        state |= kKeyStateCtrl;
    }
    if (modifiers & Qt::ShiftModifier) {
        state |= kKeyStateShift;
    }
    if (modifiers & Qt::AltModifier) {
        state |= kKeyStateAlt;
    }
    return state;
}

int MouseKeyStateOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    int state = 0;
    if (buttons & Qt::LeftButton) {
        state |= kMouseLeft;
    }
    if (buttons & Qt::RightButton) {
        state |= kMouseRight;
    }
    if (buttons & Qt::MiddleButton) {
        state |= kMouseMiddle;
    }
    if (modifiers & Qt::ShiftModifier) {
        state |= kMouseShift;
    }
    if (modifiers & Qt::ControlModifier) {
        state |= kMouseCtrl;
    }
    return state;
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

// ---------------------------------------------------------- entry limits

namespace {

// Code writes the text: the validator takes it as it is.
class CodeSets {
  public:
    explicit CodeSets(EntryValidator* validator) : validator_(validator) {
        if (validator_ != nullptr) {
            validator_->code_sets = true;
        }
    }
    ~CodeSets() {
        if (validator_ != nullptr) {
            validator_->code_sets = false;
        }
    }
    CodeSets(const CodeSets&) = delete;
    CodeSets& operator=(const CodeSets&) = delete;

  private:
    EntryValidator* validator_;
};

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

bool IsAmountEntry(const QString& text) {
    int i = 0;
    const int n = static_cast<int>(text.size());
    if (i < n && text[i] == u'-') {
        ++i;
    }
    int digits = 0;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            ++digits;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits <= kAmountDigits;
}

bool IsWholeNumberEntry(const QString& text) {
    if (text.size() > kAmountDigits) {
        return false;
    }
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
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

QString FitToColumn(QString text, int chars, int* cursor) {
    if (chars <= 0) {
        return text;
    }
    int at = cursor != nullptr ? std::clamp(*cursor, 0, static_cast<int>(text.size()))
                               : static_cast<int>(text.size());
    QString kept;
    kept.reserve(text.size());
    int new_at = at;
    for (int i = 0; i < text.size();) {
        char32_t c = text[i].unicode();
        int units = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            units = 2;
        }
        if (GbkHolds(c)) {
            kept.append(QStringView(text).mid(i, units));
        } else if (i < at) {
            new_at -= std::min(units, at - i);
        }
        i += units;
    }
    // Everything kept is one unit per character now.
    if (kept.size() > chars) {
        const int excess = static_cast<int>(kept.size()) - chars;
        const int from = std::max(0, new_at - excess);
        kept.remove(from, new_at - from);
        new_at = from;
        kept.truncate(chars);
        new_at = std::min(new_at, static_cast<int>(kept.size()));
    }
    if (cursor != nullptr) {
        *cursor = new_at;
    }
    return kept;
}

QValidator::State EntryValidator::validate(QString& input, int& pos) const {
    if (code_sets) {
        return Acceptable;
    }
    if (mode == EntryMode::Amount) {
        return IsAmountEntry(input) ? Acceptable : Invalid;
    }
    if (mode == EntryMode::WholeNumber) {
        return IsWholeNumberEntry(input) ? Acceptable : Invalid;
    }
    input = FitToColumn(input, column_chars, &pos);
    return Acceptable;
}

// ---------------------------------------------------------------- EditBox

EditBox::EditBox(QWidget* parent) : QLineEdit(parent), validator_(new EntryValidator(this)) {
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
    setText(Q(text));
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

void EditBox::SetBorder(Border border) {
    border_ = border;
    UpdateStyle();
}

void EditBox::SetColours(Rgb text, Rgb background) {
    text_ = text;
    background_ = background;
    UpdateStyle();
}

void EditBox::SetAlign(Align align) {
    setAlignment(Horizontal(align) | Qt::AlignTop);
}

void EditBox::UpdateStyle() {
    QString css = QStringLiteral(
                      "QLineEdit { %1 color: %2; background-color: %3; padding: 0px 1px; "
                      "lineedit-password-character: 42; }")
                      .arg(BorderCss(border_), Css(text_), Css(background_));
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
    if (on_key_down) {
        const int key = VirtualKeyOf(event->key());
        if (key != 0) {
            on_key_down(key, KeyStateOf(event->modifiers()));
        }
    }
    QLineEdit::keyPressEvent(event);
}

void EditBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && on_left_button_down) {
        const QPoint at = event->position().toPoint();
        on_left_button_down(at.x(), at.y(), MouseKeyStateOf(event->buttons(), event->modifiers()));
    }
    QLineEdit::mousePressEvent(event);
}

// ------------------------------------------------------- MultiLineEditBox

MultiLineEditBox::MultiLineEditBox(QWidget* parent) : QPlainTextEdit(parent) {
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

void MultiLineEditBox::SetBorder(Border border) {
    border_ = border;
    UpdateStyle();
}

void MultiLineEditBox::SetColours(Rgb text, Rgb background) {
    text_ = text;
    background_ = background;
    UpdateStyle();
}

void MultiLineEditBox::SetVerticalScrollBar(bool on) {
    setVerticalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void MultiLineEditBox::UpdateStyle() {
    setStyleSheet(QStringLiteral("QPlainTextEdit { %1 color: %2; background-color: %3; }")
                      .arg(BorderCss(border_), Css(text_), Css(background_)));
}

// ------------------------------------------------------------ PushButton

PushButton::PushButton(QWidget* parent) : QPushButton(parent) {
    setFont(MakeFont({}));
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (on_clicked) {
            on_clicked();
        }
    });
}

std::string PushButton::Caption() const {
    return text().toStdString();
}

void PushButton::SetCaption(const std::string& caption) {
    setText(Q(caption));
}

// ----------------------------------------------------------- ImageButton

ImageButton::ImageButton(QWidget* parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (on_clicked) {
            on_clicked();
        }
    });
}

void ImageButton::SetFaces(const QString& normal, const QString& hover, int hover_right,
                           int hover_up) {
    normal_ = QPixmap(normal);
    hover_ = hover.isEmpty() ? QPixmap() : QPixmap(hover);
    hover_right_ = hover_right;
    hover_up_ = hover_up;
    update();
}

int ImageButton::CurrentFace() const {
    if (isDown()) {
        return kPressedFace;
    }
    return hovered_ ? kHoverFace : kNormalFace;
}

QPixmap ImageButton::CurrentPixmap() const {
    return CurrentFace() == kHoverFace && !hover_.isNull() ? hover_ : normal_;
}

QPoint ImageButton::CurrentOffset() const {
    return CurrentFace() == kHoverFace ? QPoint(hover_right_, -hover_up_) : QPoint();
}

void ImageButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawPixmap(CurrentOffset(), CurrentPixmap());
}

void ImageButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    // The hover face is drawn whole, over an overlapping neighbour's
    // background, and goes back under it on leave.
    below_ = nullptr;
    if (QWidget* parent = parentWidget()) {
        const QObjectList& siblings = parent->children();
        for (qsizetype i = siblings.indexOf(this) + 1; i < siblings.size(); ++i) {
            if (siblings[i]->isWidgetType()) {
                below_ = static_cast<QWidget*>(siblings[i]);
                break;
            }
        }
    }
    raise();
    update();
    QAbstractButton::enterEvent(event);
}

void ImageButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    if (below_ != nullptr) {
        stackUnder(below_);
        below_ = nullptr;
    }
    update();
    QAbstractButton::leaveEvent(event);
}

// ---------------------------------------------------------- ColourButton

ColourButton::ColourButton(QWidget* parent) : QWidget(parent) {
    setFont(MakeFont({}));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void ColourButton::SetCaption(const std::string& caption) {
    caption_ = Q(caption);
    update();
}

std::string ColourButton::Caption() const {
    return caption_.toStdString();
}

void ColourButton::SetColours(Rgb text, Rgb background, Rgb hover_text) {
    text_ = text;
    background_ = background;
    hover_text_ = hover_text;
    update();
}

void ColourButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(background_));
    painter.setPen(ToQColor(hovered_ ? hover_text_ : text_));
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, caption_);
}

void ColourButton::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && on_left_button_down) {
        const QPoint at = event->position().toPoint();
        on_left_button_down(at.x(), at.y(), MouseKeyStateOf(event->buttons(), event->modifiers()));
    }
}

void ColourButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QWidget::enterEvent(event);
}

void ColourButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QWidget::leaveEvent(event);
}

// -------------------------------------------------------------- CheckBox

CheckBox::CheckBox(QWidget* parent) : QCheckBox(parent) {
    setFont(MakeFont({}));
    // clicked comes from the operator only; setChecked does not raise it.
    connect(this, &QCheckBox::clicked, this, [this] {
        if (on_clicked) {
            on_clicked();
        }
    });
}

void CheckBox::SetTicked(bool ticked) {
    setChecked(ticked);
}

void CheckBox::SetCaption(const std::string& caption) {
    setText(Q(caption));
}

// -------------------------------------------------------------- ComboBox

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setFont(MakeFont({}));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);  // a drop-down edit does not complete what is typed
    connect(this, &QComboBox::activated, this, [this] {
        if (on_item_chosen) {
            on_item_chosen();
        }
    });
}

std::string ComboBox::Text() const {
    return currentText().toStdString();
}

void ComboBox::SetColumnChars(int chars) {
    if (validator_ == nullptr) {
        validator_ = new EntryValidator(this);
    }
    validator_->column_chars = chars;
    lineEdit()->setValidator(chars > 0 ? validator_ : nullptr);
}

void ComboBox::SetText(const std::string& text) {
    CodeSets code(validator_);
    const QString q = Q(text);
    const int index = findText(q, Qt::MatchExactly | Qt::MatchCaseSensitive);
    setCurrentIndex(index);
    setEditText(q);
}

void ComboBox::SetCurrentItem(int index) {
    CodeSets code(validator_);
    if (index < 0 || index >= count()) {
        setCurrentIndex(-1);
        setEditText(QString());
        return;
    }
    setCurrentIndex(index);
}

std::string ComboBox::ItemText(int index) const {
    return itemText(index).toStdString();
}

void ComboBox::AddItem(const std::string& text) {
    // Adding an item changes neither the current item nor the text (Qt would
    // make the first item of an empty list current).
    CodeSets code(validator_);
    const int index = currentIndex();
    const QString shown = currentText();
    addItem(Q(text));
    if (currentIndex() != index) {
        setCurrentIndex(index);
    }
    if (currentText() != shown) {
        setEditText(shown);
    }
}

void ComboBox::ClearItems() {
    clear();
    setEditText(QString());
}

// --------------------------------------------------------------- ListBox

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    setFont(MakeFont({}));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this, [this] {
        if (on_double_click) {
            on_double_click();
        }
    });
}

void ListBox::SetBorder(Border border) {
    ApplyFrameBorder(this, border);
}

int ListBox::AddItem(const std::string& text, int32_t value) {
    auto* item = new QListWidgetItem(Q(text));
    item->setData(Qt::UserRole, value);
    addItem(item);
    return count() - 1;
}

std::string ListBox::ItemText(int index) const {
    const QListWidgetItem* it = item(index);
    return it != nullptr ? it->text().toStdString() : std::string();
}

int32_t ListBox::ItemValue(int index) const {
    const QListWidgetItem* it = item(index);
    return it != nullptr ? it->data(Qt::UserRole).toInt() : 0;
}

// --------------------------------------------------------------- DateBox

namespace {

const QDate kOleEpoch(1899, 12, 30);

QDateTime FirstDateTime() {
    return QDateTime(QDate(100, 1, 1), QTime(0, 0), Qt::UTC);
}
QDateTime LastDateTime() {
    return QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC);
}

}  // namespace

QDateTime OleToQDateTime(double ole) {
    if (!(ole >= kMinOleDate)) {  // NaN too
        ole = kMinOleDate;
    }
    ole = std::min(ole, kMaxOleTime);
    const double whole = std::trunc(ole);
    const auto seconds = static_cast<qint64>(std::llround(std::fabs(ole - whole) * 86400.0));
    QDateTime t(kOleEpoch.addDays(static_cast<qint64>(whole)), QTime(0, 0), Qt::UTC);
    t = t.addSecs(seconds);
    return std::min(t, LastDateTime());
}

double QDateTimeToOle(const QDateTime& t) {
    const auto days = static_cast<double>(kOleEpoch.daysTo(t.date()));
    const double fraction = (t.time().msecsSinceStartOfDay() / 1000) / 86400.0;
    return days >= 0 ? days + fraction : days - fraction;
}

DateBox::DateBox(QWidget* parent) : QDateTimeEdit(parent) {
    setFont(MakeFont({}));
    // Calendar values without time-zone rules: what code writes is what shows.
    setTimeSpec(Qt::UTC);
    setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    setCalendarPopup(true);
    setDateTimeRange(FirstDateTime(), LastDateTime());
    const QDateTime now = QDateTime::currentDateTime();
    const QTime time = now.time();
    setDateTime(QDateTime(now.date(), QTime(time.hour(), time.minute(), time.second()), Qt::UTC));
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (on_value_changed) {
            on_value_changed();
        }
    });
}

double DateBox::Value() const {
    return QDateTimeToOle(dateTime());
}

void DateBox::SetValue(double ole) {
    setDateTime(OleToQDateTime(ole));
}

// -------------------------------------------------------------- GroupBox

GroupBox::GroupBox(QWidget* parent) : QGroupBox(parent) {
    setFont(MakeFont({}));
}

void GroupBox::SetCaption(const std::string& caption) {
    setTitle(Q(caption));
}

void GroupBox::SetColours(Rgb caption, Rgb background) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, ToQColor(caption));
    palette.setColor(QPalette::Text, ToQColor(caption));
    palette.setColor(QPalette::Window, ToQColor(background));
    setPalette(palette);
    setAutoFillBackground(true);
}

// ----------------------------------------------------------------- Frame

Frame::Frame(QWidget* parent) : QWidget(parent) {}

void Frame::SetFill(bool filled, Rgb colour) {
    filled_ = filled;
    fill_ = colour;
    update();
}

void Frame::SetOutline(Outline pattern, Rgb colour, int width) {
    outline_ = pattern;
    outline_colour_ = colour;
    outline_width_ = std::clamp(width, 1, 2);
    update();
}

namespace {

// One edge strip, whole or broken into dashes of 4 line widths with gaps of 2,
// filled pixel by pixel so it is exact at any size.
void FillEdge(QPainter& painter, QRect strip, bool horizontal, bool broken, const QColor& colour,
              int width) {
    if (!broken) {
        painter.fillRect(strip, colour);
        return;
    }
    const int dash = 4 * width, gap = 2 * width;
    const int length = horizontal ? strip.width() : strip.height();
    for (int at = 0; at < length; at += dash + gap) {
        const int n = std::min(dash, length - at);
        if (horizontal) {
            painter.fillRect(QRect(strip.left() + at, strip.top(), n, strip.height()), colour);
        } else {
            painter.fillRect(QRect(strip.left(), strip.top() + at, strip.width(), n), colour);
        }
    }
}

}  // namespace

void Frame::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (filled_) {
        painter.fillRect(rect(), ToQColor(fill_));
    }
    if (outline_ == Outline::None) {
        return;
    }
    const QColor colour = ToQColor(outline_colour_);
    const bool broken = outline_ == Outline::Broken;
    const int w = outline_width_;
    const int width = this->width(), height = this->height();
    // A frame no higher than its outline is a separator line.
    if (height <= w) {
        FillEdge(painter, QRect(0, 0, width, height), true, broken, colour, w);
        return;
    }
    if (width <= w) {
        FillEdge(painter, QRect(0, 0, width, height), false, broken, colour, w);
        return;
    }
    FillEdge(painter, QRect(0, 0, width, w), true, broken, colour, w);
    FillEdge(painter, QRect(0, height - w, width, w), true, broken, colour, w);
    FillEdge(painter, QRect(0, w, w, height - 2 * w), false, broken, colour, w);
    FillEdge(painter, QRect(width - w, w, w, height - 2 * w), false, broken, colour, w);
}

// ----------------------------------------------------------------- Label

Label::Label(QWidget* parent, bool transparent) : QLabel(parent), transparent_(transparent) {
    setFont(MakeFont({}));
    setTextFormat(Qt::PlainText);
    // Static text: clicks go to whatever lies below.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(!transparent_);
    SetAlign(Align::Left);
}

std::string Label::Caption() const {
    return ToCrLf(text());
}

void Label::SetCaption(const std::string& caption) {
    setText(FromCrLf(caption));
    Fit();
}

void Label::SetShrinkToFit(bool on) {
    SwitchShrinkToFit(*this, on, shrink_to_fit_, full_font_);
    Fit();
}

void Label::Fit() {
    if (shrink_to_fit_) {
        setFont(FittingFont(full_font_, text(), contentsRect().width() - 2 * margin()));
    }
}

void Label::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Fit();
}

void Label::SetColours(Rgb text, Rgb background) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, ToQColor(text));
    palette.setColor(QPalette::Window, ToQColor(background));
    setPalette(palette);
    setAutoFillBackground(!transparent_);
}

void Label::SetTextColour(Rgb text) {
    SetPaletteColour(this, QPalette::WindowText, text);
}

void Label::SetAlign(Align align) {
    setAlignment(Horizontal(align) | Qt::AlignTop);
}

// ------------------------------------------------------------- PageStack

namespace {
constexpr int kTabHeight = 32;  // within the 34 pixels the strip may take
}

PageStack::PageStack(QWidget* parent, const std::vector<std::string>& captions, FontSpec tab_font)
    : QWidget(parent), tabs_(new QTabBar(this)) {
    setFont(MakeFont({}));
    for (size_t i = 0; i < captions.size(); ++i) {
        auto* page = new QWidget(this);
        page->setAutoFillBackground(true);
        QPalette palette = page->palette();
        palette.setColor(QPalette::Window, Qt::white);
        page->setPalette(palette);
        pages_.push_back(page);
    }
    tabs_->setFont(MakeFont(tab_font));
    tabs_->setDrawBase(false);
    tabs_->setExpanding(false);
    tabs_->setUsesScrollButtons(false);
    tabs_->setFocusPolicy(Qt::ClickFocus);  // not a tab stop; keys work once clicked
    tabs_->setStyleSheet(
        QStringLiteral(
            "QTabBar::tab { height: %1px; padding: 0px 10px; color: #000000; background: #F0F0F0;"
            " border: 1px solid #ACACAC; border-bottom: none; margin-right: -1px; }"
            "QTabBar::tab:selected { background: #FFFFFF; }")
            .arg(kTabHeight - 1));
    for (const auto& caption : captions) {
        tabs_->addTab(QString::fromStdString(caption));
    }
    tabs_->raise();
    ShowOnly(tabs_->currentIndex());
    connect(tabs_, &QTabBar::currentChanged, this, [this](int page) {
        ShowOnly(page);
        if (!setting_ && on_page_changed) {
            on_page_changed();
        }
    });
    Arrange();
}

int PageStack::CurrentPage() const {
    return tabs_->currentIndex();
}

void PageStack::SetCurrentPage(int page) {
    if (page < 0 || page >= PageCount()) {
        return;
    }
    const bool was_setting = setting_;
    setting_ = true;
    tabs_->setCurrentIndex(page);
    setting_ = was_setting;
    ShowOnly(page);
}

void PageStack::ShowOnly(int page) {
    for (int i = 0; i < PageCount(); ++i) {
        pages_[static_cast<size_t>(i)]->setVisible(i == page);
    }
}

void PageStack::Arrange() {
    for (QWidget* page : pages_) {
        page->setGeometry(rect());
    }
    const QSize hint = tabs_->sizeHint();
    tabs_->setGeometry(0, 0, std::min(hint.width(), width()), std::min(hint.height(), 34));
}

void PageStack::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Arrange();
}

// ------------------------------------------------------------ PictureBox

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (frames_.empty()) {
            return;
        }
        frame_ = (frame_ + 1) % static_cast<int>(frames_.size());
        setPixmap(frames_[static_cast<size_t>(frame_)]);
    });
}

void PictureBox::SetScaledPicture(const QString& resource) {
    timer_.stop();
    frames_.clear();
    frame_ = 0;
    setScaledContents(true);
    setPixmap(QPixmap(resource));
}

void PictureBox::SetAnimation(const QString& strip_resource, int frame_height, int frame_ms) {
    timer_.stop();
    frames_.clear();
    frame_ = 0;
    const QPixmap strip(strip_resource);
    if (frame_height > 0) {
        for (int y = 0; y + frame_height <= strip.height(); y += frame_height) {
            frames_.push_back(strip.copy(0, y, strip.width(), frame_height));
        }
    }
    setScaledContents(false);
    setPixmap(frames_.empty() ? QPixmap() : frames_.front());
    timer_.setInterval(std::max(frame_ms, 1));
    if (isVisible() && frames_.size() > 1) {
        timer_.start();
    }
}

void PictureBox::showEvent(QShowEvent* event) {
    QLabel::showEvent(event);
    if (frames_.size() > 1) {
        timer_.start();
    }
}

void PictureBox::hideEvent(QHideEvent* event) {
    QLabel::hideEvent(event);
    timer_.stop();
}

// ----------------------------------------------------------------- Timer

Timer::Timer(QObject* parent) : QTimer(parent) {
    connect(this, &QTimer::timeout, this, [this] {
        if (on_tick) {
            on_tick();
        }
    });
}

}  // namespace kob
