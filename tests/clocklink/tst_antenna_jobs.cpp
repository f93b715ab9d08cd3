// The "Single-band" and "Multiple-bands" jobs over a grid, with the readings
// given by a script: which rows are read, what is stored, what is said.
#include "tst_antenna_fixtures.h"
#include "clocklink/BandReadingJobs.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"
#include "common/AppState.h"
#include "linking/ChipCodeInUse.h"
#include "linking/ChipCodeOfAnotherFancier.h"
#include "support/DeliveredClub.h"
#include <QSqlQuery>
#include <QTest>

using namespace durvek;
using namespace durvek::test;

namespace {

// Readings in the order the script gives them; the run is cancelled once
// they run out. A reading can also bring the Cancel click along with it.
class QueuedReading : public AntennaReading {
public:
    struct Step {
        ChipRead read;
        bool cancelWithIt = false;
    };
    QList<Step> steps;
    QList<int> rowsRead;
    QList<ReadingFor> purposes;
    PigeonGridAccess* grid = nullptr;

    void code(const QString& c, bool cancelWithIt = false) { steps << Step{ChipRead{ChipRead::Code, c}, cancelWithIt}; }
    void end(ChipRead::End e) { steps << Step{ChipRead{e, QString()}, false}; }

    ChipRead readCode(ReadingFor purpose) override
    {
        rowsRead << grid->currentRow();
        purposes << purpose;
        if (steps.isEmpty())
            return ChipRead{ChipRead::Cancelled, QString()};
        const Step step = steps.takeFirst();
        if (step.cancelWithIt)
            linkBuffers().CancelRequested = true;
        return step.read;
    }
};

// Lets the test keep the reading after the job that owned it has gone.
class ForwardingReading : public AntennaReading {
public:
    explicit ForwardingReading(AntennaReading& target) : m_target(target) {}
    ChipRead readCode(ReadingFor purpose) override { return m_target.readCode(purpose); }

private:
    AntennaReading& m_target;
};

} // namespace

class BandReadingJobsTest : public QObject {
    Q_OBJECT

    ClockLibrary library;
    AntennaHost host;
    FakePigeonGrid grid;
    int buttonRestores = 0;
    ChipCodeCheck ownerCheck;

    BandReadingResult single()
    {
        JobContext job{host, library, antennaLink(false), antennaTexts};
        BandReadingJobs jobs(job, grid, [this] { ++buttonRestores; });
        jobs.setReading(takeReading());
        jobs.setOwnerCheck(ownerCheck);
        return jobs.ReadSingleBand();
    }

    BandReadingResult multiple(const QString& chipLeftOnAntenna = QString())
    {
        JobContext job{host, library, antennaLink(false), antennaTexts};
        BandReadingJobs jobs(job, grid, [this] { ++buttonRestores; });
        jobs.setReading(takeReading());
        jobs.setOwnerCheck(ownerCheck);
        return jobs.ReadMultipleBands(
            [&job, this](const QString& code, const QString& stopNote) {
                return ChipCodeInUse(code, grid, job.host, job.text, stopNote);
            },
            chipLeftOnAntenna);
    }

    // The job runs with the script written so far; a new script starts empty.
    std::unique_ptr<AntennaReading> takeReading()
    {
        ran = std::move(script);
        script = QueuedReading();
        ran.grid = &grid;
        return std::make_unique<ForwardingReading>(ran);
    }

    QueuedReading script;
    QueuedReading ran; // the reading of the last job
    QueuedReading* queued = &ran;

private slots:
    void init()
    {
        host = AntennaHost();
        script = QueuedReading();
        buttonRestores = 0;
        ownerCheck = nullptr;
        linkBuffers().CancelRequested = true; // a job starts afresh whatever was left
    }

    void singleBandStoresEightDigits()
    {
        grid = FakePigeonGrid::withRows({"0000000101", "0000000102"});
        grid.current = 2;
        script.code("0A1B2C3D4E");
        const BandReadingResult r = single();
        QCOMPARE(r.end, BandReadingEnd::Stored);
        QCOMPARE(grid.chipCodes(), QStringList({"", "0A1B2C3D", ""}));
        QCOMPARE(queued->rowsRead, QList<int>({2}));
        QCOMPARE(queued->purposes, QList<ReadingFor>({ReadingFor::SingleBand}));
        QCOMPARE(host.beeps, 2);
        QCOMPARE(buttonRestores, 1);
        QCOMPARE(grid.refreshes, 1);
        QVERIFY(host.warnings.isEmpty());
    }

    void singleBandNeedsAFederationBand()
    {
        grid = FakePigeonGrid::withRows({"0000000101"});
        grid.current = 2; // the empty last row
        script.code("0A1B2C3D");
        QCOMPARE(single().end, BandReadingEnd::NoRow);
        QCOMPARE(host.warnings, QStringList({"Reading El. band # 2|Band first"}));
        QVERIFY(queued->rowsRead.isEmpty());
        QCOMPARE(buttonRestores, 1);

        // The header row has a band column caption but is no pigeon.
        host.warnings.clear();
        grid.current = 0;
        QCOMPARE(single().end, BandReadingEnd::NoRow);
        QVERIFY(queued->rowsRead.isEmpty());
        QCOMPARE(grid.cells[0][PigeonGridAccess::kChipCodeColumn], QStringLiteral("El. band"));
    }

    void singleBandRefusesACodeInUse()
    {
        grid = FakePigeonGrid::withRows({"0000000101", "0000000102", "0000000103"}, {"", "", "0A1B2C3D"});
        grid.current = 1;
        script.code("0A1B2C3D");
        QCOMPARE(single().end, BandReadingEnd::CodeInUse);
        QCOMPARE(host.warnings, QStringList({"Row #3|El. band 0A1B2C3D: in use ", "Row #1|El. band : in use"}));
        QCOMPARE(grid.chipCodes(), QStringList({"", "", "0A1B2C3D", ""}));
        QCOMPARE(host.beeps, 0);

        // The row's own code counts as well: the chip is already linked.
        host.warnings.clear();
        grid.current = 3;
        script.code("0A1B2C3D");
        QCOMPARE(single().end, BandReadingEnd::CodeInUse);
        QCOMPARE(host.warnings.size(), 2);
    }

    // A chip code belongs to one pigeon: one that a pigeon of another fancier
    // has in the club database is not stored, and the job stops at the row
    // with a warning that names that fancier. The fancier's own codes pass.
    void codeOfAnotherFanciersPigeonStopsTheJob_data()
    {
        QTest::addColumn<bool>("multipleBands");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("warning");
        QTest::newRow("Single-band") << false << QStringList({"", "", ""})
                                     << "Row #1|0A1B2C3D is on a pigeon of 44444444 Other Member";
        QTest::newRow("Multiple-bands") << true << QStringList({"EEEEEEEE", "", ""})
                                        << "Row #2|0A1B2C3D is on a pigeon of 44444444 Other Member\n\nStopped at 2";
    }

    void codeOfAnotherFanciersPigeonStopsTheJob()
    {
        QFETCH(bool, multipleBands);
        QFETCH(QStringList, codes);
        QFETCH(QString, warning);
        testing::DeliveredClub club;
        QSqlQuery sql(club.db());
        QVERIFY(sql.exec("INSERT INTO fanciers (Licence, Name) VALUES ('44444444', 'Other Member')"));
        const int32_t other = sql.lastInsertId().toInt();
        QVERIFY(sql.exec("INSERT INTO fanciers (Licence, Name) VALUES ('55555555', 'This Member')"));
        const int32_t own = sql.lastInsertId().toInt();
        QVERIFY(sql.prepare("INSERT INTO pigeons (Fancier, elcode) VALUES (?, '0A1B2C3D'), (?, 'EEEEEEEE')"));
        sql.addBindValue(other);
        sql.addBindValue(own);
        QVERIFY(sql.exec());
        ownerCheck = [&](const QString& code, const QString& stopNote) {
            return ChipCodeOfAnotherFancier(code, club.db(), own, grid.current, host, antennaTexts, stopNote);
        };
        grid = FakePigeonGrid::withRows({"0000000101", "0000000102"});
        if (multipleBands)
            script.code("EEEEEEEE");
        script.code("0A1B2C3D4E");

        const BandReadingResult r = multipleBands ? multiple() : single();
        QCOMPARE(r.end, BandReadingEnd::CodeInUse);
        QCOMPARE(grid.chipCodes(), codes);
        QCOMPARE(host.warnings, QStringList{warning});
    }

    void singleBandWithoutCodeChangesNothing_data()
    {
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("expected");
        QTest::newRow("cancelled") << int(ChipRead::Cancelled) << int(BandReadingEnd::Cancelled);
        QTest::newRow("converter missing") << int(ChipRead::AntennaMissing) << int(BandReadingEnd::AntennaMissing);
        QTest::newRow("declined") << int(ChipRead::Declined) << int(BandReadingEnd::Declined);
    }
    void singleBandWithoutCodeChangesNothing()
    {
        QFETCH(int, end);
        QFETCH(int, expected);
        grid = FakePigeonGrid::withRows({"0000000101"}, {"11111111"});
        script.end(ChipRead::End(end));
        QCOMPARE(int(single().end), expected);
        QCOMPARE(grid.chipCodes(), QStringList({"11111111", ""}));
        QCOMPARE(host.beeps, 0);
        QCOMPARE(buttonRestores, 1);
    }

    void multipleBandsFillRowsUpToTheFirstWithoutBand()
    {
        // Row 2 has a code, row 3 a damaged one of 7 characters, row 5 has no
        // band: rows 1, 3 and 4 are read, row 6 is never reached.
        grid = FakePigeonGrid::withRows({"0000000101", "0000000102", "0000000103", "0000000104", "", "0000000106"},
                                        {"", "22222222", "3333333", "", "", ""});
        grid.current = 4;
        script.code("AAAAAAAA");
        script.code("BBBBBBBB");
        script.code("CCCCCCCCCC");
        const BandReadingResult r = multiple();
        QCOMPARE(r.end, BandReadingEnd::Finished);
        QCOMPARE(r.stored, 3);
        QCOMPARE(queued->rowsRead, QList<int>({1, 3, 4}));
        QCOMPARE(queued->purposes.last(), ReadingFor::MultipleBands);
        QCOMPARE(grid.chipCodes(), QStringList({"AAAAAAAA", "22222222", "BBBBBBBB", "CCCCCCCC", "", "", ""}));
        QCOMPARE(host.beeps, 6);
        QCOMPARE(buttonRestores, 1);
        QCOMPARE(appState().lastCode, QStringLiteral("CCCCCCCCCC"));
        QVERIFY(grid.yellowRows().isEmpty());
        QCOMPARE(host.progressSteps, QStringList({"0/0", "0/3", "1/3", "2/3", "3/3"}));
        QCOMPARE(host.sentences, QStringList{"Read 3 in 0 s"});
    }

    void multipleBandsOverAFullGridReadNothing()
    {
        grid = FakePigeonGrid::withRows({"0000000101", "0000000102"}, {"11111111", "22222222"});
        appState().lastCode = QStringLiteral("99999999");
        const BandReadingResult r = multiple();
        QCOMPARE(r.end, BandReadingEnd::Finished);
        QCOMPARE(r.stored, 0);
        QVERIFY(queued->rowsRead.isEmpty());
        QCOMPARE(appState().lastCode, QStringLiteral("00000000"));
        QCOMPARE(appState().currentCode, QStringLiteral("00000000"));
        QCOMPARE(buttonRestores, 1);
    }

    void multipleBandsIgnoreTheSameChipHeldAgain()
    {
        grid = FakePigeonGrid::withRows({"0000000101", "0000000102"});
        // A code equal to what the last run left behind is new to this run.
        appState().lastCode = QStringLiteral("AAAAAAAA");
        script.code("AAAAAAAA");
        script.code("AAAAAAAA");
        script.code("AAAAAAAA");
        script.code("BBBBBBBB");
        const BandReadingResult r = multiple();
        QCOMPARE(r.end, BandReadingEnd::Finished);
        QCOMPARE(queued->rowsRead, QList<int>({1, 2, 2, 2}));
        QCOMPARE(grid.chipCodes(), QStringList({"AAAAAAAA", "BBBBBBBB", ""}));
        QCOMPARE(host.beeps, 4);
        QVERIFY(host.warnings.isEmpty());
        QCOMPARE(appState().currentCode, QStringLiteral("BBBBBBBB"));
    }

    void multipleBandsStopAtACodeInUseAndGoOnFromThatRow()
    {
        grid = FakePigeonGrid::withRows({"0000000101", "0000000102", "0000000103"}, {"0A1B2C3D", "", ""});
        script.code("0A1B2C3D4E");
        script.code("EEEEEEEE");
        BandReadingResult r = multiple();
        QCOMPARE(r.end, BandReadingEnd::CodeInUse);
        QCOMPARE(r.stored, 0);
        // The warning and the status line say where the run stopped and how it goes on.
        QCOMPARE(host.warnings, QStringList({"Row #1|El. band 0A1B2C3D: in use \n\nStopped at 2"}));
        QCOMPARE(host.sentences, QStringList{"Stopped at 2"});
        QCOMPARE(grid.chipCodes(), QStringList({"0A1B2C3D", "", "", ""}));
        QCOMPARE(queued->rowsRead, QList<int>({2}));
        QCOMPARE(buttonRestores, 1);
        QVERIFY(grid.yellowRows().isEmpty());

        QCOMPARE(r.codeInUse, QStringLiteral("0A1B2C3D4E"));

        // Pressed again with that chip still lying on the antenna, Multiple-bands
        // passes it over and goes on from the row it stopped at.
        script.code("0A1B2C3D4E");
        script.code("0A1B2C3D4E");
        script.code("EEEEEEEE");
        script.code("FFFFFFFF");
        r = multiple(r.codeInUse);
        QCOMPARE(r.end, BandReadingEnd::Finished);
        QCOMPARE(r.stored, 2);
        QCOMPARE(queued->rowsRead, QList<int>({2, 2, 2, 3}));
        QCOMPARE(grid.chipCodes(), QStringList({"0A1B2C3D", "EEEEEEEE", "FFFFFFFF", ""}));
        QCOMPARE(host.warnings.size(), 1);

        // Passed over only while it lies there: held again later, it stops the run.
        grid = FakePigeonGrid::withRows({"0000000101", "0000000102", "0000000103"}, {"0A1B2C3D", "", ""});
        script.code("EEEEEEEE");
        script.code("0A1B2C3D4E");
        r = multiple(QStringLiteral("0A1B2C3D4E"));
        QCOMPARE(r.end, BandReadingEnd::CodeInUse);
        QCOMPARE(grid.chipCodes(), QStringList({"0A1B2C3D", "EEEEEEEE", "", ""}));
    }

    void multipleBandsStopWhenTheReadingStops()
    {
        grid = FakePigeonGrid::withRows({"0000000101", "0000000102", "0000000103"});
        script.code("AAAAAAAA");
        script.end(ChipRead::AntennaMissing);
        const BandReadingResult r = multiple();
        QCOMPARE(r.end, BandReadingEnd::AntennaMissing);
        QCOMPARE(r.stored, 1);
        QCOMPARE(queued->rowsRead, QList<int>({1, 2}));
        QCOMPARE(buttonRestores, 1);
        QCOMPARE(host.sentences, QStringList{"Multiple-bands stopped: No converter"});
    }

    void multipleBandsKeepTheCodeReadWithTheCancel()
    {
        // The Cancel click arrives together with a chip (and with a chip
        // still held): the code in hand is stored, no further reading starts.
        grid = FakePigeonGrid::withRows({"0000000101", "0000000102", "0000000103"});
        script.code("AAAAAAAA", true);
        script.code("BBBBBBBB");
        BandReadingResult r = multiple();
        QCOMPARE(r.end, BandReadingEnd::Cancelled);
        QCOMPARE(r.stored, 1);
        QCOMPARE(queued->rowsRead, QList<int>({1}));

        grid = FakePigeonGrid::withRows({"0000000101", "0000000102"});
        script.code("AAAAAAAA");
        script.code("AAAAAAAA", true);
        script.code("AAAAAAAA");
        r = multiple();
        QCOMPARE(r.end, BandReadingEnd::Cancelled);
        QCOMPARE(queued->rowsRead, QList<int>({1, 2}));
        QCOMPARE(grid.chipCodes(), QStringList({"AAAAAAAA", "", ""}));
    }

    void multipleBandsNeedACurrentRow()
    {
        grid = FakePigeonGrid::withRows({"0000000101"});
        grid.current = 0;
        script.code("AAAAAAAA");
        QCOMPARE(multiple().end, BandReadingEnd::NoRow);
        QCOMPARE(host.warnings, QStringList({"Row #|Band first"}));
        QVERIFY(queued->rowsRead.isEmpty());
        QCOMPARE(buttonRestores, 1);
    }
};

QTEST_GUILESS_MAIN(BandReadingJobsTest)
#include "tst_antenna_jobs.moc"
