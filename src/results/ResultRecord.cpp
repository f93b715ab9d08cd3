#include "results/ResultRecord.h"
#include "clocklink/FixedText.h"

namespace durvek {

namespace {

QString piece(const QString& s, int start1, int width) { return s.mid(start1 - 1, width); }

} // namespace

ResultRecord ResultRecord::fromPigeonText(const QString& pigeonText)
{
    const QString s = leftSpaces(pigeonText, kPigeonTextWidth);
    ResultRecord r;
    r.elcode = piece(s, 1, 8);
    r.band = leftSpaces(piece(s, 9, 13), 14);
    r.flightCode = piece(s, 23, 4);
    r.flightCode2 = piece(s, 27, 4);
    // Characters 31-38 carry four 16-bit values whose meaning the clock keeps
    // to itself. Two decimal characters of them would be a cut-off number that
    // could only mislead, and nothing reads these fields, so they are left
    // blank (spaces), which keeps the file's layout.
    r.num1 = QStringLiteral("  ");
    r.num2 = QStringLiteral("  ");
    r.sex = s.at(21) == u' ' ? QStringLiteral(" ") : QStringLiteral("V");
    r.arrivalDate = piece(s, 39, 6);
    r.arrivalTime = piece(s, 45, 6);
    r.status = piece(s, 51, 1);
    // Year, month and day turned round, then the time: the two-digit year
    // leads, so 99 sorts after 07 as the clock's dates do not carry a century.
    const QString key = piece(s, 43, 2) + piece(s, 41, 2) + piece(s, 39, 2) + r.arrivalTime;
    r.sortKey = leftSpaces(key, kSortKeyWidth);
    return r;
}

} // namespace durvek
