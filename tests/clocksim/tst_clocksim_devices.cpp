// The framed answers of the simulated clocks and converter, and the antenna
// telegrams, checked byte by byte over a real pseudo-terminal.
#include "AntennaTelegram.h"
#include "ClockAnswers.h"
#include "DemoClock.h"
#include "PtyClient.h"
#include "Simulator.h"

#include <QElapsedTimer>
#include <QTest>

using namespace durvek::clocksim;
using durvek::clocksim::test::PtyClient;
using durvek::clocksim::test::hexBytes;

namespace {

SimulatorOptions fastOptions()
{
    SimulatorOptions o;
    o.lineDelay = false;
    return o;
}

QByteArray fancierBlock(const QByteArray& licence, const QByteArray& name)
{
    QByteArray block = licence.leftJustified(8, '0') + name.leftJustified(25, ' ');
    return block.leftJustified(100, '.');
}

QByteArray writeFancierFrame(const QByteArray& block) { return hexBytes("6C825164") + block; }

QByteArray writeRecordFrame(int index, const QByteArray& data)
{
    QByteArray f = hexBytes("6C8252");
    f += char(data.size() + 2);
    f += char(index >> 8);
    f += char(index & 0xFF);
    return f + data;
}

QByteArray readRecordFrame(int index)
{
    QByteArray f = hexBytes("6C825202");
    f += char(index >> 8);
    f += char(index & 0xFF);
    return f;
}

QByteArray pigeonQueryFrame(int index)
{
    QByteArray f = hexBytes("6C82580B");
    f += char(index >> 8);
    f += char(index & 0xFF);
    return f + "00000000" + '\0';
}

QByteArray raceQueryFrame(int index) { return hexBytes("6C825D05") + char(index) + "0000"; }

} // namespace

class TestClocksimDevices : public QObject {
    Q_OBJECT

private slots:
    void identifyTextSitsInBytesFiveToNPlusFour();
    void zefiraWithSeveralFanciersAnnouncesSpd();
    void fancierBlockWrittenIsReadBackWhole();
    void recordsAreStoredAsWrittenAndReadUntilStatusOne();
    void rewritingTheFancierReplacesItsPigeonList();
    void zefiraSetupAndPigeonQueryLayout();
    void raceQueryAndPigeonEntries();
    void updateOnlyClocksRefuseReads();
    void raceBlockIsStoredAsReceived();
    void converterAnswersAndChipWait();
    void noConverterMeansNoConverterAnswer();
    void antennaTelegramBytes();
    void antennaRepeatsWhileChipPresented();
    void lineDelayFollowsNineSixHundredBaud();
};

void TestClocksimDevices::identifyTextSitsInBytesFiveToNPlusFour()
{
    SimState state;
    state.identity = "Test clock 42";
    Simulator sim(state, fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    const QByteArray reply = pc.exchange(hexBytes("6C82500100"));
    QCOMPARE(reply.left(5), hexBytes("6C8250") + char(13) + '\0');
    const int n = uint8_t(reply[3]);
    QCOMPARE(reply.mid(5, n), QByteArray("Test clock 42"));
    QCOMPARE(reply.size(), 5 + n);
}

void TestClocksimDevices::zefiraWithSeveralFanciersAnnouncesSpd()
{
    Simulator sim(demoClock(ClockModel::Zefira), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    const QByteArray reply = pc.exchange(hexBytes("6C82500100"));
    QVERIFY(reply.mid(5).startsWith("SPD"));

    SimState single = demoClock(ClockModel::Zefira);
    single.fancierBlocks.removeLast();
    sim.setState(single);
    QVERIFY(!pc.exchange(hexBytes("6C82500100")).mid(5).startsWith("SPD"));
}

void TestClocksimDevices::fancierBlockWrittenIsReadBackWhole()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    // An empty clock has no fancier to give: status 1.
    QCOMPARE(pc.exchange(hexBytes("6C82510100")), hexBytes("6C82510001"));

    QByteArray block = fancierBlock("1234", "Reader");
    block[99] = '\x02'; // bytes that look like line control must survive
    block[50] = '\x1B';
    QCOMPARE(pc.exchange(writeFancierFrame(block)), hexBytes("6C82510000"));
    const QByteArray reply = pc.exchange(hexBytes("6C82510100"));
    QCOMPARE(reply.left(5), hexBytes("6C82516400"));
    QCOMPARE(reply.mid(5, 100), block);
    QCOMPARE(sim.state().fancierBlocks.value(0), block);
}

void TestClocksimDevices::recordsAreStoredAsWrittenAndReadUntilStatusOne()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    QCOMPARE(pc.exchange(writeFancierFrame(fancierBlock("11", "A"))).at(4), '\0');
    const QByteArray first("0A1B2C3DBE 07-  12345F");
    const QByteArray second("11223344NL 08-1234567 ");
    QCOMPARE(pc.exchange(writeRecordFrame(0, "999999")), hexBytes("6C82520000"));
    QCOMPARE(pc.exchange(writeRecordFrame(1, first)), hexBytes("6C82520000"));
    QCOMPARE(pc.exchange(writeRecordFrame(300, second)), hexBytes("6C82520000"));

    const SimState state = sim.state();
    QCOMPARE(state.records.size(), 3);
    QCOMPARE(state.records[2].index, 300);
    QCOMPARE(state.records[2].data, second);

    // Reads serve the pigeon list from index 0; record 0 is the list header.
    QByteArray reply = pc.exchange(readRecordFrame(0));
    QCOMPARE(reply.left(7), hexBytes("6C8252") + char(22) + '\0' + hexBytes("0000"));
    QCOMPARE(reply.mid(7, uint8_t(reply[3])), first);
    reply = pc.exchange(readRecordFrame(1));
    QCOMPARE(reply.mid(5, 2), hexBytes("0001"));
    QCOMPARE(reply.mid(7), second);
    reply = pc.exchange(readRecordFrame(2));
    QCOMPARE(uint8_t(reply[4]), uint8_t(1));
    QCOMPARE(pc.exchange(readRecordFrame(256)).at(4), '\x01');
}

void TestClocksimDevices::rewritingTheFancierReplacesItsPigeonList()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    pc.exchange(writeFancierFrame(fancierBlock("11", "A")));
    pc.exchange(writeRecordFrame(1, "0A1B2C3DBE 07-  12345F"));
    pc.exchange(writeRecordFrame(2, "0A1B2C3EBE 07-  12346F"));
    pc.exchange(writeFancierFrame(fancierBlock("22", "B")));
    pc.exchange(writeRecordFrame(1, "99999999BE 07-  99999 "));
    const SimState state = sim.state();
    QCOMPARE(state.fancierBlocks.size(), 1);
    QVERIFY(state.fancierBlocks[0].startsWith("22000000B"));
    QCOMPARE(pigeonRecords(state).size(), 1);
}

void TestClocksimDevices::zefiraSetupAndPigeonQueryLayout()
{
    Simulator sim(demoClock(ClockModel::Zefira), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    // Set-up 10: highest block number in byte 5.
    QCOMPARE(pc.exchange(hexBytes("6C82FA010A")), hexBytes("6C82FA010001"));
    QCOMPARE(pc.exchange(hexBytes("6C82FA0102")), hexBytes("6C82FA0000"));
    QCOMPARE(sim.state().fanciersPerClock, 3);

    const QByteArray block1 = pc.exchange(hexBytes("6C82510101"));
    QVERIFY(block1.mid(5, 100).startsWith("10234590Second Demo Fancier"));
    QCOMPARE(pc.exchange(hexBytes("6C82510102")).at(4), '\x01');

    // First entry: record 1 of block 0, with its race arrival.
    QByteArray reply = pc.exchange(pigeonQueryFrame(0));
    QCOMPARE(reply.size(), 73);
    QCOMPARE(uint8_t(reply[3]), uint8_t(65));
    QCOMPARE(reply.mid(5, 2), hexBytes("0000"));
    const QByteArray text = reply.mid(7, 65);
    QCOMPARE(text.mid(0, 8), QByteArray("0A1B2C3D"));           // 1-8 elcode
    QCOMPARE(text.mid(8, 5), QByteArray("BE 23"));              // 9-13 country, year
    QCOMPARE(text.at(21), ' ');                                  // 22 sex
    QCOMPARE(text.mid(22, 8), QByteArray("NOYO0001"));          // 23-30 flight key
    QCOMPARE(text.mid(38, 6), QByteArray("150624"));            // 39-44 date
    QCOMPARE(text.mid(44, 6), QByteArray("112731"));            // 45-50 time
    QCOMPARE(text.at(50), '1');                                  // 51 status
    QCOMPARE(text.mid(51, 10), QByteArray("   1234567"));       // 52-61 band
    QCOMPARE(text.mid(61, 4), QByteArray("BB  "));              // 62-65 colour
    QCOMPARE(uint8_t(reply[72]), uint8_t(0));

    // A pigeon without arrival has blanks in the race fields; a pigeon of the
    // second fancier names block 1 in byte 72.
    const QList<PigeonEntry> entries = pigeonEntries(sim.state());
    int lastIndex = int(entries.size()) - 1;
    reply = pc.exchange(pigeonQueryFrame(lastIndex));
    QCOMPARE(uint8_t(reply[72]), uint8_t(1));
    QCOMPARE(reply.mid(7 + 22, 29), QByteArray(29, ' '));
    QCOMPARE(reply.at(7 + 21), 'F');
    QCOMPARE(pc.exchange(pigeonQueryFrame(lastIndex + 1)).at(4), '\x01');
}

void TestClocksimDevices::raceQueryAndPigeonEntries()
{
    Simulator sim(demoClock(ClockModel::Omnexa), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    QByteArray reply = pc.exchange(raceQueryFrame(0));
    QCOMPARE(reply.left(6), hexBytes("6C825D390000"));
    QCOMPARE(reply.size(), 63);
    QVERIFY(reply.mid(6, 57).startsWith("NOYO0001150624073000"));
    reply = pc.exchange(raceQueryFrame(1));
    QCOMPARE(uint8_t(reply[5]), uint8_t(1));
    QVERIFY(reply.mid(6).startsWith("TRN10002"));
    QCOMPARE(pc.exchange(raceQueryFrame(2)).at(4), '\x01');

    // Every entry the clock holds, in order, each with its status character.
    QByteArray statuses;
    for (int k = 0; k < 50; ++k) {
        reply = pc.exchange(pigeonQueryFrame(k));
        QVERIFY(reply.size() >= 5);
        if (reply[4] == '\x01')
            break;
        QCOMPARE(reply.size(), 7 + 57);
        QCOMPARE(uint8_t(reply[3]), uint8_t(57));
        statuses += reply.at(7 + 50);
    }
    QCOMPARE(statuses, QByteArray("15!25  "));
}

void TestClocksimDevices::updateOnlyClocksRefuseReads()
{
    Simulator sim(demoClock(ClockModel::Korvat), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    QCOMPARE(pc.exchange(hexBytes("6C82500100")).at(4), '\0');
    QCOMPARE(pc.exchange(hexBytes("6C82510100")).at(4), '\x01');
    QCOMPARE(pc.exchange(readRecordFrame(0)).at(4), '\x01');
    QCOMPARE(pc.exchange(pigeonQueryFrame(0)).at(4), '\x01');
    QCOMPARE(pc.exchange(writeRecordFrame(1, "0A1B2C3DBE 07-  12345F")).at(4), '\0');
    // Set-up is for a Zefira only.
    QCOMPARE(pc.exchange(hexBytes("6C82FA0101")).at(4), '\x05');
}

void TestClocksimDevices::raceBlockIsStoredAsReceived()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    QByteArray races;
    for (int i = 0; i < 25; ++i)
        races += QByteArray::number(i).leftJustified(4, ' ');
    QCOMPARE(pc.exchange(hexBytes("6C82FA650B") + races), hexBytes("6C82FA0000"));
    QCOMPARE(sim.state().raceBlock, races);
    QCOMPARE(pc.exchange(hexBytes("6C82560100")), hexBytes("6C82560000"));
    QCOMPARE(sim.state().jobsEnded, 1);
}

void TestClocksimDevices::converterAnswersAndChipWait()
{
    SimState state;
    state.converter = true;
    state.converterWaitMs = 300;
    Simulator sim(state, fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    QCOMPARE(pc.exchange(hexBytes("6C00CA020000")), hexBytes("3300CA0000"));
    QCOMPARE(pc.exchange(hexBytes("6C00A0020000")), hexBytes("3300A00000"));

    // No chip within the wait: status 1, after the wait and not before.
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(pc.exchange(hexBytes("6C00B7020005")), hexBytes("3300B70001"));
    QVERIFY(timer.elapsed() >= 250);

    // A chip presented during the wait is answered at once.
    pc.send(PtyClient::envelope(hexBytes("6C00B7020005")));
    QTest::qWait(100);
    QCOMPARE(sim.command("chip 0A1B2C3D4E"), QStringLiteral("ok"));
    const QByteArray raw = pc.receive(15, 1000);
    QCOMPARE(raw.mid(2, raw.size() > 1 ? uint8_t(raw[1]) : 0), hexBytes("3300B707000005") + hexBytes("0A1B2C3D4E"));
    // And it stays in the field for the next request; an 8-digit chip fills up with 00.
    QCOMPARE(sim.command("chip 0a1b2c3d"), QStringLiteral("ok"));
    QCOMPARE(pc.exchange(hexBytes("6C00B7020005")).mid(7), hexBytes("0A1B2C3D00"));
    QCOMPARE(pc.exchange(hexBytes("6C00CB020000")), hexBytes("3300CB0000"));
}

void TestClocksimDevices::noConverterMeansNoConverterAnswer()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    QVERIFY(pc.exchangeRaw(hexBytes("6C00A0020000"), 300).isEmpty());
    QCOMPARE(pc.exchange(hexBytes("6C82500100")).at(4), '\0');
}

void TestClocksimDevices::antennaTelegramBytes()
{
    const QByteArray t = antennaTelegram("0A1B2C3F");
    QCOMPARE(t.size(), 12);
    QCOMPARE(t.left(9), hexBytes("02405442564458465E"));
    uint8_t check = 0;
    for (int i = 1; i <= 8; ++i) {
        check ^= uint8_t(t[i]);
        // The reader's rule: digit = (byte AND 0x1E) / 2.
        QCOMPARE((uint8_t(t[i]) & 0x1E) / 2, QByteArray("0A1B2C3F").mid(i - 1, 1).toInt(nullptr, 16));
    }
    QCOMPARE(uint8_t(t[9]), check);
    QCOMPARE(t.right(2), hexBytes("0D03"));
    QVERIFY(antennaTelegram("0A1B2C").isEmpty());
    QVERIFY(antennaTelegram("0A1B2CXY").isEmpty());
}

void TestClocksimDevices::antennaRepeatsWhileChipPresented()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    QVERIFY(pc.receiveFor(300).isEmpty());
    sim.presentChip("0A1B2C3D");
    const QByteArray got = pc.receiveFor(1100);
    // About every 250 ms: four or five telegrams in 1.1 s, each whole.
    QVERIFY2(got.size() >= 4 * 12 && got.size() <= 5 * 12, qPrintable(QString::number(got.size())));
    QCOMPARE(got.size() % 12, 0);
    QCOMPARE(got.left(12), antennaTelegram("0A1B2C3D"));
    sim.removeChip();
    pc.receiveFor(100);
    QVERIFY(pc.receiveFor(400).isEmpty());
}

void TestClocksimDevices::lineDelayFollowsNineSixHundredBaud()
{
    SimState state;
    state.identity = QByteArray(20, 'x');
    Simulator sim(state, SimulatorOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!pc.exchange(hexBytes("6C82500100")).isEmpty());
    // 8 request bytes and 28 reply bytes at 10 bits each: 37.5 ms. The upper
    // bound only tells "held for the line time" from "held for much longer";
    // a busy machine may add scheduling delay on top.
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed >= 37 && elapsed < 250, qPrintable(QString::number(elapsed)));
}

QTEST_GUILESS_MAIN(TestClocksimDevices)
#include "tst_clocksim_devices.moc"
