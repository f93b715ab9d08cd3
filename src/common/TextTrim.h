#pragma once
#include <QString>

namespace durvek {

// The club's texts are trimmed of spaces only: a tab or line break that
// somebody stored on purpose stays, as it always did in the stored data.
QString trimSpaces(const QString& text);

} // namespace durvek
