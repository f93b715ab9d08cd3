#include "clocklink/ClockUpdateJob.h"
#include "clocklink/ClockJobStore.h"
#include "clocklink/ClockJobSteps.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/ClockModel.h"
#include "clocklink/ClockRecords.h"
#include "clocklink/Frames.h"
#include "clocklink/JobFrameOrder.h"
#include "clocklink/JobHost.h"
#include "clocklink/JobSentence.h"
#include "common/Ansi.h"
#include <optional>

namespace durvek {

namespace {

constexpr int kTextConnecting = 53;
constexpr int kTextBlockStatus = 54;
constexpr int kTextRefused = 55;
constexpr int kTextNoFancier = 56;
constexpr int kTextNoFancierTitle = 57;
constexpr int kTextUpdateClock = 48;
constexpr int kTextWritingPigeon = 212;

constexpr uint8_t kFancierBlockRefused = 4;
constexpr uint8_t kSetupRefused = 5;
constexpr int kLicenceBytes = 8;
constexpr int kNameBytes = 25;

class ClockUpdate {
public:
    ClockUpdate(JobContext& job, const QSqlDatabase& db, const UpdateClockRequest& request,
                const UpdateClockHooks& hooks)
        : m_job(job), m_db(db), m_request(request), m_hooks(hooks), m_model(clockModel(request.modelIndex))
    {
    }

    UpdateClockResult run()
    {
        m_job.host.showStatus(jobText(m_job, kTextConnecting));
        m_job.host.progress(0, 0);
        linkBuffers().CancelRequested = false;
        m_result.end = UpdateClockResult::Cancelled;
        JobFrameOptions options;
        options.identifyTimeoutMs = 200;
        options.identifyPauseMs = 80;
        options.closing.timeoutMs = 100;
        options.closing.pauseMs = 0;
        runJobFrameOrder(m_job, options, [this](JobContext&) {
            if (!runJobBody(m_job, kTextUpdateClock, [this] { m_result.end = body(); }))
                m_result.end = UpdateClockResult::Failed;
        });
        m_job.host.showStatus(QString());
        if (m_hooks.EnableLinkButtons)
            m_hooks.EnableLinkButtons();
        m_job.host.finished(JobSentence(m_job.text).withRowsLeftOut(closingSentence(), m_rowsLeftOut));
        return m_result;
    }

private:
    QString closingSentence() const
    {
        const JobSentence say(m_job.text);
        const QString job = jobText(m_job, kTextUpdateClock);
        switch (m_result.end) {
        case UpdateClockResult::Done:
            return say.clockUpdated(m_fancier, m_result.pigeonRecordsWritten, m_job.host.elapsedSeconds());
        case UpdateClockResult::Cancelled:
            return say.stoppedByCancel(job, say.pigeons(m_result.pigeonRecordsWritten, m_pigeonsToWrite), true,
                                       m_job.lineResult, m_job.library.lastDevice());
        case UpdateClockResult::Refused:
            return say.refused(job, m_job.library.lastDevice());
        case UpdateClockResult::FancierMissing:
        case UpdateClockResult::NeedsFancier:
            return say.stopped(job, jobText(m_job, kTextNoFancier));
        case UpdateClockResult::Failed:
            break;
        }
        return say.databaseFailed(job, m_job.databaseFailure);
    }

    UpdateClockResult::End body()
    {
        if (const auto end = setUpFanciersPerClock())
            return *end;
        if (const auto end = writeFancierBlock())
            return *end;
        if (m_hooks.SaveLinking)
            m_rowsLeftOut = m_hooks.SaveLinking();
        if (linkBuffers().CancelRequested)
            return UpdateClockResult::Cancelled;
        if (m_request.races && !writeRaceBlock())
            return UpdateClockResult::Cancelled;
        return writePigeonList();
    }

    static std::optional<UpdateClockResult::End> endOf(const RequestEnd& end)
    {
        switch (end.kind) {
        case RequestEnd::Done:
            return std::nullopt;
        case RequestEnd::Refused:
            return UpdateClockResult::Refused;
        default:
            return UpdateClockResult::Cancelled;
        }
    }

    // A clock that can hold more than one fancier is told how many first;
    // the choice "1" leaves it as it is.
    std::optional<UpdateClockResult::End> setUpFanciersPerClock()
    {
        if (!m_model.fanciersPerClockSetup || (m_request.fanciersPerClock != 2 && m_request.fanciersPerClock != 3))
            return std::nullopt;
        const auto subCode = uint8_t(m_request.fanciersPerClock - 1);
        RequestPlan request;
        request.build = [subCode] { return FrameSetup(subCode); };
        request.timeoutMs = 1000;
        request.pauseMs = 80;
        request.rule = refusingRule(kSetupRefused, kTextRefused, kTextUpdateClock);
        return endOf(runRequest(m_job, request));
    }

    std::optional<UpdateClockResult::End> writeFancierBlock()
    {
        linkBuffers().clearRecord();
        const std::optional<FancierBlock> fancier = loadFancierForClock(m_db, m_request.fancierId);
        if (!fancier) {
            m_job.host.warn(jobText(m_job, kTextNoFancier), jobText(m_job, kTextNoFancierTitle));
            return UpdateClockResult::FancierMissing;
        }
        const QByteArray block = encodeFancierBlock(*fancier);
        linkBuffers().setRecord(block);
        m_fancier = fancierLabel(fromAnsi(block.left(kLicenceBytes)), fromAnsi(block.mid(kLicenceBytes, kNameBytes)));
        m_job.host.showStatus(m_fancier);

        RequestPlan request;
        request.build = FrameWriteFancierBlock;
        request.timeoutMs = 5000;
        request.pauseMs = 80;
        request.rule = refusingRule(kFancierBlockRefused, kTextRefused, kTextUpdateClock);
        request.statusText = [this](const ExchangeOutcome& o, int) -> std::optional<QString> {
            if (o.result != 0)
                return resultStatusText(o.result, m_job.library.lastDevice(), m_job.text);
            if (o.status != 0)
                return jobText(m_job, kTextBlockStatus) + QString::number(o.status);
            return std::nullopt;
        };
        const auto end = endOf(runRequest(m_job, request));
        // A refused block also stops the end-of-job request after one try.
        if (end == UpdateClockResult::Refused)
            linkBuffers().CancelRequested = true;
        return end;
    }

    // False when the user cancelled.
    bool writeRaceBlock()
    {
        const QByteArray races = encodeRaceBlock(loadRaceAbbreviations(m_db));
        RequestPlan request;
        request.build = [races] {
            const uint16_t length = FrameRaceBlock();
            placeRaceBytes(races);
            return length;
        };
        request.timeoutMs = 500;
        request.pauseMs = 80;
        request.pauseOnlyBeforeRetry = true;
        return runRequest(m_job, request).kind == RequestEnd::Done;
    }

    UpdateClockResult::End writePigeonList()
    {
        linkBuffers().clearRecord();
        const QList<PigeonRecord> pigeons = loadPigeonsForClock(m_db, m_request.fancierId, m_request.sortByBand);
        // A fancier without pigeons leaves the clock's list as it was.
        if (pigeons.isEmpty())
            return UpdateClockResult::Done;
        m_pigeonsToWrite = int(pigeons.size());
        m_job.host.progress(0, m_pigeonsToWrite);
        if (!writeRecordZero())
            return UpdateClockResult::Cancelled;
        const auto frameLength = uint8_t(m_model.recordFrameLength());
        for (int k = 1; k <= pigeons.size(); ++k) {
            const PigeonRecord& pigeon = pigeons[k - 1];
            linkBuffers().setRecord(encodePigeonRecord(m_model.recordLayout, pigeon));
            m_job.host.showStatus(jobText(m_job, kTextWritingPigeon)
                                      .arg(QString::number(k), QString::number(m_pigeonsToWrite),
                                           pigeonStatusText(m_job, pigeon.country, pigeon.year, pigeon.band,
                                                            pigeon.elcode)));
            const RecordIndex index = splitRecordIndex(k);
            RequestPlan request;
            request.build = [index, frameLength] { return FrameWriteRecord(index.hi, index.lo, frameLength); };
            request.timeoutMs = 1000;
            request.pauseMs = 100;
            if (runRequest(m_job, request).kind != RequestEnd::Done)
                return UpdateClockResult::Cancelled;
            ++m_result.pigeonRecordsWritten;
            m_job.host.progress(k, m_pigeonsToWrite);
        }
        return UpdateClockResult::Done;
    }

    bool writeRecordZero()
    {
        // The head of the list is no pigeon: the status line keeps naming the
        // fancier, and a failed try says what the line answered.
        linkBuffers().setRecord(encodeRecordZero());
        linkBuffers().CancelRequested = false;
        RequestPlan request;
        request.build = [] { return FrameWriteRecord(0, 0, kRecordZeroFrameLength); };
        request.timeoutMs = 1000;
        request.pauseMs = 50;
        return runRequest(m_job, request).kind == RequestEnd::Done;
    }

    JobContext& m_job;
    QSqlDatabase m_db;
    const UpdateClockRequest& m_request;
    const UpdateClockHooks& m_hooks;
    const ClockModel& m_model;
    UpdateClockResult m_result;
    QString m_fancier;  // licence and name, as the clock receives them
    int m_pigeonsToWrite = 0;
    int m_rowsLeftOut = 0;  // by the grid store, whatever ends the job after it
};

} // namespace

UpdateClockResult UpdateClock(JobContext& job, const QSqlDatabase& db, const UpdateClockRequest& request,
                              const UpdateClockHooks& hooks)
{
    if (request.fancierId == 0)
        return {UpdateClockResult::NeedsFancier, 0};
    return ClockUpdate(job, db, request, hooks).run();
}

} // namespace durvek
