#include "platform/gui/date_box.h"

#include <QDate>
#include <QTime>
#include <algorithm>
#include <cmath>

#include "platform/core/datetime.h"

namespace kob {

namespace {

const QDate kOleEpoch(1899, 12, 30);

QDateTime FirstDateTime() {
    return QDateTime(QDate(100, 1, 1), QTime(0, 0), Qt::UTC);
}
QDateTime LastDateTime() {
    return QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC);
}

}  // namespace

QDateTime OleToQDateTime(double ole) {
    if (!(ole >= kMinOleDate)) {  // NaN too
        ole = kMinOleDate;
    }
    ole = std::min(ole, kMaxOleTime);
    const double whole = std::trunc(ole);
    const auto seconds = static_cast<qint64>(std::llround(std::fabs(ole - whole) * 86400.0));
    QDateTime t(kOleEpoch.addDays(static_cast<qint64>(whole)), QTime(0, 0), Qt::UTC);
    t = t.addSecs(seconds);
    return std::min(t, LastDateTime());
}

double QDateTimeToOle(const QDateTime& t) {
    const auto days = static_cast<double>(kOleEpoch.daysTo(t.date()));
    const double fraction = (t.time().msecsSinceStartOfDay() / 1000) / 86400.0;
    return days >= 0 ? days + fraction : days - fraction;
}

DateBox::DateBox(QWidget* parent) : QDateTimeEdit(parent) {
    setFont(MakeFont({}));
    // Calendar values without time-zone rules: what code writes is what shows.
    setTimeSpec(Qt::UTC);
    setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    setCalendarPopup(true);
    setDateTimeRange(FirstDateTime(), LastDateTime());
    const QDateTime now = QDateTime::currentDateTime();
    const QTime time = now.time();
    setDateTime(QDateTime(now.date(), QTime(time.hour(), time.minute(), time.second()), Qt::UTC));
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (on_value_changed) {
            on_value_changed();
        }
    });
}

double DateBox::Value() const {
    return QDateTimeToOle(dateTime());
}

void DateBox::SetValue(double ole) {
    setDateTime(OleToQDateTime(ole));
}
}  // namespace kob
