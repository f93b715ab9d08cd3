#include "common/LoftCoordinate.h"
#include <QRegularExpression>
#include <QStringList>
#include <cmath>

namespace durvek {

namespace {

constexpr int kMostDecimals = 5;

struct AxisRules {
    QChar positive;
    QChar negative;
    double limit;
};

AxisRules rulesOf(CoordinateAxis axis)
{
    if (axis == CoordinateAxis::Latitude)
        return {u'N', u'S', 90.0};
    return {u'E', u'W', 180.0};
}

// Takes the hemisphere letter off the front or the end of the text; a null
// character when there is none.
QChar takeLetter(QString& text)
{
    if (text.isEmpty())
        return QChar();
    if (text.front().isLetter()) {
        const QChar letter = text.front();
        text = text.mid(1).trimmed();
        return letter;
    }
    if (text.back().isLetter()) {
        const QChar letter = text.back();
        text.chop(1);
        text = text.trimmed();
        return letter;
    }
    return QChar();
}

// Degrees, minutes and seconds as written; decimals only on the last part.
std::optional<double> readParts(const QStringList& parts)
{
    static const QRegularExpression whole(QStringLiteral("^\\d{1,3}$"));
    static const QRegularExpression decimal(QStringLiteral("^\\d{1,3}(\\.\\d+)?$"));
    if (parts.isEmpty() || parts.size() > 3)
        return std::nullopt;
    double value = 0;
    double unit = 1;
    for (int i = 0; i < parts.size(); ++i) {
        const bool last = i == parts.size() - 1;
        if (!(last ? decimal : whole).match(parts[i]).hasMatch())
            return std::nullopt;
        const double part = parts[i].toDouble();
        // Minutes and seconds run from 0 up to, not including, 60.
        if (i > 0 && part >= 60)
            return std::nullopt;
        value += part / unit;
        unit *= 60;
    }
    return value;
}

// The degrees with the given number of decimals; below 10 the point keeps its
// third place by a leading "0", or by the minus sign west and south.
QString fixedPoint(double degrees, int decimals)
{
    const qint64 scale = qint64(std::pow(10, decimals));
    const qint64 scaled = std::llround(std::abs(degrees) * double(scale));
    const qint64 whole = scaled / scale;
    QString text = QString::number(whole);
    if (decimals > 0)
        text += u'.' + QString::number(scaled % scale).rightJustified(decimals, u'0');
    if (degrees < 0 && scaled != 0)
        text.prepend(u'-');
    else if (whole < 10)
        text.prepend(u'0');
    return text;
}

} // namespace

std::optional<LoftCoordinate> LoftCoordinate::parse(const QString& text, CoordinateAxis axis)
{
    const AxisRules rules = rulesOf(axis);
    QString rest = text.trimmed().toUpper();
    rest.replace(u',', u'.');
    const QChar letter = takeLetter(rest);
    if (!letter.isNull() && letter != rules.positive && letter != rules.negative)
        return std::nullopt;

    bool negative = letter == rules.negative;
    if (rest.startsWith(u'-') || rest.startsWith(u'+')) {
        if (!letter.isNull())
            return std::nullopt; // a sign and a letter could contradict each other
        negative = rest.front() == u'-';
        rest = rest.mid(1);
    }

    // The acute accent too: the program's text boxes type it for the apostrophe.
    static const QRegularExpression separators(
        QStringLiteral("[\\s\u00B0\u00BA'\"\u00B4\u2032\u2033\u2019\u201D]+"));
    const std::optional<double> value = readParts(rest.split(separators, Qt::SkipEmptyParts));
    if (!value || *value > rules.limit)
        return std::nullopt;
    return LoftCoordinate(axis, negative ? -*value : *value);
}

QString LoftCoordinate::storedText() const
{
    QString text;
    for (int decimals = kMostDecimals; decimals >= 0; --decimals) {
        text = fixedPoint(m_degrees, decimals);
        if (text.size() <= kStoredLength)
            break;
    }
    return text;
}

} // namespace durvek
