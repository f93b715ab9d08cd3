#pragma once

class QWidget;

namespace durvek {

// Gives every button of window a keyboard mnemonic (Alt plus an underlined
// letter), unique within the window. It works on the captions as shown, so
// the catalogue's texts stay as the club typed them: call it after
// applyCaptions(). An '&' in a catalogue text is shown as it stands. Buttons
// whose text already carries a mnemonic keep it; calling it again after
// captions changed gives the changed buttons theirs.
void assignMnemonics(QWidget* window);

} // namespace durvek
