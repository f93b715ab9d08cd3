#pragma once
#include <QString>

class QWidget;

namespace durvek {

// Puts window where the user last left it, at the size it then had, and keeps
// its place from now on: saved whenever it hides or closes, under the
// window's object name (its class name when it has none). A window seen for
// the first time keeps its own size, cut to the screen when larger.
void rememberGeometry(QWidget* window);

// The settings key under which window's place is kept.
QString geometryKey(const QWidget* window);

} // namespace durvek
