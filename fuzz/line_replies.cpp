// The reply side of the framed link: the envelope reader on raw line bytes,
// then requests through the clock library with the fuzzer as the clock, and
// the reply texts the jobs read out of the reply buffer.
#include "FuzzInput.h"
#include "FuzzLine.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Envelope.h"
#include "clocklink/Frames.h"
#include <cstdlib>

using namespace durvek;

namespace {

void checkEnvelopeReader(QByteArray input)
{
    while (!input.isEmpty()) {
        const envelope::Decoded d = envelope::decodeFront(input);
        if (d.state == envelope::DecodeState::NeedMore)
            return;
        if (d.consumed < 1 || d.consumed > input.size())
            std::abort();
        if (d.state == envelope::DecodeState::Whole && d.payload.size() + 3 != d.consumed)
            std::abort();
        input.remove(0, d.consumed);
    }
}

// One of the requests the jobs send, chosen by the input.
void buildRequest(fuzz::FuzzInput& input)
{
    LinkBuffers& b = linkBuffers();
    switch (input.byte() % 8) {
    case 0: FrameIdentify(); break;
    case 1: FrameReadFancierBlock(); break;
    case 2: FrameReadRecord(input.byte(), input.byte()); break;
    case 3: FramePigeonQuery(input.byte(), input.byte(), QStringLiteral("NL"), QStringLiteral("99")); break;
    case 4: FrameRaceQuery(input.byte(), QStringLiteral("AB")); break;
    case 5: FrameSetup(input.byte()); break;
    case 6: FrameEndJob(); break;
    default:
        b.setRecord(input.chunk());
        FrameWriteRecord(input.byte(), input.byte(), input.byte());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    checkEnvelopeReader(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));

    fuzz::FuzzInput input(data, size);
    ClockLibrary library;
    fuzz::useFuzzLine(library, input);
    LinkBuffers& b = linkBuffers();
    while (!input.empty()) {
        buildRequest(input);
        const bool antennaWork = input.flag();
        const int replySize = antennaWork ? LinkBuffers::kReplySize : LinkBuffers::kClockReplySize;
        b.clearReply(replySize);
        library.WinOmnexa(1, input.flag() ? 1 : 0, 2000, b.SendFrame, b.ReplyFrame, replySize);
        replyText(input.byte(), replySize);
    }
    return 0;
}
