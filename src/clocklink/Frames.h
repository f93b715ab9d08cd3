#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace durvek {

// The link buffers: one copy for the whole program, because only one clock
// job runs at a time and every window that runs one shares them.
struct LinkBuffers {
    static constexpr int kSendSize = 257;
    static constexpr int kReplySize = 257;      // antenna work uses all of it
    static constexpr int kClockReplySize = 129; // clock work uses the first 129 bytes
    static constexpr int kRecordSize = 129;

    uint8_t SendFrame[kSendSize] = {};
    uint8_t ReplyFrame[kReplySize] = {};
    uint8_t RecordBlock[kRecordSize] = {};
    // Set by a window's Cancel button; every exchange loop reads it after each try.
    bool CancelRequested = false;

    // Re-dimensioning a buffer zeroes the part in use.
    void clearSend();
    void clearReply(int size = kClockReplySize);
    void clearRecord();
    // Zeroes RecordBlock and puts bytes at its front (cut to its size).
    void setRecord(const QByteArray& bytes);
};

LinkBuffers& linkBuffers();

// A record index k travels as two bytes, high byte first.
struct RecordIndex {
    uint8_t hi = 0;
    uint8_t lo = 0;
};
RecordIndex splitRecordIndex(int k);

// The request frame builders. Each fills linkBuffers().SendFrame and returns
// the frame length (N + 4). All but FrameRaceBlock zero the whole buffer first.
uint16_t FrameIdentify();
uint16_t FrameEndJob();
uint16_t FrameReadFancierBlock();
uint16_t FrameReadFancierBlockAt(uint8_t block);
// Carries RecordBlock bytes 0..99.
uint16_t FrameWriteFancierBlock();
uint16_t FrameReadRecord(uint8_t hi, uint8_t lo);
// n = 2 + the record's data length; carries RecordBlock bytes 0..n-3.
uint16_t FrameWriteRecord(uint8_t hi, uint8_t lo, uint8_t n);
// s and t go out as four ANSI characters each (shorter texts filled with spaces).
uint16_t FramePigeonQuery(uint8_t hi, uint8_t lo, const QString& s, const QString& t);
uint16_t FrameRaceQuery(uint8_t index, const QString& s);
uint16_t FrameSetup(uint8_t subCode);
// Writes bytes 0..4 only: the caller fills the 100 race bytes 5..104 itself
// (placeRaceBytes), so whatever was there before stays until then.
uint16_t FrameRaceBlock();
void placeRaceBytes(const QByteArray& raceBlock100);
uint16_t FrameConverterOpen();
uint16_t FrameConverterClose();
uint16_t FrameAntennaA0();
uint16_t FrameAntennaB7();

// The length of the frame now in SendFrame (byte 3 + 4).
int sendFrameLength();

// The reply text that starts at offset and is as long as the reply's length
// byte (3) says, cut to the part of the reply buffer that exists.
QString replyText(int offset, int replySize = LinkBuffers::kClockReplySize);

} // namespace durvek
