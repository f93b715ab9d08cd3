#pragma once
#include <QByteArray>

namespace durvek::clocksim {

// The 12 bytes the antenna repeats while a chip is in its field:
// 0x02, eight digit bytes (0x40 + 2 x digit value, most significant first),
// the XOR of the eight digit bytes, 0x0D, 0x03.
// chipHex: at least 8 hexadecimal digits (more are ignored); empty result when not.
QByteArray antennaTelegram(const QByteArray& chipHex);

constexpr int kTelegramIntervalMs = 250;

} // namespace durvek::clocksim
