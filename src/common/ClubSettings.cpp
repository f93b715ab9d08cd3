#include "common/ClubSettings.h"

namespace durvek {

QString defaultPortDevice(int comIndex)
{
    if (comIndex < 0 || comIndex > 3)
        comIndex = 0;
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(comIndex + 1);
#else
    return QStringLiteral("/dev/ttyS%1").arg(comIndex);
#endif
}

QString portDevice(const ClubSettings& settings, int comIndex)
{
    if (comIndex < 0 || comIndex > 3)
        comIndex = 0;
    const QString configured = settings.portDevices[size_t(comIndex)].trimmed();
    return configured.isEmpty() ? defaultPortDevice(comIndex) : configured;
}

} // namespace durvek
