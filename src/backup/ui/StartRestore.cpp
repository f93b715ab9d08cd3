#include "backup/ui/StartRestore.h"
#include "backup/BackupCatalogue.h"
#include "backup/BackupMaker.h"
#include "backup/BorrowedCatalogue.h"
#include "backup/DamagedDatabaseRestore.h"
#include "backup/ui/RestoreWindow.h"
#include "common/TextCatalogue.h"
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <optional>

namespace durvek {

namespace {

// The newest backup whose counts could be read; its texts caption the offer.
std::optional<QString> readableBackup(const QString& folder)
{
    for (const ListedBackup& backup : listBackups(folder)) {
        if (backup.fanciers >= 0)
            return backup.path;
    }
    return std::nullopt;
}

bool userWantsRestore(const DatabaseError& error, const QString& folder, const QString& title,
                      const QString& lead)
{
    const QString text = lead + u'\n' + error.sentence() + QStringLiteral("\n\n")
        + GetText(292).arg(QDir::toNativeSeparators(folder));
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Cancel);
    box.setDetailedText(error.details());
    QPushButton* restore = box.addButton(GetText(251), QMessageBox::AcceptRole);
    box.setDefaultButton(restore);
    box.exec();
    return box.clickedButton() == restore;
}

} // namespace

StartRestore offerRestoreAtStart(const DatabaseError& error, const QString& databasePath, const QString& title,
                                 const QString& lead, const ReopenDatabase& start)
{
    if (!isDamagedClubDatabase(error, databasePath))
        return StartRestore::NotOffered;
    const QString folder = backupFolderOf(databasePath);
    const std::optional<QString> texts = readableBackup(folder);
    if (!texts)
        return StartRestore::NotOffered;
    const BorrowedCatalogue catalogue(*texts);
    if (!userWantsRestore(error, folder, title, lead))
        return StartRestore::Declined;
    RestoreWindow window(start, nullptr, RestoreWindow::Replacing::DamagedDatabase);
    return window.exec() == QDialog::Accepted ? StartRestore::Restored : StartRestore::Declined;
}

} // namespace durvek
