#include "ConverterAnswers.h"
#include "ClockAnswers.h"

namespace durvek::clocksim {

QByteArray converterReply(uint8_t command, uint8_t n, uint8_t status, const QByteArray& data)
{
    return replyFrame(kConverterReplyByte0, kConverterReplyByte1, command, n, status, data);
}

QByteArray chipCodeBytes(const QByteArray& chipHex)
{
    QByteArray digits = chipHex.left(10);
    while (digits.size() < 10)
        digits.append('0');
    return QByteArray::fromHex(digits);
}

QByteArray chipReply(const QByteArray& chipHex)
{
    if (chipHex.isEmpty())
        return converterReply(kConverterReadChip, 0, 1);
    // Bytes 5-6 carry the number of code bytes that follow, as in the request.
    QByteArray data("\x00\x05", 2);
    data.append(chipCodeBytes(chipHex));
    return converterReply(kConverterReadChip, uint8_t(data.size()), 0, data);
}

QByteArray answerConverterRequest(const QByteArray& request)
{
    const uint8_t command = uint8_t(request[2]);
    switch (command) {
    case kConverterOpen:
    case kConverterClose:
    case kConverterPresent:
        return converterReply(command, 0, 0);
    default:
        return converterReply(command, 0, kUnknownCommandStatus);
    }
}

} // namespace durvek::clocksim
