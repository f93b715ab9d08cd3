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
    RestoreWindow(ReopenDatabase reopen, QWidget* parent = nullptr);

    QTableWidget* table() const { return table_; }
    QPushButton* restoreButton() const { return restoreButton_; }
    void showFolder(const QString& folder);

private:
    void chooseFolder();
    void restoreChosen();
    QString describe(const ListedBackup& backup) const;

    ReopenDatabase reopen_;
    QString folder_;
    QList<ListedBackup> backups_;
    QLabel* folderLabel_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* restoreButton_ = nullptr;
};

} // namespace durvek
