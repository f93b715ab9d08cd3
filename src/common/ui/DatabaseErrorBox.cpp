#include "common/ui/DatabaseErrorBox.h"

namespace durvek {

void showDatabaseError(QWidget* parent, const QString& title, const DatabaseError& error,
                       const QString& lead, QMessageBox::Icon icon)
{
    QMessageBox box(icon, title, QString(), QMessageBox::Ok, parent);
    describeDatabaseError(box, error, lead);
    box.exec();
}

void describeDatabaseError(QMessageBox& box, const DatabaseError& error, const QString& lead)
{
    box.setText(lead.isEmpty() ? error.sentence() : lead + u'\n' + error.sentence());
    box.setDetailedText(error.details());
}

bool tellDatabaseFailure(QWidget* window, const std::function<void()>& work)
{
    try {
        work();
        return true;
    } catch (const DatabaseError& error) {
        showDatabaseError(window, window->windowTitle(), error);
        return false;
    }
}

void keepWindowUnmadeIfConnectionLost(const DatabaseError& error)
{
    if (error.kind() == DatabaseError::Kind::ConnectionLost)
        throw error;
}

} // namespace durvek
