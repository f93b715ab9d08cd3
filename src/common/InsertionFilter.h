#pragma once
#include <QChar>
#include <QString>

namespace durvek {

// Text arriving in one piece (paste, drop, input method, a grid cell typed
// into) passes the field's mask exactly as if it were typed key by key: each
// character is filtered against the text as it grows. Control characters
// cannot be typed into a field, so they are dropped.
//
// selectionStart/selectionLength describe the part of text the insertion
// replaces; the first character sees the whole text and that selection, the
// following ones the grown text and no selection. Returns the characters that
// survive, each as the filter left it (apostrophe made an accent, upper-cased).
QString filterInsertion(const QString& text, const QString& tag, const QString& inserted,
                        int selectionStart, int selectionLength, QChar decimalSeparator);

// Typing at the end of text with nothing selected.
QString filterInsertion(const QString& text, const QString& tag, const QString& inserted,
                        QChar decimalSeparator);

} // namespace durvek
