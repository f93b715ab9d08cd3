#include "clocklink/ClockJobSteps.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/ClockReadJob.h"
#include "clocklink/Frames.h"
#include "clocklink/JobFrameOrder.h"
#include "clocklink/JobHost.h"
#include "clocklink/JobSentence.h"
#include "common/ValueHelpers.h"
#include <QSet>
#include <exception>

namespace durvek {

namespace {

constexpr int kTextConnecting = 53;
constexpr int kTextReplacePigeons = 71;
constexpr int kTextReplacePigeonsTitle = 72;
constexpr int kTextBlockRefused = 70;
constexpr int kTextReadClock = 49;
constexpr int kTextChipCode = 39;
constexpr int kTextPigeonRead = 213;
constexpr int kTextChipCodesInUse = 215;
constexpr int kTextStoreThemAnyway = 216;
constexpr int kTextChipCodesInUseTitle = 217;
constexpr int kTextWithoutChipCode = 218;
constexpr uint8_t kNothingThere = 1;
constexpr uint8_t kRefused = 5;

StatusVerdict firstListEntryRule(const ExchangeOutcome& outcome)
{
    if (outcome.result == 0 && outcome.status == kRefused)
        return StatusVerdict::refused(kTextBlockRefused, kTextReadClock);
    return listRule(outcome);
}

QString readSentence(const JobContext& job, const ReadClockResult& result, const QString& fancier)
{
    const JobSentence say(job.text);
    const QString name = jobText(job, kTextReadClock);
    switch (result.end) {
    case ReadClockResult::Done: {
        const QString read = say.clockRead(fancier, result.pigeonsStored, job.host.elapsedSeconds());
        if (result.withoutChipCode == 0)
            return read;
        return read + QStringLiteral(". ") + jobText(job, kTextWithoutChipCode).arg(result.withoutChipCode);
    }
    case ReadClockResult::Cancelled:
        return say.stoppedByCancel(name, say.pigeons(result.pigeonsRead), false, job.lineResult,
                                   job.library.lastDevice());
    case ReadClockResult::Refused:
        return say.refused(name, job.library.lastDevice());
    case ReadClockResult::Declined:
        return say.nothingStored(name);
    case ReadClockResult::Failed:
    case ReadClockResult::NoReadJob:
        break;
    }
    return say.databaseFailed(name, job.databaseFailure);
}

} // namespace

QString jobText(const JobContext& job, int number)
{
    return job.text ? job.text(number) : QString::number(number);
}

QString fancierLabel(const QString& licence, const QString& name)
{
    // A clock may pad the licence with zero bytes.
    return StripControlChars(licence).trimmed() + u' ' + name.trimmed();
}

bool runJobBody(JobContext& job, int titleText, const std::function<void()>& body)
{
    job.databaseFailure.clear();
    try {
        body();
        return true;
    } catch (const DatabaseError& error) {
        job.host.warnDatabaseError(error, jobText(job, titleText));
        job.databaseFailure = error.sentence();
        return false;
    } catch (const std::exception& error) {
        job.host.warn(QString::fromUtf8(error.what()), jobText(job, titleText));
        return false;
    }
}

void beginReadJob(JobContext& job)
{
    job.host.showStatus(jobText(job, kTextConnecting));
    job.host.progress(0, 0);
    linkBuffers().CancelRequested = false;
}

ReadClockResult::End runReadJobFrames(JobContext& job, const JobFrameOptions& options,
                                      const std::function<ReadClockResult::End()>& body)
{
    beginReadJob(job);
    ReadClockResult::End end = ReadClockResult::Cancelled;
    runJobFrameOrder(job, options, [&](JobContext&) {
        if (!runJobBody(job, kTextReadClock, [&] { end = body(); }))
            end = ReadClockResult::Failed;
    });
    return end;
}

RequestPlan fancierBlockReadPlan(std::function<uint16_t()> build)
{
    RequestPlan read;
    read.build = std::move(build);
    read.timeoutMs = 2000;
    read.pauseMs = 80;
    read.rule = refusingRule(kNothingThere, kTextBlockRefused, kTextReadClock);
    return read;
}

RequestEnd readListEntry(JobContext& job, int index, std::function<uint16_t()> build)
{
    RequestPlan read;
    read.build = std::move(build);
    read.timeoutMs = 2000;
    read.pauseMs = 80;
    read.rule = index == 0 ? StatusRule(firstListEntryRule) : StatusRule(listRule);
    return runRequest(job, read);
}

void finishReadJob(JobContext& job, const ReadClockHooks& hooks, const ReadClockResult& result,
                   const QString& fancier)
{
    if (hooks.EnableLinkButtons)
        hooks.EnableLinkButtons();
    job.host.showStatus(QString());
    job.host.finished(readSentence(job, result, fancier));
}

bool mayReplacePigeons(JobContext& job)
{
    return job.host.ask(jobText(job, kTextReplacePigeons) + QStringLiteral(" ?"),
                        jobText(job, kTextReplacePigeonsTitle));
}

int settleChipCodesInUse(JobContext& job, const QSqlDatabase& db, const QList<int32_t>& replaced,
                         QList<PigeonOfFancier>& pigeons)
{
    const QList<ChipCodeOwner> owners = chipCodesOwnedElsewhere(db, replaced, pigeons);
    if (owners.isEmpty())
        return 0;
    QStringList lines{jobText(job, kTextChipCodesInUse)};
    QSet<QString> codes;
    for (const ChipCodeOwner& owner : owners) {
        lines << owner.chipCode + QStringLiteral(": ") + owner.fancier;
        codes.insert(owner.chipCode);
    }
    const QString question = lines.join(u'\n') + QStringLiteral("\n\n") + jobText(job, kTextStoreThemAnyway);
    if (job.host.ask(question + QStringLiteral(" ?"), jobText(job, kTextChipCodesInUseTitle)))
        return 0;
    int without = 0;
    for (PigeonOfFancier& p : pigeons) {
        p.withoutChipCode = codes.contains(p.pigeon.elcode.trimmed());
        without += p.withoutChipCode ? 1 : 0;
    }
    return without;
}

QString pigeonStatusText(const JobContext& job, const QString& country, const QString& year, const QString& band,
                         const QString& chipCode)
{
    return country.trimmed() + u'-' + year.trimmed() + u'-' + band.trimmed() + QStringLiteral(", ")
         + jobText(job, kTextChipCode) + u' ' + chipCode.trimmed();
}

void showReadPigeon(JobContext& job, int count, const ReadPigeon& pigeon)
{
    const QString shown = pigeonStatusText(job, pigeon.country, pigeon.year, pigeon.clockBand, pigeon.elcode);
    job.host.showStatus(jobText(job, kTextPigeonRead).arg(QString::number(count), shown));
    // How many entries the clock holds shows only at the end of its list.
    job.host.progress(count, 0);
}

} // namespace durvek
