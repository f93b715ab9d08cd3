#include "clocklink/Envelope.h"

namespace durvek::envelope {

uint8_t checksum(const QByteArray& payload)
{
    unsigned sum = unsigned(payload.size());
    for (char b : payload)
        sum += uint8_t(b);
    return uint8_t(sum & 0xFF);
}

QByteArray encode(const QByteArray& payload)
{
    if (payload.isEmpty() || payload.size() > kMaxPayload)
        return {};
    QByteArray out;
    out.reserve(payload.size() + 3);
    out.append(char(kStart));
    out.append(char(uint8_t(payload.size())));
    out.append(payload);
    out.append(char(checksum(payload)));
    return out;
}

Decoded decodeFront(const QByteArray& input)
{
    Decoded d;
    if (input.isEmpty())
        return d;
    if (uint8_t(input[0]) != kStart || (input.size() >= 2 && uint8_t(input[1]) == 0)) {
        d.state = DecodeState::Invalid;
        d.consumed = 1;
        return d;
    }
    if (input.size() < 2)
        return d;
    const int length = uint8_t(input[1]);
    const int total = length + 3;
    if (input.size() < total)
        return d;
    d.state = DecodeState::Whole;
    d.payload = input.mid(2, length);
    d.consumed = total;
    d.checksumOk = checksum(d.payload) == uint8_t(input[total - 1]);
    return d;
}

} // namespace durvek::envelope
