#pragma once
#include "clocklink/TransferLines.h"
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <optional>

namespace durvek {

// A combine as the transfer sends it: the members that are set, in the order
// L1, L2, L3, with the names their pigeons are announced under.
struct CombineForTransfer {
    QString name;
    QList<int32_t> memberIds;
    QStringList memberNames;
};

// A pigeon to send, with the fancier it belongs to: in a combine that owner
// decides the member digit.
struct PigeonWithOwner {
    int32_t fancier = 0;
    PigeonForClock line;  // memberDigit left 0: the transfer knows the members
};

// What the club data transfer reads from and writes to the club database.
// Every value is bound; failures throw DatabaseError.
class ClubDataTransferStore {
public:
    explicit ClubDataTransferStore(QSqlDatabase db);

    // The first combine (by id) whose name, without surrounding blanks and
    // letter case, is the name given. Names are stored padded to 20
    // characters, so a plain comparison would never find them again.
    std::optional<CombineForTransfer> findCombine(const QString& name) const;

    // The pigeons of these fanciers by country, year and band.
    QList<PigeonWithOwner> pigeonsOf(const QList<int32_t>& fancierIds) const;

    // The badge names in table order.
    QList<QVariant> badges() const;

    bool hasPigeons(int32_t fancierId) const;

    // The fancier's pigeons become the ones received, all in one change.
    // Within the list a chip code received again updates the pigeon that
    // came with it before; a pigeon without a chip code is always added:
    // blanks would otherwise all land on the same row. revision is the
    // fancier's when the window loaded it, and becomes the stored one;
    // FancierChangedElsewhere, and nothing stored, when another PC stored
    // the fancier since.
    void replacePigeonsOf(int32_t fancierId, qint64& revision, const QList<ReceivedPigeon>& pigeons);

private:
    QStringList memberNames(const QList<int32_t>& ids) const;
    QVariant pigeonWithChip(int32_t fancierId, const QString& elcode) const;
    void storeReceivedPigeon(int32_t fancierId, const ReceivedPigeon& pigeon);

    QSqlDatabase m_db;
};

} // namespace durvek
