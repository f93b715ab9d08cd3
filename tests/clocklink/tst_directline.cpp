#include "PtyPeer.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/DirectLine.h"
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <thread>
#include <cstring>

using namespace durvek;
using namespace durvek::test;

class DirectLineTest : public QObject {
    Q_OBJECT

    std::unique_ptr<PtyPeer> peer;
    std::unique_ptr<ClockLibrary> library;

    // One identify through the clock library, answered by the peer.
    int identifyThroughLibrary()
    {
        peer->start(PtyPeer::envelopes([](const QByteArray&) { return PtyPeer::Action{clockReply(0x50, 0)}; }));
        uint8_t send[257] = {0x6C, 0x82, 0x50, 0x01, 0x00};
        uint8_t reply[257] = {};
        return library->WinOmnexa(1, 1, 500, send, reply);
    }

private slots:
    void init()
    {
        peer = std::make_unique<PtyPeer>();
        QVERIFY(peer->isOpen());
        library = std::make_unique<ClockLibrary>();
        const QString path = peer->devicePath();
        library->setPortResolver([path](uint8_t) { return path; });
        library->setLineLog(nullptr);
    }
    void cleanup()
    {
        library.reset();
        peer.reset();
    }

    void opensTheConfiguredPortNotTheFirst()
    {
        ClubSettings settings;
        settings.com = 2;
        settings.portDevices[2] = peer->devicePath();
        DirectLine line(*library);
        line.setLineLog(nullptr);
        QVERIFY(line.open(settings));
        QCOMPARE(line.device(), peer->devicePath());
    }

    void sendAndWaitForAnswer()
    {
        peer->start([](QByteArray& inbox) {
            PtyPeer::Action a;
            if (inbox.endsWith('\r')) {
                a.reply = "J";
                a.delayMs = 30;
                inbox.clear();
            }
            return a;
        });
        DirectLine line(*library);
        line.setLineLog(nullptr);
        QVERIFY(line.open(peer->devicePath()));
        QVERIFY(line.send(QString::fromUtf8("caf\xC3\xA9\r")));
        QTRY_COMPARE(peer->received(), QByteArray("caf\xE9\r"));

        // one byte is not yet an answer: the wait goes on until more than the
        // threshold has come, then takes everything there is
        int pumps = 0;
        QByteArray answer = "prefix:";
        std::thread more([&] {
            QThread::msleep(150);
            peer->write("K12");
        });
        QVERIFY(line.waitForAnswer(answer, [&] { ++pumps; }, [] { return false; }, 1));
        more.join();
        QVERIFY(answer.startsWith("prefix:J"));
        QVERIFY(answer.size() >= int(strlen("prefix:J") + 1));
        QVERIFY(pumps > 0);
        QTest::qWait(30);
        answer += line.readAvailable();
        QCOMPARE(answer, QByteArray("prefix:JK12"));
    }

    void abortEndsTheWait()
    {
        DirectLine line(*library);
        line.setLineLog(nullptr);
        QVERIFY(line.open(peer->devicePath()));
        int polls = 0;
        QByteArray answer;
        QElapsedTimer t;
        t.start();
        QVERIFY(!line.waitForAnswer(answer, {}, [&] { return ++polls > 5; }));
        QVERIFY(answer.isEmpty());
        QVERIFY(t.elapsed() < 1000);
    }

    void takesTheDeviceFromTheClockLibrary()
    {
        QCOMPARE(identifyThroughLibrary(), 0);
        peer->stop();

        // the library keeps its port open between calls; the direct line must
        // still get the device
        DirectLine line(*library);
        line.setLineLog(nullptr);
        QVERIFY(line.open(peer->devicePath()));
        // and discards what was waiting on it
        peer->write("stale");
        QTest::qWait(30);
        QVERIFY(line.open(peer->devicePath()));
        QTest::qWait(30);
        QVERIFY(line.readAvailable().isEmpty());
        line.close();
        QVERIFY(!line.isOpen());
    }

    void clockLibraryTakesTheDeviceBack()
    {
        // A language upload leaves its direct line open; the next upload
        // first waits for the clock on the framed link, on the same device.
        DirectLine line(*library);
        line.setLineLog(nullptr);
        QVERIFY(line.open(peer->devicePath()));
        QCOMPARE(identifyThroughLibrary(), 0);
        QVERIFY(!line.isOpen());

        // and the direct line gets it again after that
        QVERIFY(line.open(peer->devicePath()));
        QVERIFY(line.isOpen());
    }

    void directLineGoneLeavesTheLibraryAlone()
    {
        {
            DirectLine line(*library);
            line.setLineLog(nullptr);
            QVERIFY(line.open(peer->devicePath()));
        }
        QCOMPARE(identifyThroughLibrary(), 0);
    }

    void peerGoneEndsTheWait()
    {
        DirectLine line(*library);
        line.setLineLog(nullptr);
        QVERIFY(line.open(peer->devicePath()));
        peer->hangUp();
        QByteArray answer;
        QElapsedTimer t;
        t.start();
        QVERIFY(!line.waitForAnswer(answer, [] { QCoreApplication::processEvents(); }, [] { return false; }));
        QVERIFY(t.elapsed() < 1000);
    }
};

QTEST_MAIN(DirectLineTest)
#include "tst_directline.moc"
