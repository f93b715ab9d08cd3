#pragma once
#include "clocklink/LinkResult.h"
#include "clocklink/Transport.h"
#include <QString>
#include <cstdint>
#include <functional>

namespace durvek {

class LineLog;

// The clock library: the three calls every framed exchange, antenna reading
// and converter request goes through. Arguments and results are those the
// jobs rely on; the line protocol underneath is documented in
// docs/line-protocol.md.
//
// The port stays open between calls (reopened when another device is asked
// for); release() closes it so the direct line can open the same device.
class ClockLibrary {
public:
    // Makes the transport for a device; the default makes a SerialTransport.
    using TransportFactory = std::function<TransportPtr()>;
    // Resolves the port number byte (1..4) to a device; the default uses
    // portDevice(appState().activeSettings, port - 1).
    using PortResolver = std::function<QString(uint8_t port)>;

    ClockLibrary();
    ~ClockLibrary();

    void setTransportFactory(TransportFactory factory);
    void setPortResolver(PortResolver resolver);
    // Called every few tens of milliseconds while a call waits, so the window
    // keeps painting during a long call. A cancel takes effect between calls.
    // The default runs the event loop without user input, which the job's own
    // event pump delivers between calls.
    void setEventPump(std::function<void()> pump);
    // Every byte sent and received, in hex, when a log is set (nullptr: off).
    void setLineLog(LineLog* log);

    // Sends the request frame (its length from byte 3: N + 4 bytes) and copies
    // the reply frame into reply (replySize bytes: 129 for clock work, 257 for
    // antenna work). Result: see LinkResult.
    uint16_t WinOmnexa(uint8_t port, uint8_t lineMode, int32_t timeoutMs,
                       const uint8_t* sendFrame, uint8_t* replyFrame, int replySize = 129);
    // The same exchange with the converter.
    uint16_t WinSerial(uint8_t port, uint8_t lineMode, int32_t timeoutMs,
                       const uint8_t* sendFrame, uint8_t* replyFrame, int replySize = 257);
    // Waits up to 300 ms for one antenna telegram; fills up to 21 bytes of
    // buffer and sets length. 0 when bytes were read (and, for 12 bytes, the
    // check byte is right).
    uint16_t ReadAnt(uint8_t port, int16_t flag, int16_t& length, uint8_t* buffer21);

    // Closes the port so another user (the direct line) can open the device.
    void release();

    // The other way round: a direct line that holds the device registers how
    // it lets go, and the library calls that before it opens a device itself.
    // Without it a framed call after a direct-line transfer (the next
    // language upload waits for the clock first) finds the device locked.
    // owner identifies the registration so that it can be withdrawn.
    void shareDevice(const void* owner, std::function<void()> letGo);
    void unshareDevice(const void* owner);

    // The device of the last call (for the status line hint of result 3).
    QString lastDevice() const;

private:
    struct Impl;
    Impl* d;
};

// The one library instance of the run.
ClockLibrary& clockLibrary();

} // namespace durvek
