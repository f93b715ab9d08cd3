#pragma once
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

// Catalogue text by number (GetText in the program; tests pass their own).
using TextLookup = std::function<QString(int number)>;

// What one clock job works with: the window, the library and the link.
struct JobContext {
    JobHost& host;
    ClockLibrary& library;
    LinkParams link;
    TextLookup text;
};

} // namespace durvek
