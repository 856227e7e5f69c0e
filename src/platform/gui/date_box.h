#pragma once
// The date box and its conversions between OLE dates and QDateTime.
#include <QDateTime>
#include <QDateTimeEdit>
#include <functional>

#include "platform/gui/control.h"

namespace kob {

// Holds a full date-time (seconds included) as an OLE automation date (days
// since 1899-12-30, local time; the time of day is the fraction, counted
// forward from the start of the day also for days before 1899-12-30), shown
// as "yyyy-MM-dd HH:mm:ss" with a drop-down calendar. Starts at the current
// date and time. on_value_changed on every change of the value, by the
// operator or by SetValue (not when SetValue writes the value it holds).
class DateBox : public QDateTimeEdit {
    Q_OBJECT
  public:
    explicit DateBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    double Value() const;
    // Rounded to the second; clamped to 100-01-01 .. 9999-12-31 23:59:59.
    void SetValue(double ole);
    std::function<void()> on_value_changed;
};

// The conversions DateBox uses (whole seconds, rounded to the nearest).
QDateTime OleToQDateTime(double ole);
double QDateTimeToOle(const QDateTime& t);

}  // namespace kob
