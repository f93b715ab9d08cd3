#pragma once
#include "SimState.h"
#include <QByteArray>
#include <QList>
#include <cstdint>

namespace durvek::clocksim {

// Reply frames start with who answers: a clock (0x6C 0x82) or the converter (0x33 0x00).
constexpr uint8_t kClockReplyByte0 = 0x6C;
constexpr uint8_t kClockReplyByte1 = 0x82;
constexpr uint8_t kConverterReplyByte0 = 0x33;
constexpr uint8_t kConverterReplyByte1 = 0x00;

// Status a device answers to a command it does not know.
constexpr uint8_t kUnknownCommandStatus = 0x7F;

// A reply frame: who answers (bytes 0-1), the command echoed, N, the status, the data.
QByteArray replyFrame(uint8_t byte0, uint8_t byte1, uint8_t command, uint8_t n, uint8_t status,
                      const QByteArray& data);
QByteArray clockReply(uint8_t command, uint8_t n, uint8_t status, const QByteArray& data = {});

// One pigeon entry the clock reports with 0x58: a pigeon record and, when the
// pigeon took part in a flight, its arrival.
struct PigeonEntry {
    StoredRecord record;
    const Arrival* arrival = nullptr;
};

// The pigeon records (index 1 onward; record 0 is the list header) in block
// and index order, the order every read serves them in.
QList<StoredRecord> pigeonRecords(const SimState& state);
// Per pigeon record its arrivals, or the record alone when it has none.
QList<PigeonEntry> pigeonEntries(const SimState& state);

// The pigeon text of an entry: 57 characters, or 65 on a Zefira (band of ten
// and colour behind the race fields).
QByteArray pigeonText(const PigeonEntry& entry, ClockModel model);

// Answers one clock request frame (0x6C 0x82 ...). changed is set when the
// clock's memory changed and the state should be written back. A frame
// shorter than its N says gets no answer (empty).
QByteArray answerClockRequest(const QByteArray& request, SimState& state, bool* changed);

} // namespace durvek::clocksim
