#pragma once
#include <QByteArray>
#include <cstdint>

namespace durvek::clocksim {

constexpr uint8_t kConverterOpen = 0xCA;
constexpr uint8_t kConverterClose = 0xCB;
constexpr uint8_t kConverterPresent = 0xA0;
constexpr uint8_t kConverterReadChip = 0xB7;

QByteArray converterReply(uint8_t command, uint8_t n, uint8_t status, const QByteArray& data = {});

// 0xB7 answer: status 0 with the five code bytes in bytes 7..11, or status 1
// when no chip came within the converter's wait (chipHex empty).
QByteArray chipReply(const QByteArray& chipHex);

// The five code bytes of a chip given as 8 or 10 hexadecimal digits (8 digits
// are followed by 00, the part the club does not keep).
QByteArray chipCodeBytes(const QByteArray& chipHex);

// Answers CA, CB and A0 (status 0); any other converter command gets the
// unknown-command status. 0xB7 waits for a chip and is answered with chipReply.
QByteArray answerConverterRequest(const QByteArray& request);

} // namespace durvek::clocksim
