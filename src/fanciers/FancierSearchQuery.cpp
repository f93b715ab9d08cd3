#include "fanciers/FancierSearchQuery.h"
#include "common/ValueHelpers.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"
#include <cmath>

namespace durvek {

namespace {

const QString kSearchColumns = QStringLiteral(
    "SELECT id, Licence, Name, Adress, zip, city, telephone, fax, email, district FROM fanciers WHERE ");
// Fanciers with the same sort key keep one order from requery to requery.
const QString kSearchOrder = QStringLiteral(" ORDER BY sort, id");

// The text is read as a number the way every box is read. A number that no
// id can be (a fraction, one too large) simply finds nobody: bound as it is,
// one engine would round it to a neighbouring id or refuse the statement.
qlonglong recordNumberSought(const QString& text)
{
    constexpr qlonglong kNoRecord = 0;
    const double number = FieldNumber(text);
    if (!std::isfinite(number) || number != std::trunc(number) || std::fabs(number) >= 9.0e18)
        return kNoRecord;
    return qlonglong(number);
}

} // namespace

FancierSearchMode fancierSearchModeFromNumber(int number)
{
    switch (number) {
    case 1:
        return FancierSearchMode::ByName;
    case 2:
        return FancierSearchMode::ByRecordNumber;
    default:
        return FancierSearchMode::ByLicence;
    }
}

QString fancierSearchMask(FancierSearchMode mode)
{
    return mode == FancierSearchMode::ByName ? QStringLiteral("   ") : QStringLiteral("/N ");
}

QSqlQuery queryFanciers(const QSqlDatabase& db, FancierSearchMode mode, const QString& text)
{
    switch (mode) {
    case FancierSearchMode::ByName:
        return runStatement(db, kSearchColumns + startsWithIgnoringCase(db, QStringLiteral("Name")) + kSearchOrder,
                            {likePrefixPattern(text)});
    case FancierSearchMode::ByRecordNumber:
        return runStatement(db, kSearchColumns + QStringLiteral("id = ?") + kSearchOrder,
                            {recordNumberSought(text)});
    case FancierSearchMode::ByLicence:
        break;
    }
    return runStatement(db, kSearchColumns + startsWithIgnoringCase(db, QStringLiteral("Licence")) + kSearchOrder,
                        {likePrefixPattern(text)});
}

} // namespace durvek
