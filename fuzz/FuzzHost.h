#pragma once
// The window side of a job under the fuzzer: questions are answered from the
// input, pauses only move a virtual clock on, and once the input has run out
// the job is cancelled the way its window would (the cancel function), so
// jobs that ask a clock again and again come to an end.
#include "FuzzInput.h"
#include "clocklink/Frames.h"
#include "clocklink/JobHost.h"
#include <functional>

namespace durvek::fuzz {

// Catalogue texts as "T<n>": the jobs need no real catalogue under the fuzzer.
inline QString fuzzText(int number) { return QStringLiteral("T%1").arg(number); }

class FuzzHost : public JobHost {
public:
    using Cancel = std::function<void()>;

    explicit FuzzHost(FuzzInput& input, Cancel cancel = [] { linkBuffers().CancelRequested = true; })
        : m_input(input)
        , m_cancel(std::move(cancel))
    {
    }

    qint64 virtualMs = 0;  // how long the job would have paused on a real line

    void showStatus(const QString&) override {}
    void warn(const QString&, const QString&) override {}
    bool ask(const QString&, const QString&) override { return m_input.flag(); }
    void pumpEvents() override { cancelWhenDry(); }
    void pause(int milliseconds) override
    {
        virtualMs += milliseconds;
        cancelWhenDry();
    }

private:
    void cancelWhenDry()
    {
        if (m_input.empty())
            m_cancel();
    }

    FuzzInput& m_input;
    Cancel m_cancel;
};

} // namespace durvek::fuzz
