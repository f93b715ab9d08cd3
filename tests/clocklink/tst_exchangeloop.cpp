#include "FakeClock.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"
#include "clocklink/JobFrameOrder.h"
#include "support/ScriptedHost.h"
#include <QFileInfo>
#include <QTest>
#include <deque>

using namespace durvek;
using namespace durvek::test;
using namespace durvek::testing;

namespace {

uint8_t command(const SentFrame& f) { return uint8_t(f.frame[2]); }

QList<int> commands(const FakeClockState& state)
{
    QList<int> out;
    for (const SentFrame& f : state.sent)
        out << command(f);
    return out;
}

// A clock that answers every command with the statuses queued for it
// (status 0 once the queue is empty); a queued -1 is a silent try.
struct ScriptedClock {
    std::map<int, std::deque<int>> statuses;
    QByteArray identity = "KORVAT 2.1";

    std::optional<QByteArray> answer(const QByteArray& frame)
    {
        const int cmd = uint8_t(frame[2]);
        int status = 0;
        auto& queue = statuses[cmd];
        if (!queue.empty()) {
            status = queue.front();
            queue.pop_front();
        }
        if (status < 0)
            return std::nullopt;
        return replyFrame(uint8_t(cmd), uint8_t(status), cmd == 0x50 ? identity : QByteArray());
    }
};

} // namespace

class ExchangeLoopTest : public QObject {
    Q_OBJECT

    std::shared_ptr<FakeClockState> state;
    ClockLibrary library;
    ScriptedHost host;
    ScriptedClock clock;

    JobContext job(bool converter)
    {
        LinkParams link;
        link.port = 2;
        link.converter = converter;
        link.lineMode = converter ? 0 : 1;
        return JobContext{host, library, link, [](int n) { return QStringLiteral("T%1").arg(n); }};
    }

    static JobFrameOptions fastOptions()
    {
        JobFrameOptions o;
        o.identifyTimeoutMs = 20;
        o.closing.timeoutMs = 20;
        return o;
    }

    void silentClock()
    {
        state->script = [](const QByteArray&) { return std::nullopt; };
    }

private slots:
    void init()
    {
        state = std::make_shared<FakeClockState>();
        library.setTransportFactory([s = state] { return TransportPtr(new FakeClockTransport(s)); });
        library.setPortResolver([](uint8_t port) { return QStringLiteral("/dev/cradle%1").arg(port); });
        library.setLineLog(nullptr);
        host = ScriptedHost();
        clock = ScriptedClock();
        state->script = [this](const QByteArray& f) { return clock.answer(f); };
        linkBuffers().CancelRequested = false;
    }

    void silentClockUntilCancel_data()
    {
        QTest::addColumn<bool>("converter");
        QTest::newRow("no converter") << false;
        QTest::newRow("converter") << true;
    }
    void silentClockUntilCancel()
    {
        QFETCH(bool, converter);
        silentClock();
        host.cancelAtPump = 3;
        JobContext ctx = job(converter);
        bool bodyRan = false;
        const JobFrameReport report = runJobFrameOrder(ctx, fastOptions(), [&](JobContext&) { bodyRan = true; });

        QVERIFY(!report.identified);
        QVERIFY(!bodyRan);
        QVERIFY(!report.closed);
        QList<int> expected{0x50, 0x50, 0x50, 0x56};
        if (converter)
            expected = QList<int>{0xCA} + expected + QList<int>{0xCB};
        QCOMPARE(commands(*state), expected);
        for (const SentFrame& f : state->sent) {
            // converter frames carry 00 in byte 1 and go out in line mode 0
            const bool toConverter = command(f) == 0xCA || command(f) == 0xCB;
            QCOMPARE(uint8_t(f.frame[1]), toConverter ? uint8_t(0x00) : uint8_t(0x82));
            QCOMPARE(f.rts, !converter);
        }
        // the failed tries showed the library's result in words
        QVERIFY(host.statuses.contains(QStringLiteral("1 - T102")));
        QCOMPARE(host.pauses, QList<int>({80, 80, 80}));
    }

    void refusalEndsJobWithItsTexts_data()
    {
        QTest::addColumn<int>("request");
        QTest::addColumn<int>("refusedStatus");
        QTest::addColumn<QString>("warning");
        QTest::newRow("fancier block write, 4") << 0 << 4 << QStringLiteral("T48|T55");
        QTest::newRow("setup 1, 5") << 1 << 5 << QStringLiteral("T48|T55");
        QTest::newRow("block read, 1") << 2 << 1 << QStringLiteral("T49|T70");
        QTest::newRow("setup 10, 1") << 3 << 1 << QStringLiteral("T49|T70");
    }
    void refusalEndsJobWithItsTexts()
    {
        QFETCH(int, request);
        QFETCH(int, refusedStatus);
        QFETCH(QString, warning);
        RequestPlan plan;
        plan.timeoutMs = 20;
        uint8_t cmd = 0;
        switch (request) {
        case 0: plan.build = FrameWriteFancierBlock; plan.rule = refusingRule(4, 55, 48); cmd = 0x51; break;
        case 1: plan.build = [] { return FrameSetup(1); }; plan.rule = refusingRule(5, 55, 48); cmd = 0xFA; break;
        case 2: plan.build = FrameReadFancierBlock; plan.rule = refusingRule(1, 70, 49); cmd = 0x51; break;
        case 3: plan.build = [] { return FrameSetup(10); }; plan.rule = refusingRule(1, 70, 49); cmd = 0xFA; break;
        }
        // one silent try and one "busy" status first: those are retried
        clock.statuses[cmd] = {-1, 2, refusedStatus};
        JobContext ctx = job(false);
        RequestEnd end;
        const JobFrameReport report = runJobFrameOrder(ctx, fastOptions(), [&](JobContext& j) {
            end = runRequest(j, plan);
        });
        QCOMPARE(end.kind, RequestEnd::Refused);
        QCOMPARE(end.tries, 3);
        QCOMPARE(host.warnings, QStringList{warning});
        QVERIFY(report.closed);
        QCOMPARE(commands(*state), QList<int>({0x50, cmd, cmd, cmd, 0x56}));
    }

    void otherStatusesRetryUntilDone()
    {
        clock.statuses[0x52] = {2, 3, 4, 5, 1, -1, 0};
        RequestPlan plan;
        plan.build = [] { return FrameWriteRecord(0, 1, 24); };
        plan.timeoutMs = 20;
        plan.pauseMs = 100;
        // the write refuses nothing: every non-zero status is a "not yet"
        JobContext ctx = job(false);
        const RequestEnd end = runRequest(ctx, plan);
        QCOMPARE(end.kind, RequestEnd::Done);
        QCOMPARE(end.tries, 7);
        QVERIFY(host.warnings.isEmpty());
        QCOMPARE(host.pauses.size(), 7);
    }

    void listEndsOnStatusOneOrFive()
    {
        RequestPlan plan;
        plan.build = [] { return FramePigeonQuery(0, 0, QStringLiteral("0000"), QStringLiteral("0000")); };
        plan.timeoutMs = 20;
        plan.rule = listRule;
        JobContext ctx = job(false);

        clock.statuses[0x58] = {3, -1, 5};
        RequestEnd end = runRequest(ctx, plan);
        QCOMPARE(end.kind, RequestEnd::EndOfList);
        QCOMPARE(end.tries, 3);

        clock.statuses[0x58] = {1};
        QCOMPARE(runRequest(ctx, plan).kind, RequestEnd::EndOfList);
        clock.statuses[0x58] = {};
        QCOMPARE(runRequest(ctx, plan).kind, RequestEnd::Done);
    }

    void closingWithTryLimit()
    {
        silentClock();
        linkBuffers().CancelRequested = true; // cancelled before the job got going
        JobFrameOptions options = fastOptions();
        options.closing = ClosingPolicy{20, 50, 6, true};
        JobContext ctx = job(false);
        const JobFrameReport report = runJobFrameOrder(ctx, options, {});
        QVERIFY(!report.closed);
        QCOMPARE(commands(*state), QList<int>({0x50, 0x56, 0x56, 0x56, 0x56, 0x56, 0x56}));

        // a second cancel during the closing stops it at once
        state->sent.clear();
        host = ScriptedHost();
        host.cancelAtPump = 3; // identify's pump, the job's pump, then the first end-of-job try
        linkBuffers().CancelRequested = false;
        clock.statuses[0x56] = {-1, -1, -1};
        state->script = [this](const QByteArray& f) { return clock.answer(f); };
        const JobFrameReport second = runJobFrameOrder(ctx, options, {});
        QVERIFY(second.identified);
        QVERIFY(!second.closed);
        QCOMPARE(commands(*state), QList<int>({0x50, 0x56}));
    }

    void endJobAfterCancelInBodyIsTriedOnce()
    {
        clock.statuses[0x56] = {-1, -1};
        JobContext ctx = job(true);
        const JobFrameReport report = runJobFrameOrder(ctx, fastOptions(), [](JobContext&) {
            linkBuffers().CancelRequested = true;
        });
        QVERIFY(report.bodyRan);
        QCOMPARE(commands(*state), QList<int>({0xCA, 0x50, 0x56, 0xCB}));
    }

    void identityTextIsShown()
    {
        clock.identity = "SPD ZEFIRA";
        JobContext ctx = job(false);
        const JobFrameReport report = runJobFrameOrder(ctx, fastOptions(), {});
        QCOMPARE(report.identity, QStringLiteral("SPD ZEFIRA"));
        QCOMPARE(host.statuses.last(), QStringLiteral("SPD ZEFIRA"));
    }

    // Every failed try shows its line result with the words that say what to
    // do; a port fault names the device and tells why it will not open.
    void lineResultsInPlainWords_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("status");
        const QString file = QCoreApplication::applicationFilePath();
        QTest::newRow("1 silent") << 1 << "/dev/cradle2" << "1 - T102";
        QTest::newRow("2 garbled") << 2 << "/dev/cradle2" << "2 - T103";
        QTest::newRow("3 missing") << 3 << "/dev/cradle2" << "3 - T104 /dev/cradle2";
        QTest::newRow("3 in use") << 3 << file << "3 - T105 " + file;
        QTest::newRow("3 no permission") << 3 << "/etc/shadow" << "3 - T106 /etc/shadow";
        QTest::newRow("4 too long") << 4 << "/dev/cradle2" << "4 - T107";
        QTest::newRow("5 unknown request") << 5 << "/dev/cradle2" << "5 - T108";
    }

    void lineResultsInPlainWords()
    {
        QFETCH(int, fault);
        QFETCH(QString, device);
        QFETCH(QString, status);
        if (device == QStringLiteral("/etc/shadow") && QFileInfo(device).isReadable())
            QSKIP("this user may read every device");
        library.setPortResolver([device](uint8_t) { return device; });
        state->openFails = fault == 3;
        state->garbleReplies = fault == 2;
        state->script = [fault](const QByteArray& f) -> std::optional<QByteArray> {
            if (fault == 1)
                return std::nullopt;
            return replyFrame(uint8_t(f[2]), fault == 5 ? 0x7F : 0, QByteArray(fault == 4 ? 200 : 0, 'x'));
        };
        host.cancelAtPump = 2;
        JobContext ctx{host, library, LinkParams(), [](int n) {
                           return QStringLiteral("T%1").arg(n) + (n >= 104 && n <= 106 ? QStringLiteral(" %1") : QString());
                       }};
        QVERIFY(!WaitForClock(ctx));
        QCOMPARE(host.statuses.value(0), status);
        QCOMPARE(int(ctx.lineResult), fault);
    }

    void waitForClockRetriesWithoutPause()
    {
        clock.statuses[0x50] = {-1, 7, 0};
        JobContext ctx = job(false);
        QVERIFY(WaitForClock(ctx));
        QCOMPARE(commands(*state), QList<int>({0x50, 0x50, 0x50}));
        QVERIFY(host.pauses.isEmpty());
    }

    void pauseOnlyBeforeRetry()
    {
        clock.statuses[0xFA] = {2, 0};
        RequestPlan plan;
        plan.build = [] {
            const uint16_t n = FrameRaceBlock();
            placeRaceBytes(QByteArray(100, 'A'));
            return n;
        };
        plan.timeoutMs = 20;
        plan.pauseMs = 80;
        plan.pauseOnlyBeforeRetry = true;
        JobContext ctx = job(false);
        QCOMPARE(runRequest(ctx, plan).kind, RequestEnd::Done);
        QCOMPARE(host.pauses, QList<int>{80});
        QCOMPARE(state->sent.first().frame.size(), 105);
    }
};

QTEST_GUILESS_MAIN(ExchangeLoopTest)
#include "tst_exchangeloop.moc"
