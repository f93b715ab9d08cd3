#include "LinkingDatabase.h"
#include "database/SqlUtil.h"
#include "support/DeliveredDatabase.h"
#include <QSqlQuery>

namespace durvek::test {

namespace {

const QString kRowFields = QStringLiteral("country, Year, band, color, sex, elcode, Security, volring, \"delete\"");

} // namespace

int32_t LinkingDatabase::addFancier(const QString& licence, const QString& name, const QString& adress,
                                    const QString& zip, const QString& city, const QString& district)
{
    const QSqlQuery q = runStatement(
        db(), QStringLiteral("INSERT INTO fanciers (Licence, Name, Adress, zip, city, district) VALUES (?, ?, ?, ?, ?, ?)"),
        {licence, name, adress, zip, city, district});
    return int32_t(q.lastInsertId().toLongLong());
}

void LinkingDatabase::addPigeon(int32_t fancier, const PigeonRow& p)
{
    runStatement(db(),
                 QStringLiteral("INSERT INTO pigeons (Fancier, country, Year, band, sex, color, elcode, Nr, \"delete\") "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {fancier, p.country, p.year, p.band, p.sex, p.color, p.elcode, p.nr, p.deleted ? 1 : 0});
}

QStringList LinkingDatabase::pigeonsOf(int32_t fancier) const
{
    return testing::rows(
        db(), QStringLiteral("SELECT %1 FROM pigeons WHERE Fancier = %2 ORDER BY Nr").arg(kRowFields).arg(fancier));
}

QStringList LinkingDatabase::backupRows() const
{
    return testing::rows(db(), QStringLiteral("SELECT %1 FROM backup ORDER BY Nr").arg(kRowFields));
}

QList<int> LinkingDatabase::numbersOf(int32_t fancier) const
{
    QList<int> numbers;
    for (const QString& nr :
         testing::rows(db(), QStringLiteral("SELECT Nr FROM pigeons WHERE Fancier = %1 ORDER BY Nr").arg(fancier)))
        numbers << nr.toInt();
    return numbers;
}

} // namespace durvek::test
