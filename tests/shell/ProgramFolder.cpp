#include "ProgramFolder.h"
#include <QDir>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>

namespace durvek::test {

ProgramFolder::ProgramFolder()
    : connectionName_(QStringLiteral("inspect-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    if (!dir_.isValid())
        return;
    QProcess makedb;
    makedb.start(QStringLiteral(DURVEK_BIN_DIR "/makedb"),
                 {databasePath(), QStringLiteral(DURVEK_SOURCE_DIR "/data/durvadm.sql")});
    valid_ = makedb.waitForFinished(60000) && makedb.exitStatus() == QProcess::NormalExit
          && makedb.exitCode() == 0;
    if (!valid_)
        qWarning("makedb failed: %s", makedb.readAllStandardError().constData());
}

ProgramFolder::~ProgramFolder()
{
    if (QSqlDatabase::contains(connectionName_)) {
        QSqlDatabase::database(connectionName_, false).close();
        QSqlDatabase::removeDatabase(connectionName_);
    }
}

QString ProgramFolder::databasePath() const
{
    return QDir(dir_.path()).filePath(QStringLiteral("durvadm.db"));
}

QSqlDatabase ProgramFolder::inspect()
{
    if (QSqlDatabase::contains(connectionName_))
        return QSqlDatabase::database(connectionName_);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    db.setDatabaseName(databasePath());
    db.open();
    return db;
}

bool exec(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    return false;
}

QVariant scalar(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query(db);
    if (!query.exec(sql)) {
        qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
        return {};
    }
    return query.next() ? query.value(0) : QVariant();
}

} // namespace durvek::test
