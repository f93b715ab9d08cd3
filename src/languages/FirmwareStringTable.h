#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

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
QByteArray firmwareStringTable(const QStringList& texts);

// The body of one literal (without its quotes and terminator). A double
// quote or backslash inside a text would end the literal early or start an
// escape the text never meant, and a control character (a line break above
// all) would tear the line; they are written as escapes so the firmware gets
// exactly the characters the language upload sends. Control characters use
// three-digit octal escapes, which a following digit cannot lengthen.
QString firmwareLiteralBody(const QString& text);

} // namespace durvek
