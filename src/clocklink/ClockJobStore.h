#pragma once
#include "clocklink/ClockRecords.h"
#include "database/FancierRevision.h"
#include <QList>
#include <QSqlDatabase>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace durvek {

// The club database as the clock update and read jobs see it. Every function
// throws DatabaseError when the engine refuses.

// What the update writes into a clock.
std::optional<FancierBlock> loadFancierForClock(const QSqlDatabase& db, int32_t fancierId);
QStringList loadRaceAbbreviations(const QSqlDatabase& db);
// The fancier's pigeons in list order: year, country, band when sortByBand,
// else the pigeon number.
QList<PigeonRecord> loadPigeonsForClock(const QSqlDatabase& db, int32_t fancierId, bool sortByBand);

// A fancier as a read stores it when no fancier has the clock's licence.
// The single-block clock's coordinates go into the numeric fields, the
// multi-block clock's into the text fields, as each model has always kept them.
struct ClockFancierRow {
    QString licence;
    QString name;
    QString sort;
    QString address;
    QString zip;
    QString city;
    QString kx;  // coordinate texts, 8 characters
    QString ky;
};
enum class CoordinateFields { Numbers, Texts };

// Adds the row and returns its id.
int32_t addFancierFromClock(const QSqlDatabase& db, const ClockFancierRow& row, CoordinateFields coordinates);

bool fancierHasPigeons(const QSqlDatabase& db, int32_t fancierId);
// All pigeons of these fanciers go together or not at all.
void deletePigeonsOf(const QSqlDatabase& db, const QList<int32_t>& fancierIds);
// One pigeon with the next pigeon number.
void addPigeonFromClock(const QSqlDatabase& db, int32_t fancierId, const ReadPigeon& pigeon);

// A pigeon read from the clock and the fancier it goes to.
struct PigeonOfFancier {
    int32_t fancierId = 0;
    ReadPigeon pigeon;
    bool withoutChipCode = false; // its chip code is another fancier's, and the user kept it there
};
// What a read that reached the end of the clock's list stores, as one
// change: the replaced fanciers' pigeons go and the pigeons read come, in
// the clock's order. A clock keeps less than the club database (7 band
// characters on the short record, no colour there, never the Security), so
// a pigeon read that is one the fancier had, same chip code, country, year
// and the band as the clock received it, keeps the stored country, year,
// band, colour, Security and volring; the clock gives its sex, and its
// colour where it keeps one. Texts read are stored without trailing blanks.
// revisions holds every fancier of the read with the revision noted when the
// read found the fancier; they become the stored ones. Throws
// FancierChangedElsewhere, and stores nothing, when another PC stored one of
// them since.
void storeReadPigeons(const QSqlDatabase& db, const QList<int32_t>& replaced, const QList<PigeonOfFancier>& pigeons,
                      FancierRevisions& revisions);

// A chip code of the read that a pigeon of another fancier holds already.
struct ChipCodeOwner {
    QString chipCode;
    QString fancier; // licence and name
};
// The chip codes among pigeons that pigeons of fanciers other than their own
// hold, leaving out the fanciers whose lists the read replaces.
QList<ChipCodeOwner> chipCodesOwnedElsewhere(const QSqlDatabase& db, const QList<int32_t>& replaced,
                                             const QList<PigeonOfFancier>& pigeons);

} // namespace durvek
