#include "clocklink/LinkResult.h"

namespace durvek {

QString linkResultHint(LinkResult r, const QString& device)
{
    switch (r) {
    case LinkResult::Ok:
        return QString();
    case LinkResult::NoReply:
        return QStringLiteral("no answer");
    case LinkResult::BadChecksum:
        return QStringLiteral("garbled answer");
    case LinkResult::PortFault:
        return device.isEmpty() ? QStringLiteral("serial port cannot be opened")
                                : QStringLiteral("cannot open %1").arg(device);
    case LinkResult::ReplyTooLong:
        return QStringLiteral("answer too long");
    }
    return QString();
}

} // namespace durvek
