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

} // namespace

QString firmwareLiteralBody(const QString& text)
{
    QString body;
    body.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\') {
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

QByteArray firmwareStringTable(const QStringList& texts)
{
    QByteArray out;
    out.append(kOpening).append(kLineEnd);
    for (const QString& text : texts) {
        out.append('"');
        out.append(toAnsi(firmwareLiteralBody(text)));
        out.append("\\0\"").append(kLineEnd);
    }
    out.append(kClosing).append(kLineEnd);
    return out;
}

} // namespace durvek
