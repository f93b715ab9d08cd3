#include "PtyPeer.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Exchange.h"
#include "clocklink/LineLog.h"
#include "clocklink/SerialTransport.h"
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <mutex>
#include <thread>
#include <cstring>
#include <memory>

using namespace durvek;
using namespace durvek::test;

namespace {

const QByteArray kIdentify = QByteArray::fromHex("6C82500100");

QByteArray reply(const uint8_t* buffer, int size) { return QByteArray(reinterpret_cast<const char*>(buffer), size); }

QByteArray telegram(const char digits[8])
{
    QByteArray t;
    t.append(char(0x02));
    uint8_t check = 0;
    for (int i = 0; i < 8; ++i) {
        const int value = QByteArray(1, digits[i]).toInt(nullptr, 16);
        const uint8_t b = uint8_t(0x40 + 2 * value);
        t.append(char(b));
        check ^= b;
    }
    t.append(char(check));
    t.append(char(0x0D));
    t.append(char(0x03));
    return t;
}

} // namespace

class ClockLibraryTest : public QObject {
    Q_OBJECT

    std::unique_ptr<PtyPeer> peer;
    std::unique_ptr<ClockLibrary> library;
    uint8_t send[257] = {};
    uint8_t answer[257] = {};
    int pumps = 0;

    uint16_t call(const QByteArray& frame, int timeoutMs, int replySize = 129, uint8_t lineMode = 1)
    {
        std::memset(send, 0, sizeof send);
        std::memset(answer, 0, sizeof answer);
        std::memcpy(send, frame.constData(), size_t(frame.size()));
        return library->WinOmnexa(1, lineMode, timeoutMs, send, answer, replySize);
    }

    void answerWith(std::function<PtyPeer::Action(const QByteArray&)> f)
    {
        peer->start(PtyPeer::envelopes(std::move(f)));
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
        pumps = 0;
        library->setEventPump([this] { ++pumps; });
    }
    void cleanup()
    {
        library.reset();
        peer.reset();
    }

    void replyIsCopiedFromByteZero()
    {
        answerWith([](const QByteArray& frame) {
            PtyPeer::Action a;
            if (frame == kIdentify)
                a.reply = clockReply(0x50, 0, "OMNEXA 3");
            return a;
        });
        QCOMPARE(int(call(kIdentify, 1000)), 0);
        QCOMPARE(reply(answer, 14), QByteArray::fromHex("6C825008 00") + "OMNEXA 3" + QByteArray(1, 0));
        // the request went out in its envelope, and only once
        QTRY_COMPARE(peer->received(), wrap(kIdentify));
        // the port stays open for the next call
        QCOMPARE(int(call(kIdentify, 1000)), 0);
    }

    void silenceTimesOut()
    {
        answerWith([](const QByteArray&) { return PtyPeer::Action{}; });
        QElapsedTimer t;
        t.start();
        QCOMPARE(int(call(kIdentify, 300)), 1);
        QVERIFY(t.elapsed() >= 290);
        QVERIFY(t.elapsed() < 1000);
        // the window was given events to run while the call waited
        QVERIFY(pumps >= 5);
    }

    void lateReplyStillCounts()
    {
        answerWith([](const QByteArray&) { return PtyPeer::Action{clockReply(0x50, 0), 150}; });
        QCOMPARE(int(call(kIdentify, 500)), 0);
    }

    void badChecksum()
    {
        answerWith([](const QByteArray&) {
            QByteArray r = clockReply(0x50, 0, "X");
            r[r.size() - 1] = char(r.back() ^ 0x5A);
            return PtyPeer::Action{r};
        });
        QCOMPARE(int(call(kIdentify, 500)), 2);
    }

    void oversizedReplyIsCut()
    {
        const QByteArray data(200, 'D');
        answerWith([data](const QByteArray&) { return PtyPeer::Action{clockReply(0x52, 0, data)}; });
        QCOMPARE(int(call(kIdentify, 500)), 4);
        QCOMPARE(reply(answer, 129), (QByteArray::fromHex("6C8252C8 00") + data).left(129));
        QCOMPARE(int(answer[129]), 0); // nothing past the buffer the caller named

        // the same reply fits the antenna-sized buffer
        QCOMPARE(int(call(kIdentify, 500, 257)), 0);
    }

    void noiseBeforeStartIsSkipped()
    {
        answerWith([](const QByteArray&) {
            return PtyPeer::Action{QByteArray::fromHex("FF0D0A0000") + clockReply(0x50, 0, "OK")};
        });
        QCOMPARE(int(call(kIdentify, 500)), 0);
        QCOMPARE(reply(answer, 7), QByteArray::fromHex("6C825002 00") + "OK");
    }

    void pendingInputIsDiscardedBeforeSending()
    {
        answerWith([](const QByteArray&) { return PtyPeer::Action{clockReply(0x50, 0, "NEW")}; });
        QCOMPARE(int(call(kIdentify, 500)), 0);
        // a stale answer left on the line must not pass for the next one
        peer->write(clockReply(0x50, 0, "OLD"));
        QTest::qWait(50);
        QCOMPARE(int(call(kIdentify, 500)), 0);
        QCOMPARE(reply(answer + 5, 3), QByteArray("NEW"));
    }

    void unopenableDeviceGivesThreeWithHint()
    {
        library->setPortResolver([](uint8_t) { return QStringLiteral("/dev/no-such-cradle"); });
        QElapsedTimer t;
        t.start();
        QCOMPARE(int(call(kIdentify, 2000)), 3);
        QVERIFY(t.elapsed() < 1000);
        const QString status = resultStatusText(3, library->lastDevice(), [](int n) { return QString::number(n) + " %1"; });
        QCOMPARE(status, QStringLiteral("3 - 104 /dev/no-such-cradle"));
    }

    void peerGoneMidCallIsAFaultNotASpin()
    {
        answerWith([](const QByteArray&) {
            PtyPeer::Action a;
            a.delayMs = 50;
            a.hangUp = true;
            return a;
        });
        QElapsedTimer t;
        t.start();
        QCOMPARE(int(call(kIdentify, 3000)), 3);
        QVERIFY2(t.elapsed() < 1500, qPrintable(QString::number(t.elapsed())));
        QVERIFY(pumps < 100);
        // the event loop may still hold the port's error reports: they must not hurt
        QTest::qWait(50);
        t.restart();
        QCOMPARE(int(call(kIdentify, 3000)), 3); // the device is gone
        QVERIFY(t.elapsed() < 1500);
    }

    void peerGoneBetweenCallsWhileEventsRun()
    {
        answerWith([](const QByteArray&) { return PtyPeer::Action{clockReply(0x50, 0)}; });
        QCOMPARE(int(call(kIdentify, 500)), 0);
        peer->stop();
        peer->hangUp();
        // the idle open port sees the hang-up through the event loop
        QElapsedTimer t;
        t.start();
        QTest::qWait(100);
        QCOMPARE(int(call(kIdentify, 3000)), 3);
        QVERIFY(t.elapsed() < 1500);
    }

    void deviceIsLockedUntilReleased()
    {
        answerWith([](const QByteArray&) { return PtyPeer::Action{clockReply(0x50, 0)}; });
        QCOMPARE(int(call(kIdentify, 500)), 0);
        SerialTransport other;
        QVERIFY(!other.open(peer->devicePath()));
        library->release();
        QVERIFY(other.open(peer->devicePath()));
        other.close();
        QCOMPARE(int(call(kIdentify, 500)), 0); // reopened on demand
    }

    void lineLogTracesTheExchange()
    {
        QTemporaryDir dir;
        LineLog log;
        QVERIFY(log.open(dir.filePath(QStringLiteral("line.log"))));
        library->setLineLog(&log);
        answerWith([](const QByteArray&) { return PtyPeer::Action{clockReply(0x50, 0)}; });
        QCOMPARE(int(call(kIdentify, 500)), 0);
        QFile file(dir.filePath(QStringLiteral("line.log")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].endsWith(peer->devicePath() + QStringLiteral(" > 02 05 6C 82 50 01 00 44")));
        QVERIFY(lines[1].contains(QStringLiteral(" < 02 05 6C 82 50 00 00 43")));
        QVERIFY(lines[2].endsWith(QStringLiteral(" = 0")));
    }

    void workedExampleUpdateFrames()
    {
        // identify, fancier block, record 0, record 1, end of job of a
        // one-pigeon update reach the device byte for byte
        QList<QByteArray> frames;
        QByteArray block("12345678");
        block = block.leftJustified(100, ' ');
        frames << kIdentify << QByteArray::fromHex("6C825164") + block
               << QByteArray::fromHex("6C 82 52 08 00 00 39 39 39 39 39 39")
               << QByteArray::fromHex("6C 82 52 18 00 01 30 41 31 42 32 43 33 44 42 45 20 30 37 2D 20 20 31 32 33 34 35 46")
               << QByteArray::fromHex("6C82560100");
        QList<QByteArray> seen;
        std::mutex m;
        answerWith([&](const QByteArray& frame) {
            std::lock_guard<std::mutex> lock(m);
            seen << frame;
            return PtyPeer::Action{clockReply(uint8_t(frame[2]), 0)};
        });
        for (const QByteArray& f : frames)
            QCOMPARE(int(call(f, 1000)), 0);
        std::lock_guard<std::mutex> lock(m);
        QCOMPARE(seen, frames);
    }

    void antennaTelegram()
    {
        const QByteArray t = telegram("0A1B2C3D");
        peer->startRepeating(t, 250);
        int16_t length = 0;
        uint8_t buffer[21];
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(int(library->ReadAnt(1, -1, length, buffer)), 0);
        QCOMPARE(int(length), 12);
        QCOMPARE(reply(buffer, 12), t);
        QVERIFY(timer.elapsed() < 1000);
    }

    void antennaTornTelegramIsNotTaken()
    {
        // Its check byte is 02, the start byte: the tail of a torn telegram
        // then looks like a start.
        const QByteArray t = telegram("FFFF0001");
        QCOMPARE(int(t[9]), 0x02);
        peer->startRepeating(t.mid(6) + t, 100);
        int16_t length = 0;
        uint8_t buffer[21];
        QCOMPARE(int(library->ReadAnt(1, -1, length, buffer)), 0);
        QCOMPARE(int(length), 12);
        QCOMPARE(reply(buffer, 12), t);
    }

    void antennaBadCheckByte()
    {
        QByteArray t = telegram("12345678");
        t[9] = char(t[9] ^ 0x02);
        peer->startRepeating(t, 100);
        int16_t length = 0;
        uint8_t buffer[21];
        QVERIFY(library->ReadAnt(1, -1, length, buffer) != 0);
        QCOMPARE(int(length), 12);
    }

    void antennaWithoutChip()
    {
        int16_t length = 5;
        uint8_t buffer[21];
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(int(library->ReadAnt(1, -1, length, buffer)), 1);
        QCOMPARE(int(length), 0);
        QVERIFY(timer.elapsed() >= 290 && timer.elapsed() < 800);
    }

    void antennaNoiseOfTelegramLengthIsNoCode()
    {
        // twelve bytes without a start byte: handed over, but never with result 0
        const QByteArray noise = QByteArray::fromHex("41424344454647484950510D");
        std::thread late([&] {
            QThread::msleep(50);
            peer->write(noise);
        });
        int16_t length = 0;
        uint8_t buffer[21];
        const uint16_t result = library->ReadAnt(1, -1, length, buffer);
        late.join();
        QCOMPARE(int(length), 12);
        QVERIFY(result != 0);
        QCOMPARE(reply(buffer, 12), noise);
    }

    void antennaHalfTelegramOnly()
    {
        const QByteArray t = telegram("00000000");
        std::thread late([&] {
            QThread::msleep(100);
            peer->write(t.left(5));
        });
        int16_t length = 0;
        uint8_t buffer[21];
        const uint16_t result = library->ReadAnt(1, -1, length, buffer);
        late.join();
        // what arrived is handed over, but it is no chip code
        QCOMPARE(int(result), 0);
        QCOMPARE(int(length), 5);
        QCOMPARE(reply(buffer, 5), t.left(5));
    }
};

QTEST_MAIN(ClockLibraryTest)
#include "tst_clocklibrary.moc"
