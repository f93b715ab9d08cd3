#pragma once
#include "clocklink/ClockRecords.h"
#include <QString>
#include <QVariant>
#include <cstdint>

namespace durvek {

// A clock keeps less of a pigeon than the club database: 7 band characters
// on the short record (10 on the long one), a colour only on the long one,
// never the Security. When a read replaces a fancier's list, a pigeon of the
// clock that is one the fancier had keeps what the clock does not hold.

// The values of one pigeons row a read adds.
struct PigeonRow {
    QString elcode;
    QString country;
    QString year;
    QString band;
    QString sex;
    QVariant color;
    QVariant security;
    QString volring;
};

// A pigeon read as it is stored when the fancier did not have it: the
// clock's texts without their filling blanks.
PigeonRow rowFromClock(const ReadPigeon& pigeon);

// A pigeon of a fancier whose list a read replaces, as stored.
struct KnownPigeon {
    int32_t fancierId = 0;
    PigeonRow row;
};

// The stored pigeon is the one the clock gave when an update would have
// written it as the clock's record holds it: the same chip code, country
// and year, and the band as the clock keeps it.
bool isTheSamePigeon(const KnownPigeon& known, int32_t fancierId, const ReadPigeon& read);

// The stored pigeon with what the clock holds of it: its sex, and its colour
// on a clock that keeps one.
PigeonRow keptRow(const KnownPigeon& known, const ReadPigeon& read);

} // namespace durvek
