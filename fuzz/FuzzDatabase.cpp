#include "FuzzDatabase.h"
#include "FuzzApp.h"
#include "FuzzInput.h"
#include "common/Ansi.h"
#include "database/SqlUtil.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include "database/SchemaUpgrade.h"
#include "support/DeliveredDatabase.h"
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace durvek::fuzz {

namespace {

const QString kInputSavepoint = QStringLiteral("fuzz_input");

QTemporaryDir& runFolder()
{
    static QTemporaryDir dir;
    return dir;
}

// One statement giving the row count of every table and of the schema itself,
// so that checking an input's reset costs a single query.
QString rowCountStatement(const QSqlDatabase& db)
{
    QStringList counts{QStringLiteral("(SELECT count(*) FROM sqlite_master)")};
    QSqlQuery tables = runStatement(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    while (tables.next())
        counts << QStringLiteral("(SELECT count(*) FROM %1)").arg(quoteIdentifier(tables.value(0).toString()));
    return QStringLiteral("SELECT ") + counts.join(QStringLiteral(", "));
}

// The run's club database, open from the first input to the end of the run.
struct RunDatabase {
    RunDatabase()
    {
        ensureApplication();
        db = testing::openDeliveredDatabase(runFolder().path());
        upgradeSchema(db);
        // Nothing an input does is ever kept, so the rollback journal need
        // not be a file.
        runStatement(db, QStringLiteral("PRAGMA journal_mode = MEMORY"));
        countSql = rowCountStatement(db);
        pristineCounts = testing::rows(db, countSql);
    }
    ~RunDatabase()
    {
        db = QSqlDatabase();
        ClubDatabase::close();
    }

    QSqlDatabase db;
    QString countSql;
    QStringList pristineCounts;
};

RunDatabase& runDatabase()
{
    static RunDatabase run;
    return run;
}

[[noreturn]] void stopRun(const QString& why)
{
    std::fprintf(stderr, "FuzzDatabase: %s\n", qPrintable(why));
    std::abort();
}

} // namespace

FuzzDatabase::FuzzDatabase()
    : m_db(runDatabase().db)
{
    resetRunState(appState());
    appState().databasePath = databaseFile(m_db);
    appState().decimalSeparator = u'.';
    runStatement(m_db, QStringLiteral("SAVEPOINT ") + kInputSavepoint);
}

// Rolling back to the input's own savepoint fails when the engine has ended
// the transaction under it, which is what would let an input's rows stay. The
// transaction then ends with a rollback, not a release: a release would
// commit, and a commit waits for the disk.
FuzzDatabase::~FuzzDatabase()
{
    try {
        runStatement(m_db, QStringLiteral("ROLLBACK TO ") + kInputSavepoint);
        runStatement(m_db, QStringLiteral("ROLLBACK"));
    } catch (const DatabaseError& error) {
        stopRun(QStringLiteral("the input's changes cannot be undone: ") + error.details());
    }
    // The catalogue may have been read while the input had changed it.
    TextCatalogue::invalidate();
    const RunDatabase& run = runDatabase();
    const QStringList counts = testing::rows(m_db, run.countSql);
    if (counts != run.pristineCounts)
        stopRun(QStringLiteral("row counts after the reset are %1, before the first input %2")
                    .arg(counts.join(u','), run.pristineCounts.join(u',')));
}

QString FuzzDatabase::folder() const
{
    return runFolder().path();
}

int32_t addFuzzedClub(const QSqlDatabase& db, FuzzInput& input)
{
    const auto text = [&input] { return fromAnsi(input.chunk()); };
    const QSqlQuery fancier = runStatement(
        db, QStringLiteral("INSERT INTO fanciers (Licence, Name, Adress, zip, city, KXT, KYT) VALUES (?, ?, ?, ?, ?, ?, ?)"),
        {text(), text(), text(), text(), text(), text(), text()});
    const int32_t id = int32_t(fancier.lastInsertId().toLongLong());
    const int pigeons = input.byte() % 8;
    for (int nr = 1; nr <= pigeons; ++nr) {
        runStatement(db,
                     QStringLiteral("INSERT INTO pigeons (Fancier, country, Year, band, sex, color, elcode, Nr) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                     {id, text(), text(), text(), text(), text(), text(), nr});
    }
    if (input.flag()) {
        runStatement(db, QStringLiteral("DELETE FROM badges"));
        const int badges = input.byte() % 8;
        for (int i = 1; i <= badges; ++i)
            runStatement(db, QStringLiteral("INSERT INTO badges (id, Badge) VALUES (?, ?)"), {i, text()});
    }
    if (input.flag()) {
        runStatement(db, QStringLiteral("INSERT INTO combine (id, Naam, L1, L2, L3) VALUES (?, ?, ?, ?, ?)"),
                     {1, text(), id, input.flag() ? id : 0, input.byte()});
    }
    return id;
}

} // namespace durvek::fuzz
