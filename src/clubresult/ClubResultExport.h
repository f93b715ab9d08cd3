#pragma once
#include <QSqlDatabase>
#include <QString>

namespace durvek {

// What a script asks for: a race (its number, abbreviation or name), a race
// day as DD-MM-YY and the CSV file to write.
struct ClubResultExportRequest {
    QString race;
    QString date;
    QString csvPath;
};

struct ClubResultExportOutcome {
    bool written = false;
    QString message; // why nothing was written; empty when written
};

// Writes the race day's club result as CSV (clubResultCsv). Nothing is
// written, and the message says why, when the race or the date is not
// understood, the race day has no stored entries, or the file cannot be
// written. A file that was there is replaced only by a complete new one.
// Throws DatabaseError when the engine refuses.
ClubResultExportOutcome exportClubResult(const QSqlDatabase& db, const ClubResultExportRequest& request);

} // namespace durvek
