#include "clocklink/Exchange.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"

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

QString resultStatusText(uint16_t result, const QString& device)
{
    const QString number = QString::number(result);
    if (result != resultCode(LinkResult::PortFault))
        return number;
    return number + QStringLiteral(" - ") + linkResultHint(LinkResult::PortFault, device);
}

} // namespace durvek
