#include "clocklink/ClockReadFancier.h"
#include "clocklink/FixedText.h"
#include "common/ValueHelpers.h"
#include "database/FancierLookup.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"

namespace durvek {

namespace {

// Clocks fill unused bytes with zeros, and texts to their width with
// blanks; neither belongs in a stored text.
QString cleanText(const QString& raw, int width) { return StripControlChars(raw).left(width).trimmed(); }
QString cleanLeftZeros(const QString& raw, int width) { return leftZeros(StripControlChars(raw), width); }

} // namespace

QString licenceFromClock(const FancierBlock& block) { return cleanLeftZeros(block.licence, 8); }

ClockFancierRow fancierRowFromClock(const FancierBlock& block)
{
    ClockFancierRow row;
    row.licence = TextOrDefault(licenceFromClock(block), QStringLiteral("00"));
    row.name = cleanText(block.name, 25);
    row.sort = TextOrDefault(RemoveSpaces(row.name.toUpper()), QStringLiteral(" "));
    row.address = cleanText(block.address, 25);
    row.zip = cleanText(block.zip, 6);
    row.city = cleanText(block.city, 20);
    row.kx = cleanLeftZeros(block.kxt, 8);
    row.ky = cleanLeftZeros(block.kyt, 8);
    return row;
}

int32_t findOrAddClockFancier(const QSqlDatabase& db, const FancierBlock& block, CoordinateFields coordinates)
{
    const QString licence = licenceFromClock(block);
    int32_t id = FindFancierByLicence(db, licence);
    if (id != 0)
        return id;
    // Another PC reading a clock of the same new fancier adds it once: the
    // second finds the first one's.
    inTransaction(db, [&] {
        lockFancierLicences(db);
        id = FindFancierByLicence(db, licence);
        if (id == 0)
            id = addFancierFromClock(db, fancierRowFromClock(block), coordinates);
    });
    return id;
}

} // namespace durvek
