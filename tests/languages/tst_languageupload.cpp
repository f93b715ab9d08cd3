// "Update Zefira" against the simulated clock on a pseudo-terminal: the wait
// for the clock on the framed link, then the texts on the direct line.
#include "LanguageDatabase.h"
#include "RecordingTransport.h"
#include "Simulator.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"
#include "languages/LanguageUpload.h"
#include "support/ScriptedHost.h"
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace durvek;
using namespace durvek::test;
using namespace durvek::testing;
namespace sim = durvek::clocksim;

namespace {

const char kEsc = 0x1B;

QString catalogue(int number)
{
    switch (number) {
    case 28: return QStringLiteral("Update Zefira");
    case 29: return QStringLiteral("Sending text");
    case 104: case 105: case 106: return QStringLiteral("text %1 for %2").arg(number);
    default: return QStringLiteral("text %1").arg(number);
    }
}

// The scripted host, with something to do at a chosen event pump (the
// window's Exit, a second click) and, where a test needs the clock's sense
// of time, pauses that really pass.
class UploadHost : public ScriptedHost {
public:
    std::function<void(int pump)> onPump;
    bool realPauses = false;

    void pumpEvents() override
    {
        ScriptedHost::pumpEvents();
        if (onPump)
            onPump(pumps);
    }
    void pause(int milliseconds) override
    {
        ScriptedHost::pause(milliseconds);
        if (realPauses)
            QTest::qWait(milliseconds);
    }
};

QList<ClockText> texts(const QStringList& list)
{
    QList<ClockText> out;
    for (int i = 0; i < list.size(); ++i)
        out.append({i + 1, list.at(i)});
    return out;
}

QByteArray upload(const QList<QByteArray>& texts)
{
    QByteArray bytes(1, kEsc);
    for (const QByteArray& t : texts)
        bytes += t + '\0';
    return bytes + kEsc;
}

} // namespace

class LanguageUploadTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<sim::Simulator> clock;
    std::unique_ptr<ClockLibrary> library;
    std::shared_ptr<TransportRecord> line;
    UploadHost host;
    ClubSettings settings;

    QString simLog() const { return dir.filePath(QStringLiteral("clock.log")); }

    void startClock(sim::SimState state = sim::SimState())
    {
        state.model = sim::ClockModel::Zefira;
        sim::SimulatorOptions options;
        options.lineDelay = false;
        options.logPath = simLog();
        clock = std::make_unique<sim::Simulator>(state, options);
        QVERIFY(clock->start());
        const QString device = clock->devicePath();
        library = std::make_unique<ClockLibrary>();
        library->setLineLog(nullptr);
        // Only the configured port (COM3) leads to the clock.
        library->setPortResolver([device](uint8_t port) {
            return port == 3 ? device : QStringLiteral("/nonexistent/com%1").arg(port);
        });
        settings = ClubSettings();
        settings.com = 2;
        settings.portDevices = {QStringLiteral("/nonexistent/com1"), QString(), device, QString()};
    }

    std::unique_ptr<LanguageUpload> makeUpload()
    {
        auto job = std::make_unique<LanguageUpload>(host, *library, catalogue);
        job->line().setLineLog(nullptr);
        auto record = line;
        job->line().setTransportFactory([record] { return TransportPtr(new RecordingTransport(record)); });
        return job;
    }

    // The texts the clock saw, in its log ("RX-TEXT 48 61"), and whether an upload was closed.
    QStringList clockLogTexts() const
    {
        QFile f(simLog());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList out;
        for (const QByteArray& l : f.readAll().split('\n')) {
            if (l.startsWith("RX-TEXT-END"))
                out << QStringLiteral("END");
            else if (l.startsWith("RX-TEXT"))
                out << QString::fromLatin1(QByteArray::fromHex(l.mid(7).replace(' ', "")));
        }
        return out;
    }

private slots:
    void init()
    {
        host = UploadHost();
        line = std::make_shared<TransportRecord>();
        linkBuffers().CancelRequested = false;
        QFile::remove(simLog());
        startClock();
    }
    void cleanup()
    {
        clock.reset();
        library.reset();
    }

    void hallo_and_an_empty_text()
    {
        LanguageDatabase data({{1, "Hallo", "Hola"}, {2, QVariant(), "x"}});
        QVERIFY(data.isValid());
        auto job = makeUpload();
        QCOMPARE(job->run(data.db(), settings), LanguageUpload::Outcome::Sent);

        const QByteArray expected = QByteArray(1, kEsc) + "Hallo" + '\0' + '\0' + kEsc;
        QCOMPARE(line->written, expected);
        QTRY_COMPARE(clock->state().languageUploads, 1);
        QCOMPARE(clock->state().languageTexts, QList<QByteArray>({"Hallo", ""}));
        QCOMPARE(clockLogTexts(), QStringList({"Hallo", "", "END"}));

        // the progress line per text, cleared at the end
        QVERIFY(host.statuses.contains(QStringLiteral("Sending text : 1 / 2  Hallo")));
        QVERIFY(host.statuses.contains(QStringLiteral("Sending text : 2 / 2  ")));
        QCOMPARE(host.statuses.last(), QString());
        // 10 ms after each character, 100 ms after each text, 10 ms after the closing ESC
        QCOMPARE(host.pauses, QList<int>({10, 10, 10, 10, 10, 100, 100, 10}));
        // without converter RTS is off for the texts and on again afterwards
        QCOMPARE(line->rts, QList<bool>({false, true}));
        QVERIFY(host.warnings.isEmpty());
    }

    void blanks_around_a_text_are_not_sent()
    {
        LanguageDatabase data({{4, "  Vlucht  ", ""}, {9, "   ", ""}, {11, " Caf\u00E9 ", ""}});
        auto job = makeUpload();
        QCOMPARE(job->run(data.db(), settings), LanguageUpload::Outcome::Sent);
        QCOMPARE(line->written, upload({"Vlucht", "", "Caf\xE9"}));
        QTRY_COMPARE(clock->state().languageTexts, QList<QByteArray>({"Vlucht", "", "Caf\xE9"}));
        // the row's own number, not its place
        QVERIFY(host.statuses.contains(QStringLiteral("Sending text : 11 / 3  Caf\u00E9")));
    }

    void glyph_codes_go_out_and_only_nul_and_esc_are_left_out()
    {
        // Codes 1-31 may be glyphs of the clock's display. An ESC inside a
        // text would end the upload and a NUL would shift every later text;
        // a stage code right after the opening ESC would open a transfer
        // stage instead of the upload.
        auto job = makeUpload();
        const auto outcome = job->run(texts({QStringLiteral("\x05\x01RACE\x05"), QStringLiteral("A\x1B" "B"),
                                             QString::fromUtf16(u"C\u0000D", 3), QStringLiteral("\x01\x1A\x1C\x1F\x7F"),
                                             QStringLiteral("\x05\tEND\x0A")}),
                                      settings);
        QCOMPARE(outcome, LanguageUpload::Outcome::Sent);
        QTRY_COMPARE(clock->state().languageUploads, 1);
        QCOMPARE(clock->state().languageTexts,
                 QList<QByteArray>({"RACE\x05", "AB", "CD", "\x01\x1A\x1C\x1F\x7F", "\x05\tEND\x0A"}));
        QVERIFY(clock->state().incoming.stages.isEmpty());
    }

    void converter_keeps_rts_on()
    {
        settings.converter = true;
        clock->setConverter(true);
        auto job = makeUpload();
        QCOMPARE(job->run(texts({QStringLiteral("OK")}), settings), LanguageUpload::Outcome::Sent);
        QCOMPARE(line->rts, QList<bool>({true}));
        QTRY_COMPARE(clock->state().languageTexts, QList<QByteArray>({"OK"}));
    }

    void cancel_while_waiting_leaves_the_line_untouched()
    {
        clock->changeFaults([](sim::Faults& f) { f.silent = true; });
        host.cancelAtPump = 3;
        auto job = makeUpload();
        QCOMPARE(job->run(texts({QStringLiteral("Hallo")}), settings), LanguageUpload::Outcome::Cancelled);
        QCOMPARE(host.pumps, 3);
        QCOMPARE(line->opens, 0);
        QVERIFY(line->written.isEmpty());
        QTest::qWait(100);
        QVERIFY(clockLogTexts().isEmpty());
        QVERIFY(clock->framesReceived() >= 3);  // the identify requests did go out
        QCOMPARE(host.statuses.last(), QString());
    }

    void an_old_cancel_does_not_end_the_next_wait()
    {
        linkBuffers().CancelRequested = true;  // left by an earlier Cancel
        auto job = makeUpload();
        QCOMPARE(job->run(texts({QStringLiteral("Hallo")}), settings), LanguageUpload::Outcome::Sent);
        QTRY_COMPARE(clock->state().languageUploads, 1);
    }

    void cancel_while_sending_is_not_looked_at()
    {
        host.cancelAtPump = 3;  // pump 1 is the wait, 2 the first text, 3 its first character
        auto job = makeUpload();
        QCOMPARE(job->run(texts({QStringLiteral("AB"), QStringLiteral("CD")}), settings),
                 LanguageUpload::Outcome::Sent);
        QVERIFY(linkBuffers().CancelRequested);
        QCOMPARE(line->written, upload({"AB", "CD"}));
        QTRY_COMPARE(clock->state().languageTexts, QList<QByteArray>({"AB", "CD"}));
    }

    void closing_stops_after_the_current_text_and_the_clock_keeps_its_texts()
    {
        sim::SimState state;
        state.languageTexts = {"OLD1", "OLD2", "OLD3"};
        startClock(state);
        auto job = makeUpload();
        host.onPump = [&](int pump) {
            if (pump == 3)  // during the first text's characters
                job->stop();
        };
        QCOMPARE(job->run(texts({QStringLiteral("AB"), QStringLiteral("CD"), QStringLiteral("EF")}), settings),
                 LanguageUpload::Outcome::Stopped);
        QCOMPARE(line->written, QByteArray(1, kEsc) + "AB" + '\0');
        QTRY_COMPARE(clockLogTexts(), QStringList({"AB"}));
        QCOMPARE(clock->state().languageUploads, 0);
        QCOMPARE(clock->state().languageTexts, QList<QByteArray>({"OLD1", "OLD2", "OLD3"}));

        // The window closes; another one uploads at once. It waits until
        // the clock has dropped the half upload, then gets through.
        job.reset();
        host = UploadHost();
        host.realPauses = true;
        host.cancelAtPump = 200;  // a deaf clock fails the test instead of hanging it
        line->written.clear();
        auto next = makeUpload();
        next->setPacing({1, 1, 1});
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(next->run(texts({QStringLiteral("NEW")}), settings), LanguageUpload::Outcome::Sent);
        QVERIFY(timer.elapsed() >= 2000);
        QTRY_COMPARE(clock->state().languageUploads, 1);
        QCOMPARE(clock->state().languageTexts, QList<QByteArray>({"NEW"}));
    }

    void closing_while_waiting_ends_the_wait()
    {
        clock->changeFaults([](sim::Faults& f) { f.silent = true; });
        auto job = makeUpload();
        host.onPump = [&](int pump) {
            if (pump == 2)
                job->stop();
        };
        QCOMPARE(job->run(texts({QStringLiteral("Hallo")}), settings), LanguageUpload::Outcome::Cancelled);
        QCOMPARE(host.pumps, 2);
        QCOMPARE(line->opens, 0);
    }

    void a_second_click_during_the_upload_does_nothing()
    {
        auto job = makeUpload();
        std::optional<LanguageUpload::Outcome> nested;
        host.onPump = [&](int pump) {
            if (pump == 3)
                nested = job->run(texts({QStringLiteral("ZZ")}), settings);
        };
        QCOMPARE(job->run(texts({QStringLiteral("AB")}), settings), LanguageUpload::Outcome::Sent);
        QCOMPARE(nested, std::optional(LanguageUpload::Outcome::Busy));
        QCOMPARE(line->written, upload({"AB"}));
    }

    void the_window_can_upload_again_while_its_line_is_open()
    {
        auto job = makeUpload();
        QCOMPARE(job->run(texts({QStringLiteral("ONE")}), settings), LanguageUpload::Outcome::Sent);
        QVERIFY(job->line().isOpen());
        QCOMPARE(job->run(texts({QStringLiteral("TWO")}), settings), LanguageUpload::Outcome::Sent);
        QTRY_COMPARE(clock->state().languageUploads, 2);
        QCOMPARE(clock->state().languageTexts, QList<QByteArray>({"TWO"}));
    }

    void empty_table_is_reported_and_the_clock_not_asked()
    {
        LanguageDatabase data;
        QVERIFY(data.isValid());
        auto job = makeUpload();
        QCOMPARE(job->run(data.db(), settings), LanguageUpload::Outcome::NothingToSend);
        QCOMPARE(host.warnings.size(), 1);
        QVERIFY(host.warnings.first().startsWith(QStringLiteral("Update Zefira|")));
        QCOMPARE(clock->framesReceived(), 0);
        QCOMPARE(line->opens, 0);
    }

    void line_that_cannot_be_opened_is_reported()
    {
        line->refuseOpen = true;
        auto job = makeUpload();
        QCOMPARE(job->run(texts({QStringLiteral("Hallo")}), settings), LanguageUpload::Outcome::LineFailed);
        QCOMPARE(host.warnings.size(), 1);
        QVERIFY(host.warnings.first().contains(clock->devicePath()));
        QVERIFY(line->written.isEmpty());
    }

    void line_that_breaks_off_is_reported_not_sent()
    {
        line->breakAfterBytes = 3;
        auto job = makeUpload();
        QCOMPARE(job->run(texts({QStringLiteral("Hallo")}), settings), LanguageUpload::Outcome::LineFailed);
        QCOMPARE(line->written, QByteArray(1, kEsc) + "Ha");
        QCOMPARE(host.warnings.size(), 1);
        QCOMPARE(clock->state().languageUploads, 0);
    }
};

QTEST_GUILESS_MAIN(LanguageUploadTest)
#include "tst_languageupload.moc"
