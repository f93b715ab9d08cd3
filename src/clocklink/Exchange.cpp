#include "clocklink/Exchange.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"
#include "common/TextCatalogue.h"

namespace durvek {

ExchangeOutcome exchangeFrame(ClockLibrary& library, uint8_t port, uint8_t lineMode, int timeoutMs)
{
    LinkBuffers& b = linkBuffers();
    b.clearReply(LinkBuffers::kClockReplySize);
    ExchangeOutcome out;
    out.result = library.WinOmnexa(port, lineMode, timeoutMs, b.SendFrame, b.ReplyFrame,
                                   LinkBuffers::kClockReplySize);
    out.status = b.ReplyFrame[4];
    return out;
}

uint16_t ExchangeOutcome::lineResult() const
{
    constexpr uint8_t kUnknownCommand = 0x7F;
    if (result == 0 && status == kUnknownCommand)
        return resultCode(LinkResult::Refused);
    return result;
}

QString resultStatusText(uint16_t result, const QString& device, const TextLookup& text)
{
    const QString words = lineResultWords(result, device, text ? text : TextLookup(&GetText));
    const QString number = QString::number(result);
    return words.isEmpty() ? number : number + QStringLiteral(" - ") + words;
}

} // namespace durvek
