#pragma once
#include <QString>
#include <array>

namespace durvek {

// Clock model number as stored in settings.protocol, with names for the
// models the program was delivered with. The clock model table
// (clocklink/ClockModel.h) is the list of models: a model added there takes
// the next number and needs no name here.
enum class ClockModelIndex { Omnexa = 0, Zefira = 1, LittleDurvek = 2, Korvat = 3 };

// The in-memory copy of the single settings row (ActiveSettings).
// The defaults are those of an empty settings table.
struct ClubSettings {
    int com = 0;            // 0..3 for COM1..COM4
    int protocol = 0;       // clock model number, see ClockModelIndex
    QString clubId = QStringLiteral(" ");
    QString club = QStringLiteral(" ");
    bool converter = false; // "Club - antenna": the antenna is reached through the converter
    bool sort = false;      // pigeon lists by year, country, band (true) or by Nr (false)
    // Device that COM1..COM4 stand for; empty means the platform default.
    std::array<QString, 4> portDevices;
    // The club result: one prize per that many basketed pigeons (0 = not
    // set, the result then gives one in four), and whether each fancier's
    // first and second nominated pigeon are marked.
    int prizeEvery = 0;
    bool nominated = false;
    // The automatic backups kept: the newest backupsKept (0 = not set, 20)
    // and the first of each of backupMonths months (-1 = not set, 12).
    int backupsKept = 0;
    int backupMonths = -1;
    // The shipped translation chosen for the program's texts: "nl", "fr",
    // "de", or empty for English (database/ShippedTranslations.h).
    QString language;

    bool operator==(const ClubSettings&) const = default;
};

// The device a COM index stands for when the settings leave it empty:
// /dev/ttyS0../dev/ttyS3 on Linux, COM1..COM4 on Windows.
QString defaultPortDevice(int comIndex);

// The one place every serial user resolves a COM index to a device.
// An index outside 0..3 falls back to COM1's device.
QString portDevice(const ClubSettings& settings, int comIndex);

} // namespace durvek
