#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace durvek {

// A statement of an SQL script failed; what() says which one and why.
class SqlScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One statement of a script with the line it starts on (for messages).
struct SqlStatement {
    QString text;
    int line = 1;
};

// Splits a script into statements at the semicolons that end them. Semicolons
// inside quotes ('', "", ``, []), comments (--, /* */) and trigger bodies
// (CREATE TRIGGER ... BEGIN ... END) do not split. Blank statements and
// statements made only of comments are dropped.
QList<SqlStatement> splitSqlScript(const QString& script);

// Runs every statement of the script on db inside one transaction; on the
// first failure everything is rolled back and SqlScriptError is thrown.
void runSqlScript(QSqlDatabase& db, const QString& script);

} // namespace durvek
