// Both club data transfers started from the window's buttons, against the
// simulated clock in this process: a fancier and a combine sent (without
// members whose fancier is gone), a fancier with pigeons received, and Cancel
// while the clock stays silent.
#include "ClubDataDatabase.h"
#include "Simulator.h"
#include "clubdata/ui/ClubDataWindow.h"
#include "clubdata/ui/RecordGridModel.h"
#include "common/AppState.h"
#include "common/ui/FilteredLineEdit.h"
#include "shell/ui/TextInputDialog.h"
#include "support/ModalAnswers.h"
// The program links the linking screen's store together with the transfer's:
// a type name both declare would let one silently take over the other's
// inline code (the send then crashed copying its pigeons). Seen together here,
// such a clash stops the build instead.
#include "linking/LinkingStore.h"
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace durvek;
using namespace durvek::test;
using durvek::testing::ModalAnswers;

namespace {

// Types the name into the next prompt and confirms it with Enter.
void answerPrompt(ModalAnswers& answers, const QString& text)
{
    answers.answer([text](QWidget* modal) {
        auto* box = modal->findChild<QLineEdit*>();
        if (!box) {
            modal->close();
            QFAIL("the window asked something else than a name");
        }
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    });
}

// The database, the simulated clock on COM1 and the window over them.
struct Bench {
    explicit Bench(clocksim::SimState clock = clocksim::SimState())
    {
        clocksim::SimulatorOptions options;
        options.lineDelay = false;
        sim = std::make_unique<clocksim::Simulator>(clock, options);
        QVERIFY(sim->start());
        ClubSettings& settings = appState().activeSettings;
        settings = ClubSettings();
        settings.com = 0;
        settings.portDevices[0] = sim->devicePath();
    }
    ~Bench()
    {
        window.reset();
        sim->stop();
    }

    ClubDataWindow& open()
    {
        window = std::make_unique<ClubDataWindow>(nullptr, [](QWidget* parent, const QString& title) {
            return TextInputDialog::ask(parent, title);
        });
        window->setSettlePause(0);
        window->show();
        return *window;
    }

    void expectReady() const
    {
        QVERIFY(!window->transferRunning());
        QVERIFY(window->progressBar()->isHidden());
        for (int i = 0; i < ClubDataWindow::FancierButtonCount; ++i)
            QVERIFY(window->fancierButton(ClubDataWindow::FancierButton(i))->isEnabled());
        for (int i = 0; i < ClubDataWindow::TransferButtonCount; ++i)
            QVERIFY(window->transferButton(ClubDataWindow::TransferButton(i))->isEnabled());
        QVERIFY(window->box(ClubDataWindow::NameBox)->isEnabled());
        QVERIFY(window->pigeonGrid()->isEnabled());
        QVERIFY(window->combineGrid()->isEnabled());
    }

    ClubDataDatabase d;
    std::unique_ptr<clocksim::Simulator> sim;
    std::unique_ptr<ClubDataWindow> window;
};

QByteArray pad(const QByteArray& text, int width) { return text.leftJustified(width, ' '); }

} // namespace

class TestClubDataTransfers : public QObject {
    Q_OBJECT

private slots:
    void sendTheFancierShown();
    void sendACombine();
    void receiveANewFancierWithPigeons();
    void receiveReplacesThePigeonsAfterYes();
    void cancelWhileTheClockIsSilent();
};

void TestClubDataTransfers::sendTheFancierShown()
{
    Bench b;
    const int32_t jan = b.d.addFancier("Jan Peeters", "JANPEETERS", "1234567");
    const int32_t other = b.d.addFancier("Other", "OTHER", "7654321");
    b.d.addPigeon(jan, "NL", "21", "0000001234", "F", "11223344");
    b.d.addPigeon(jan, "BE", QVariant(), "0000000017", " ", "0A1B2C3D");
    b.d.addPigeon(other, "BE", "21", "0000000001", " ", "99999999");
    b.d.setBadges({"Gold", "Silver", "", "", "", "Extra"});
    ClubDataWindow& w = b.open();
    QCOMPARE(w.clubDataFancierId(), jan);

    w.transferButton(ClubDataWindow::ToClockButton)->click();

    const clocksim::IncomingTransfer in = b.sim->state().incoming;
    QCOMPARE(in.stages, QList<int>({1, 5, 8}));
    QCOMPARE(in.header, QByteArray("123456700000Jan Peeters         "));
    QCOMPARE(in.count, QByteArray("002"));
    QCOMPARE(in.pigeons, QList<QByteArray>({"BE0000000000017 0A1B2C3D", "NL0000210001234F11223344"}));
    // six badge rows: five go, in table order
    QCOMPARE(in.badgeCount, QByteArray("5"));
    QCOMPARE(in.badges, QList<QByteArray>({"Gold", "Silver", "1111111111", "1111111111", "1111111111"}));
    b.expectReady();
    QVERIFY(w.transferStatus()->text().startsWith(QStringLiteral("Clock updated: 1234567 Jan Peeters, 2 pigeons, ")));
    QCOMPARE(w.focusWidget(), w.box(ClubDataWindow::NameBox));
}

void TestClubDataTransfers::sendACombine()
{
    Bench b;
    const int32_t ann = b.d.addFancier("Ann", "ANN", "11111111");
    const int32_t bob = b.d.addFancier("Bob", "BOB", "22222222");
    b.d.addPigeon(ann, "NL", "21", "0000000005", " ", "AAAAAAAA");
    b.d.addPigeon(bob, "NL", "20", "0000000009", " ", "BBBBBBBB");
    b.d.addCombine(1, "Other", 0, 0, 0);
    ClubDataWindow& w = b.open();
    ModalAnswers answers(&w);
    answerPrompt(answers, QStringLiteral("Club A"));
    w.combineButton(ClubDataWindow::AddCombineButton)->click();
    w.combineButton(ClubDataWindow::AddFancierButton)->click();
    w.fancierButton(ClubDataWindow::NextButton)->click();
    w.combineButton(ClubDataWindow::AddFancierButton)->click();
    QCOMPARE(w.memberList()->count(), 2);
    // a place that a database of an older version kept for a deleted fancier
    const int32_t gone = ann + bob + 1;
    b.d.addPigeon(gone, "NL", "19", "0000000001", " ", "CCCCCCCC");
    b.d.db.exec(QStringLiteral("UPDATE combine SET L3 = %1 WHERE id = 2").arg(gone));
    w.combineCheck()->setChecked(true);

    w.transferButton(ClubDataWindow::ToClockButton)->click();

    const clocksim::IncomingTransfer in = b.sim->state().incoming;
    QCOMPARE(in.stages, QList<int>({1, 10, 5, 8}));
    QCOMPARE(in.header, QByteArray("000000000000") + pad("Club A", 20));
    QCOMPARE(in.members, pad("Ann", 20) + pad("Bob", 20));
    QCOMPARE(in.count, QByteArray("002"));
    QCOMPARE(in.pigeons, QList<QByteArray>({"NL2000200000009 BBBBBBBB", "NL1000210000005 AAAAAAAA"}));
    b.expectReady();
}

void TestClubDataTransfers::receiveANewFancierWithPigeons()
{
    clocksim::SimState clock;
    clock.outLicence = "1234567";
    clock.outName = "Sender";
    clock.outPigeons = {{"BE", "07", "1234", 'F', "0A1B2C3D4E"}, {"NL", "08", "7654321", ' ', "11223344AA"}};
    Bench b(clock);
    const int32_t jan = b.d.addFancier("Jan", "JAN");
    b.d.addPigeon(jan, "DE", "19", "0000000042", " ", "0A1B2C3D");
    ClubDataWindow& w = b.open();
    w.fancierButton(ClubDataWindow::NewButton)->click();
    w.box(ClubDataWindow::CityBox)->setText(QStringLiteral("Hove"));

    ModalAnswers answers(&w);
    w.transferButton(ClubDataWindow::FromClockButton)->click();

    QVERIFY(answers.seen().isEmpty());
    const int32_t id = w.clubDataFancierId();
    QVERIFY(id > jan);
    QCOMPARE(w.box(ClubDataWindow::NameBox)->text(), QStringLiteral("Sender"));
    QCOMPARE(w.box(ClubDataWindow::LicenceBox)->text(), QStringLiteral("1234567"));
    QCOMPARE(b.d.rows(QStringLiteral("SELECT Name, Licence, city, sort FROM fanciers WHERE id = %1").arg(id)),
             QStringList({"Sender|1234567|Hove|SENDER"}));
    QCOMPARE(b.d.rows(QStringLiteral("SELECT Fancier, country, Year, band, sex, elcode FROM pigeons ORDER BY rowid")),
             QStringList({QStringLiteral("%1|DE|19|0000000042| |0A1B2C3D").arg(jan),
                          QStringLiteral("%1|BE|07|0001234|F|0A1B2C3D").arg(id),
                          QStringLiteral("%1|NL|08|7654321| |11223344").arg(id)}));
    QVERIFY(w.pigeonGrid()->isVisible());
    QCOMPARE(w.pigeonModel()->recordCount(), 2);
    QCOMPARE(w.label(ClubDataWindow::CountLabel)->text(), QStringLiteral("Pigeons with an electronic band :  2"));
    b.expectReady();
    QVERIFY(w.transferStatus()->text().startsWith(QStringLiteral("Clock read: 1234567 Sender, 2 pigeons stored, ")));
}

void TestClubDataTransfers::receiveReplacesThePigeonsAfterYes()
{
    clocksim::SimState clock;
    clock.outLicence = "555";
    clock.outName = "Jan";
    clock.outPigeons = {{"BE", "07", "1", ' ', "CCCCCCCC00"}};
    Bench b(clock);
    const int32_t jan = b.d.addFancier("Jan", "JAN");
    b.d.addPigeon(jan, "DE", "19", "0000000042", " ", "0A1B2C3D");
    ClubDataWindow& w = b.open();

    ModalAnswers answers(&w);
    answers.answerMessage(QMessageBox::No);
    w.transferButton(ClubDataWindow::FromClockButton)->click();
    QCOMPARE(b.d.rows(QStringLiteral("SELECT elcode FROM pigeons")), QStringList({"0A1B2C3D"}));
    b.expectReady();

    answers.answerMessage(QMessageBox::Yes);
    w.transferButton(ClubDataWindow::FromClockButton)->click();
    QCOMPARE(answers.seen().size(), 2);
    QVERIFY(answers.titlesAndTexts()[1].startsWith(QStringLiteral("Durvek|The pigeons of this fancier")));
    QVERIFY(answers.titlesAndTexts()[1].endsWith(QStringLiteral(" ?")));
    QCOMPARE(w.clubDataFancierId(), jan);
    QCOMPARE(b.d.rows(QStringLiteral("SELECT Fancier, elcode FROM pigeons")),
             QStringList({QStringLiteral("%1|CCCCCCCC").arg(jan)}));
    QCOMPARE(b.d.rows(QStringLiteral("SELECT Licence FROM fanciers")), QStringList({"555"}));
    QCOMPARE(w.pigeonModel()->recordCount(), 1);
}

void TestClubDataTransfers::cancelWhileTheClockIsSilent()
{
    Bench b;
    const int32_t jan = b.d.addFancier("Jan", "JAN");
    b.d.addPigeon(jan, "BE", "21", "0000000001", " ", "AAAAAAAA");
    b.sim->changeFaults([](clocksim::Faults& f) { f.silent = true; });
    ClubDataWindow& w = b.open();

    bool sawTransferState = false;
    QTimer::singleShot(150, &w, [&] {
        sawTransferState = w.transferRunning() && !w.fancierButton(ClubDataWindow::SaveButton)->isEnabled()
            && !w.transferButton(ClubDataWindow::ToClockButton)->isEnabled()
            && w.transferButton(ClubDataWindow::CancelButton)->isEnabled() && !w.pigeonGrid()->isEnabled();
        w.transferButton(ClubDataWindow::CancelButton)->click();
    });
    w.transferButton(ClubDataWindow::ToClockButton)->click();
    QVERIFY(sawTransferState);
    b.expectReady();
    QVERIFY(b.sim->state().incoming.pigeons.isEmpty());
    const QString noAnswer = QStringLiteral("(1 - no answer: is the clock switched on and in its cradle, and is the "
                                            "right port chosen in Settings?)");
    QCOMPARE(w.transferStatus()->text(),
             "Update Clock stopped by Cancel after 0 pigeons: what was done up to then is kept " + noAnswer);

    // Escape stops the receive as well, after the question about the pigeons
    ModalAnswers answers(&w);
    answers.answerMessage(QMessageBox::Yes);
    QTimer::singleShot(300, &w, [&] { QTest::keyClick(w.transferButton(ClubDataWindow::CancelButton), Qt::Key_Escape); });
    w.transferButton(ClubDataWindow::FromClockButton)->click();
    b.expectReady();
    QCOMPARE(answers.pending(), 0);
    QVERIFY(w.isVisible());
    QCOMPARE(w.transferStatus()->text(), "Read Clock stopped by Cancel after 0 pigeons: nothing was stored " + noAnswer);
    QCOMPARE(b.d.value(QStringLiteral("SELECT count(*) FROM pigeons")).toInt(), 1);
}

QTEST_MAIN(TestClubDataTransfers)
#include "tst_clubdata_transfers.moc"
