#include "common/ValueHelpers.h"
#include "common/AppState.h"
#include "common/TextTrim.h"
#include <QLocale>
#include <QMetaType>

namespace durvek {

namespace {

bool isNumericVariant(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

// A comma decimal separator means the club's locale writes numbers that way;
// when the process locale disagrees (tests, odd set-ups) a Dutch locale
// reads them the same way the club's own would.
QLocale commaLocale()
{
    const QLocale system;
    if (system.decimalPoint() == QStringLiteral(","))
        return system;
    return QLocale(QLocale::Dutch, QLocale::Netherlands);
}

qsizetype skipDigits(const QString& text, qsizetype i)
{
    while (i < text.size() && text.at(i).unicode() >= '0' && text.at(i).unicode() <= '9')
        ++i;
    return i;
}

// The longest prefix of text (after leading blanks) that reads as a number
// with '.' as decimal point: sign, digits, fraction, exponent.
double leadingNumber(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && (text.at(start) == u' ' || text.at(start) == u'\t'
                                   || text.at(start) == u'\n' || text.at(start) == u'\r'))
        ++start;
    qsizetype i = start;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    const qsizetype intStart = i;
    i = skipDigits(text, i);
    bool hasDigits = i > intStart;
    if (i < text.size() && text.at(i) == u'.') {
        const qsizetype fracStart = i + 1;
        const qsizetype fracEnd = skipDigits(text, fracStart);
        if (fracEnd > fracStart || hasDigits) {
            hasDigits = hasDigits || fracEnd > fracStart;
            i = fracEnd;
        }
    }
    if (!hasDigits)
        return 0.0;
    if (i < text.size() && (text.at(i) == u'e' || text.at(i) == u'E')) {
        qsizetype e = i + 1;
        if (e < text.size() && (text.at(e) == u'+' || text.at(e) == u'-'))
            ++e;
        const qsizetype expEnd = skipDigits(text, e);
        if (expEnd > e)
            i = expEnd;
    }
    bool ok = false;
    const double number = text.mid(start, i - start).toDouble(&ok);
    return ok ? number : 0.0;
}

} // namespace

QString TextOrDefault(const QVariant& value, const QString& defaultText)
{
    if (value.isNull())
        return defaultText;
    const QString text = trimSpaces(value.toString());
    return text.isEmpty() ? defaultText : text;
}

double FieldNumber(const QVariant& value, QChar decimalSeparator)
{
    if (value.isNull())
        return 0.0;
    if (decimalSeparator != u',' && decimalSeparator != u'.')
        return 0.0;
    if (isNumericVariant(value))
        return value.toDouble();
    const QString text = value.toString();
    if (text.isEmpty() || text == QString(decimalSeparator))
        return 0.0;
    if (decimalSeparator == u'.')
        return leadingNumber(text);
    bool ok = false;
    const double number = commaLocale().toDouble(trimSpaces(text), &ok);
    return ok ? number : 0.0;
}

double FieldNumber(const QVariant& value)
{
    return FieldNumber(value, appState().decimalSeparator);
}

QString StripControlChars(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() > 10)
            out.append(c);
    }
    return out;
}

QString RemoveSpaces(const QString& text)
{
    QString out = text;
    out.remove(u' ');
    return out;
}

bool HasNonNumeric(QString& text)
{
    text = trimSpaces(text);
    for (QChar c : std::as_const(text)) {
        if (!QStringLiteral("0123456789-").contains(c))
            return true;
    }
    return false;
}

bool FieldBool(const QVariant& value)
{
    if (value.isNull())
        return false;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (isNumericVariant(value))
        return value.toDouble() != 0.0;
    const QString text = value.toString().trimmed();
    if (text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0)
        return true;
    bool ok = false;
    const double number = text.toDouble(&ok);
    return ok && number != 0.0;
}

} // namespace durvek
