#include "shell/SerialDeviceChoices.h"
#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace durvek {

QStringList serialDeviceChoices(const QString& programDir)
{
    QStringList devices;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
        devices << port.systemLocation();
    devices.sort();
    devices.removeDuplicates();

    // The link points at a pseudo-terminal that only exists while the
    // simulator runs; offering the link itself keeps the setting stable.
    const QString demoClock = QDir(programDir).filePath(QString::fromLatin1(kDemoClockLinkName));
    if (QFileInfo(demoClock).isSymLink() || QFileInfo::exists(demoClock))
        devices << demoClock;
    return devices;
}

} // namespace durvek
