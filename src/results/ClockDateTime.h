#pragma once
#include <QString>

namespace durvek {

// A clock's six-digit date DDMMYY as dd-mm-yy; anything that is not six
// digits (a blank or never-set field) as it is.
QString readableClockDate(const QString& ddmmyy);

// A clock's six-digit time HHMMSS as hh:mm:ss; anything else as it is.
QString readableClockTime(const QString& hhmmss);

} // namespace durvek
