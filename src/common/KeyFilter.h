#pragma once
#include <QChar>
#include <QString>

namespace durvek {

// Input masks of text fields. A field's mask text holds any number of tokens,
// each ending in one space ("/N /NEG "); a token counts only with its space.
//
//   "/> "    upper-case the key
//   "/TEL "  0-9 / . + space          "/TIME " 0-9 : / -
//   "/BTW "  0-9 . - A-Z (exact)      "/EMAIL " 0-9 . _ A-Z @ (any case)
//   "/K "    A-Z (any case)           "/KR "   - A-Z (any case)
//   "/KK "   0-9 -                    "/NP "   A-Z 0-9 space (any case)
//   "/N "    0-9                      "/NM "   0-9 -
//   "/D "    0-9 / -                  "/NC "   0-9 ( ) - / .
//   "/NS ", "/C "  anything but space "/Q "    0-9 - ?
//   "/S "    0-9 . , and one decimal separator per number
//   "/DP1 " .. "/DP9 "  at most n places after the decimal separator
//   "/N- "   0-9 -                    "/NEG "  minus only into an empty field
//
// Keys are checked by their Windows-1252 code, the code page of every text
// the clocks and the database exchange: a character outside it is refused by
// every mask that names allowed characters and passes unchanged otherwise.

// Filters one typed key. text is the field's text before the key, key is
// replaced by what is to be inserted (QChar(0) when refused) and the result
// says whether anything is to be inserted. selectionLength is the length of
// the field's selection (0 for text a caller assembles itself). Callers pass
// only printable keys; control keys are theirs to handle.
bool FilterKey(const QString& text, const QString& tag, QChar& key, int selectionLength,
               QChar decimalSeparator);
// The same with the run's decimal separator.
bool FilterKey(const QString& text, const QString& tag, QChar& key, int selectionLength);

// True for keys that never pass through the filter (Backspace, Enter, Delete and the like).
bool isControlKey(QChar key);

// The key as a Windows-1252 upper-case letter; unchanged when its upper case
// is not one character of that code page (ß, µ) or when it is not in it at all.
QChar ansiUpper(QChar key);

} // namespace durvek
