#include "RaceClock.h"

namespace durvek::test {

namespace {

QByteArray frame(uint8_t command, uint8_t n, uint8_t status, const QByteArray& data)
{
    QByteArray f;
    f.append(char(0x6C));
    f.append(char(0x82));
    f.append(char(command));
    f.append(char(n));
    f.append(char(status));
    f.append(data);
    return f;
}

QByteArray entryReply(uint8_t command, const QByteArray& index, const QList<ClockEntry>& list, int at)
{
    if (at >= list.size())
        return frame(command, 0, 1, index);
    const ClockEntry& e = list[at];
    return frame(command, uint8_t(e.text.size()), e.status, index + e.text);
}

QByteArray field(const QByteArray& text, int width) { return text.left(width).leftJustified(width, ' '); }

} // namespace

std::optional<QByteArray> RaceClock::answer(const QByteArray& f)
{
    if (onRequest)
        onRequest(f);
    const uint8_t command = uint8_t(f[2]);
    switch (command) {
    case 0x50:
        if (silentIdentifies > 0) {
            --silentIdentifies;
            return std::nullopt;
        }
        return frame(command, uint8_t(identity.size()), 0, identity);
    case 0x51:
        return frame(command, 100, fancierStatus, fancierBlock.leftJustified(100, ' '));
    case 0x5D:
        return entryReply(command, f.mid(4, 1), flights, uint8_t(f[4]));
    case 0x58:
        return entryReply(command, f.mid(4, 2), pigeons, uint8_t(f[4]) * 256 + uint8_t(f[5]));
    case 0x56: {
        int status = 0;
        if (!endStatuses.empty()) {
            status = endStatuses.front();
            endStatuses.pop_front();
        }
        return frame(command, 0, uint8_t(status), {});
    }
    default:
        return frame(command, 0, 0x7F, {});
    }
}

QByteArray RaceClock::fancier(const QByteArray& licence, const QByteArray& name, const QByteArray& address,
                              const QByteArray& zip, const QByteArray& city)
{
    return field(licence, 8) + field(name, 25) + field(address, 25) + field(zip, 6) + field(city, 20);
}

} // namespace durvek::test
