#pragma once
// Containers: the group box and the frame (a frame 1 pixel high is a
// separator line).
#include <QGroupBox>
#include <QWidget>
#include <string>

#include "platform/gui/control.h"

namespace kob {

class GroupBox : public QGroupBox {
    Q_OBJECT
  public:
    explicit GroupBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    void SetCaption(const std::string& caption);
    void SetColours(Rgb caption, Rgb background);
};

enum class Outline { None, Solid, Broken };

// A container rectangle: optional fill, outline colour, width and pattern
// (broken is dashed). A frame 1 pixel high is a separator line.
class Frame : public QWidget {
    Q_OBJECT
  public:
    explicit Frame(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    void SetFill(bool filled, Rgb colour = 0xFFFFFF);
    void SetOutline(Outline pattern, Rgb colour = 0, int width = 1);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool filled_ = false;
    Rgb fill_ = 0xFFFFFF;
    Outline outline_ = Outline::None;
    Rgb outline_colour_ = 0;
    int outline_width_ = 1;
};

}  // namespace kob
