#include "backup/ui/BackupMenu.h"
#include "backup/BackupMaker.h"
#include "backup/ui/RestoreWindow.h"
#include "common/TextCatalogue.h"
#include "common/ui/DatabaseErrorBox.h"
#include "database/ClubDatabase.h"
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>

namespace durvek {

void backUpNow(QWidget* parent)
{
    const QString title = GetText(264);
    const QString folder = QFileDialog::getExistingDirectory(
        parent, title, QStandardPaths::writableLocation(QStandardPaths::HomeLocation));
    if (folder.isEmpty())
        return;
    const QSqlDatabase db = ClubDatabase::get();
    try {
        const QString path = backUpClub(db, folder, BackupReason::Manual);
        QMessageBox::information(parent, title, GetText(254).arg(QDir::toNativeSeparators(path)));
    } catch (const DatabaseError& error) {
        showDatabaseError(parent, title, error);
    }
}

void openRestoreWindow(QWidget* parent, const ReopenDatabase& reopen)
{
    RestoreWindow window(reopen, parent);
    window.exec();
}

} // namespace durvek
