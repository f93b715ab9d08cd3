// The race read-out against a scripted clock: the five phases, what they
// leave in memory and in the pigeon file, cancels, refusals, a closing that
// fails, and lists longer than the requests can address.
#include "RaceClock.h"
#include "RecordingView.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"
#include "support/ScriptedHost.h"
#include "results/PigeonFile.h"
#include "results/ReadRaceData.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace durvek;
using namespace durvek::test;
using namespace durvek::testing;

namespace {

QByteArray flightText(const QByteArray& key, const QByteArray& date)
{
    return (key + date + "073000123456    000000000000000000    0001").leftJustified(57, ' ');
}

QByteArray pigeonText(const QByteArray& elcode, const QByteArray& band, char sex, const QByteArray& key,
                      const QByteArray& date, const QByteArray& time, char status)
{
    return elcode + band + sex + key + QByteArray(8, '\x01') + date + time + status + "      ";
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestRaceReadout : public QObject {
    Q_OBJECT

    std::shared_ptr<FakeClockState> line;
    ClockLibrary library;
    ScriptedHost host;
    RecordingView view;
    RaceClock clock;
    RaceData data;
    std::unique_ptr<QTemporaryDir> folder;
    LinkParams link;

    QString filePath() const { return folder->filePath(QStringLiteral("duiven.txt")); }

    ReadoutEnd read(ReadoutLimits limits = ReadoutLimits())
    {
        JobContext job{host, library, link, [](int n) { return QStringLiteral("T%1").arg(n); }};
        ReadRaceData readout(job, view, data, filePath(), limits);
        return readout.run();
    }

    QList<int> commands() const
    {
        QList<int> out;
        for (const SentFrame& f : line->sent)
            out << uint8_t(f.frame[2]);
        return out;
    }

    int count(int command) const { return int(commands().count(command)); }

    void cancelAt(int command, int index = -1)
    {
        clock.onRequest = [command, index](const QByteArray& f) {
            if (uint8_t(f[2]) == command && (index < 0 || uint8_t(f[f[2] == 0x58 ? 5 : 4]) == index))
                linkBuffers().CancelRequested = true;
        };
    }

    void writePreviousFile() { QVERIFY(SavePigeonFile(filePath(), {ResultRecord::fromPigeonText("OLDFILE1")})); }

private slots:
    void init()
    {
        line = std::make_shared<FakeClockState>();
        library.setTransportFactory([s = line] { return TransportPtr(new FakeClockTransport(s)); });
        library.setPortResolver([](uint8_t port) { return QStringLiteral("/dev/cradle%1").arg(port); });
        library.setLineLog(nullptr);
        host = ScriptedHost();
        view = RecordingView();
        clock = RaceClock();
        clock.fancierBlock = RaceClock::fancier("10234567", "Demo Fancier", "Loftstraat 12", "9000", "Veldwijk");
        line->script = [this](const QByteArray& f) { return clock.answer(f); };
        data = RaceData();
        folder = std::make_unique<QTemporaryDir>();
        link = LinkParams();
        link.port = 3;
        linkBuffers().CancelRequested = true; // left over from an earlier job
    }

    void wholeReadSortsAndSaves();
    void readsDirectlyWhateverTheConverterSetting();
    void wakeUpCountsItsAttempts();
    void emptyIdentityIsTwentySpaces();
    void refusedFancierStillEndsTheJob();
    void failedSecondReadLeavesNothingOfTheFirstClock_data();
    void failedSecondReadLeavesNothingOfTheFirstClock();
    void clockWithoutFlightsOrPigeons();
    void cancelDuringFlightListStillSendsTheEnd();
    void cancelDuringPigeonsSavesWhatWasRead();
    void secondCancelDuringClosingWritesNoFile();
    void sixFailedClosingTriesKeepThePreviousFile();
    void moreFlightsThanOneByteAddresses();
    void morePigeonsThanTheIndexReaches();
    void unwritableFileIsReported();
};

void TestRaceReadout::wholeReadSortsAndSaves()
{
    clock.flights = {{0, flightText("NOYO0001", "150624")}, {7, "garbled"}, {0, flightText("TRN10002", "080624")}};
    clock.pigeons = {
        {0, pigeonText("0A1B2C3D", "BE 23-1234567", ' ', "NOYO0001", "150624", "112731", '1')},
        {0, pigeonText("1F2E3D4C", "BE 23-1234568", 'F', "NOYO0001", "150624", "112509", '!')},
        {3, "whatever the clock put here"},
        {0, pigeonText("6B7C8D9E", "NL 24-1709876", 'F', "TRN10002", "080624", "101502", '5')},
        {0, pigeonText("55AA1234", "BE 99-2001234", ' ', "NOYO0001", "150699", "112509", '!')},
    };
    data.flights = {FlightEntry(), FlightEntry(), FlightEntry(), FlightEntry()}; // an earlier read's

    const ReadoutEnd end = read();
    QCOMPARE(end.kind, ReadoutEnd::Saved);
    QVERIFY(!end.cancelled);
    QVERIFY(!end.refused);
    QVERIFY(!linkBuffers().CancelRequested);

    QCOMPARE(commands(), QList<int>({0x50, 0x51, 0x5D, 0x5D, 0x5D, 0x5D, 0x58, 0x58, 0x58, 0x58, 0x58, 0x58, 0x56}));
    QCOMPARE(line->sent[5].frame, QByteArray::fromHex("6C825D0503") + "0000");
    QCOMPARE(line->sent[10].frame, QByteArray::fromHex("6C82580B0004") + "00000000" + QByteArray(1, '\0'));

    QCOMPARE(data.clockIdentity, QStringLiteral("OMNEXA 4.2          "));
    QCOMPARE(data.clockLicence, QStringLiteral("10234567"));
    QCOMPARE(data.clockName, QStringLiteral("Demo Fancier").leftJustified(25, u' '));
    QCOMPARE(data.clockCity, QStringLiteral("Veldwijk").leftJustified(20, u' '));
    QCOMPARE(view.fancierLine, QStringLiteral("10234567 - Demo Fancier             "));
    QCOMPARE(view.addressLine, QStringLiteral("Loftstraat 12 - 9000 - Veldwijk"));
    QVERIFY(host.statuses.contains(QStringLiteral("10234567  Demo Fancier             ")));

    // The unusable flight takes its place in the list of flights but gets no item.
    QCOMPARE(data.flightCount(), 3);
    QCOMPARE(data.flights[0].key(), QStringLiteral("NOYO0001"));
    QCOMPARE(data.flights[1].key(), QString(8, QChar(0)));
    QCOMPARE(data.flights[2].details[0], QStringLiteral("080624"));
    QCOMPARE(view.items, (QList<QPair<QString, int>>{{QStringLiteral("NOYO00011506240730000"), 0},
                                                     {QStringLiteral("TRN10002080624073000") + u'2', 2}}));

    // The status-3 entry is a blank record, counted and first; the 99 date last.
    QCOMPARE(data.pigeonCount(), 5);
    QStringList order;
    for (const ResultRecord& r : data.results)
        order << r.elcode;
    QCOMPARE(order, QStringList({QString(8, QChar(0)), QStringLiteral("6B7C8D9E"), QStringLiteral("1F2E3D4C"),
                                 QStringLiteral("0A1B2C3D"), QStringLiteral("55AA1234")}));
    QCOMPARE(data.results[2].sex, QStringLiteral("V"));
    QCOMPARE(data.results[3].sex, QStringLiteral(" "));

    const QByteArray file = fileBytes(filePath());
    QCOMPARE(file.size(), 4 + 5 * 127);
    QCOMPARE(file.left(4), QByteArray::fromHex("05000000"));
    QCOMPARE(file.mid(4, 127), QByteArray(127, '\0'));
    QCOMPARE(file.mid(4 + 127, 8), QByteArray("6B7C8D9E"));
}

void TestRaceReadout::readsDirectlyWhateverTheConverterSetting()
{
    link.converter = true;
    link.lineMode = 0;
    QCOMPARE(read().kind, ReadoutEnd::Saved);
    QCOMPARE(commands(), QList<int>({0x50, 0x51, 0x5D, 0x58, 0x56}));
    for (const SentFrame& f : line->sent)
        QVERIFY2(f.rts, "every request goes out in line mode 1");
}

void TestRaceReadout::wakeUpCountsItsAttempts()
{
    clock.silentIdentifies = 2;
    QCOMPARE(read().kind, ReadoutEnd::Saved);
    QCOMPARE(host.statuses.mid(0, 4), QStringList({QStringLiteral("T53"), QStringLiteral("T53 1 - T102 (0)"),
                                                   QStringLiteral("T53 1 - T102 (1)"), QStringLiteral("OMNEXA 4.2          ")}));
    QCOMPARE(host.pauses.mid(0, 4), QList<int>({100, 100, 100, 50}));
}

void TestRaceReadout::emptyIdentityIsTwentySpaces()
{
    clock.identity.clear();
    QCOMPARE(read().kind, ReadoutEnd::Saved);
    QCOMPARE(data.clockIdentity, QString(20, u' '));
}

void TestRaceReadout::refusedFancierStillEndsTheJob()
{
    clock.fancierStatus = 1;
    clock.flights = {{0, flightText("NOYO0001", "150624")}};

    const ReadoutEnd end = read();
    QVERIFY(end.refused);
    QCOMPARE(end.kind, ReadoutEnd::EndedUnread);
    QCOMPARE(host.warnings, QStringList{QStringLiteral("T49|T70")});
    QCOMPARE(commands(), QList<int>({0x50, 0x51, 0x56}));
    QCOMPARE(data.flightCount(), 0);
    QCOMPARE(data.pigeonCount(), 0);
    QVERIFY(!QFile::exists(filePath()));
}

void TestRaceReadout::failedSecondReadLeavesNothingOfTheFirstClock_data()
{
    QTest::addColumn<int>("cancelCommand"); // 0: the clock refuses its fancier instead
    QTest::addColumn<int>("cancelIndex");
    QTest::newRow("refused") << 0 << -1;
    QTest::newRow("cancel at wake-up") << 0x50 << -1;
    QTest::newRow("cancel at identity") << 0x51 << -1;
    QTest::newRow("cancel in flight list") << 0x5D << 1;
}

void TestRaceReadout::failedSecondReadLeavesNothingOfTheFirstClock()
{
    QFETCH(int, cancelCommand);
    QFETCH(int, cancelIndex);
    clock.flights = {{0, flightText("NOYO0001", "150624")}, {0, flightText("TRN10002", "080624")}};
    clock.pigeons = {{0, pigeonText("0A1B2C3D", "BE 23-1234567", ' ', "NOYO0001", "150624", "112731", '1')}};
    QCOMPARE(read().kind, ReadoutEnd::Saved);
    const QByteArray firstFile = fileBytes(filePath());

    clock = RaceClock();
    clock.identity = "ZEFIRA 1.0";
    clock.fancierBlock = RaceClock::fancier("20987654", "Other Fancier", "Duifweg 3", "8000", "Brugveld");
    clock.flights = {{0, flightText("ZUID0003", "220624")}, {0, flightText("ZUID0004", "230624")}};
    if (cancelCommand == 0)
        clock.fancierStatus = 1;
    else
        cancelAt(cancelCommand, cancelIndex);
    const ReadoutEnd end = read();
    QCOMPARE(end.kind, ReadoutEnd::EndedUnread);

    QVERIFY(data.clockIdentity != QStringLiteral("OMNEXA 4.2          "));
    QVERIFY(data.clockLicence != QStringLiteral("10234567"));
    QVERIFY(!view.fancierLine.contains(QStringLiteral("Demo")));
    QVERIFY(!view.addressLine.contains(QStringLiteral("Veldwijk")));
    for (const FlightEntry& f : data.flights)
        QVERIFY(f.key().startsWith(QStringLiteral("ZUID")));
    for (const auto& item : view.items)
        QVERIFY(item.first.startsWith(QStringLiteral("ZUID")));
    QCOMPARE(data.pigeonCount(), 0);
    QCOMPARE(fileBytes(filePath()), firstFile);
}

void TestRaceReadout::clockWithoutFlightsOrPigeons()
{
    view.items = {{QStringLiteral("old"), 0}};
    const ReadoutEnd end = read();
    QCOMPARE(end.kind, ReadoutEnd::Saved);
    QCOMPARE(data.flightCount(), 0);
    QCOMPARE(data.pigeonCount(), 0);
    QVERIFY(view.items.isEmpty());
    QCOMPARE(fileBytes(filePath()), QByteArray(4, '\0'));
}

void TestRaceReadout::cancelDuringFlightListStillSendsTheEnd()
{
    clock.flights = {{0, flightText("NOYO0001", "150624")}, {0, flightText("TRN10002", "080624")}};
    clock.pigeons = {{0, pigeonText("0A1B2C3D", "BE 23-1234567", ' ', "NOYO0001", "150624", "112731", '1')}};
    cancelAt(0x5D, 1);
    const ReadoutEnd end = read();
    QVERIFY(end.cancelled);
    QCOMPARE(end.kind, ReadoutEnd::EndedUnread);
    QCOMPARE(commands(), QList<int>({0x50, 0x51, 0x5D, 0x5D, 0x56}));
    QCOMPARE(data.flightCount(), 1);
    QCOMPARE(data.pigeonCount(), 0);
    QVERIFY(!QFile::exists(filePath()));
}

void TestRaceReadout::cancelDuringPigeonsSavesWhatWasRead()
{
    clock.pigeons = {
        {0, pigeonText("0A1B2C3D", "BE 23-1234567", ' ', "NOYO0001", "150624", "112731", '1')},
        {0, pigeonText("1F2E3D4C", "BE 23-1234568", 'F', "NOYO0001", "150624", "112509", '!')},
        {0, pigeonText("6B7C8D9E", "NL 24-1709876", 'F', "TRN10002", "080624", "101502", '5')},
    };
    cancelAt(0x58, 2);
    const ReadoutEnd end = read();
    QVERIFY(end.cancelled);
    QCOMPARE(end.kind, ReadoutEnd::Saved);
    QCOMPARE(data.pigeonCount(), 2);
    QCOMPARE(data.results[0].elcode, QStringLiteral("1F2E3D4C"));
    const QByteArray file = fileBytes(filePath());
    QCOMPARE(file.size(), 4 + 2 * 127);
    QCOMPARE(file.mid(4, 8), QByteArray("1F2E3D4C"));
}

void TestRaceReadout::secondCancelDuringClosingWritesNoFile()
{
    writePreviousFile();
    const QByteArray before = fileBytes(filePath());
    clock.pigeons = {{0, pigeonText("0A1B2C3D", "BE 23-1234567", ' ', "NOYO0001", "150624", "112731", '1')},
                     {0, pigeonText("1F2E3D4C", "BE 23-1234568", 'F', "NOYO0001", "150624", "112509", '!')}};
    clock.onRequest = [](const QByteArray& f) {
        // The first cancel lands on a pigeon query, the second on the end request.
        if (uint8_t(f[2]) == 0x58 || uint8_t(f[2]) == 0x56)
            linkBuffers().CancelRequested = true;
    };
    const ReadoutEnd end = read();
    QVERIFY(end.cancelled);
    QCOMPARE(end.kind, ReadoutEnd::ClosingCancelled);
    QCOMPARE(count(0x56), 1);
    QCOMPARE(fileBytes(filePath()), before);
}

void TestRaceReadout::sixFailedClosingTriesKeepThePreviousFile()
{
    writePreviousFile();
    const QByteArray before = fileBytes(filePath());
    clock.pigeons = {{0, pigeonText("0A1B2C3D", "BE 23-1234567", ' ', "NOYO0001", "150624", "112731", '1')},
                     {0, pigeonText("1F2E3D4C", "BE 23-1234568", 'F', "NOYO0001", "150624", "112509", '!')}};
    clock.endStatuses = {2, 2, 2, 2, 2, 2, 0};
    const ReadoutEnd end = read();
    QCOMPARE(end.kind, ReadoutEnd::ClosingFailed);
    QCOMPARE(count(0x56), 6);
    QCOMPARE(fileBytes(filePath()), before);
    // The records stay in memory for printing, in the clock's order.
    QCOMPARE(data.pigeonCount(), 2);
    QCOMPARE(data.results[0].elcode, QStringLiteral("0A1B2C3D"));
}

void TestRaceReadout::moreFlightsThanOneByteAddresses()
{
    writePreviousFile();
    const QByteArray before = fileBytes(filePath());
    for (int i = 0; i < 300; ++i)
        clock.flights.append({0, flightText(QByteArray::number(i).rightJustified(8, '0'), "150624")});
    const ReadoutEnd end = read();
    QCOMPARE(end.kind, ReadoutEnd::Failed);
    QVERIFY(end.error.contains(QStringLiteral("256")));
    QCOMPARE(count(0x5D), 256);
    QCOMPARE(uint8_t(line->sent[2 + 255].frame[4]), uint8_t(255));
    QCOMPARE(count(0x58), 0);
    QCOMPARE(commands().last(), 0x56); // the clock is still told the job ended
    QCOMPARE(fileBytes(filePath()), before);
    QCOMPARE(view.items.size(), 256);
}

void TestRaceReadout::morePigeonsThanTheIndexReaches()
{
    writePreviousFile();
    const QByteArray before = fileBytes(filePath());
    const QByteArray text = pigeonText("0A1B2C3D", "BE 23-1234567", ' ', "NOYO0001", "150624", "112731", '1');
    for (int i = 0; i < 32770; ++i)
        clock.pigeons.append({0, text});
    const ReadoutEnd end = read();
    QCOMPARE(end.kind, ReadoutEnd::Failed);
    QVERIFY(end.error.contains(QStringLiteral("32768")));
    QCOMPARE(count(0x58), 32768);
    // The last index asked for is 32767: 7F FF.
    const QByteArray last = line->sent[int(line->sent.size()) - 2].frame;
    QCOMPARE(last.mid(2, 4), QByteArray::fromHex("580B7FFF"));
    QCOMPARE(commands().last(), 0x56);
    QCOMPARE(fileBytes(filePath()), before);
    QCOMPARE(data.pigeonCount(), 32768);
}

void TestRaceReadout::unwritableFileIsReported()
{
    folder->remove();
    clock.pigeons = {{0, pigeonText("0A1B2C3D", "BE 23-1234567", ' ', "NOYO0001", "150624", "112731", '1')}};
    const ReadoutEnd end = read();
    QCOMPARE(end.kind, ReadoutEnd::Failed);
    QVERIFY(!end.error.isEmpty());
    QCOMPARE(data.pigeonCount(), 1);
    QVERIFY(!QFile::exists(filePath()));
}

QTEST_GUILESS_MAIN(TestRaceReadout)
#include "tst_racereadout.moc"
