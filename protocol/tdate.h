#pragma once

#include <QDate>
#include <QDateTime>

namespace zerda {

// Dates travel as day numbers: whole days since 1899-12-30, the time of day as the fraction.
using TDate = double;

QDate dayNumberEpoch();
TDate dayNumberFromDate(const QDate& date);
TDate dayNumberFromDateTime(const QDateTime& dateTime);
QDate dateFromDayNumber(TDate day);
QDateTime dateTimeFromDayNumber(TDate day);

}  // namespace zerda
