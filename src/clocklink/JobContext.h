#pragma once
#include "clocklink/LinkResult.h"
#include "common/ClubSettings.h"
#include <QString>
#include <cstdint>
#include <functional>

namespace durvek {

class ClockLibrary;
class JobHost;

// The port number byte and the line mode a job talks with, taken from the
// settings when the job starts.
struct LinkParams {
    uint8_t port = 1;      // com + 1
    uint8_t lineMode = 1;  // 1 without converter, 0 with it
    bool converter = false;

    static LinkParams fromSettings(const ClubSettings& settings);
};

// What one clock job works with: the window, the library and the link.
struct JobContext {
    JobHost& host;
    ClockLibrary& library;
    LinkParams link;
    TextLookup text;
    // The line result of the last try (0 when it went through), which the
    // job's closing sentence explains when the user gave up waiting.
    uint16_t lineResult = 0;
    // What the club database said when it refused the job's store (its
    // sentence), which the closing sentence repeats; empty when it did not.
    QString databaseFailure = QString();
};

} // namespace durvek
