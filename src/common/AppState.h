#pragma once
#include "common/ClubSettings.h"
#include <QChar>
#include <QString>
#include <cstdint>

namespace durvek {

// The shared run-time state that start-up creates and every window reads.
// One instance lives for the whole run (appState()).
struct AppState {
    QString databasePath;              // the club database file (ClubDatabaseLocation)
    QChar decimalSeparator = u'.';     // the locale's decimal separator
    ClubSettings activeSettings;       // loaded by loadSettings()
    int32_t currentFancierId = 0;      // fancier the linking screen and clock jobs work on; 0 = none
    QString lastBandEntered = QStringLiteral("0000000000");
    QString lastCode = QStringLiteral("0000000000");
    QString currentCode = QStringLiteral("0000000000");
    uint8_t languageRequestBytes[2] = {32, 1}; // data bytes of the clock language request
};

AppState& appState();

// Resets the shared state to the values start-up gives it (keeps the path and settings).
void resetRunState(AppState& state);

// The locale's decimal separator: the second character of 0 formatted as "0.0".
QChar localeDecimalSeparator();

} // namespace durvek
