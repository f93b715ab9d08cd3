#pragma once
#include <QSqlDatabase>

struct sqlite3;

namespace durvek {

// The renumbering's write on an SQLite connection. Joining a table of places
// in the update makes the engine copy the join into a table of its own and
// write from that in a second pass; here the places are held in memory and
// the SQL reaches them as pigeon_place(rowid), so the update writes as it
// walks the table. The function exists on the connection only while this
// object lives.
class SinglePassRenumbering {
public:
    // Reads the places (1..n in nr order, rowid breaking ties; the nr index
    // gives that order without a sort, so this comes before the index is
    // dropped). Throws DatabaseError when the engine refuses.
    explicit SinglePassRenumbering(const QSqlDatabase& db);
    ~SinglePassRenumbering();
    SinglePassRenumbering(const SinglePassRenumbering&) = delete;
    SinglePassRenumbering& operator=(const SinglePassRenumbering&) = delete;

    // Gives each pigeon its place as nr; a row already right is not written.
    // Throws DatabaseError when the engine refuses.
    void writePlaces() const;

private:
    QSqlDatabase m_db;
    sqlite3* m_handle;
};

} // namespace durvek
