// The band reading jobs against the simulated antenna and converter on a
// real pseudo-terminal, through the program's clock library.
#include "tst_antenna_fixtures.h"
#include "Simulator.h"
#include "clocklink/BandReadingJobs.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"
#include "common/AppState.h"
#include "linking/ChipCodeInUse.h"
#include <QElapsedTimer>
#include <QTest>
#include <memory>

using namespace durvek;
using namespace durvek::test;
using durvek::clocksim::SimState;
using durvek::clocksim::Simulator;
using durvek::clocksim::SimulatorOptions;

namespace {

const QStringList kThreeBands = {"0000000101", "0000000102", "0000000103"};

} // namespace

class AntennaSimulatorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Simulator> sim;
    std::unique_ptr<ClockLibrary> library;
    AntennaHost host;
    FakePigeonGrid grid;
    int buttonRestores = 0;

    void startDevices(bool converterOnLine, int converterWaitMs = 3000)
    {
        SimState state;
        state.converter = converterOnLine;
        state.converterWaitMs = converterWaitMs;
        SimulatorOptions options;
        options.lineDelay = false;
        sim = std::make_unique<Simulator>(state, options);
        QVERIFY(sim->start());
        library = std::make_unique<ClockLibrary>();
        const QString device = sim->devicePath();
        library->setPortResolver([device](uint8_t) { return device; });
        library->setLineLog(nullptr);
    }

    JobContext job(bool converter) { return JobContext{host, *library, antennaLink(converter), antennaTexts}; }

    BandReadingResult single(bool converter)
    {
        JobContext context = job(converter);
        BandReadingJobs jobs(context, grid, [this] { ++buttonRestores; });
        return jobs.ReadSingleBand();
    }

    BandReadingResult multiple(bool converter)
    {
        JobContext context = job(converter);
        BandReadingJobs jobs(context, grid, [this] { ++buttonRestores; });
        return jobs.ReadMultipleBands(
            [&context, this](const QString& code, const QString& stopNote) {
                return ChipCodeInUse(code, grid, context.host, context.text, stopNote);
            });
    }

private slots:
    void init()
    {
        host = AntennaHost();
        buttonRestores = 0;
        linkBuffers().CancelRequested = false;
        grid = FakePigeonGrid::withRows(kThreeBands);
    }

    void cleanup()
    {
        if (library)
            library->release();
        library.reset();
        sim.reset();
    }

    void directSingleBand()
    {
        startDevices(false);
        sim->presentChip("0A1B2C3D");
        grid.current = 2;
        // A chip that never shows would keep the job waiting: give up in time.
        host.cancelAtPump = 40;
        const BandReadingResult r = single(false);
        QCOMPARE(r.end, BandReadingEnd::Stored);
        QCOMPARE(grid.chipCodes(), QStringList({"", "0A1B2C3D", "", ""}));
        QCOMPARE(host.beeps, 2);
        QVERIFY(grid.yellowRows().isEmpty());
        QCOMPARE(buttonRestores, 1);
    }

    void directMultipleBandsWaitForAnotherChip()
    {
        startDevices(false);
        sim->presentChip("AAAAAAAA");
        // The official leaves each chip in the antenna a while before the
        // next pigeon's: the run must wait for the change.
        int storedAtPump = 0;
        const QStringList chips = {"AAAAAAAA", "BBBBBBBB", "CCCCCCCC"};
        int next = 1;
        grid.onChipCodeSet = [&](int, const QString&) { storedAtPump = host.pumps; };
        host.onPump = [&](int pump) {
            if (storedAtPump == 0 || next >= chips.size())
                return;
            if (pump - storedAtPump >= 3) {
                sim->presentChip(chips[next++].toLatin1());
                storedAtPump = 0;
            }
        };
        host.cancelAtPump = 200;
        const BandReadingResult r = multiple(false);
        QCOMPARE(r.end, BandReadingEnd::Finished);
        QCOMPARE(r.stored, 3);
        QCOMPARE(grid.chipCodes(), QStringList({"AAAAAAAA", "BBBBBBBB", "CCCCCCCC", ""}));
        QCOMPARE(host.beeps, 6);
        QVERIFY(host.warnings.isEmpty());
        QCOMPARE(appState().lastCode, QStringLiteral("CCCCCCCC"));
    }

    void converterCodeKeepsEightOfTenDigits()
    {
        startDevices(true);
        sim->presentChip("0A1B2C3D4E");
        host.cancelAtPump = 20;
        QCOMPARE(single(true).end, BandReadingEnd::Stored);
        QCOMPARE(grid.chipCodes(), QStringList({"0A1B2C3D", "", "", ""}));
        // One beep when the converter delivers, two when the code is stored.
        QCOMPARE(host.beeps, 3);
        QCOMPARE(host.statuses.first(), QStringLiteral("Hold row 1"));
        QCOMPARE(host.statuses.last(), QString()); // the waiting is over
        QVERIFY(grid.yellowRows().isEmpty());

        grid = FakePigeonGrid::withRows({"0000000101"});
        QCOMPARE(multiple(true).end, BandReadingEnd::Finished);
        QCOMPARE(grid.chipCodes(), QStringList({"0A1B2C3D", ""}));
        QCOMPARE(appState().currentCode, QStringLiteral("0A1B2C3D4E"));
        QCOMPARE(appState().lastCode, QStringLiteral("0A1B2C3D4E"));
    }

    void converterMissingOrRefusingStopsTheJob_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("fault");
        QTest::newRow("missing") << false << QString();
        QTest::newRow("refusing") << true << QStringLiteral("fault refuse A0 1");
    }
    void converterMissingOrRefusingStopsTheJob()
    {
        QFETCH(bool, present);
        QFETCH(QString, fault);
        startDevices(present);
        if (!fault.isEmpty())
            QCOMPARE(sim->command(fault), QStringLiteral("ok"));
        sim->presentChip("0A1B2C3D4E");

        const BandReadingResult r = multiple(true);
        QCOMPARE(r.end, BandReadingEnd::AntennaMissing);
        QCOMPARE(r.stored, 0);
        QCOMPARE(host.warnings, QStringList({"Row #1|No converter"}));
        QCOMPARE(sim->framesReceived(), 1); // the presence check only
        QCOMPARE(buttonRestores, 1);

        host.warnings.clear();
        grid.current = 3;
        QCOMPARE(single(true).end, BandReadingEnd::AntennaMissing);
        QCOMPARE(host.warnings, QStringList({"Row #3|No converter"}));
        QCOMPARE(grid.chipCodes(), QStringList({"", "", "", ""}));
    }

    void converterQuestionBeforeReplacingACode()
    {
        startDevices(true);
        sim->presentChip("0A1B2C3D4E");
        grid = FakePigeonGrid::withRows(kThreeBands, {"", "11111111"});
        grid.current = 2;
        host.answer = false;
        QCOMPARE(single(true).end, BandReadingEnd::Declined);
        QCOMPARE(host.questions, QStringList({"Row #2|Has a code ?"}));
        QCOMPARE(grid.chipCodes(), QStringList({"", "11111111", "", ""}));
        QCOMPARE(sim->framesReceived(), 1);

        host.answer = true;
        host.cancelAtPump = host.pumps + 20;
        QCOMPARE(single(true).end, BandReadingEnd::Stored);
        QCOMPARE(grid.chipCodes(), QStringList({"", "0A1B2C3D", "", ""}));
    }

    void cancelWhileTheConverterWaitsEndsAfterTheRequest()
    {
        const int waitMs = 1500;
        startDevices(true, waitMs);
        // Cancel is pressed while the chip request is under way.
        library->setEventPump([this] {
            if (sim->framesReceived() >= 2)
                linkBuffers().CancelRequested = true;
        });
        QElapsedTimer timer;
        timer.start();
        const BandReadingResult r = multiple(true);
        const qint64 elapsed = timer.elapsed();
        QCOMPARE(r.end, BandReadingEnd::Cancelled);
        QCOMPARE(sim->framesReceived(), 2); // presence check and one chip request
        QVERIFY2(elapsed >= waitMs - 200, qPrintable(QString::number(elapsed)));
        QVERIFY2(elapsed < 4500, qPrintable(QString::number(elapsed)));
        QCOMPARE(grid.chipCodes(), QStringList({"", "", "", ""}));
        QVERIFY(grid.yellowRows().isEmpty());
        QCOMPARE(buttonRestores, 1);
    }
};

QTEST_GUILESS_MAIN(AntennaSimulatorTest)
#include "tst_antenna_sim.moc"
