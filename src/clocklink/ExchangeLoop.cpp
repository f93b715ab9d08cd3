#include "clocklink/ExchangeLoop.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"
#include "clocklink/JobHost.h"

namespace durvek {

StatusVerdict standardRule(const ExchangeOutcome& outcome)
{
    return outcome.done() ? StatusVerdict::done() : StatusVerdict::retry();
}

StatusRule refusingRule(uint8_t refusedStatus, int messageText, int titleText)
{
    return [=](const ExchangeOutcome& o) {
        if (o.result == 0 && o.status == refusedStatus)
            return StatusVerdict::refused(messageText, titleText);
        return standardRule(o);
    };
}

StatusVerdict listRule(const ExchangeOutcome& outcome)
{
    if (outcome.result != 0)
        return StatusVerdict::retry();
    if (outcome.status == 0)
        return StatusVerdict::done();
    if (outcome.status == 1 || outcome.status == 5)
        return StatusVerdict::endOfList();
    return StatusVerdict::retry();
}

namespace {

// A request with its own status text shows it after every try; otherwise a
// failed library call shows its result number.
void showTryStatus(JobContext& job, const RequestPlan& request, const ExchangeOutcome& outcome, int attempt,
                   bool retrying)
{
    if (request.statusText) {
        if (const auto text = request.statusText(outcome, attempt))
            job.host.showStatus(*text);
        return;
    }
    if (retrying && outcome.lineResult() != 0)
        job.host.showStatus(resultStatusText(outcome.lineResult(), job.library.lastDevice(), job.text));
}

QString catalogueText(const JobContext& job, int number)
{
    return job.text ? job.text(number) : QString::number(number);
}

} // namespace

RequestEnd runRequest(JobContext& job, const RequestPlan& request)
{
    const uint8_t lineMode = request.lineMode == 0xFF ? job.link.lineMode : request.lineMode;
    RequestEnd end;
    for (;;) {
        request.build();
        end.last = exchangeFrame(job.library, job.link.port, lineMode, request.timeoutMs);
        ++end.tries;
        job.lineResult = end.last.lineResult();
        if (!request.pauseOnlyBeforeRetry && request.pauseMs > 0)
            job.host.pause(request.pauseMs);
        job.host.pumpEvents();
        if (linkBuffers().CancelRequested) {
            end.kind = RequestEnd::Cancelled;
            return end;
        }
        const StatusVerdict verdict = request.rule(end.last);
        showTryStatus(job, request, end.last, end.tries - 1, verdict.kind == StatusVerdict::Retry);
        switch (verdict.kind) {
        case StatusVerdict::Done:
            end.kind = RequestEnd::Done;
            return end;
        case StatusVerdict::EndOfList:
            end.kind = RequestEnd::EndOfList;
            return end;
        case StatusVerdict::Refused:
            job.host.warn(catalogueText(job, verdict.messageText), catalogueText(job, verdict.titleText));
            end.kind = RequestEnd::Refused;
            return end;
        case StatusVerdict::Retry:
            break;
        }
        if (request.maxTries > 0 && end.tries >= request.maxTries) {
            end.kind = RequestEnd::GaveUp;
            return end;
        }
        if (request.pauseOnlyBeforeRetry && request.pauseMs > 0)
            job.host.pause(request.pauseMs);
    }
}

void sendOnce(JobContext& job, const std::function<uint16_t()>& build, int timeoutMs, uint8_t lineMode)
{
    build();
    exchangeFrame(job.library, job.link.port, lineMode, timeoutMs);
}

} // namespace durvek
