#pragma once
#include "database/DatabaseError.h"
#include "database/SqlDialect.h"
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

class QSqlError;

namespace durvek {

// The escape character that likePattern() uses; statements say ESCAPE '\'.
inline constexpr QChar kLikeEscape = u'\\';

// text with the LIKE wildcards % and _ and the escape character itself
// escaped by escape, so the text matches only literally.
QString escapeLike(const QString& text, QChar escape = kLikeEscape);

// A pattern matching every text that starts with prefix (the old "prefix*"),
// for use with "LIKE ? ESCAPE '\'".
QString likePrefixPattern(const QString& prefix, QChar escape = kLikeEscape);

// A table or field name made safe to put into SQL text: "name" with inner
// double quotes doubled. Only for names, never for values (values are bound).
QString quoteIdentifier(const QString& name);

// The database file behind a connection (the path, also when opened by URI);
// for a server database its address without the password.
QString databaseFile(const QSqlDatabase& db);

// The folder for the club's own files (backups, the pigeon file): the club
// database file's folder; for a club on a server, the program's folder, or the
// user's data folder when the program's folder may not be written (installed).
QString clubFilesFolder(const QSqlDatabase& db);

// What the engine's refusal of a request on db tells the user (a server
// connection that broke included), with db's file or address in the details.
DatabaseError engineFailure(const QSqlDatabase& db, const QSqlError& error, const QString& sql = {});

// Prepares and runs sql with the values bound in order; throws DatabaseError
// of the engine's kind, whose details name the database file and carry the
// engine's message and the statement.
QSqlQuery runStatement(const QSqlDatabase& db, const QString& sql,
                       const QVariantList& values = {});

// Runs an already prepared query; throws DatabaseError like runStatement.
void execPrepared(QSqlQuery& query, const QSqlDatabase& db);

// The first column of the first row of sql, or an invalid QVariant when there
// is no row.
QVariant queryValue(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});

// Runs work as one unit: committed when it returns, rolled back (and the
// exception passed on) when it throws. Several rows that belong together
// change with it. Inside a caller's transaction it becomes part of that one.
template <typename Work>
void inTransaction(QSqlDatabase db, Work&& work);

// The steps of inTransaction; begin and commit throw DatabaseError when the
// engine refuses. begin returns whether it opened the transaction itself
// (rather than a unit inside a caller's), which commit and rollback take.
bool beginTransaction(QSqlDatabase& db);
void commitTransaction(QSqlDatabase& db, bool outermost);
void rollbackTransaction(QSqlDatabase& db, bool outermost) noexcept;

template <typename Work>
void inTransaction(QSqlDatabase db, Work&& work)
{
    const bool outermost = beginTransaction(db);
    try {
        work();
    } catch (...) {
        rollbackTransaction(db, outermost);
        throw;
    }
    commitTransaction(db, outermost);
}

} // namespace durvek
