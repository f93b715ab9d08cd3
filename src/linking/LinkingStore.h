#pragma once
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <cstdint>
#include <optional>

namespace durvek {

class PigeonGrid;

// One pigeon as a grid row stores it.
struct StoredPigeon {
    QString country;
    QString year;
    QString band;
    QString color;
    QString sex;
    QString elcode;

    // Country, year and band joined: the pigeon's full federation band.
    QString fullBand() const { return country + year + band; }
    bool operator==(const StoredPigeon&) const = default;
};

// The pigeon a grid row stands for, or nothing when the row is not complete:
// only a band of exactly 10 characters with a chip code of exactly 8 and no
// delete mark is stored. Values are trimmed; empty ones take their defaults.
std::optional<StoredPigeon> pigeonOfRow(const PigeonGrid& grid, int row);

// Every complete row of the grid, in grid order.
QList<StoredPigeon> pigeonsOfGrid(const PigeonGrid& grid);

// Rows that hold a band or a chip code but are not complete, so storing
// drops them; rows marked for deletion and empty rows are not counted.
int incompleteRowCount(const PigeonGrid& grid);

// Makes pigeons the fancier's pigeon list: the fancier's current pigeons are
// copied into the backup table (which then holds them alone), deleted, and
// the new ones added with fresh numbers. All of it is one transaction, so a
// failure leaves the fancier's pigeons and the backup as they were.
// revision is the fancier's revision when the list was loaded, and becomes
// the stored one. Throws FancierChangedElsewhere when another PC stored the
// fancier since, DatabaseError when the engine refuses.
void storeFancierPigeons(const QSqlDatabase& db, int32_t fancierId, qint64& revision,
                         const QList<StoredPigeon>& pigeons);

// True when the backup table holds the fancier's previous list: it has
// pigeons, and all of them are that fancier's. (A fancier whose previous
// list was empty leaves nothing that says whose it was.) Throws DatabaseError.
bool backupHoldsListOf(const QSqlDatabase& db, int32_t fancierId);

// Undoes the fancier's last store: the pigeons of the backup table become
// the fancier's list again (deletion marks included, fresh pigeon numbers in
// their former order), and the list they replace goes to the backup table,
// so that restoring once more swaps back. One transaction: a failure leaves
// both lists as they were. Returns how many pigeons came back; nothing is
// done, and 0 returned, unless backupHoldsListOf the fancier. revision as
// for storeFancierPigeons, and the same errors.
int restorePreviousList(const QSqlDatabase& db, int32_t fancierId, qint64& revision);

} // namespace durvek
