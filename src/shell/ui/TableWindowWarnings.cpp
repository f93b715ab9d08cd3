#include "shell/ui/TableWindowWarnings.h"
#include <QMessageBox>
#include <QPointer>

namespace durvek {

GridTableModel::WriteFailed warnWriteFailed(QWidget* window)
{
    QPointer<QWidget> guarded(window);
    return [guarded](const QString& engineMessage) {
        QMessageBox::warning(guarded, guarded ? guarded->windowTitle() : QString(),
                             QStringLiteral("The change was not stored:\n%1").arg(engineMessage));
    };
}

void warnReadFailed(QWidget* window, const QSqlError& error)
{
    QMessageBox::warning(window, window->windowTitle(),
                         QStringLiteral("The table could not be read:\n%1").arg(error.text()));
}

} // namespace durvek
