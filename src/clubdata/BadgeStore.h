#pragma once
#include "clubdata/StoredRow.h"
#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace durvek {

// The club's badge list as the club data window edits it: the five fixed
// rows, whose names are edited but which are never added or removed here.
// Every value is bound; failures throw DatabaseError.
class BadgeStore {
public:
    static constexpr int kNameLength = 10;

    explicit BadgeStore(QSqlDatabase db);

    // Every badge ordered by name, values id and Badge.
    QList<StoredRow> badges() const;

    // The badge's new name, cut to the field's width.
    void rename(qint64 rowid, const QString& name);

private:
    QSqlDatabase m_db;
};

} // namespace durvek
