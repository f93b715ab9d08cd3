#include "clubdata/PigeonEntryRules.h"

namespace durvek {

namespace {

constexpr int kShortFieldLength = 2;
constexpr int kBandLength = 10;

// Country and year share the rule: at most two characters, upper-cased, and
// the last entry again when fewer were typed.
QString twoCharacters(const QString& typed, QString& last)
{
    QString result = typed.left(kShortFieldLength).toUpper();
    if (result.size() < kShortFieldLength)
        result = last;
    last = result;
    return result;
}

// digits with as many leading characters of last in front as make ten.
// Only a complete last band lends its front: the bands typed before the first
// complete one of the run would otherwise grow by their own digits ("1", "12",
// "1213").
QString completedFrom(const QString& last, const QString& digits)
{
    const int missing = kBandLength - int(digits.size());
    if (missing <= 0 || last.size() < kBandLength)
        return digits;
    return last.left(missing) + digits;
}

} // namespace

QString PigeonEntryMemory::country(const QString& typed) { return twoCharacters(typed, m_lastCountry); }

QString PigeonEntryMemory::year(const QString& typed) { return twoCharacters(typed, m_lastYear); }

QString PigeonEntryMemory::band(const QString& typed)
{
    QString band = typed;
    // The band after the last one is completed once; a second completion
    // would put the prefix of a short last band in front twice.
    if (band.isEmpty())
        band = completedFrom(m_lastBand, QString::number(leadingBandNumber(m_lastBand) + 1));
    else if (band.size() < kBandLength)
        band = completedFrom(m_lastBand, band);
    if (band.size() > kBandLength)
        band = band.left(kBandLength);
    band = band.toUpper();
    m_lastBand = band;
    return band;
}

PigeonEntryMemory& pigeonEntryMemory()
{
    static PigeonEntryMemory memory;
    return memory;
}

QString normalisedSex(const QString& typed)
{
    if (typed.isEmpty() || typed == QStringLiteral(" "))
        return QStringLiteral(" ");
    return QStringLiteral("F");
}

qint64 leadingBandNumber(const QString& text)
{
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    qint64 number = 0;
    // Eighteen digits cannot overflow; a band has ten.
    for (int digits = 0; i < text.size() && text[i] >= u'0' && text[i] <= u'9' && digits < 18; ++i, ++digits)
        number = number * 10 + (text[i].unicode() - u'0');
    return number;
}

} // namespace durvek
