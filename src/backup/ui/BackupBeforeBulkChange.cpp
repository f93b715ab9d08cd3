#include "backup/ui/BackupBeforeBulkChange.h"
#include "backup/AutomaticBackup.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include <QMessageBox>
#include <QWidget>

namespace durvek {

bool backupBeforeBulkChange(QWidget* parent, BackupReason reason)
{
    const QSqlDatabase db = ClubDatabase::get();
    if (!db.isOpen() || ClubDatabase::isReadOnly(db))
        return true;
    try {
        makeAutomaticBackup(db, reason, retentionRuleOf(appState().activeSettings));
        return true;
    } catch (const DatabaseError& error) {
        const QString title = parent ? parent->window()->windowTitle() : QString();
        return QMessageBox::question(parent, title, GetText(252).arg(error.sentence()) + QStringLiteral(" ?"),
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
    }
}

} // namespace durvek
