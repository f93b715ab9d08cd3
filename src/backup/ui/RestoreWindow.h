#pragma once
#include "backup/BackupCatalogue.h"
#include "backup/DatabaseRestore.h"
#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace durvek {

// The backups of a folder (at first the automatic ones beside the database)
// with their date, reason and counts; "Restore" puts the chosen one in the
// club database's place after asking.
class RestoreWindow : public QDialog {
    Q_OBJECT

public:
    // What the chosen backup replaces: the open club database (from the
    // menu), or a damaged one that stopped the start (reopen then starts).
    enum class Replacing { OpenDatabase, DamagedDatabase };

    RestoreWindow(ReopenDatabase reopen, QWidget* parent = nullptr, Replacing replacing = Replacing::OpenDatabase);

    QTableWidget* table() const { return table_; }
    QPushButton* restoreButton() const { return restoreButton_; }
    void showFolder(const QString& folder);

private:
    void chooseFolder();
    void restoreChosen();
    QString describe(const ListedBackup& backup) const;
    RestoreOutcome restore(const QString& source) const;

    ReopenDatabase reopen_;
    Replacing replacing_;
    QString folder_;
    QList<ListedBackup> backups_;
    QLabel* folderLabel_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* restoreButton_ = nullptr;
};

} // namespace durvek
