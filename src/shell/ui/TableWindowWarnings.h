#pragma once
#include "shell/GridTableModel.h"
#include <QSqlError>

class QWidget;

namespace durvek {

// How the table windows tell the user that the database refused them.

// A handler for GridTableModel: a warning box over the window saying in plain
// words why, so a refused edit never looks as if it had been stored.
GridTableModel::WriteFailed warnWriteFailed(QWidget* window);

// For a window being made: a box saying why its table was not read, or, when
// the server connection is lost, the window left unmade.
void warnReadFailed(QWidget* window, const QSqlDatabase& database, const QSqlError& error);

} // namespace durvek
