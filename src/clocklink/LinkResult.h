#pragma once
#include <QString>
#include <cstdint>
#include <functional>

namespace durvek {

// The outcome of one call on the line. The numeric values are the results the
// clock library functions return and the status line shows.
enum class LinkResult : uint16_t {
    Ok = 0,            // a whole reply arrived and was copied
    NoReply = 1,       // no complete reply within the timeout
    BadChecksum = 2,   // a reply arrived with a wrong checksum
    PortFault = 3,     // the port could not be opened or configured, or failed mid-call
    ReplyTooLong = 4,  // the reply was longer than the buffer; what fits was copied
    // A reply arrived but the clock refused the request or did not know it.
    // The library never returns it: the jobs read it from the reply's status.
    Refused = 5,
};

inline uint16_t resultCode(LinkResult r) { return static_cast<uint16_t>(r); }

// Catalogue text by number (GetText in the program; tests pass their own).
using TextLookup = std::function<QString(int number)>;

// What keeps a port from being opened, told apart by what the user can do.
enum class PortFault { Missing, NoPermission, InUse };
PortFault portFaultOf(const QString& device);

// The plain words for a line result, from the catalogue: what went wrong and
// what to do about it ("" for Ok). A port fault names the device.
QString lineResultWords(uint16_t result, const QString& device, const TextLookup& text);

} // namespace durvek
