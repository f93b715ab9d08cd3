#pragma once
#include "clocklink/ClockModel.h"
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace durvek {

// The data blocks and records a clock stores, as plain values. The jobs fill
// them from the club database and store what they decode.

// The fancier block: 100 bytes, fields at fixed offsets.
struct FancierBlock {
    QString licence;  // 8, left, zeros
    QString name;     // 25
    QString address;  // 25
    QString zip;      // 6
    QString city;     // 20
    QString kxt;      // 8, loft coordinates as text
    QString kyt;      // 8
};
constexpr int kFancierBlockSize = 100;
constexpr int kRaceBlockSize = 100;
constexpr int kRaceBlockRaces = 25;

QByteArray encodeFancierBlock(const FancierBlock& fancier);
// The fields exactly as the clock holds them (fixed widths, untrimmed); the
// job cleans them (control characters, filling) before it stores them.
// block points at the 100 bytes (reply byte 5 on).
FancierBlock decodeFancierBlock(const uint8_t* block);

// The race abbreviations, 4 characters each. Fewer than 25 races leave the
// missing ones as spaces; races past the 25th are not sent.
QByteArray encodeRaceBlock(const QStringList& abbreviations);

// Record 0, written before the pigeon records: "999999".
QByteArray encodeRecordZero();
constexpr int kRecordZeroFrameLength = 8;

// One pigeon as the clock takes it.
struct PigeonRecord {
    QString elcode;   // 8, left, zeros
    QString country;  // 3
    QString year;     // 2, left, zeros
    QString band;     // right-aligned: 7 short, 10 long
    QString sex;      // "F" or anything else
    QString color;    // long records only, 4
};

QByteArray encodePigeonRecord(PigeonRecordLayout layout, const PigeonRecord& pigeon);

// One pigeon as a read stores it.
struct ReadPigeon {
    QString elcode;
    QString country;
    QString year;
    QString band;
    QString sex;          // " " or "F"
    QString color;        // multi-block read only, right-aligned to 4
    int fancierBlock = 0; // multi-block read: the block the pigeon belongs to
    QString clockBand;    // the band characters as the clock keeps them: 7 or 10, right-aligned
    bool clockHoldsColour = false;

    // The federation band as one text: country, year, "-", band and sex.
    QString fullBand() const;
};

// recordText: the characters of reply bytes 7..N+6.
ReadPigeon decodeSingleBlockRecord(const QString& recordText);
ReadPigeon decodeMultiBlockRecord(const QString& recordText, uint8_t fancierBlock);

} // namespace durvek
