#pragma once
#include "clocklink/ClockJobStore.h"
#include "clocklink/ClockRecords.h"
#include <QSqlDatabase>
#include <cstdint>

namespace durvek {

// The licence a read looks the clock's fancier up by: control characters
// removed, filled with "0" to 8 characters.
QString licenceFromClock(const FancierBlock& block);

// The fanciers row a read makes of a block whose licence no fancier has.
ClockFancierRow fancierRowFromClock(const FancierBlock& block);

// The fancier the block belongs to: the first with its licence, left as it
// is, or else a new row made from the block.
int32_t findOrAddClockFancier(const QSqlDatabase& db, const FancierBlock& block, CoordinateFields coordinates);

} // namespace durvek
