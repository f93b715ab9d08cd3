#include "clocklink/Frames.h"
#include "clocklink/PauseSchedule.h"
#include "clocklink/ui/CancelButton.h"
#include "clocklink/ui/JobProgress.h"
#include "clocklink/ui/WidgetJobHost.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace durvek;

class WidgetJobHostTest : public QObject {
    Q_OBJECT
private slots:
    void cancelWorksDuringPause()
    {
        QWidget window;
        QLabel status(&window);
        QPushButton cancel(&window);
        connectCancelButton(&cancel);
        window.show();
        WidgetJobHost host(&window, &status);
        linkBuffers().CancelRequested = false;

        QTimer::singleShot(50, &cancel, [&] { cancel.click(); });
        QElapsedTimer t;
        t.start();
        host.pause(200);
        QVERIFY(t.elapsed() >= 190);
        QVERIFY(linkBuffers().CancelRequested);

        host.showStatus(QStringLiteral("3 - cannot open COM2"));
        QCOMPARE(status.text(), QStringLiteral("3 - cannot open COM2"));
    }

    // The window shows "n of N" with a filling bar where the job knows N, a
    // busy bar where it does not, and keeps the closing sentence.
    void progressThenSentence()
    {
        QWidget window;
        QLabel status(&window);
        JobProgress progress(&window, [](int n) { return n == 109 ? QStringLiteral("%1 of %2") : QString(); });
        window.show();
        WidgetJobHost host(&window, &status, &progress);
        QVERIFY(progress.isHidden());

        host.progress(0, 0);
        QVERIFY(progress.isVisible());
        QCOMPARE(progress.bar()->maximum(), 0); // busy
        QCOMPARE(progress.elapsedText(), QStringLiteral("0:00"));
        host.progress(120, 260);
        QCOMPARE(progress.countText(), QStringLiteral("120 of 260"));
        QCOMPARE(progress.bar()->value(), 120);
        QCOMPARE(progress.bar()->maximum(), 260);
        host.progress(7, 0);
        QCOMPARE(progress.countText(), QStringLiteral("7"));

        host.finished(QStringLiteral("Clock updated"));
        QVERIFY(progress.isHidden());
        QCOMPARE(status.text(), QStringLiteral("Clock updated"));
    }

    // A timer that wakes late on every pause must not stretch a paced job:
    // the lateness is taken off the next pause, the work between pauses is not,
    // and a stall is never made up by a pause shorter than half its length.
    void latenessOfPausesDoesNotAddUp_data()
    {
        QTest::addColumn<qint64>("timerLateNs");
        QTest::addColumn<qint64>("workNs");
        QTest::addColumn<int>("shortestWaitMs");
        QTest::newRow("timer 1.1 ms late") << qint64(1100000) << qint64(300000) << 8;
        QTest::newRow("stalled 40 ms") << qint64(40000000) << qint64(0) << 5;
    }

    void latenessOfPausesDoesNotAddUp()
    {
        QFETCH(qint64, timerLateNs);
        QFETCH(qint64, workNs);
        QFETCH(int, shortestWaitMs);
        qint64 now = 0;
        PauseSchedule pauses([&] { return now; });
        int shortest = 10;
        constexpr int kPauses = 1000;
        for (int i = 0; i < kPauses; ++i) {
            now += workNs;
            const int waitMs = pauses.begin(10);
            shortest = std::min(shortest, waitMs);
            now += waitMs * qint64(1000000) + (i == 0 ? timerLateNs : 1100000);
            pauses.end();
        }
        QCOMPARE(shortest, shortestWaitMs);
        const qint64 floorNs = kPauses * (10000000 + workNs);
        QVERIFY2(now - floorNs <= timerLateNs + 2000000, qPrintable(QString::number(now - floorNs)));
    }

    void questionDefaultsToNo()
    {
        QWidget window;
        WidgetJobHost host(&window, nullptr);
        QTimer::singleShot(50, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->icon(), QMessageBox::Question);
            QTest::keyClick(box, Qt::Key_Return);
        });
        QVERIFY(!host.ask(QStringLiteral("Delete ?"), QStringLiteral("Read")));

        QTimer::singleShot(50, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->icon(), QMessageBox::Warning);
            QCOMPARE(box->text(), QStringLiteral("refused"));
            box->accept();
        });
        host.warn(QStringLiteral("refused"), QStringLiteral("Clock"));
    }
};

QTEST_MAIN(WidgetJobHostTest)
#include "tst_widgetjobhost.moc"
