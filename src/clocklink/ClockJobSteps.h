#pragma once
#include "clocklink/ClockJobStore.h"
#include "clocklink/ClockReadJob.h"
#include "clocklink/ClockRecords.h"
#include "clocklink/ExchangeLoop.h"
#include "clocklink/JobContext.h"
#include <QString>
#include <functional>

namespace durvek {

struct JobFrameOptions;

// Pieces the clock update and read jobs share.

// Catalogue text of the job (the number itself when the job has no catalogue).
QString jobText(const JobContext& job, int number);

// A fancier as a closing sentence names it: licence and name, trimmed.
QString fancierLabel(const QString& licence, const QString& name);

// Runs a job's own requests. A database failure must not skip the closing
// steps (the clock would be left waiting and the window without its
// buttons), so it ends the body with the engine's message in a warning box
// titled with the job's caption; a refusal of the club database leaves its
// sentence in job.databaseFailure for the closing sentence. False when the
// body failed that way.
bool runJobBody(JobContext& job, int titleText, const std::function<void()>& body);

// The start of a read: the connecting text, no cancel pending.
void beginReadJob(JobContext& job);
// A read in the clock job frame order: the connecting text, no cancel
// pending, then the body between identify and end-of-job. A database failure
// ends it as Failed with the engine's message (titled "Read Clock").
ReadClockResult::End runReadJobFrames(JobContext& job, const JobFrameOptions& options,
                                      const std::function<ReadClockResult::End()>& body);
// The request that reads a fancier block; status 1 means the clock holds
// none and is refused with texts 70 and 49.
RequestPlan fancierBlockReadPlan(std::function<uint16_t()> build);
// Entry `index` of the clock's pigeon list: status 0 an entry, 1 or 5 the
// end. Status 5 to the first entry is the clock refusing to give its list
// (a clock of another model does): refused with texts 70 and 49.
RequestEnd readListEntry(JobContext& job, int index, std::function<uint16_t()> build);

// The end of a read, after the closing frames: buttons back, status cleared,
// then the sentence that says what the read stored or why it stopped.
void finishReadJob(JobContext& job, const ReadClockHooks& hooks, const ReadClockResult& result,
                   const QString& fancier);

// A fancier that already has pigeons: may the read replace them? (texts 71, 72)
bool mayReplacePigeons(JobContext& job);

// Chip codes of the read that pigeons of other fanciers hold already, as the
// linking window refuses a chip code twice in a list: the user sees each code
// with its owner and is asked whether to store them all the same; No, the
// default, stores those pigeons without chip code. Returns how many pigeons
// go without.
int settleChipCodesInUse(JobContext& job, const QSqlDatabase& db, const QList<int32_t>& replaced,
                          QList<PigeonOfFancier>& pigeons);

// A pigeon as the status line names it while a job writes or reads it:
// "BE-23-0000000100, El. band AAAAAAAA", the texts trimmed.
QString pigeonStatusText(const JobContext& job, const QString& country, const QString& year, const QString& band,
                         const QString& chipCode);

// The status line while a read takes in its pigeons: the count and the
// pigeon. The clock does not say how many it holds; the count runs on.
void showReadPigeon(JobContext& job, int count, const ReadPigeon& pigeon);

} // namespace durvek
