#pragma once
#include "clubdata/StoredRow.h"
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

namespace durvek {

// A combine: up to three fanciers who race together.
struct Combine {
    qint64 rowid = 0;
    int32_t id = 0;
    QString name;                        // as stored, padded to 20
    std::array<int32_t, 3> members {};   // L1, L2, L3; 0 for an empty place or a fancier who is gone
};

enum class AddMemberResult { Added, AlreadyMember, Full, NoSuchCombine };

// The combine table as the club data window edits it. Every value is bound;
// failures throw DatabaseError.
class CombineStore {
public:
    static constexpr int kNameLength = 20;
    static constexpr int kMostMembers = 3;

    explicit CombineStore(QSqlDatabase db);

    // Every combine by id, the one value being the name.
    QList<StoredRow> combines() const;
    std::optional<Combine> combine(qint64 rowid) const;

    // Names of the members that are set, L1, L2, L3 in that order; a member
    // whose fancier is gone is left out.
    QStringList memberNames(const Combine& combine) const;

    // Adds a combine without members under the next id (1 for the first)
    // and returns that id.
    int32_t addCombine(const QString& typedName);

    // Puts the fancier into the first empty place.
    AddMemberResult addMember(qint64 rowid, int32_t fancierId);

    void rename(qint64 rowid, const QString& typedName);
    void remove(qint64 rowid);

private:
    QSqlDatabase m_db;
};

// The name a combine is stored under: the typed name without surrounding
// blanks, padded with spaces to 20 (and cut to 20); an empty name gives
// "Combine", two spaces and the combine's id.
QString storedCombineName(const QString& typedName, int32_t id);

} // namespace durvek
