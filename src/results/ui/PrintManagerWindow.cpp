#include "results/ui/PrintManagerWindow.h"
#include "backup/ui/BackupBeforeBulkChange.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"
#include "clocklink/JobContext.h"
#include "clocklink/ui/CancelButton.h"
#include "clocklink/ui/JobProgress.h"
#include "clocklink/ui/WidgetJobHost.h"
#include "clubresult/ui/AddToClubResultDialog.h"
#include "clubresult/ui/ClubResultWindow.h"
#include "common/AppState.h"
#include "common/PagePrinter.h"
#include "common/TextCatalogue.h"
#include "common/ui/Captions.h"
#include "common/ui/DatabaseErrorBox.h"
#include "common/ui/WindowSetUp.h"
#include "database/ClubDatabase.h"
#include "results/FlightTableRow.h"
#include "results/PigeonFile.h"
#include "results/PigeonImport.h"
#include "results/RaceData.h"
#include "results/ReadRaceData.h"
#include "results/ReportPrinter.h"
#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTableWidget>
#include <QVBoxLayout>
#include <exception>

namespace durvek {

namespace {

struct CaptionedControl {
    const char* designCaption;
    int textNumber;
};

const std::array<CaptionedControl, PrintManagerWindow::kButtonCount> kButtons = {{
    {"Lees Klok", 49},
    {"Afdrukken", 91},
    {"Bewaar", 90},
    {"Afbreken", 27},
    {"Linking", 99},
    {"Exit", 6},
}};

const std::array<CaptionedControl, PrintManagerWindow::kKindCount> kKinds = {{
    {"Overzicht", 94},
    {"Wedstrijd", 93},
    {"Training", 95},
    {"Niet aangekomen", 96},
}};

const std::array<CaptionedControl, 2> kScopes = {{
    {"Alle", 92},
    {"Vlucht", 101},
}};

constexpr int kStopReadingText = 200;

const QString kErrorTitle = QStringLiteral("Linking");
const QString kErrorPrefix = QStringLiteral("Fout : ");

// The flight list item's flight, an index into RaceData::flights.
constexpr int kFlightIndexRole = Qt::UserRole;

// The clock's texts are fixed-width fields; they line up in a fixed font.
QFont fixedFont()
{
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

} // namespace

PrintManagerWindow::PrintManagerWindow(QWidget* parent, QString pigeonFilePath)
    : QDialog(parent)
    , m_pigeonFilePath(pigeonFilePath.isEmpty() ? defaultPigeonFilePath() : std::move(pigeonFilePath))
    , m_printoutHandler(&showPrintPreview)
{
    setObjectName(QStringLiteral("frmafdrukken"));
    setWindowTitle(QStringLiteral("Durvek Print - Manager"));
    setModal(true);

    m_flights = new QTableWidget(0, FlightTableRow::kColumnCount, this);
    m_flights->setObjectName(QStringLiteral("Vluchten"));
    m_flights->setSelectionMode(QAbstractItemView::SingleSelection);
    m_flights->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_flights->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A list to choose from: Tab goes on to the report options.
    m_flights->setTabKeyNavigation(false);
    // Reached by Tab, the list shows a current row; the buttons act on the
    // selected one, so the two must not differ.
    m_flights->installEventFilter(this);
    m_flights->verticalHeader()->hide();
    m_flights->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_flights->setMinimumWidth(m_flights->fontMetrics().horizontalAdvance(QString(40, u'W')));

    auto* upper = new QHBoxLayout;
    upper->addWidget(m_flights, 1);
    upper->addWidget(buildKindFrame());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper, 1);
    const char* const labelNames[3] = {"Label1_0", "Label1_1", "Label1_2"};
    for (int i : {1, 2, 0}) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(labelNames[i]));
        label->setFont(fixedFont());
        label->setMinimumHeight(label->fontMetrics().height() + 6);
        label->setTextFormat(Qt::PlainText);
        if (i == 0) {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            // Line results and closing sentences run longer than the window is wide.
            label->setWordWrap(true);
        }
        m_labels[size_t(i)] = label;
        layout->addWidget(label);
    }
    m_jobProgress = new JobProgress(this);
    layout->addWidget(m_jobProgress);
    layout->addWidget(buildButtonRow());

    // On load: empty lines, the club's captions, the import not offered.
    for (QLabel* label : m_labels)
        label->setText(QString());
    applyCaptions(this);
    QStringList headings;
    for (int number : FlightTableRow::kHeadingTexts)
        headings << GetText(number);
    m_flights->setHorizontalHeaderLabels(headings);
    m_buttons[Linking]->setVisible(false);
    finishWindowSetUp(this);
}

QWidget* PrintManagerWindow::buildKindFrame()
{
    auto* frame = new QGroupBox(this);
    auto* grid = new QGridLayout(frame);
    m_kindGroup = new QButtonGroup(this);
    for (int index = 0; index < kKindCount; ++index) {
        auto* option = new QRadioButton(QString::fromLatin1(kKinds[size_t(index)].designCaption), frame);
        option->setObjectName(QStringLiteral("Option3_%1").arg(index));
        setCaptionNumber(option, kKinds[size_t(index)].textNumber);
        m_kindGroup->addButton(option, index);
        m_kindButtons[size_t(index)] = option;
        grid->addWidget(option, index, 0);
    }
    m_kindButtons[size_t(ReportKind::Overview)]->setChecked(true);

    QWidget* raceScope = buildScopeFrame(m_raceScope, m_raceScopeGroup);
    QWidget* notArrivedScope = buildScopeFrame(m_notArrivedScope, m_notArrivedScopeGroup);
    for (int index = 0; index < 2; ++index) {
        m_raceScope[size_t(index)]->setObjectName(QStringLiteral("Option1_%1").arg(index));
        m_notArrivedScope[size_t(index)]->setObjectName(QStringLiteral("Option2_%1").arg(index));
    }
    grid->addWidget(raceScope, int(ReportKind::Race), 1);
    grid->addWidget(notArrivedScope, int(ReportKind::NotArrived), 1);
    grid->setRowStretch(kKindCount, 1);
    return frame;
}

QWidget* PrintManagerWindow::buildScopeFrame(std::array<QRadioButton*, 2>& buttons, QButtonGroup*& group)
{
    auto* frame = new QGroupBox(this);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(8, 2, 8, 2);
    group = new QButtonGroup(this);
    for (int index = 0; index < 2; ++index) {
        auto* option = new QRadioButton(QString::fromLatin1(kScopes[size_t(index)].designCaption), frame);
        setCaptionNumber(option, kScopes[size_t(index)].textNumber);
        group->addButton(option, index);
        buttons[size_t(index)] = option;
        row->addWidget(option);
    }
    buttons[size_t(ReportScope::AllFlights)]->setChecked(true);
    return frame;
}

QWidget* PrintManagerWindow::buildButtonRow()
{
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 6, 0, 0);
    for (int index = 0; index < kButtonCount; ++index) {
        auto* button = new QPushButton(QString::fromLatin1(kButtons[size_t(index)].designCaption), panel);
        button->setObjectName(QStringLiteral("Command1_%1").arg(index));
        button->setAutoDefault(false);
        button->setMinimumWidth(100);
        setCaptionNumber(button, kButtons[size_t(index)].textNumber);
        connect(button, &QPushButton::clicked, this, [this, index] { onButton(index); });
        m_buttons[size_t(index)] = button;
        row->addWidget(button);
    }
    // Next to "Read Clock": each clock of the evening goes into the club
    // result right after its read-out.
    auto* clubResult = new QPushButton(GetText(168), panel);
    clubResult->setObjectName(QStringLiteral("AddToClubResult"));
    clubResult->setAutoDefault(false);
    setCaptionNumber(clubResult, 168);
    connect(clubResult, &QPushButton::clicked, this, &PrintManagerWindow::addReadClockToClubResult);
    row->insertWidget(ReadClock + 1, clubResult);
    auto* showClubResult = new QPushButton(GetText(160), panel);
    showClubResult->setObjectName(QStringLiteral("ClubResult"));
    showClubResult->setAutoDefault(false);
    setCaptionNumber(showClubResult, 160);
    connect(showClubResult, &QPushButton::clicked, this, &PrintManagerWindow::showClubResult);
    row->insertWidget(ReadClock + 2, showClubResult);
    m_clubResultButtons = {clubResult, showClubResult};
    connectCancelButton(m_buttons[Cancel]);
    return panel;
}

ReportSelection PrintManagerWindow::selection() const
{
    ReportSelection chosen;
    chosen.kind = ReportKind(qMax(0, m_kindGroup->checkedId()));
    chosen.raceScope = ReportScope(qMax(0, m_raceScopeGroup->checkedId()));
    chosen.notArrivedScope = ReportScope(qMax(0, m_notArrivedScopeGroup->checkedId()));
    // Every cell of a row carries the row's flight.
    const QList<QTableWidgetItem*> selected = m_flights->selectedItems();
    chosen.flightIndex = selected.isEmpty() ? -1 : selected.first()->data(kFlightIndexRole).toInt();
    return chosen;
}

void PrintManagerWindow::showFancierLine(const QString& text) { fancierLine()->setText(text); }

void PrintManagerWindow::showAddressLine(const QString& text) { addressLine()->setText(text); }

void PrintManagerWindow::clearFlightList() { m_flights->setRowCount(0); }

// The read-out announces each flight with the clock's run-together flight
// text; the table shows the flight it has just stored, decoded.
void PrintManagerWindow::addFlightItem(const QString& text, int flightIndex)
{
    const FlightEntry flight = flightIndex < raceData().flightCount() ? raceData().flights[flightIndex]
                                                                      : FlightEntry::fromFlightText(text);
    const QStringList cells = FlightTableRow::of(flight, raceData().results).cells;
    const int row = m_flights->rowCount();
    m_flights->insertRow(row);
    for (int column = 0; column < cells.size(); ++column) {
        auto* item = new QTableWidgetItem(cells[column]);
        item->setData(kFlightIndexRole, flightIndex);
        if (column == FlightTableRow::Arrivals)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_flights->setItem(row, column, item);
    }
    if (!m_flights->selectionModel()->hasSelection())
        m_flights->selectRow(0);
}

bool PrintManagerWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_flights && event->type() == QEvent::FocusIn && m_flights->currentRow() >= 0
        && !m_flights->selectionModel()->hasSelection())
        m_flights->selectRow(m_flights->currentRow());
    return QDialog::eventFilter(watched, event);
}

// The arrivals are known only once the pigeon entries are in, after the
// flights (a read-out) or instead of them (an import).
void PrintManagerWindow::showArrivals()
{
    for (int row = 0; row < m_flights->rowCount(); ++row) {
        const int flightIndex = m_flights->item(row, 0)->data(kFlightIndexRole).toInt();
        if (flightIndex >= 0 && flightIndex < raceData().flightCount()) {
            m_flights->item(row, FlightTableRow::Arrivals)
                ->setText(QString::number(arrivalsIn(raceData().flights[flightIndex].key(), raceData().results)));
        }
    }
}

void PrintManagerWindow::reject()
{
    if (m_reading) {
        // A slip of Escape must not throw away a read-out under way.
        if (m_closeAfterReading || !askToStopReading())
            return;
        m_closeAfterReading = true;
        linkBuffers().CancelRequested = true;
        return;
    }
    QDialog::reject();
}

bool PrintManagerWindow::askToStopReading()
{
    QMessageBox box(QMessageBox::Question, windowTitle(), GetText(kStopReadingText) + QStringLiteral(" ?"),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void PrintManagerWindow::onButton(int index)
{
    // A click that arrives while a read-out runs (Cancel or Exit) leaves the
    // buttons to the read-out, which restores them when it ends.
    const bool interruptsReading = m_reading;
    setButtonsBusy(true);
    try {
        runButton(index);
    } catch (const std::exception& error) {
        showError(QString::fromUtf8(error.what()));
    }
    if (!interruptsReading) {
        setButtonsBusy(false);
        showArrivals();
    }
    if (m_closeAfterReading && !m_reading) {
        m_closeAfterReading = false;
        QDialog::reject();
    }
}

void PrintManagerWindow::runButton(int index)
{
    switch (index) {
    case ReadClock: readClock(); break;
    case Print: printReport(); break;
    case Save: break; // the read-out itself keeps the pigeon file
    case Cancel: cancelReadout(); break;
    case Linking: linkPigeons(); break;
    case Exit: reject(); break;
    default: break;
    }
}

void PrintManagerWindow::setButtonsBusy(bool busy)
{
    for (QPushButton* button : m_buttons)
        button->setEnabled(!busy);
    for (QPushButton* button : m_clubResultButtons) {
        if (button)
            button->setEnabled(!busy);
    }
    m_buttons[Cancel]->setEnabled(true);
    m_buttons[Exit]->setEnabled(true);
}

void PrintManagerWindow::readClock()
{
    const QScopedValueRollback<bool> reading(m_reading, true);
    WidgetJobHost host(this, statusLine(), m_jobProgress);
    const JobContext job{host, clockLibrary(), LinkParams::fromSettings(appState().activeSettings),
                         [](int number) { return GetText(number); }};
    const ReadoutEnd end = ReadRaceData(job, *this, raceData(), m_pigeonFilePath).run();
    if (end.kind == ReadoutEnd::Failed)
        showError(end.error);
}

void PrintManagerWindow::printReport()
{
    const ReportSelection chosen = selection();
    const TextLookup catalogue = [](int number) { return GetText(number); };
    const ReportWording wording{appState().activeSettings.club, catalogue};
    Printout printout;
    printout.subject = reportSubject(chosen.kind, raceData(), catalogue);
    printout.print = [chosen, wording](QPagedPaintDevice* device) {
        PagePrinter page(device);
        ReportPrinter(page, raceData(), wording).print(chosen);
        return page.errorText();
    };
    printout.reportFailure = [this](const QString& error) { showError(error); };
    m_printoutHandler(this, printout);
}

void PrintManagerWindow::linkPigeons()
{
    if (!backupBeforeBulkChange(this, BackupReason::Import))
        return;
    LinkPigeons(ClubDatabase::get(), m_pigeonFilePath, raceData(),
                [this](const QString& message, const QString& title) { warn(message, title); });
}

// A club result that cannot be read opens no window; the evening's read-outs
// stay on screen.
void PrintManagerWindow::showClubResult()
{
    try {
        openClubResult(ClubDatabase::get(), this);
    } catch (const DatabaseError& error) {
        showDatabaseError(this, GetText(160), error);
    }
}

void PrintManagerWindow::addReadClockToClubResult()
{
    if (m_reading)
        return;
    const int flightIndex = selection().flightIndex;
    if (flightIndex < 0) {
        warn(GetText(179), GetText(168));
        return;
    }
    try {
        askAndAddToClubResult(ClubDatabase::get(), flightIndex, this);
    } catch (const DatabaseError& error) {
        // The plain sentence, with the engine's text and the SQL under Details.
        showDatabaseError(this, GetText(168), error);
    } catch (const std::exception& error) {
        showError(QString::fromUtf8(error.what()));
    }
}

void PrintManagerWindow::cancelReadout()
{
    linkBuffers().CancelRequested = true;
    statusLine()->clear();
}

void PrintManagerWindow::showError(const QString& description)
{
    warn(kErrorPrefix + description, kErrorTitle);
}

void PrintManagerWindow::warn(const QString& message, const QString& title)
{
    QApplication::beep();
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, this);
    box.exec();
}

void openPrintManager(QWidget* parent)
{
    PrintManagerWindow window(parent);
    window.exec();
}

} // namespace durvek
