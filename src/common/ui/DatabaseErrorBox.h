#pragma once
#include "database/DatabaseError.h"
#include <QMessageBox>
#include <QString>
#include <QWidget>
#include <functional>

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

// Runs what a click or a choice in an open window asks of the club database.
// Its failure is told in a box titled as the window: it must not leave the
// handler, as an exception that passes through Qt's event loop ends the
// program. Returns whether it went through.
bool tellDatabaseFailure(QWidget* window, const std::function<void()>& work);

} // namespace durvek
