#include "LanguageDatabase.h"
#include <QSqlQuery>
#include <QUuid>

namespace durvek::test {

LanguageDatabase::LanguageDatabase(const QList<LanguageRow>& rows)
    : m_connection(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_dir.filePath(QStringLiteral("durvadm.db")));
    if (!m_dir.isValid() || !db.open())
        return;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("CREATE TABLE language (id INTEGER PRIMARY KEY, \"default\" VARCHAR(16), "
                               "other VARCHAR(16), spaans VARCHAR(16))")))
        return;
    for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
        q.prepare(QStringLiteral("INSERT INTO language (id, \"default\", other, spaans) VALUES (?, ?, ?, ?)"));
        q.addBindValue(it->id);
        q.addBindValue(QStringLiteral("BASE %1").arg(it->id));
        q.addBindValue(it->other);
        q.addBindValue(it->spanish);
        if (!q.exec())
            return;
    }
    m_valid = true;
}

LanguageDatabase::~LanguageDatabase()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QSqlDatabase LanguageDatabase::db() const { return QSqlDatabase::database(m_connection, false); }

bool LanguageDatabase::dropTable()
{
    QSqlQuery q(db());
    return q.exec(QStringLiteral("DROP TABLE language"));
}

} // namespace durvek::test
