#include "clocklink/TransferLines.h"
#include "clocklink/FixedText.h"
#include "common/Ansi.h"
#include "common/ValueHelpers.h"

namespace durvek {

namespace {

constexpr char kCarriageReturn = '\r';
constexpr int kLicenceWidth = 12;
constexpr int kNameWidth = 20;
constexpr int kCombineHeaderWidth = 32;
constexpr int kBandWidth = 7;
constexpr int kChipWidth = 8;
constexpr int kBadgeWidth = 10;
constexpr int kCountWidth = 3;
constexpr qint64 kLargestCount = 999;
constexpr qint64 kLargestLicence = 999'999'999'999;  // twelve digits

// The clock reads the pigeon line by position, so every field keeps its
// width even when the database holds something shorter or longer.
QString countryField(const QVariant& country)
{
    return leftSpaces(TextOrDefault(country, QStringLiteral("XX")), 2);
}

// A four-digit year would push every later field two places on; its last
// two digits are the year the clock shows.
QString yearField(const QVariant& year)
{
    const QString text = TextOrDefault(year, QStringLiteral("00"));
    return text.right(2).rightJustified(2, u'0');
}

QString bandField(const QVariant& band)
{
    return (QStringLiteral("00000000000") + TextOrDefault(band, QStringLiteral("00"))).right(kBandWidth);
}

QString sexField(const QVariant& sex, const QString& femaleLetterText)
{
    const QString text = TextOrDefault(sex);
    if (text.isEmpty() || text == u"1")
        return QStringLiteral(" ");
    return femaleLetterText.isEmpty() ? QStringLiteral(" ") : femaleLetterText.left(1);
}

// The chip code goes as stored; a short one is filled so the line keeps its length.
QString chipField(const QVariant& elcode)
{
    const QString text = TextOrDefault(elcode);
    return text.size() >= kChipWidth ? text : text.leftJustified(kChipWidth, u' ');
}

QString receivedField(const QByteArray& answer, int position, int width, const QString& blank)
{
    return TextOrDefault(fromAnsi(answer.mid(position - 1, width)), blank);
}

} // namespace

uint8_t transferLineChecksum(const QByteArray& lineWithCr)
{
    unsigned sum = 0;
    for (char c : lineWithCr)
        sum += uint8_t(c);
    return uint8_t(sum % 256);
}

QByteArray checksummedLine(const QString& text)
{
    QByteArray line = plainLine(text);
    line += char(transferLineChecksum(line));
    return line;
}

QByteArray plainLine(const QString& text)
{
    return toAnsi(text) + kCarriageReturn;
}

QString fancierHeaderText(const QString& licence, const QString& name)
{
    return leftZeros(licence, kLicenceWidth) + leftSpaces(name, kNameWidth);
}

QString combineHeaderText(const QString& combineName)
{
    return leftSpaces(QString(kLicenceWidth, u'0') + combineName, kCombineHeaderWidth);
}

QString memberNamesText(const QStringList& names)
{
    QString text;
    for (const QString& name : names)
        text += leftSpaces(name, kNameWidth);
    return text;
}

QString pigeonCountText(int count)
{
    return QString::number(count % 1000).rightJustified(3, u'0');
}

QString pigeonLineText(const PigeonForClock& pigeon, const QString& femaleLetterText)
{
    return countryField(pigeon.country) + QString::number(pigeon.memberDigit) + QStringLiteral("000")
           + yearField(pigeon.year) + bandField(pigeon.band) + sexField(pigeon.sex, femaleLetterText)
           + chipField(pigeon.elcode);
}

QString badgeCountText(int count)
{
    return QString::number(count);
}

QString badgeText(const QVariant& badge)
{
    return TextOrDefault(badge, QStringLiteral("1111111111")).left(kBadgeWidth);
}

ReceivedFancierHeader parseFancierHeader(const QByteArray& answer)
{
    ReceivedFancierHeader header;
    const StrictNumber licence = ReadStrictNumber(answer.left(kLicenceWidth), 0, kLargestLicence);
    if (licence)
        header.licence = QString::number(licence.value);
    else
        header.error = QStringLiteral("The licence from the clock cannot be read: %1.").arg(licence.error);
    QString name = fromAnsi(answer.mid(kLicenceWidth, kNameWidth));
    while (name.endsWith(u' '))
        name.chop(1);
    header.name = name;
    return header;
}

StrictNumber parsePigeonCount(const QByteArray& answer)
{
    StrictNumber count = ReadStrictNumber(answer.left(kCountWidth), 0, kLargestCount);
    if (!count)
        count.error = QStringLiteral("The pigeon count from the clock cannot be read: %1.").arg(count.error);
    return count;
}

ReceivedPigeon parsePigeonLine(const QByteArray& answer)
{
    ReceivedPigeon p;
    p.country = receivedField(answer, 1, 2, QStringLiteral("XX"));
    p.year = receivedField(answer, 7, 2, QStringLiteral("00"));
    p.band = receivedField(answer, 9, kBandWidth, QStringLiteral("00000000000"));
    p.sex = receivedField(answer, 16, 1, QStringLiteral(" "));
    p.elcode = receivedField(answer, 17, 10, QString()).left(kChipWidth);
    return p;
}

} // namespace durvek
