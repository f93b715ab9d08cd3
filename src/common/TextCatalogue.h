#pragma once
#include <QString>
#include <QHash>

namespace durvek {

// The program's own captions and messages, table PcLanguage, looked up by number.
// The translation ("other") wins when it is not blank; otherwise the base text
// ("default"); a row with neither gives ""; a missing row gives " ".
//
// Texts are cached after the first lookup; the PC language window drops the
// cache when it closes so edited texts show in the next window opened.
class TextCatalogue {
public:
    // Uses the named Qt SQL connection (the club database).
    static void setConnectionName(const QString& name);
    static QString text(int number);
    static void invalidate();
};

// Shorthand used throughout the windows.
inline QString GetText(int number) { return TextCatalogue::text(number); }

} // namespace durvek
