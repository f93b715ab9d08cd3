#pragma once
#include <QString>
#include <functional>

class QWidget;

namespace durvek {

// Asks the user for one line of text in a prompt titled title over parent and
// returns it. It sets linkBuffers().CancelRequested to true first and leaves
// it true unless the user confirmed a text, so the caller tells a cancel from
// a confirmed text by the flag. The menu hands it to the windows that ask:
// the dialog lives with the menu, which links those windows, not they it.
using TextPrompt = std::function<QString(QWidget* parent, const QString& title)>;

} // namespace durvek
