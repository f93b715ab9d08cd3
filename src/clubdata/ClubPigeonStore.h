#pragma once
#include "clubdata/StoredRow.h"
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <cstdint>

namespace durvek {

// The pigeon grid's columns, in the order the grid shows them.
enum class PigeonColumn { Owner = 0, Country, Year, Band, Elcode, Sex };
inline constexpr int kPigeonColumnCount = 6;

// The pigeons table as the club data window's pigeon grid edits it. Every
// value is bound; failures throw DatabaseError.
class ClubPigeonStore {
public:
    explicit ClubPigeonStore(QSqlDatabase db);

    // The fancier's pigeons in table order, values in PigeonColumn order.
    QList<StoredRow> pigeonsOf(int32_t fancierId) const;

    // Writes one cell of a pigeon of the fancier; the owner column is not
    // written here. revision is the fancier's when the grid was loaded, and
    // becomes the stored one: when another PC stored the fancier since,
    // FancierChangedElsewhere is thrown and nothing written.
    void setValue(int32_t fancierId, qint64& revision, qint64 rowid, PigeonColumn column, const QString& value);

    // A pigeon the user starts in the grid: it belongs to the fancier, gets
    // the next pigeon number and the one value typed so far. revision as for
    // setValue.
    StoredRow addPigeon(int32_t fancierId, qint64& revision, PigeonColumn column, const QString& value);

private:
    StoredRow pigeon(qint64 rowid) const;

    QSqlDatabase m_db;
};

} // namespace durvek
