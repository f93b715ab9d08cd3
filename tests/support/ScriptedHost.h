#pragma once
// A JobHost that records what a job shows and asks, answers questions from a
// script and presses Cancel after a number of event pumps.
#include "clocklink/Frames.h"
#include "clocklink/JobHost.h"
#include <QList>
#include <QStringList>
#include <functional>

namespace durvek::testing {

class ScriptedHost : public JobHost {
public:
    QStringList statuses;
    QStringList warnings;   // "title|message"
    QStringList questions;  // "title|message"
    QList<int> pauses;
    QList<bool> answers;    // the answers to the next questions, in turn
    bool answer = false;    // the answer once the list is used up
    int pumps = 0;
    int cancelAtPump = 0;   // 0: never
    QStringList progressSteps; // "done/total" of each progress call
    QStringList sentences;     // the closing sentence of each job
    int seconds = 0;           // what every job is told it took
    std::function<void()> whileAsking; // runs at each question, as the user would look elsewhere

    void showStatus(const QString& text) override { statuses << text; }
    void warn(const QString& message, const QString& title) override { warnings << title + u'|' + message; }
    bool ask(const QString& message, const QString& title) override
    {
        questions << title + u'|' + message;
        if (whileAsking)
            whileAsking();
        return answers.isEmpty() ? answer : answers.takeFirst();
    }
    void pumpEvents() override
    {
        if (++pumps == cancelAtPump)
            linkBuffers().CancelRequested = true;
    }
    void pause(int milliseconds) override { pauses << milliseconds; }
    void progress(int done, int total) override { progressSteps << QStringLiteral("%1/%2").arg(done).arg(total); }
    int elapsedSeconds() const override { return seconds; }
    void finished(const QString& sentence) override { sentences << sentence; }
};

} // namespace durvek::testing
