#include "support/DeliveredDatabase.h"
#include "DatabaseFileWriter.h"
#include "SqlScript.h"
#include "database/ClubDatabase.h"
#include "database/SqlUtil.h"
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <stdexcept>

namespace durvek::testing {

void writeDeliveredDatabase(const QString& path)
{
    QFile sql(QStringLiteral(DURVEK_SOURCE_DIR "/data/durvadm.sql"));
    if (!sql.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read data/durvadm.sql");
    const QString script = QString::fromUtf8(sql.readAll());
    writeDatabaseFile(path, [&](QSqlDatabase& db) { runSqlScript(db, script); }, false);
}

QSqlDatabase openDeliveredDatabase(const QString& dir)
{
    const QString path = dir + QStringLiteral("/durvadm.db");
    writeDeliveredDatabase(path);
    return ClubDatabase::open(path);
}

void exec(const QSqlDatabase& db, const QString& sql)
{
    runStatement(db, sql);
}

QStringList rows(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query = runStatement(db, sql);
    QStringList lines;
    while (query.next()) {
        QStringList cells;
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i)
            cells.append(query.value(i).isNull() ? QStringLiteral("<null>") : query.value(i).toString());
        lines.append(cells.join(u'|'));
    }
    return lines;
}

QStringList schema(const QSqlDatabase& db)
{
    return rows(db, QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY type, name"));
}

} // namespace durvek::testing
