#include "platform/gui/buttons.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kob {

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
    setText(QString::fromStdString(caption));
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
    caption_ = QString::fromStdString(caption);
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
    ReportLeftButtonDown(*event, on_left_button_down);
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
    setText(QString::fromStdString(caption));
}
}  // namespace kob
