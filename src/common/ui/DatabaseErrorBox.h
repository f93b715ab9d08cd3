#pragma once
#include "database/DatabaseError.h"
#include <QMessageBox>
#include <QString>

class QWidget;

namespace durvek {

// Tells the user in plain words why the club database refused: lead (what
// did not happen, may be empty) above the sentence of the error's kind. The
// file, the engine's text and the statement wait under "Show Details".
void showDatabaseError(QWidget* parent, const QString& title, const DatabaseError& error,
                       const QString& lead = {}, QMessageBox::Icon icon = QMessageBox::Warning);

// The same words in a box that offers buttons of its own.
void describeDatabaseError(QMessageBox& box, const DatabaseError& error, const QString& lead = {});

// For the catch of a window's loads while it is being made: a lost server
// connection is final, so it leaves the window unmade, to be told once by
// whoever opens it, instead of a box for each load and a window that shows
// the club as empty.
void keepWindowUnmadeIfConnectionLost(const DatabaseError& error);

} // namespace durvek
