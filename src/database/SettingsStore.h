#pragma once
#include "common/ClubSettings.h"
#include <QSqlDatabase>

namespace durvek {

// Reads the first row of table settings; an empty table gives the defaults.
ClubSettings loadSettings(const QSqlDatabase& db);

// Writes the settings row (adds it when the table is empty). Club and Clubid
// are stored as " " when blank.
void saveSettings(const QSqlDatabase& db, const ClubSettings& settings);

// loadSettings into appState().activeSettings.
void LoadSettings();

} // namespace durvek
