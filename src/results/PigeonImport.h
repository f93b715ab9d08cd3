#pragma once
#include <QSqlDatabase>
#include <QString>
#include <functional>

namespace durvek {

struct RaceData;

// What one import did.
struct PigeonImportReport {
    bool ran = false;        // there were records to import
    int records = 0;         // records looked at
    int skippedBlank = 0;    // records without a band or code (entries the clock marked unusable)
    int pigeonsAdded = 0;
    int elcodesAdded = 0;
    int elcodesRelinked = 0;
    QString error;           // empty when it went through
};

// Warning box: message and title.
using ImportWarning = std::function<void(const QString& message, const QString& title)>;

// Carries the pigeons of the pigeon file into duiven and elcodes (LinkPigeons).
//
// The file's records replace those in memory first; an empty or missing file
// leaves memory as it is and the import works on what is there. Each record's
// pigeon is looked up by band year and number and added when new; its code is
// linked to the pigeon, a code already known is linked anew, never
// duplicated. A pigeon filed under the year an earlier import gave its band
// is found there. The whole import is one transaction: a failure leaves
// both tables as they were and is shown as "Fout : " with the engine's
// message, titled "Linking". A damaged file (its length not that of its
// count, a band year that is not a number, a byte that is no character)
// imports nothing and is shown the same way, naming the file and its first
// bad record.
//
// A new pigeon gets the next free id (one more than the highest), so that its
// code points to it; an id of 0 would read as "no pigeon" in elcodes. When
// the highest id is the largest 32-bit one, the import is refused.
PigeonImportReport LinkPigeons(const QSqlDatabase& db, const QString& pigeonFilePath, RaceData& data,
                               const ImportWarning& warn);

} // namespace durvek
