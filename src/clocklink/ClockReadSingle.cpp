#include "clocklink/ClockJobStore.h"
#include "clocklink/ClockJobSteps.h"
#include "clocklink/ClockReadFancier.h"
#include "clocklink/ClockReadJob.h"
#include "clocklink/ClockRecords.h"
#include "clocklink/Frames.h"
#include "clocklink/JobFrameOrder.h"
#include "clocklink/JobHost.h"
#include "common/AppState.h"

namespace durvek {

namespace {

constexpr int kFancierBlockOffset = 5;
constexpr int kRecordTextOffset = 7;

class SingleBlockRead {
public:
    SingleBlockRead(JobContext& job, const QSqlDatabase& db, const ReadClockHooks& hooks)
        : m_job(job), m_db(db), m_hooks(hooks)
    {
    }

    ReadClockResult run()
    {
        JobFrameOptions options;
        options.sendConverterOpen = false;
        options.identifyTimeoutMs = 100;
        options.identifyPauseMs = 80;
        options.closing.timeoutMs = 100;
        options.closing.pauseMs = 80;
        m_result.end = runReadJobFrames(m_job, options, [this] { return body(); });
        // Once the read has switched to the clock's fancier the window must
        // show that fancier, however the read ended: a grid left showing the
        // previous fancier would be stored under the new one.
        if (m_switchedFancier && !m_shown)
            showFancier();
        finishReadJob(m_job, m_hooks, m_result, m_fancier);
        return m_result;
    }

private:
    ReadClockResult::End body()
    {
        const RequestEnd blockEnd = runRequest(m_job, fancierBlockReadPlan(FrameReadFancierBlock));
        if (blockEnd.kind != RequestEnd::Done)
            return blockEnd.kind == RequestEnd::Refused ? ReadClockResult::Refused : ReadClockResult::Cancelled;

        const FancierBlock block = decodeFancierBlock(linkBuffers().ReplyFrame + kFancierBlockOffset);
        m_fancier = fancierLabel(block.licence, block.name);
        m_job.host.showStatus(m_fancier);
        const int32_t fancierId = findOrAddClockFancier(m_db, block, CoordinateFields::Numbers);
        noteFancierRevision(m_db, fancierId, m_revisions);
        appState().currentFancierId = fancierId;
        m_switchedFancier = true;

        // The stored list goes only once the clock's whole list has been read:
        // a clock that refuses or a Cancel half-way must not cost it.
        QList<int32_t> replaced;
        if (fancierHasPigeons(m_db, fancierId)) {
            if (!mayReplacePigeons(m_job))
                return ReadClockResult::Declined;
            replaced.append(fancierId);
        }
        const ReadClockResult::End end = readPigeons(fancierId);
        if (end == ReadClockResult::Done) {
            m_result.withoutChipCode = settleChipCodesInUse(m_job, m_db, replaced, m_read);
            storeReadPigeons(m_db, replaced, m_read, m_revisions);
            m_result.pigeonsStored = int(m_read.size());
            showFancier();
        }
        return end;
    }

    ReadClockResult::End readPigeons(int32_t fancierId)
    {
        for (int k = 0;; ++k) {
            const RecordIndex index = splitRecordIndex(k);
            const RequestEnd end =
                readListEntry(m_job, k, [index] { return FrameReadRecord(index.hi, index.lo); });
            if (end.kind == RequestEnd::EndOfList)
                return ReadClockResult::Done;
            if (end.kind == RequestEnd::Refused)
                return ReadClockResult::Refused;
            if (end.kind != RequestEnd::Done)
                return ReadClockResult::Cancelled;
            const ReadPigeon pigeon = decodeSingleBlockRecord(replyText(kRecordTextOffset));
            m_read.append({fancierId, pigeon});
            m_result.pigeonsRead = k + 1;
            showReadPigeon(m_job, k + 1, pigeon);
        }
    }

    void showFancier()
    {
        m_shown = true;
        if (m_hooks.ShowFancier)
            m_hooks.ShowFancier();
    }

    JobContext& m_job;
    QSqlDatabase m_db;
    const ReadClockHooks& m_hooks;
    ReadClockResult m_result;
    QString m_fancier;
    QList<PigeonOfFancier> m_read;
    FancierRevisions m_revisions;
    bool m_switchedFancier = false;
    bool m_shown = false;
};

} // namespace

ReadClockResult ReadClockSingle(JobContext& job, const QSqlDatabase& db, const ReadClockHooks& hooks)
{
    return SingleBlockRead(job, db, hooks).run();
}

} // namespace durvek
