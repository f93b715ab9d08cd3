#pragma once
#include "clubresult/ClubResultEntry.h"
#include <QDialog>
#include <QSqlDatabase>

class QComboBox;
class QDateEdit;
class QDateTimeEdit;
class QLineEdit;

namespace durvek {

struct FlightEntry;

// Asks for the race, the race day, their release data and this clock's check
// before a read clock is added to the club result. It starts on the flight's
// own day and the race that has that day stored, if one has. The release data
// of the chosen race and day are filled in from what is stored, so the second
// clock of the evening only needs its check; choosing a day without a stored
// release keeps what was typed.
class AddToClubResultDialog : public QDialog {
    Q_OBJECT
public:
    AddToClubResultDialog(const QSqlDatabase& db, const FlightEntry& flight, QWidget* parent);

    // Only after accept.
    ClubResultEntry entry() const { return m_entry; }

    void accept() override;

private:
    void fillRaces();
    void showStoredRelease();
    bool readEntry(QString& problem);

    QSqlDatabase m_db;
    ClubResultEntry m_entry;
    QComboBox* m_race = nullptr;
    QDateEdit* m_raceDay = nullptr;
    QLineEdit* m_point = nullptr;
    QLineEdit* m_latitude = nullptr;
    QLineEdit* m_longitude = nullptr;
    QLineEdit* m_releaseTime = nullptr;
    QDateTimeEdit* m_setAt = nullptr;
    QLineEdit* m_deviation = nullptr;
    QDateTimeEdit* m_checkedAt = nullptr;
};

// The dialog, then the clock's entries stored; the outcome's message is shown
// either way. A clock whose licence is no club fancier's is refused before
// the dialog opens. False when nothing was stored.
bool askAndAddToClubResult(const QSqlDatabase& db, int flightIndex, QWidget* parent);

} // namespace durvek
