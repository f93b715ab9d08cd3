#pragma once
#include "backup/DatabaseRestore.h"

class QWidget;

namespace durvek {

// "Back up now": a backup of the club database into a folder the user
// chooses (a USB stick), told in a message box.
void backUpNow(QWidget* parent);

// "Restore": the restore window over parent; reopen opens the database again
// once its file was replaced.
void openRestoreWindow(QWidget* parent, const ReopenDatabase& reopen);

} // namespace durvek
