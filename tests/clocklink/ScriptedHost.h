#pragma once
// Test helper: a JobHost that records what a job shows and asks, answers
// questions from a script and presses Cancel after a number of event pumps.
#include "clocklink/Frames.h"
#include "clocklink/JobHost.h"
#include <QList>
#include <QStringList>

namespace durvek::test {

class ScriptedHost : public JobHost {
public:
    QStringList statuses;
    QStringList warnings;   // "title|message"
    QStringList questions;
    QList<int> pauses;
    bool answer = false;
    int pumps = 0;
    int cancelAtPump = 0;   // 0: never

    void showStatus(const QString& text) override { statuses << text; }
    void warn(const QString& message, const QString& title) override { warnings << title + u'|' + message; }
    bool ask(const QString& message, const QString& title) override
    {
        questions << title + u'|' + message;
        return answer;
    }
    void pumpEvents() override
    {
        if (++pumps == cancelAtPump)
            linkBuffers().CancelRequested = true;
    }
    void pause(int milliseconds) override { pauses << milliseconds; }
};

} // namespace durvek::test
