#pragma once

namespace durvek {

// How fast the language upload feeds the clock. The clock stores each
// character as it comes and has no flow control of its own, so these pauses
// come on top of the time the line needs; tests shorten them.
struct UploadPacing {
    int afterCharacterMs = 10;
    int afterTextMs = 100;
    int afterClosingMs = 10;
};

} // namespace durvek
