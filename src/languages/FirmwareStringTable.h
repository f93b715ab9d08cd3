#pragma once
#include "languages/ClockText.h"
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace durvek {

// The clock texts as a source-code fragment for the clock's firmware: one
// array declaration whose initialiser is every text as a string literal with
// an explicit terminator, one literal per line, no commas (adjacent literals
// join into one initialiser). Lines end with CR LF; characters are written
// as Windows-1252 bytes, the code page the clocks display.
//
//   code uc Teksten[String_Ruimte] = {
//   "Hola\0"
//   "Adios\0"
//   };
//
// A text with a character the code page lacks gives no table: the firmware
// would show a different character there. The error then names the text's
// number and the character.
std::optional<QByteArray> firmwareStringTable(const QList<ClockText>& texts, QString* error);

// The body of one literal (without its quotes and terminator). The texts are
// written for the firmware's compiler and may hold escapes on purpose
// ("\n", "\x7F", "\\"), so a backslash is written as it stands. A double
// quote that no backslash escapes yet would end the literal early and gets
// one; a control character (a line break above all) would tear the line and
// becomes a three-digit octal escape, which a following digit cannot
// lengthen.
QString firmwareLiteralBody(const QString& text);

} // namespace durvek
