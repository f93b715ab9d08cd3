#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

namespace durvek::test {

// A throw-away program folder holding a fresh copy of the delivered club
// database (as makedb builds it from data/durvadm.sql), so every test case
// starts from what a club gets on the first day.
class ProgramFolder {
public:
    ProgramFolder();
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    bool isValid() const { return valid_; }
    QString path() const { return dir_.path(); }
    QString databasePath() const;

    // A connection of its own to the file, for preparing and inspecting it
    // independently of the program's connection.
    QSqlDatabase inspect();

private:
    QTemporaryDir dir_;
    bool valid_ = false;
    QString connectionName_;
};

// Runs one statement on the connection; fails the test when the engine refuses.
bool exec(const QSqlDatabase& db, const QString& sql);
// First column of the first row, an invalid QVariant when there is none.
QVariant scalar(const QSqlDatabase& db, const QString& sql);

} // namespace durvek::test
