#pragma once
// Test helper: a throw-away club database file holding only the language
// table, laid out as delivered, filled with the rows a test needs.
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

namespace durvek::test {

struct LanguageRow {
    int id = 0;
    QVariant other;   // a null QVariant stores NULL
    QVariant spanish;
};

class LanguageDatabase {
public:
    explicit LanguageDatabase(const QList<LanguageRow>& rows = {});
    ~LanguageDatabase();
    LanguageDatabase(const LanguageDatabase&) = delete;
    LanguageDatabase& operator=(const LanguageDatabase&) = delete;

    bool isValid() const { return m_valid; }
    QSqlDatabase db() const;
    // Drops the table so that every read of it fails.
    bool dropTable();

private:
    QTemporaryDir m_dir;
    QString m_connection;
    bool m_valid = false;
};

} // namespace durvek::test
