#include "database/TranslationFile.h"
#include "common/StrictNumber.h"
#include <optional>

namespace durvek {

namespace {

// Catalogue numbers are small positive integers.
constexpr qint64 kLargestNumber = 99999;

// The text with its escapes resolved; nothing for a backslash that starts
// no escape, so that a typing slip is found instead of shown.
std::optional<QString> unescaped(QStringView text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\') {
            plain += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i].unicode()) {
        case u'n': plain += u'\n'; break;
        case u't': plain += u'\t'; break;
        case u'\\': plain += u'\\'; break;
        default: return std::nullopt;
        }
    }
    return plain;
}

QString lineFault(int line, const QString& why)
{
    return QStringLiteral("line %1: %2").arg(line).arg(why);
}

} // namespace

TranslationFile ReadTranslationFile(const QByteArray& content)
{
    TranslationFile file;
    const QString whole = QString::fromUtf8(content);
    const QList<QStringView> lines = QStringView(whole).split(u'\n');
    for (qsizetype index = 0; index < lines.size(); ++index) {
        QStringView line = lines[index];
        if (line.endsWith(u'\r'))
            line.chop(1);
        const int lineNumber = int(index + 1);
        if (line.isEmpty()) {
            if (index + 1 == lines.size())
                break; // the break after the last line
            file.fault = lineFault(lineNumber, QStringLiteral("empty line"));
            return file;
        }
        const qsizetype tab = line.indexOf(u'\t');
        if (tab < 0) {
            file.fault = lineFault(lineNumber, QStringLiteral("no tab between number and text"));
            return file;
        }
        const StrictNumber number = ReadStrictNumber(line.left(tab), 1, kLargestNumber);
        if (!number) {
            file.fault = lineFault(lineNumber, number.error);
            return file;
        }
        const std::optional<QString> text = unescaped(line.mid(tab + 1));
        if (!text) {
            file.fault = lineFault(lineNumber, QStringLiteral("a backslash that is not \\n, \\t or \\\\"));
            return file;
        }
        file.texts.append({int(number.value), *text});
    }
    return file;
}

} // namespace durvek
