#pragma once
#include "languages/ClockText.h"
#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace durvek {

// The texts of table language for the clock ("other"), in id order.
// Throws DatabaseError when the engine refuses.
QList<ClockText> clockTexts(const QSqlDatabase& db);

// The texts of table language for the firmware table ("spaans"), trimmed of
// spaces, in id order; a null text reads as "".
// Throws DatabaseError when the engine refuses.
QList<ClockText> firmwareTexts(const QSqlDatabase& db);

} // namespace durvek
