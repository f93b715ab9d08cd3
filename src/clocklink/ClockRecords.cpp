#include "clocklink/ClockRecords.h"
#include "clocklink/FixedText.h"
#include "common/Ansi.h"

namespace durvek {

namespace {

constexpr int kShortBandWidth = 7;
constexpr int kLongBandWidth = 10;

// Characters first..last, 1-based and inclusive, as the record layouts count.
QString chars(const QString& text, int first, int last)
{
    return text.mid(first - 1, last - first + 1);
}

QString sexOf(const QString& text)
{
    return text.trimmed() == QStringLiteral("F") ? QStringLiteral("F") : QStringLiteral(" ");
}

QString readSex(const QString& character)
{
    // A record too short to reach the sex character says nothing: not "F".
    return character.isEmpty() || character == QStringLiteral(" ") ? QStringLiteral(" ") : QStringLiteral("F");
}

QString blockText(const uint8_t* block, int offset, int width)
{
    return fromAnsi(block + offset, width);
}

} // namespace

QByteArray encodeFancierBlock(const FancierBlock& f)
{
    QByteArray block;
    block.reserve(kFancierBlockSize);
    block += ansiLeftZeros(f.licence, 8);
    block += ansiLeftSpaces(f.name, 25);
    block += ansiLeftSpaces(f.address, 25);
    block += ansiLeftSpaces(f.zip, 6);
    block += ansiLeftSpaces(f.city, 20);
    block += ansiLeftSpaces(f.kxt, 8);
    block += ansiLeftSpaces(f.kyt, 8);
    return block;
}

FancierBlock decodeFancierBlock(const uint8_t* block)
{
    FancierBlock f;
    f.licence = blockText(block, 0, 8);
    f.name = blockText(block, 8, 25);
    f.address = blockText(block, 33, 25);
    f.zip = blockText(block, 58, 6);
    f.city = blockText(block, 64, 20);
    f.kxt = blockText(block, 84, 8);
    f.kyt = blockText(block, 92, 8);
    return f;
}

QByteArray encodeRaceBlock(const QStringList& abbreviations)
{
    QByteArray block;
    block.reserve(kRaceBlockSize);
    for (int i = 0; i < kRaceBlockRaces; ++i)
        block += ansiLeftSpaces(i < abbreviations.size() ? abbreviations[i] : QString(), 4);
    return block;
}

QByteArray encodeRecordZero() { return QByteArrayLiteral("999999"); }

QByteArray encodePigeonRecord(PigeonRecordLayout layout, const PigeonRecord& p)
{
    const bool isLong = layout == PigeonRecordLayout::Long;
    QByteArray record;
    record += ansiLeftZeros(p.elcode, 8);
    record += ansiLeftSpaces(p.country, 3);
    record += ansiLeftZeros(p.year, 2);
    record += '-';
    record += ansiRightSpaces(p.band, isLong ? kLongBandWidth : kShortBandWidth);
    record += toAnsi(sexOf(p.sex));
    if (isLong)
        record += ansiLeftSpaces(p.color, 4);
    return record;
}

QString ReadPigeon::fullBand() const { return country + year + QStringLiteral("-") + band + sex; }

ReadPigeon decodeSingleBlockRecord(const QString& recordText)
{
    const QString text = leftSpaces(recordText, 22);
    ReadPigeon p;
    p.elcode = chars(text, 1, 8);
    p.country = chars(text, 9, 11);
    p.year = chars(text, 12, 13);
    // The single-block clock keeps 7 band characters; the database holds 8.
    p.clockBand = chars(text, 15, 21);
    p.band = QStringLiteral("0") + p.clockBand;
    p.sex = readSex(chars(text, 22, 22));
    return p;
}

ReadPigeon decodeMultiBlockRecord(const QString& recordText, uint8_t fancierBlock)
{
    ReadPigeon p;
    p.elcode = chars(recordText, 1, 8);
    p.country = chars(recordText, 9, 11);
    p.year = chars(recordText, 12, 13);
    p.sex = readSex(chars(recordText, 22, 22));
    p.band = chars(recordText, 52, 61);
    p.clockBand = p.band;
    p.color = rightSpaces(chars(recordText, 62, 65), 4);
    p.clockHoldsColour = true;
    p.fancierBlock = fancierBlock;
    return p;
}

} // namespace durvek
