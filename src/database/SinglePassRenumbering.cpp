#include "database/SinglePassRenumbering.h"
#include "database/DatabaseError.h"
#include "database/EngineHandle.h"
#include "database/SqlUtil.h"
#include <QSqlError>
#include <sqlite3.h>
#include <algorithm>
#include <memory>
#include <vector>

namespace durvek {

namespace {

const char kFunction[] = "pigeon_place";

struct Place {
    sqlite3_int64 rowid;
    sqlite3_int64 place;
};

// Sorted by rowid, so that a pigeon's place is found by halving.
using Places = std::vector<Place>;

[[noreturn]] void throwEngineError(const QSqlDatabase& db, sqlite3* handle, const QString& sql)
{
    throw DatabaseError::fromEngine(QSqlError(QString::fromUtf8(sqlite3_errmsg(handle)), QString(),
                                              QSqlError::StatementError,
                                              QString::number(sqlite3_extended_errcode(handle))),
                                    databaseFile(db), sql);
}

// Read through the engine directly: a hundred thousand rows through the
// driver's values would cost a good part of what the single pass saves.
Places readPlaces(const QSqlDatabase& db, sqlite3* handle)
{
    const char sql[] = "SELECT rowid FROM pigeons ORDER BY nr, rowid";
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(handle, sql, -1, &raw, nullptr);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, &sqlite3_finalize);
    if (rc != SQLITE_OK)
        throwEngineError(db, handle, QString::fromLatin1(sql));
    Places places;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW)
        places.push_back({sqlite3_column_int64(raw, 0), sqlite3_int64(places.size()) + 1});
    if (rc != SQLITE_DONE)
        throwEngineError(db, handle, QString::fromLatin1(sql));
    std::sort(places.begin(), places.end(), [](const Place& a, const Place& b) { return a.rowid < b.rowid; });
    return places;
}

void placeOfPigeon(sqlite3_context* context, int, sqlite3_value** arguments)
{
    const Places& places = *static_cast<const Places*>(sqlite3_user_data(context));
    const sqlite3_int64 rowid = sqlite3_value_int64(arguments[0]);
    const auto found = std::lower_bound(places.begin(), places.end(), rowid,
                                        [](const Place& place, sqlite3_int64 wanted) { return place.rowid < wanted; });
    // Only a pigeon added during the renumbering has no place; failing the
    // update rolls the renumbering back rather than numbering it wrong.
    if (found == places.end() || found->rowid != rowid)
        sqlite3_result_error(context, "a pigeon has no place in the renumbering", -1);
    else
        sqlite3_result_int64(context, found->place);
}

void destroyPlaces(void* places)
{
    delete static_cast<Places*>(places);
}

} // namespace

SinglePassRenumbering::SinglePassRenumbering(const QSqlDatabase& db) : m_db(db), m_handle(engineHandle(db))
{
    if (!m_handle)
        throw DatabaseError("the single-pass renumbering needs an SQLite connection");
    // The engine owns the places from here on and frees them with the
    // function (also when registering fails), so a function that could not
    // be removed never points at freed memory. Only statements of this
    // connection may call it, never a trigger or view of the file.
    const int rc = sqlite3_create_function_v2(m_handle, kFunction, 1,
                                              SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_DIRECTONLY,
                                              new Places(readPlaces(db, m_handle)), &placeOfPigeon, nullptr,
                                              nullptr, &destroyPlaces);
    if (rc != SQLITE_OK)
        throwEngineError(db, m_handle, QString::fromLatin1(kFunction));
}

SinglePassRenumbering::~SinglePassRenumbering()
{
    sqlite3_create_function_v2(m_handle, kFunction, 1, SQLITE_UTF8, nullptr, nullptr, nullptr, nullptr, nullptr);
}

void SinglePassRenumbering::writePlaces() const
{
    runStatement(m_db, QStringLiteral("UPDATE pigeons SET nr = pigeon_place(rowid) WHERE nr IS NOT pigeon_place(rowid)"));
}

} // namespace durvek
