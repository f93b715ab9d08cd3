#include "ClockAnswers.h"
#include "clocklink/ClockModel.h"

#include <algorithm>

namespace durvek::clocksim {

namespace {

constexpr uint8_t kIdentify = 0x50;
constexpr uint8_t kFancierBlock = 0x51;
constexpr uint8_t kRecord = 0x52;
constexpr uint8_t kEndJob = 0x56;
constexpr uint8_t kPigeonQuery = 0x58;
constexpr uint8_t kRaceQuery = 0x5D;
constexpr uint8_t kSetup = 0xFA;
constexpr uint8_t kRaceBlockMarker = 0x0B;

constexpr uint8_t kDone = 0;
constexpr uint8_t kNothingThere = 1;
constexpr uint8_t kRefused = 5;

constexpr int kFancierBlockSize = 100;
constexpr int kRaceBlockSize = 100;
constexpr int kFlightTextSize = 57;
constexpr int kPigeonTextSize = 57;
constexpr int kMultiBlockPigeonTextSize = 65;
constexpr int kLongRecordSize = 29;

QByteArray fitted(const QByteArray& text, int width, char fill = ' ')
{
    return text.left(width).leftJustified(width, fill);
}

QByteArray rightFitted(const QByteArray& text, int width)
{
    return text.right(width).rightJustified(width, ' ');
}

QByteArray indexBytes(int index)
{
    QByteArray out;
    out.append(char(uint8_t(index >> 8)));
    out.append(char(uint8_t(index & 0xFF)));
    return out;
}

bool readsAllowed(const SimState& state)
{
    // Clocks the program has no read job for are only ever updated from the club.
    return clockModel(state.model).readJob != ReadJobKind::None;
}

// The pigeon answers of a multi-block read carry the long band, the colour
// and the number of the fancier block the pigeon belongs to.
bool answersWithBlocks(ClockModel model)
{
    return clockModel(model).readJob == ReadJobKind::MultiBlock;
}

int blockCapacity(const SimState& state)
{
    return clockModel(state.model).fanciersPerClockSetup ? state.fanciersPerClock : 1;
}

QByteArray identify(const SimState& state)
{
    const QByteArray text = state.identityText();
    return clockReply(kIdentify, uint8_t(text.size()), kDone, text);
}

QByteArray readFancierBlock(const QByteArray& data, const SimState& state)
{
    const int block = data.isEmpty() ? 0 : uint8_t(data[0]);
    if (!readsAllowed(state) || block >= state.fancierBlocks.size())
        return clockReply(kFancierBlock, 0, kNothingThere);
    return clockReply(kFancierBlock, kFancierBlockSize, kDone, fitted(state.fancierBlocks[block], kFancierBlockSize));
}

// A fancier already in the clock keeps its block; a new one takes the next
// free block, or the last block when the clock is full. Its old pigeon list goes.
QByteArray writeFancierBlock(const QByteArray& data, SimState& state)
{
    const QByteArray block = fitted(data, kFancierBlockSize);
    int target = -1;
    for (int i = 0; i < state.fancierBlocks.size(); ++i) {
        if (state.fancierBlocks[i].left(8) == block.left(8))
            target = i;
    }
    if (target < 0) {
        if (state.fancierBlocks.size() < blockCapacity(state)) {
            state.fancierBlocks.append(QByteArray());
            target = int(state.fancierBlocks.size()) - 1;
        } else {
            target = std::max(0, blockCapacity(state) - 1);
            while (state.fancierBlocks.size() > target + 1)
                state.fancierBlocks.removeLast();
            if (state.fancierBlocks.size() <= target)
                state.fancierBlocks.append(QByteArray());
        }
    }
    state.fancierBlocks[target] = block;
    state.currentBlock = target;
    state.records.removeIf([target](const StoredRecord& r) { return r.block == target; });
    return clockReply(kFancierBlock, 0, kDone);
}

QByteArray readRecord(int index, const SimState& state)
{
    const QList<StoredRecord> records = pigeonRecords(state);
    if (!readsAllowed(state) || index >= records.size())
        return clockReply(kRecord, 0, kNothingThere, indexBytes(index));
    const QByteArray text = records[index].data.left(120);
    return clockReply(kRecord, uint8_t(text.size()), kDone, indexBytes(index) + text);
}

QByteArray writeRecord(int index, const QByteArray& bytes, SimState& state)
{
    const int block = state.currentBlock;
    auto found = std::find_if(state.records.begin(), state.records.end(),
                              [&](const StoredRecord& r) { return r.block == block && r.index == index; });
    if (found != state.records.end())
        found->data = bytes;
    else
        state.records.append({block, index, bytes});
    return clockReply(kRecord, 0, kDone);
}

QByteArray pigeonQuery(int index, const SimState& state)
{
    const QList<PigeonEntry> entries = pigeonEntries(state);
    if (!readsAllowed(state) || index >= entries.size())
        return clockReply(kPigeonQuery, 0, kNothingThere, indexBytes(index));
    const QByteArray text = pigeonText(entries[index], state.model);
    QByteArray data = indexBytes(index) + text;
    if (answersWithBlocks(state.model))
        data.append(char(uint8_t(entries[index].record.block)));
    return clockReply(kPigeonQuery, uint8_t(text.size()), kDone, data);
}

QByteArray raceQuery(int index, const SimState& state)
{
    if (!readsAllowed(state) || index >= state.flights.size())
        return clockReply(kRaceQuery, 0, kNothingThere, QByteArray(1, char(index)));
    QByteArray data(1, char(index));
    data.append(fitted(state.flights[index], kFlightTextSize));
    return clockReply(kRaceQuery, kFlightTextSize, kDone, data);
}

QByteArray setup(uint8_t code, SimState& state, bool* changed)
{
    if (!clockModel(state.model).fanciersPerClockSetup)
        return clockReply(kSetup, 0, code == 10 ? kNothingThere : kRefused);
    if (code == 10) {
        if (state.fancierBlocks.isEmpty())
            return clockReply(kSetup, 0, kNothingThere);
        return clockReply(kSetup, 1, kDone, QByteArray(1, char(uint8_t(state.fancierBlocks.size() - 1))));
    }
    if (code == 1 || code == 2) {
        state.fanciersPerClock = code + 1;
        *changed = true;
        return clockReply(kSetup, 0, kDone);
    }
    return clockReply(kSetup, 0, kRefused);
}

} // namespace

QByteArray replyFrame(uint8_t byte0, uint8_t byte1, uint8_t command, uint8_t n, uint8_t status,
                      const QByteArray& data)
{
    QByteArray frame;
    frame.append(char(byte0));
    frame.append(char(byte1));
    frame.append(char(command));
    frame.append(char(n));
    frame.append(char(status));
    frame.append(data);
    return frame;
}

QByteArray clockReply(uint8_t command, uint8_t n, uint8_t status, const QByteArray& data)
{
    return replyFrame(kClockReplyByte0, kClockReplyByte1, command, n, status, data);
}

QList<StoredRecord> pigeonRecords(const SimState& state)
{
    QList<StoredRecord> out;
    for (const StoredRecord& r : state.records) {
        if (r.index >= 1)
            out.append(r);
    }
    std::stable_sort(out.begin(), out.end(), [](const StoredRecord& a, const StoredRecord& b) {
        return a.block != b.block ? a.block < b.block : a.index < b.index;
    });
    return out;
}

QList<PigeonEntry> pigeonEntries(const SimState& state)
{
    QList<PigeonEntry> out;
    for (const StoredRecord& r : pigeonRecords(state)) {
        bool any = false;
        for (const Arrival& a : state.arrivals) {
            if (a.block == r.block && a.record == r.index) {
                out.append({r, &a});
                any = true;
            }
        }
        if (!any)
            out.append({r, nullptr});
    }
    return out;
}

QByteArray pigeonText(const PigeonEntry& entry, ClockModel model)
{
    const QByteArray& d = entry.record.data;
    const bool longRecord = d.size() >= kLongRecordSize;
    const QByteArray band10 = longRecord ? d.mid(14, 10) : rightFitted(fitted(d, 22).mid(14, 7), 10);
    const char sex = longRecord ? d[24] : fitted(d, 22)[21];
    const QByteArray colour = longRecord ? d.mid(25, 4) : QByteArray("    ");

    QByteArray text = fitted(d.left(13), 13);  // elcode, country, year
    text.append('-');
    text.append(rightFitted(band10.trimmed(), 7));
    text.append(sex);
    if (entry.arrival) {
        const Arrival& a = *entry.arrival;
        text.append(fitted(a.flightKey, 8));
        for (uint16_t v : a.values) {
            text.append(char(uint8_t(v >> 8)));
            text.append(char(uint8_t(v & 0xFF)));
        }
        text.append(fitted(a.date, 6, '0'));
        text.append(fitted(a.time, 6, '0'));
        text.append(a.status);
    } else {
        text.append(QByteArray(29, ' '));
    }
    text = fitted(text, kPigeonTextSize);
    if (answersWithBlocks(model)) {
        text = text.left(51);
        text.append(band10);
        text.append(fitted(colour, 4));
        text = fitted(text, kMultiBlockPigeonTextSize);
    }
    return text;
}

QByteArray answerClockRequest(const QByteArray& request, SimState& state, bool* changed)
{
    *changed = false;
    const uint8_t command = uint8_t(request[2]);
    const int n = uint8_t(request[3]);
    const QByteArray data = request.mid(4, n);
    // A frame that carries fewer data bytes than its N announces was torn on
    // the line; acting on it would read bytes that never came.
    if (data.size() < n)
        return {};
    switch (command) {
    case kIdentify:
        return identify(state);
    case kFancierBlock:
        if (n == kFancierBlockSize) {
            *changed = true;
            return writeFancierBlock(data, state);
        }
        return readFancierBlock(data, state);
    case kRecord: {
        if (data.size() < 2)
            return clockReply(kRecord, 0, kNothingThere);
        const int index = uint8_t(data[0]) * 256 + uint8_t(data[1]);
        if (n == 2)
            return readRecord(index, state);
        *changed = true;
        return writeRecord(index, data.mid(2), state);
    }
    case kEndJob:
        ++state.jobsEnded;
        *changed = true;
        return clockReply(kEndJob, 0, kDone);
    case kPigeonQuery:
        if (data.size() < 2)
            return clockReply(kPigeonQuery, 0, kNothingThere);
        return pigeonQuery(uint8_t(data[0]) * 256 + uint8_t(data[1]), state);
    case kRaceQuery:
        return raceQuery(data.isEmpty() ? 0 : uint8_t(data[0]), state);
    case kSetup:
        if (n == kRaceBlockSize + 1 && uint8_t(data[0]) == kRaceBlockMarker) {
            state.raceBlock = data.mid(1, kRaceBlockSize);
            *changed = true;
            return clockReply(kSetup, 0, kDone);
        }
        if (n == 1)
            return setup(uint8_t(data[0]), state, changed);
        return clockReply(kSetup, 0, kRefused);
    default:
        return clockReply(command, 0, kUnknownCommandStatus);
    }
}

} // namespace durvek::clocksim
