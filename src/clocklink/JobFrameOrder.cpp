#include "clocklink/JobFrameOrder.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"
#include "clocklink/JobHost.h"
#include "common/AppState.h"

namespace durvek {

namespace {

constexpr int kConverterTimeoutMs = 100;
constexpr uint8_t kConverterLineMode = 0;

void converterFrame(JobContext& job, uint16_t (*builder)())
{
    sendOnce(job, builder, kConverterTimeoutMs, kConverterLineMode);
}

bool identify(JobContext& job, const JobFrameOptions& options, JobFrameReport& report)
{
    RequestPlan request;
    request.build = FrameIdentify;
    request.timeoutMs = options.identifyTimeoutMs;
    request.pauseMs = options.identifyPauseMs;
    if (runRequest(job, request).kind != RequestEnd::Done)
        return false;
    report.identity = replyText(5);
    job.host.showStatus(report.identity);
    return true;
}

bool endJob(JobContext& job, const ClosingPolicy& policy)
{
    if (policy.clearCancelFirst)
        linkBuffers().CancelRequested = false;
    RequestPlan request;
    request.build = FrameEndJob;
    request.timeoutMs = policy.timeoutMs;
    request.pauseMs = policy.pauseMs;
    request.maxTries = policy.maxTries;
    return runRequest(job, request).kind == RequestEnd::Done;
}

} // namespace

JobFrameReport runJobFrameOrder(JobContext& job, const JobFrameOptions& options,
                                const std::function<void(JobContext&)>& body)
{
    JobFrameReport report;
    if (job.link.converter && options.sendConverterOpen) {
        converterFrame(job, FrameConverterOpen);
        if (options.pauseAfterConverterOpen > 0)
            job.host.pause(options.pauseAfterConverterOpen);
    }
    report.identified = identify(job, options, report);
    if (report.identified && body) {
        body(job);
        report.bodyRan = true;
    }
    job.host.pumpEvents();
    report.closed = endJob(job, options.closing);
    if (job.link.converter)
        converterFrame(job, FrameConverterClose);
    return report;
}

bool WaitForClock(JobContext& job)
{
    RequestPlan request;
    request.build = FrameIdentify;
    request.timeoutMs = 100;
    request.pauseMs = 0;
    return runRequest(job, request).kind == RequestEnd::Done;
}

bool WaitForClock(JobHost& host)
{
    JobContext job{host, clockLibrary(), LinkParams::fromSettings(appState().activeSettings), {}};
    return WaitForClock(job);
}

} // namespace durvek
