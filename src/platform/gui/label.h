#pragma once
// The label, with or without a background.
#include <QFont>
#include <QLabel>
#include <string>

#include "platform/gui/control.h"

namespace kob {

// Label (with background) and transparent label (without): plain text,
// CR LF breaks lines, clicks pass through to what lies below.
class Label : public QLabel {
    Q_OBJECT
  public:
    explicit Label(QWidget* parent = nullptr, bool transparent = false);
    KOB_CONTROL_COMMON
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    void SetColours(Rgb text, Rgb background);
    void SetTextColour(Rgb text);
    void SetAlign(Align align);
    void SetWrap(bool wrap) { setWordWrap(wrap); }
    // As EditBox::SetShrinkToFit: every line of the caption shows whole.
    void SetShrinkToFit(bool on);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Fit();
    bool transparent_;
    bool shrink_to_fit_ = false;
    QFont full_font_;
};

}  // namespace kob
