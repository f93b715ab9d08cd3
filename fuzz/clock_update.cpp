// "Update Clock" with the fuzzer as the clock and as the club's data: a
// fancier with fuzzed fields and pigeons written to every model.
#include "FuzzDatabase.h"
#include "FuzzJob.h"
#include "clocklink/ClockUpdateJob.h"

using namespace durvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzDatabase database;
    fuzz::FuzzInput input(data, size);
    UpdateClockRequest request;
    request.fancierId = fuzz::addFuzzedClub(database.db(), input);
    if (input.flag())
        request.fancierId += 1;  // a fancier that is not there
    request.modelIndex = input.byte() % 4;
    request.fanciersPerClock = 1 + input.byte() % 3;
    request.races = input.flag();
    request.sortByBand = input.flag();
    fuzz::FuzzJob job(input, input.flag());
    UpdateClock(job.context, database.db(), request, UpdateClockHooks{[] { return 0; }, [] {}});
    return 0;
}
