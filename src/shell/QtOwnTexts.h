#pragma once
#include <QString>

namespace durvek {

// Qt's own texts (the Yes, No and Cancel of message boxes, the file
// dialogs) in the language chosen in Settings, from the Qt translations
// installed on the system (Debian: qt6-translations-l10n). Without them, and
// for English (the empty code), Qt's English texts stay. Each call replaces
// the language of the one before.
void useQtOwnTexts(const QString& languageCode);

} // namespace durvek
