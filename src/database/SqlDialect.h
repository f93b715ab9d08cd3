#pragma once
#include "database/CatalogueSnapshot.h"
#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>

namespace durvek {

// The two engines a club database lives on: the SQLite file, or a
// PostgreSQL server database. SQL texts are written to run on both; the few
// statements that cannot be live here, one variant per engine.
enum class SqlEngine { Sqlite, Postgres };

SqlEngine engineOf(const QSqlDatabase& db);

// What the engine's own catalogue says, letter case of names ignored; while a
// CatalogueSnapshot of db lives, what it says.
bool tableExists(const QSqlDatabase& db, const QString& table);
bool indexExists(const QSqlDatabase& db, const QString& index);

// The table's columns in their order, as they are spelt in the database. On
// the server the rowid column is left out, so both engines list the same.
QStringList columnNames(const QSqlDatabase& db, const QString& table);

// Every table, view and index of the database, and the columns of each table
// and view, in one query. The tables are those tableExists knows.
CatalogueContents readCatalogue(const QSqlDatabase& db);

// A CREATE TABLE or ALTER TABLE ... ADD COLUMN of the club's SQLite schema as
// the engine wants it; other statements come back as they are. On the server
// integers become BIGINT, REAL DOUBLE PRECISION, and texts TEXT COLLATE "C"
// (no width: SQLite never cut a text, and bytewise order as in SQLite); an
// INTEGER PRIMARY KEY becomes an identity. A new table also gets the column
// rowid, so that SQL naming rowid runs on both engines: the integer primary
// key where there is one (as in SQLite), else an identity of its own.
QString translateDdl(SqlEngine engine, const QString& sql);

// Runs a statement of the club's SQLite schema on either engine (CREATE TABLE
// and ALTER TABLE ... ADD COLUMN through translateDdl), as it stands: nothing
// in it is taken for a placeholder. On the server a text column's
// declared width is kept as the column's comment, so textFieldWidths knows it.
// Throws DatabaseError when the engine refuses.
void runDdl(const QSqlDatabase& db, const QString& sql);

// The declared width of each text column of table with one (lower-case name
// -> characters): VARCHAR(n) in the SQLite file, the comment on the server.
QHash<QString, int> declaredTextWidths(const QSqlDatabase& db, const QString& table);

// A name of a table or column put into SQL text, quoted. The server folds
// unquoted names to lower case and the club's schema never quotes them, so
// there the quoted name is lower case too; SQLite keeps the spelling given.
QString quoteName(const QSqlDatabase& db, const QString& name);

// The condition "column starts with the bound likePrefixPattern(), letter
// case ignored", as a search box finds names. SQLite's LIKE ignores the case
// of ASCII letters itself and then walks an index that holds the column; the
// server's LIKE heeds case, so both sides are folded there, ASCII letters
// only as the texts compare bytewise (the typed text too, whatever the
// server's locale). column is a fixed field name.
QString startsWithIgnoringCase(const QSqlDatabase& db, const QString& column);

// The engine's own check that the stored data is sound, one line per problem
// (none: sound). SQLite's quick check reads every page; a server keeps its
// own pages checked, so there it finds nothing.
QStringList integrityProblems(const QSqlDatabase& db);

// Inside a transaction that will number pigeons (a store that adds pigeons,
// the renumbering): the next transaction on another connection that does the
// same waits here until this one ends, and then reads a highest number that
// counts this one's pigeons, so no number is given twice. SQLite lets one
// writer at a time store anyway. A store takes it right after it has claimed
// ALL its fanciers' revisions and before it reads or writes any pigeon; the
// renumbering takes it first. In that one order two transactions never wait
// on each other crosswise: one that touched pigeons before waiting here would
// hold up the renumbering, which holds this lock and waits for the pigeons.
// Taking it again in the same transaction costs nothing. Throws
// DatabaseError when the engine refuses.
void lockPigeonNumbering(const QSqlDatabase& db);

// Inside a transaction that gives a fancier a licence (adds a fancier, or
// stores one with another licence), as its first step: the next transaction
// on another connection that does the same waits here until this one ends,
// and then finds this one's fancier by its licence. On SQLite it takes the
// file's write lock, which another connection's store waits for likewise.
// It comes before the fanciers' revisions and the pigeon numbering in the
// one order of locks. Taking it again in the same transaction costs
// nothing. Throws DatabaseError when the engine refuses.
void lockFancierLicences(const QSqlDatabase& db);

// Inside a transaction that reads table and then writes what it read tells
// (the next id, the first free place), as its first step on table: another
// connection's transaction that writes table waits until this one ends, so
// no id is given twice and no place is taken twice. Readers do not wait.
// The file's write lock is taken (the same as any write's). Throws
// DatabaseError when the engine refuses.
void lockTableForChange(const QSqlDatabase& db, const QString& table);

// Runs work (the lay-out or the start-up upgrade of db) while no other PC
// does the same, so that PCs started at the same moment after a new version
// lay out and upgrade the club once, and each one after the first finds the
// work done. A server holds a lock of db's session for it, which stores never
// take; the file runs work as one transaction that takes the write lock
// first. A file opened read only runs work as it is. Throws what work throws,
// or DatabaseError when the engine refuses.
void runAsTheOnlyUpgrader(const QSqlDatabase& db, const std::function<void()>& work);

// On a server: has the pigeons' pages filled to less than half from now on,
// so that a renumbering rewrites each pigeon on its own page, unless the
// table's fill was chosen already. Nothing on the file.
void leaveRoomForRenumbering(const QSqlDatabase& db);

// The server's renumbering: every pigeon gets its place in number order
// (pigeons without one first, equal ones in rowid order) as its number; only
// rows whose number changes are written. The file has its own single-pass
// form (SinglePassRenumbering).
void writePigeonPlacesOnServer(const QSqlDatabase& db);

// While it lives, a bulk rewrite of data that every start works out again
// (the pigeon numbers) runs as fast as the engine allows: SQLite keeps the
// rewritten pages in memory up to the commit; the server sorts in memory and
// its commit does not wait for its log to reach the disk (after a crash the next start simply
// does the work again).
class RecomputedBulkWrite {
public:
    explicit RecomputedBulkWrite(const QSqlDatabase& db);
    ~RecomputedBulkWrite();
    RecomputedBulkWrite(const RecomputedBulkWrite&) = delete;
    RecomputedBulkWrite& operator=(const RecomputedBulkWrite&) = delete;

private:
    QSqlDatabase m_db;
    QStringList m_restore;
};

// Settings of a server session that keep its answers plain: the notices of
// statements such as CREATE INDEX IF NOT EXISTS stay off standard error.
void configureSession(const QSqlDatabase& db);

// Copying a club from one engine to another.

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
