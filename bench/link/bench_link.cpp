// Exchanges through the clock library and a simulated clock on a
// pseudo-terminal, with the simulator holding every answer for the time the
// bytes take at 9600 baud. Prints the time per exchange against the line's
// floor: (request + reply bytes, envelopes included) x 10 bits / 9600.
#include "Simulator.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

using namespace durvek;
using namespace durvek::clocksim;

namespace {

constexpr double kTarget = 1.15;
constexpr int kEnvelopeBytes = 3;

struct Figures {
    const char* name;
    int exchanges = 0;
    int failures = 0;
    double seconds = 0;
    double floorSeconds = 0;
};

Figures run(ClockLibrary& library, const char* name, int count, int timeoutMs, const std::function<void(int)>& build)
{
    Figures f;
    f.name = name;
    f.exchanges = count;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i) {
        build(i);
        linkBuffers().clearReply();
        const uint16_t result = library.WinOmnexa(1, 1, timeoutMs, linkBuffers().SendFrame, linkBuffers().ReplyFrame, 129);
        if (result != 0 || linkBuffers().ReplyFrame[4] != 0) {
            ++f.failures;
            continue;
        }
        const int requestBytes = sendFrameLength() + kEnvelopeBytes;
        const int replyBytes = 5 + linkBuffers().ReplyFrame[3] + kEnvelopeBytes;
        f.floorSeconds += (requestBytes + replyBytes) * 10.0 / 9600.0;
    }
    f.seconds = timer.nsecsElapsed() / 1e9;
    return f;
}

bool report(const Figures& f)
{
    const double ratio = f.floorSeconds > 0 ? f.seconds / f.floorSeconds : 0;
    const bool ok = f.failures == 0 && ratio <= kTarget;
    std::printf("%-14s %5d exchanges  %8.3f ms each  floor %8.3f ms  ratio %.3f  failures %d  %s\n", f.name,
                f.exchanges, 1000.0 * f.seconds / f.exchanges, 1000.0 * f.floorSeconds / f.exchanges, ratio,
                f.failures, ok ? "within target" : "OVER TARGET");
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // Optional: a divisor for a quick run (bench_link 10 runs a tenth).
    const int divisor = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;

    Simulator sim {SimState(), SimulatorOptions()};
    QString error;
    if (!sim.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(error));
        return 1;
    }
    ClockLibrary library;
    const QString device = sim.devicePath();
    library.setPortResolver([device](uint8_t) { return device; });
    library.setLineLog(nullptr);

    std::printf("clock link at 9600 baud through a pseudo-terminal (target: within %.2f x the line floor)\n", kTarget);
    const Figures identify = run(library, "identify", 1000 / divisor, 200, [](int) { FrameIdentify(); });
    const Figures records = run(library, "record write", 500 / divisor, 1000, [](int i) {
        linkBuffers().setRecord("0A1B2C3DBE 07-  12345F");
        const RecordIndex k = splitRecordIndex(i + 1);
        FrameWriteRecord(k.hi, k.lo, 24);
    });
    const bool ok = report(identify) & report(records);
    library.release();
    sim.stop();
    return ok ? 0 : 1;
}
