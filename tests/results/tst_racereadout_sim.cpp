// The race read-out through the clock library and a pseudo-terminal to the
// device simulator holding its demonstration race: a race and a training
// flight with arrivals of every kind.
#include "DemoClock.h"
#include "RecordingView.h"
#include "Simulator.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"
#include "clubresult/ClubResultCollector.h"
#include "clubresult/ClubResultStore.h"
#include "clubresult/ReleaseStore.h"
#include "support/DeliveredClub.h"
#include "support/DeliveredDatabase.h"
#include "support/ScriptedHost.h"
#include "results/PigeonFile.h"
#include "results/ReadRaceData.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace durvek;
using namespace durvek::test;
using namespace durvek::testing;
namespace sim = durvek::clocksim;

namespace {

// Presses Cancel once the status line shows a text starting with a prefix.
class CancellingHost : public ScriptedHost {
public:
    QString cancelOn;
    void showStatus(const QString& text) override
    {
        ScriptedHost::showStatus(text);
        if (!cancelOn.isEmpty() && text.startsWith(cancelOn))
            linkBuffers().CancelRequested = true;
    }
};

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestRaceReadoutSim : public QObject {
    Q_OBJECT

    std::unique_ptr<sim::Simulator> device;
    ClockLibrary library;
    CancellingHost host;
    RecordingView view;
    RaceData data;
    QTemporaryDir folder;

    QString filePath() const { return folder.filePath(QStringLiteral("duiven.txt")); }

    void startClock(const sim::SimState& state)
    {
        sim::SimulatorOptions options;
        options.lineDelay = false;
        device = std::make_unique<sim::Simulator>(state, options);
        QVERIFY(device->start());
        const QString path = device->devicePath();
        library.setPortResolver([path](uint8_t) { return path; });
        library.setLineLog(nullptr);
    }

    ReadoutEnd read()
    {
        LinkParams link;
        JobContext job{host, library, link, [](int n) { return QStringLiteral("T%1").arg(n); }};
        return ReadRaceData(job, view, data, filePath()).run();
    }

private slots:
    void init()
    {
        host = CancellingHost();
        view = RecordingView();
        data = RaceData();
        QFile::remove(filePath());
    }
    void cleanup()
    {
        library.release();
        if (device)
            device->stop();
        device.reset();
    }

    void demoRace_data();
    void demoRace();
    void cancelDuringFlightListStillEndsTheJob();
    void threeDemoClocksMakeOneClubResult();
};

void TestRaceReadoutSim::demoRace_data()
{
    QTest::addColumn<int>("model");
    QTest::newRow("Omnexa") << int(sim::ClockModel::Omnexa);
    QTest::newRow("Zefira (longer pigeon texts)") << int(sim::ClockModel::Zefira);
}

void TestRaceReadoutSim::demoRace()
{
    QFETCH(int, model);
    startClock(sim::demoClock(sim::ClockModel(model)));

    const ReadoutEnd end = read();
    QCOMPARE(end.kind, ReadoutEnd::Saved);
    QCOMPARE(device->state().jobsEnded, 1);

    QCOMPARE(data.clockLicence, QStringLiteral("10234567"));
    QCOMPARE(view.addressLine, QStringLiteral("Loftstraat 12 - 9000 - Veldwijk"));
    QCOMPARE(data.flightCount(), 2);
    QCOMPARE(view.items.size(), 2);
    QCOMPARE(view.items[0].first, QStringLiteral("NOYO00011506240730000"));
    QCOMPARE(view.items[1].first, QStringLiteral("TRN10002080624090000") + u'1');
    QCOMPARE(data.flights[1].details[2], QStringLiteral("045000"));

    // Seven entries: pigeon 1 in both flights, three more arrivals of every
    // kind, and two pigeons that flew in neither (their keys are spaces and
    // so come before every arrival, the not-arrived one's zeros included).
    QStringList order;
    for (const ResultRecord& r : data.results)
        order << r.elcode + u' ' + r.status + u' ' + r.sortKey.left(12);
    QCOMPARE(order, QStringList({QStringLiteral("00FF00FF   ") + QString(12, u' '),
                                 QStringLiteral("ABCDEF01   ") + QString(12, u' '),
                                 QStringLiteral("55AA1234 2 000000000000"),
                                 QStringLiteral("0A1B2C3D 5 240608101455"),
                                 QStringLiteral("6B7C8D9E 5 240608101502"),
                                 QStringLiteral("1F2E3D4C ! 240615112509"),
                                 QStringLiteral("0A1B2C3D 1 240615112731")}));
    QCOMPARE(data.results[5].band, QStringLiteral("BE 23-1234568 "));
    QCOMPARE(data.results[5].sex, QStringLiteral("V"));
    QCOMPARE(data.results[3].flightCode + data.results[3].flightCode2, QStringLiteral("TRN10002"));

    const PigeonFileContents file = LoadPigeonFile(filePath());
    QCOMPARE(file.kind, PigeonFileContents::Loaded);
    QCOMPARE(file.records, data.results);
    QCOMPARE(fileBytes(filePath()).size(), 4 + 7 * 127);
}

void TestRaceReadoutSim::cancelDuringFlightListStillEndsTheJob()
{
    startClock(sim::demoClock(sim::ClockModel::Omnexa));
    host.cancelOn = QStringLiteral("NOYO0001");

    const ReadoutEnd end = read();
    QVERIFY(end.cancelled);
    QCOMPARE(end.kind, ReadoutEnd::EndedUnread);
    QCOMPARE(device->state().jobsEnded, 1);
    QCOMPARE(data.flightCount(), 1);
    QCOMPARE(data.pigeonCount(), 0);
    QVERIFY(!QFile::exists(filePath()));
}

// The evening of a club result: the demo clock read as each of three
// fanciers' clocks in turn, the third one twice. Distances from GeodSolve -i
// -p 4; each fancier's pigeons are nominated in the clock's order, whatever
// order they arrive in.
void TestRaceReadoutSim::threeDemoClocksMakeOneClubResult()
{
    DeliveredClub club;
    exec(club.db(), "INSERT INTO fanciers (id, Licence, Name, sort, KYT, KXT) VALUES "
                    "(1, '10234567', 'One', 'ONE', '51.08985', '04.42009'), "
                    "(2, '10234568', 'Two', 'TWO', '50.85034', '04.35171'), "
                    "(3, '10234569', 'Three', 'THREE', '51.21989', '03.22424')");
    exec(club.db(), "UPDATE settings SET Nominated = 1");
    const QDate raceDay(2024, 6, 15);
    saveReleasePoint(club.db(), 1, "Noyon", "N 49 53 38.64", "E 2 17 44.71");
    saveRaceDay(club.db(), 1, raceDay, QTime(7, 30));
    startClock(sim::demoClock(sim::ClockModel::Omnexa));
    for (int fancier : {1, 2, 3, 3}) {
        QCOMPARE(device->command(QStringLiteral("racefancier %1").arg(fancier)), QStringLiteral("ok"));
        QCOMPARE(read().kind, ReadoutEnd::Saved);
        QVERIFY(addToClubResult(club.db(), data, 0, 1, raceDay).stored);
    }
    const std::optional<ClubResult> result = loadClubResult(club.db(), 1, raceDay);
    QVERIFY(result);
    QCOMPARE(result->fancierCount, 3);
    QCOMPARE(result->pigeonCount, 7);
    QStringList ranked;
    for (const ClubResultLine& line : result->lines)
        ranked << QStringLiteral("%1 %2 %3 %4 %5 %6")
                      .arg(line.fancierName, line.elcode, line.band)
                      .arg(line.distanceCm).arg(line.flyingSeconds).arg(line.nominated);
    QCOMPARE(ranked, QStringList({"One 1F2E3D4C BE 23-1234568 20102722 14109 2",
                                  "One 0A1B2C3D BE 23-1234567 20102722 14251 1",
                                  "Two 2A4C6E80 BE 23-2345671 18084156 14415 1",
                                  "Two 3B5D7F91 BE 24-2345672 18084156 15242 2",
                                  "Three 4C6E80A2 NL 23-3456781 16149201 81730 1"}));
}

QTEST_GUILESS_MAIN(TestRaceReadoutSim)
#include "tst_racereadout_sim.moc"
