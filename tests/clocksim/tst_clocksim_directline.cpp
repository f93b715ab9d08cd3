// The clock's side of the direct line: the club data transfer in both
// directions and the language upload, over a real pseudo-terminal, plus the
// receiver's state machine on its own.
#include "LineReceiver.h"
#include "PtyClient.h"
#include "Simulator.h"

#include <QTest>

using namespace durvek::clocksim;
using durvek::clocksim::test::PtyClient;

namespace {

const char kEsc = 0x1B;

QByteArray withChecksum(const QByteArray& text)
{
    const QByteArray line = text + '\r';
    return line + char(LineReceiver::lineChecksum(line));
}

// A text whose line checksum comes out as the wanted byte.
QByteArray textWithChecksum(uint8_t wanted, const QByteArray& stem)
{
    // Three printable characters reach every sum modulo 256.
    for (int a = 0x20; a < 0x7F; ++a) {
        for (int b = 0x20; b < 0x7F; ++b) {
            for (int c = 0x20; c < 0x7F; ++c) {
                const QByteArray text = stem + char(a) + char(b) + char(c);
                if (LineReceiver::lineChecksum(text + '\r') == wanted)
                    return text;
            }
        }
    }
    return {};
}

SimulatorOptions fastOptions()
{
    SimulatorOptions o;
    o.lineDelay = false;
    return o;
}

struct Recorder : LineListener {
    LineKind kind = LineKind::WithChecksum;
    QStringList events;
    LineKind expectedLine() const override { return kind; }
    void frameReceived(const QByteArray& p, bool ok, const QByteArray&) override
    {
        events << QStringLiteral("frame %1 %2").arg(QString::fromLatin1(p.toHex()), ok ? "ok" : "bad");
    }
    void stageReceived(uint8_t code) override { events << QStringLiteral("stage %1").arg(code); }
    void lineReceived(const QByteArray& t, bool ok, const QByteArray&) override
    {
        events << QStringLiteral("line %1 %2").arg(QString::fromLatin1(t), ok ? "ok" : "bad");
    }
    void languageTextReceived(const QByteArray& t) override { events << "text " + QString::fromLatin1(t); }
    void languageUploadEnded() override { events << QStringLiteral("end"); }
};

} // namespace

class TestClocksimDirectLine : public QObject {
    Q_OBJECT

private slots:
    void checksumOfTheWorkedLine();
    void checksumByteThatLooksLikeControlIsPartOfTheLine();
    void receiverSortsFramesStagesAndTexts();
    void transferToClockStoresEveryLine();
    void badChecksumIsRefusedAndTheResentLineAccepted();
    void transferFromClockMeetsThePcThresholds();
    void languageUploadIsStored();
    void uploadStoppedHalfwayDoesNotDeafenTheClock();
    void refusedStagesAndLinesOnCommand();
};

void TestClocksimDirectLine::checksumOfTheWorkedLine()
{
    QCOMPARE(LineReceiver::lineChecksum("abc\r"), uint8_t('3'));
}

void TestClocksimDirectLine::checksumByteThatLooksLikeControlIsPartOfTheLine()
{
    for (uint8_t wanted : {uint8_t(0x1B), uint8_t(0x02), uint8_t(0x0D)}) {
        const QByteArray text = textWithChecksum(wanted, "BE10000");
        QVERIFY(!text.isEmpty());
        Recorder r;
        LineReceiver receiver(r);
        receiver.feed(withChecksum(text));
        receiver.feed(withChecksum("NEXT"));
        QCOMPARE(r.events, QStringList({"line " + QString::fromLatin1(text) + " ok", "line NEXT ok"}));
    }
}

void TestClocksimDirectLine::receiverSortsFramesStagesAndTexts()
{
    Recorder r;
    r.kind = LineListener::LineKind::None;
    LineReceiver receiver(r);
    // Noise, a good envelope, one with a wrong checksum, a stage, an upload.
    receiver.feed(QByteArray("zz") + QByteArray::fromHex("0205") + QByteArray::fromHex("6C82500100") + char(0x05 + 0x6C + 0x82 + 0x50 + 1));
    receiver.feed(QByteArray::fromHex("0201FF01"));
    receiver.feed(QByteArray(1, kEsc) + char(6));
    receiver.feed(QByteArray(1, kEsc) + "Hallo" + '\0' + '\0' + kEsc);
    QCOMPARE(r.events, QStringList({"frame 6c82500100 ok", "frame ff bad", "stage 6", "text Hallo", "text ", "end"}));
}

void TestClocksimDirectLine::transferToClockStoresEveryLine()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    auto stage = [&](int code) {
        pc.send(QByteArray(1, kEsc) + char(code));
        return pc.receive(2, 1000);
    };
    auto line = [&](const QByteArray& bytes) {
        pc.send(bytes);
        return pc.receive(2, 1000);
    };
    const QByteArray header = QByteArray("123400000000") + QByteArray("Combine One").leftJustified(20, ' ');
    QCOMPARE(stage(1), QByteArray("J\r"));
    QCOMPARE(line(withChecksum(header)), QByteArray("J\r"));
    QCOMPARE(stage(10), QByteArray("J\r"));
    QCOMPARE(line(withChecksum("Member A            Member B            ")), QByteArray("J\r"));
    QCOMPARE(stage(5), QByteArray("J\r"));
    QCOMPARE(line("002\r"), QByteArray("J\r"));
    QCOMPARE(line(withChecksum("BE100007001234 0A1B2C3D")), QByteArray("J\r"));
    QCOMPARE(line(withChecksum("XX200000000012F1F2E3D4C")), QByteArray("J\r"));
    QCOMPARE(stage(8), QByteArray("J\r"));
    QCOMPARE(line(withChecksum("2")), QByteArray("J\r"));
    QCOMPARE(line(withChecksum("1111111111")), QByteArray("J\r"));
    QCOMPARE(line(withChecksum("2222222222")), QByteArray("J\r"));

    // A framed request after the transfer still reaches the clock.
    QCOMPARE(pc.exchange(QByteArray::fromHex("6C82500100")).at(4), '\0');

    const IncomingTransfer in = sim.state().incoming;
    QCOMPARE(in.stages, QList<int>({1, 10, 5, 8}));
    QCOMPARE(in.header, header);
    QCOMPARE(in.members, QByteArray("Member A            Member B            "));
    QCOMPARE(in.count, QByteArray("002"));
    QCOMPARE(in.pigeons, QList<QByteArray>({"BE100007001234 0A1B2C3D", "XX200000000012F1F2E3D4C"}));
    QCOMPARE(in.badgeCount, QByteArray("2"));
    QCOMPARE(in.badges, QList<QByteArray>({"1111111111", "2222222222"}));
    QCOMPARE(in.rejectedLines, 0);
}

void TestClocksimDirectLine::badChecksumIsRefusedAndTheResentLineAccepted()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    pc.send(QByteArray(1, kEsc) + char(1));
    QCOMPARE(pc.receive(2, 1000), QByteArray("J\r"));
    pc.send(withChecksum("10000000Header"));
    pc.receive(2, 1000);
    pc.send(QByteArray(1, kEsc) + char(5));
    pc.receive(2, 1000);
    pc.send("001\r");
    QCOMPARE(pc.receive(2, 1000), QByteArray("J\r"));

    // The checksum is 0x1B here: it must be read as the checksum, not as a stage.
    const QByteArray text = textWithChecksum(0x1B, "BE100007001234 0A1B2C");
    QVERIFY(!text.isEmpty());
    QByteArray garbled = withChecksum(text);
    garbled[garbled.size() - 1] = char(0x1C);
    pc.send(garbled);
    const QByteArray refusal = pc.receive(2, 1000);
    QCOMPARE(refusal.size(), 2);
    QVERIFY(!refusal.startsWith('J'));
    pc.send(withChecksum(text));
    QCOMPARE(pc.receive(2, 1000), QByteArray("J\r"));

    const IncomingTransfer in = sim.state().incoming;
    QCOMPARE(in.pigeons, QList<QByteArray>({text}));
    QCOMPARE(in.rejectedLines, 1);
}

void TestClocksimDirectLine::transferFromClockMeetsThePcThresholds()
{
    SimState state;
    state.outLicence = "10234567";
    state.outName = "Sender";
    state.outPigeons.append({"BE", "07", "1234", 'F', "0A1B2C3D4E"});
    state.outPigeons.append({"NL", "08", "7654321", ' ', "11223344AA"});
    Simulator sim(state, fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());

    pc.send(QByteArray(1, kEsc) + char(2));
    const QByteArray header = pc.receive(200, 1000);
    QCOMPARE(header.size(), 100);
    QCOMPARE(header.left(32), QByteArray("000010234567Sender              "));

    pc.send(QByteArray(1, kEsc) + char(6));
    QCOMPARE(pc.receive(10, 500), QByteArray("002\r"));

    // Each pigeon comes after the PC's "J" and CR, sent as two outputs.
    QByteArray pigeons;
    for (int i = 0; i < 3; ++i) {
        pc.send("J");
        QTest::qWait(20);
        pc.send("\r");
        pigeons += pc.receive(108, 500);
    }
    QCOMPARE(pigeons.size(), 2 * 108);
    const QByteArray first = pigeons.left(108);
    QCOMPARE(first.left(2), QByteArray("BE"));
    QCOMPARE(first.mid(6, 2), QByteArray("07"));
    QCOMPARE(first.mid(8, 7), QByteArray("0001234"));
    QCOMPARE(first.at(15), 'F');
    QCOMPARE(first.mid(16, 10), QByteArray("0A1B2C3D4E"));
    QCOMPARE(first.at(107), '\r');
    QCOMPARE(pigeons.mid(108 + 16, 10), QByteArray("11223344AA"));
}

void TestClocksimDirectLine::languageUploadIsStored()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    const QByteArray upload = QByteArray(1, kEsc) + "Hallo" + '\0' + '\0' + "Vlucht \xE9" + '\0' + kEsc;
    for (char c : upload) {
        pc.send(QByteArray(1, c)); // one character at a time, as the upload sends them
        QTest::qWait(2);
    }
    QTRY_COMPARE(sim.state().languageUploads, 1);
    QCOMPARE(sim.state().languageTexts, QList<QByteArray>({"Hallo", "", "Vlucht \xE9"}));
    // The line is free for framed requests again.
    QCOMPARE(pc.exchange(QByteArray::fromHex("6C82500100")).at(4), '\0');
}

void TestClocksimDirectLine::uploadStoppedHalfwayDoesNotDeafenTheClock()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    // the upload stops after a text, without its closing ESC
    pc.send(QByteArray(1, kEsc) + "Hallo" + '\0' + "Vlu");
    QTest::qWait(100);
    // right away an identify is still taken as upload text
    QVERIFY(pc.exchangeRaw(QByteArray::fromHex("6C82500100"), 300).isEmpty());
    // after a silence the clock listens for requests again
    QTest::qWait(2500);
    QCOMPARE(pc.exchange(QByteArray::fromHex("6C82500100")).at(4), '\0');
    QCOMPARE(sim.state().languageUploads, 0);
    // and the next upload holds its own texts only
    pc.send(QByteArray(1, kEsc) + "Nieuw" + '\0' + kEsc);
    QTRY_COMPARE(sim.state().languageUploads, 1);
    QCOMPARE(sim.state().languageTexts, QList<QByteArray>({"Nieuw"}));
}

void TestClocksimDirectLine::refusedStagesAndLinesOnCommand()
{
    Simulator sim(SimState(), fastOptions());
    QVERIFY(sim.start());
    PtyClient pc(sim.devicePath());
    auto say = [&](const QByteArray& bytes) {
        pc.send(bytes);
        return pc.receive(2, 1000);
    };
    QCOMPARE(sim.command("fault refusestage 5"), QStringLiteral("ok"));
    QCOMPARE(sim.command("fault refuseline 2 3"), QStringLiteral("ok"));
    QVERIFY(sim.command("fault refuseline x").startsWith("error:"));

    QCOMPARE(say(QByteArray(1, kEsc) + char(1)), QByteArray("J\r"));
    QCOMPARE(say(withChecksum("000000000000Header")), QByteArray("J\r"));  // line 1
    QCOMPARE(say(QByteArray(1, kEsc) + char(5)), QByteArray("N\r"));
    QCOMPARE(sim.command("fault refusestage off"), QStringLiteral("ok"));
    QCOMPARE(say(QByteArray(1, kEsc) + char(5)), QByteArray("J\r"));
    QCOMPARE(say("001\r"), QByteArray("N\r"));                              // line 2, plain
    QCOMPARE(say("001\r"), QByteArray("N\r"));                              // line 3
    QCOMPARE(say("001\r"), QByteArray("J\r"));
    QCOMPARE(say(withChecksum("BE100007001234 0A1B2C3D")), QByteArray("J\r"));

    // a new transfer counts its lines from the start again
    QCOMPARE(say(QByteArray(1, kEsc) + char(1)), QByteArray("J\r"));
    QCOMPARE(say(withChecksum("000000000000Header")), QByteArray("J\r"));
    QCOMPARE(say(QByteArray(1, kEsc) + char(5)), QByteArray("J\r"));
    QCOMPARE(say("001\r"), QByteArray("N\r"));

    const IncomingTransfer in = sim.state().incoming;
    QCOMPARE(in.stages, QList<int>({1, 5}));
    QCOMPARE(in.rejectedLines, 1);
}

QTEST_GUILESS_MAIN(TestClocksimDirectLine)
#include "tst_clocksim_directline.moc"
