#pragma once
#include <QString>
#include <cstdint>

namespace durvek {

// The outcome of one call on the line. The numeric values are the results the
// clock library functions return and the status line shows.
enum class LinkResult : uint16_t {
    Ok = 0,            // a whole reply arrived and was copied
    NoReply = 1,       // no complete reply within the timeout
    BadChecksum = 2,   // a reply arrived with a wrong checksum
    PortFault = 3,     // the port could not be opened or configured, or failed mid-call
    ReplyTooLong = 4,  // the reply was longer than the buffer; what fits was copied
};

inline uint16_t resultCode(LinkResult r) { return static_cast<uint16_t>(r); }

// A short plain-language hint for the status line ("" for Ok).
QString linkResultHint(LinkResult r, const QString& device = QString());

} // namespace durvek
