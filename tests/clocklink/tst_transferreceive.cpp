// "From Clock To PC" against the simulated clock: the fancier saved through
// the window, the pigeons stored one by one, the question before replacing.
#include "PtyPeer.h"
#include "tst_transferfixture.h"
#include <QTest>

using namespace durvek;
using namespace durvek::test;

namespace {

clocksim::SimState clockWith(const QList<clocksim::OutgoingPigeon>& pigeons)
{
    clocksim::SimState s;
    // The licence starts with zeros: an answer read without clearing would
    // take the count from here.
    s.outLicence = "1234567";
    s.outName = "Sender";
    s.outPigeons = pigeons;
    return s;
}

const QList<clocksim::OutgoingPigeon> kTwoPigeons = {
    {"BE", "07", "1234", 'F', "0A1B2C3D4E"},
    {"NL", "  ", "7654321", ' ', "11223344AA"},
};

const QString kPigeonRows = QStringLiteral("SELECT Fancier, country, Year, band, sex, elcode FROM pigeons "
                                           "ORDER BY rowid");

// The window shows Jan (licence 999) with one pigeon.
int32_t showJanWithAPigeon(TransferBench& b)
{
    const int32_t jan = b.addFancier("999", "Jan");
    b.addPigeon(jan, "DE", "19", "0000000042", " ", "0A1B2C3D");
    b.window->fancierId = jan;
    b.window->name = "Jan";
    b.window->licence = "999";
    return jan;
}

QString jansPigeon(int32_t jan) { return QStringLiteral("%1|DE|19|0000000042| |0A1B2C3D").arg(jan); }

} // namespace

class TestTransferReceive : public QObject {
    Q_OBJECT

private slots:
    void newFancierWithTwoPigeons();
    void existingPigeonsAreReplacedOnlyAfterYes();
    void noKeepsEverything();
    void sameChipUpdatesBlankChipsAdd();
    void unfinishedReceiveKeepsTheStoredList();
    void garbledNumberStopsAndStoresNothing_data();
    void garbledNumberStopsAndStoresNothing();
    void shortHeaderWaitsUntilCancel();
    void fancierWithoutNameIsNotSaved();
};

void TestTransferReceive::newFancierWithTwoPigeons()
{
    TransferBench b(clockWith(kTwoPigeons));

    QCOMPARE(b.receive(), TransferOutcome::Completed);
    QVERIFY(b.window->inTransferState);
    QVERIFY(b.host->questions.isEmpty());
    QVERIFY(b.host->warnings.isEmpty());
    QCOMPARE(b.window->saves, 1);
    const int32_t id = b.window->fancierId;
    QVERIFY(id > 0);
    QCOMPARE(b.rows(QStringLiteral("SELECT Licence, Name FROM fanciers")), QStringList({"1234567|Sender"}));
    QCOMPARE(b.window->licence, QStringLiteral("1234567"));
    QCOMPARE(b.rows(kPigeonRows), QStringList({QStringLiteral("%1|BE|07|0001234|F|0A1B2C3D").arg(id),
                                               QStringLiteral("%1|NL|00|7654321| |11223344").arg(id)}));
    // new pigeons are numbered after the others
    QCOMPARE(b.rows(QStringLiteral("SELECT Nr FROM pigeons ORDER BY rowid")), QStringList({"1", "2"}));
    QCOMPARE(b.host->progressSteps, QStringList({"0/0", "0/2", "1/2", "2/2"}));
    // once, when the whole list is stored
    QCOMPARE(b.window->reloads, 1);
    QVERIFY(b.line.isOpen());
}

void TestTransferReceive::existingPigeonsAreReplacedOnlyAfterYes()
{
    TransferBench b(clockWith(kTwoPigeons));
    const int32_t jan = showJanWithAPigeon(b);
    const int32_t other = b.addFancier("888", "Other");
    b.addPigeon(other, "DE", "19", "0000000043", " ", "FFFFFFFF");
    b.host->answer = true;

    QCOMPARE(b.receive(), TransferOutcome::Completed);
    QCOMPARE(b.host->questions, QStringList({"Durvek|T71 ?"}));
    QCOMPARE(b.window->fancierId, jan);
    QCOMPARE(b.rows(QStringLiteral("SELECT id, Licence, Name FROM fanciers ORDER BY id")),
             QStringList({QStringLiteral("%1|1234567|Sender").arg(jan), QStringLiteral("%1|888|Other").arg(other)}));
    QCOMPARE(b.rows(QStringLiteral("SELECT Fancier, elcode FROM pigeons ORDER BY Fancier, elcode")),
             QStringList({QStringLiteral("%1|0A1B2C3D").arg(jan), QStringLiteral("%1|11223344").arg(jan),
                          QStringLiteral("%1|FFFFFFFF").arg(other)}));
}

void TestTransferReceive::noKeepsEverything()
{
    TransferBench b(clockWith(kTwoPigeons));
    const int32_t jan = showJanWithAPigeon(b);

    QCOMPARE(b.receive(), TransferOutcome::Declined);
    QCOMPARE(b.host->questions.size(), 1);
    QCOMPARE(b.window->saves, 0);
    QVERIFY(!b.line.isOpen());
    QCOMPARE(b.rows(kPigeonRows), QStringList({jansPigeon(jan)}));
    QCOMPARE(b.rows(QStringLiteral("SELECT Name FROM fanciers")), QStringList({"Jan"}));
}

void TestTransferReceive::sameChipUpdatesBlankChipsAdd()
{
    TransferBench b(clockWith({{"BE", "07", "1", ' ', "0A1B2C3D4E"},
                               {"BE", "08", "2", ' ', "0a1b2c3d"},
                               {"BE", "09", "3", ' ', "          "},
                               {"BE", "10", "4", ' ', "          "}}));

    QCOMPARE(b.receive(), TransferOutcome::Completed);
    QCOMPARE(b.rows(QStringLiteral("SELECT Year, band, elcode FROM pigeons ORDER BY rowid")),
             QStringList({"08|0000002|0a1b2c3d", "09|0000003|<null>", "10|0000004|<null>"}));
}

void TestTransferReceive::unfinishedReceiveKeepsTheStoredList()
{
    TransferBench b(clockWith({{"BE", "07", "1", ' ', "AAAAAAAA00"},
                               {"BE", "07", "2", ' ', "BBBBBBBB00"},
                               {"BE", "07", "3", ' ', "CCCCCCCC00"}}));
    const int32_t jan = showJanWithAPigeon(b);
    b.host->answer = true;
    // Cancel once the first pigeon has come
    b.host->onProgress = [&](int done) {
        if (done == 1)
            b.window->aborted = true;
    };

    QCOMPARE(b.receive(), TransferOutcome::Aborted);
    QVERIFY(!b.line.isOpen());
    QCOMPARE(b.window->saves, 0);
    QCOMPARE(b.window->name, QStringLiteral("Jan"));
    QCOMPARE(b.rows(QStringLiteral("SELECT Licence, Name FROM fanciers")), QStringList({"999|Jan"}));
    QCOMPARE(b.rows(kPigeonRows), QStringList({jansPigeon(jan)}));
    QCOMPARE(b.host->progressSteps, QStringList({"0/0", "0/3", "1/3"}));
}

void TestTransferReceive::garbledNumberStopsAndStoresNothing_data()
{
    QTest::addColumn<QByteArray>("licence");
    QTest::addColumn<QByteArray>("count");
    QTest::addColumn<QString>("cause");
    QTest::newRow("count with an exponent") << QByteArray("000000001234") << QByteArray("9e9\r")
                                            << QStringLiteral("pigeon count");
    QTest::newRow("negative count") << QByteArray("000000001234") << QByteArray("-12\r")
                                    << QStringLiteral("pigeon count");
    QTest::newRow("blank count") << QByteArray("000000001234") << QByteArray("   \r")
                                 << QStringLiteral("pigeon count");
    QTest::newRow("licence with a decimal point") << QByteArray("00000012.5E4") << QByteArray("001\r")
                                                  << QStringLiteral("licence");
}

// A clock that sends something else where a number belongs stops the
// receive before anything is stored, saying why.
void TestTransferReceive::garbledNumberStopsAndStoresNothing()
{
    QFETCH(QByteArray, licence);
    QFETCH(QByteArray, count);
    QFETCH(QString, cause);
    TransferBench b;
    const int32_t jan = showJanWithAPigeon(b);
    b.host->answer = true;
    const QByteArray header = (licence + "Sender").leftJustified(99, ' ') + '\r';
    const QByteArray pigeon = QByteArray("BE000007000123 F0A1B2C3D4E").leftJustified(107, ' ') + '\r';
    PtyPeer clock;
    QVERIFY(clock.isOpen());
    clock.start([&](QByteArray& inbox) {
        PtyPeer::Action a;
        if (inbox.endsWith("\x1b\x02"))
            a.reply = header;
        else if (inbox.endsWith("\x1b\x06"))
            a.reply = count;
        else if (inbox.endsWith("J\r"))
            a.reply = pigeon;
        return a;
    });

    QCOMPARE(b.receiveFrom(clock.devicePath()), TransferOutcome::Garbled);
    clock.stop();

    QCOMPARE(b.host->warnings.size(), 1);
    QVERIFY(b.host->warnings.first().startsWith(QStringLiteral("Durvek|")));
    QVERIFY2(b.host->warnings.first().contains(cause), qPrintable(b.host->warnings.first()));
    QVERIFY(!b.line.isOpen());
    QCOMPARE(b.window->saves, 0);
    QCOMPARE(b.rows(QStringLiteral("SELECT Licence, Name FROM fanciers")), QStringList({"999|Jan"}));
    QCOMPARE(b.rows(kPigeonRows), QStringList({jansPigeon(jan)}));
}

void TestTransferReceive::shortHeaderWaitsUntilCancel()
{
    TransferBench b(clockWith(kTwoPigeons));
    b.sim->changeFaults([](clocksim::Faults& f) { f.silent = true; });
    b.host->abortAtPump = 10;

    QCOMPARE(b.receive(), TransferOutcome::Aborted);
    QCOMPARE(b.host->pumps, 10);
    QCOMPARE(b.window->saves, 0);
    QVERIFY(!b.line.isOpen());
    QVERIFY(b.rows(QStringLiteral("SELECT id FROM fanciers")).isEmpty());
}

void TestTransferReceive::fancierWithoutNameIsNotSaved()
{
    clocksim::SimState clock = clockWith(kTwoPigeons);
    clock.outName = "";
    TransferBench b(clock);

    QCOMPARE(b.receive(), TransferOutcome::NotSaved);
    QCOMPARE(b.window->saves, 1);
    QVERIFY(!b.line.isOpen());
    QVERIFY(b.rows(QStringLiteral("SELECT elcode FROM pigeons")).isEmpty());
}

QTEST_GUILESS_MAIN(TestTransferReceive)
#include "tst_transferreceive.moc"
