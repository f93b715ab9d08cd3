#include "fanciers/FancierSearchQuery.h"
#include "common/ValueHelpers.h"
#include "database/SqlUtil.h"
#include <cmath>

namespace durvek {

namespace {

const QString kSearchColumns = QStringLiteral(
    "SELECT id, Licence, Name, Adress, zip, city, telephone, fax, email, district FROM fanciers WHERE ");
// Fanciers with the same sort key keep one order from requery to requery.
const QString kSearchOrder = QStringLiteral(" ORDER BY sort, id");

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
        return runStatement(db, kSearchColumns + QStringLiteral("Name LIKE ? ESCAPE '\\'") + kSearchOrder,
                            {likePrefixPattern(text)});
    case FancierSearchMode::ByRecordNumber: {
        // The text is read as a number the way every box is read; a number
        // too large for an id simply finds nobody.
        const double number = FieldNumber(text);
        return runStatement(db, kSearchColumns + QStringLiteral("id = ?") + kSearchOrder,
                            {std::isfinite(number) ? QVariant(number) : QVariant(0)});
    }
    case FancierSearchMode::ByLicence:
        break;
    }
    return runStatement(db, kSearchColumns + QStringLiteral("Licence LIKE ? ESCAPE '\\'") + kSearchOrder,
                        {likePrefixPattern(text)});
}

} // namespace durvek
