#pragma once
#include <QByteArray>
#include <cstdint>

namespace durvek {

// The envelope every framed request and reply travels in on the line:
//   0x02, L, L payload bytes (1..255), C   with C = (L + sum of payload) mod 256.
namespace envelope {

constexpr uint8_t kStart = 0x02;
constexpr int kMaxPayload = 255;

// Wraps a payload (1..255 bytes); an empty or oversized payload gives an empty result.
QByteArray encode(const QByteArray& payload);

uint8_t checksum(const QByteArray& payload);

enum class DecodeState {
    Whole,        // a whole envelope starts at the front of the input
    NeedMore,     // the front holds the start of an envelope that is not complete yet
    Invalid,      // the front is not an envelope: drop one byte and try again
};

struct Decoded {
    DecodeState state = DecodeState::NeedMore;
    QByteArray payload;     // for Whole
    int consumed = 0;       // bytes of the input the envelope occupies (Whole) or 1 (Invalid)
    bool checksumOk = true; // for Whole: false when the envelope is complete but its checksum is wrong
};

// Looks at the front of the input. A complete envelope with a bad checksum is
// reported as Whole with checksumOk false, so the caller can tell "garbled"
// from "silent". Bytes other than 0x02 at the front are Invalid; a length of 0
// is Invalid.
Decoded decodeFront(const QByteArray& input);

} // namespace envelope
} // namespace durvek
