#pragma once
#include <QSettings>

namespace durvek {

// This user's own settings on this PC, never in the club database (on
// Linux ~/.config/durvek-club/durvek-club.conf): the windows' places, the
// remembered server, the serial line of a PC on a server's club.
QSettings userSettings();

} // namespace durvek
