#pragma once
#include "common/ClubSettings.h"
#include <QSqlDatabase>
#include <QString>

namespace durvek {

// The serial line of a PC: the COM port chosen, the devices COM1..COM4 stand
// for, and whether the antenna is reached through the converter. A club
// database file keeps them in its settings row, as always. PCs sharing a
// club database on a server each have a line of their own (one reads clocks
// on its port while another links pigeons with the antenna on its own), so
// there each PC keeps them in this user's settings, and the settings row only
// gives the line a PC starts from until it stores its own.
bool lineKeptOnThisPc(const QSqlDatabase& db);

// Whether field of the settings row is one of the line's.
bool isLineField(const QString& field);

// The line this PC stored, over what settings has; nothing when it stored none.
void readThisPcLine(ClubSettings& settings);

// Keeps the line of settings as this PC's.
void keepThisPcLine(const ClubSettings& settings);

} // namespace durvek
