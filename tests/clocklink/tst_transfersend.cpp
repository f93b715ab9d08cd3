// "From PC To Clock" against the simulated clock: what the clock stores,
// what the user is told, and whether the line is left open.
#include "tst_transferfixture.h"
#include "clocklink/ClubDataTransferStore.h"
#include <QElapsedTimer>
#include <QTest>

using namespace durvek;
using namespace durvek::test;

namespace {

QByteArray pad(const QByteArray& text, int width) { return text.leftJustified(width, ' '); }

} // namespace

class TestTransferSend : public QObject {
    Q_OBJECT

private slots:
    void fancierWithPigeonsAndBadges();
    void combineWithTwoMembers();
    void combineWithAnEmptyFirstSlot();
    void combineNotFoundSendsTheFancier();
    void combineNameFoldsAsciiLettersOnly_data();
    void combineNameFoldsAsciiLettersOnly();
    void refusedLineIsSentAgain();
    void refusalsStopWithAWarning_data();
    void refusalsStopWithAWarning();
    void refusedBadgeCountStopsSilently();
    void emptyPigeonListLeavesTheLineOpen();
    void badgeTableSizes_data();
    void badgeTableSizes();
    void abortWhileTheClockIsSilent();
    void abortDuringThePauseIsNotForgotten();
};

void TestTransferSend::fancierWithPigeonsAndBadges()
{
    TransferBench b;
    const int32_t jan = b.addFancier("1234567", "Jan Peeters");
    const int32_t other = b.addFancier("7654321", "Other");
    b.addPigeon(jan, "NL", "21", "0000001234", "2", "11223344");
    b.addPigeon(jan, "BE", QVariant(), "0000000017", " ", "0A1B2C3D");
    b.addPigeon(jan, QVariant(), "20", "0000000099", "1", "AABBCCDD");
    b.addPigeon(other, "BE", "21", "0000000001", " ", "99999999");
    b.setBadges({"Gold", "", "Silver", "", ""});
    b.window->fancierId = jan;
    b.window->licence = "1234567";
    b.window->name = "Jan Peeters";

    QCOMPARE(b.send(), TransferOutcome::Completed);
    QVERIFY(b.window->inTransferState);
    QVERIFY(b.host->warnings.isEmpty());
    QVERIFY(!b.line.isOpen());

    const clocksim::IncomingTransfer in = b.sim->state().incoming;
    QCOMPARE(in.stages, QList<int>({1, 5, 8}));
    QCOMPARE(in.header, QByteArray("123456700000Jan Peeters         "));
    QCOMPARE(in.count, QByteArray("003"));
    // by country, year and band; member digit 0 outside a combine
    QCOMPARE(in.pigeons, QList<QByteArray>({"XX0000200000099 AABBCCDD", "BE0000000000017 0A1B2C3D",
                                             "NL0000210001234H11223344"}));
    QCOMPARE(in.badgeCount, QByteArray("5"));
    QCOMPARE(in.badges, QList<QByteArray>({"Gold", "1111111111", "Silver", "1111111111", "1111111111"}));
    QCOMPARE(in.rejectedLines, 0);
    QCOMPARE(b.host->progressSteps, QStringList({"0/0", "0/3", "1/3", "2/3", "3/3"}));
    QCOMPARE(b.host->pauses, QList<int>({ClubDataTransfer::kSettlePauseMs}));
}

void TestTransferSend::combineWithTwoMembers()
{
    TransferBench b;
    const int32_t ann = b.addFancier("1", "Ann");
    const int32_t bob = b.addFancier("2", "Bob");
    const int32_t outsider = b.addFancier("3", "Outsider");
    b.addPigeon(ann, "BE", "21", "0000000002", " ", "AAAAAAAA");
    b.addPigeon(bob, "BE", "21", "0000000001", " ", "BBBBBBBB");
    b.addPigeon(outsider, "BE", "21", "0000000003", " ", "CCCCCCCC");
    // stored padded to 20, as the window adds it; chosen by its trimmed name
    b.addCombine(1, QStringLiteral("Club A").leftJustified(20, u' '), ann, bob, 0);
    b.window->fancierId = outsider;
    b.window->combine = true;
    b.window->combineName = "club a";

    QCOMPARE(b.send(), TransferOutcome::Completed);
    const clocksim::IncomingTransfer in = b.sim->state().incoming;
    QCOMPARE(in.stages, QList<int>({1, 10, 5, 8}));
    QCOMPARE(in.header, QByteArray("000000000000Club A") + QByteArray(14, ' '));
    QCOMPARE(in.members, pad("Ann", 20) + pad("Bob", 20));
    QCOMPARE(in.pigeons, QList<QByteArray>({"BE2000210000001 BBBBBBBB", "BE1000210000002 AAAAAAAA"}));
    QCOMPARE(b.host->pauses.size(), 2);
}

void TestTransferSend::combineWithAnEmptyFirstSlot()
{
    TransferBench b;
    const int32_t bob = b.addFancier("2", "Bob");
    const int32_t cas = b.addFancier("3", "Cas");
    b.addPigeon(bob, "BE", "21", "0000000001", " ", "BBBBBBBB");
    b.addPigeon(cas, "BE", "21", "0000000002", " ", "CCCCCCCC");
    b.addCombine(1, "Gap", 0, bob, cas);
    b.window->combine = true;
    b.window->combineName = "Gap";

    QCOMPARE(b.send(), TransferOutcome::Completed);
    // the members that are set are sent, numbered as they appear in the names line
    const clocksim::IncomingTransfer in = b.sim->state().incoming;
    QCOMPARE(in.members, pad("Bob", 20) + pad("Cas", 20));
    QCOMPARE(in.pigeons, QList<QByteArray>({"BE1000210000001 BBBBBBBB", "BE2000210000002 CCCCCCCC"}));
}

void TestTransferSend::combineNotFoundSendsTheFancier()
{
    TransferBench b;
    const int32_t jan = b.addFancier("1234567", "Jan");
    b.addPigeon(jan, "BE", "21", "0000000001", " ", "AAAAAAAA");
    b.addCombine(1, "Club A", jan, 0, 0);
    b.window->fancierId = jan;
    b.window->licence = "1234567";
    b.window->name = "Jan";
    b.window->combine = true;
    b.window->combineName = "Club B";

    QCOMPARE(b.send(), TransferOutcome::Completed);
    const clocksim::IncomingTransfer in = b.sim->state().incoming;
    QCOMPARE(in.stages, QList<int>({1, 5, 8}));
    QCOMPARE(in.header, QByteArray("123456700000Jan") + QByteArray(17, ' '));
    QCOMPARE(in.pigeons, QList<QByteArray>({"BE0000210000001 AAAAAAAA"}));
}

// As the name is typed, ASCII letters in any case, on either engine and
// whatever the server's locale; other letters only as they are spelt.
void TestTransferSend::combineNameFoldsAsciiLettersOnly_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("found");
    QTest::newRow("as spelt") << QStringLiteral("\u00DCber Club") << true;
    QTest::newRow("ASCII letters in capitals") << QStringLiteral("\u00DCBER CLUB") << true;
    QTest::newRow("other letter in small") << QStringLiteral("\u00FCber club") << false;
}

void TestTransferSend::combineNameFoldsAsciiLettersOnly()
{
    QFETCH(QString, typed);
    QFETCH(bool, found);
    TransferBench b;
    b.addCombine(1, QStringLiteral("\u00DCber Club").leftJustified(20, u' '), b.addFancier("1", "Ann"), 0, 0);
    QCOMPARE(ClubDataTransferStore(b.db).findCombine(typed).has_value(), found);
}

void TestTransferSend::refusedLineIsSentAgain()
{
    TransferBench b;
    const int32_t jan = b.addFancier("1", "Jan");
    b.addPigeon(jan, "BE", "21", "0000000001", " ", "AAAAAAAA");
    b.addPigeon(jan, "BE", "21", "0000000002", " ", "BBBBBBBB");
    b.window->fancierId = jan;
    b.window->name = "Jan";
    // lines after the start: header 1, count 2, first pigeon 3 (again 4), second
    // pigeon 5, badge count 6, first badge 7, second badge 8
    b.sim->changeFaults([](clocksim::Faults& f) { f.refusedLines = {3, 8}; });

    QCOMPARE(b.send(), TransferOutcome::Completed);
    const clocksim::IncomingTransfer in = b.sim->state().incoming;
    QCOMPARE(in.rejectedLines, 2);
    QCOMPARE(in.pigeons, QList<QByteArray>({"BE0000210000001 AAAAAAAA", "BE0000210000002 BBBBBBBB"}));
    QCOMPARE(in.badges.size(), 5);
    QCOMPARE(b.host->progressSteps, QStringList({"0/0", "0/2", "0/2", "1/2", "2/2"}));
    QVERIFY(b.host->warnings.isEmpty());
}

void TestTransferSend::refusalsStopWithAWarning_data()
{
    QTest::addColumn<QList<uint8_t>>("stages");
    QTest::addColumn<QList<int>>("lines");
    QTest::addColumn<QList<int>>("reached");
    QTest::newRow("start") << QList<uint8_t>({1}) << QList<int>() << QList<int>();
    QTest::newRow("pigeon list") << QList<uint8_t>({5}) << QList<int>() << QList<int>({1});
    QTest::newRow("pigeon count") << QList<uint8_t>() << QList<int>({2}) << QList<int>({1, 5});
}

void TestTransferSend::refusalsStopWithAWarning()
{
    QFETCH(QList<uint8_t>, stages);
    QFETCH(QList<int>, lines);
    QFETCH(QList<int>, reached);
    TransferBench b;
    const int32_t jan = b.addFancier("1", "Jan");
    b.addPigeon(jan, "BE", "21", "0000000001", " ", "AAAAAAAA");
    b.window->fancierId = jan;
    b.window->name = "Jan";
    b.sim->changeFaults([&](clocksim::Faults& f) {
        f.refusedStages = stages;
        f.refusedLines = lines;
    });

    QCOMPARE(b.send(), TransferOutcome::Refused);
    QCOMPARE(b.host->warnings, QStringList({"Durvek|T84"}));
    QVERIFY(!b.line.isOpen());
    const clocksim::IncomingTransfer in = b.sim->state().incoming;
    QCOMPARE(in.stages, reached);
    QVERIFY(in.pigeons.isEmpty());
}

void TestTransferSend::refusedBadgeCountStopsSilently()
{
    TransferBench b;
    const int32_t jan = b.addFancier("1", "Jan");
    b.addPigeon(jan, "BE", "21", "0000000001", " ", "AAAAAAAA");
    b.window->fancierId = jan;
    b.window->name = "Jan";
    b.sim->changeFaults([](clocksim::Faults& f) { f.refusedLines = {4}; });  // header, count, pigeon, badge count

    QCOMPARE(b.send(), TransferOutcome::Refused);
    QVERIFY(b.host->warnings.isEmpty());
    QVERIFY(!b.line.isOpen());
    QVERIFY(b.sim->state().incoming.badges.isEmpty());
}

void TestTransferSend::emptyPigeonListLeavesTheLineOpen()
{
    TransferBench b;
    b.window->fancierId = b.addFancier("1", "Jan");
    b.window->name = "Jan";

    QCOMPARE(b.send(), TransferOutcome::NothingToSend);
    QCOMPARE(b.host->warnings, QStringList({"Durvek|T85"}));
    QVERIFY(b.line.isOpen());
    QCOMPARE(b.sim->state().incoming.stages, QList<int>({1, 5}));
    QVERIFY(b.sim->state().incoming.count.isEmpty());
}

void TestTransferSend::badgeTableSizes_data()
{
    QTest::addColumn<QStringList>("table");
    QTest::addColumn<QByteArray>("count");
    QTest::addColumn<QList<QByteArray>>("sent");
    QTest::addColumn<bool>("lineOpen");
    QTest::newRow("seven rows") << QStringList({"b1", "b2", "b3", "b4", "b5", "b6", "b7"}) << QByteArray("5")
                                << QList<QByteArray>({"b1", "b2", "b3", "b4", "b5"}) << false;
    QTest::newRow("three rows") << QStringList({"b1", "b2", "b3"}) << QByteArray("3")
                                << QList<QByteArray>({"b1", "b2", "b3"}) << true;
    QTest::newRow("none") << QStringList() << QByteArray() << QList<QByteArray>() << true;
}

void TestTransferSend::badgeTableSizes()
{
    QFETCH(QStringList, table);
    QFETCH(QByteArray, count);
    QFETCH(QList<QByteArray>, sent);
    QFETCH(bool, lineOpen);
    TransferBench b;
    const int32_t jan = b.addFancier("1", "Jan");
    b.addPigeon(jan, "BE", "21", "0000000001", " ", "AAAAAAAA");
    b.window->fancierId = jan;
    b.window->name = "Jan";
    b.setBadges(table);

    QCOMPARE(b.send(), TransferOutcome::Completed);
    const clocksim::IncomingTransfer in = b.sim->state().incoming;
    QCOMPARE(in.badgeCount, count);
    QCOMPARE(in.badges, sent);
    QCOMPARE(b.line.isOpen(), lineOpen);
}

void TestTransferSend::abortWhileTheClockIsSilent()
{
    TransferBench b;
    const int32_t jan = b.addFancier("1", "Jan");
    b.addPigeon(jan, "BE", "21", "0000000001", " ", "AAAAAAAA");
    b.window->fancierId = jan;
    b.window->name = "Jan";
    b.window->aborted = true;  // left over from before: cleared when the transfer starts
    b.sim->changeFaults([](clocksim::Faults& f) { f.silent = true; });
    b.host->abortAtPump = 5;

    QElapsedTimer timer;
    timer.start();
    QCOMPARE(b.send(), TransferOutcome::Aborted);
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(b.host->pumps, 5);
    QVERIFY(b.host->warnings.isEmpty());
    QVERIFY(!b.line.isOpen());
    QCOMPARE(b.sim->state().incoming.stages, QList<int>({1}));
}

void TestTransferSend::abortDuringThePauseIsNotForgotten()
{
    TransferBench b;
    const int32_t jan = b.addFancier("1", "Jan");
    b.addPigeon(jan, "BE", "21", "0000000001", " ", "AAAAAAAA");
    b.window->fancierId = jan;
    b.window->name = "Jan";
    b.host->abortInPause = 1;  // Cancel pressed while the clock files the header

    QCOMPARE(b.send(), TransferOutcome::Aborted);
    QVERIFY(!b.line.isOpen());
    QTest::qWait(100);
    const clocksim::IncomingTransfer in = b.sim->state().incoming;
    QVERIFY(in.count.isEmpty());
    QVERIFY(in.pigeons.isEmpty());
}

QTEST_GUILESS_MAIN(TestTransferSend)
#include "tst_transfersend.moc"
