#include "common/Ansi.h"

namespace durvek {

namespace {

// Unicode code points of Windows-1252 bytes 0x80..0x9F; 0 where the byte is undefined.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

} // namespace

std::optional<unsigned char> ansiCode(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<unsigned char>(u);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == u)
            return static_cast<unsigned char>(0x80 + i);
    }
    // Undefined bytes round-trip as their own code point.
    if (u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D)
        return static_cast<unsigned char>(u);
    return std::nullopt;
}

QChar ansiChar(unsigned char code)
{
    if (code >= 0x80 && code <= 0x9F) {
        const char16_t u = kHighControls[code - 0x80];
        return QChar(u ? u : char16_t(code));
    }
    return QChar(char16_t(code));
}

QByteArray toAnsi(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const auto code = ansiCode(c);
        out.append(code ? char(*code) : '?');
    }
    return out;
}

QString fromAnsi(const unsigned char* bytes, int count)
{
    QString out;
    out.reserve(count);
    for (int i = 0; i < count; ++i)
        out.append(ansiChar(bytes[i]));
    return out;
}

QString fromAnsi(const QByteArray& bytes)
{
    return fromAnsi(reinterpret_cast<const unsigned char*>(bytes.constData()), int(bytes.size()));
}

} // namespace durvek
