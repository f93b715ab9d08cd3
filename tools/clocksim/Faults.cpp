#include "Faults.h"

namespace durvek::clocksim {

void Faults::clear()
{
    *this = Faults();
}

bool Faults::isWrite(const QByteArray& request)
{
    if (request.size() < 4)
        return false;
    const uint8_t command = uint8_t(request[2]);
    const int n = uint8_t(request[3]);
    return (command == 0x51 && n == 100) || (command == 0x52 && n > 2) || (command == 0xFA && n == 0x65);
}

std::optional<uint8_t> Faults::refusalFor(const QByteArray& request) const
{
    if (request.size() < 4)
        return std::nullopt;
    const uint8_t command = uint8_t(request[2]);
    const bool write = isWrite(request);
    for (const Refusal& r : refusals) {
        if (r.command != command)
            continue;
        if (r.scope == RefusalScope::Any || (r.scope == RefusalScope::Write) == write)
            return r.status;
    }
    return std::nullopt;
}

bool Faults::garbleNextReply()
{
    if (garbleEvery <= 0)
        return false;
    ++m_repliesCounted;
    return m_repliesCounted % garbleEvery == 0;
}

bool Faults::refuseNextLine()
{
    ++m_linesCounted;
    return refusedLines.contains(m_linesCounted);
}

bool Faults::countFrame()
{
    if (vanished)
        return true;
    if (vanishAfter < 0)
        return false;
    if (vanishAfter == 0) {
        vanished = true;
        return true;
    }
    --vanishAfter;
    return false;
}

} // namespace durvek::clocksim
