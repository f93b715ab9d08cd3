#include "shell/ProcessClock.h"
#include <QFile>
#include <QTest>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

using namespace durvek;

class ProcessClockTest : public QObject {
    Q_OBJECT

private slots:
    void readsTheStartTimeAfterTheCommandName_data()
    {
        QTest::addColumn<QByteArray>("stat");
        QTest::addColumn<QByteArray>("uptime");
        QTest::addColumn<qint64>("expected");

        // Field 22 (start time) is 12345 ticks = 123.45 s after boot.
        const QByteArray tail = " S 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 12345 19 20 21\n";
        QTest::newRow("plain name") << (QByteArray("4242 (durvek-club)") + tail)
                                    << QByteArray("124.00 9999.99\n") << qint64(550);
        // A command name may hold blanks and parentheses of its own.
        QTest::newRow("name with ') S'") << (QByteArray("4242 (a) S 7 (b)") + tail)
                                         << QByteArray("130.45 1.00") << qint64(7000);
        QTest::newRow("started this tick") << (QByteArray("1 (x)") + tail)
                                           << QByteArray("123.45 0") << qint64(0);
    }

    void readsTheStartTimeAfterTheCommandName()
    {
        QFETCH(QByteArray, stat);
        QFETCH(QByteArray, uptime);
        QFETCH(qint64, expected);
        const std::optional<qint64> age = processAgeMs(stat, uptime, 100);
        QVERIFY(age.has_value());
        QCOMPARE(*age, expected);
    }

    void givesNothingForUnreadableFigures_data()
    {
        QTest::addColumn<QByteArray>("stat");
        QTest::addColumn<QByteArray>("uptime");
        QTest::addColumn<int>("ticksPerSecond");
        const QByteArray good = "1 (x) S 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 12345 19\n";
        QTest::newRow("empty stat") << QByteArray() << QByteArray("5.0 1.0") << 100;
        QTest::newRow("no closing parenthesis") << QByteArray("1 (x S 1 2 3") << QByteArray("5.0 1.0") << 100;
        QTest::newRow("too few fields") << QByteArray("1 (x) S 1 2 3 4") << QByteArray("500.0 1.0") << 100;
        QTest::newRow("start time not a number") << QByteArray(good).replace("12345", "12a45")
                                                 << QByteArray("500.0 1.0") << 100;
        QTest::newRow("empty uptime") << good << QByteArray() << 100;
        QTest::newRow("uptime before start") << good << QByteArray("100.0 1.0") << 100;
        QTest::newRow("no clock tick") << good << QByteArray("500.0 1.0") << 0;
    }

    void givesNothingForUnreadableFigures()
    {
        QFETCH(QByteArray, stat);
        QFETCH(QByteArray, uptime);
        QFETCH(int, ticksPerSecond);
        QVERIFY(!processAgeMs(stat, uptime, ticksPerSecond).has_value());
    }

    void findsTheClockTickInTheAuxiliaryVector()
    {
        auto vector = [](std::initializer_list<quintptr> words) {
            QByteArray bytes;
            for (quintptr word : words)
                bytes.append(reinterpret_cast<const char*>(&word), sizeof word);
            return bytes;
        };
        QCOMPARE(clockTicksPerSecond(vector({6, 4096, 17, 100, 0, 0})), std::optional<long>(100));
        QCOMPARE(clockTicksPerSecond(vector({17, 1024, 0, 0})), std::optional<long>(1024));
        // A value equal to the tick type is not mistaken for an entry.
        QCOMPARE(clockTicksPerSecond(vector({6, 17, 0, 0, 17, 100})), std::optional<long>());
        QCOMPARE(clockTicksPerSecond(vector({17, 0, 0, 0})), std::optional<long>());
        QCOMPARE(clockTicksPerSecond(QByteArray("\x11\x00", 2)), std::optional<long>());
        QCOMPARE(clockTicksPerSecond(QByteArray()), std::optional<long>());
#ifdef Q_OS_LINUX
        // This very process's vector gives what the system call would.
        QFile auxv(QStringLiteral("/proc/self/auxv"));
        QVERIFY(auxv.open(QIODevice::ReadOnly));
        QCOMPARE(clockTicksPerSecond(auxv.readAll()), std::optional<long>(sysconf(_SC_CLK_TCK)));
#endif
    }

    void isNeverBehindTheTimerStartedInMain()
    {
        QElapsedTimer timer;
        timer.start();
        QTest::qSleep(30);
        const qint64 before = timer.elapsed();
        const qint64 age = millisecondsSinceProcessStart(timer);
        QVERIFY2(age >= before, qPrintable(QStringLiteral("%1 < %2").arg(age).arg(before)));
        // Not absurdly far ahead either: this test process is young.
        QVERIFY2(age < 600000, qPrintable(QString::number(age)));
    }
};

QTEST_GUILESS_MAIN(ProcessClockTest)
#include "tst_ProcessClock.moc"
