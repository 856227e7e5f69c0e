#pragma once
// The balloon tip.
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <string>

namespace kob {

// The one balloon-tip window, shown at a screen point with a text: a rounded
// yellowish balloon whose tail tip is at that point (the balloon above it,
// or below when there is no room above). Shown without taking the focus; it
// hides by itself after kVisibleMs. A new ShowAt replaces text and place.
class BalloonTip : public QWidget {
    Q_OBJECT
  public:
    explicit BalloonTip(QWidget* owner);
    // Shows text (CR LF breaks lines) pointing at screen point at.
    void ShowAt(const std::string& text, QPoint at);
    std::string Text() const;
    QPoint ShownAt() const { return at_; }
    // The screen point the drawn tail ends at.
    QPoint TailTip() const { return pos() + tip_; }
    bool Shown() const { return isVisible(); }
    // Milliseconds until it hides by itself; -1 when not counting down.
    int RemainingMs() const { return hide_timer_.isActive() ? hide_timer_.remainingTime() : -1; }
    // How long it stays, in ms.
    static constexpr int kVisibleMs = 4000;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
    QPoint at_;
    QPoint tip_;  // tail tip in the window
    QRect body_;  // the rounded body in the window
    bool tail_down_ = true;
    QTimer hide_timer_;
};

}  // namespace kob
