#include "clocklink/ClockJobStore.h"
#include "clocklink/ClockJobSteps.h"
#include "clocklink/ClockReadFancier.h"
#include "clocklink/ClockReadJob.h"
#include "clocklink/ClockRecords.h"
#include "clocklink/Frames.h"
#include "clocklink/JobFrameOrder.h"
#include "clocklink/JobHost.h"
#include "common/AppState.h"
#include <QSet>
#include <optional>

namespace durvek {

namespace {

constexpr uint8_t kHighestBlockQuery = 10;
constexpr int kHighestBlockByte = 5;
constexpr int kFancierBlockOffset = 5;
constexpr int kRecordTextOffset = 7;
constexpr int kPigeonBlockByte = 72;
const QString kNoFilter = QStringLiteral("0000");

class MultiBlockRead {
public:
    MultiBlockRead(JobContext& job, const QSqlDatabase& db, const ReadClockHooks& hooks)
        : m_job(job), m_db(db), m_hooks(hooks)
    {
    }

    ReadClockResult run()
    {
        JobFrameOptions options;
        options.sendConverterOpen = true;
        options.pauseAfterConverterOpen = 50;
        options.identifyTimeoutMs = 100;
        options.identifyPauseMs = 80;
        options.closing.timeoutMs = 100;
        options.closing.pauseMs = 0;
        m_result.end = runReadJobFrames(m_job, options, [this] { return body(); });
        finishReadJob(m_job, m_hooks, m_result, m_fancier);
        return m_result;
    }

private:
    static ReadClockResult::End endOf(const RequestEnd& end)
    {
        return end.kind == RequestEnd::Refused ? ReadClockResult::Refused : ReadClockResult::Cancelled;
    }

    ReadClockResult::End body()
    {
        // The body starts right after the identify exchange, whose reply is
        // still in the buffer.
        m_multiFancier = replyText(5).startsWith(QStringLiteral("SPD"));
        int highestBlock = 0;
        if (m_multiFancier) {
            // The set-up query is refused as a block read is: status 1, texts 70 and 49.
            const RequestEnd end =
                runRequest(m_job, fancierBlockReadPlan([] { return FrameSetup(kHighestBlockQuery); }));
            if (end.kind != RequestEnd::Done)
                return endOf(end);
            highestBlock = linkBuffers().ReplyFrame[kHighestBlockByte];
        }
        QList<int32_t> replaced;
        for (int b = 0; b <= highestBlock; ++b) {
            if (const auto end = readFancierBlock(b, replaced))
                return *end;
        }
        // The old lists go only once every block was read, every question
        // answered Yes and the clock's whole list read: a No, a refusal or a
        // Cancel anywhere keeps them all.
        const ReadClockResult::End end = readPigeons();
        if (end == ReadClockResult::Done) {
            m_result.withoutChipCode = settleChipCodesInUse(m_job, m_db, replaced, m_read);
            storeReadPigeons(m_db, replaced, m_read, m_revisions);
            m_result.pigeonsStored = int(m_read.size());
            appState().currentFancierId = m_fancierOfBlock.value(0);
            if (m_hooks.ShowFancier)
                m_hooks.ShowFancier();
        }
        return end;
    }

    std::optional<ReadClockResult::End> readFancierBlock(int b, QList<int32_t>& replaced)
    {
        const auto block = uint8_t(b);
        const RequestPlan read = fancierBlockReadPlan(
            m_multiFancier ? std::function<uint16_t()>([block] { return FrameReadFancierBlockAt(block); })
                           : std::function<uint16_t()>(FrameReadFancierBlock));
        const RequestEnd end = runRequest(m_job, read);
        if (end.kind != RequestEnd::Done)
            return endOf(end);

        const FancierBlock fancier = decodeFancierBlock(linkBuffers().ReplyFrame + kFancierBlockOffset);
        const QString label = fancierLabel(fancier.licence, fancier.name);
        m_job.host.showStatus(label);
        // The sentence names the clock's first fancier, whom the window shows after the read.
        if (b == 0)
            m_fancier = label;
        const int32_t fancierId = findOrAddClockFancier(m_db, fancier, CoordinateFields::Texts);
        noteFancierRevision(m_db, fancierId, m_revisions);
        m_fancierOfBlock.append(fancierId);
        if (!replaced.contains(fancierId) && fancierHasPigeons(m_db, fancierId)) {
            if (!mayReplacePigeons(m_job))
                return ReadClockResult::Declined;
            replaced.append(fancierId);
        }
        return std::nullopt;
    }

    ReadClockResult::End readPigeons()
    {
        for (int k = 0;; ++k) {
            const RecordIndex index = splitRecordIndex(k);
            const RequestEnd end = readListEntry(
                m_job, k, [index] { return FramePigeonQuery(index.hi, index.lo, kNoFilter, kNoFilter); });
            if (end.kind == RequestEnd::EndOfList)
                return ReadClockResult::Done;
            if (end.kind == RequestEnd::Refused)
                return ReadClockResult::Refused;
            if (end.kind != RequestEnd::Done)
                return ReadClockResult::Cancelled;
            const uint8_t block = m_multiFancier ? linkBuffers().ReplyFrame[kPigeonBlockByte] : 0;
            const ReadPigeon pigeon = decodeMultiBlockRecord(replyText(kRecordTextOffset), block);
            storePigeon(pigeon);
            m_result.pigeonsRead = k + 1;
            showReadPigeon(m_job, k + 1, pigeon);
        }
    }

    void storePigeon(const ReadPigeon& pigeon)
    {
        // A pigeon of a block the clock did not report has no fancier here;
        // filing it under another fancier would be wrong.
        if (pigeon.fancierBlock >= m_fancierOfBlock.size()) {
            ++m_result.strayPigeons;
            return;
        }
        const int32_t fancierId = m_fancierOfBlock[pigeon.fancierBlock];
        // The list names a pigeon once for every flight it has arrived from.
        const QString key = QString::number(fancierId) + u'|' + pigeon.elcode + u'|' + pigeon.fullBand();
        if (m_stored.contains(key)) {
            ++m_result.repeatsSkipped;
            return;
        }
        m_stored.insert(key);
        m_read.append({fancierId, pigeon});
    }

    JobContext& m_job;
    QSqlDatabase m_db;
    const ReadClockHooks& m_hooks;
    ReadClockResult m_result;
    QString m_fancier;
    bool m_multiFancier = false;
    QList<int32_t> m_fancierOfBlock;
    FancierRevisions m_revisions;
    QSet<QString> m_stored;
    QList<PigeonOfFancier> m_read;
};

} // namespace

ReadClockResult ReadClockMulti(JobContext& job, const QSqlDatabase& db, const ReadClockHooks& hooks)
{
    return MultiBlockRead(job, db, hooks).run();
}

} // namespace durvek
