// Antenna telegrams and converter answers: the library's telegram reader with
// the fuzzer as the antenna, and the conversions the reading jobs apply to
// what it and the converter deliver.
#include "FuzzInput.h"
#include "FuzzLine.h"
#include "clocklink/AntennaReading.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"

using namespace durvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzInput input(data, size);
    ClockLibrary library;
    fuzz::useFuzzLine(library, input);
    LinkBuffers& b = linkBuffers();
    while (!input.empty()) {
        if (input.flag()) {
            int16_t length = 0;
            uint8_t answer[antenna::kAnswerSize] = {};
            const uint16_t result = library.ReadAnt(1, 0, length, answer);
            antenna::directAnswerCode(result, length, answer);
        } else {
            switch (input.byte() % 4) {
            case 0: FrameConverterOpen(); break;
            case 1: FrameConverterClose(); break;
            case 2: FrameAntennaA0(); break;
            default: FrameAntennaB7();
            }
            b.clearReply(LinkBuffers::kReplySize);
            const uint16_t result = library.WinSerial(1, 0, antenna::kConverterChipTimeoutMs, b.SendFrame,
                                                      b.ReplyFrame, LinkBuffers::kReplySize);
            if (antenna::isConverterDone(result, b.ReplyFrame))
                antenna::converterAnswerCode(b.ReplyFrame);
        }
    }
    return 0;
}
