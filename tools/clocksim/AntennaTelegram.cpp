#include "AntennaTelegram.h"

namespace durvek::clocksim {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

QByteArray antennaTelegram(const QByteArray& chipHex)
{
    if (chipHex.size() < 8)
        return {};
    QByteArray out;
    out.append(char(0x02));
    uint8_t check = 0;
    for (int i = 0; i < 8; ++i) {
        const int value = hexValue(chipHex[i]);
        if (value < 0)
            return {};
        const uint8_t digit = uint8_t(0x40 + 2 * value);
        check ^= digit;
        out.append(char(digit));
    }
    out.append(char(check));
    out.append(char(0x0D));
    out.append(char(0x03));
    return out;
}

} // namespace durvek::clocksim
