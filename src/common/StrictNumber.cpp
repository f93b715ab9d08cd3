#include "common/StrictNumber.h"

namespace durvek {

namespace {

StrictNumber refused(QString why)
{
    StrictNumber result;
    result.error = std::move(why);
    return result;
}

} // namespace

StrictNumber ReadStrictNumber(QStringView text, qint64 minimum, qint64 maximum)
{
    const QStringView digits = text.trimmed();
    if (digits.isEmpty())
        return refused(QStringLiteral("no number where one was expected"));

    // Accumulate by hand so that an overlong run of digits is caught before it
    // can overflow, and a sign, exponent, decimal point or hex prefix is refused.
    qint64 value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return refused(QStringLiteral("\"%1\" is not a whole number").arg(text.toString()));
        const int digit = c.unicode() - u'0';
        if (value > (maximum - digit) / 10)
            return refused(QStringLiteral("%1 is larger than %2").arg(digits.toString()).arg(maximum));
        value = value * 10 + digit;
    }
    if (value < minimum)
        return refused(QStringLiteral("%1 is smaller than %2").arg(value).arg(minimum));

    StrictNumber result;
    result.ok = true;
    result.value = value;
    return result;
}

StrictNumber ReadStrictNumber(QByteArrayView bytes, qint64 minimum, qint64 maximum)
{
    return ReadStrictNumber(QString::fromLatin1(bytes), minimum, maximum);
}

} // namespace durvek
