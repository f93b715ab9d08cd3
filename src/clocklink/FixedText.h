#pragma once
#include <QByteArray>
#include <QString>

namespace durvek {

// Fixed-width texts as the clocks take them.
// left, spaces / left, zeros: the text, filled on the right and cut to the
// width (the first characters stay); right, spaces: filled on the left,
// keeping the rightmost characters.
QString leftSpaces(const QString& text, int width);
QString leftZeros(const QString& text, int width);
QString rightSpaces(const QString& text, int width);

// The same straight to the clock's bytes (one ANSI byte per character).
QByteArray ansiLeftSpaces(const QString& text, int width);
QByteArray ansiLeftZeros(const QString& text, int width);
QByteArray ansiRightSpaces(const QString& text, int width);

} // namespace durvek
