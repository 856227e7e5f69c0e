#include "platform/gui/label.h"

#include <QPalette>
#include <QResizeEvent>

namespace kob {

namespace {

void SetPaletteColour(QWidget* widget, QPalette::ColorRole role, Rgb rgb) {
    QPalette palette = widget->palette();
    palette.setColor(role, ToQColor(rgb));
    widget->setPalette(palette);
}

}  // namespace

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
}  // namespace kob
