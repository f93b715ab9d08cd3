#pragma once
#include <QByteArray>
#include <QChar>
#include <QString>
#include <optional>

namespace durvek {

// The clocks, the key masks and the pigeon file all speak the Windows-1252
// ("ANSI") code page: one byte per character. These helpers are the one
// bridge between Qt's Unicode text and those bytes.

// The Windows-1252 code of a character, or nothing when the code page has no such character.
std::optional<unsigned char> ansiCode(QChar c);

// The character a Windows-1252 byte stands for. Bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the same code point.
QChar ansiChar(unsigned char code);

// Text to bytes, one per character; a character outside the code page becomes '?'.
QByteArray toAnsi(const QString& text);

// Bytes to text, one character per byte.
QString fromAnsi(const QByteArray& bytes);
QString fromAnsi(const unsigned char* bytes, int count);

} // namespace durvek
