#include "clocklink/Frames.h"
#include "clocklink/ui/CancelButton.h"
#include "clocklink/ui/WidgetJobHost.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
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
