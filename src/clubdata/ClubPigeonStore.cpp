#include "clubdata/ClubPigeonStore.h"
#include "database/ClubDatabase.h"
#include "database/FancierRevision.h"
#include "database/PigeonNumbering.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"
#include <QSqlQuery>

namespace durvek {

namespace {

const QString kSelectColumns = QStringLiteral("SELECT rowid, Fancier, country, Year, band, elcode, sex FROM pigeons ");

// Field names by column; only these ever reach SQL text.
QString fieldOf(PigeonColumn column)
{
    switch (column) {
    case PigeonColumn::Country: return QStringLiteral("country");
    case PigeonColumn::Year: return QStringLiteral("Year");
    case PigeonColumn::Band: return QStringLiteral("band");
    case PigeonColumn::Elcode: return QStringLiteral("elcode");
    case PigeonColumn::Sex: return QStringLiteral("sex");
    case PigeonColumn::Owner: break;
    }
    throw DatabaseError("the owner of a pigeon is not edited in the pigeon grid");
}

StoredRow rowFrom(const QSqlQuery& query)
{
    StoredRow row;
    row.rowid = query.value(0).toLongLong();
    for (int i = 0; i < kPigeonColumnCount; ++i)
        row.values.append(query.value(i + 1));
    return row;
}

} // namespace

ClubPigeonStore::ClubPigeonStore(QSqlDatabase db)
    : m_db(std::move(db))
{
}

QList<StoredRow> ClubPigeonStore::pigeonsOf(int32_t fancierId) const
{
    QList<StoredRow> rows;
    QSqlQuery query = runStatement(m_db, kSelectColumns + QStringLiteral("WHERE Fancier = ? ORDER BY rowid"),
                                   {fancierId});
    while (query.next())
        rows.append(rowFrom(query));
    return rows;
}

void ClubPigeonStore::setValue(int32_t fancierId, qint64& revision, qint64 rowid, PigeonColumn column,
                               const QString& value)
{
    const QString field = quoteName(m_db, fieldOf(column));
    qint64 stored = revision;
    inTransaction(m_db, [&] {
        stored = claimFancierRevision(m_db, fancierId, revision);
        runStatement(m_db, QStringLiteral("UPDATE pigeons SET %1 = ? WHERE rowid = ?").arg(field), {value, rowid});
    });
    revision = stored;
}

StoredRow ClubPigeonStore::addPigeon(int32_t fancierId, qint64& revision, PigeonColumn column, const QString& value)
{
    qint64 rowid = 0;
    qint64 stored = revision;
    // The number and the row belong together: no other pigeon may take the
    // number in between.
    inTransaction(m_db, [&] {
        stored = claimFancierRevision(m_db, fancierId, revision);
        const QSqlQuery insert = runStatement(
            m_db,
            QStringLiteral("INSERT INTO pigeons (Fancier, Nr, %1) VALUES (?, ?, ?)").arg(quoteName(m_db, fieldOf(column))),
            {fancierId, NextPigeonNr(m_db), value});
        rowid = insert.lastInsertId().toLongLong();
    });
    revision = stored;
    return pigeon(rowid);
}

StoredRow ClubPigeonStore::pigeon(qint64 rowid) const
{
    QSqlQuery query = runStatement(m_db, kSelectColumns + QStringLiteral("WHERE rowid = ?"), {rowid});
    if (!query.next())
        throw DatabaseError("a pigeon just stored cannot be read back");
    return rowFrom(query);
}

} // namespace durvek
