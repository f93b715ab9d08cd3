#include "backup/SqliteFile.h"
#include <QDir>
#include <sqlite3.h>
#include <memory>

namespace durvek {

SqliteFile::SqliteFile(const QString& path, Mode mode) : m_path(path)
{
    const int flags = mode == ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const DatabaseError failure = error(rc);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw failure;
    }
}

SqliteFile::~SqliteFile()
{
    sqlite3_close(m_db);
}

QStringList SqliteFile::column(const char* sql, const QString& text) const
{
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(m_db, sql, -1, &raw, nullptr);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, &sqlite3_finalize);
    if (rc != SQLITE_OK)
        throw error(rc);
    if (!text.isNull()) {
        const QByteArray bound = text.toUtf8();
        sqlite3_bind_text(raw, 1, bound.constData(), int(bound.size()), SQLITE_TRANSIENT);
    }
    QStringList values;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW)
        values.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0))));
    if (rc != SQLITE_DONE)
        throw error(rc);
    return values;
}

DatabaseError SqliteFile::error(int rc) const
{
    const DatabaseError::Kind kind = DatabaseError::kindOfResultCode(rc);
    const char* engineText = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
    return DatabaseError(kind, DatabaseError::plainSentence(kind),
                         QDir::toNativeSeparators(m_path) + QStringLiteral(": ") + QString::fromUtf8(engineText));
}

} // namespace durvek
