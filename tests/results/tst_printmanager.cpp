// The print manager window driven offscreen: a read-out of the simulator's
// demonstration clock fills the flight list and the lines, the reports for
// one flight and all flights go to a PDF, the hidden "Linking" button imports
// into a database as delivered, and failures show "Fout : " titled "Linking".
#include "DemoClock.h"
#include "support/ShownCaption.h"
#include "Simulator.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include "database/SchemaUpgrade.h"
#include "results/PigeonFile.h"
#include "results/RaceData.h"
#include "results/ui/PrintManagerWindow.h"
#include "support/DeliveredClub.h"
#include "support/DeliveredDatabase.h"
#include "support/ModalAnswers.h"
#include "support/PdfWords.h"
#include "support/PreviewToPdf.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace durvek;
using namespace durvek::testing;
namespace sim = durvek::clocksim;

namespace {

QString field(const QString& text, int width) { return text.left(width).leftJustified(width, u' '); }

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

const QString kWarning = QString::number(int(QMessageBox::Warning));

} // namespace

class TestPrintManager : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<sim::Simulator> device;
    std::unique_ptr<PrintManagerWindow> window;
    std::unique_ptr<DeliveredClub> club;
    std::unique_ptr<ModalAnswers> boxes;
    QSqlDatabase db;
    PreviewToPdf preview;

    QString pigeonFilePath() const { return folder->filePath(QStringLiteral("duiven.txt")); }

    void startClock(const std::function<void(sim::Faults&)>& faults = {})
    {
        sim::SimulatorOptions options;
        options.lineDelay = false;
        device = std::make_unique<sim::Simulator>(sim::demoClock(sim::ClockModel::Omnexa), options);
        if (faults)
            device->changeFaults(faults);
        QVERIFY(device->start());
        const QString path = device->devicePath();
        clockLibrary().setPortResolver([path](uint8_t) { return path; });
    }

    void openWindow(const QString& pigeonFile = QString())
    {
        window = std::make_unique<PrintManagerWindow>(nullptr, pigeonFile.isEmpty() ? pigeonFilePath() : pigeonFile);
        preview = PreviewToPdf{folder->path()};
        window->setPrintoutHandler(preview.handler());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    // Every message box answered so far, as "icon|title|text".
    QStringList boxesSeen() const
    {
        QStringList lines;
        for (const SeenMessage& box : boxes->seen())
            lines << QStringLiteral("%1|%2").arg(int(box.icon)).arg(box.titleAndText());
        return lines;
    }

    void click(int button) { QTest::mouseClick(window->button(button), Qt::LeftButton); }

    void readClock()
    {
        click(PrintManagerWindow::ReadClock);
        QVERIFY(!window->isReading());
    }

    PdfWords printed()
    {
        click(PrintManagerWindow::Print);
        return PdfWords::read(preview.lastPdf);
    }

    // The flight table's rows, cells joined by "|".
    QStringList flightRows() const
    {
        QStringList rows;
        const QTableWidget* table = window->flightList();
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column)
                cells << table->item(row, column)->text();
            rows << cells.join(u'|');
        }
        return rows;
    }

    QStringList enabledButtons() const
    {
        QStringList names;
        for (int i = 0; i < PrintManagerWindow::kButtonCount; ++i) {
            if (window->button(i)->isEnabled())
                names << window->button(i)->objectName();
        }
        return names;
    }

    QStringList allButtons() const
    {
        QStringList names;
        for (int i = 0; i < PrintManagerWindow::kButtonCount; ++i)
            names << QStringLiteral("Command1_%1").arg(i);
        return names;
    }

private slots:
    void initTestCase()
    {
        if (!PdfWords::toolAvailable())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    void init()
    {
        folder = std::make_unique<QTemporaryDir>();
        club = std::make_unique<DeliveredClub>(DeliveredClub::AsDelivered);
        db = club->db();
        TextCatalogue::setConnectionName(QString::fromLatin1(ClubDatabase::kConnectionName));
        TextCatalogue::invalidate();
        appState().activeSettings = ClubSettings();
        raceData() = RaceData();
        linkBuffers().CancelRequested = false;
        boxes = std::make_unique<ModalAnswers>(ModalAnswers::Decline);
    }

    void cleanup()
    {
        window.reset();
        boxes.reset();
        clockLibrary().release();
        if (device)
            device->stop();
        device.reset();
        db = QSqlDatabase();
        club.reset();
        folder.reset();
    }

    void opensWithTheClubsCaptionsAndNothingRead()
    {
        openWindow();
        const QStringList captions = {"Read Clock", "Print", "Save", "Cancel", "Import pigeons", "Exit"};
        for (int i = 0; i < PrintManagerWindow::kButtonCount; ++i)
            QCOMPARE(durvek::testing::shownCaption(window->button(i)), captions[i]);
        QVERIFY(window->button(PrintManagerWindow::Linking)->isHidden());
        // Options and buttons each answer to a letter of their own.
        QCOMPARE(mnemonicFaults(window.get()), QString());
        const QStringList kinds = {"Overview", "Race", "Training", "Not arrived"};
        for (int i = 0; i < PrintManagerWindow::kKindCount; ++i)
            QCOMPARE(durvek::testing::shownCaption(window->kindButton(i)), kinds[i]);
        QVERIFY(window->kindButton(0)->isChecked());
        for (auto scope : {&PrintManagerWindow::raceScopeButton, &PrintManagerWindow::notArrivedScopeButton}) {
            QCOMPARE(durvek::testing::shownCaption(((*window).*scope)(0)), QStringLiteral("All"));
            QCOMPARE(durvek::testing::shownCaption(((*window).*scope)(1)), QStringLiteral("Flight"));
            QVERIFY(((*window).*scope)(0)->isChecked());
        }
        QCOMPARE(window->flightList()->rowCount(), 0);
        QStringList headings;
        for (int column = 0; column < window->flightList()->columnCount(); ++column)
            headings << window->flightList()->horizontalHeaderItem(column)->text();
        QCOMPARE(headings, QStringList({"Race", "No.", "Date", "Time", "Arrivals"}));
        for (QLabel* line : {window->statusLine(), window->fancierLine(), window->addressLine()})
            QCOMPARE(line->text(), QString());
        QCOMPARE(enabledButtons(), allButtons());
    }

    void readingTheDemoClockFillsTheListAndTheLines()
    {
        startClock();
        openWindow();
        readClock();

        // The flight texts decoded; arrivals count race and training arrivals, not the missing.
        QCOMPARE(flightRows(), QStringList({"NOYO|0001|15-06-24|07:30:00|2", "TRN1|0002|08-06-24|09:00:00|2"}));
        QCOMPARE(window->fancierLine()->text(), QStringLiteral("10234567 - ") + field(QStringLiteral("Demo Fancier"), 25));
        QCOMPARE(window->addressLine()->text(), QStringLiteral("Loftstraat 12 - 9000 - Veldwijk"));
        QVERIFY(window->statusLine()->text().startsWith(
            QStringLiteral("Race data read: 10234567 Demo Fancier, 2 flights, 7 pigeons, ")));
        QCOMPARE(enabledButtons(), allButtons());
        QCOMPARE(device->state().jobsEnded, 1);
        QCOMPARE(raceData().pigeonCount(), 7);
        QCOMPARE(fileBytes(pigeonFilePath()).size(), 4 + 7 * 127);
        QVERIFY(boxesSeen().isEmpty());
    }

    void onlyCancelAndExitWorkWhileTheClockIsCalled()
    {
        startClock([](sim::Faults& f) { f.silent = true; });
        openWindow();
        QStringList usable;
        QString waiting;
        bool clubResultUsable = true;
        QTimer::singleShot(400, this, [&] {
            usable = enabledButtons();
            clubResultUsable = window->findChild<QPushButton*>(QStringLiteral("AddToClubResult"))->isEnabled()
                || window->findChild<QPushButton*>(QStringLiteral("ClubResult"))->isEnabled();
            waiting = window->statusLine()->text();
            click(PrintManagerWindow::Cancel);
            // The read-out still runs its closing: the buttons stay as they are.
            QCOMPARE(enabledButtons(), usable);
        });
        readClock();
        QCOMPARE(usable, QStringList({"Command1_3", "Command1_5"}));
        QVERIFY(!clubResultUsable);
        // The status line counts the calls to a clock that does not answer.
        QVERIFY2(waiting.startsWith(QStringLiteral("Waiting for the clock ... 1 ")), qPrintable(waiting));
        QVERIFY(window->statusLine()->text().startsWith(
            QStringLiteral("Read Clock stopped by Cancel after 0 pigeons: nothing was stored (1 - no answer: ")));
        QCOMPARE(enabledButtons(), allButtons());
        // The clock never answered the end request either: no file.
        QVERIFY(!QFile::exists(pigeonFilePath()));
        QVERIFY(window->isVisible());
    }

    void escapeOrExitDuringAReadOutAsksThenEndsTheClockJobAndCloses()
    {
        startClock([](sim::Faults& f) { f.silent = true; });
        openWindow();
        boxes->setWindowUnderTest(window.get());
        bool readingAfterNo = false;
        QTimer::singleShot(300, this, [&] {
            // Declined: the read-out goes on.
            QTest::keyClick(window.get(), Qt::Key_Escape);
            readingAfterNo = window->isVisible() && window->isReading() && !linkBuffers().CancelRequested;
            device->changeFaults([](sim::Faults& f) { f.silent = false; });
            boxes->answerMessage(QMessageBox::Yes);
            click(PrintManagerWindow::Exit);
            QVERIFY(window->isVisible());
        });
        readClock();
        QVERIFY(readingAfterNo);
        const QString question = QString::number(int(QMessageBox::Question)) + u'|' + window->windowTitle() + u'|'
                               + GetText(200) + QStringLiteral(" ?");
        QCOMPARE(boxesSeen(), QStringList({question, question}));
        QVERIFY(!window->isVisible());
        QCOMPARE(window->result(), int(QDialog::Rejected));
        QCOMPARE(device->state().jobsEnded, 1);
        QVERIFY(!QFile::exists(pigeonFilePath())); // no pigeon entry was read
    }

    void exitClosesTheWindowOnly()
    {
        openWindow();
        bool quitting = false;
        QObject watch;
        connect(qApp, &QCoreApplication::aboutToQuit, &watch, [&] { quitting = true; });
        click(PrintManagerWindow::Exit);
        QVERIFY(!window->isVisible());
        QTest::qWait(50);
        QVERIFY(!quitting);
    }

    void aRefusingClockIsReportedAndLeavesNothingToPrint()
    {
        startClock([](sim::Faults& f) { f.refusals.append({0x51, 1, sim::RefusalScope::Any}); });
        openWindow();
        readClock();
        QCOMPARE(boxesSeen(), QStringList(kWarning + QStringLiteral("|Read Clock|")
                                          + GetText(70)));
        QCOMPARE(window->flightList()->rowCount(), 0);
        QCOMPARE(window->fancierLine()->text(), QString());
        QVERIFY(!QFile::exists(pigeonFilePath()));
        QCOMPARE(enabledButtons(), allButtons());
    }

    void aPigeonFileThatCannotBeWrittenShowsFout()
    {
        startClock();
        openWindow(folder->filePath(QStringLiteral("no-such-folder/duiven.txt")));
        readClock();
        QCOMPARE(boxesSeen().size(), 1);
        QVERIFY2(boxesSeen()[0].startsWith(kWarning + QStringLiteral("|Linking|Fout : ")), qPrintable(boxesSeen()[0]));
        QCOMPARE(enabledButtons(), allButtons());
        // What was read stays in memory for printing.
        QCOMPARE(raceData().pigeonCount(), 7);
    }

    void reportsForOneFlightAndForAllFlights()
    {
        startClock();
        appState().activeSettings.club = QStringLiteral("De Zwaluw");
        openWindow();
        readClock();

        // Each report is previewed first, proposed as a PDF named for it and today.
        PdfWords words = printed();
        QCOMPARE(preview.lastProposedName(), QStringLiteral("Overview 10234567 Demo Fancier 2026-06-15.pdf"));
        QCOMPARE(QFileInfo(preview.proposed.last()).absolutePath(), QDir(documentsFolder()).absolutePath());
        QCOMPARE(words.textAt(1, 10), QStringLiteral("Durvek Print - Manager - De Zwaluw"));
        QCOMPARE(words.textAt(1, 25), QStringLiteral("10234567 Demo Fancier"));
        QCOMPARE(words.textAt(1, 40), QStringLiteral("Aantal Timers : 2"));
        QCOMPARE(words.textAt(1, 55), QStringLiteral("Aantal Duiven : 7"));
        QCOMPARE(words.textAt(1, 60), QStringLiteral("# El. band Fed. band Race No. Date Time Order"));
        QCOMPARE(words.textAt(1, 95).left(2), QStringLiteral("7 "));
        QCOMPARE(words.textAt(1, 292), QStringLiteral("Page 1 of 1"));

        window->kindButton(int(ReportKind::Race))->click();
        words = printed();
        QCOMPARE(preview.lastProposedName(), QStringLiteral("Race 10234567 Demo Fancier 2026-06-15.pdf"));
        QVERIFY(words.textAt(1, 45).startsWith(QStringLiteral("NOYO 0001")));
        QVERIFY(words.textAt(1, 50).startsWith(QStringLiteral("TRN1 0002")));
        QCOMPARE(words.textAt(1, 60).left(10), QStringLiteral("1F2E3D4C B"));
        QVERIFY(words.textAt(1, 60).endsWith(QStringLiteral(" !")));
        QVERIFY(words.textAt(1, 65).endsWith(QStringLiteral(" 1")));
        QCOMPARE(words.textAt(1, 70), QString());

        // One flight with no flight chosen: the heading only.
        window->flightList()->setCurrentItem(nullptr);
        window->flightList()->clearSelection();
        window->raceScopeButton(int(ReportScope::OneFlight))->click();
        words = printed();
        QCOMPARE(words.textAt(1, 45), QString());

        window->flightList()->selectRow(0);
        words = printed();
        QVERIFY(words.textAt(1, 45).startsWith(QStringLiteral("NOYO 0001")));
        QCOMPARE(words.textAt(1, 50).left(8), QStringLiteral("El. band"));
        QCOMPARE(words.textAt(1, 55).left(8), QStringLiteral("1F2E3D4C"));
        QCOMPARE(words.textAt(1, 60).left(8), QStringLiteral("0A1B2C3D"));
        QCOMPARE(words.textAt(1, 65), QString());

        // The not-arrived pair keeps its own scope: all flights.
        window->kindButton(int(ReportKind::NotArrived))->click();
        words = printed();
        QVERIFY(words.textAt(1, 50).startsWith(QStringLiteral("TRN1 0002")));
        QCOMPARE(words.textAt(1, 60).left(8), QStringLiteral("55AA1234"));

        window->notArrivedScopeButton(int(ReportScope::OneFlight))->click();
        window->flightList()->selectRow(1);
        words = printed();
        QVERIFY(words.textAt(1, 45).startsWith(QStringLiteral("TRN1 0002")));
        QCOMPARE(words.textAt(1, 55), QString());

        window->kindButton(int(ReportKind::Training))->click();
        words = printed();
        QCOMPARE(preview.lastProposedName(), QStringLiteral("Training 10234567 Demo Fancier 2026-06-15.pdf"));
        QCOMPARE(words.textAt(1, 45).left(8), QStringLiteral("0A1B2C3D"));
        QCOMPARE(words.textAt(1, 50).left(8), QStringLiteral("6B7C8D9E"));
        QVERIFY(boxesSeen().isEmpty());
        QCOMPARE(enabledButtons(), allButtons());
    }

    // Without a stand-in the report opens the print preview, proposing the
    // report's PDF in the documents folder.
    void printOpensThePreviewOfTheReport()
    {
        startClock();
        openWindow();
        readClock();
        window->setPrintoutHandler(&showPrintPreview);
        window->kindButton(int(ReportKind::NotArrived))->click();
        QString seen;
        boxes->answer([&seen](QWidget* modal) {
            auto* preview = qobject_cast<PrintPreviewWindow*>(modal);
            if (preview) {
                preview->pages()->updatePreview();
                seen = QFileInfo(preview->proposedPdfPath()).fileName() + u'|'
                     + QString::number(preview->pages()->pageCount());
            }
            modal->close();
        });
        click(PrintManagerWindow::Print);
        QCOMPARE(seen, QStringLiteral("Not arrived 10234567 Demo Fancier %1.pdf|1")
                           .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
        QVERIFY(boxesSeen().isEmpty());
    }

    void aPrinterThatFailsShowsFout()
    {
        openWindow();
        window->setPrintoutHandler([this](QWidget* parent, const Printout& printout) {
            PrintPreviewWindow(printout, parent).saveAsPdf(folder->filePath(QStringLiteral("no-such-folder/report.pdf")));
        });
        click(PrintManagerWindow::Print);
        QCOMPARE(boxesSeen(), QStringList(kWarning + QStringLiteral("|Linking|Fout : The printer could not be started")));
        QCOMPARE(enabledButtons(), allButtons());
    }

    // "Add to club result": a flight must be chosen; the dialog's release data
    // and the clock's race entries are stored for the fancier of the clock.
    void addToClubResultStoresTheChosenFlight()
    {
        upgradeSchema(db);
        exec(db, "INSERT INTO fanciers (Licence, Name, sort, KYT, KXT) "
                 "VALUES ('10234567', 'Demo Fancier', 'DEMO', '51.08985', '04.42009')");
        startClock();
        openWindow();
        readClock();
        auto* add = window->findChild<QPushButton*>(QStringLiteral("AddToClubResult"));
        QVERIFY(add);
        window->flightList()->setCurrentItem(nullptr);
        window->flightList()->clearSelection();
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(boxes->seen().last().text, GetText(179));

        window->flightList()->selectRow(0);
        boxes->answer([](QWidget* dialog) {
            dialog->findChild<QDateEdit*>(QStringLiteral("raceDay"))->setDate(QDate(2024, 6, 15));
            dialog->findChild<QLineEdit*>(QStringLiteral("releasePoint"))->setText(QStringLiteral("Noyon"));
            dialog->findChild<QLineEdit*>(QStringLiteral("releaseLatitude"))->setText(QStringLiteral("N 49 53 38.64"));
            dialog->findChild<QLineEdit*>(QStringLiteral("releaseLongitude"))->setText(QStringLiteral("E 2 17 44.71"));
            dialog->findChild<QLineEdit*>(QStringLiteral("releaseTime"))->setText(QStringLiteral("07:30:00"));
            static_cast<QDialog*>(dialog)->accept();
        });
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(boxes->seen().last().icon, QMessageBox::Information);
        QCOMPARE(rows(db, "SELECT racedate, elcode, arrivaltime, status FROM clubarrivals ORDER BY rowid"),
                 QStringList({"2024-06-15|55AA1234|<null>|2", "2024-06-15|1F2E3D4C|11:25:09|!",
                              "2024-06-15|0A1B2C3D|11:27:31|1"}));
        QCOMPARE(rows(db, "SELECT point, releasetime FROM releasepoints JOIN racedays USING (race)"),
                 QStringList({"Noyon|07:30:00"}));
    }

    // With the server out of reach, the club result opens no window and a
    // clock is not added: one plain box each, and the print manager stays open.
    void aLostServerConnectionIsToldInOneBoxEach()
    {
        if (!onServer())
            QSKIP("about a server connection");
        startClock();
        openWindow();
        readClock();
        window->flightList()->selectRow(0);
        const ServerOutOfReach serverDown(db);
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("ClubResult")), Qt::LeftButton);
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("AddToClubResult")), Qt::LeftButton);
        QCOMPARE(boxesSeen(), QStringList({kWarning + u'|' + GetText(160) + u'|' + GetText(306),
                                           kWarning + u'|' + GetText(168) + u'|' + GetText(306)}));
        QVERIFY(window->isVisible());
    }

    // The buttons act on the selected flight: the list chooses the first one
    // when it is filled, and the row shown as current when Tab reaches it.
    void theFlightListSelectsWhatItShowsAsCurrent()
    {
        startClock();
        openWindow();
        readClock();
        QTableWidget* list = window->flightList();
        QVERIFY(list->rowCount() > 1);
        QCOMPARE(window->selection().flightIndex, list->item(0, 0)->data(Qt::UserRole).toInt());

        list->setCurrentCell(1, 0, QItemSelectionModel::Clear);
        QCOMPARE(window->selection().flightIndex, -1);
        window->button(PrintManagerWindow::Print)->setFocus();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        for (int tabs = 0; tabs < 30 && !list->hasFocus() && QApplication::focusWidget(); ++tabs)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(list->hasFocus());
        QCOMPARE(window->selection().flightIndex, list->item(1, 0)->data(Qt::UserRole).toInt());
    }

    // A clock whose licence is no club fancier's is refused at once, before
    // anything is filled in for it.
    void addToClubResultRefusesAClockOfNoClubFancierFirst()
    {
        upgradeSchema(db);
        startClock();
        openWindow();
        readClock();
        window->flightList()->selectRow(0);
        boxes->answerMessage(QMessageBox::Ok);
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("AddToClubResult")), Qt::LeftButton);
        QCOMPARE(boxesSeen(), QStringList(kWarning + u'|' + GetText(168) + u'|' + GetText(162).arg("10234567")));
        QCOMPARE(rows(db, "SELECT * FROM clubarrivals"), QStringList());
    }

    void saveChangesNothing()
    {
        startClock();
        openWindow();
        readClock();
        const QByteArray file = fileBytes(pigeonFilePath());
        const RaceData before = raceData();
        click(PrintManagerWindow::Save);
        QCOMPARE(fileBytes(pigeonFilePath()), file);
        QCOMPARE(raceData().results, before.results);
        QCOMPARE(window->flightList()->rowCount(), 2);
        QCOMPARE(enabledButtons(), allButtons());
    }

    void linkingImportsTheReadPigeons()
    {
        startClock();
        openWindow();
        readClock();
        const int pigeonsBefore = rows(db, QStringLiteral("SELECT * FROM duiven")).size();
        const int codesBefore = rows(db, QStringLiteral("SELECT * FROM elcodes")).size();

        window->button(PrintManagerWindow::Linking)->click();
        QVERIFY(boxesSeen().isEmpty());
        // Six pigeons (one flew in both flights), each with its own code.
        QCOMPARE(rows(db, QStringLiteral("SELECT * FROM duiven")).size(), pigeonsBefore + 6);
        QCOMPARE(rows(db, QStringLiteral("SELECT * FROM elcodes")).size(), codesBefore + 6);
        QCOMPARE(rows(db, QStringLiteral("SELECT d.land, d.jaar, d.ringcompleet, d.sex FROM elcodes e "
                                         "JOIN duiven d ON d.id = e.Id_duif WHERE e.elcode = '1F2E3D4C'")),
                 QStringList(QStringLiteral("BE |2023|BE 231234568|2")));

        // A second run links the same codes again and adds nothing.
        window->button(PrintManagerWindow::Linking)->click();
        QCOMPARE(rows(db, QStringLiteral("SELECT * FROM duiven")).size(), pigeonsBefore + 6);
        QCOMPARE(rows(db, QStringLiteral("SELECT * FROM elcodes")).size(), codesBefore + 6);
        QCOMPARE(enabledButtons(), allButtons());
    }

    void aFailedImportShowsFoutTitledLinking()
    {
        QList<ResultRecord> records;
        records << ResultRecord::fromPigeonText(QStringLiteral("0A1B2C3DBE 23-1234567 NOYO000100010000150624112731"
                                                               "1"));
        QVERIFY(SavePigeonFile(pigeonFilePath(), records));
        exec(db, QStringLiteral("DROP TABLE elcodes"));
        const int pigeonsBefore = rows(db, QStringLiteral("SELECT * FROM duiven")).size();
        openWindow();

        window->button(PrintManagerWindow::Linking)->click();
        QCOMPARE(boxesSeen().size(), 1);
        QVERIFY2(boxesSeen()[0].startsWith(kWarning + QStringLiteral("|Linking|Fout : ")), qPrintable(boxesSeen()[0]));
        QVERIFY(boxesSeen()[0].size() > QStringLiteral("1|Linking|Fout : ").size());
        // One transaction: the pigeon is not left behind without its code.
        QCOMPARE(rows(db, QStringLiteral("SELECT * FROM duiven")).size(), pigeonsBefore);
        // The file's records are in memory for printing all the same.
        QCOMPARE(raceData().pigeonCount(), 1);
        QCOMPARE(enabledButtons(), allButtons());
    }
};

QTEST_MAIN(TestPrintManager)
#include "tst_printmanager.moc"
