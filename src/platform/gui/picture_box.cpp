#include "platform/gui/picture_box.h"

#include <algorithm>

namespace kob {

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
}  // namespace kob
