// "Read Clock" against the simulated clocks: the single-block and the
// multi-block read, what they store, the questions, refusals and cancel, and
// a round trip through an update.
#include "tst_clockjobs_fixture.h"
#include "clocklink/ClockReadJob.h"
#include "clocklink/ClockUpdateJob.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include "database/SqlUtil.h"
#include <QSqlQuery>
#include <QTest>

using namespace durvek;
using namespace durvek::test;
using clocksim::ClockModel;
using clocksim::SimState;

namespace {

// Licence and coordinates padded with zero bytes, as a clock may keep them.
QByteArray fancierBlock(const QByteArray& licence, const QByteArray& name, const QByteArray& kx = "4.500000",
                        const QByteArray& ky = "51.25000")
{
    return licence.leftJustified(8, '\0', true) + name.leftJustified(25, ' ', true)
         + QByteArray("Kerkstraat 1").leftJustified(25, ' ') + QByteArray("2000").leftJustified(6, ' ')
         + QByteArray("Antwerpen").leftJustified(20, ' ') + kx.leftJustified(8, '\0', true)
         + ky.leftJustified(8, '\0', true);
}

clocksim::StoredRecord record(int block, int index, const QByteArray& data) { return {block, index, data}; }

struct HookLog {
    int shown = 0;
    int enabled = 0;
    int32_t idWhenShown = -1;
};

ReadClockHooks hooksFor(HookLog& log)
{
    ReadClockHooks hooks;
    hooks.ShowFancier = [&log] {
        ++log.shown;
        log.idWhenShown = appState().currentFancierId;
    };
    hooks.EnableLinkButtons = [&log] { ++log.enabled; };
    return hooks;
}

QList<int> commandsOf(const QList<QByteArray>& frames)
{
    QList<int> out;
    for (const QByteArray& f : frames)
        out << uint8_t(f[2]);
    return out;
}

QStringList fancierRow(ClockJobBench& bench, int32_t id)
{
    QSqlQuery q = runStatement(bench.db(),
                               QStringLiteral("SELECT Licence, Name, sort, Adress, zip, city, KXX, KYY, KXT, KYT "
                                              "FROM fanciers WHERE id = ?"),
                               {id});
    QStringList cells;
    if (q.next()) {
        for (int i = 0; i < 10; ++i)
            cells << (q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString());
    }
    return cells;
}

int32_t fancierIdOf(ClockJobBench& bench, const QString& licence)
{
    return queryValue(bench.db(), QStringLiteral("SELECT id FROM fanciers WHERE Licence = ?"), {licence}).toInt();
}

// A fancier's pigeons with every field a read may touch, in list order.
QStringList storedPigeons(ClockJobBench& bench, int32_t id)
{
    QStringList rows = bench.pigeonsOf(id);
    QSqlQuery q = runStatement(bench.db(), QStringLiteral("SELECT Security, volring FROM pigeons WHERE Fancier = ? "
                                                          "ORDER BY Nr"), {id});
    for (QString& row : rows) {
        if (q.next())
            row += u'|' + q.value(0).toString() + u'|' + q.value(1).toString();
    }
    return rows;
}

// A known fancier with one pigeon, and a clock holding that fancier (under
// clockName) with another pigeon; the read's question is answered Yes.
int32_t knownFancierAndItsClock(ClockJobBench& bench, const char* clockName)
{
    const int32_t id = bench.addFancier(QStringLiteral("77777777"), QStringLiteral("Known Member"));
    bench.addPigeon(id, {QStringLiteral("BE"), QStringLiteral("01"), QStringLiteral("0000000001"), QStringLiteral(" "),
                         QString(), QStringLiteral("99999999")}, 1);
    SimState state = bench.sim().state();
    state.fancierBlocks = {fancierBlock("77777777", clockName)};
    state.records = {record(0, 1, "0A1B2C3DBE 07-  12345F")};
    bench.sim().setState(state);
    bench.host().answers = {true};
    return id;
}

} // namespace

class ClockReadJobTest : public QObject {
    Q_OBJECT

private slots:
    void singleReadStoresANewFancierAndItsPigeons();
    void singleReadReplacesTheListOfAKnownFancier();
    void decliningKeepsThePigeonsAndReadsNone();
    void refusedBlockReadEndsTheRead();
    void unfinishedReadKeepsTheStoredList_data();
    void unfinishedReadKeepsTheStoredList();
    void singleReadSendsNoConverterOpenButCloses();
    void multiReadFilesPigeonsUnderTheirBlocksFancier();
    void multiReadOfAOneFancierClock();
    void multiReadRefusedSetupEndsTheRead();
    void multiReadDeclineOnALaterBlockKeepsEveryList();
    void chipCodesOfAnotherFancierNeedAYes_data();
    void chipCodesOfAnotherFancierNeedAYes();
    void modelsWithoutAReadJobSendNothing();
    void aFancierStoredElsewhereDuringTheReadKeepsThatList();
    void databaseFailureStillClosesTheRead_data();
    void databaseFailureStillClosesTheRead();
    void roundTripGivesTheSamePigeons_data();
    void roundTripGivesTheSamePigeons();
    void everyJobEndsWithASentence_data();
    void everyJobEndsWithASentence();
};

void ClockReadJobTest::singleReadStoresANewFancierAndItsPigeons()
{
    ClockJobBench bench(ClockModel::Omnexa);
    QVERIFY(bench.isReady());
    SimState state = bench.sim().state();
    // The clock pads with zero bytes, which must not reach the database.
    state.fancierBlocks = {fancierBlock("5555", "Jo Van Dam")};
    state.records = {record(0, 0, "999999"), record(0, 1, "0A1B2C3DBE 07-  12345F"),
                     record(0, 2, "11112222NL 08-1234567 ")};
    bench.sim().setState(state);
    const int before = bench.fancierCount();
    HookLog log;

    const ReadClockResult result = ReadClock(bench.job(), bench.db(), int(ClockModel::Omnexa), hooksFor(log));

    QCOMPARE(result.end, ReadClockResult::Done);
    QCOMPARE(result.pigeonsStored, 2);
    QCOMPARE(bench.fancierCount(), before + 1);
    const int32_t id = fancierIdOf(bench, QStringLiteral("55550000"));
    QVERIFY(id > 0);
    QCOMPARE(appState().currentFancierId, id);
    const QStringList row = fancierRow(bench, id);
    QCOMPARE(row.mid(0, 6), (QStringList{QStringLiteral("55550000"), QStringLiteral("Jo Van Dam"),
                                         QStringLiteral("JOVANDAM"), QStringLiteral("Kerkstraat 1"),
                                         QStringLiteral("2000"), QStringLiteral("Antwerpen")}));
    QCOMPARE(row[6].toDouble(), double(4.5f));
    QCOMPARE(row[7].toDouble(), double(51.25f));
    QCOMPARE(bench.pigeonsOf(id), (QStringList{QStringLiteral("BE|07|0  12345|F|<null>|0A1B2C3D"),
                                               QStringLiteral("NL|08|01234567| |<null>|11112222")}));
    QCOMPARE(queryValue(bench.db(), QStringLiteral("SELECT volring FROM pigeons WHERE elcode = '0A1B2C3D'")).toString(),
             QStringLiteral("BE07-0  12345F"));
    const QList<QByteArray> expected{
        QByteArray::fromHex("6C82500100"),     QByteArray::fromHex("6C82510100"),
        QByteArray::fromHex("6C825202" "0000"), QByteArray::fromHex("6C825202" "0001"),
        QByteArray::fromHex("6C825202" "0002"), QByteArray::fromHex("6C82560100"),
    };
    QCOMPARE(bench.receivedFrames(), expected);
    QCOMPARE(log.shown, 1);
    QCOMPARE(log.idWhenShown, id);
    QCOMPARE(log.enabled, 1);
    QVERIFY(bench.host().questions.isEmpty());
    QVERIFY(bench.host().statuses.contains(QStringLiteral("5555 Jo Van Dam")));
    QCOMPARE(bench.host().statuses.last(), QString());
}

void ClockReadJobTest::singleReadReplacesTheListOfAKnownFancier()
{
    ClockJobBench bench(ClockModel::Omnexa);
    QVERIFY(bench.isReady());
    const int32_t id = knownFancierAndItsClock(bench, "Other Name In Clock");
    const int before = bench.fancierCount();
    HookLog log;

    QCOMPARE(ReadClock(bench.job(), bench.db(), int(ClockModel::Omnexa), hooksFor(log)).end, ReadClockResult::Done);

    QCOMPARE(bench.host().questions, QStringList{QStringLiteral("T72|T71 ?")});
    QCOMPARE(bench.fancierCount(), before);
    QCOMPARE(fancierRow(bench, id)[1], QStringLiteral("Known Member"));
    QCOMPARE(bench.pigeonsOf(id), QStringList{QStringLiteral("BE|07|0  12345|F|<null>|0A1B2C3D")});
    QCOMPARE(appState().currentFancierId, id);
}

void ClockReadJobTest::decliningKeepsThePigeonsAndReadsNone()
{
    ClockJobBench bench(ClockModel::Omnexa);
    QVERIFY(bench.isReady());
    const int32_t shown = bench.addFancier(QStringLiteral("11111111"), QStringLiteral("Shown Before"));
    const int32_t id = bench.addFancier(QStringLiteral("77777777"), QStringLiteral("Known Member"));
    bench.addPigeon(id, {QStringLiteral("BE"), QStringLiteral("01"), QStringLiteral("0000000001"), QStringLiteral(" "),
                         QString(), QStringLiteral("99999999")}, 1);
    SimState state = bench.sim().state();
    state.fancierBlocks = {fancierBlock("77777777", "Known Member")};
    state.records = {record(0, 1, "0A1B2C3DBE 07-  12345F")};
    bench.sim().setState(state);
    appState().currentFancierId = shown;
    bench.host().answers = {false};
    HookLog log;

    QCOMPARE(ReadClock(bench.job(), bench.db(), int(ClockModel::Omnexa), hooksFor(log)).end,
             ReadClockResult::Declined);

    QCOMPARE(commandsOf(bench.receivedFrames()), (QList<int>{0x50, 0x51, 0x56}));
    QCOMPARE(bench.pigeonsOf(id), QStringList{QStringLiteral("BE|01|0000000001| |<null>|99999999")});
    // The read switched to the clock's fancier, so the window must show it
    // rather than keep the former fancier's grid under the new id.
    QCOMPARE(appState().currentFancierId, id);
    QCOMPARE(log.shown, 1);
    QCOMPARE(log.idWhenShown, id);
    QCOMPARE(log.enabled, 1);
}

void ClockReadJobTest::refusedBlockReadEndsTheRead()
{
    ClockJobBench bench(ClockModel::Omnexa); // a clock without a fancier block answers status 1
    QVERIFY(bench.isReady());
    appState().currentFancierId = 42;
    HookLog log;

    QCOMPARE(ReadClock(bench.job(), bench.db(), int(ClockModel::Omnexa), hooksFor(log)).end,
             ReadClockResult::Refused);

    QCOMPARE(bench.host().warnings, QStringList{QStringLiteral("T49|T70")});
    QCOMPARE(commandsOf(bench.receivedFrames()), (QList<int>{0x50, 0x51, 0x56}));
    QCOMPARE(appState().currentFancierId, 42);
    QCOMPARE(log.shown, 0);
    QCOMPARE(log.enabled, 1);
}

void ClockReadJobTest::unfinishedReadKeepsTheStoredList_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("refusedCommand"); // 0: the user cancels in the middle of the list
    QTest::addColumn<int>("end");
    QTest::newRow("single-block, cancelled") << int(ClockModel::Omnexa) << 0 << int(ReadClockResult::Cancelled);
    QTest::newRow("single-block, record read refused") << int(ClockModel::Omnexa) << 0x52
                                                       << int(ReadClockResult::Refused);
    QTest::newRow("multi-block, cancelled") << int(ClockModel::Zefira) << 0 << int(ReadClockResult::Cancelled);
    QTest::newRow("multi-block, pigeon query refused") << int(ClockModel::Zefira) << 0x58
                                                       << int(ReadClockResult::Refused);
}

// Yes to "pigeons will be replaced" followed by a read that does not reach
// the end of the clock's list (a Cancel, or a clock of another model that
// refuses the list) must not cost the fancier the stored list.
void ClockReadJobTest::unfinishedReadKeepsTheStoredList()
{
    QFETCH(int, model);
    QFETCH(int, refusedCommand);
    QFETCH(int, end);
    ClockJobBench bench{ClockModel(model)};
    QVERIFY(bench.isReady());
    const int32_t id = bench.addFancier(QStringLiteral("12121212"), QStringLiteral("Known Member"));
    bench.addPigeon(id, {QStringLiteral("BE"), QStringLiteral("01"), QStringLiteral("0000000001"), QStringLiteral(" "),
                         QString(), QStringLiteral("99999999")}, 1);
    SimState state = bench.sim().state();
    state.fancierBlocks = {fancierBlock("12121212", "Known Member")};
    for (int i = 1; i <= 5; ++i)
        state.records << record(0, i, "0000000" + QByteArray::number(i) + "BE 07-000000000" + QByteArray::number(i) + " ");
    bench.sim().setState(state);
    if (refusedCommand) {
        bench.sim().changeFaults([refusedCommand](clocksim::Faults& f) {
            clocksim::Refusal r;
            r.command = uint8_t(refusedCommand);
            r.status = 5;
            f.refusals << r;
        });
    } else {
        bench.host().cancelAtPump = 4; // identify, block, entry 0, entry 1
    }
    bench.host().answers = {true};
    HookLog log;

    QCOMPARE(int(ReadClock(bench.job(), bench.db(), model, hooksFor(log)).end), end);

    QCOMPARE(bench.host().questions.size(), 1);
    QCOMPARE(bench.pigeonsOf(id), QStringList{QStringLiteral("BE|01|0000000001| |<null>|99999999")});
    if (refusedCommand) {
        QCOMPARE(bench.host().warnings, QStringList{QStringLiteral("T49|T70")});
        QCOMPARE(bench.countCommand(uint8_t(refusedCommand)), 1);
    }
    QCOMPARE(bench.countCommand(0x56), 1);
    QCOMPARE(log.enabled, 1);
}

void ClockReadJobTest::singleReadSendsNoConverterOpenButCloses()
{
    ClockJobBench bench(ClockModel::Omnexa, true);
    QVERIFY(bench.isReady());
    SimState state = bench.sim().state();
    state.fancierBlocks = {fancierBlock("12121212", "Via Converter")};
    bench.sim().setState(state);
    HookLog log;

    QCOMPARE(ReadClock(bench.job(), bench.db(), int(ClockModel::Omnexa), hooksFor(log)).end, ReadClockResult::Done);

    QCOMPARE(commandsOf(bench.receivedFrames()), (QList<int>{0x50, 0x51, 0x52, 0x56, 0xCB}));
    // The end of the job waits 80 ms after its try in this read.
    QCOMPARE(bench.host().pauses.last(), 80);
}

void ClockReadJobTest::multiReadFilesPigeonsUnderTheirBlocksFancier()
{
    ClockJobBench bench(ClockModel::Zefira);
    QVERIFY(bench.isReady());
    const int32_t known = bench.addFancier(QStringLiteral("22222222"), QStringLiteral("Known Member"));
    SimState state = bench.sim().state();
    state.fanciersPerClock = 3;
    state.fancierBlocks = {fancierBlock("11111111", "First In Clock", "4.1", "51.2"),
                           fancierBlock("22222222", "Known Member")};
    state.records = {record(0, 0, "999999"),
                     record(0, 1, "0A0A0A0ABE 07-0000012345FBLGE"),
                     record(1, 1, "0B0B0B0BNL 08-       777 RO  "),
                     record(1, 2, "0C0C0C0CDE 09-0000000001F    ")};
    // The first pigeon arrived from two flights: the clock lists it twice.
    clocksim::Arrival a;
    a.block = 0;
    a.record = 1;
    a.flightKey = "FL01    ";
    state.arrivals = {a, a};
    a.flightKey = "FL02    ";
    state.arrivals[1] = a;
    bench.sim().setState(state);
    HookLog log;

    const ReadClockResult result = ReadClock(bench.job(), bench.db(), int(ClockModel::Zefira), hooksFor(log));

    QCOMPARE(result.end, ReadClockResult::Done);
    QCOMPARE(result.pigeonsStored, 3);
    QCOMPARE(result.repeatsSkipped, 1);
    const int32_t first = fancierIdOf(bench, QStringLiteral("11111111"));
    QVERIFY(first > 0);
    QCOMPARE(bench.pigeonsOf(first), QStringList{QStringLiteral("BE|07|0000012345|F|BLGE|0A0A0A0A")});
    QCOMPARE(bench.pigeonsOf(known), (QStringList{QStringLiteral("NL|08|       777| |RO|0B0B0B0B"),
                                                  QStringLiteral("DE|09|0000000001|F||0C0C0C0C")}));
    // This clock keeps the coordinates as texts.
    const QStringList row = fancierRow(bench, first);
    QCOMPARE(row.mid(6), (QStringList{QStringLiteral("<null>"), QStringLiteral("<null>"), QStringLiteral("4.100000"),
                                      QStringLiteral("51.20000")}));
    QCOMPARE(appState().currentFancierId, first);
    QCOMPARE(log.shown, 1);
    QCOMPARE(log.idWhenShown, first);
    const QList<QByteArray> frames = bench.receivedFrames();
    QCOMPARE(commandsOf(frames), (QList<int>{0x50, 0xFA, 0x51, 0x51, 0x58, 0x58, 0x58, 0x58, 0x58, 0x56}));
    QCOMPARE(frames[1], QByteArray::fromHex("6C82FA010A"));
    QCOMPARE(frames[2], QByteArray::fromHex("6C82510100"));
    QCOMPARE(frames[3], QByteArray::fromHex("6C82510101"));
    QCOMPARE(frames[5], QByteArray::fromHex("6C82580B" "0001" "30303030" "30303030" "00"));
    QVERIFY(bench.host().questions.isEmpty());
}

void ClockReadJobTest::multiReadOfAOneFancierClock()
{
    ClockJobBench bench(ClockModel::Zefira, true);
    QVERIFY(bench.isReady());
    SimState state = bench.sim().state();
    state.fancierBlocks = {fancierBlock("33333333", "Only Fancier")};
    // A record of a block the clock does not report has no fancier to go to.
    state.records = {record(0, 1, "0A0A0A0ABE 07-0000012345FBLGE"), record(4, 1, "0D0D0D0DBE 07-0000054321 BLGE")};
    bench.sim().setState(state);
    HookLog log;

    const ReadClockResult result = ReadClock(bench.job(), bench.db(), int(ClockModel::Zefira), hooksFor(log));

    QCOMPARE(result.end, ReadClockResult::Done);
    const int32_t id = fancierIdOf(bench, QStringLiteral("33333333"));
    // Without "SPD" the block byte means nothing: every pigeon is the one fancier's.
    QCOMPARE(bench.pigeonsOf(id).size(), 2);
    QCOMPARE(result.strayPigeons, 0);
    QCOMPARE(commandsOf(bench.receivedFrames()), (QList<int>{0xCA, 0x50, 0x51, 0x58, 0x58, 0x58, 0x56, 0xCB}));
    QCOMPARE(bench.host().pauses.first(), 50);
}

void ClockReadJobTest::multiReadRefusedSetupEndsTheRead()
{
    ClockJobBench bench(ClockModel::Zefira);
    QVERIFY(bench.isReady());
    SimState state = bench.sim().state();
    state.fanciersPerClock = 2;
    state.fancierBlocks = {fancierBlock("11111111", "First"), fancierBlock("22222222", "Second")};
    state.records = {record(1, 1, "0A0A0A0ABE 07-0000012345FBLGE"), record(5, 1, "0D0D0D0DBE 07-0000054321 BLGE")};
    bench.sim().setState(state);
    bench.sim().changeFaults([](clocksim::Faults& f) {
        clocksim::Refusal r;
        r.command = 0x51;
        r.status = 1;
        f.refusals << r;
    });
    HookLog log;

    QCOMPARE(ReadClock(bench.job(), bench.db(), int(ClockModel::Zefira), hooksFor(log)).end, ReadClockResult::Refused);
    QCOMPARE(bench.host().warnings, QStringList{QStringLiteral("T49|T70")});
    QCOMPARE(commandsOf(bench.receivedFrames()), (QList<int>{0x50, 0xFA, 0x51, 0x56}));

    bench.sim().changeFaults([](clocksim::Faults& f) {
        f.refusals.clear();
        clocksim::Refusal r;
        r.command = 0xFA;
        r.status = 1;
        f.refusals << r;
    });
    const int mark = int(bench.receivedFrames().size());
    QCOMPARE(ReadClock(bench.job(), bench.db(), int(ClockModel::Zefira), hooksFor(log)).end, ReadClockResult::Refused);
    QCOMPARE(commandsOf(bench.framesSince(mark)), (QList<int>{0x50, 0xFA, 0x56}));

    bench.sim().changeFaults([](clocksim::Faults& f) { f.refusals.clear(); });
    const ReadClockResult result = ReadClock(bench.job(), bench.db(), int(ClockModel::Zefira), hooksFor(log));
    QCOMPARE(result.end, ReadClockResult::Done);
    QCOMPARE(result.strayPigeons, 1);
    QCOMPARE(bench.pigeonsOf(fancierIdOf(bench, QStringLiteral("22222222"))).size(), 1);
    QCOMPARE(log.enabled, 3);
}

void ClockReadJobTest::multiReadDeclineOnALaterBlockKeepsEveryList()
{
    ClockJobBench bench(ClockModel::Zefira);
    QVERIFY(bench.isReady());
    const int32_t first = bench.addFancier(QStringLiteral("11111111"), QStringLiteral("First"));
    const int32_t second = bench.addFancier(QStringLiteral("22222222"), QStringLiteral("Second"));
    bench.addPigeon(first, {QStringLiteral("BE"), QStringLiteral("01"), QStringLiteral("0000000001"),
                            QStringLiteral(" "), QString(), QStringLiteral("99999991")}, 1);
    bench.addPigeon(second, {QStringLiteral("BE"), QStringLiteral("01"), QStringLiteral("0000000002"),
                             QStringLiteral(" "), QString(), QStringLiteral("99999992")}, 2);
    SimState state = bench.sim().state();
    state.fanciersPerClock = 3;
    state.fancierBlocks = {fancierBlock("11111111", "First"), fancierBlock("33333333", "New In Clock"),
                           fancierBlock("22222222", "Second")};
    state.records = {record(0, 1, "0A0A0A0ABE 07-0000012345FBLGE")};
    bench.sim().setState(state);
    bench.host().answers = {true, false};
    HookLog log;

    QCOMPARE(ReadClock(bench.job(), bench.db(), int(ClockModel::Zefira), hooksFor(log)).end,
             ReadClockResult::Declined);

    QCOMPARE(bench.host().questions.size(), 2);
    QCOMPARE(bench.countCommand(0x58), 0);
    // The Yes for the first block must not have cost its pigeons once the read stopped.
    QCOMPARE(bench.pigeonsOf(first).size(), 1);
    QCOMPARE(bench.pigeonsOf(second).size(), 1);
    QVERIFY(fancierIdOf(bench, QStringLiteral("33333333")) > 0);
    QCOMPARE(log.shown, 0);
    QCOMPARE(log.enabled, 1);
}

void ClockReadJobTest::chipCodesOfAnotherFancierNeedAYes_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("firstChipCode");
    QTest::newRow("No: stored without that chip code") << false << QString();
    QTest::newRow("Yes: stored with it") << true << QStringLiteral("0A1B2C3D");
}

// A chip code belongs to one pigeon: a clock whose pigeons carry codes of
// another fancier's pigeons is questioned before those codes are stored.
void ClockReadJobTest::chipCodesOfAnotherFancierNeedAYes()
{
    QFETCH(bool, yes);
    QFETCH(QString, firstChipCode);
    ClockJobBench bench(ClockModel::Omnexa);
    QVERIFY(bench.isReady());
    const int32_t owner = bench.addFancier(QStringLiteral("44444444"), QStringLiteral("Other Member"));
    bench.addPigeon(owner, {QStringLiteral("BE"), QStringLiteral("05"), QStringLiteral("0000000001"),
                            QStringLiteral(" "), QString(), QStringLiteral("0A1B2C3D")}, 1);
    SimState state = bench.sim().state();
    state.fancierBlocks = {fancierBlock("5555", "Jo Van Dam")};
    state.records = {record(0, 1, "0A1B2C3DBE 07-  12345F"), record(0, 2, "11112222NL 08-1234567 ")};
    bench.sim().setState(state);
    bench.host().answers = {yes};

    const ReadClockResult result = ReadClock(bench.job(), bench.db(), int(ClockModel::Omnexa), {});
    QCOMPARE(result.end, ReadClockResult::Done);
    QCOMPARE(result.withoutChipCode, yes ? 0 : 1);
    QCOMPARE(bench.host().sentences.value(0).endsWith(QStringLiteral(". T218")), !yes);

    QCOMPARE(bench.host().questions,
             QStringList{QStringLiteral("T217|T215\n0A1B2C3D: 44444444 Other Member\n\nT216 ?")});
    QCOMPARE(bench.pigeonsOf(fancierIdOf(bench, QStringLiteral("55550000"))),
             (QStringList{QStringLiteral("BE|07|0  12345|F|<null>|") + firstChipCode,
                          QStringLiteral("NL|08|01234567| |<null>|11112222")}));
    QCOMPARE(bench.pigeonsOf(owner).size(), 1);
}

void ClockReadJobTest::modelsWithoutAReadJobSendNothing()
{
    for (const ClockModel model : {ClockModel::LittleDurvek, ClockModel::Korvat}) {
        ClockJobBench bench(model);
        QVERIFY(bench.isReady());
        HookLog log;
        QCOMPARE(ReadClock(bench.job(), bench.db(), int(model), hooksFor(log)).end, ReadClockResult::NoReadJob);
        QVERIFY(bench.receivedFrames().isEmpty());
        QCOMPARE(log.enabled, 1);
        QCOMPARE(log.shown, 0);
    }
}

void ClockReadJobTest::roundTripGivesTheSamePigeons_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("fanciersPerClock");
    QTest::newRow("Omnexa") << int(ClockModel::Omnexa) << 1;
    QTest::newRow("Zefira, one fancier") << int(ClockModel::Zefira) << 1;
    QTest::newRow("Zefira, two fanciers") << int(ClockModel::Zefira) << 2;
}

void ClockReadJobTest::roundTripGivesTheSamePigeons()
{
    QFETCH(int, model);
    QFETCH(int, fanciersPerClock);
    ClockJobBench bench{ClockModel(model)};
    QVERIFY(bench.isReady());
    QList<int32_t> fanciers;
    for (int f = 1; f <= fanciersPerClock; ++f) {
        const int32_t id = bench.addFancier(QStringLiteral("6000000%1").arg(f), QStringLiteral("Member %1").arg(f));
        for (int p = 1; p <= 3; ++p) {
            bench.addPigeon(id, {QStringLiteral("BE"), QStringLiteral("0%1").arg(p), QStringLiteral("00022345%1%2").arg(f).arg(p),
                                 p == 2 ? QStringLiteral("F") : QStringLiteral(" "), QStringLiteral("BL"),
                                 QStringLiteral("A%1B%2C3D4").arg(f).arg(p)}, f * 10 + p);
        }
        fanciers << id;
        runStatement(bench.db(), QStringLiteral("UPDATE pigeons SET Security = '07', volring = 'BE' || Year || band "
                                                "WHERE Fancier = ?"), {id});
        UpdateClockRequest request;
        request.fancierId = id;
        request.modelIndex = model;
        request.fanciersPerClock = fanciersPerClock;
        QCOMPARE(UpdateClock(bench.job(), bench.db(), request, {}).end, UpdateClockResult::Done);
    }
    QMap<int32_t, QStringList> before;
    for (int32_t id : fanciers)
        before[id] = storedPigeons(bench, id);
    bench.host().answers = QList<bool>(fanciersPerClock, true);
    HookLog log;

    QCOMPARE(ReadClock(bench.job(), bench.db(), model, hooksFor(log)).end, ReadClockResult::Done);

    QCOMPARE(bench.host().questions.size(), fanciersPerClock);
    // The clock keeps 7 band characters (10 on the multi-block clock), no
    // colour on the single-block clock and never the Security: what it does
    // not hold stays as the club database had it.
    for (int32_t id : fanciers)
        QCOMPARE(storedPigeons(bench, id), before[id]);
    QCOMPARE(appState().currentFancierId, fanciers.first());
}

// Another PC stores the fancier while this one reads the clock: the read
// stores nothing, and its closing sentence says why.
void ClockReadJobTest::aFancierStoredElsewhereDuringTheReadKeepsThatList()
{
    ClockJobBench bench(ClockModel::Omnexa);
    QVERIFY(bench.isReady());
    const int32_t id = knownFancierAndItsClock(bench, "Known Member");
    bench.host().whileAsking = [&] {
        runStatement(bench.db(), QStringLiteral("UPDATE pigeons SET color = 'GRIS' WHERE Fancier = ?"), {id});
        runStatement(bench.db(), QStringLiteral("UPDATE fanciers SET Revision = Revision + 1 WHERE id = ?"), {id});
    };
    HookLog log;

    QCOMPARE(ReadClock(bench.job(), bench.db(), int(ClockModel::Omnexa), hooksFor(log)).end, ReadClockResult::Failed);

    QCOMPARE(bench.pigeonsOf(id), QStringList{QStringLiteral("BE|01|0000000001| |GRIS|99999999")});
    QCOMPARE(bench.job().databaseFailure, GetText(320));
    QVERIFY(bench.host().warnings.constLast().contains(GetText(320)));
}

void ClockReadJobTest::databaseFailureStillClosesTheRead_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QList<int>>("frames");
    QTest::newRow("single-block") << int(ClockModel::Omnexa) << QList<int>{0x50, 0x51, 0x56};
    QTest::newRow("multi-block") << int(ClockModel::Zefira) << QList<int>{0x50, 0x51, 0x56};
}

// The engine refusing in the middle of a read must neither leave the clock
// waiting for the end of the job nor the window without its buttons.
void ClockReadJobTest::databaseFailureStillClosesTheRead()
{
    QFETCH(int, model);
    QFETCH(QList<int>, frames);
    ClockJobBench bench{ClockModel(model)};
    QVERIFY(bench.isReady());
    SimState state = bench.sim().state();
    state.fanciersPerClock = 1;
    state.fancierBlocks = {fancierBlock("31313131", "Broken Database")};
    bench.sim().setState(state);
    runStatement(bench.db(), QStringLiteral("DROP TABLE pigeons"));
    HookLog log;

    QCOMPARE(ReadClock(bench.job(), bench.db(), model, hooksFor(log)).end, ReadClockResult::Failed);

    QCOMPARE(bench.host().warnings.size(), 1);
    QVERIFY(bench.host().warnings.first().startsWith(QStringLiteral("T49|")));
    QVERIFY(bench.host().warnings.first().contains(QStringLiteral("pigeons")));
    QCOMPARE(commandsOf(bench.receivedFrames()), frames);
    QCOMPARE(log.enabled, 1);
}


// How far a job got shows as it goes, and its end is told in the club's
// words: what was done with whom, or why it stopped and what to do.
void ClockReadJobTest::everyJobEndsWithASentence_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QStringList>("progress");
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("shown"); // a status line during the job; never the raw record
    const QString noAnswer = QStringLiteral("1 - no answer: is the clock switched on and in its cradle, and is the "
                                            "right port chosen in Settings?");
    const QString refused = QStringLiteral("5 - the clock refuses the request: is the clock model in Settings the "
                                           "one on the line?");
    QTest::newRow("update done") << "update" << QStringList{"0/0", "0/2", "1/2", "2/2"}
                                 << "Clock updated: 12345678 Club Member, 2 pigeons, 27 s"
                                 << QStringLiteral("Writing pigeon 2 of 2: BE-07-2, El. band 00000002");
    QTest::newRow("update cancelled") << "update cancel" << QStringList{"0/0", "0/2"}
                                      << "Update Clock stopped by Cancel after 0 of 2 pigeons: what was done up to "
                                         "then is kept" << QStringLiteral("12345678 Club Member");
    QTest::newRow("update refused") << "update refused" << QStringList{"0/0"}
                                    << "Update Clock stopped: " + refused << QStringLiteral("12345678 Club Member");
    QTest::newRow("update silent") << "update silent" << QStringList{"0/0"}
                                   << "Update Clock stopped by Cancel after 0 pigeons: what was done up to then is "
                                      "kept (" + noAnswer + ")" << QStringLiteral("Waiting for the clock ...");
    QTest::newRow("read done") << "read" << QStringList{"0/0", "1/0", "2/0"}
                               << "Clock read: 5555 Jo Van Dam, 2 pigeons stored, 27 s"
                               << QStringLiteral("Pigeon 1 read: BE-07-12345, El. band 0A1B2C3D");
    QTest::newRow("read cancelled") << "read cancel" << QStringList{"0/0", "1/0"}
                                    << "Read Clock stopped by Cancel after 1 pigeons: nothing was stored"
                                    << QStringLiteral("Pigeon 1 read: BE-07-12345, El. band 0A1B2C3D");
    QTest::newRow("read refused") << "read refused" << QStringList{"0/0"} << "Read Clock stopped: " + refused
                                  << QStringLiteral("Waiting for the clock ...");
}

void ClockReadJobTest::everyJobEndsWithASentence()
{
    QFETCH(QString, setup);
    QFETCH(QStringList, progress);
    QFETCH(QString, sentence);
    QFETCH(QString, shown);
    const bool update = setup.startsWith(QStringLiteral("update"));
    const ClockModel model = update && !setup.endsWith(QStringLiteral("refused")) ? ClockModel::Korvat
                                                                                   : ClockModel::Omnexa;
    ClockJobBench bench(model);
    QVERIFY(bench.isReady());
    bench.job().text = [&bench](int n) {
        return queryValue(bench.db(), QStringLiteral("SELECT \"default\" FROM PcLanguage WHERE id = ?"), {n})
            .toString();
    };
    bench.host().seconds = 27;
    if (setup.endsWith(QStringLiteral("cancel")))
        bench.host().cancelAtPump = 4;
    if (setup.endsWith(QStringLiteral("silent"))) {
        bench.sim().command(QStringLiteral("fault silence on"));
        bench.host().cancelAtPump = 3;
    }
    if (update) {
        const int32_t id = bench.addFancier(QStringLiteral("12345678"), QStringLiteral("Club Member"));
        for (int i = 1; i <= 2; ++i)
            bench.addPigeon(id, {QStringLiteral("BE"), QStringLiteral("07"), QString::number(i), QStringLiteral(" "),
                                 QString(), QStringLiteral("0000000%1").arg(i)}, i);
        if (setup.endsWith(QStringLiteral("refused")))
            bench.sim().changeFaults([](clocksim::Faults& f) { f.refusals << clocksim::Refusal{0x51, 4}; });
        UpdateClockRequest request;
        request.fancierId = id;
        request.modelIndex = int(model);
        UpdateClock(bench.job(), bench.db(), request, {});
    } else {
        if (!setup.endsWith(QStringLiteral("refused"))) {
            SimState state = bench.sim().state();
            state.fancierBlocks = {fancierBlock("5555", "Jo Van Dam")};
            state.records = {record(0, 0, "999999"), record(0, 1, "0A1B2C3DBE 07-  12345F"),
                             record(0, 2, "11112222NL 08-1234567 ")};
            bench.sim().setState(state);
        }
        ReadClock(bench.job(), bench.db(), int(model), {});
    }
    QCOMPARE(bench.host().progressSteps, progress);
    QCOMPARE(bench.host().sentences, QStringList{sentence});
    QVERIFY2(bench.host().statuses.contains(shown), qPrintable(bench.host().statuses.join(u'/')));
    for (const QString& status : bench.host().statuses)
        QVERIFY2(!status.contains(QStringLiteral("999999")) && !status.contains(QStringLiteral("-  ")),
                 qPrintable(status));
}

QTEST_GUILESS_MAIN(ClockReadJobTest)
#include "tst_clockjobs_read.moc"
