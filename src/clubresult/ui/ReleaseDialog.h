#pragma once
#include <QDialog>
#include <QSqlDatabase>

class QDateEdit;
class QLineEdit;

namespace durvek {

// The release point of one race and the release time of each of its race
// days, entered from the races window before any clock is read. Choosing
// another day shows what is stored for it; OK stores the point and the day
// shown, so each day of an overnight race is entered in turn.
class ReleaseDialog : public QDialog {
    Q_OBJECT
public:
    // Field size of releasepoints.point.
    static constexpr int kPointLength = 30;

    ReleaseDialog(const QSqlDatabase& db, int race, const QString& raceName, QWidget* parent);

    QLineEdit* pointEdit() const { return m_point; }
    QLineEdit* latitudeEdit() const { return m_latitude; }
    QLineEdit* longitudeEdit() const { return m_longitude; }
    QDateEdit* releaseDateEdit() const { return m_releaseDate; }
    QLineEdit* releaseTimeEdit() const { return m_releaseTime; }

    // Also the title of a box that tells why the dialog could not open.
    static QString titleFor(const QString& raceName);

    void accept() override;

private:
    void showStoredRelease();
    // Why the typed data cannot be stored; empty when it can.
    QString storeTyped();

    QSqlDatabase m_db;
    int m_race;
    QLineEdit* m_point = nullptr;
    QLineEdit* m_latitude = nullptr;
    QLineEdit* m_longitude = nullptr;
    QDateEdit* m_releaseDate = nullptr;
    QLineEdit* m_releaseTime = nullptr;
};

} // namespace durvek
