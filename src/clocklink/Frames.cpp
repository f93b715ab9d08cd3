#include "clocklink/Frames.h"
#include "common/Ansi.h"
#include <algorithm>
#include <cstring>

namespace durvek {

namespace {

constexpr uint8_t kFrameStart = 0x6C;
constexpr uint8_t kToClock = 0x82;
constexpr uint8_t kToConverter = 0x00;

uint16_t header(uint8_t target, uint8_t command, uint8_t dataLength)
{
    uint8_t* f = linkBuffers().SendFrame;
    f[0] = kFrameStart;
    f[1] = target;
    f[2] = command;
    f[3] = dataLength;
    return uint16_t(dataLength + 4);
}

uint16_t freshFrame(uint8_t target, uint8_t command, uint8_t dataLength)
{
    linkBuffers().clearSend();
    return header(target, command, dataLength);
}

// A clock frame with one data byte.
uint16_t oneByteFrame(uint8_t command, uint8_t data)
{
    const uint16_t length = freshFrame(kToClock, command, 1);
    linkBuffers().SendFrame[4] = data;
    return length;
}

// Four ANSI characters; a shorter text is filled with spaces so the frame
// never carries stray zeros the clock could take for an end of text.
void putFourChars(uint8_t* at, const QString& text)
{
    QByteArray bytes = toAnsi(text).left(4);
    bytes.append(QByteArray(4 - bytes.size(), ' '));
    std::memcpy(at, bytes.constData(), 4);
}

} // namespace

void LinkBuffers::clearSend() { std::memset(SendFrame, 0, sizeof SendFrame); }

void LinkBuffers::clearReply(int size)
{
    std::memset(ReplyFrame, 0, size_t(std::clamp(size, 0, kReplySize)));
}

void LinkBuffers::clearRecord() { std::memset(RecordBlock, 0, sizeof RecordBlock); }

void LinkBuffers::setRecord(const QByteArray& bytes)
{
    clearRecord();
    std::memcpy(RecordBlock, bytes.constData(), size_t(std::min<qsizetype>(bytes.size(), kRecordSize)));
}

LinkBuffers& linkBuffers()
{
    static LinkBuffers buffers;
    return buffers;
}

RecordIndex splitRecordIndex(int k)
{
    const int index = k & 0xFFFF;
    return {uint8_t(index / 256), uint8_t(index % 256)};
}

uint16_t FrameIdentify() { return oneByteFrame(0x50, 0x00); }
uint16_t FrameEndJob() { return oneByteFrame(0x56, 0x00); }
uint16_t FrameReadFancierBlock() { return oneByteFrame(0x51, 0x00); }
uint16_t FrameReadFancierBlockAt(uint8_t block) { return oneByteFrame(0x51, block); }

uint16_t FrameWriteFancierBlock()
{
    const uint16_t length = freshFrame(kToClock, 0x51, 100);
    std::memcpy(linkBuffers().SendFrame + 4, linkBuffers().RecordBlock, 100);
    return length;
}

uint16_t FrameReadRecord(uint8_t hi, uint8_t lo)
{
    const uint16_t length = freshFrame(kToClock, 0x52, 2);
    linkBuffers().SendFrame[4] = hi;
    linkBuffers().SendFrame[5] = lo;
    return length;
}

uint16_t FrameWriteRecord(uint8_t hi, uint8_t lo, uint8_t n)
{
    const uint16_t length = freshFrame(kToClock, 0x52, n);
    uint8_t* f = linkBuffers().SendFrame;
    f[4] = hi;
    f[5] = lo;
    // n counts the two index bytes; the record itself is n - 2 bytes, never
    // more than the record block holds.
    const int dataBytes = std::clamp(int(n) - 2, 0, LinkBuffers::kRecordSize);
    std::memcpy(f + 6, linkBuffers().RecordBlock, size_t(dataBytes));
    return length;
}

uint16_t FramePigeonQuery(uint8_t hi, uint8_t lo, const QString& s, const QString& t)
{
    const uint16_t length = freshFrame(kToClock, 0x58, 11);
    uint8_t* f = linkBuffers().SendFrame;
    f[4] = hi;
    f[5] = lo;
    putFourChars(f + 6, s);
    putFourChars(f + 10, t);
    f[14] = 0;
    return length;
}

uint16_t FrameRaceQuery(uint8_t index, const QString& s)
{
    const uint16_t length = freshFrame(kToClock, 0x5D, 5);
    linkBuffers().SendFrame[4] = index;
    putFourChars(linkBuffers().SendFrame + 5, s);
    return length;
}

uint16_t FrameSetup(uint8_t subCode) { return oneByteFrame(0xFA, subCode); }

uint16_t FrameRaceBlock()
{
    const uint16_t length = header(kToClock, 0xFA, 101);
    linkBuffers().SendFrame[4] = 0x0B;
    return length;
}

void placeRaceBytes(const QByteArray& raceBlock100)
{
    uint8_t* at = linkBuffers().SendFrame + 5;
    std::memset(at, ' ', 100);
    std::memcpy(at, raceBlock100.constData(), size_t(std::min<qsizetype>(raceBlock100.size(), 100)));
}

uint16_t FrameConverterOpen() { return freshFrame(kToConverter, 0xCA, 2); }
uint16_t FrameConverterClose() { return freshFrame(kToConverter, 0xCB, 2); }
uint16_t FrameAntennaA0() { return freshFrame(kToConverter, 0xA0, 2); }

uint16_t FrameAntennaB7()
{
    const uint16_t length = freshFrame(kToConverter, 0xB7, 2);
    linkBuffers().SendFrame[5] = 0x05;
    return length;
}

int sendFrameLength() { return linkBuffers().SendFrame[3] + 4; }

QString replyText(int offset, int replySize)
{
    const int size = std::clamp(replySize, 0, LinkBuffers::kReplySize);
    const int length = linkBuffers().ReplyFrame[3];
    const int count = std::clamp(size - offset, 0, length);
    return fromAnsi(linkBuffers().ReplyFrame + offset, count);
}

} // namespace durvek
