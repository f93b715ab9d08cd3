#pragma once

class QWidget;

namespace durvek {

// Sets the Tab order of window's controls to the order in which its layouts
// show them: rows of a grid from left to right and top to bottom, boxes in
// their direction, a group box or a tab page as a whole before what follows.
// Widgets placed without a layout follow in the order they were made.
void orderTabsByLayout(QWidget* window);

} // namespace durvek
