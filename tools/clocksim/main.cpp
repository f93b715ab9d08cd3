// clocksim: the clocks, the converter and the antenna of a club on a
// pseudo-terminal, so the program can be tried and tested without hardware.
#include "DemoClock.h"
#include "Simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

using namespace durvek::clocksim;

namespace {

volatile std::sig_atomic_t g_signalled = 0;
std::atomic<bool> g_quit {false};

void onSignal(int) { g_signalled = 1; }

void readCommands(Simulator* sim)
{
    std::string line;
    while (!g_quit && std::getline(std::cin, line)) {
        const QString text = QString::fromLocal8Bit(line.c_str()).trimmed();
        if (text == QLatin1String("quit") || text == QLatin1String("exit")) {
            g_quit = true;
            return;
        }
        const QString reply = sim->command(text);
        if (!reply.isEmpty()) {
            std::printf("%s\n", reply.toLocal8Bit().constData());
            std::fflush(stdout);
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("clocksim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated race clock, converter and antenna on a pseudo-terminal.\n"
        "Prints the device path on its first line, then reads commands on standard input (help lists them)."));
    parser.addHelpOption();
    const QCommandLineOption modelOption(QStringLiteral("model"), modelNames().join(QStringLiteral(", ")) + u'.',
                                         QStringLiteral("model"), modelNames().first());
    const QCommandLineOption demoOption(QStringLiteral("demo"), QStringLiteral("Start with a demo clock (fanciers, pigeons, flights, arrivals)."));
    const QCommandLineOption stateOption(QStringLiteral("state"), QStringLiteral("JSON state file: read at start when it exists, written after every change."),
                                         QStringLiteral("file"));
    const QCommandLineOption logOption(QStringLiteral("log"), QStringLiteral("Log every frame in hex to this file."), QStringLiteral("file"));
    const QCommandLineOption linkOption(QStringLiteral("link"), QStringLiteral("Keep a symbolic link to the device at this path."), QStringLiteral("path"));
    const QCommandLineOption noDelayOption(QStringLiteral("no-line-delay"), QStringLiteral("Answer at once instead of at 9600-baud speed."));
    const QCommandLineOption converterOption(QStringLiteral("converter"), QStringLiteral("A converter sits on the line (else the antenna is direct)."));
    parser.addOptions({modelOption, demoOption, stateOption, logOption, linkOption, noDelayOption, converterOption});
    parser.process(app);

    ClockModel model = ClockModel::Omnexa;
    if (!parseModel(parser.value(modelOption), &model)) {
        std::fprintf(stderr, "clocksim: unknown model %s\n", qPrintable(parser.value(modelOption)));
        return 2;
    }

    SimState state = parser.isSet(demoOption) ? demoClock(model) : SimState();
    state.model = model;
    const QString statePath = parser.value(stateOption);
    if (!statePath.isEmpty() && QFileInfo::exists(statePath)) {
        QString error;
        if (!loadState(statePath, &state, &error)) {
            std::fprintf(stderr, "clocksim: %s: %s\n", qPrintable(statePath), qPrintable(error));
            return 2;
        }
        if (parser.isSet(modelOption))
            state.model = model;
    }
    if (parser.isSet(converterOption))
        state.converter = true;

    SimulatorOptions options;
    options.lineDelay = !parser.isSet(noDelayOption);
    options.statePath = statePath;
    options.logPath = parser.value(logOption);
    options.linkPath = parser.value(linkOption);

    Simulator sim(state, options);
    QString error;
    if (!sim.start(&error)) {
        std::fprintf(stderr, "clocksim: %s\n", qPrintable(error));
        return 1;
    }
    if (!statePath.isEmpty())
        sim.save();
    std::printf("%s\n", qPrintable(sim.devicePath()));
    std::fflush(stdout);

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGHUP, onSignal);
    // The reader stays blocked on standard input at exit; it is left to the process end.
    std::thread(readCommands, &sim).detach();
    while (!g_signalled && !g_quit)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    sim.stop();
    std::fflush(stdout);
    std::_Exit(0);
}
