#include "clocklink/ClockReadJob.h"
#include "clocklink/ClockModel.h"
#include <array>

namespace durvek {

namespace {

using ReadJob = ReadClockResult (*)(JobContext&, const QSqlDatabase&, const ReadClockHooks&);

// Indexed by ReadJobKind.
constexpr std::array<ReadJob, 3> kReadJobs{ReadClockSingle, ReadClockMulti, nullptr};

} // namespace

ReadClockResult ReadClock(JobContext& job, const QSqlDatabase& db, int modelIndex, const ReadClockHooks& hooks)
{
    if (const ReadJob read = kReadJobs[size_t(clockModel(modelIndex).readJob)])
        return read(job, db, hooks);
    // The window disabled its buttons for the job; a model without a read
    // job must still give them back.
    if (hooks.EnableLinkButtons)
        hooks.EnableLinkButtons();
    return {};
}

} // namespace durvek
