#pragma once
#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace durvek {

// What the engine's catalogue held at one moment. Names of tables and
// indexes in lower case; columns in their order, as they are spelt.
struct CatalogueContents {
    QSet<QString> tables;
    QSet<QString> indexes;
    QHash<QString, QStringList> columns;
};

// While it lives, tableExists, columnNames and indexExists answer for db from
// one read of the engine's catalogue rather than with a query each: on a
// server every query is a round trip, and the start-up upgrade asks some
// fifty questions. A statement run through runStatement that may change the
// catalogue, and a rollback of inTransaction, make the next question read the
// catalogue again. Changes that pass by those (another connection, a bare
// QSqlQuery) are not seen, so it is kept only around work of the program's
// own that lays out or upgrades the schema. Within the snapshot of db a
// second one for the same connection changes nothing.
class CatalogueSnapshot {
public:
    explicit CatalogueSnapshot(const QSqlDatabase& db);
    ~CatalogueSnapshot();
    CatalogueSnapshot(const CatalogueSnapshot&) = delete;
    CatalogueSnapshot& operator=(const CatalogueSnapshot&) = delete;

    // The catalogue as db sees it now, or null when no snapshot of db lives
    // (then the engine is to be asked). Throws DatabaseError when the
    // catalogue cannot be read.
    static const CatalogueContents* contents(const QSqlDatabase& db);

    // sql is about to run on db.
    static void noteStatement(const QSqlDatabase& db, const QString& sql);

    // A rollback on db undid what it had changed since its savepoint.
    static void noteRollback(const QSqlDatabase& db);

private:
    QString m_connection;
};

} // namespace durvek
