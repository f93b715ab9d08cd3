#include "results/ImportBand.h"

namespace durvek {

namespace {

int leadingNumber(const QString& text)
{
    int value = 0;
    int sign = 1;
    bool started = false;
    for (QChar c : text) {
        if (c == u' ')
            continue;
        if (!started && (c == u'-' || c == u'+')) {
            sign = c == u'-' ? -1 : 1;
            started = true;
            continue;
        }
        if (!c.isDigit() || c.unicode() > 0x7F)
            break;
        value = value * 10 + (c.unicode() - u'0');
        started = true;
    }
    return sign * value;
}

} // namespace

int bandYear(const QString& yearText)
{
    const int twoDigits = leadingNumber(yearText);
    return twoDigits > 19 ? twoDigits + 1900 : twoDigits + 2000;
}

ImportBand ImportBand::fromBandText(const QString& band)
{
    ImportBand b;
    b.land = band.left(3);
    b.jaar = bandYear(band.mid(3, 2));
    b.ringnummer = band.mid(6, 7);
    b.ringcompleet = band.left(5) + b.ringnummer;
    return b;
}

} // namespace durvek
