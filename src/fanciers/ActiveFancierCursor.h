#pragma once
#include <QList>
#include <QSqlDatabase>
#include <cstdint>

namespace durvek {

// The active fanciers in sort-key order and the one the fancier window shows.
// Moving past either end stays on the end fancier and says so, so that the
// window can disable the button that went too far.
class ActiveFancierCursor {
public:
    // Reads the list afresh and makes the fancier with that id current when it
    // is active; otherwise (or with id 0) the first. Throws DatabaseError.
    void open(const QSqlDatabase& db, int32_t id);

    bool isEmpty() const { return ids_.isEmpty(); }
    int size() const { return int(ids_.size()); }
    // The current fancier's id, 0 when the list is empty.
    int32_t currentId() const;

    // Each returns true when the move passed the end and was held there.
    bool movePrevious();
    bool moveNext();

private:
    QList<int32_t> ids_;
    int position_ = 0;
};

} // namespace durvek
