#include "database/LicenceClaim.h"
#include "common/TextCatalogue.h"
#include "database/FancierLookup.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"
#include <QDir>

namespace durvek {

namespace {

constexpr int kLicenceTakenElsewhereText = 321;

} // namespace

LicenceTakenElsewhere::LicenceTakenElsewhere(const QSqlDatabase& db, const QString& licence, int32_t holder)
    : DatabaseError(Kind::Other, GetText(kLicenceTakenElsewhereText).arg(licence),
                    QStringLiteral("%1: licence %2 is held by fancier %3 already")
                        .arg(QDir::toNativeSeparators(databaseFile(db)), licence)
                        .arg(holder))
{
}

void claimLicence(const QSqlDatabase& db, const QString& licence, int32_t fancierId)
{
    lockFancierLicences(db);
    const QString trimmed = licence.trimmed();
    if (trimmed.isEmpty())
        return;
    const int32_t holder = FindFancierByLicence(db, licence);
    if (holder != 0 && holder != fancierId)
        throw LicenceTakenElsewhere(db, trimmed, holder);
}

} // namespace durvek
