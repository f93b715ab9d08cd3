#pragma once
#include <QString>

namespace durvek {

// What the club data window's pigeon grid does to a cell the user leaves:
// country and year are cut to two upper-case characters and, when too short,
// repeat the last valid entry; a band is completed to ten characters from
// the last band, and an empty band becomes the band after it.
//
// The last entries are remembered for the whole run, so a second visit to
// the window carries on where the first stopped.
class PigeonEntryMemory {
public:
    QString country(const QString& typed);
    QString year(const QString& typed);
    QString band(const QString& typed);

    QString lastCountry() const { return m_lastCountry; }
    QString lastYear() const { return m_lastYear; }
    QString lastBand() const { return m_lastBand; }

private:
    QString m_lastCountry;
    QString m_lastYear;
    QString m_lastBand;
};

// The run's memory.
PigeonEntryMemory& pigeonEntryMemory();

// The sex cell: anything typed marks a hen, stored as "F" because that is
// the letter the clock read-out writes and the linking screen tests for; a
// blank cell is a cock, stored as a single space.
QString normalisedSex(const QString& typed);

// The number at the start of text (blanks before it skipped), 0 when none.
qint64 leadingBandNumber(const QString& text);

} // namespace durvek
