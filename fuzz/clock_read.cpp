// "Read Clock" with the fuzzer as the clock: the fancier block(s) and pigeon
// records of every model, stored into a club database.
#include "FuzzDatabase.h"
#include "FuzzHost.h"
#include "FuzzLine.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/ClockReadJob.h"

using namespace durvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzDatabase database;
    fuzz::FuzzInput input(data, size);
    linkBuffers().CancelRequested = false;
    ClockLibrary library;
    fuzz::useFuzzLine(library, input);
    fuzz::FuzzHost host(input);
    ClubSettings settings;
    settings.converter = input.flag();
    JobContext job{host, library, LinkParams::fromSettings(settings), fuzz::fuzzText};
    ReadClock(job, database.db(), input.byte() % 4, ReadClockHooks{[] {}, [] {}});
    return 0;
}
