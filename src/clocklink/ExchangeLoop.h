#pragma once
#include "clocklink/Exchange.h"
#include "clocklink/JobContext.h"
#include <QString>
#include <functional>
#include <optional>

namespace durvek {

// What a request's status rule makes of one try.
struct StatusVerdict {
    enum Kind { Done, Retry, Refused, EndOfList };
    Kind kind = Retry;
    int messageText = 0; // Refused: catalogue texts of the warning box
    int titleText = 0;

    static StatusVerdict done() { return {Done}; }
    static StatusVerdict retry() { return {Retry}; }
    static StatusVerdict endOfList() { return {EndOfList}; }
    static StatusVerdict refused(int message, int title) { return {Refused, message, title}; }
};

using StatusRule = std::function<StatusVerdict(const ExchangeOutcome&)>;

// Done on result 0 with status 0, otherwise try again.
StatusVerdict standardRule(const ExchangeOutcome& outcome);
// The standard rule with one refusal: refusedStatus (with result 0) ends the
// job with the warning of the two texts.
StatusRule refusingRule(uint8_t refusedStatus, int messageText, int titleText);
// Record queries: status 0 done, 1 or 5 the end of the list, others again.
StatusVerdict listRule(const ExchangeOutcome& outcome);

// One request of a job and how its loop runs.
struct RequestPlan {
    std::function<uint16_t()> build;   // fills SendFrame
    int timeoutMs = 100;
    int pauseMs = 0;
    bool pauseOnlyBeforeRetry = false; // the race block waits only before trying again
    StatusRule rule = standardRule;
    int maxTries = 0;                  // 0: no limit, the clock is waited for until Cancel
    uint8_t lineMode = 0xFF;           // 0xFF: the job's line mode
    // When set: the status line after every try (nullopt leaves it as it is).
    // Otherwise a failed library call shows its result number. attempt counts from 0.
    std::function<std::optional<QString>(const ExchangeOutcome&, int attempt)> statusText;
};

struct RequestEnd {
    enum Kind { Done, Refused, EndOfList, Cancelled, GaveUp };
    Kind kind = Cancelled;
    ExchangeOutcome last;
    int tries = 0;
};

// The standard exchange loop: build, exchange, pause, let events run, look at
// the cancel flag, apply the status rule; again until the rule ends it, the
// user cancels or (with maxTries) the tries run out. A refusal shows its
// warning box before the loop returns.
RequestEnd runRequest(JobContext& job, const RequestPlan& request);

// One call whose result nobody examines (the converter frames).
void sendOnce(JobContext& job, const std::function<uint16_t()>& build, int timeoutMs, uint8_t lineMode);

} // namespace durvek
