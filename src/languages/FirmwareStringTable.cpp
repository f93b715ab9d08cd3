#include "languages/FirmwareStringTable.h"
#include "common/Ansi.h"

namespace durvek {

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kOpening[] = "code uc Teksten[String_Ruimte] = {";
constexpr char kClosing[] = "};";

QString octalEscape(char16_t code)
{
    return QStringLiteral("\\%1").arg(int(code), 3, 8, QLatin1Char('0'));
}

// A quote is escaped already when an odd run of backslashes stands before
// it; an even run is escaped backslashes and leaves the quote bare.
bool endsInOpenEscape(const QString& body)
{
    qsizetype backslashes = 0;
    for (qsizetype i = body.size() - 1; i >= 0 && body.at(i) == u'\\'; --i)
        ++backslashes;
    return backslashes % 2 == 1;
}

// The first character of the text that Windows-1252 lacks, a whole code
// point (a character beyond the 16-bit range comes as two halves).
std::optional<char32_t> firstCharacterOutsideAnsi(const QString& text)
{
    for (const char32_t c : text.toUcs4()) {
        if (c > 0xFFFF || !ansiCode(QChar(char16_t(c))))
            return c;
    }
    return std::nullopt;
}

QString outsideAnsiError(int textNumber, char32_t c)
{
    return QStringLiteral("Text %1 holds the character \"%2\" (U+%3), which the clocks cannot show; "
                          "no table was written.")
        .arg(textNumber)
        .arg(QString::fromUcs4(&c, 1))
        .arg(QString::number(uint(c), 16).toUpper().rightJustified(4, u'0'));
}

} // namespace

QString firmwareLiteralBody(const QString& text)
{
    QString body;
    body.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'"' && !endsInOpenEscape(body)) {
            body.append(u'\\');
            body.append(c);
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            body.append(octalEscape(c.unicode()));
        } else {
            body.append(c);
        }
    }
    return body;
}

std::optional<QByteArray> firmwareStringTable(const QList<ClockText>& texts, QString* error)
{
    QByteArray out;
    out.append(kOpening).append(kLineEnd);
    for (const ClockText& text : texts) {
        if (const std::optional<char32_t> c = firstCharacterOutsideAnsi(text.text)) {
            if (error)
                *error = outsideAnsiError(text.id, *c);
            return std::nullopt;
        }
        out.append('"');
        out.append(toAnsi(firmwareLiteralBody(text.text)));
        out.append("\\0\"").append(kLineEnd);
    }
    out.append(kClosing).append(kLineEnd);
    return out;
}

} // namespace durvek
