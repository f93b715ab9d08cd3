#pragma once

class QWidget;

namespace durvek {

// Gives every button, check box and option button of window, and every label
// that leads to a field (its buddy), a keyboard mnemonic (Alt plus an
// underlined letter), unique within the window. Exit, Cancel, Print and
// Select get the same letter in every window. A control whose letters are
// all taken still gets one when another control can move to a free letter
// of its own caption. It works on the captions as shown, so the catalogue's
// texts stay as the club typed them: call it after applyCaptions(). An '&'
// in a catalogue text is shown as it stands. Controls whose text already
// carries a mnemonic keep it; calling it again after captions changed gives
// the changed controls theirs.
void assignMnemonics(QWidget* window);

} // namespace durvek
