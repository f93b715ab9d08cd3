#include "database/ServerLayout.h"
#include "SqlScript.h"
#include "database/CatalogueSnapshot.h"
#include "database/CatalogueUpgrade.h"
#include "database/DatabaseError.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"
#include <QFile>

namespace durvek {

namespace {

// The tables every club database has had since it was first delivered.
const char* const kClubTables[] = {"settings", "fanciers", "pigeons", "PcLanguage"};

bool hasAnyTable(const QSqlDatabase& db)
{
    return queryValue(db, QStringLiteral("SELECT count(*) FROM information_schema.tables "
                                         "WHERE table_schema = current_schema()"))
               .toInt()
        > 0;
}

bool isClubDatabase(const QSqlDatabase& db)
{
    const CatalogueSnapshot catalogue(db);
    for (const char* table : kClubTables) {
        if (!tableExists(db, QString::fromLatin1(table)))
            return false;
    }
    return true;
}

} // namespace

QStringList deliveredClubStatements()
{
    QFile file(QStringLiteral(":/data/durvadm.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw DatabaseError("The delivered club database is missing from the program");
    QStringList statements;
    for (const SqlStatement& statement : splitSqlScript(QString::fromUtf8(file.readAll())))
        statements.append(statement.text);
    return statements;
}

void layOutServerDatabase(const QSqlDatabase& db)
{
    if (engineOf(db) != SqlEngine::Postgres)
        return;
    runAsTheOnlyUpgrader(db, [&] {
        if (isClubDatabase(db))
            return;
        if (hasAnyTable(db)) {
            const QString sentence = CatalogueBaseText(310).arg(databaseFile(db));
            throw DatabaseError(DatabaseError::Kind::Other, sentence, databaseFile(db));
        }
        const QStringList statements = deliveredClubStatements();
        inTransaction(db, [&] {
            for (const QString& sql : statements)
                runDdl(db, sql);
            leaveRoomForRenumbering(db);
        });
    });
}

} // namespace durvek
