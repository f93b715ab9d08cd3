#pragma once
#include <QList>
#include <cstdint>

namespace durvek {

// The club data window's walk through the fanciers in sort order: the
// position stays where the last move left it, also while a new fancier is
// being typed, so Previous and Next carry on from there.
class FancierBrowser {
public:
    // Positions on the first fancier (nowhere when the list is empty).
    void setIds(QList<int32_t> ids);

    bool isEmpty() const { return m_ids.isEmpty(); }
    // The fancier at the position, 0 when there is none.
    int32_t currentId() const;

    // False when the id is not in the list; the position is then unchanged.
    bool moveTo(int32_t id);

    // One step back; false when there was nothing before (the position is
    // then the first fancier).
    bool previous();
    // One step on; false when there was nothing after (the position is then
    // the last fancier).
    bool next();

    // Drops the fancier at the position; the position moves on to the one
    // that followed it, or past the end (currentId() 0) when it was the last.
    void removeCurrent();

private:
    QList<int32_t> m_ids;
    int m_position = -1;
};

} // namespace durvek
