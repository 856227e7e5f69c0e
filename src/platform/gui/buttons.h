#pragma once
// Buttons: push button, image button, colour button and check box.
#include <QAbstractButton>
#include <QCheckBox>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <functional>
#include <string>

#include "platform/gui/control.h"

namespace kob {

class PushButton : public QPushButton {
    Q_OBJECT
  public:
    explicit PushButton(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    std::function<void()> on_clicked;
};

// Drawn only by its faces, at their own size from the top-left corner; hand
// pointer, no caption, no disabled face, not a tab stop. While the pointer is
// over it the hover face is drawn moved hover_right pixels right and hover_up
// pixels up (the hover face is the normal face when no hover picture is
// given), on top of its siblings; while the left button holds it down the
// normal face is drawn in place. on_clicked on a release inside.
class ImageButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit ImageButton(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    // Resource paths (or file names).
    void SetFaces(const QString& normal, const QString& hover = {}, int hover_right = 0,
                  int hover_up = 0);
    enum Face { kNormalFace = 0, kHoverFace = 1, kPressedFace = 2 };
    // Which face is drawn now; the pressed face is the normal face.
    int CurrentFace() const;
    QPixmap CurrentPixmap() const;
    // Where CurrentPixmap() is drawn, in the button's coordinates.
    QPoint CurrentOffset() const;
    std::function<void()> on_clicked;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QPixmap normal_, hover_;
    int hover_right_ = 0, hover_up_ = 0;
    bool hovered_ = false;
    QPointer<QWidget> below_;  // the sibling it was under before the hover
};

// Caption centred on a background, no border, hand pointer, not a tab stop;
// the caption takes hover_text while the pointer is over it. Acts when the
// left button goes down: on_left_button_down(x, y, mouse key state).
class ColourButton : public QWidget {
    Q_OBJECT
  public:
    explicit ColourButton(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    void SetCaption(const std::string& caption);
    std::string Caption() const;
    void SetColours(Rgb text, Rgb background, Rgb hover_text);
    bool Hovered() const { return hovered_; }
    std::function<void(int x, int y, int key_state)> on_left_button_down;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QString caption_;
    Rgb text_ = 0, background_ = 0xFFFFFF, hover_text_ = 0;
    bool hovered_ = false;
};

// on_clicked comes from the operator only; SetTicked raises nothing.
class CheckBox : public QCheckBox {
    Q_OBJECT
  public:
    explicit CheckBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    bool Ticked() const { return isChecked(); }
    void SetTicked(bool ticked);
    void SetCaption(const std::string& caption);
    std::function<void()> on_clicked;
};

}  // namespace kob
