#pragma once
// The picture box: a scaled picture or the animated spinner.
#include <QLabel>
#include <QPixmap>
#include <QString>
#include <QTimer>
#include <vector>

#include "platform/gui/control.h"

namespace kob {

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

}  // namespace kob
