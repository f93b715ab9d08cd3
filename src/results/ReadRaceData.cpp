#include "results/ReadRaceData.h"
#include "clocklink/ExchangeLoop.h"
#include "clocklink/FixedText.h"
#include "clocklink/Frames.h"
#include "clocklink/ClockJobSteps.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/JobHost.h"
#include "clocklink/JobSentence.h"
#include "common/Ansi.h"
#include "common/TextTrim.h"
#include "results/PigeonFile.h"
#include "results/RaceReadoutView.h"
#include "results/ResultOrder.h"

namespace durvek {

namespace {

constexpr int kWaitingText = 53;
constexpr int kRefusedText = 70;
constexpr int kRefusedTitle = 49;

constexpr int kWakeUpTimeoutMs = 100;
constexpr int kWakeUpPauseMs = 100;
constexpr int kReadTimeoutMs = 2000;
constexpr int kFancierPauseMs = 50;
constexpr int kPigeonPauseMs = 50;
constexpr int kEndTimeoutMs = 100;
constexpr int kEndPauseMs = 50;
constexpr int kEndTries = 6;

constexpr uint8_t kRefusedStatus = 1;
constexpr int kClockIdentityWidth = 20;

// Offsets of the reply data: the flight text follows the echoed index byte,
// the pigeon text the two index bytes.
constexpr int kIdentityOffset = 5;
constexpr int kFlightTextOffset = 6;
constexpr int kPigeonTextOffset = 7;

// The list requests: any reply that made it is looked at; only a failed call
// is tried again.
StatusVerdict answeredRule(const ExchangeOutcome& o)
{
    return o.result == 0 ? StatusVerdict::done() : StatusVerdict::retry();
}

// The fancier block: status 1 refuses, any other answered status is taken.
StatusVerdict fancierRule(const ExchangeOutcome& o)
{
    if (o.result != 0)
        return StatusVerdict::retry();
    if (o.status == kRefusedStatus)
        return StatusVerdict::refused(kRefusedText, kRefusedTitle);
    return StatusVerdict::done();
}

std::optional<QString> keepStatus(const ExchangeOutcome&, int) { return std::nullopt; }

bool endsList(uint8_t status) { return status == 1 || status == 5; }

QString replyField(int offset, int width) { return fromAnsi(linkBuffers().ReplyFrame + offset, width); }

} // namespace

ReadRaceData::ReadRaceData(const JobContext& job, RaceReadoutView& view, RaceData& data, QString pigeonFilePath,
                           ReadoutLimits limits)
    : m_job(job)
    , m_view(view)
    , m_data(data)
    , m_pigeonFilePath(std::move(pigeonFilePath))
    , m_limits(limits)
{
    m_job.link.lineMode = 1;
    m_job.link.converter = false;
}

QString ReadRaceData::closingSentence(const ReadoutEnd& end) const
{
    const JobSentence say(m_job.text);
    const QString job = text(kRefusedTitle);
    const QString device = m_job.library.lastDevice();
    const int pigeons = int(m_data.results.size());
    if (end.kind == ReadoutEnd::Failed)
        return say.stopped(job, end.error);
    if (end.refused)
        return say.refused(job, device);
    const bool saved = end.kind == ReadoutEnd::Saved;
    if (end.cancelled || end.kind == ReadoutEnd::ClosingCancelled)
        return say.stoppedByCancel(job, say.pigeons(pigeons), saved, saved ? 0 : m_job.lineResult, device);
    if (end.kind == ReadoutEnd::ClosingFailed)
        return say.stopped(job, say.lineResult(m_job.lineResult, device));
    return say.raceDataRead(fancierLabel(m_data.clockLicence, m_data.clockName),
                            int(m_data.flights.size()), pigeons, m_job.host.elapsedSeconds());
}

QString ReadRaceData::text(int number) const { return m_job.text ? m_job.text(number) : QString::number(number); }

ReadoutEnd ReadRaceData::run()
{
    linkBuffers().CancelRequested = false;
    startAfresh();

    ReadoutEnd end;
    if (wakeUp() && readFancier(end) && readFlights())
        readPigeons();
    end.cancelled = m_cancelled;
    close(end);
    m_job.host.finished(closingSentence(end));
    return end;
}

void ReadRaceData::startAfresh()
{
    m_data = RaceData();
    m_view.showFancierLine(QString());
    m_view.showAddressLine(QString());
    m_view.clearFlightList();
    m_cancelled = false;
    m_reachedPigeons = false;
    m_error.clear();
}

bool ReadRaceData::wakeUp()
{
    m_job.host.showStatus(text(kWaitingText));
    m_job.host.progress(0, 0);
    RequestPlan request;
    request.build = FrameIdentify;
    request.timeoutMs = kWakeUpTimeoutMs;
    request.pauseMs = kWakeUpPauseMs;
    // The status line says why the clock is not there yet and counts the
    // attempts, so a club sees that the program is still calling it.
    request.statusText = [this](const ExchangeOutcome& o, int attempt) -> std::optional<QString> {
        if (o.done())
            return std::nullopt;
        return text(kWaitingText) + u' ' + resultStatusText(o.lineResult(), m_job.library.lastDevice(), m_job.text)
            + QStringLiteral(" (") + QString::number(attempt) + u')';
    };
    if (runRequest(m_job, request).kind == RequestEnd::Cancelled) {
        m_cancelled = true;
        return false;
    }
    m_data.clockIdentity = leftSpaces(replyText(kIdentityOffset), kClockIdentityWidth);
    m_job.host.showStatus(m_data.clockIdentity);
    return true;
}

bool ReadRaceData::readFancier(ReadoutEnd& end)
{
    RequestPlan request;
    request.build = FrameReadFancierBlock;
    request.timeoutMs = kReadTimeoutMs;
    request.pauseMs = kFancierPauseMs;
    request.rule = fancierRule;
    request.statusText = keepStatus;
    switch (runRequest(m_job, request).kind) {
    case RequestEnd::Cancelled:
        m_cancelled = true;
        return false;
    case RequestEnd::Refused:
        end.refused = true;
        return false;
    default:
        break;
    }
    m_data.clockLicence = replyField(5, 8);
    m_data.clockName = replyField(13, 25);
    m_data.clockAddress = replyField(38, 25);
    m_data.clockZip = replyField(63, 6);
    m_data.clockCity = replyField(69, 20);
    m_job.host.showStatus(m_data.clockLicence + QStringLiteral("  ") + m_data.clockName);
    m_view.showFancierLine(m_data.clockLicence + QStringLiteral(" - ") + m_data.clockName);
    m_view.showAddressLine(trimSpaces(m_data.clockAddress) + QStringLiteral(" - ") + trimSpaces(m_data.clockZip)
                           + QStringLiteral(" - ") + trimSpaces(m_data.clockCity));
    return true;
}

bool ReadRaceData::readFlights()
{
    for (int index = 0;; ++index) {
        if (index >= m_limits.flights) {
            m_error = QStringLiteral("The clock holds more than %1 flights; no more can be asked for, "
                                     "so the read-out stopped without saving.")
                          .arg(m_limits.flights);
            return false;
        }
        RequestPlan request;
        request.build = [index] { return FrameRaceQuery(uint8_t(index), QStringLiteral("0000")); };
        request.timeoutMs = kReadTimeoutMs;
        request.rule = answeredRule;
        request.statusText = keepStatus;
        const RequestEnd got = runRequest(m_job, request);
        if (got.kind == RequestEnd::Cancelled) {
            m_cancelled = true;
            return false;
        }
        if (endsList(got.last.status))
            return true;
        const QString s = leftSpaces(replyText(kFlightTextOffset), FlightEntry::kTextWidth);
        if (got.last.status == 0) {
            m_job.host.showStatus(s);
            m_data.flights.append(FlightEntry::fromFlightText(s));
            m_view.addFlightItem(flightListItem(s, index), index);
        } else {
            m_data.flights.append(FlightEntry());
        }
        m_job.host.showStatus(QString());
    }
}

void ReadRaceData::readPigeons()
{
    m_reachedPigeons = true;
    for (int k = 0;; ++k) {
        if (k >= m_limits.pigeons) {
            m_error = QStringLiteral("The clock holds more than %1 pigeon entries; no more can be asked for, "
                                     "so the read-out stopped without saving.")
                          .arg(m_limits.pigeons);
            return;
        }
        RequestPlan request;
        request.build = [k] {
            const RecordIndex at = splitRecordIndex(k);
            return FramePigeonQuery(at.hi, at.lo, QStringLiteral("0000"), QStringLiteral("0000"));
        };
        request.timeoutMs = kReadTimeoutMs;
        request.pauseMs = kPigeonPauseMs;
        request.rule = answeredRule;
        request.statusText = keepStatus;
        const RequestEnd got = runRequest(m_job, request);
        if (got.kind == RequestEnd::Cancelled) {
            // The entries read so far are kept, sorted and saved if the clock
            // confirms the end.
            m_cancelled = true;
            return;
        }
        if (endsList(got.last.status))
            return;
        ResultRecord record;
        if (got.last.status == 0)
            record = ResultRecord::fromPigeonText(replyText(kPigeonTextOffset));
        record.clockEntry = k;
        m_data.results.append(record);
        m_job.host.progress(int(m_data.results.size()), 0);
        m_job.host.showStatus(record.elcode + QStringLiteral(" - ") + record.band + QStringLiteral(" - ")
                              + record.sortKey);
    }
}

void ReadRaceData::close(ReadoutEnd& end)
{
    // A cancel that led here has been answered; a new one means stop now.
    linkBuffers().CancelRequested = false;
    RequestPlan request;
    request.build = FrameEndJob;
    request.timeoutMs = kEndTimeoutMs;
    request.pauseMs = kEndPauseMs;
    request.maxTries = kEndTries;
    request.statusText = keepStatus;
    const RequestEnd got = runRequest(m_job, request);

    if (!m_error.isEmpty()) {
        // An incomplete read is never saved: a file holding part of a
        // clock's entries would pass for the whole result.
        end.kind = ReadoutEnd::Failed;
        end.error = m_error;
        return;
    }
    switch (got.kind) {
    case RequestEnd::Done:
        break;
    case RequestEnd::Cancelled:
        end.kind = ReadoutEnd::ClosingCancelled;
        return;
    default:
        end.kind = ReadoutEnd::ClosingFailed;
        return;
    }
    if (!m_reachedPigeons) {
        // Nothing of this clock's result was read, so there is nothing to
        // replace the previous clock's file with.
        end.kind = ReadoutEnd::EndedUnread;
        return;
    }
    sortResults(m_data.results);
    QString fileError;
    if (!SavePigeonFile(m_pigeonFilePath, m_data.results, &fileError)) {
        end.kind = ReadoutEnd::Failed;
        end.error = fileError;
        return;
    }
    end.kind = ReadoutEnd::Saved;
}

} // namespace durvek
