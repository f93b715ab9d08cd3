#pragma once
#include "clocklink/ExchangeLoop.h"
#include <functional>

namespace durvek {

// How a job says goodbye to the clock. The clock jobs try the end-of-job
// request until it is done (once more after a cancel); the race read-out
// clears the cancel first and gives up after six tries.
struct ClosingPolicy {
    int timeoutMs = 100;
    int pauseMs = 0;
    int maxTries = 0;          // 0: until done or cancelled
    bool clearCancelFirst = false;
};

struct JobFrameOptions {
    bool sendConverterOpen = true;  // the single-block read sends none
    int pauseAfterConverterOpen = 0;
    int identifyTimeoutMs = 100;
    int identifyPauseMs = 80;
    ClosingPolicy closing;
};

struct JobFrameReport {
    bool identified = false;  // the clock answered the identify request
    bool bodyRan = false;
    bool closed = false;      // the end-of-job request was done
    QString identity;         // the identify reply text
};

// The order every clock job talks in: converter open (when the converter is
// in use), identify until done, the job's own requests, end-of-job, converter
// close. A cancel or refusal inside the body still runs the closing steps.
JobFrameReport runJobFrameOrder(JobContext& job, const JobFrameOptions& options,
                                const std::function<void(JobContext&)>& body);

// Waits until a clock answers the identify request (status 0, result 0) or
// the user cancels; true when it answered.
bool WaitForClock(JobContext& job);
// The same on the settings' port and line mode, through the program's library.
bool WaitForClock(JobHost& host);

} // namespace durvek
