#include "ClubDataDatabase.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include "support/DeliveredDatabase.h"
#include "database/SchemaUpgrade.h"
#include "database/SqlUtil.h"
#include <QSqlQuery>

namespace durvek::test {

ClubDataDatabase::ClubDataDatabase()
{
    db = testing::openDeliveredDatabase(dir.path());
    upgradeSchema(db);
    TextCatalogue::setConnectionName(QString::fromLatin1(ClubDatabase::kConnectionName));
    TextCatalogue::invalidate();
}

ClubDataDatabase::~ClubDataDatabase()
{
    db = QSqlDatabase();
    TextCatalogue::invalidate();
    ClubDatabase::close();
}

int32_t ClubDataDatabase::addFancier(const QString& name, const QString& sort, const QString& licence)
{
    return runStatement(db, QStringLiteral("INSERT INTO fanciers (Name, sort, Licence) VALUES (?, ?, ?)"),
                        {name, sort, licence})
        .lastInsertId()
        .toInt();
}

void ClubDataDatabase::addPigeon(int32_t fancier, const QVariant& country, const QVariant& year,
                                 const QVariant& band, const QVariant& sex, const QVariant& elcode)
{
    runStatement(db,
                 QStringLiteral("INSERT INTO pigeons (Fancier, country, Year, band, sex, elcode, Nr) "
                                "VALUES (?, ?, ?, ?, ?, ?, (SELECT coalesce(max(Nr), 0) + 1 FROM pigeons))"),
                 {fancier, country, year, band, sex, elcode});
}

void ClubDataDatabase::addCombine(int id, const QString& name, int l1, int l2, int l3)
{
    runStatement(db, QStringLiteral("INSERT INTO combine (id, Naam, L1, L2, L3) VALUES (?, ?, ?, ?, ?)"),
                 {id, name, l1, l2, l3});
}

void ClubDataDatabase::setBadges(const QStringList& names)
{
    runStatement(db, QStringLiteral("DELETE FROM badges"));
    for (int i = 0; i < names.size(); ++i)
        runStatement(db, QStringLiteral("INSERT INTO badges (id, Badge) VALUES (?, ?)"), {i + 1, names[i]});
}

QStringList ClubDataDatabase::rows(const QString& sql) const { return testing::rows(db, sql); }

QVariant ClubDataDatabase::value(const QString& sql) const { return queryValue(db, sql); }

} // namespace durvek::test
