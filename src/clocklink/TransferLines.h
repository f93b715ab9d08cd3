#pragma once
#include "common/StrictNumber.h"
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>

namespace durvek {

// The text lines of the club data transfer, both ways. Lines to the clock
// end with a carriage return; most carry one more byte, the line checksum.
// Everything here is pure: values in, texts out.

// Sum of the line's bytes (its carriage return included) modulo 256.
uint8_t transferLineChecksum(const QByteArray& lineWithCr);

// text as ANSI bytes, a carriage return and the checksum byte.
QByteArray checksummedLine(const QString& text);
// text as ANSI bytes and a carriage return (the pigeon count goes like this).
QByteArray plainLine(const QString& text);

// Licence filled with "0" on the right to 12, then the name in 20.
QString fancierHeaderText(const QString& licence, const QString& name);
// Twelve "0", then the combine name, in 32 characters.
QString combineHeaderText(const QString& combineName);
// Each member's name in 20 characters, in member order.
QString memberNamesText(const QStringList& names);
// Three digits; a list of 1,000 pigeons or more gives its last three.
QString pigeonCountText(int count);

// One pigeon as the clock takes it.
struct PigeonForClock {
    QVariant country;
    QVariant year;
    QVariant band;
    QVariant sex;
    QVariant elcode;
    int memberDigit = 0;  // 1..3: which combine member owns it; 0 outside a combine
};

// Country 2, member digit 1, "000", year 2, band 7, sex 1, then the chip code.
// femaleLetterText is the catalogue text whose first letter marks a pigeon
// that is neither blank nor 1 in the sex field.
QString pigeonLineText(const PigeonForClock& pigeon, const QString& femaleLetterText);

QString badgeCountText(int count);
QString badgeText(const QVariant& badge);

// What the clock sends back.
struct ReceivedFancierHeader {
    QString licence;  // the number in the first 12 characters, as text
    QString name;     // characters 13 to 32, trailing blanks removed
    QString error;    // why the licence is not a number; empty when it is
};
ReceivedFancierHeader parseFancierHeader(const QByteArray& answer);

// The number in the first three characters, 0 to 999.
StrictNumber parsePigeonCount(const QByteArray& answer);

// A received pigeon with the defaults the club database gets for blanks.
struct ReceivedPigeon {
    QString country;  // "XX" when blank
    QString year;     // "00" when blank
    QString band;     // "00000000000" when blank
    QString sex;      // " " when blank
    QString elcode;   // first 8 characters of the chip code; may be empty
};
ReceivedPigeon parsePigeonLine(const QByteArray& answer);

} // namespace durvek
