#pragma once
#include <QString>
#include <QStringList>

namespace durvek {

// Whether a file can take the club database's place, looked at read only.
struct RestoreVerdict {
    enum Problem {
        None,
        Damaged,        // no database, cut short or failing the engine's integrity check
        MissingTable,   // a table the program cannot start without is absent
    };
    Problem problem = None;
    QString table;      // the missing table
    QString details;    // the engine's findings, for support

    bool restorable() const { return problem == None; }
};

// The tables start-up and the windows need in any club database.
QStringList requiredClubTables();

// Runs the full integrity check (every page, every index against its table)
// and looks for the required tables. Never writes to the file.
RestoreVerdict checkRestorable(const QString& path);

} // namespace durvek
