// The race read-out with the fuzzer as the clock: fancier identity, flight
// list, pigeon entries and the closing, down to the pigeon file it writes.
#include "FuzzApp.h"
#include "FuzzJob.h"
#include "results/ReadRaceData.h"
#include "results/RecordingView.h"
#include <QTemporaryDir>

using namespace durvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::ensureApplication();
    static QTemporaryDir dir;
    fuzz::FuzzInput input(data, size);
    ReadoutLimits limits;
    if (input.flag())
        limits = ReadoutLimits{1 + input.byte() % 8, 1 + input.byte() % 16};
    fuzz::FuzzJob job(input, input.flag());
    test::RecordingView view;
    RaceData race;
    ReadRaceData(job.context, view, race, dir.filePath(QStringLiteral("duiven.txt")), limits).run();
    return 0;
}
