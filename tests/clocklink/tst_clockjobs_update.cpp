// "Update Clock" against the simulated clocks: the frames each model gets,
// the refusals, the race block, cancelling and the window's part.
#include "tst_clockjobs_fixture.h"
#include "clocklink/ClockUpdateJob.h"
#include "clocklink/Frames.h"
#include "common/AppState.h"
#include "database/SqlUtil.h"
#include <QTest>

using namespace durvek;
using namespace durvek::test;
using clocksim::ClockModel;

namespace {

struct HookLog {
    QStringList calls;
    int framesAtSave = -1;
};

UpdateClockHooks hooksFor(HookLog& log, ClockJobBench& bench)
{
    UpdateClockHooks hooks;
    hooks.SaveLinking = [&log, &bench] {
        log.calls << QStringLiteral("SaveLinking");
        log.framesAtSave = int(bench.receivedFrames().size());
        return 0;
    };
    hooks.EnableLinkButtons = [&log] { log.calls << QStringLiteral("EnableLinkButtons"); };
    return hooks;
}

UpdateClockRequest requestFor(int32_t fancier, ClockModel model)
{
    UpdateClockRequest r;
    r.fancierId = fancier;
    r.modelIndex = int(model);
    return r;
}

QByteArray padded(const QByteArray& text, int width, char fill = ' ') { return text.leftJustified(width, fill, true); }

const TestPigeon kExamplePigeon{QStringLiteral("BE"), QStringLiteral("07"), QStringLiteral("12345"),
                                QStringLiteral("F"), QStringLiteral("BLGE"), QStringLiteral("0A1B2C3D")};

clocksim::Refusal refusal(uint8_t command, uint8_t status)
{
    clocksim::Refusal r;
    r.command = command;
    r.status = status;
    return r;
}

QList<int> commandsOf(const QList<QByteArray>& frames)
{
    QList<int> out;
    for (const QByteArray& f : frames)
        out << uint8_t(f[2]);
    return out;
}

} // namespace

class ClockUpdateJobTest : public QObject {
    Q_OBJECT

private slots:
    void workedExampleSendsExactlyFiveFrames();
    void everyModelGetsItsRecordLayout_data();
    void everyModelGetsItsRecordLayout();
    void zefiraIsToldHowManyFanciersItHolds_data();
    void zefiraIsToldHowManyFanciersItHolds();
    void refusedSetupEndsTheUpdate();
    void refusedFancierBlockEndsTheUpdate();
    void busyFancierBlockIsRetriedWithItsStatusShown();
    void racesBoxSendsTheClubsAbbreviations();
    void fancierWithoutPigeonsGetsNoRecords();
    void recordsFollowTheListJustStored();
    void listOrderFollowsTheSortSetting();
    void cancelMidwayStillClosesTheJob();
    void silentClockIsLeftOnCancel();
    void noFancierChosenSendsNothing();
    void fancierRowGoneWarnsAndCloses();
    void databaseFailureStillClosesTheJob();
};

void ClockUpdateJobTest::workedExampleSendsExactlyFiveFrames()
{
    ClockJobBench bench(ClockModel::Korvat);
    QVERIFY(bench.isReady());
    const int32_t id = bench.addFancier(QStringLiteral("123"), QStringLiteral("Jan Peeters"));
    bench.addPigeon(id, kExamplePigeon, 1);
    HookLog log;

    const UpdateClockResult result = UpdateClock(bench.job(), bench.db(), requestFor(id, ClockModel::Korvat),
                                                 hooksFor(log, bench));

    QCOMPARE(result.end, UpdateClockResult::Done);
    QCOMPARE(result.pigeonRecordsWritten, 1);
    const QByteArray block = "12300000" + padded("Jan Peeters", 25) + padded("Dijkstraat 4", 25) + padded("9000", 6)
                           + padded("Gent", 20) + padded("4.123456", 8) + padded("51.12345", 8);
    const QList<QByteArray> expected{
        QByteArray::fromHex("6C82500100"),
        QByteArray::fromHex("6C825164") + block,
        QByteArray::fromHex("6C8252080000393939393939"),
        QByteArray::fromHex("6C8252180001304131423243334442452030372D2020313233343546"),
        QByteArray::fromHex("6C82560100"),
    };
    QCOMPARE(bench.receivedFrames(), expected);
    QCOMPARE(bench.sim().state().fancierBlocks.value(0), block);
    // The grid is stored once the clock has the fancier block, and the
    // buttons come back at the very end.
    QCOMPARE(log.calls, (QStringList{QStringLiteral("SaveLinking"), QStringLiteral("EnableLinkButtons")}));
    QCOMPARE(log.framesAtSave, 2);
    QCOMPARE(bench.host().statuses.first(), QStringLiteral("T53"));
    QVERIFY(bench.host().statuses.contains(QStringLiteral("Korvat 5.01 0000731")));
    QVERIFY(bench.host().statuses.contains(QStringLiteral("12300000 Jan Peeters")));
    QCOMPARE(bench.host().statuses.last(), QString());
    QVERIFY(bench.host().warnings.isEmpty());
}

void ClockUpdateJobTest::everyModelGetsItsRecordLayout_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QByteArray>("recordFrame");
    const QByteArray shortRecord = QByteArray::fromHex("6C82521800") + QByteArray(1, '\x01') + "ABCD0000NL 09-    123 ";
    QTest::newRow("Omnexa") << int(ClockModel::Omnexa) << shortRecord;
    QTest::newRow("Zefira") << int(ClockModel::Zefira)
                            << QByteArray::fromHex("6C82521F00") + QByteArray(1, '\x01') + "ABCD0000NL 09-       123 RO  ";
    QTest::newRow("Little Durvek") << int(ClockModel::LittleDurvek) << shortRecord;
    QTest::newRow("Korvat") << int(ClockModel::Korvat) << shortRecord;
}

void ClockUpdateJobTest::everyModelGetsItsRecordLayout()
{
    QFETCH(int, model);
    QFETCH(QByteArray, recordFrame);
    ClockJobBench bench{ClockModel(model)};
    QVERIFY(bench.isReady());
    // A licence of four characters and a licence of nine: filled with zeros, cut.
    const int32_t id = bench.addFancier(QStringLiteral("1234"), QStringLiteral("Short Licence"));
    bench.addPigeon(id, {QStringLiteral("NL"), QStringLiteral("09"), QStringLiteral("123"), QStringLiteral("M"),
                         QStringLiteral("RO"), QStringLiteral("ABCD")}, 1);
    HookLog log;
    UpdateClockRequest request = requestFor(id, ClockModel(model));
    request.fanciersPerClock = 1;

    QCOMPARE(UpdateClock(bench.job(), bench.db(), request, hooksFor(log, bench)).end, UpdateClockResult::Done);

    const QList<QByteArray> frames = bench.receivedFrames();
    QCOMPARE(commandsOf(frames), (QList<int>{0x50, 0x51, 0x52, 0x52, 0x56}));
    QCOMPARE(frames[1].mid(4, 8), QByteArray("12340000"));
    QCOMPARE(hexOf(frames[3]), hexOf(recordFrame));

    const int32_t longId = bench.addFancier(QStringLiteral("123456789"), QStringLiteral("Long Licence"));
    QCOMPARE(UpdateClock(bench.job(), bench.db(), requestFor(longId, ClockModel(model)), hooksFor(log, bench)).end,
             UpdateClockResult::Done);
    QCOMPARE(bench.receivedFrames()[6].mid(4, 8), QByteArray("12345678"));
}

void ClockUpdateJobTest::zefiraIsToldHowManyFanciersItHolds_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QByteArray>("setupFrame"); // empty: none is sent
    QTest::newRow("Zefira, one") << int(ClockModel::Zefira) << 1 << QByteArray();
    QTest::newRow("Zefira, two") << int(ClockModel::Zefira) << 2 << QByteArray::fromHex("6C82FA0101");
    QTest::newRow("Zefira, three") << int(ClockModel::Zefira) << 3 << QByteArray::fromHex("6C82FA0102");
    QTest::newRow("Omnexa, two") << int(ClockModel::Omnexa) << 2 << QByteArray();
    QTest::newRow("Korvat, three") << int(ClockModel::Korvat) << 3 << QByteArray();
}

void ClockUpdateJobTest::zefiraIsToldHowManyFanciersItHolds()
{
    QFETCH(int, model);
    QFETCH(int, choice);
    QFETCH(QByteArray, setupFrame);
    ClockJobBench bench{ClockModel(model)};
    QVERIFY(bench.isReady());
    const int32_t id = bench.addFancier(QStringLiteral("12345678"), QStringLiteral("Club Member"));
    HookLog log;
    UpdateClockRequest request = requestFor(id, ClockModel(model));
    request.fanciersPerClock = choice;

    QCOMPARE(UpdateClock(bench.job(), bench.db(), request, hooksFor(log, bench)).end, UpdateClockResult::Done);

    const QList<QByteArray> frames = bench.receivedFrames();
    if (setupFrame.isEmpty()) {
        QCOMPARE(commandsOf(frames), (QList<int>{0x50, 0x51, 0x56}));
    } else {
        QCOMPARE(commandsOf(frames), (QList<int>{0x50, 0xFA, 0x51, 0x56}));
        QCOMPARE(frames[1], setupFrame);
        QCOMPARE(bench.sim().state().fanciersPerClock, choice);
    }
}

void ClockUpdateJobTest::refusedSetupEndsTheUpdate()
{
    ClockJobBench bench(ClockModel::Zefira);
    QVERIFY(bench.isReady());
    const int32_t id = bench.addFancier(QStringLiteral("12345678"), QStringLiteral("Club Member"));
    bench.addPigeon(id, kExamplePigeon, 1);
    bench.sim().changeFaults([](clocksim::Faults& f) { f.refusals << refusal(0xFA, 5); });
    HookLog log;
    UpdateClockRequest request = requestFor(id, ClockModel::Zefira);
    request.fanciersPerClock = 2;

    QCOMPARE(UpdateClock(bench.job(), bench.db(), request, hooksFor(log, bench)).end, UpdateClockResult::Refused);

    QCOMPARE(bench.host().warnings, QStringList{QStringLiteral("T48|T55")});
    QCOMPARE(commandsOf(bench.receivedFrames()), (QList<int>{0x50, 0xFA, 0x56}));
    QCOMPARE(log.calls, QStringList{QStringLiteral("EnableLinkButtons")});
    QCOMPARE(bench.host().statuses.last(), QString());
}

void ClockUpdateJobTest::refusedFancierBlockEndsTheUpdate()
{
    ClockJobBench bench(ClockModel::Omnexa);
    QVERIFY(bench.isReady());
    const int32_t id = bench.addFancier(QStringLiteral("12345678"), QStringLiteral("Club Member"));
    bench.addPigeon(id, kExamplePigeon, 1);
    bench.sim().changeFaults([](clocksim::Faults& f) { f.refusals << refusal(0x51, 4); });
    HookLog log;
    UpdateClockRequest request = requestFor(id, ClockModel::Omnexa);
    request.races = true;

    QCOMPARE(UpdateClock(bench.job(), bench.db(), request, hooksFor(log, bench)).end, UpdateClockResult::Refused);

    QCOMPARE(bench.host().warnings, QStringList{QStringLiteral("T48|T55")});
    QVERIFY(bench.host().statuses.contains(QStringLiteral("T544")));
    // Nothing stored, no race block, no records; the clock still hears the end of the job, once.
    QCOMPARE(commandsOf(bench.receivedFrames()), (QList<int>{0x50, 0x51, 0x56}));
    QCOMPARE(log.calls, QStringList{QStringLiteral("EnableLinkButtons")});
}

void ClockUpdateJobTest::busyFancierBlockIsRetriedWithItsStatusShown()
{
    ClockJobBench bench(ClockModel::Omnexa);
    QVERIFY(bench.isReady());
    const int32_t id = bench.addFancier(QStringLiteral("12345678"), QStringLiteral("Club Member"));
    bench.sim().changeFaults([](clocksim::Faults& f) { f.refusals << refusal(0x51, 7); });
    bench.host().cancelAtPump = 4; // identify, then three tries of the block
    HookLog log;

    QCOMPARE(UpdateClock(bench.job(), bench.db(), requestFor(id, ClockModel::Omnexa), hooksFor(log, bench)).end,
             UpdateClockResult::Cancelled);

    QCOMPARE(bench.host().statuses.count(QStringLiteral("T547")), 2);
    QVERIFY(bench.host().warnings.isEmpty());
    QCOMPARE(commandsOf(bench.receivedFrames()), (QList<int>{0x50, 0x51, 0x51, 0x51, 0x56}));
    QCOMPARE(log.calls, QStringList{QStringLiteral("EnableLinkButtons")});
}

void ClockUpdateJobTest::racesBoxSendsTheClubsAbbreviations()
{
    ClockJobBench bench(ClockModel::Korvat);
    QVERIFY(bench.isReady());
    runStatement(bench.db(), QStringLiteral("UPDATE races SET afkort = ? WHERE id = ?"), {QStringLiteral("AB"), 2});
    const int32_t id = bench.addFancier(QStringLiteral("12345678"), QStringLiteral("Club Member"));
    bench.addPigeon(id, kExamplePigeon, 1);
    HookLog log;
    UpdateClockRequest request = requestFor(id, ClockModel::Korvat);
    request.races = true;

    QCOMPARE(UpdateClock(bench.job(), bench.db(), request, hooksFor(log, bench)).end, UpdateClockResult::Done);

    QByteArray races = "RAE1AB  ";
    for (int i = 3; i <= 9; ++i)
        races += "RAE" + QByteArray::number(i);
    for (int i = 10; i <= 25; ++i)
        races += "RA" + QByteArray::number(i);
    const QList<QByteArray> frames = bench.receivedFrames();
    QCOMPARE(commandsOf(frames), (QList<int>{0x50, 0x51, 0xFA, 0x52, 0x52, 0x56}));
    QCOMPARE(hexOf(frames[2]), hexOf(QByteArray::fromHex("6C82FA650B") + races));
    QCOMPARE(bench.sim().state().raceBlock, races);
}

void ClockUpdateJobTest::fancierWithoutPigeonsGetsNoRecords()
{
    ClockJobBench bench(ClockModel::Omnexa);
    QVERIFY(bench.isReady());
    const int32_t id = bench.addFancier(QStringLiteral("12345678"), QStringLiteral("Club Member"));
    HookLog log;

    const UpdateClockResult result =
        UpdateClock(bench.job(), bench.db(), requestFor(id, ClockModel::Omnexa), hooksFor(log, bench));

    QCOMPARE(result.end, UpdateClockResult::Done);
    QCOMPARE(result.pigeonRecordsWritten, 0);
    QCOMPARE(commandsOf(bench.receivedFrames()), (QList<int>{0x50, 0x51, 0x56}));
    QVERIFY(!bench.host().statuses.contains(QStringLiteral("999999")));
}

void ClockUpdateJobTest::recordsFollowTheListJustStored()
{
    ClockJobBench bench(ClockModel::Korvat);
    QVERIFY(bench.isReady());
    const int32_t id = bench.addFancier(QStringLiteral("12345678"), QStringLiteral("Club Member"));
    bench.addPigeon(id, kExamplePigeon, 1);
    UpdateClockHooks hooks;
    // Storing the grid replaces the fancier's list; the clock must get the new one.
    hooks.SaveLinking = [&] {
        runStatement(bench.db(), QStringLiteral("DELETE FROM pigeons WHERE Fancier = ?"), {id});
        bench.addPigeon(id, {QStringLiteral("DE"), QStringLiteral("11"), QStringLiteral("77"), QStringLiteral(" "),
                             QString(), QStringLiteral("FFFF0000")}, 5);
        return 0;
    };

    QCOMPARE(UpdateClock(bench.job(), bench.db(), requestFor(id, ClockModel::Korvat), hooks).end,
             UpdateClockResult::Done);

    const QList<QByteArray> frames = bench.receivedFrames();
    QCOMPARE(frames.size(), 5);
    QCOMPARE(frames[3].mid(6), QByteArray("FFFF0000DE 11-     77 "));
}

void ClockUpdateJobTest::listOrderFollowsTheSortSetting()
{
    ClockJobBench bench(ClockModel::Korvat);
    QVERIFY(bench.isReady());
    const int32_t id = bench.addFancier(QStringLiteral("12345678"), QStringLiteral("Club Member"));
    bench.addPigeon(id, {QStringLiteral("BE"), QStringLiteral("08"), QStringLiteral("1"), QStringLiteral(" "),
                         QString(), QStringLiteral("00000001")}, 1);
    bench.addPigeon(id, {QStringLiteral("BE"), QStringLiteral("07"), QStringLiteral("2"), QStringLiteral(" "),
                         QString(), QStringLiteral("00000002")}, 2);
    HookLog log;
    auto elcodes = [&](int mark) {
        QList<QByteArray> codes;
        for (const QByteArray& f : bench.framesSince(mark)) {
            if (uint8_t(f[2]) == 0x52 && uint8_t(f[5]) != 0)
                codes << f.mid(6, 8);
        }
        return codes;
    };

    UpdateClockRequest request = requestFor(id, ClockModel::Korvat);
    request.sortByBand = false;
    QCOMPARE(UpdateClock(bench.job(), bench.db(), request, hooksFor(log, bench)).end, UpdateClockResult::Done);
    QCOMPARE(elcodes(0), (QList<QByteArray>{"00000001", "00000002"}));

    const int mark = int(bench.receivedFrames().size());
    request.sortByBand = true;
    QCOMPARE(UpdateClock(bench.job(), bench.db(), request, hooksFor(log, bench)).end, UpdateClockResult::Done);
    QCOMPARE(elcodes(mark), (QList<QByteArray>{"00000002", "00000001"}));
}

void ClockUpdateJobTest::cancelMidwayStillClosesTheJob()
{
    ClockJobBench bench(ClockModel::Korvat, true);
    QVERIFY(bench.isReady());
    const int32_t id = bench.addFancier(QStringLiteral("12345678"), QStringLiteral("Club Member"));
    for (int i = 1; i <= 4; ++i) {
        bench.addPigeon(id, {QStringLiteral("BE"), QStringLiteral("07"), QString::number(i), QStringLiteral(" "),
                             QString(), QStringLiteral("0000000%1").arg(i)}, i);
    }
    // identify, fancier block, record 0, record 1: Cancel is pressed there.
    bench.host().cancelAtPump = 4;
    HookLog log;

    const UpdateClockResult result =
        UpdateClock(bench.job(), bench.db(), requestFor(id, ClockModel::Korvat), hooksFor(log, bench));

    QCOMPARE(result.end, UpdateClockResult::Cancelled);
    const QList<QByteArray> frames = bench.receivedFrames();
    QCOMPARE(commandsOf(frames), (QList<int>{0xCA, 0x50, 0x51, 0x52, 0x52, 0x56, 0xCB}));
    QCOMPARE(frames.first(), QByteArray::fromHex("6C00CA020000"));
    QCOMPARE(frames.last(), QByteArray::fromHex("6C00CB020000"));
    QCOMPARE(log.calls, (QStringList{QStringLiteral("SaveLinking"), QStringLiteral("EnableLinkButtons")}));
    QCOMPARE(bench.host().statuses.last(), QString());
}

void ClockUpdateJobTest::silentClockIsLeftOnCancel()
{
    ClockJobBench bench(ClockModel::Korvat, true);
    QVERIFY(bench.isReady());
    const int32_t id = bench.addFancier(QStringLiteral("12345678"), QStringLiteral("Club Member"));
    bench.sim().command(QStringLiteral("fault silence on"));
    bench.host().cancelAtPump = 3;
    HookLog log;

    QCOMPARE(UpdateClock(bench.job(), bench.db(), requestFor(id, ClockModel::Korvat), hooksFor(log, bench)).end,
             UpdateClockResult::Cancelled);

    // Three identify tries, then the end of the job once, then the converter is closed.
    QCOMPARE(commandsOf(bench.receivedFrames()), (QList<int>{0xCA, 0x50, 0x50, 0x50, 0x56, 0xCB}));
    QCOMPARE(log.calls, QStringList{QStringLiteral("EnableLinkButtons")});
}

void ClockUpdateJobTest::noFancierChosenSendsNothing()
{
    ClockJobBench bench(ClockModel::Korvat);
    QVERIFY(bench.isReady());
    HookLog log;

    QCOMPARE(UpdateClock(bench.job(), bench.db(), requestFor(0, ClockModel::Korvat), hooksFor(log, bench)).end,
             UpdateClockResult::NeedsFancier);

    QVERIFY(bench.receivedFrames().isEmpty());
    QVERIFY(log.calls.isEmpty());
    QVERIFY(bench.host().statuses.isEmpty());
}

void ClockUpdateJobTest::fancierRowGoneWarnsAndCloses()
{
    ClockJobBench bench(ClockModel::Korvat);
    QVERIFY(bench.isReady());
    HookLog log;

    QCOMPARE(UpdateClock(bench.job(), bench.db(), requestFor(4711, ClockModel::Korvat), hooksFor(log, bench)).end,
             UpdateClockResult::FancierMissing);

    QCOMPARE(bench.host().warnings, QStringList{QStringLiteral("T57|T56")});
    QCOMPARE(commandsOf(bench.receivedFrames()), (QList<int>{0x50, 0x56}));
    QCOMPARE(log.calls, QStringList{QStringLiteral("EnableLinkButtons")});
}

void ClockUpdateJobTest::databaseFailureStillClosesTheJob()
{
    ClockJobBench bench(ClockModel::Korvat);
    QVERIFY(bench.isReady());
    const int32_t id = bench.addFancier(QStringLiteral("12345678"), QStringLiteral("Club Member"));
    runStatement(bench.db(), QStringLiteral("DROP TABLE races"));
    HookLog log;
    UpdateClockRequest request = requestFor(id, ClockModel::Korvat);
    request.races = true;

    QCOMPARE(UpdateClock(bench.job(), bench.db(), request, hooksFor(log, bench)).end, UpdateClockResult::Failed);

    QCOMPARE(bench.host().warnings.size(), 1);
    QVERIFY(bench.host().warnings.first().startsWith(QStringLiteral("T48|")));
    QVERIFY(bench.host().warnings.first().contains(QStringLiteral("races")));
    QCOMPARE(commandsOf(bench.receivedFrames()), (QList<int>{0x50, 0x51, 0x56}));
    QCOMPARE(log.calls.last(), QStringLiteral("EnableLinkButtons"));
}

QTEST_GUILESS_MAIN(ClockUpdateJobTest)
#include "tst_clockjobs_update.moc"
