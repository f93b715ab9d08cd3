#include "clocklink/LinkResult.h"
#include <QFileInfo>

namespace durvek {

namespace {

constexpr int kNoAnswerText = 102;
constexpr int kGarbledText = 103;
constexpr int kDeviceMissingText = 104;
constexpr int kDeviceInUseText = 105;
constexpr int kNoPermissionText = 106;
constexpr int kTooLongText = 107;
constexpr int kRefusedText = 108;

int portFaultText(PortFault fault)
{
    switch (fault) {
    case PortFault::Missing:
        return kDeviceMissingText;
    case PortFault::NoPermission:
        return kNoPermissionText;
    case PortFault::InUse:
        break;
    }
    return kDeviceInUseText;
}

} // namespace

// A device that is there and that this user may read and write, yet will not
// open, is held by another program (or its lock file is).
PortFault portFaultOf(const QString& device)
{
    const QFileInfo file(device);
    if (device.isEmpty() || !file.exists())
        return PortFault::Missing;
    if (!file.isReadable() || !file.isWritable())
        return PortFault::NoPermission;
    return PortFault::InUse;
}

QString lineResultWords(uint16_t result, const QString& device, const TextLookup& text)
{
    switch (LinkResult(result)) {
    case LinkResult::Ok:
        return QString();
    case LinkResult::NoReply:
        return text(kNoAnswerText);
    case LinkResult::BadChecksum:
        return text(kGarbledText);
    case LinkResult::PortFault:
        return text(portFaultText(portFaultOf(device))).arg(device);
    case LinkResult::ReplyTooLong:
        return text(kTooLongText);
    case LinkResult::Refused:
        return text(kRefusedText);
    }
    return QString();
}

} // namespace durvek
