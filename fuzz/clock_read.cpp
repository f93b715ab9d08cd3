// "Read Clock" with the fuzzer as the clock: the fancier block(s) and pigeon
// records of every model, stored into a club database.
#include "FuzzDatabase.h"
#include "FuzzJob.h"
#include "clocklink/ClockReadJob.h"

using namespace durvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzDatabase database;
    fuzz::FuzzInput input(data, size);
    fuzz::FuzzJob job(input, input.flag());
    ReadClock(job.context, database.db(), input.byte() % 4, ReadClockHooks{[] {}, [] {}});
    return 0;
}
