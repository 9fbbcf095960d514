#include "tdate.h"

#include <cmath>

namespace zerda {

namespace {
constexpr qint64 kMsecsPerDay = 24LL * 60 * 60 * 1000;
}

QDate dayNumberEpoch() {
    return QDate(1899, 12, 30);
}

TDate dayNumberFromDate(const QDate& date) {
    return date.isValid() ? static_cast<double>(dayNumberEpoch().daysTo(date)) : 0.0;
}

TDate dayNumberFromDateTime(const QDateTime& dateTime) {
    const double whole = dayNumberFromDate(dateTime.date());
    const double fraction = dateTime.time().msecsSinceStartOfDay() / double(kMsecsPerDay);
    // Before the epoch the fraction still counts forward within the day.
    return whole >= 0 ? whole + fraction : whole - fraction;
}

QDate dateFromDayNumber(TDate day) {
    return dayNumberEpoch().addDays(static_cast<qint64>(std::trunc(day)));
}

QDateTime dateTimeFromDayNumber(TDate day) {
    const double whole = std::trunc(day);
    const qint64 msecs = std::llround(std::fabs(day - whole) * kMsecsPerDay);
    return QDateTime(dateFromDayNumber(day),
                     QTime(0, 0).addMSecs(std::min(msecs, kMsecsPerDay - 1)));
}

}  // namespace zerda
