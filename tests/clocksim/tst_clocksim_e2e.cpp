// The whole road: frame builders, clock library, QSerialPort, pseudo-terminal,
// simulated devices. The frames of an update of a Korvat clock for one
// fancier with one pigeon must reach the clock byte for byte.
#include "PtyClient.h"
#include "Simulator.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace durvek;
using namespace durvek::clocksim;

namespace {

QByteArray sentFrame() { return QByteArray(reinterpret_cast<const char*>(linkBuffers().SendFrame), sendFrameLength()); }

// One call as a job makes it; returns the library result, the reply status in *status.
uint16_t call(ClockLibrary& library, int timeoutMs, uint8_t* status)
{
    linkBuffers().clearReply();
    const uint16_t result = library.WinOmnexa(1, 1, timeoutMs, linkBuffers().SendFrame, linkBuffers().ReplyFrame, 129);
    *status = linkBuffers().ReplyFrame[4];
    return result;
}

QList<QByteArray> receivedFrames(const QString& logPath)
{
    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> frames;
    for (const QByteArray& line : log.readAll().split('\n')) {
        if (line.startsWith("RX "))
            frames.append(QByteArray::fromHex(line.mid(3).replace(' ', "")));
    }
    return frames;
}

} // namespace

class TestClocksimEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void updateOfAKorvatClockArrivesByteForByte();
    void antennaAndConverterThroughTheLibrary();
    void silentClockGivesNoReplyWithinTheTimeout();
};

void TestClocksimEndToEnd::updateOfAKorvatClockArrivesByteForByte()
{
    QTemporaryDir dir;
    SimState state;
    state.model = ClockModel::Korvat;
    SimulatorOptions options;
    options.logPath = dir.filePath("frames.log");
    Simulator sim(state, options);
    QVERIFY(sim.start());
    ClockLibrary library;
    const QString device = sim.devicePath();
    library.setPortResolver([device](uint8_t) { return device; });
    library.setLineLog(nullptr);

    QList<QByteArray> expected;
    uint8_t status = 0xFF;

    FrameIdentify();
    expected << sentFrame();
    QCOMPARE(call(library, 200, &status), uint16_t(0));
    QCOMPARE(status, uint8_t(0));

    QByteArray block = QByteArray("0000123 Test Fancier").leftJustified(100, ' ');
    linkBuffers().setRecord(block);
    FrameWriteFancierBlock();
    expected << sentFrame();
    QCOMPARE(call(library, 5000, &status), uint16_t(0));
    QCOMPARE(status, uint8_t(0));

    linkBuffers().setRecord("999999");
    FrameWriteRecord(0, 0, 8);
    expected << sentFrame();
    QCOMPARE(call(library, 1000, &status), uint16_t(0));

    linkBuffers().setRecord("0A1B2C3DBE 07-  12345F");
    FrameWriteRecord(0, 1, 24);
    expected << sentFrame();
    QCOMPARE(call(library, 1000, &status), uint16_t(0));

    FrameEndJob();
    expected << sentFrame();
    QCOMPARE(call(library, 100, &status), uint16_t(0));
    library.release();
    sim.stop();

    QCOMPARE(expected[0], QByteArray::fromHex("6C82500100"));
    QCOMPARE(expected[2], QByteArray::fromHex("6C8252080000393939393939"));
    QCOMPARE(expected[3], QByteArray::fromHex("6C825218000130413142324333444245203037" "2D2020313233343546"));
    QCOMPARE(expected[4], QByteArray::fromHex("6C82560100"));
    QCOMPARE(receivedFrames(options.logPath), expected);
    QCOMPARE(sim.state().fancierBlocks.value(0), block);
}

void TestClocksimEndToEnd::antennaAndConverterThroughTheLibrary()
{
    SimulatorOptions options;
    options.lineDelay = false;
    Simulator sim(SimState(), options);
    QVERIFY(sim.start());
    ClockLibrary library;
    const QString device = sim.devicePath();
    library.setPortResolver([device](uint8_t) { return device; });
    library.setLineLog(nullptr);

    sim.presentChip("0A1B2C3D");
    uint8_t buffer[21] = {};
    int16_t length = 0;
    uint16_t result = 1;
    for (int i = 0; i < 5 && (result != 0 || length != 12); ++i)
        result = library.ReadAnt(1, -1, length, buffer);
    QCOMPARE(result, uint16_t(0));
    QCOMPARE(length, int16_t(12));
    QString digits;
    for (int i = 1; i <= 8; ++i)
        digits += QString::number((buffer[i] & 0x1E) / 2, 16).toUpper();
    QCOMPARE(digits, QStringLiteral("0A1B2C3D"));

    sim.setConverter(true);
    FrameAntennaB7();
    linkBuffers().clearReply(257);
    QCOMPARE(library.WinSerial(1, 1, 5000, linkBuffers().SendFrame, linkBuffers().ReplyFrame, 257), uint16_t(0));
    QCOMPARE(linkBuffers().ReplyFrame[0], uint8_t(0x33));
    QCOMPARE(linkBuffers().ReplyFrame[4], uint8_t(0));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(linkBuffers().ReplyFrame) + 7, 5), QByteArray::fromHex("0A1B2C3D00"));
    library.release();
}

void TestClocksimEndToEnd::silentClockGivesNoReplyWithinTheTimeout()
{
    SimulatorOptions options;
    options.lineDelay = false;
    Simulator sim(SimState(), options);
    QVERIFY(sim.start());
    sim.command("fault silence on");
    ClockLibrary library;
    const QString device = sim.devicePath();
    library.setPortResolver([device](uint8_t) { return device; });
    library.setLineLog(nullptr);
    FrameIdentify();
    uint8_t status = 0;
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(call(library, 200, &status), uint16_t(1));
    QVERIFY(timer.elapsed() < 1500);
    sim.command("fault garble 1");
    sim.command("fault silence off");
    QCOMPARE(call(library, 200, &status), uint16_t(2));
    library.release();
}

QTEST_GUILESS_MAIN(TestClocksimEndToEnd)
#include "tst_clocksim_e2e.moc"
