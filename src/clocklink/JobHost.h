#pragma once
#include "database/DatabaseError.h"
#include <QString>

namespace durvek {

// What a long job (clock exchange, antenna reading, transfer, upload) needs
// from the window that runs it. The window implements it with its status
// label and message boxes; tests implement it with a script.
class JobHost {
public:
    virtual ~JobHost() = default;

    // The window's status line.
    virtual void showStatus(const QString& text) = 0;
    // Warning box with the exclamation icon.
    virtual void warn(const QString& message, const QString& title) = 0;
    // Warning box for a refusal of the club database; a window shows the
    // plain sentence and keeps the engine's details out of the message.
    virtual void warnDatabaseError(const DatabaseError& error, const QString& title)
    {
        warn(QString::fromUtf8(error.what()), title);
    }
    // Yes/No question, No being the default. True for Yes.
    virtual bool ask(const QString& message, const QString& title) = 0;
    // Let window events run (the Cancel button among them).
    virtual void pumpEvents() = 0;
    // Wait this many milliseconds while window events keep running.
    virtual void pause(int milliseconds) = 0;
    virtual void beep() {}

    // How far the job is: done of total steps, total 0 while it cannot know
    // how many there are. The first call after a job's end starts its clock.
    virtual void progress(int done, int total) {}
    // Whole seconds since the job's first progress call.
    virtual int elapsedSeconds() const { return 0; }
    // The job is over; the sentence says what it did or why it stopped.
    virtual void finished(const QString& sentence) {}
};

} // namespace durvek
