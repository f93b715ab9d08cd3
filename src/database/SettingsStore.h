#pragma once
#include "common/ClubSettings.h"
#include <QSqlDatabase>
#include <optional>

namespace durvek {

// Reads the first row of table settings; an empty table gives the defaults.
ClubSettings loadSettings(const QSqlDatabase& db);

// Writes the settings row (adds it when the table is empty). Club and Clubid
// are stored as " " when blank. Given what was loaded, only the values
// changed since are written, so that what another PC stored meanwhile in
// the others stays. On a server the line is kept as this PC's
// (PcLineSettings.h), not in the row.
void saveSettings(const QSqlDatabase& db, const ClubSettings& settings,
                  const std::optional<ClubSettings>& loaded = std::nullopt);

// loadSettings into appState().activeSettings.
void LoadSettings();

} // namespace durvek
