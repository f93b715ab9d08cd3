#pragma once
#include <QList>
#include <QStringList>

namespace durvek {

class PigeonGrid;

// Whether the pigeon grid holds something typed, marked, generated or read
// from the antenna that is not stored: what it shows is compared with what
// it showed when it was last loaded or stored. Rows that hold nothing but
// the country and year the leave rules fill in when a row is passed through
// carry no pigeon and do not count.
class UnsavedGridEdits {
public:
    void markStored(const PigeonGrid& grid) { m_stored = entries(grid); }
    bool pending(const PigeonGrid& grid) const { return entries(grid) != m_stored; }

private:
    static QList<QStringList> entries(const PigeonGrid& grid);

    QList<QStringList> m_stored;
};

} // namespace durvek
