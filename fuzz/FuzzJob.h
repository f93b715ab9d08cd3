#pragma once
// What a framed clock job runs with under the fuzzer: the clock library on the
// fuzzed line, the fuzz host and the job context.
#include "FuzzHost.h"
#include "FuzzLine.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/JobContext.h"

namespace durvek::fuzz {

struct FuzzJob {
    FuzzJob(FuzzInput& input, bool converter);

    ClockLibrary library;
    FuzzHost host;
    JobContext context;
};

} // namespace durvek::fuzz
