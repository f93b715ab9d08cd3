// The linking window driven as a club official would: choosing a fancier,
// typing bands, marking, storing with a printout, reading a chip from the
// simulated antenna, writing the clock and reading it back.
#include "LinkingDatabase.h"
#include "support/ShownCaption.h"
#include "Simulator.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include "clocklink/ui/JobProgress.h"
#include "common/ui/FilteredLineEdit.h"
#include "database/SqlUtil.h"
#include "fanciers/ui/FancierSearchWindow.h"
#include "linking/ui/LinkingWindow.h"
#include "linking/ui/PigeonGridView.h"
#include "support/DeliveredDatabase.h"
#include "support/ModalAnswers.h"
#include "support/PreviewToPdf.h"
#include <QCheckBox>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

using namespace durvek;
using namespace durvek::test;
using namespace durvek::testing;
using durvek::clocksim::ClockModel;
using durvek::clocksim::SimState;
using durvek::clocksim::Simulator;
using durvek::clocksim::SimulatorOptions;

namespace {

constexpr int kBand = PigeonGrid::kBandColumn;
constexpr int kChip = PigeonGrid::kChipCodeColumnIndex;

QString rowOf(PigeonGrid& grid, int r)
{
    QStringList cells;
    for (int c = 0; c < PigeonGrid::kColumns; ++c)
        cells << grid.cellText(r, c);
    return cells.join(u'|');
}

} // namespace

class LinkingWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LinkingDatabase> data;
    std::unique_ptr<Simulator> sim;
    std::unique_ptr<ModalAnswers> dialogs;
    std::unique_ptr<LinkingWindow> window;
    int32_t fancier = 0;
    QList<int> searchModes;

    void startSimulator(ClockModel model)
    {
        SimState state;
        state.model = model;
        SimulatorOptions options;
        options.lineDelay = false;
        sim = std::make_unique<Simulator>(state, options);
        QVERIFY(sim->start());
        const QString device = sim->devicePath();
        clockLibrary().setPortResolver([device](uint8_t) { return device; });
        clockLibrary().setLineLog(nullptr);
    }

    void openWindow()
    {
        window = std::make_unique<LinkingWindow>();
        dialogs->setWindowUnderTest(window.get());
        window->setFancierSearch([this](QWidget*, int mode) {
            searchModes << mode;
            appState().currentFancierId = fancier;
            linkBuffers().CancelRequested = fancier == 0;
            return fancier;
        });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void click(int button) { QTest::mouseClick(window->actionButton(button), Qt::LeftButton); }

    // Clicks the grid cell as the user would.
    void clickCell(int row, int column)
    {
        PigeonGridView* view = window->gridView();
        const QModelIndex index = view->model()->index(row - 1, column);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }

    void typeIntoGrid(const QString& keys)
    {
        PigeonGridView* view = window->gridView();
        view->setFocus();
        for (QChar key : keys) {
            if (key == u'\r')
                QTest::keyClick(view, Qt::Key_Return);
            else
                QTest::keyClicks(view, QString(key));
        }
    }

    bool allButtonsEnabled() const
    {
        for (int i = 0; i < LinkingWindow::kLinkButtonCount; ++i)
            if (!window->actionButton(i)->isEnabled())
                return false;
        for (int i = 0; i < LinkingWindow::kSearchButtonCount; ++i)
            if (!window->searchButton(i)->isEnabled())
                return false;
        return true;
    }

    // Only Cancel is live.
    bool onlyCancelEnabled() const
    {
        for (int i = 0; i < LinkingWindow::kLinkButtonCount; ++i)
            if (window->actionButton(i)->isEnabled() != (i == LinkingWindow::Cancel))
                return false;
        for (int i = 0; i < LinkingWindow::kSearchButtonCount; ++i)
            if (window->searchButton(i)->isEnabled())
                return false;
        return true;
    }

private slots:
    void init()
    {
        data = std::make_unique<LinkingDatabase>();
        dialogs = std::make_unique<ModalAnswers>(ModalAnswers::Decline);
        appState().activeSettings.protocol = 0;
        appState().activeSettings.converter = false;
        linkBuffers().CancelRequested = false;
        searchModes.clear();
        fancier = data->addFancier("12345678", "Jan Peeters", "Dorp 1", "9000", "Gent", "Oost");
        data->addPigeon(fancier, {"BE", "23", "0000000100", "F", "BLAU", "AAAAAAAA", 1});
    }

    void cleanup()
    {
        window.reset();
        clockLibrary().release();
        sim.reset();
        dialogs.reset();
        data.reset();
    }

    void opensWithCataloguedCaptionsAndNoFancier()
    {
        openWindow();
        QCOMPARE(window->titleLabel()->text(), QStringLiteral("Linking federation-bands to electronic-bands"));
        QCOMPARE(durvek::testing::shownCaption(window->searchButton(2)), QStringLiteral("Record #"));
        QStringList captions;
        for (int i = 0; i < LinkingWindow::kLinkButtonCount; ++i)
            captions << window->actionButton(i)->text().remove(u'&');
        QCOMPARE(captions, QStringList({"Single-band", "Multiple-bands", "Generate Bands", "Update Database", "Cancel",
                                        "Update Clock", "Read Clock", "Exit"}));
        QCOMPARE(durvek::testing::shownCaption(window->printoutBox()), QStringLiteral("Printout"));
        QCOMPARE(durvek::testing::shownCaption(window->racesBox()), QStringLiteral("Races"));
        QVERIFY(window->modelOption(0)->isChecked());
        QCOMPARE(window->grid().rowCount(), 1);
        QCOMPARE(window->grid().cellText(0, kBand), QStringLiteral("Fed. band"));
        QCOMPARE(window->grid().cellText(0, PigeonGrid::kColourColumn), QStringLiteral("Color"));
        QCOMPARE(window->headerLine(0)->text(), QString());
    }

    void fancierBoundButtonsNeedAFancier()
    {
        openWindow();
        appState().activeSettings.protocol = 3;
        window->modelOption(3)->setChecked(true);
        for (int button : {LinkingWindow::SingleBand, LinkingWindow::MultipleBands, LinkingWindow::GenerateBandsButton,
                           LinkingWindow::UpdateDatabase, LinkingWindow::UpdateClockButton}) {
            dialogs->clearSeen();
            click(button);
            QTRY_COMPARE(dialogs->titlesAndTexts(), QStringList({"No fancier|Choose a fancier first"}));
        }
        // Read Clock works without one (and with this model does nothing).
        dialogs->clearSeen();
        click(LinkingWindow::ReadClockButton);
        QTest::qWait(50);
        QVERIFY(dialogs->titlesAndTexts().isEmpty());
        QVERIFY(allButtonsEnabled());
        QCOMPARE(data->pigeonsOf(fancier).size(), 1);
    }

    void searchShowsTheFancierAndThePigeons()
    {
        data->addPigeon(fancier, {"BE", "22", "12345", " ", "", "BBBBBBBB", 2});
        openWindow();
        QTest::mouseClick(window->searchButton(1), Qt::LeftButton);
        QCOMPARE(searchModes, QList<int>({1}));
        QCOMPARE(window->headerLine(0)->text(), QStringLiteral("Name : Jan Peeters  - Licence : 12345678"));
        QCOMPARE(window->headerLine(1)->text(), QStringLiteral("Adress : Dorp 1"));
        QCOMPARE(window->headerLine(2)->text(), QStringLiteral("Zip : 9000  - City : Gent  - District : Oost"));
        QCOMPARE(window->grid().rowCount(), 4);
        QCOMPARE(rowOf(window->grid(), 1), QStringLiteral("1|BE|23|0000000100|BLAU|F|AAAAAAAA|"));
        QCOMPARE(rowOf(window->grid(), 2), QStringLiteral("2|BE|22|     12345|||BBBBBBBB|"));
        QCOMPARE(rowOf(window->grid(), 3), QStringLiteral("3|||||||"));
        QCOMPARE(window->grid().currentRow(), 2);

        // A search left without a choice keeps the screen but no fancier:
        // the grid takes no keys and nothing can be stored.
        fancier = 0;
        QTest::mouseClick(window->searchButton(0), Qt::LeftButton);
        QCOMPARE(window->grid().rowCount(), 4);
        QCOMPARE(appState().currentFancierId, 0);
        clickCell(3, kBand);
        typeIntoGrid("77\r");
        QCOMPARE(window->grid().cellText(3, kBand), QString());
        click(LinkingWindow::UpdateDatabase);
        QTRY_COMPARE(dialogs->titlesAndTexts(), QStringList({"No fancier|Choose a fancier first"}));
    }

    void theSearchWindowChoosesTheFancier()
    {
        data->addFancier("77777777", "Other");
        window = std::make_unique<LinkingWindow>();
        dialogs->setWindowUnderTest(window.get());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        // The official types the licence into the search window and selects.
        QTimer::singleShot(100, this, [] {
            auto* search = qobject_cast<FancierSearchWindow*>(QApplication::activeModalWidget());
            QVERIFY(search);
            QTest::keyClicks(search->queryBox(), "1234");
            QTest::mouseClick(search->selectButton(), Qt::LeftButton);
        });
        QTest::mouseClick(window->searchButton(0), Qt::LeftButton);
        QCOMPARE(appState().currentFancierId, fancier);
        QCOMPARE(window->shownFancierId(), fancier);
        QCOMPARE(window->grid().rowCount(), 3);
    }

    void reopeningShowsTheFancierOfTheRun()
    {
        appState().currentFancierId = fancier;
        openWindow();
        QCOMPARE(window->shownFancierId(), fancier);
        QCOMPARE(window->grid().rowCount(), 3);
        // Storing the grid shown keeps the fancier's pigeon.
        click(LinkingWindow::UpdateDatabase);
        QCOMPARE(data->pigeonsOf(fancier).size(), 1);
    }

    // A server connection lost, and not to be had again, is told once: by
    // the menu for the window, by the window for its search window. No window
    // shows the club as empty, and the window stopped half-made tears down
    // cleanly, so that it opens on the fancier once the server is back.
    void lostServerConnectionKeepsTheWindowsClosed()
    {
        if (!onServer())
            QSKIP("about a server connection");
        appState().currentFancierId = fancier;
        {
            const ServerOutOfReach serverDown(data->db());
            try {
                LinkingWindow unmade;
                QFAIL("the window opened without its fancier");
            } catch (const DatabaseError& e) {
                QCOMPARE(e.kind(), DatabaseError::Kind::ConnectionLost);
            }
            QCOMPARE(dialogs->titlesAndTexts(), QStringList());
        }
        openWindow();
        QCOMPARE(window->shownFancierId(), fancier);
        QCOMPARE(window->grid().rowCount(), 3);

        window->setFancierSearch(&runFancierSearch);
        const ServerOutOfReach serverDown(data->db());
        dialogs->answerMessage(QMessageBox::Ok);
        dialogs->answerMessage(QMessageBox::Ok); // a search window coming instead is written down
        QTest::mouseClick(window->searchButton(1), Qt::LeftButton);
        QCOMPARE(dialogs->titlesAndTexts(), QStringList({window->windowTitle() + u'|' + GetText(306)}));
        QCOMPARE(window->shownFancierId(), fancier);
    }

    void keyboardLeavesTheGridAtItsEndsAndEscapeAsksOnlyForWorkNotStored()
    {
        appState().currentFancierId = fancier;
        openWindow();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        PigeonGridView* view = window->gridView();
        const auto goToCell = [view](int row, int column) {
            view->setFocus();
            view->setCurrentIndex(view->model()->index(row - 1, column));
        };
        goToCell(1, kBand);
        QTest::keyClick(view, Qt::Key_Tab);
        QCOMPARE(view->currentIndex().column(), kBand + 1);
        QTest::keyClick(view, Qt::Key_Tab, Qt::ControlModifier);
        QVERIFY(!view->hasFocus());
        // Tab on the last cell goes on to the next control, Shift+Tab on the first back.
        goToCell(2, PigeonGrid::kDeleteColumn);
        QTest::keyClick(view, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window->searchButton(0));
        QCOMPARE(view->currentIndex(), view->model()->index(1, PigeonGrid::kDeleteColumn));
        goToCell(1, 0);
        QTest::keyClick(view, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(QApplication::focusWidget() && !view->hasFocus());

        // The range labels lead to their boxes.
        for (FilteredLineEdit* box : {window->fromBox(), window->toBox()}) {
            const QList<QLabel*> labels = window->findChildren<QLabel*>();
            const auto label = std::find_if(labels.begin(), labels.end(), [box](QLabel* l) { return l->buddy() == box; });
            QVERIFY(label != labels.end());
            const QKeySequence mnemonic = QKeySequence::mnemonic((*label)->text());
            QVERIFY2(!mnemonic.isEmpty(), qPrintable((*label)->text()));
            QTest::keySequence(window.get(), mnemonic);
            QCOMPARE(QApplication::focusWidget(), box);
        }

        // Work typed into the grid makes Escape and Exit ask.
        goToCell(2, kBand);
        typeIntoGrid("123\r");
        dialogs->clearSeen(); // the question is answered No
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QCOMPARE(dialogs->seen().size(), 1);
        QVERIFY(dialogs->seen().first().text.endsWith(QStringLiteral(" ?")));
        QVERIFY(window->isVisible());
        click(LinkingWindow::Exit);
        QCOMPARE(dialogs->seen().size(), 2);
        QVERIFY(window->isVisible());
        // Stored (the band without a chip is no pigeon yet), nothing is left to lose.
        click(LinkingWindow::UpdateDatabase);
        dialogs->clearSeen();
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(dialogs->seen().isEmpty());
        QVERIFY(!window->isVisible());
    }

    void typedBandsMarksAndStoringWithAPrintout()
    {
        PreviewToPdf preview{data->folder(), {}, {}};
        openWindow();
        window->setPrintoutHandler(preview.handler());
        QTest::mouseClick(window->searchButton(0), Qt::LeftButton);
        clickCell(2, kBand);
        typeIntoGrid("101\r102\r");
        QCOMPARE(rowOf(window->grid(), 2), QStringLiteral("2|BE|23|0000000101||||"));
        QCOMPARE(rowOf(window->grid(), 3), QStringLiteral("3|BE|23|0000000102||||"));
        QCOMPARE(window->grid().rowCount(), 5);
        QCOMPARE(window->grid().currentRow(), 4);
        // Colour typed in lower case, a sex mark and a chip code.
        clickCell(2, PigeonGrid::kColourColumn);
        typeIntoGrid("rood");
        clickCell(2, PigeonGrid::kSexColumn);
        QCOMPARE(rowOf(window->grid(), 2), QStringLiteral("2|BE|23|0000000101|ROOD|F||"));
        window->grid().setCellText(2, kChip, QStringLiteral("0A1B2C3D"));
        window->grid().setCellText(3, kChip, QStringLiteral("0A1B2C3E"));
        // Row 1 is marked for deletion, twice clicked is unmarked again, then marked.
        clickCell(1, PigeonGrid::kDeleteColumn);
        clickCell(1, PigeonGrid::kDeleteColumn);
        clickCell(1, PigeonGrid::kDeleteColumn);
        QCOMPARE(window->grid().cellText(1, PigeonGrid::kDeleteColumn), QStringLiteral("X"));

        window->printoutBox()->setChecked(true);
        dialogs->answerMessage(QMessageBox::Yes);
        click(LinkingWindow::UpdateDatabase);
        QCOMPARE(dialogs->titlesAndTexts(), QStringList({"Printout|Print the pigeon list ?"}));
        QCOMPARE(data->pigeonsOf(fancier),
                 QStringList({"BE|23|0000000101|ROOD|F|0A1B2C3D|00|BE230000000101|0",
                              "BE|23|0000000102|    | |0A1B2C3E|00|BE230000000102|0"}));
        QCOMPARE(data->backupRows().size(), 1);
        // The grid shows what was stored.
        QCOMPARE(window->grid().rowCount(), 4);
        QCOMPARE(rowOf(window->grid(), 1), QStringLiteral("1|BE|23|0000000101|ROOD|F|0A1B2C3D|"));
        QVERIFY(allButtonsEnabled());
        // The list is previewed, proposed as a PDF named for the fancier and today.
        QCOMPARE(preview.lastProposedName(), QStringLiteral("Pigeon Data 12345678 Jan Peeters 2026-06-15.pdf"));
        QFile printed(preview.lastPdf);
        QVERIFY(printed.open(QIODevice::ReadOnly));
        QVERIFY(printed.size() > 1000);
    }

    void updateDatabaseEndsWithASentence_data()
    {
        QTest::addColumn<bool>("databaseRefuses");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("stored") << false
                                << "Pigeon list stored: 12345678 Jan Peeters, 1 pigeons. 1 rows left out: a row is "
                                   "stored only with a band of 10 characters and a chip code of 8";
        QTest::newRow("database refuses") << true << "Update Database stopped: ";
    }

    // What was stored and for whom, or why nothing was; rows the store
    // drops vanish from the reloaded grid, so the sentence counts them.
    void updateDatabaseEndsWithASentence()
    {
        QFETCH(bool, databaseRefuses);
        QFETCH(QString, sentence);
        openWindow();
        QTest::mouseClick(window->searchButton(0), Qt::LeftButton);
        clickCell(2, kBand);
        typeIntoGrid("101\r");
        if (databaseRefuses)
            runStatement(data->db(), QStringLiteral("DROP TABLE backup"));
        click(LinkingWindow::UpdateDatabase);
        QVERIFY(window->statusLabel()->text().startsWith(sentence));
        QVERIFY(window->statusLabel()->text().size() > sentence.size() || !databaseRefuses);
        QCOMPARE(data->pigeonsOf(fancier).size(), 1);
        QCOMPARE(dialogs->titlesAndTexts().size(), databaseRefuses ? 1 : 0);
    }

    // Another PC stored the fancier after the window showed it: the store
    // refuses with a box and the status line, the grid keeps what was typed
    // and the other PC's list stays whole.
    void aStoreOfAnotherPcInBetweenIsNotOverwritten()
    {
        openWindow();
        QTest::mouseClick(window->searchButton(0), Qt::LeftButton);
        clickCell(2, kBand);
        typeIntoGrid("101\r");
        const QString typed = rowOf(window->grid(), 2);
        exec(data->db(), QStringLiteral("UPDATE pigeons SET color = 'GRIS' WHERE Fancier = %1").arg(fancier));
        exec(data->db(), QStringLiteral("UPDATE fanciers SET Revision = Revision + 1 WHERE id = %1").arg(fancier));
        const QStringList storedElsewhere = data->pigeonsOf(fancier);
        click(LinkingWindow::UpdateDatabase);
        const QString message = GetText(320);
        QCOMPARE(dialogs->seen().size(), 1);
        QVERIFY(dialogs->seen().at(0).text.contains(message));
        QCOMPARE(window->statusLabel()->text(), QStringLiteral("Update Database stopped: ") + message);
        QCOMPARE(rowOf(window->grid(), 2), typed);
        QCOMPARE(data->pigeonsOf(fancier), storedElsewhere);
    }

    void anotherFancierClearsTheStatus()
    {
        openWindow();
        QTest::mouseClick(window->searchButton(0), Qt::LeftButton);
        click(LinkingWindow::UpdateDatabase);
        QVERIFY(!window->statusLabel()->text().isEmpty());
        // The same fancier again keeps what was said about the list.
        QTest::mouseClick(window->searchButton(0), Qt::LeftButton);
        QVERIFY(!window->statusLabel()->text().isEmpty());
        fancier = data->addFancier("87654321", "Piet Janssens");
        QTest::mouseClick(window->searchButton(0), Qt::LeftButton);
        QCOMPARE(window->shownFancierId(), fancier);
        QCOMPARE(window->statusLabel()->text(), QString());
        QVERIFY(window->jobProgress()->isHidden());
    }

    void restoreBringsBackTheListBeforeTheLastStore()
    {
        openWindow();
        QTest::mouseClick(window->searchButton(0), Qt::LeftButton);
        QVERIFY(!window->restoreButton()->isEnabled());
        window->grid().setCellText(1, PigeonGrid::kColourColumn, QStringLiteral("ROOD"));
        click(LinkingWindow::UpdateDatabase);
        QVERIFY(window->restoreButton()->isEnabled());

        // No keeps the stored list; Yes brings the former one back, and the
        // stored one can be had again the same way.
        QTest::mouseClick(window->restoreButton(), Qt::LeftButton);
        QCOMPARE(dialogs->titlesAndTexts(),
                 QStringList({"Restore previous list|Bring back the list stored before the last one (the list "
                              "stored now becomes the previous one) ?"}));
        QCOMPARE(rowOf(window->grid(), 1), QStringLiteral("1|BE|23|0000000100|ROOD|F|AAAAAAAA|"));
        dialogs->answerMessage(QMessageBox::Yes);
        QTest::mouseClick(window->restoreButton(), Qt::LeftButton);
        QCOMPARE(rowOf(window->grid(), 1), QStringLiteral("1|BE|23|0000000100|BLAU|F|AAAAAAAA|"));
        QVERIFY(window->statusLabel()->text().startsWith(QStringLiteral("Previous list restored: ")));
        QVERIFY(window->statusLabel()->text().endsWith(QStringLiteral(", 1 pigeons")));
        QCOMPARE(data->pigeonsOf(fancier), QStringList({"BE|23|0000000100|BLAU|F|AAAAAAAA|<null>|<null>|0"}));
        QVERIFY(window->restoreButton()->isEnabled());

        // Another fancier's list in the backup is not this fancier's to restore.
        const int32_t other = data->addFancier("87654321", "Other");
        exec(data->db(), QStringLiteral("UPDATE backup SET Fancier = %1").arg(other));
        window->ShowFancier();
        QVERIFY(!window->restoreButton()->isEnabled());
    }

    void generateBandsFromTheRangeBoxes()
    {
        openWindow();
        QTest::mouseClick(window->searchButton(0), Qt::LeftButton);
        QTest::keyClicks(window->fromBox(), "BE5");
        QTest::keyClicks(window->toBox(), "7x");
        QCOMPARE(window->toBox()->text(), QStringLiteral("7"));
        click(LinkingWindow::GenerateBandsButton);
        QCOMPARE(window->grid().rowCount(), 6);
        QCOMPARE(window->grid().cellText(2, kBand), QStringLiteral("BE00000005"));
        QCOMPARE(window->grid().cellText(4, kBand), QStringLiteral("BE00000007"));
        QVERIFY(allButtonsEnabled());
    }

    void cancelAsksAndOnlyStopsARunningJob()
    {
        startSimulator(ClockModel::Omnexa);
        openWindow();
        QTest::mouseClick(window->searchButton(0), Qt::LeftButton);
        // No job: the question, then every button as before.
        click(LinkingWindow::Cancel);
        QCOMPARE(dialogs->titlesAndTexts(), QStringList({"Row #1|Stop the running job ?"}));
        QVERIFY(allButtonsEnabled());

        // A single-band reading waits for a chip that never comes.
        bool checkedDuringJob = false;
        bool onlyCancelDuringJob = false;
        bool stillDisabledAfterNo = false;
        dialogs->answerMessage(QMessageBox::No);
        dialogs->answerMessage(QMessageBox::Yes);
        dialogs->onMessage = [&](const SeenMessage&) {
            if (!checkedDuringJob)
                return;
            stillDisabledAfterNo = onlyCancelEnabled();
        };
        QTimer::singleShot(300, this, [&] {
            checkedDuringJob = true;
            onlyCancelDuringJob = window->isJobRunning() && onlyCancelEnabled();
            click(LinkingWindow::Cancel);
            QTimer::singleShot(100, this, [&] { click(LinkingWindow::Cancel); });
        });
        dialogs->clearSeen();
        click(LinkingWindow::SingleBand);
        QVERIFY(onlyCancelDuringJob);
        QVERIFY(stillDisabledAfterNo);
        QCOMPARE(dialogs->titlesAndTexts(), QStringList({"Row #1|Stop the running job ?", "Row #1|Stop the running job ?"}));
        QVERIFY(!window->isJobRunning());
        QVERIFY(allButtonsEnabled());
        QCOMPARE(window->grid().cellText(1, kChip), QStringLiteral("AAAAAAAA"));
    }

    void chipFromTheAntennaThenUpdateAndReadTheClock()
    {
        startSimulator(ClockModel::Omnexa);
        openWindow();
        QTest::mouseClick(window->searchButton(0), Qt::LeftButton);
        clickCell(2, kBand);
        typeIntoGrid("101");
        clickCell(2, PigeonGrid::kSexColumn);
        clickCell(2, kBand);

        // The official holds the pigeon's chip band to the antenna.
        sim->presentChip("0A1B2C3D");
        click(LinkingWindow::SingleBand);
        QCOMPARE(window->grid().cellText(2, kChip), QStringLiteral("0A1B2C3D"));
        QVERIFY(allButtonsEnabled());

        // A band without its chip: the store leaves the row out, and says so.
        clickCell(2, kBand);
        typeIntoGrid("\r102\r");

        window->racesBox()->setChecked(true);
        click(LinkingWindow::UpdateClockButton);
        QVERIFY(allButtonsEnabled());
        QCOMPARE(sim->state().raceBlock.size(), 100);
        const QString said = window->statusLabel()->text();
        QVERIFY2(said.startsWith(QStringLiteral("Clock updated: 12345678 Jan Peeters, 2 pigeons, ")), qPrintable(said));
        QVERIFY2(said.endsWith(QStringLiteral(" s. 1 rows left out: a row is stored only with a band of 10 characters "
                                              "and a chip code of 8")),
                 qPrintable(said));
        const SimState written = sim->state();
        QCOMPARE(written.fancierBlocks.value(0).left(33), QByteArray("12345678Jan Peeters              "));
        QCOMPARE(written.records.size(), 3);
        QCOMPARE(written.records[0].data, QByteArray("999999"));
        QCOMPARE(written.records[1].data, QByteArray("AAAAAAAABE 23-0000100F"));
        QCOMPARE(written.records[2].data, QByteArray("0A1B2C3DBE 23-0000101F"));
        const QStringList stored = data->pigeonsOf(fancier);
        QCOMPARE(stored.size(), 2);

        // Read back into the database: the clock's pigeons are the stored ones,
        // which keep what the clock does not hold (colour, Security, the long band).
        dialogs->clearSeen();
        dialogs->answerMessage(QMessageBox::Yes);
        appState().currentFancierId = 0;
        click(LinkingWindow::ReadClockButton);
        QCOMPARE(dialogs->titlesAndTexts().size(), 1);
        QVERIFY(dialogs->titlesAndTexts()[0].startsWith(QStringLiteral("Pigeons present|")));
        QCOMPARE(appState().currentFancierId, fancier);
        QCOMPARE(data->pigeonsOf(fancier), stored);
        QCOMPARE(stored.first(), QStringLiteral("BE|23|0000000100|BLAU|F|AAAAAAAA|00|BE230000000100|0"));
        QCOMPARE(window->shownFancierId(), fancier);
        QCOMPARE(rowOf(window->grid(), 2), QStringLiteral("2|BE|23|0000000101||F|0A1B2C3D|"));
        QCOMPARE(window->headerLine(0)->text(), QStringLiteral("Name : Jan Peeters  - Licence : 12345678"));
        QVERIFY(allButtonsEnabled());
    }

    void multipleBandsRefuseAChipInUse()
    {
        startSimulator(ClockModel::Omnexa);
        openWindow();
        QTest::mouseClick(window->searchButton(0), Qt::LeftButton);
        clickCell(2, kBand);
        typeIntoGrid("101\r");
        // The chip of row 1 is held to the antenna again for row 2.
        sim->presentChip("AAAAAAAA");
        click(LinkingWindow::MultipleBands);
        const QString stopped = QStringLiteral("Multiple-bands stopped at row 2: take that pigeon off the antenna, "
                                               "then press Multiple-bands to go on from the next empty row");
        QCOMPARE(dialogs->titlesAndTexts(),
                 QStringList({"Row #1|El. band AAAAAAAA: already linked to a pigeon in this list \n\n" + stopped}));
        QCOMPARE(window->statusLabel()->text(), stopped);
        QCOMPARE(window->grid().cellText(2, kChip), QString());
        QVERIFY(allButtonsEnabled());

        // Pressed again before that pigeon is taken off, the run waits for
        // another chip; it goes into row 2, and the run ends at the row without a band.
        QTimer::singleShot(400, this, [this] { sim->presentChip("0A1B2C3D"); });
        click(LinkingWindow::MultipleBands);
        QCOMPARE(window->grid().cellText(2, kChip), QStringLiteral("0A1B2C3D"));
        QCOMPARE(window->grid().cellText(3, kChip), QString());
        QCOMPARE(dialogs->titlesAndTexts().size(), 1);
        QVERIFY(allButtonsEnabled());
    }
};

QTEST_MAIN(LinkingWindowTest)
#include "tst_linking_window.moc"
