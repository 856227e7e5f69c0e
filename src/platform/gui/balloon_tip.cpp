#include "platform/gui/balloon_tip.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include "platform/gui/control.h"

namespace kob {

namespace {
constexpr int kPadding = 8;      // text to the body's edge
constexpr int kRadius = 7;       // body corners
constexpr int kTailHeight = 14;  // body edge to tail tip
constexpr int kTailBase = 14;    // width of the tail where it leaves the body
constexpr int kTailInset = 18;   // body's side edge to the tail tip
constexpr int kMaxTextWidth = 400;
const QColor kFill(0xFF, 0xFF, 0xE1);
const QColor kOutline(0x76, 0x76, 0x76);

QPainterPath BalloonPath(QRectF body, QPointF tip, bool tail_down) {
    QPainterPath path;
    path.addRoundedRect(body, kRadius, kRadius);
    QPolygonF tail;
    const double edge = tail_down ? body.bottom() : body.top();
    // The tail leaves the body on the side away from the nearer body edge.
    const bool leans_right = tip.x() < body.center().x();
    const double near_x = tip.x(), far_x = leans_right ? tip.x() + kTailBase : tip.x() - kTailBase;
    tail << QPointF(near_x, edge + (tail_down ? -1 : 1)) << tip
         << QPointF(far_x, edge + (tail_down ? -1 : 1));
    QPainterPath tail_path;
    tail_path.addPolygon(tail);
    tail_path.closeSubpath();
    return path.united(tail_path);
}
}  // namespace

BalloonTip::BalloonTip(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFont(MakeFont({}));
    hide_timer_.setSingleShot(true);
    hide_timer_.setTimerType(Qt::PreciseTimer);
    hide_timer_.setInterval(kVisibleMs);
    connect(&hide_timer_, &QTimer::timeout, this, [this] { hide(); });
}

std::string BalloonTip::Text() const {
    QString text = text_;
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text.toStdString();
}

void BalloonTip::ShowAt(const std::string& text, QPoint at) {
    text_ = QString::fromStdString(text);
    text_.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    at_ = at;

    const QFontMetrics metrics(font());
    const QRect text_rect = metrics.boundingRect(QRect(0, 0, kMaxTextWidth, 10000),
                                                 Qt::AlignLeft | Qt::TextWordWrap, text_);
    const int body_w = std::max(text_rect.width() + 2 * kPadding + 4, 2 * kTailInset + kTailBase);
    const int body_h = text_rect.height() + 2 * kPadding;

    // Above the point with the tail down, unless that leaves the screen; the
    // tail near the left edge, unless the balloon would run off the right.
    QScreen* screen = QGuiApplication::screenAt(at);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(at, QSize(1, 1));
    tail_down_ = at.y() - kTailHeight - body_h >= area.top();
    const bool tail_left = at.x() - kTailInset + body_w <= area.right() + 1;
    const int tip_x = tail_left ? kTailInset : body_w - kTailInset;
    body_ = QRect(0, tail_down_ ? 0 : kTailHeight, body_w, body_h);
    tip_ = QPoint(tip_x, tail_down_ ? body_h + kTailHeight - 1 : 0);

    resize(body_w, body_h + kTailHeight);
    move(at - tip_);
    const QPainterPath path = BalloonPath(QRectF(body_).adjusted(0.5, 0.5, -0.5, -0.5),
                                          QPointF(tip_) + QPointF(0.5, 0.5), tail_down_);
    setMask(QRegion(path.toFillPolygon().toPolygon()).united(QRegion(tip_.x(), tip_.y(), 1, 1)));
    show();
    raise();
    update();
    hide_timer_.start();
}

void BalloonTip::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath path = BalloonPath(QRectF(body_).adjusted(0.5, 0.5, -0.5, -0.5),
                                          QPointF(tip_) + QPointF(0.5, 0.5), tail_down_);
    painter.fillPath(path, kFill);
    painter.setPen(QPen(kOutline, 1));
    painter.drawPath(path);
    painter.setPen(Qt::black);
    painter.setFont(font());
    painter.drawText(body_.adjusted(kPadding, kPadding, -kPadding, -kPadding),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text_);
}

}  // namespace kob
