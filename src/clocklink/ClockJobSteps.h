#pragma once
#include "clocklink/JobContext.h"
#include <QString>
#include <functional>

namespace durvek {

struct ReadClockHooks;

// Pieces the clock update and read jobs share.

// Catalogue text of the job (the number itself when the job has no catalogue).
QString jobText(const JobContext& job, int number);

// Runs a job's own requests. A database failure must not skip the closing
// steps (the clock would be left waiting and the window without its
// buttons), so it ends the body with the engine's message in a warning box
// titled with the job's caption. False when the body failed that way.
bool runJobBody(JobContext& job, int titleText, const std::function<void()>& body);

// The characters of RecordBlock up to its first zero byte, for the status line.
QString recordBlockText();

// The start of a read: the connecting text, no cancel pending.
void beginReadJob(JobContext& job);
// The end of a read, after the closing frames: buttons back, status cleared.
void finishReadJob(JobContext& job, const ReadClockHooks& hooks);

// A fancier that already has pigeons: may the read replace them? (texts 71, 72)
bool mayReplacePigeons(JobContext& job);

// The status line while a read stores its pigeons: the count and the record.
void showReadPigeon(JobContext& job, int count, const QString& recordText);

} // namespace durvek
