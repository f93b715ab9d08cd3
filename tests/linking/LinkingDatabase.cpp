#include "LinkingDatabase.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include "database/DeliveredDatabase.h"
#include "database/SchemaUpgrade.h"
#include "database/SqlUtil.h"
#include <QSqlQuery>

namespace durvek::test {

namespace {

const QString kRowFields = QStringLiteral("country, Year, band, color, sex, elcode, Security, volring, \"delete\"");

} // namespace

LinkingDatabase::LinkingDatabase()
{
    m_db = durvek::testing::openDeliveredDatabase(m_dir.path());
    upgradeSchema(m_db);
    resetRunState(appState());
    appState().databasePath = m_dir.filePath(QStringLiteral("durvadm.db"));
    appState().decimalSeparator = u'.';
    TextCatalogue::invalidate();
}

LinkingDatabase::~LinkingDatabase()
{
    TextCatalogue::invalidate();
    m_db = QSqlDatabase();
    ClubDatabase::close();
}

int32_t LinkingDatabase::addFancier(const QString& licence, const QString& name, const QString& adress,
                                    const QString& zip, const QString& city, const QString& district)
{
    const QSqlQuery q = runStatement(
        m_db, QStringLiteral("INSERT INTO fanciers (Licence, Name, Adress, zip, city, district) VALUES (?, ?, ?, ?, ?, ?)"),
        {licence, name, adress, zip, city, district});
    return int32_t(q.lastInsertId().toLongLong());
}

void LinkingDatabase::addPigeon(int32_t fancier, const PigeonRow& p)
{
    runStatement(m_db,
                 QStringLiteral("INSERT INTO pigeons (Fancier, country, Year, band, sex, color, elcode, Nr, \"delete\") "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {fancier, p.country, p.year, p.band, p.sex, p.color, p.elcode, p.nr, p.deleted ? 1 : 0});
}

QStringList LinkingDatabase::pigeonsOf(int32_t fancier) const
{
    return durvek::testing::rows(
        m_db, QStringLiteral("SELECT %1 FROM pigeons WHERE Fancier = %2 ORDER BY Nr").arg(kRowFields).arg(fancier));
}

QStringList LinkingDatabase::backupRows() const
{
    return durvek::testing::rows(m_db, QStringLiteral("SELECT %1 FROM backup ORDER BY Nr").arg(kRowFields));
}

QList<int> LinkingDatabase::numbersOf(int32_t fancier) const
{
    QList<int> numbers;
    for (const QString& nr :
         durvek::testing::rows(m_db, QStringLiteral("SELECT Nr FROM pigeons WHERE Fancier = %1 ORDER BY Nr").arg(fancier)))
        numbers << nr.toInt();
    return numbers;
}

} // namespace durvek::test
