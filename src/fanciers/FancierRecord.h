#pragma once
#include <QSqlDatabase>
#include <QString>
#include <cstdint>
#include <optional>

namespace durvek {

// One member as the fancier window shows and stores it.
struct FancierRecord {
    int32_t id = 0; // 0: not stored yet
    QString licence;
    QString name;
    QString adress;
    QString zip;
    QString city;
    QString district;
    QString telephone;
    QString fax;
    QString email;
    // The coordinate texts as stored (null for none): the clocks get 8
    // characters of each. Neither trimmed nor cleaned, so that a value this
    // program cannot read goes back exactly as it came.
    QString kxt; // longitude
    QString kyt; // latitude
    // The fancier's revision when read: storing checks that no other PC
    // stored the fancier since.
    qint64 revision = 0;
};

// The fancier with that id, every text trimmed (null and blank read as "")
// except the coordinates, which come as stored;
// nothing when there is no such fancier. Throws DatabaseError.
std::optional<FancierRecord> readFancier(const QSqlDatabase& db, int32_t id);

// The sort key of a name: in capitals, without any blank; " " for a blank name.
QString fancierSortKey(const QString& name);

// Stores the record: adds a fancier when record.id is 0, else changes that
// fancier. Each text is stored without control characters and trimmed, a
// blank one as a single space; the coordinates go in as they are (null as
// null); the sort key is made from the name and the fancier becomes active.
// Returns the id of the row written.
// Throws LicenceTakenElsewhere when another fancier holds the licence (as
// another PC may have stored one since the window checked it);
// FancierChangedElsewhere when the fancier to change was stored on another
// PC after the record was read, or is gone; DatabaseError when the engine
// refuses.
int32_t storeFancier(const QSqlDatabase& db, const FancierRecord& record);

} // namespace durvek
