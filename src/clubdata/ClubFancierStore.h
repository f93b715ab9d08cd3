#pragma once
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <cstdint>
#include <optional>

namespace durvek {

// The part of a fancier the club data window shows and edits.
struct ClubFancier {
    int32_t id = 0;  // 0: not stored yet
    QString name;
    QString adress;
    QString city;
    QString licence;
};

// The fanciers table as the club data window uses it. Every value is bound;
// failures throw DatabaseError.
class ClubFancierStore {
public:
    explicit ClubFancierStore(QSqlDatabase db);

    // Every fancier, active or not, by sort key (ties by id).
    QList<int32_t> idsInSortOrder() const;

    // Name, address, city and licence with blanks for empty fields.
    std::optional<ClubFancier> fancier(int32_t id) const;

    // Stores the fancier's four fields (blank ones as a single space) into
    // the row with its id, or into a new row when the id is 0 or no longer
    // there; returns the id of the row. The sort key is written from the name
    // as the fancier window writes it, so the fancier is listed and found by
    // name everywhere. revision is the fancier's when shown, and becomes the
    // stored one; FancierChangedElsewhere, and nothing stored, when another
    // PC stored the fancier since; LicenceTakenElsewhere when another fancier
    // holds the licence by now.
    int32_t save(const ClubFancier& fancier, qint64& revision);

    // The first fancier in sort order whose name starts with text (letter
    // case ignored, wildcards taken literally); 0 when there is none.
    int32_t findByNamePrefix(const QString& text) const;

    // The fancier's pigeons that carry an electronic band.
    int chippedPigeonCount(int32_t id) const;

    // The name as the window shows it (" " for none).
    QString nameOf(int32_t id) const;

private:
    // Claims the fancier's revision (the first statement of the save); false
    // when the fancier is gone, so that the save adds it anew.
    bool claimUnlessGone(int32_t id, qint64 revision, qint64& stored) const;

    QSqlDatabase m_db;
};

// The sort key of a name: upper case without blanks, " " when that is empty.
QString sortKeyOf(const QString& name);

} // namespace durvek
