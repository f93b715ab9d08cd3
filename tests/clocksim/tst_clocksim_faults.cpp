// Faults on command, the state file and the frame log.
#include "DemoClock.h"
#include "PtyClient.h"
#include "Simulator.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace durvek::clocksim;
using durvek::clocksim::test::PtyClient;

namespace {

const QByteArray kIdentify = QByteArray::fromHex("6C82500100");

SimulatorOptions fastOptions()
{
    SimulatorOptions o;
    o.lineDelay = false;
    return o;
}

} // namespace

class TestClocksimFaults : public QObject {
    Q_OBJECT

private slots:
    void silenceSendsNoBytes();
    void garbleSpoilsEveryNthChecksum();
    void refusalAnswersTheStatusForItsCommandOnly();
    void delayHoldsTheAnswerBack();
    void vanishingStopsAnsweringAfterKFrames();
    void vanishingWithCloseHangsUpTheLine();
    void unknownCommandsAreRejected();
    void tornFramesAreNotAnswered();
    void stateRoundTripsThroughJson();
    void stateFileFollowsEveryChange();
    void logHoldsEveryFrameInHex();
};

void TestClocksimFaults::silenceSendsNoBytes()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    QCOMPARE(sim.command("fault silence on"), QStringLiteral("ok"));
    QVERIFY(pc.exchangeRaw(kIdentify, 300).isEmpty());
    sim.presentChip("0A1B2C3D"); // not even the antenna speaks
    QVERIFY(pc.receiveFor(400).isEmpty());
    sim.removeChip();
    QCOMPARE(sim.command("fault silence off"), QStringLiteral("ok"));
    QCOMPARE(pc.exchange(kIdentify).at(4), '\0');
}

void TestClocksimFaults::garbleSpoilsEveryNthChecksum()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    QCOMPARE(sim.command("fault garble 3"), QStringLiteral("ok"));
    QString pattern;
    for (int i = 0; i < 6; ++i) {
        const QByteArray raw = pc.exchangeRaw(kIdentify);
        QVERIFY(raw.size() > 3);
        pattern += pc.envelope(raw.mid(2, uint8_t(raw[1]))) == raw ? u'.' : u'x';
    }
    QCOMPARE(pattern, QStringLiteral("..x..x"));
}

void TestClocksimFaults::refusalAnswersTheStatusForItsCommandOnly()
{
    Simulator sim(demoClock(ClockModel::Omnexa), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    QCOMPARE(sim.command("fault refuse 51 4 write"), QStringLiteral("ok"));
    const QByteArray block = QByteArray::fromHex("6C825164") + QByteArray(100, 'A');
    QCOMPARE(pc.exchange(block), QByteArray::fromHex("6C82510004"));
    // The read of the same command and other commands are unaffected.
    QCOMPARE(pc.exchange(QByteArray::fromHex("6C82510100")).at(4), '\0');
    QCOMPARE(pc.exchange(kIdentify).at(4), '\0');
    QVERIFY(sim.state().fancierBlocks.value(0).startsWith("10234567"));
    QCOMPARE(sim.command("fault refuse FA 5"), QStringLiteral("ok"));
    QCOMPARE(pc.exchange(QByteArray::fromHex("6C82FA0101")), QByteArray::fromHex("6C82FA0005"));
    QCOMPARE(sim.command("fault refuse off"), QStringLiteral("ok"));
    QCOMPARE(pc.exchange(block).at(4), '\0');
}

void TestClocksimFaults::delayHoldsTheAnswerBack()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    QCOMPARE(sim.command("fault delay 300"), QStringLiteral("ok"));
    QVERIFY(pc.exchangeRaw(kIdentify, 150).isEmpty()); // a 100-150 ms timeout misses it
    QVERIFY(pc.receive(10, 1500).size() > 5);           // but it does come
}

void TestClocksimFaults::vanishingStopsAnsweringAfterKFrames()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    QCOMPARE(sim.command("fault vanish 2"), QStringLiteral("ok"));
    QVERIFY(!pc.exchange(kIdentify).isEmpty());
    QVERIFY(!pc.exchange(kIdentify).isEmpty());
    QVERIFY(pc.exchangeRaw(kIdentify, 300).isEmpty());
    QVERIFY(pc.exchangeRaw(kIdentify, 300).isEmpty());
    QCOMPARE(sim.framesReceived(), 4);
}

void TestClocksimFaults::vanishingWithCloseHangsUpTheLine()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    QCOMPARE(sim.command("fault vanish 1 close"), QStringLiteral("ok"));
    QVERIFY(!pc.exchange(kIdentify).isEmpty());
    QVERIFY(pc.exchangeRaw(kIdentify, 300).isEmpty());
    // The master is gone; the simulator does not spin on the dead line.
    QElapsedTimer timer;
    timer.start();
    sim.stop();
    QVERIFY(timer.elapsed() < 1500);
}

void TestClocksimFaults::unknownCommandsAreRejected()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.command("fault refuse 51").startsWith("error:"));
    QVERIFY(sim.command("chip 12345").startsWith("error:"));
    QVERIFY(sim.command("chip 0A1B2C3G").startsWith("error:"));
    QVERIFY(sim.command("model teapot").startsWith("error:"));
    QVERIFY(sim.command("fly away").startsWith("error:"));
    QCOMPARE(sim.command("model zefira"), QStringLiteral("ok"));
    QCOMPARE(sim.state().model, ClockModel::Zefira);
}

void TestClocksimFaults::tornFramesAreNotAnswered()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    // each announces more data bytes than it carries
    for (const char* torn : {"6C82FA01", "6C82FA650B", "6C82520200", "6C82516400"})
        QVERIFY2(pc.exchangeRaw(QByteArray::fromHex(torn), 300).isEmpty(), torn);
    // the device goes on answering whole frames
    QCOMPARE(pc.exchange(kIdentify).at(4), '\0');
    QCOMPARE(sim.state().records.size(), 0);
}

void TestClocksimFaults::stateRoundTripsThroughJson()
{
    SimState s = demoClock(ClockModel::Zefira);
    s.identity = QByteArray("id\0\x1B\xFF", 5);
    s.chip = "0A1B2C3D4E";
    s.converter = true;
    s.raceBlock = QByteArray(100, '\0');
    s.incoming.pigeons = {"BE1", QByteArray("\x80\x9F", 2)};
    s.incoming.stages = {1, 5};
    s.languageTexts = {"Hallo", ""};
    s.outPigeons.append({"BE", "07", "12", 'F', "0A1B2C3D4E"});
    const SimState back = SimState::fromJson(s.toJson());
    QCOMPARE(back.toJson(), s.toJson());
    QCOMPARE(back.identity, s.identity);
    QCOMPARE(back.raceBlock, s.raceBlock);
    QCOMPARE(back.records.size(), s.records.size());
    QCOMPARE(back.records.last().data, s.records.last().data);
    QCOMPARE(back.arrivals[1].status, '!');
    QCOMPARE(back.incoming.pigeons[1], QByteArray("\x80\x9F", 2));
    QCOMPARE(back.model, ClockModel::Zefira);
}

void TestClocksimFaults::stateFileFollowsEveryChange()
{
    QTemporaryDir dir;
    SimulatorOptions options = fastOptions();
    options.statePath = dir.filePath("clock.json");
    {
        Simulator sim(SimState(), options);
        QVERIFY(sim.start());
        PtyClient pc(sim.devicePath());
        QCOMPARE(pc.exchange(QByteArray::fromHex("6C825164") + QByteArray(100, 'B')).at(4), '\0');
        // Written while it runs, not only at the end.
        SimState onDisk;
        QTRY_VERIFY(loadState(options.statePath, &onDisk, nullptr) && onDisk.fancierBlocks.size() == 1);
        QCOMPARE(onDisk.fancierBlocks[0], QByteArray(100, 'B'));
        pc.exchange(QByteArray::fromHex("6C82560100"));
    }
    SimState reloaded;
    QString error;
    QVERIFY2(loadState(options.statePath, &reloaded, &error), qPrintable(error));
    QCOMPARE(reloaded.jobsEnded, 1);
    QVERIFY(!loadState(dir.filePath("missing.json"), &reloaded, &error));
}

void TestClocksimFaults::logHoldsEveryFrameInHex()
{
    QTemporaryDir dir;
    SimulatorOptions options = fastOptions();
    options.logPath = dir.filePath("frames.log");
    Simulator sim(SimState(), options);
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    pc.exchange(kIdentify);
    pc.send(QByteArray::fromHex("02056C825601000000")); // checksum should be 4A
    pc.exchange(QByteArray::fromHex("6C82560100"));
    sim.stop();
    QFile log(options.logPath);
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().split('\n');
    QCOMPARE(lines.value(0), QByteArray("RX 6C 82 50 01 00"));
    QVERIFY(lines.value(1).startsWith("TX 6C 82 50 13 00 "));
    QCOMPARE(lines.value(2), QByteArray("RX-BADSUM 02 05 6C 82 56 01 00 00"));
    QCOMPARE(lines.value(3), QByteArray("RX 6C 82 56 01 00"));
    QCOMPARE(lines.value(4), QByteArray("TX 6C 82 56 00 00"));
}

QTEST_GUILESS_MAIN(TestClocksimFaults)
#include "tst_clocksim_faults.moc"
