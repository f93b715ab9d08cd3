#include "database/SchemaUpgrade.h"
#include "database/CatalogueSnapshot.h"
#include "database/CatalogueUpgrade.h"
#include "database/ClubResultUpgrade.h"
#include "database/ClubDatabase.h"
#include "database/PigeonNumbering.h"
#include "database/SearchIndexes.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"
#include <QSqlError>
#include <QSqlQuery>
#include <QtDebug>

namespace durvek {

namespace {

bool hasField(const QSqlDatabase& db, const QString& table, const QString& field)
{
    const QString wanted = field.trimmed().toUpper();
    for (const QString& column : columnNames(db, table)) {
        if (column.trimmed().toUpper() == wanted)
            return true;
    }
    return false;
}

QString columnDefinition(const QSqlDatabase& db, const QString& field, FieldType type, int size,
                         bool allowZeroLength)
{
    const QString name = quoteName(db, field.trimmed());
    switch (type) {
    case FieldType::Boolean:
    case FieldType::Counter:
        return name + QLatin1String(" INTEGER NOT NULL DEFAULT 0");
    case FieldType::Long:
        return name + QLatin1String(" INTEGER");
    case FieldType::Text:
    case FieldType::Memo: {
        QString definition = name
            + (type == FieldType::Text ? QStringLiteral(" VARCHAR(%1)").arg(size)
                                       : QStringLiteral(" TEXT"));
        if (!allowZeroLength)
            definition += QStringLiteral(" CHECK (%1 <> '')").arg(name);
        return definition;
    }
    }
    return name;
}

// Failures of table creation are absorbed, as start-up always did; they are
// logged so that a disk or permission problem is not entirely invisible. A
// read-only file is the exception: going on without the table would only
// fail later with a less telling message.
void createTableQuietly(const QSqlDatabase& db, const QString& sql)
{
    try {
        runDdl(db, sql);
    } catch (const DatabaseError& error) {
        if (error.kind() == DatabaseError::Kind::ReadOnly)
            throw;
        qWarning().noquote() << "table not created:" << error.details();
    }
}

int rowCount(const QSqlDatabase& db, const QString& table)
{
    return queryValue(db, QStringLiteral("SELECT count(*) FROM %1").arg(quoteName(db, table)))
        .toInt();
}

} // namespace

void requireTable(const QSqlDatabase& db, const QString& table)
{
    if (!tableExists(db, table))
        throw DatabaseError(DatabaseError::Kind::Other,
                            QStringLiteral("The club database has no table %1").arg(table),
                            QStringLiteral("%1: no such table: %2").arg(databaseFile(db), table));
}

void AddFieldIfMissing(const QSqlDatabase& db, const QString& table, const QString& field,
                       FieldType type, int size, bool allowZeroLength)
{
    requireTable(db, table);
    if (hasField(db, table, field))
        return;
    runDdl(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                   .arg(quoteName(db, table), columnDefinition(db, field, type, size, allowZeroLength)));
}

void CreateCombineTable(const QSqlDatabase& db)
{
    createTableQuietly(db, QStringLiteral("CREATE TABLE IF NOT EXISTS combine ("
                                          "id INTEGER, Naam VARCHAR(20), "
                                          "L1 INTEGER, L2 INTEGER, L3 INTEGER)"));
}

void CreateBadgesTable(const QSqlDatabase& db)
{
    createTableQuietly(db, QStringLiteral("CREATE TABLE IF NOT EXISTS badges ("
                                          "id INTEGER, Badge VARCHAR(10))"));
}

void CreateRacesTable(const QSqlDatabase& db)
{
    createTableQuietly(db, QStringLiteral("CREATE TABLE IF NOT EXISTS races ("
                                          "id INTEGER, lossing VARCHAR(20), afkort VARCHAR(4))"));
}

void FillBadges(const QSqlDatabase& db)
{
    const int existing = rowCount(db, QStringLiteral("badges"));
    if (existing >= 5)
        return;
    inTransaction(db, [&] {
        for (int id = existing + 1; id <= 5; ++id)
            runStatement(db, QStringLiteral("INSERT INTO badges (id) VALUES (?)"), {id});
    });
}

QString defaultRaceAbbreviation(int raceNumber)
{
    const QString full = QStringLiteral("RACE") + QString::number(raceNumber);
    return full.left(2) + full.right(2);
}

void FillRaces(const QSqlDatabase& db)
{
    const int existing = rowCount(db, QStringLiteral("races"));
    if (existing >= 25)
        return;
    inTransaction(db, [&] {
        for (int id = existing + 1; id <= 25; ++id) {
            runStatement(db, QStringLiteral("INSERT INTO races (id, lossing, afkort) VALUES (?, ?, ?)"),
                         {id, QStringLiteral("Race %1").arg(id), defaultRaceAbbreviation(id)});
        }
    });
}

namespace {

// Every step asks whether its table, field or index is there already.
void upgradeSchemaSteps(const QSqlDatabase& db)
{
    const CatalogueSnapshot catalogue(db);
    AddFieldIfMissing(db, QStringLiteral("settings"), QStringLiteral("Converter"), FieldType::Boolean, 1, true);
    AddFieldIfMissing(db, QStringLiteral("settings"), QStringLiteral("Sort"), FieldType::Boolean, 1, true);
    AddFieldIfMissing(db, QStringLiteral("Pigeons"), QStringLiteral("Nr"), FieldType::Long, 4, true);
    AddFieldIfMissing(db, QStringLiteral("Backup"), QStringLiteral("Nr"), FieldType::Long, 4, true);
    AddFieldIfMissing(db, QStringLiteral("Fanciers"), QStringLiteral("KXT"), FieldType::Text, 12, true);
    AddFieldIfMissing(db, QStringLiteral("Fanciers"), QStringLiteral("KYT"), FieldType::Text, 12, true);
    // The devices COM1..COM4 stand for on this machine; empty = the platform default.
    for (int port = 1; port <= 4; ++port)
        AddFieldIfMissing(db, QStringLiteral("settings"), QStringLiteral("Port%1").arg(port),
                          FieldType::Text, 255, true);
    // How many automatic backups are kept; null = the program's default.
    AddFieldIfMissing(db, QStringLiteral("settings"), QStringLiteral("BackupsKept"), FieldType::Long, 4, true);
    AddFieldIfMissing(db, QStringLiteral("settings"), QStringLiteral("BackupMonths"), FieldType::Long, 4, true);
    // The shipped translation the club chose; empty = English. Read by the
    // catalogue texts added below.
    AddFieldIfMissing(db, QStringLiteral("settings"), QStringLiteral("Language"), FieldType::Text, 5, true);
    // Raised by every store of the fancier: what lets a second club PC on
    // the same database see that its copy of the fancier is out of date.
    AddFieldIfMissing(db, QStringLiteral("Fanciers"), QStringLiteral("Revision"), FieldType::Counter, 4, true);
    RenumberPigeons(db);
    AddPigeonNumberIndex(db);
    AddFancierSearchIndexes(db);
    CreateCombineTable(db);
    CreateBadgesTable(db);
    FillBadges(db);
    CreateRacesTable(db);
    FillRaces(db);
    AddClubResultTables(db);
    AddMissingCatalogueTexts(db);
}

} // namespace

void upgradeSchema(const QSqlDatabase& db)
{
    runAsTheOnlyUpgrader(db, [&] { upgradeSchemaSteps(db); });
}

} // namespace durvek
