#pragma once
#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

namespace durvek {

// A clock's six-digit date DDMMYY as dd-mm-yy; anything that is not six
// digits (a blank or never-set field) as it is.
QString readableClockDate(const QString& ddmmyy);

// A clock's six-digit time HHMMSS as hh:mm:ss; anything else as it is.
QString readableClockTime(const QString& hhmmss);

// The day of a clock's DDMMYY field (the years 2000 to 2099); none when it
// is no day, as the zeros of an entry the clock never timed.
std::optional<QDate> clockDay(const QString& ddmmyy);

// The time of a clock's HHMMSS field; none when it is no time of day.
std::optional<QTime> clockTime(const QString& hhmmss);

} // namespace durvek
