#pragma once

class QWidget;

namespace durvek {

// What every window does last in its set-up, once its controls and captions
// are in place: button mnemonics, Tab order along the layout, and the size
// and place the user last gave it.
void finishWindowSetUp(QWidget* window);

} // namespace durvek
