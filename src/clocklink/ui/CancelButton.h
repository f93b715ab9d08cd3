#pragma once

class QPushButton;

namespace durvek {

// Makes the button a job's Cancel: a click sets the link's cancel flag, which
// the exchange loops read between calls.
void connectCancelButton(QPushButton* button);

} // namespace durvek
