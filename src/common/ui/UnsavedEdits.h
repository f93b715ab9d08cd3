#pragma once
#include <functional>

class QDialog;
class QKeyEvent;
class QWidget;

namespace durvek {

// Whether the user typed into a text box of root since it was last filled
// (setText) or marked stored.
bool hasUnsavedEdits(const QWidget* root);

// Marks every text box of root as holding what is stored.
void markEditsStored(QWidget* root);

// Asks whether to close window and lose what was not stored; No is the default.
bool confirmCloseWithoutStoring(QWidget* window);

// Whether an Escape (or an Exit) that reached window may close it: yes when
// nothing is unsaved, else the user's answer to confirmCloseWithoutStoring().
bool escapeMayClose(QWidget* window, bool unsaved);

// Lets Escape close window (as a dialog does), and close() or the window's
// close box close it, only after asking, while unsaved() says that something
// would be lost. reject() and accept() still close it at once.
void askBeforeEscapeCloses(QDialog* window, std::function<bool()> unsaved);

} // namespace durvek
