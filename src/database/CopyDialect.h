#pragma once
#include <QSqlDatabase>
#include <QString>

namespace durvek {

// Whether an INSERT into table may give the rowid: not where the engine
// takes it from the table's integer key (SQLite's INTEGER PRIMARY KEY, the
// server's rowid computed from id), which the copy fills in anyway.
bool insertsRowid(const QSqlDatabase& db, const QString& table);

// After rows were inserted with their keys given, the keys the engine hands
// out itself continue past the highest one (the server's identity sequences;
// SQLite does so by itself).
void continueKeysAfterCopy(const QSqlDatabase& db, const QString& table);

// Reads from db see one state of the database until destruction, whatever
// other connections write meanwhile. Inside a transaction the caller opened
// already, that one's view is kept.
class ReadSnapshot {
public:
    explicit ReadSnapshot(const QSqlDatabase& db);
    ~ReadSnapshot();
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;

private:
    QSqlDatabase m_db;
    bool m_open = false;
};

} // namespace durvek
