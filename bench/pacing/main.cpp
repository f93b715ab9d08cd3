// The language upload's pacing (10 ms after each character with the window's
// events let run, 100 ms after each text) for 200 texts, through the job host
// a window gives its jobs, against the pacing floor: the sum of the pauses.
#include "clocklink/ui/WidgetJobHost.h"
#include "languages/UploadPacing.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <algorithm>
#include <cstdio>

using namespace durvek;

namespace {

constexpr int kTexts = 200;
constexpr int kCharacters = 4;
constexpr int kRounds = 5;

double uploadPausesMs(JobHost& host, const UploadPacing& pacing)
{
    QElapsedTimer timer;
    timer.start();
    for (int text = 0; text < kTexts; ++text) {
        host.pumpEvents();
        for (int character = 0; character < kCharacters; ++character) {
            host.pause(pacing.afterCharacterMs);
            host.pumpEvents();
        }
        host.pause(pacing.afterTextMs);
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QWidget window;
    QLabel status(&window);
    window.show();
    WidgetJobHost host(&window, &status);
    const UploadPacing pacing;
    const double floorMs = kTexts * (kCharacters * pacing.afterCharacterMs + pacing.afterTextMs);

    QList<double> runs;
    for (int round = 0; round < kRounds; ++round)
        runs.append(uploadPausesMs(host, pacing));
    std::sort(runs.begin(), runs.end());
    const double median = runs.at(runs.size() / 2);
    std::printf("upload pacing, %d texts of %d characters: median %.0f ms of %d runs; pacing floor "
                "%.0f ms; ratio %.3f (target <= 1.02: %s)\n",
                kTexts, kCharacters, median, kRounds, floorMs, median / floorMs,
                median / floorMs <= 1.02 ? "met" : "MISSED");
    return 0;
}
