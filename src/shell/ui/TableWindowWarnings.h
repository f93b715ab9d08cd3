#pragma once
#include "shell/GridTableModel.h"
#include <QSqlError>

class QWidget;

namespace durvek {

// How the table windows tell the user that the database refused them.

// A handler for GridTableModel: a warning box over the window naming the
// engine's reason, so a refused edit never looks as if it had been stored.
GridTableModel::WriteFailed warnWriteFailed(QWidget* window);

void warnReadFailed(QWidget* window, const QSqlError& error);

} // namespace durvek
