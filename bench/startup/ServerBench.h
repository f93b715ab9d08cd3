#pragma once
// The start-up figures (a) and (b) on a throwaway PostgreSQL server, for
// the same clubs as the SQLite figures: each club file is copied into a
// server database laid out and upgraded as the program does it.
#include <QList>
#include <QString>

namespace durvek::bench {

struct ServerFigures {
    QList<double> normalStartMs;  // (a): connect, lay-out check, upgrade, settings
    QList<double> renumberMs;     // (b): RenumberPigeons with every number wrong
};

// Starts the server (scripts/pg-test-server, with its syncs kept), measures
// rounds of each and stops it. Throws std::runtime_error when the server
// cannot be started or a club not copied.
ServerFigures measureOnServer(const QString& numberedClub, const QString& wrongClub, int rounds);

} // namespace durvek::bench
