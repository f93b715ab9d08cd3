#include "ServerBench.h"
#include "database/ClubDatabase.h"
#include "database/PigeonNumbering.h"
#include "database/SchemaUpgrade.h"
#include "database/ServerLayout.h"
#include "database/SettingsStore.h"
#include "database/SqlUtil.h"
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <stdexcept>

namespace durvek::bench {

namespace {

const QString kScript = QStringLiteral(DURVEK_SOURCE_DIR "/scripts/pg-test-server");
const QString kFileConnection = QStringLiteral("bench-file");
const QString kMaintenance = QStringLiteral("bench-maintenance");
constexpr int kRowsPerInsert = 1000;

QString runScript(const QStringList& arguments)
{
    QProcess script;
    script.start(kScript, arguments);
    if (!script.waitForFinished(120000) || script.exitCode() != 0)
        throw std::runtime_error("scripts/pg-test-server failed: " + script.readAllStandardError().toStdString());
    return QString::fromUtf8(script.readAllStandardOutput()).trimmed();
}

double milliseconds(const QElapsedTimer& timer) { return double(timer.nsecsElapsed()) / 1e6; }

QSqlDatabase openFile(const QString& path)
{
    QSqlDatabase file = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kFileConnection);
    file.setDatabaseName(path);
    if (!file.open())
        throw std::runtime_error("cannot open " + path.toStdString());
    return file;
}

// The rows of table, in rowid order, in chunks of multi-row INSERTs.
void copyTable(const QSqlDatabase& file, const QSqlDatabase& server, const QString& table)
{
    QStringList columns;
    const QStringList onServer = columnNames(server, table);
    for (const QString& column : columnNames(file, table)) {
        if (onServer.contains(column.toLower(), Qt::CaseInsensitive))
            columns.append(quoteName(server, column));
    }
    const QString row = u'(' + QStringList(columns.size(), QStringLiteral("?")).join(u',') + u')';
    QSqlQuery read = runStatement(file, QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(columns.join(u','), table));
    inTransaction(server, [&] {
        QVariantList values;
        int rows = 0;
        const auto flush = [&] {
            if (rows == 0)
                return;
            runStatement(server, QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                                     .arg(table, columns.join(u','), QStringList(rows, row).join(u',')),
                         values);
            values.clear();
            rows = 0;
        };
        while (read.next()) {
            for (int i = 0; i < columns.size(); ++i)
                values.append(read.value(i));
            if (++rows == kRowsPerInsert)
                flush();
        }
        flush();
    });
}

DatabaseLocation makeServerClub(const DatabaseLocation& server, const QString& name, const QString& club)
{
    runStatement(QSqlDatabase::database(kMaintenance, false), QStringLiteral("CREATE DATABASE %1").arg(name));
    const DatabaseLocation location = server.withDatabase(name);
    NoPasswordSource noPassword;
    QSqlDatabase db = ClubDatabase::open(location, noPassword);
    layOutServerDatabase(db);
    upgradeSchema(db);
    {
        const QSqlDatabase file = openFile(club);
        for (const char* table : {"fanciers", "pigeons"})
            copyTable(file, db, QString::fromLatin1(table));
    }
    QSqlDatabase::removeDatabase(kFileConnection);
    runStatement(db, QStringLiteral("CREATE TABLE wrong_numbers AS SELECT rowid AS pigeon, nr FROM pigeons"));
    runStatement(db, QStringLiteral("VACUUM ANALYZE"));
    db = QSqlDatabase();
    ClubDatabase::close();
    return location;
}

double normalStart(const DatabaseLocation& location)
{
    NoPasswordSource noPassword;
    QElapsedTimer timer;
    timer.start();
    {
        const QSqlDatabase db = ClubDatabase::open(location, noPassword);
        layOutServerDatabase(db);
        upgradeSchema(db);
        LoadSettings();
    }
    const double elapsed = milliseconds(timer);
    ClubDatabase::close();
    return elapsed;
}

double renumbering(const DatabaseLocation& location)
{
    NoPasswordSource noPassword;
    QSqlDatabase db = ClubDatabase::open(location, noPassword);
    runStatement(db, QStringLiteral("UPDATE pigeons SET nr = w.nr FROM wrong_numbers w WHERE pigeons.rowid = w.pigeon"));
    runStatement(db, QStringLiteral("VACUUM ANALYZE pigeons"));
    QElapsedTimer timer;
    timer.start();
    RenumberPigeons(db);
    const double elapsed = milliseconds(timer);
    db = QSqlDatabase();
    ClubDatabase::close();
    return elapsed;
}

} // namespace

ServerFigures measureOnServer(const QString& numberedClub, const QString& wrongClub, int rounds)
{
    const QString uri = runScript({QStringLiteral("start"), QStringLiteral("--durable")});
    ServerFigures figures;
    try {
        const DatabaseLocation server = DatabaseLocation::fromArgument(uri);
        {
            QSqlDatabase maintenance = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), kMaintenance);
            server.applyTo(maintenance);
            if (!maintenance.open())
                throw std::runtime_error("cannot reach the bench server");
        }
        const DatabaseLocation numbered = makeServerClub(server, QStringLiteral("numbered"), numberedClub);
        const DatabaseLocation wrong = makeServerClub(server, QStringLiteral("wrong"), wrongClub);
        for (int round = 0; round < rounds; ++round)
            figures.normalStartMs.append(normalStart(numbered));
        for (int round = 0; round < rounds; ++round)
            figures.renumberMs.append(renumbering(wrong));
    } catch (...) {
        ClubDatabase::close();
        QSqlDatabase::removeDatabase(kMaintenance);
        runScript({QStringLiteral("stop"), uri});
        throw;
    }
    QSqlDatabase::removeDatabase(kMaintenance);
    runScript({QStringLiteral("stop"), uri});
    return figures;
}

} // namespace durvek::bench
