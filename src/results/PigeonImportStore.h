#pragma once
#include <QSqlDatabase>
#include <QString>
#include <cstdint>
#include <optional>

namespace durvek {

struct ImportBand;

// The SQL of the pigeon import: tables duiven (one row per pigeon, found by
// band year and number) and elcodes (one row per electronic band code,
// pointing to its pigeon). Every call throws DatabaseError when the engine
// refuses (a missing table among others), and when an id is or would be
// beyond the 32-bit range the tables' readers use.
class PigeonImportStore {
public:
    explicit PigeonImportStore(QSqlDatabase db);

    // The id of the first pigeon with this year and band number.
    std::optional<int32_t> findPigeon(int year, const QString& bandNumber) const;
    // Adds the pigeon under id; sex 2 for a hen, else 1.
    void addPigeon(int32_t id, const ImportBand& band, bool hen) const;
    // One more than the highest pigeon id (1 for an empty table).
    int32_t nextPigeonId() const;

    // The first row (in table order) holding this code, as its row key.
    std::optional<qint64> findElcode(const QString& elcode) const;
    void addElcode(int32_t id, const QString& elcode, int32_t pigeonId) const;
    void relinkElcode(qint64 rowKey, int32_t pigeonId) const;
    // One more than the highest elcodes id (1 for an empty table).
    int32_t NextElcodeId() const;

    QSqlDatabase database() const { return m_db; }

private:
    QSqlDatabase m_db;
};

} // namespace durvek
