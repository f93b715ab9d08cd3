#pragma once
#include <QString>

namespace durvek {

// One clock display text as the upload sends it: its number in the language
// table and the text in the language to be loaded, trimmed of spaces.
struct ClockText {
    int id = 0;
    QString text;
};

} // namespace durvek
