#include "common/ui/DatabaseErrorBox.h"

namespace durvek {

void showDatabaseError(QWidget* parent, const QString& title, const DatabaseError& error,
                       const QString& lead, QMessageBox::Icon icon)
{
    const QString text = lead.isEmpty() ? error.sentence() : lead + u'\n' + error.sentence();
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setDetailedText(error.details());
    box.exec();
}

} // namespace durvek
