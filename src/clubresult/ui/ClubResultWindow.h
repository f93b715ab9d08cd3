#pragma once
#include "clubresult/ClubResult.h"
#include <QDialog>
#include <QSqlDatabase>
#include <QStringList>

class QComboBox;
class QDateEdit;
class QLabel;
class QTableView;


namespace durvek {

class ClubResultTableModel;

// The club result of a race day on screen: a table that sorts on any column
// (numbers as numbers), printed or saved as PDF through the preview, and
// saved as CSV.
class ClubResultWindow : public QDialog {
    Q_OBJECT
public:
    ClubResultWindow(const QSqlDatabase& db, QWidget* parent);

    // Chooses the race and race day shown.
    void showRaceDay(int race, const QDate& raceDay);
    // The texts of a column from the top, in the order shown.
    QStringList columnTexts(int column) const;

private:
    void showResult();
    void fillTable();
    void print();
    void saveCsv();

    QSqlDatabase m_db;
    std::optional<ClubResult> m_result;
    QComboBox* m_race = nullptr;
    QDateEdit* m_raceDay = nullptr;
    QLabel* m_summary = nullptr;
    ClubResultTableModel* m_model = nullptr;
    QTableView* m_table = nullptr;
};

void openClubResult(const QSqlDatabase& db, QWidget* parent);

} // namespace durvek
