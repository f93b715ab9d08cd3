#pragma once
#include "clocklink/JobContext.h"
#include <QSqlDatabase>
#include <cstdint>
#include <functional>

namespace durvek {

// What the linking screen hands the "Update Clock" job.
struct UpdateClockRequest {
    int32_t fancierId = 0;     // CurrentFancierId
    int modelIndex = 0;        // the clock-model option (settings protocol numbering)
    int fanciersPerClock = 1;  // the option "1", "2" or "3"
    bool races = false;        // the "Races" box
    bool sortByBand = false;   // ActiveSettings sort
};

// The window's part in the job.
struct UpdateClockHooks {
    // Stores the grid, after the fancier block; gives the number of grid
    // rows the store left out (a band or chip code not complete).
    std::function<int()> SaveLinking;
    std::function<void()> EnableLinkButtons;  // at the very end
};

struct UpdateClockResult {
    enum End {
        NeedsFancier,    // no fancier chosen: nothing was sent, the window warns (texts 56, 57)
        Done,
        Cancelled,
        Refused,         // the clock refused the set-up or the fancier block
        FancierMissing,  // no fanciers row for the id (texts 56, 57)
        Failed,          // the database failed; the engine's message was shown
    };
    End end = NeedsFancier;
    int pigeonRecordsWritten = 0;
};

// Writes the fancier block, the race block when asked for, record 0 and the
// fancier's pigeon records into the clock, storing the grid on the way.
// Whatever ends it, the clock is told the job is over and the buttons come back.
UpdateClockResult UpdateClock(JobContext& job, const QSqlDatabase& db, const UpdateClockRequest& request,
                              const UpdateClockHooks& hooks);

} // namespace durvek
