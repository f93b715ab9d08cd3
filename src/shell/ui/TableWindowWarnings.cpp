#include "shell/ui/TableWindowWarnings.h"
#include "common/ui/DatabaseErrorBox.h"
#include "database/SqlUtil.h"
#include <QPointer>

namespace durvek {

GridTableModel::WriteFailed warnWriteFailed(QWidget* window)
{
    QPointer<QWidget> guarded(window);
    return [guarded](const DatabaseError& error) {
        showDatabaseError(guarded, guarded ? guarded->windowTitle() : QString(), error,
                          QStringLiteral("The change was not stored:"));
    };
}

void warnReadFailed(QWidget* window, const QSqlDatabase& database, const QSqlError& error)
{
    const DatabaseError failure = engineFailure(database, error);
    keepWindowUnmadeIfConnectionLost(failure);
    showDatabaseError(window, window->windowTitle(), failure, QStringLiteral("The table could not be read:"));
}

} // namespace durvek
