// The clock language window driven as a user would: the table it shows, and
// "Update Zefira", Cancel and Exit against the simulated clock.
#include "RecordingTransport.h"
#include "support/ShownCaption.h"
#include "Simulator.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"
#include "common/AppState.h"
#include "database/ClubDatabase.h"
#include "database/SqlUtil.h"
#include "languages/ui/ClockLanguageWindow.h"
#include "support/DeliveredClub.h"
#include "support/DeliveredDatabase.h"
#include "support/ModalAnswers.h"
#include <QAbstractItemModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <functional>

using namespace durvek;
using namespace durvek::test;
using namespace durvek::testing;
namespace sim = durvek::clocksim;

namespace {

const char kEsc = 0x1B;

QByteArray upload(const QList<QByteArray>& texts)
{
    QByteArray bytes(1, kEsc);
    for (const QByteArray& t : texts)
        bytes += t + '\0';
    return bytes + kEsc;
}

// Runs action once, the first time condition holds, while the window's job
// lets events through.
class OnceWhen : public QObject {
public:
    OnceWhen(std::function<bool()> condition, std::function<void()> action)
        : m_condition(std::move(condition))
        , m_action(std::move(action))
    {
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            if (!m_condition())
                return;
            m_timer.stop();
            fired = true;
            m_action();
        });
        m_timer.start();
    }
    bool fired = false;

private:
    std::function<bool()> m_condition;
    std::function<void()> m_action;
    QTimer m_timer;
};

// Every text the progress line showed, in order, without repeats.
class ProgressRecorder : public QObject {
public:
    explicit ProgressRecorder(QLabel* line)
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this, line] {
            if (texts.isEmpty() || texts.last() != line->text())
                texts.append(line->text());
        });
        m_timer.start();
    }
    QStringList texts;

private:
    QTimer m_timer;
};

} // namespace

class ClockLanguageWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DeliveredClub> club;
    std::unique_ptr<sim::Simulator> clock;
    std::shared_ptr<TransportRecord> line;

    QSqlDatabase db() const { return ClubDatabase::get(); }

    void startClock(sim::SimState state = sim::SimState())
    {
        clock.reset();
        state.model = sim::ClockModel::Zefira;
        sim::SimulatorOptions options;
        options.lineDelay = false;
        clock = std::make_unique<sim::Simulator>(state, options);
        QVERIFY(clock->start());
        ClubSettings& settings = appState().activeSettings;
        settings = ClubSettings();
        settings.com = 2;
        settings.protocol = int(ClockModelIndex::Zefira);
        settings.portDevices = {QStringLiteral("/nonexistent/com1"), QString(), clock->devicePath(), QString()};
    }

    void setTexts(const QList<std::pair<int, QVariant>>& rows)
    {
        runStatement(db(), QStringLiteral("DELETE FROM language"));
        for (const auto& [id, other] : rows)
            runStatement(db(), QStringLiteral("INSERT INTO language (id, \"default\", other, spaans) VALUES (?, ?, ?, ?)"),
                         {id, QStringLiteral("BASE %1").arg(id), other, QString()});
    }

    // The window, its line recorded and its pauses cut short.
    std::unique_ptr<ClockLanguageWindow> openWindow()
    {
        auto window = std::make_unique<ClockLanguageWindow>();
        auto record = line;
        window->upload().line().setTransportFactory([record] { return TransportPtr(new RecordingTransport(record)); });
        window->upload().setPacing({1, 1, 1});
        window->show();
        return window;
    }

    static void click(ClockLanguageWindow& window, int button)
    {
        QTest::mouseClick(window.button(button), Qt::LeftButton);
    }

private slots:
    void init()
    {
        club = std::make_unique<DeliveredClub>(DeliveredClub::AsDelivered);
        line = std::make_shared<TransportRecord>();
        linkBuffers().CancelRequested = false;
        startClock();
    }

    void cleanup()
    {
        clockLibrary().release();
        clock.reset();
        club.reset();
    }

    void shows_the_table_and_the_clubs_captions()
    {
        runStatement(db(), QStringLiteral("UPDATE PcLanguage SET other = 'Klok laden' WHERE id = 28"));
        auto window = openWindow();
        QCOMPARE(window->windowTitle(), QStringLiteral("Language Module Zefira"));
        QCOMPARE(durvek::testing::shownCaption(window->button(ClockLanguageWindow::Exit)), QStringLiteral("Exit"));
        QCOMPARE(durvek::testing::shownCaption(window->button(ClockLanguageWindow::UpdateZefira)), QStringLiteral("Klok laden"));
        QCOMPARE(durvek::testing::shownCaption(window->button(ClockLanguageWindow::Cancel)), QStringLiteral("Cancel"));
        QCOMPARE(window->progressLine()->text(), QString());

        const QAbstractItemModel* model = window->grid()->model();
        QVERIFY(model);
        QCOMPARE(model->columnCount(), 3);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("id"));
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Default"));
        QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Other"));
        QCOMPARE(model->rowCount(), 44);
        QCOMPARE(model->index(0, 0).data().toInt(), 1);
        QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("RACE"));
        QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("WEDVLUCHT"));
        QCOMPARE(model->index(43, 2).data().toString(), QStringLiteral("GOEDE VLUCHT"));

        // Only shown here: typing into a cell changes nothing.
        window->grid()->setCurrentIndex(model->index(0, 2));
        QTest::keyClicks(window->grid(), QStringLiteral("XYZ"));
        QTest::keyClick(window->grid(), Qt::Key_Return);
        QCOMPARE(testing::rows(db(), QStringLiteral("SELECT other FROM language WHERE id = 1")),
                 QStringList({QStringLiteral("WEDVLUCHT")}));
        QVERIFY(!(model->flags(model->index(0, 2)) & Qt::ItemIsEditable));
    }

    void update_zefira_loads_every_text_into_the_clock()
    {
        auto window = openWindow();
        ProgressRecorder progress(window->progressLine());
        click(*window, ClockLanguageWindow::UpdateZefira);

        const QStringList others = testing::rows(db(), QStringLiteral("SELECT other FROM language ORDER BY id"));
        QList<QByteArray> expected;
        for (const QString& text : others)
            expected.append(text.trimmed().toLatin1());
        QCOMPARE(line->written, upload(expected));
        QTRY_COMPARE(clock->state().languageUploads, 1);
        QCOMPARE(clock->state().languageTexts, expected);

        QVERIFY(progress.texts.contains(QStringLiteral("Sending text : 1 / 44  WEDVLUCHT")));
        QVERIFY(progress.texts.contains(QStringLiteral("Sending text : 44 / 44  GOEDE VLUCHT")));
        QVERIFY(window->progressLine()->text().startsWith(QStringLiteral("Texts loaded into the clock: 44 texts, ")));
        // The window stays for another run.
        QVERIFY(window->isVisible());
        setTexts({{1, QStringLiteral("TWEEDE")}});
        click(*window, ClockLanguageWindow::UpdateZefira);
        QTRY_COMPARE(clock->state().languageUploads, 2);
        QCOMPARE(clock->state().languageTexts, QList<QByteArray>({"TWEEDE"}));
    }

    void blanks_are_trimmed_and_an_empty_text_sends_its_terminator_only()
    {
        setTexts({{1, QStringLiteral("  Hallo ")}, {2, QVariant()}, {3, QStringLiteral("   ")},
                  {4, QStringLiteral("Caf\u00E9")}});
        auto window = openWindow();
        click(*window, ClockLanguageWindow::UpdateZefira);
        QCOMPARE(line->written, upload({"Hallo", "", "", "Caf\xE9"}));
        QTRY_COMPARE(clock->state().languageTexts, QList<QByteArray>({"Hallo", "", "", "Caf\xE9"}));
    }

    void cancel_while_waiting_leaves_the_line_untouched()
    {
        clock->changeFaults([](sim::Faults& f) { f.silent = true; });
        auto window = openWindow();
        OnceWhen cancel([&] { return clock->framesReceived() >= 2; },
                        [&] { click(*window, ClockLanguageWindow::Cancel); });
        click(*window, ClockLanguageWindow::UpdateZefira);
        QVERIFY(cancel.fired);
        QCOMPARE(line->opens, 0);
        QVERIFY(line->written.isEmpty());
        QCOMPARE(window->progressLine()->text(),
                 QStringLiteral("Update Zefira stopped by Cancel after 0 of 44: nothing was stored (1 - no answer: is "
                                "the clock switched on and in its cradle, and is the right port chosen in Settings?)"));
        QVERIFY(window->isVisible());

        // The Cancel does not linger: the next try reaches the clock.
        clock->changeFaults([](sim::Faults& f) { f.silent = false; });
        setTexts({{1, QStringLiteral("OK")}});
        click(*window, ClockLanguageWindow::UpdateZefira);
        QCOMPARE(line->written, upload({"OK"}));
    }

    void cancel_while_sending_does_not_cut_the_table()
    {
        setTexts({{1, QStringLiteral("EEN")}, {2, QStringLiteral("TWEE")}, {3, QStringLiteral("DRIE")}});
        auto window = openWindow();
        OnceWhen cancel([&] { return window->progressLine()->text().contains(QStringLiteral(" : 1 / 3")); },
                        [&] { click(*window, ClockLanguageWindow::Cancel); });
        click(*window, ClockLanguageWindow::UpdateZefira);
        QVERIFY(cancel.fired);
        QCOMPARE(line->written, upload({"EEN", "TWEE", "DRIE"}));
    }

    void a_second_click_during_the_upload_changes_nothing()
    {
        setTexts({{1, QStringLiteral("EEN")}, {2, QStringLiteral("TWEE")}});
        auto window = openWindow();
        QString progressAfterSecondClick;
        OnceWhen again([&] { return window->progressLine()->text().contains(QStringLiteral(" : 1 / 2")); },
                       [&] {
                           click(*window, ClockLanguageWindow::UpdateZefira);
                           progressAfterSecondClick = window->progressLine()->text();
                       });
        click(*window, ClockLanguageWindow::UpdateZefira);
        QVERIFY(again.fired);
        QVERIFY(progressAfterSecondClick.startsWith(QStringLiteral("Sending text : ")));
        QCOMPARE(line->written, upload({"EEN", "TWEE"}));
        QTRY_COMPARE(clock->state().languageUploads, 1);
    }

    void an_empty_table_is_reported_and_the_clock_not_asked()
    {
        setTexts({});
        ModalAnswers boxes(ModalAnswers::Decline);
        auto window = openWindow();
        QCOMPARE(window->grid()->model()->rowCount(), 0);
        click(*window, ClockLanguageWindow::UpdateZefira);
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().first().icon, QMessageBox::Warning);
        QCOMPARE(boxes.seen().first().title, QStringLiteral("Update Zefira"));
        QCOMPARE(clock->framesReceived(), 0);
        QCOMPARE(line->opens, 0);
    }

    void an_unreadable_table_is_reported()
    {
        runStatement(db(), QStringLiteral("DROP TABLE language"));
        ModalAnswers boxes(ModalAnswers::Decline);
        auto window = openWindow();
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().first().icon, QMessageBox::Warning);
        QVERIFY(boxes.seen().first().details.contains(QStringLiteral("language")));
        click(*window, ClockLanguageWindow::UpdateZefira);
        QCOMPARE(boxes.seen().size(), 2);
        QCOMPARE(clock->framesReceived(), 0);
    }

    // A server connection lost, and not to be had again, is told once, by
    // the menu: no window shows the clock texts as an empty table.
    void a_lost_server_connection_keeps_the_window_closed()
    {
        if (!onServer())
            QSKIP("about a server connection");
        const ServerOutOfReach serverDown(db());
        ModalAnswers boxes(ModalAnswers::Decline);
        try {
            ClockLanguageWindow window;
            QFAIL("the window opened without the clock texts");
        } catch (const DatabaseError& e) {
            QCOMPARE(e.kind(), DatabaseError::Kind::ConnectionLost);
        }
        QCOMPARE(boxes.titlesAndTexts(), QStringList());
    }

    void the_opener_shows_the_window_until_exit()
    {
        bool shown = false;
        OnceWhen exit([] { return qobject_cast<ClockLanguageWindow*>(QApplication::activeModalWidget()) != nullptr; },
                      [&] {
                          auto* window = qobject_cast<ClockLanguageWindow*>(QApplication::activeModalWidget());
                          shown = window->isVisible() && window->grid()->model()->rowCount() == 44;
                          QTest::mouseClick(window->button(ClockLanguageWindow::Exit), Qt::LeftButton);
                      });
        openClockLanguageWindow(nullptr);
        QVERIFY(shown);
    }

    // The two cases below stop an upload; the clock needs a quiet line for a
    // while after that, which every later upload of the run waits out.
    void closing_while_waiting_ends_the_wait_and_the_window()
    {
        clock->changeFaults([](sim::Faults& f) { f.silent = true; });
        auto window = openWindow();
        OnceWhen close([&] { return clock->framesReceived() >= 2; }, [&] { window->close(); });
        // Should the wait go on regardless, Cancel ends it so the test fails instead of hanging.
        OnceWhen rescue([&] { return clock->framesReceived() >= 30; }, [&] { click(*window, ClockLanguageWindow::Cancel); });
        click(*window, ClockLanguageWindow::UpdateZefira);
        QVERIFY(close.fired);
        QVERIFY(!rescue.fired);
        QVERIFY(!window->isVisible());
        QCOMPARE(line->opens, 0);
        QVERIFY(line->written.isEmpty());
    }

    void exit_during_the_transfer_closes_after_the_text_on_the_line()
    {
        sim::SimState state;
        state.languageTexts = {"OUD1", "OUD2", "OUD3"};
        startClock(state);
        setTexts({{1, QStringLiteral("EEN")}, {2, QStringLiteral("TWEE")}, {3, QStringLiteral("DRIE")}});
        auto window = openWindow();
        bool visibleAfterExit = false;
        OnceWhen exit([&] { return window->progressLine()->text().contains(QStringLiteral(" : 2 / 3")); },
                      [&] {
                          click(*window, ClockLanguageWindow::Exit);
                          visibleAfterExit = window->isVisible();
                      });
        click(*window, ClockLanguageWindow::UpdateZefira);
        QVERIFY(exit.fired);
        QVERIFY(visibleAfterExit);  // not gone with the job still on the stack
        QVERIFY(!window->isVisible());
        QCOMPARE(line->written, QByteArray(1, kEsc) + "EEN" + '\0' + "TWEE" + '\0');
        // Without the closing ESC the clock drops the half table and keeps its own.
        QTest::qWait(200);
        QCOMPARE(clock->state().languageUploads, 0);
        QCOMPARE(clock->state().languageTexts, QList<QByteArray>({"OUD1", "OUD2", "OUD3"}));
    }
};

QTEST_MAIN(ClockLanguageWindowTest)
#include "tst_clocklanguagewindow.moc"
