#pragma once
#include "clocklink/JobContext.h"
#include <QSqlDatabase>
#include <functional>

namespace durvek {

// The window's part in a "Read Clock" job.
struct ReadClockHooks {
    std::function<void()> ShowFancier;        // shows CurrentFancierId with its pigeons
    std::function<void()> EnableLinkButtons;  // at the very end
};

struct ReadClockResult {
    enum End {
        NoReadJob,  // the model is only ever written: nothing was sent
        Done,       // the clock's list was read to its end and stored
        Cancelled,  // no pigeon was stored, the stored lists are as they were
        Refused,    // the clock refused the block read, the set-up or its list (texts 70, 49)
        Declined,   // the user kept the stored pigeons; no pigeon was read
        Failed,     // the database failed; the engine's message was shown
    };
    End end = NoReadJob;
    int pigeonsRead = 0;     // list entries the clock gave before the read ended
    int pigeonsStored = 0;
    int repeatsSkipped = 0;  // pigeon entries listed again (once per flight)
    int strayPigeons = 0;    // entries naming a fancier block the clock did not report
    int withoutChipCode = 0; // stored without their chip code, which other fanciers' pigeons hold
};

// Reads the clock's fancier(s) and pigeons into the database: the read job
// of the model (its row in the model table), or nothing for a model that is
// only ever written. The job sets CurrentFancierId.
ReadClockResult ReadClock(JobContext& job, const QSqlDatabase& db, int modelIndex, const ReadClockHooks& hooks);

// The clock with one fancier block and numbered pigeon records.
ReadClockResult ReadClockSingle(JobContext& job, const QSqlDatabase& db, const ReadClockHooks& hooks);
// The clock that may hold several fanciers and lists its pigeons by query.
ReadClockResult ReadClockMulti(JobContext& job, const QSqlDatabase& db, const ReadClockHooks& hooks);

} // namespace durvek
