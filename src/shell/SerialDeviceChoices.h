#pragma once
#include <QString>
#include <QStringList>

namespace durvek {

// The name of the demo clock's device link that the simulator keeps in the
// program folder, so the same path works from one session to the next.
inline constexpr const char* kDemoClockLinkName = "demo-clock";

// The devices offered for a COM port on the settings screen: the serial
// devices the system reports, then the demo clock's link when it exists in
// programDir. Sorted, without duplicates.
QStringList serialDeviceChoices(const QString& programDir);

} // namespace durvek
