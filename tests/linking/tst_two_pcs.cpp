// Two club PCs on one club database, each with a connection of its own:
// stores for different fanciers both go through; the same fancier stored on
// both gives the second one the message and leaves the first one's list
// whole, also when both store at the same moment. While one PC starts and
// renumbers the pigeons, the other's store neither waits forever nor gives a
// number twice. Two PCs adding a fancier with the same licence make one.
#include "LinkingDatabase.h"
#include "clocklink/ClockJobStore.h"
#include "clocklink/ClockReadFancier.h"
#include "clubdata/ClubFancierStore.h"
#include "clubdata/CombineStore.h"
#include "clubdata/MemberCsv.h"
#include "common/TextCatalogue.h"
#include "database/DatabaseLocation.h"
#include "database/FancierLookup.h"
#include "database/FancierRevision.h"
#include "database/FancierStore.h"
#include "database/LicenceClaim.h"
#include "database/PigeonNumbering.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"
#include "fanciers/FancierRecord.h"
#include "fanciers/LicenceCheck.h"
#include "linking/LinkingStore.h"
#include "results/PigeonFile.h"
#include "results/PigeonImport.h"
#include "results/RaceData.h"
#include "support/DeliveredDatabase.h"
#include "support/OtherPc.h"
#include <QDir>
#include <QTest>
#include <barrier>
#include <functional>
#include <thread>

using namespace durvek;
using namespace durvek::test;
using namespace durvek::testing;

namespace {

constexpr int kChangedElsewhereText = 320;
constexpr int kLicenceTakenElsewhereText = 321;

// What one PC stores for a fancier, from the revision it loaded. mark tells
// the PCs' lists (and names) apart.
using Store = std::function<void(const QSqlDatabase& db, int32_t fancierId, qint64& revision, const QString& mark)>;

QList<StoredPigeon> listOf(const QString& mark, int count)
{
    QList<StoredPigeon> pigeons;
    for (int i = 1; i <= count; ++i)
        pigeons << StoredPigeon{"BE", "24", QStringLiteral("%1%2").arg(mark).arg(i, 10 - mark.size(), 10, QChar(u'0')),
                                "BLAU", " ", QStringLiteral("%1%2").arg(mark).arg(i, 8 - mark.size(), 10, QChar(u'0'))};
    return pigeons;
}

// The linking screen's "Update Database": a list of three pigeons.
void storeFromLinking(const QSqlDatabase& db, int32_t fancierId, qint64& revision, const QString& mark)
{
    storeFancierPigeons(db, fancierId, revision, listOf(mark, 3));
}

// "Read Clock": the clock's list of two pigeons replaces the fancier's.
void storeFromClock(const QSqlDatabase& db, int32_t fancierId, qint64& revision, const QString& mark)
{
    QList<PigeonOfFancier> read;
    for (const StoredPigeon& p : listOf(mark, 2))
        read << PigeonOfFancier{fancierId, ReadPigeon{p.elcode, p.country, p.year, p.band, p.sex, {}, 0, {}, false}};
    FancierRevisions revisions{{fancierId, revision}};
    storeReadPigeons(db, {fancierId}, read, revisions);
    revision = revisions.value(fancierId);
}

// The fancier window's Update: the record with another name.
void storeRecord(const QSqlDatabase& db, int32_t fancierId, qint64& revision, const QString& mark)
{
    FancierRecord record = *readFancier(db, fancierId);
    record.revision = revision;
    record.name = QStringLiteral("Named by ") + mark;
    storeFancier(db, record);
    ++revision;
}

void deleteTheFancier(const QSqlDatabase& db, int32_t fancierId, qint64& revision, const QString&)
{
    deleteFancierAndPigeons(db, fancierId, revision);
}

Store storeOfKind(const QString& kind)
{
    if (kind == QLatin1String("list"))
        return storeFromLinking;
    if (kind == QLatin1String("clock"))
        return storeFromClock;
    if (kind == QLatin1String("record"))
        return storeRecord;
    return deleteTheFancier;
}

// The first letter of each of the fancier's bands, in list order.
QString marksOf(const QSqlDatabase& db, int32_t fancierId)
{
    QString marks;
    for (const QString& band :
         rows(db, QStringLiteral("SELECT band FROM pigeons WHERE Fancier = %1 ORDER BY Nr").arg(fancierId)))
        marks += band.left(1);
    return marks;
}

// Numbers given to more than one pigeon, and "none" for pigeons without one.
QStringList numbersNotGivenOnce(const QSqlDatabase& db)
{
    return rows(db, QStringLiteral("SELECT coalesce(CAST(Nr AS TEXT), 'none') FROM pigeons GROUP BY Nr "
                                   "HAVING count(*) > 1 OR Nr IS NULL"));
}

// How each place that adds a fancier does it on one PC: checked as the
// window (or import preview) checks it, then stored once both PCs have
// checked. The id of the fancier it stored or found; 0 when refused.
using AddFancier = std::function<int32_t(const QSqlDatabase& db, const QString& licence, const QString& name,
                                         std::barrier<>& bothChecked)>;

AddFancier addFancierOfKind(const QString& kind)
{
    if (kind == QLatin1String("fancier window"))
        return [](const QSqlDatabase& db, const QString& licence, const QString& name, std::barrier<>& bothChecked) {
            const bool free = licenceFreeFor(db, licence, 0);
            bothChecked.arrive_and_wait();
            FancierRecord record;
            record.licence = licence;
            record.name = name;
            return free ? storeFancier(db, record) : 0;
        };
    if (kind == QLatin1String("club data window"))
        return [](const QSqlDatabase& db, const QString& licence, const QString& name, std::barrier<>& bothChecked) {
            const bool free = licenceFreeFor(db, licence, 0);
            bothChecked.arrive_and_wait();
            qint64 revision = 0;
            return free ? ClubFancierStore(db).save(ClubFancier{0, name, {}, {}, licence}, revision) : 0;
        };
    if (kind == QLatin1String("member import"))
        return [](const QSqlDatabase& db, const QString& licence, const QString& name, std::barrier<>& bothChecked) {
            const MemberImport import(db, QStringLiteral("Licence,Name\n%1,%2\n").arg(licence, name).toUtf8(),
                                      [](int number) { return GetText(number); });
            bothChecked.arrive_and_wait();
            import.store();
            return FindFancierByLicence(db, licence);
        };
    return [](const QSqlDatabase& db, const QString& licence, const QString& name, std::barrier<>& bothChecked) {
        bothChecked.arrive_and_wait();
        return findOrAddClockFancier(db, FancierBlock{licence, name, {}, {}, {}, {}, {}}, CoordinateFields::Texts);
    };
}

// Two PCs on connections of their own, round after round: each gets ready
// (PC 0 also sets the round up), both act at the same moment, then PC 0
// alone looks at what they left. What each PC's act gave per round, or what
// it threw, getting ready included.
struct RoundsOnTwoPcs {
    std::function<void(const QSqlDatabase& db, int pc, int round)> getReady = [](const QSqlDatabase&, int, int) {};
    std::function<QString(const QSqlDatabase& db, int pc, int round)> act;
    std::function<void(const QSqlDatabase& db, int round)> look = [](const QSqlDatabase&, int) {};
};

QList<std::array<QString, 2>> runOnTwoPcs(const QString& club, int rounds, const RoundsOnTwoPcs& steps)
{
    QList<std::array<QString, 2>> outcome(rounds);
    std::barrier together(2);
    const auto runPc = [&](int pc) {
        const OtherPc connection(club, QStringLiteral("pc-%1").arg(pc));
        const QSqlDatabase db = connection.db();
        for (int round = 0; round < rounds; ++round) {
            QString& result = outcome[round][size_t(pc)];
            bool ready = true;
            try {
                steps.getReady(db, pc, round);
            } catch (const std::exception& error) {
                result = QString::fromUtf8(error.what());
                ready = false;
            }
            together.arrive_and_wait();
            try {
                if (ready)
                    result = steps.act(db, pc, round);
            } catch (const std::exception& error) {
                result = QString::fromUtf8(error.what());
            }
            together.arrive_and_wait();
            if (pc == 0)
                steps.look(db, round);
            together.arrive_and_wait();
        }
    };
    std::thread pcB(runPc, 1);
    runPc(0);
    pcB.join();
    return outcome;
}

} // namespace

class TwoPcsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LinkingDatabase> data;

    QSqlDatabase db() const { return data->db(); }

    int32_t fancierWithList(const QString& licence)
    {
        const int32_t id = data->addFancier(licence, licence);
        data->addPigeon(id, {"NL", "20", "0000000001", " ", "", "0000AAAA", 1});
        data->addPigeon(id, {"NL", "20", "0000000002", " ", "", "0000BBBB", 2});
        return id;
    }

    // The fancier's name, how many pigeons and the first letter of each band.
    QString summaryOf(int32_t id) const
    {
        const QString marks = marksOf(db(), id);
        const QStringList name = rows(db(), QStringLiteral("SELECT Name FROM fanciers WHERE id = %1").arg(id));
        return QStringLiteral("%1, %2 pigeons %3").arg(name.value(0, "gone")).arg(marks.size()).arg(marks);
    }

    // What a store of that kind makes of a fancier made by fancierWithList.
    static QString summaryAfter(const QString& kind, const QString& licence, const QString& mark)
    {
        if (kind == QLatin1String("list"))
            return QStringLiteral("%1, 3 pigeons %2").arg(licence, mark.repeated(3));
        if (kind == QLatin1String("clock"))
            return QStringLiteral("%1, 2 pigeons %2").arg(licence, mark.repeated(2));
        if (kind == QLatin1String("record"))
            return QStringLiteral("Named by %1, 2 pigeons 00").arg(mark);
        return QStringLiteral("gone, 0 pigeons ");
    }

private slots:
    void init() { data = std::make_unique<LinkingDatabase>(); }
    void cleanup() { data.reset(); }

    void theSecondStoreOfOneFancierIsRefused_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("list, then list") << "list" << "list";
        QTest::newRow("clock read, then list") << "clock" << "list";
        QTest::newRow("list, then clock read") << "list" << "clock";
        QTest::newRow("record, then list") << "record" << "list";
        QTest::newRow("list, then record") << "list" << "record";
        QTest::newRow("list, then delete") << "list" << "delete";
        QTest::newRow("delete, then list") << "delete" << "list";
    }
    void theSecondStoreOfOneFancierIsRefused()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        const int32_t x = fancierWithList("11111111");
        const int32_t y = fancierWithList("22222222");
        OtherPc pcB(data->databasePath(), QStringLiteral("pc-b"));

        // Different fanciers, each loaded before the other PC stored.
        qint64 revisionA = fancierRevision(db(), x);
        qint64 revisionB = fancierRevision(pcB.db(), y);
        storeOfKind(first)(db(), x, revisionA, "A");
        storeOfKind(second)(pcB.db(), y, revisionB, "B");
        QCOMPARE(summaryOf(x), summaryAfter(first, "11111111", "A"));
        QCOMPARE(summaryOf(y), summaryAfter(second, "22222222", "B"));

        // The same fancier, loaded on both PCs before either stored.
        const int32_t z = fancierWithList("33333333");
        revisionA = fancierRevision(db(), z);
        revisionB = fancierRevision(pcB.db(), z);
        storeOfKind(first)(db(), z, revisionA, "A");
        const QStringList storedByA = data->pigeonsOf(z);
        const qint64 loadedByB = revisionB;
        try {
            storeOfKind(second)(pcB.db(), z, revisionB, "B");
            QFAIL("the second PC overwrote the first one's store");
        } catch (const FancierChangedElsewhere& error) {
            QCOMPARE(error.sentence(), GetText(kChangedElsewhereText));
        }
        QCOMPARE(revisionB, loadedByB);
        QCOMPARE(summaryOf(z), summaryAfter(first, "33333333", "A"));
        QCOMPARE(data->pigeonsOf(z), storedByA);
        // Opened again, the fancier takes the second PC's change.
        if (first != QLatin1String("delete")) {
            revisionB = fancierRevision(pcB.db(), z);
            storeOfKind(second)(pcB.db(), z, revisionB, "B");
        }
    }

    // Two PCs, each on a thread with its own connection, load the fancier
    // and store their lists at the same moment, round after round.
    void storesAtTheSameMoment_data()
    {
        QTest::addColumn<bool>("sameFancier");
        QTest::addColumn<QString>("kind");
        QTest::newRow("same fancier: one of the two wins") << true << "list";
        QTest::newRow("different fanciers: both win") << false << "list";
        // Clock reads share no backup table that would make them wait on
        // each other: both number their pigeons at the same moment.
        QTest::newRow("different fanciers' clocks read: both win") << false << "clock";
    }
    void storesAtTheSameMoment()
    {
        QFETCH(bool, sameFancier);
        QFETCH(QString, kind);
        const Store store = storeOfKind(kind);
        const int listSize = kind == QLatin1String("list") ? 3 : 2;
        constexpr int kRounds = 50;
        const std::array<int32_t, 2> fancier{fancierWithList("11111111"),
                                             sameFancier ? 0 : fancierWithList("22222222")};
        const auto fancierOf = [&](int pc) { return fancier[size_t(pc)] ? fancier[size_t(pc)] : fancier[0]; };
        const std::array<QString, 2> mark{"A", "B"};
        GetText(kChangedElsewhereText); // the catalogue is read once, here, not on the PCs' threads
        std::array<QStringList, kRounds> listsAfter;          // the bands' first letters per fancier
        std::array<QStringList, kRounds> sharedNumbers;       // numbers given to more than one pigeon
        std::array<qint64, 2> revision{};                     // as each PC loaded its fancier
        RoundsOnTwoPcs steps;
        steps.getReady = [&](const QSqlDatabase& pcDb, int pc, int) {
            revision[size_t(pc)] = fancierRevision(pcDb, fancierOf(pc));
        };
        steps.act = [&](const QSqlDatabase& pcDb, int pc, int) {
            try {
                store(pcDb, fancierOf(pc), revision[size_t(pc)], mark[size_t(pc)]);
                return QStringLiteral("stored");
            } catch (const FancierChangedElsewhere&) {
                return QStringLiteral("refused");
            }
        };
        steps.look = [&](const QSqlDatabase& pcDb, int round) {
            for (int which : {0, 1})
                listsAfter[size_t(round)] << marksOf(pcDb, fancierOf(which));
            sharedNumbers[size_t(round)] = numbersNotGivenOnce(pcDb);
        };
        const QList<std::array<QString, 2>> outcome = runOnTwoPcs(data->databasePath(), kRounds, steps);

        std::array<int, 2> wins{};
        for (int round = 0; round < kRounds; ++round) {
            const auto [a, b] = outcome[round];
            const QString context = QStringLiteral("round %1: %2 / %3").arg(round).arg(a, b);
            QVERIFY2(sharedNumbers[size_t(round)].isEmpty(),
                     qPrintable(context + QStringLiteral(", numbers given twice: ") + sharedNumbers[size_t(round)].join(u' ')));
            QVERIFY2(QStringList({"stored", "refused"}).contains(a) && QStringList({"stored", "refused"}).contains(b),
                     qPrintable(context));
            wins[0] += a == QLatin1String("stored");
            wins[1] += b == QLatin1String("stored");
            if (sameFancier) {
                QVERIFY2((a == QLatin1String("stored")) != (b == QLatin1String("stored")), qPrintable(context));
                const QString winner = a == QLatin1String("stored") ? mark[0] : mark[1];
                QCOMPARE(listsAfter[size_t(round)].value(0), winner.repeated(listSize));
            } else {
                QVERIFY2(a == QLatin1String("stored") && b == QLatin1String("stored"), qPrintable(context));
                QCOMPARE(listsAfter[size_t(round)], QStringList({mark[0].repeated(listSize), mark[1].repeated(listSize)}));
            }
        }
        qInfo("%d rounds: the first PC stored %d times, the second %d times", kRounds, wins[0], wins[1]);
    }

    // Both PCs add a fancier with a licence no fancier has yet, at the same
    // moment, round after round.
    void oneLicenceAddedOnTwoPcsMakesOneFancier_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("bothStore"); // a clock read takes the fancier it finds
        QTest::newRow("fancier window") << "fancier window" << false;
        QTest::newRow("club data window") << "club data window" << false;
        QTest::newRow("member import") << "member import" << false;
        QTest::newRow("clock read") << "clock read" << true;
    }
    void oneLicenceAddedOnTwoPcsMakesOneFancier()
    {
        QFETCH(QString, kind);
        QFETCH(bool, bothStore);
        const AddFancier add = addFancierOfKind(kind);
        constexpr int kRounds = 30;
        GetText(kLicenceTakenElsewhereText); // the catalogue is read once, here, not on the PCs' threads
        std::array<std::array<QString, kRounds>, 2> outcome; // the id stored or found, "refused" or the failure
        std::barrier together(2);
        const auto runPc = [&](int pc) {
            OtherPc connection(data->databasePath(), QStringLiteral("pc-%1").arg(pc));
            for (int round = 0; round < kRounds; ++round) {
                const QString licence = QStringLiteral("7%1").arg(round, 7, 10, QChar(u'0'));
                QString& result = outcome[size_t(pc)][size_t(round)];
                try {
                    const int32_t id = add(connection.db(), licence, QStringLiteral("PC %1").arg(pc), together);
                    result = id ? QString::number(id) : QStringLiteral("refused before");
                } catch (const LicenceTakenElsewhere& refusal) {
                    result = refusal.sentence() == GetText(kLicenceTakenElsewhereText).arg(licence)
                        ? QStringLiteral("refused")
                        : refusal.sentence();
                } catch (const std::exception& error) {
                    result = QString::fromUtf8(error.what());
                }
                together.arrive_and_wait();
            }
        };
        std::thread pcB(runPc, 1);
        runPc(0);
        pcB.join();

        for (int round = 0; round < kRounds; ++round) {
            const QString licence = QStringLiteral("7%1").arg(round, 7, 10, QChar(u'0'));
            const QStringList holders = rows(db(), QStringLiteral("SELECT id FROM fanciers WHERE Licence = '%1'").arg(licence));
            const QString a = outcome[0][size_t(round)];
            const QString b = outcome[1][size_t(round)];
            const QString context = QStringLiteral("round %1: %2 / %3, fanciers %4").arg(round).arg(a, b, holders.join(u' '));
            QVERIFY2(holders.size() == 1, qPrintable(context));
            if (bothStore)
                QVERIFY2(a == holders.first() && b == holders.first(), qPrintable(context));
            else
                QVERIFY2(QStringList({a, b}).contains(holders.first()) && QStringList({a, b}).contains("refused"),
                         qPrintable(context));
        }
    }

    // Two PCs import member lists that change the same members, in opposite
    // orders: one list is stored whole and the other is refused, as the same
    // fancier stored on two PCs is, not undone half-way as a deadlock.
    void memberListsSharingMembersInOppositeOrders()
    {
        constexpr int kMembers = 40;
        constexpr int kRounds = 20;
        QStringList licences;
        for (int i = 0; i < kMembers; ++i)
            licences << QStringLiteral("6%1").arg(i, 7, 10, QChar(u'0'));
        for (const QString& licence : licences)
            data->addFancier(licence, licence);
        GetText(kChangedElsewhereText);
        std::array<std::array<QString, kRounds>, 2> outcome; // "PC n" stored, "refused" or the failure
        std::array<QStringList, kRounds> namesAfter;         // the members' names after the round
        std::barrier together(2);
        const auto runPc = [&](int pc) {
            OtherPc connection(data->databasePath(), QStringLiteral("pc-%1").arg(pc));
            for (int round = 0; round < kRounds; ++round) {
                QByteArray csv = "Licence,Name\n";
                for (int i = 0; i < kMembers; ++i)
                    csv += licences.at(pc == 0 ? i : kMembers - 1 - i).toUtf8() + ",Round " + QByteArray::number(round) +
                        " PC " + QByteArray::number(pc) + '\n';
                QString& result = outcome[size_t(pc)][size_t(round)];
                try {
                    const MemberImport import(connection.db(), csv, [](int number) { return GetText(number); });
                    together.arrive_and_wait();
                    import.store();
                    result = QStringLiteral("PC %1").arg(pc);
                } catch (const FancierChangedElsewhere&) {
                    result = QStringLiteral("refused");
                } catch (const std::exception& error) {
                    result = QString::fromUtf8(error.what());
                }
                together.arrive_and_wait();
                if (pc == 0)
                    namesAfter[size_t(round)] = rows(connection.db(), QStringLiteral("SELECT DISTINCT Name FROM fanciers"));
                together.arrive_and_wait();
            }
        };
        std::thread pcB(runPc, 1);
        runPc(0);
        pcB.join();

        for (int round = 0; round < kRounds; ++round) {
            const QString a = outcome[0][size_t(round)];
            const QString b = outcome[1][size_t(round)];
            const QStringList names = namesAfter[size_t(round)];
            const QString context = QStringLiteral("round %1: %2 / %3, names %4").arg(round).arg(a, b, names.join(u','));
            const QString winner = QString(a).replace("refused", b);
            QVERIFY2(QStringList({a, b}).contains("refused") && names == QStringList{QStringLiteral("Round %1 %2").arg(round).arg(winner)},
                     qPrintable(context));
        }
    }

    // Both PCs add at the same moment what takes the next id or the next free
    // place: a combine each, a member each into one combine, a pigeon file
    // each with one pigeon in common. Each gets an id and a place of its own,
    // and a pigeon both add is there once.
    void addingOnTwoPcsAtOnce_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("new combine") << "combine";
        QTest::newRow("member into one combine") << "member";
        QTest::newRow("pigeon file link") << "pigeon file";
    }
    void addingOnTwoPcsAtOnce()
    {
        QFETCH(QString, kind);
        constexpr int kRounds = 20;
        const std::array<int32_t, 2> members{data->addFancier("11111111", "A"), data->addFancier("22222222", "B")};
        // Pigeon k of a round: its band and chip code; PC 0 links 0 and 1, PC 1 links 1 and 2.
        const auto pigeon = [](int round, int k) {
            const QString elcode = QStringLiteral("%1").arg(round * 3 + k + 1, 8, 16, QChar(u'0')).toUpper();
            const QString band = QStringLiteral("BEL24-%1").arg(round * 3 + k + 1, 7, 10, QChar(u'0'));
            return ResultRecord::fromPigeonText(elcode + band.leftJustified(13, u' ') + QStringLiteral(" NOYO0001        1506241127311"));
        };
        const auto add = [&](const QSqlDatabase& pcDb, int pc, int round, qint64 combine) {
            if (kind == QLatin1String("combine")) {
                CombineStore(pcDb).addCombine(QStringLiteral("PC %1").arg(pc));
            } else if (kind == QLatin1String("member")) {
                if (CombineStore(pcDb).addMember(combine, members[size_t(pc)]) != AddMemberResult::Added)
                    throw std::runtime_error("not added");
            } else {
                const QString file = QDir(data->folder()).filePath(QStringLiteral("pc%1.txt").arg(pc));
                RaceData race;
                if (!SavePigeonFile(file, {pigeon(round, pc), pigeon(round, 1)}))
                    throw std::runtime_error("pigeon file not written");
                const PigeonImportReport report = LinkPigeons(pcDb, file, race, {});
                if (!report.error.isEmpty())
                    throw std::runtime_error(report.error.toStdString());
            }
        };
        // Ids, places, bands or chip codes given twice, or what is missing.
        const auto wrongAfter = [&](const QSqlDatabase& pcDb, qint64 combine) {
            if (kind == QLatin1String("combine"))
                return rows(pcDb, QStringLiteral("SELECT id FROM combine GROUP BY id HAVING count(*) > 1"));
            if (kind == QLatin1String("member")) {
                const Combine both = CombineStore(pcDb).combine(combine).value_or(Combine{});
                if (std::is_permutation(members.begin(), members.end(), both.members.begin()))
                    return QStringList();
                return QStringList{QStringLiteral("members %1 %2").arg(both.members[0]).arg(both.members[1])};
            }
            return rows(pcDb, QStringLiteral("SELECT ringnummer FROM duiven GROUP BY ringnummer HAVING count(*) > 1 "
                                             "UNION ALL SELECT elcode FROM elcodes GROUP BY elcode HAVING count(*) > 1 "
                                             "UNION ALL SELECT CAST(id AS TEXT) FROM duiven GROUP BY id HAVING count(*) > 1 "
                                             "UNION ALL SELECT CAST(id AS TEXT) FROM elcodes GROUP BY id HAVING count(*) > 1"));
        };
        std::array<QStringList, kRounds> wrong;
        qint64 combine = 0;  // the round's combine both PCs add a member to
        RoundsOnTwoPcs steps;
        steps.getReady = [&](const QSqlDatabase& pcDb, int pc, int round) {
            if (pc != 0 || kind != QLatin1String("member"))
                return;
            CombineStore(pcDb).addCombine(QStringLiteral("Round %1").arg(round));
            combine = queryValue(pcDb, QStringLiteral("SELECT max(rowid) FROM combine")).toLongLong();
            // With its third place taken, a place both took would leave one member out.
            runStatement(pcDb, QStringLiteral("UPDATE combine SET L3 = ? WHERE rowid = ?"),
                         {data->addFancier(QStringLiteral("3%1").arg(round, 7, 10, QChar(u'0')), "C"), combine});
        };
        steps.act = [&](const QSqlDatabase& pcDb, int pc, int round) {
            add(pcDb, pc, round, combine);
            return QStringLiteral("added");
        };
        steps.look = [&](const QSqlDatabase& pcDb, int round) { wrong[size_t(round)] = wrongAfter(pcDb, combine); };
        const QList<std::array<QString, 2>> outcome = runOnTwoPcs(data->databasePath(), kRounds, steps);

        for (int round = 0; round < kRounds; ++round) {
            const QString context = QStringLiteral("round %1: %2 / %3, given twice or lost: %4")
                                        .arg(round).arg(outcome[round][0], outcome[round][1], wrong[size_t(round)].join(u' '));
            QVERIFY2(outcome[round] == (std::array<QString, 2>{"added", "added"}) && wrong[size_t(round)].isEmpty(),
                     qPrintable(context));
        }
    }

    // One PC starts the program, which renumbers the pigeons, while the
    // other stores a fancier's list, round after round, on numbers left with
    // gaps, without a number or given twice.
    void startUpRenumberingWhileAnotherPcStores_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("indexed");
        QTest::newRow("list, number index there") << "list" << true;
        QTest::newRow("list, number index not yet made") << "list" << false;
        QTest::newRow("clock read, number index there") << "clock" << true;
        QTest::newRow("clock read, number index not yet made") << "clock" << false;
    }
    void startUpRenumberingWhileAnotherPcStores()
    {
        QFETCH(QString, kind);
        QFETCH(bool, indexed);
        if (engineOf(db()) != SqlEngine::Postgres)
            QSKIP("SQLite lets one writer at a time into the file: the renumbering and the store cannot overlap");
        const Store store = storeOfKind(kind);
        const QString mark = kind == QLatin1String("list") ? "BBB" : "BB";
        constexpr int kRounds = 50;
        const int32_t storing = fancierWithList("11111111");
        // Enough pigeons of another fancier that the renumbering takes a while.
        runStatement(db(), QStringLiteral("INSERT INTO pigeons (Fancier, country, Year, band, elcode, Nr) "
                                          "SELECT ?, 'NL', '21', lpad(CAST(n AS TEXT), 10, '0'), "
                                          "lpad(CAST(n AS TEXT), 8, '0'), n FROM generate_series(1, 300) AS n"),
                     {data->addFancier("22222222", "22222222")});
        std::array<QStringList, kRounds> wrong;    // numbers not given once after the round
        std::array<QString, kRounds> storedList;   // the bands' first letters of the stored list
        qint64 revision = 0;                       // as the storing PC loaded it
        RoundsOnTwoPcs steps;
        steps.getReady = [&](const QSqlDatabase& pcDb, int pc, int) {
            if (pc == 1) {
                revision = fancierRevision(pcDb, storing);
                return;
            }
            // Gaps, pigeons without a number and numbers given twice, the
            // highest below the count: as a club may bring them.
            runStatement(pcDb, QStringLiteral("UPDATE pigeons SET Nr = CASE WHEN rowid % 7 = 0 THEN NULL "
                                              "WHEN rowid % 7 = 1 THEN 4 ELSE (rowid % 90) * 2 END"));
            runStatement(pcDb, QStringLiteral("DROP INDEX IF EXISTS pigeons_nr"));
            if (indexed)
                AddPigeonNumberIndex(pcDb);
        };
        steps.act = [&](const QSqlDatabase& pcDb, int pc, int) {
            if (pc == 0)
                RenumberPigeons(pcDb);
            else
                store(pcDb, storing, revision, "B");
            return QStringLiteral("stored");
        };
        steps.look = [&](const QSqlDatabase& pcDb, int round) {
            wrong[size_t(round)] = numbersNotGivenOnce(pcDb);
            storedList[size_t(round)] = marksOf(pcDb, storing);
        };
        const QList<std::array<QString, 2>> outcome = runOnTwoPcs(data->databasePath(), kRounds, steps);

        for (int round = 0; round < kRounds; ++round) {
            const QString context = QStringLiteral("round %1: %2 / %3").arg(round).arg(outcome[round][0], outcome[round][1]);
            QVERIFY2(outcome[round] == (std::array<QString, 2>{"stored", "stored"}), qPrintable(context));
            QVERIFY2(wrong[size_t(round)].isEmpty(),
                     qPrintable(context + QStringLiteral(", numbers not given once: ") + wrong[size_t(round)].join(u' ')));
            QCOMPARE(storedList[size_t(round)], mark);
        }
    }
};

QTEST_GUILESS_MAIN(TwoPcsTest)
#include "tst_two_pcs.moc"
