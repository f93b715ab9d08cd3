#include "clubdata/BadgeStore.h"
#include "database/SqlUtil.h"
#include <QSqlQuery>

namespace durvek {

BadgeStore::BadgeStore(QSqlDatabase db)
    : m_db(std::move(db))
{
}

QList<StoredRow> BadgeStore::badges() const
{
    QList<StoredRow> rows;
    QSqlQuery query = runStatement(m_db, QStringLiteral("SELECT rowid, id, Badge FROM badges ORDER BY Badge, rowid"));
    while (query.next())
        rows.append({query.value(0).toLongLong(), {query.value(1), query.value(2)}});
    return rows;
}

void BadgeStore::rename(qint64 rowid, const QString& name)
{
    runStatement(m_db, QStringLiteral("UPDATE badges SET Badge = ? WHERE rowid = ?"), {name.left(kNameLength), rowid});
}

} // namespace durvek
