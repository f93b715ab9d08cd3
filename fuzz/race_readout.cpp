// The race read-out with the fuzzer as the clock: fancier identity, flight
// list, pigeon entries and the closing, down to the pigeon file it writes.
#include "FuzzApp.h"
#include "FuzzHost.h"
#include "FuzzLine.h"
#include "clocklink/ClockLibrary.h"
#include "results/ReadRaceData.h"
#include "results/RecordingView.h"
#include <QTemporaryDir>

using namespace durvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::ensureApplication();
    static QTemporaryDir dir;
    fuzz::FuzzInput input(data, size);
    linkBuffers().CancelRequested = false;
    ClockLibrary library;
    fuzz::useFuzzLine(library, input);
    fuzz::FuzzHost host(input);
    ReadoutLimits limits;
    if (input.flag())
        limits = ReadoutLimits{1 + input.byte() % 8, 1 + input.byte() % 16};
    JobContext job{host, library, LinkParams(), fuzz::fuzzText};
    test::RecordingView view;
    RaceData race;
    ReadRaceData(job, view, race, dir.filePath(QStringLiteral("duiven.txt")), limits).run();
    return 0;
}
