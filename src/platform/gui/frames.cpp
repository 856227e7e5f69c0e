#include "platform/gui/frames.h"

#include <QPainter>
#include <algorithm>

namespace kob {

// -------------------------------------------------------------- GroupBox

GroupBox::GroupBox(QWidget* parent) : QGroupBox(parent) {
    setFont(MakeFont({}));
}

void GroupBox::SetCaption(const std::string& caption) {
    setTitle(QString::fromStdString(caption));
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
}  // namespace kob
