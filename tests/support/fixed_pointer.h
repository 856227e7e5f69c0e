#pragma once
// A mouse pointer for tests: it stays where the test puts it.
#include <QPoint>

#include "platform/gui/services.h"

namespace kob {

class FixedPointer : public Pointer {
  public:
    explicit FixedPointer(QPoint at = {500, 400}) : at_(at) {}
    QPoint Position() override { return at_; }
    void MoveTo(QPoint at) { at_ = at; }

  private:
    QPoint at_;
};

}  // namespace kob
