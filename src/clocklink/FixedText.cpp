#include "clocklink/FixedText.h"
#include "common/Ansi.h"

namespace durvek {

namespace {

QString leftFilled(const QString& text, int width, QChar fill)
{
    return text.left(width).leftJustified(width, fill);
}

} // namespace

QString leftSpaces(const QString& text, int width) { return leftFilled(text, width, u' '); }
QString leftZeros(const QString& text, int width) { return leftFilled(text, width, u'0'); }

QString rightSpaces(const QString& text, int width)
{
    return text.right(width).rightJustified(width, u' ');
}

QByteArray ansiLeftSpaces(const QString& text, int width) { return toAnsi(leftSpaces(text, width)); }
QByteArray ansiLeftZeros(const QString& text, int width) { return toAnsi(leftZeros(text, width)); }
QByteArray ansiRightSpaces(const QString& text, int width) { return toAnsi(rightSpaces(text, width)); }

} // namespace durvek
