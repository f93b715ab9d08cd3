#include "linking/ui/LinkingWindow.h"
#include "backup/ui/BackupBeforeBulkChange.h"
#include "clocklink/BandReadingJobs.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/ClockModel.h"
#include "clocklink/ClockReadJob.h"
#include "clocklink/ClockUpdateJob.h"
#include "clocklink/Frames.h"
#include "clocklink/JobSentence.h"
#include "clocklink/ui/ClockModelOptions.h"
#include "clocklink/ui/JobProgress.h"
#include "common/AppState.h"
#include "common/PagePrinter.h"
#include "common/TextCatalogue.h"
#include "common/ui/Captions.h"
#include "common/ui/DatabaseErrorBox.h"
#include "common/ui/FilteredLineEdit.h"
#include "common/ui/UnsavedEdits.h"
#include "common/ui/WindowSetUp.h"
#include "database/ClubDatabase.h"
#include "database/FancierRevision.h"
#include "fanciers/ui/FancierSearchWindow.h"
#include "linking/ChipCodeInUse.h"
#include "linking/ChipCodeOfAnotherFancier.h"
#include "linking/GenerateBands.h"
#include "linking/LinkingPrintout.h"
#include "linking/LinkingStore.h"
#include "linking/PigeonGridLoad.h"
#include "linking/SaveLinking.h"
#include "linking/ui/PigeonGridView.h"
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace durvek {

namespace {

constexpr int kNoFancierText = 56;
constexpr int kNoFancierTitle = 57;
constexpr int kRowTitleText = 58;
constexpr int kStopJobText = 64;
constexpr int kRestoreQuestionText = 275;
constexpr int kListRestoredText = 300;

struct ButtonDesign {
    const char* caption;
    int number;
};

constexpr ButtonDesign kSearchDesign[LinkingWindow::kSearchButtonCount] = {
    {"Licence", 8}, {"Name", 9}, {"Record #", 43}};

constexpr ButtonDesign kActionDesign[LinkingWindow::kLinkButtonCount] = {
    {"Single-band", 44},  {"Multiple-bands", 45}, {"Generate Bands", 46}, {"Update Database", 47},
    {"Cancel", 27},       {"Update Clock", 48},   {"Read Clock", 49},     {"Exit", 6}};
constexpr ButtonDesign kRestoreDesign = {"Restore previous list", 274};

// The From box takes any key: its mask is no token at all.
const QString kAnyKeyMask = QStringLiteral("\"  \"");
const QString kDigitsMask = QStringLiteral("/N ");

QPushButton* makeButton(const ButtonDesign& design, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromLatin1(design.caption), parent);
    button->setAutoDefault(false);
    setCaptionNumber(button, design.number);
    return button;
}

QString catalogueText(int number)
{
    return GetText(number);
}

} // namespace

void openLinkingWindow(QWidget* parent)
{
    LinkingWindow window(parent);
    window.exec();
}

LinkingWindow::LinkingWindow(QWidget* parent)
    : QDialog(parent)
    , m_search(&runFancierSearch)
    , m_printoutHandler(&showPrintPreview)
{
    m_editContext = programEditContext([this](const QString& message, const QString& title) {
        m_host->warn(message, title);
    });
    buildControls();
    m_host = std::make_unique<WidgetJobHost>(this, m_status, m_jobProgress);
    applyTexts();
    // No fancier is shown yet; one the run already works on is shown at once,
    // so that storing never meets a grid that was not loaded for it.
    ResetPigeonGrid(m_grid, &catalogueText);
    m_grid.setRowCount(1);
    if (appState().currentFancierId != 0) {
        try {
            ShowFancier();
        } catch (const DatabaseError& error) {
            keepWindowUnmadeIfConnectionLost(error);
            // Any other refusal: the window still opens, with no fancier shown; storing then refuses.
            m_host->warnDatabaseError(error, m_title->text());
        }
    }
    finishWindowSetUp(this);
}

LinkingWindow::~LinkingWindow() = default;

void LinkingWindow::buildControls()
{
    setModal(true);
    auto* layout = new QGridLayout(this);
    m_title = new QLabel(QStringLiteral("Linking federation-bands to electronic-bands"), this);
    setCaptionNumber(m_title, 42);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    m_title->setFont(titleFont);
    layout->addWidget(m_title, 0, 0, 1, 2);
    layout->addWidget(buildLeftColumn(), 1, 0);
    layout->addWidget(buildRightColumn(), 1, 1, Qt::AlignTop);
    layout->setColumnStretch(0, 1);
    setWindowTitle(m_title->text());
}

QWidget* LinkingWindow::buildLeftColumn()
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* frame = new QGroupBox(column);
    auto* frameLayout = new QVBoxLayout(frame);
    for (QLabel*& line : m_headerLines) {
        line = new QLabel(frame);
        line->setTextFormat(Qt::PlainText);
        line->setMinimumWidth(420);
        frameLayout->addWidget(line);
    }
    layout->addWidget(frame);
    m_status = new QLabel(column);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setMinimumHeight(m_status->fontMetrics().height() + 4);
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    m_jobProgress = new JobProgress(column);
    layout->addWidget(m_jobProgress);
    m_gridView = std::make_unique<PigeonGridView>(m_grid, m_editContext, [this] { return fancierShown(); }, column);
    // About 6600 by 6000 twips.
    m_gridView->setMinimumSize(6600 * logicalDpiX() / 1440 + 4, 6000 * logicalDpiY() / 1440);
    layout->addWidget(m_gridView.get(), 1);
    return column;
}

QWidget* LinkingWindow::buildRightColumn()
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < kSearchButtonCount; ++i) {
        m_searchButtons[size_t(i)] = makeButton(kSearchDesign[i], column);
        connect(m_searchButtons[size_t(i)], &QPushButton::clicked, this, [this, i] { searchFancier(i); });
        layout->addWidget(m_searchButtons[size_t(i)]);
    }
    auto* perClockFrame = new QGroupBox(column);
    auto* perClockLayout = new QHBoxLayout(perClockFrame);
    for (int i = 0; i < kFanciersPerClockChoices; ++i) {
        m_perClock[size_t(i)] = new QRadioButton(QString::number(i + 1), perClockFrame);
        perClockLayout->addWidget(m_perClock[size_t(i)]);
    }
    m_perClock[0]->setChecked(true);
    layout->addWidget(perClockFrame);
    m_restore = makeButton(kRestoreDesign, column);
    m_restore->setEnabled(false);
    connect(m_restore, &QPushButton::clicked, this, &LinkingWindow::restoreList);
    for (int i = 0; i < kLinkButtonCount; ++i) {
        m_actionButtons[size_t(i)] = makeButton(kActionDesign[i], column);
        connect(m_actionButtons[size_t(i)], &QPushButton::clicked, this, [this, i] { LinkButtonDispatch(i); });
        layout->addWidget(m_actionButtons[size_t(i)]);
        // Undoing a store sits under the store.
        if (i == UpdateDatabase)
            layout->addWidget(m_restore);
    }
    m_printout = new QCheckBox(QStringLiteral("Printout"), column);
    m_races = new QCheckBox(QStringLiteral("Races"), column);
    layout->addWidget(m_printout);
    layout->addWidget(m_races);
    auto* range = new QGridLayout;
    m_fromLabel = new QLabel(QStringLiteral("From :"), column);
    m_toLabel = new QLabel(QStringLiteral("To :"), column);
    m_from = new FilteredLineEdit(kAnyKeyMask, column);
    m_to = new FilteredLineEdit(kDigitsMask, column);
    for (FilteredLineEdit* box : {m_from, m_to})
        box->installEventFilter(this);
    range->addWidget(m_fromLabel, 0, 0);
    range->addWidget(m_from, 0, 1);
    range->addWidget(m_toLabel, 1, 0);
    range->addWidget(m_to, 1, 1);
    m_fromLabel->setBuddy(m_from);
    m_toLabel->setBuddy(m_to);
    layout->addLayout(range);
    auto* modelFrame = new QGroupBox(column);
    auto* modelLayout = new QVBoxLayout(modelFrame);
    m_models = addClockModelOptions(modelFrame, modelLayout);
    layout->addWidget(modelFrame);
    layout->addStretch(1);
    return column;
}

void LinkingWindow::applyTexts()
{
    setCaptionNumber(m_printout, 50);
    setCaptionNumber(m_races, 86);
    setCaptionNumber(m_fromLabel, 51);
    setCaptionNumber(m_toLabel, 52);
    applyCaptions(this);
    setWindowTitle(m_title->text());
    clearHeader();
    m_status->clear();
}

void LinkingWindow::clearHeader()
{
    for (QLabel* line : m_headerLines)
        line->clear();
    m_from->clear();
    m_to->clear();
}

void LinkingWindow::showEvent(QShowEvent* event)
{
    // The clock model of the settings is the one offered on opening; a
    // choice made here holds while the window is open.
    if (!event->spontaneous()) {
        if (QRadioButton* model = modelOption(appState().activeSettings.protocol))
            model->setChecked(true);
    }
    QDialog::showEvent(event);
}

bool LinkingWindow::fancierShown() const
{
    return appState().currentFancierId != 0;
}

void LinkingWindow::ShowFancier()
{
    // What the window said about one fancier's list must not stand beside
    // another's.
    if (appState().currentFancierId != m_shownFancierId) {
        clearJobStatus();
        m_chipLeftOnAntenna.clear();
    }
    loadFancier();
    m_gridEdits.markStored(m_grid);
}

void LinkingWindow::loadFancier()
{
    ResetPigeonGrid(m_grid, &catalogueText);
    m_grid.setRowCount(1);
    clearHeader();
    m_shownFancierId = 0;
    m_restore->setEnabled(false);
    const int32_t id = appState().currentFancierId;
    if (id == 0)
        return;
    const QSqlDatabase db = ClubDatabase::get();
    // Read before the list: a store of another PC in between makes this
    // window's store refuse rather than overwrite a list it did not show.
    const qint64 revision = fancierRevision(db, id);
    const std::optional<QStringList> lines = fancierHeaderLines(db, id, &catalogueText);
    if (!lines)
        return;
    for (int i = 0; i < 3; ++i)
        m_headerLines[size_t(i)]->setText(lines->value(i));
    LoadPigeonGrid(m_grid, db, id, appState().activeSettings.sort, &catalogueText);
    m_shownFancierId = id;
    m_shownRevision = revision;
    updateRestoreButton();
}

void LinkingWindow::clearJobStatus()
{
    m_status->clear();
    m_jobProgress->finish();
}

void LinkingWindow::searchFancier(int mode)
{
    if (m_jobRunning || !m_search)
        return;
    try {
        // A search window that cannot read the fanciers stays unmade: the
        // fancier shown stays, and the box below is the only one.
        m_search(this, mode);
        update();
        if (linkBuffers().CancelRequested)
            return;
        ShowFancier();
    } catch (const DatabaseError& error) {
        m_host->warnDatabaseError(error, m_title->text());
    }
}

void LinkingWindow::DisableLinkButtons()
{
    for (QPushButton* button : m_searchButtons)
        button->setEnabled(false);
    for (QPushButton* button : m_actionButtons)
        button->setEnabled(false);
    m_actionButtons[Cancel]->setEnabled(true);
    m_restore->setEnabled(false);
}

void LinkingWindow::EnableLinkButtons()
{
    // A job gives the buttons back only when it is over: until then a second
    // job would share the link buffers with it.
    if (m_jobRunning)
        return;
    for (QPushButton* button : m_searchButtons)
        button->setEnabled(true);
    for (QPushButton* button : m_actionButtons)
        button->setEnabled(true);
    updateRestoreButton();
}

void LinkingWindow::LinkButtonDispatch(int index)
{
    if (index < 0 || index >= kLinkButtonCount)
        return;
    const bool needsFancier = index != ReadClockButton && index != Exit && index != Cancel;
    if (needsFancier && appState().currentFancierId == 0) {
        m_host->warn(GetText(kNoFancierText), GetText(kNoFancierTitle));
        return;
    }
    if (index == Cancel) {
        askCancel();
        return;
    }
    if (m_jobRunning)
        return;
    if (index == Exit) {
        close();
        return;
    }
    linkBuffers().CancelRequested = false;
    DisableLinkButtons();
    m_jobRunning = true;
    JobContext job{*m_host, clockLibrary(), LinkParams::fromSettings(appState().activeSettings), &catalogueText};
    try {
        runOperation(index, job);
    } catch (const DatabaseError& error) {
        m_host->warnDatabaseError(error, m_actionButtons[size_t(index)]->text());
    }
    m_jobRunning = false;
    EnableLinkButtons();
    update();
}

ChipCodeCheck LinkingWindow::chipCodeOfAnotherFancier(JobContext& job)
{
    return [this, &job](const QString& code, const QString& stopNote) {
        return ChipCodeOfAnotherFancier(code, ClubDatabase::get(), m_shownFancierId, m_grid.currentRow(),
                                        job.host, job.text, stopNote);
    };
}

void LinkingWindow::runOperation(int index, JobContext& job)
{
    const QSqlDatabase db = ClubDatabase::get();
    auto enable = [this] { EnableLinkButtons(); };
    switch (index) {
    case SingleBand: {
        BandReadingJobs jobs(job, m_grid, enable);
        jobs.setOwnerCheck(chipCodeOfAnotherFancier(job));
        jobs.ReadSingleBand();
        break;
    }
    case MultipleBands: {
        BandReadingJobs jobs(job, m_grid, enable);
        jobs.setOwnerCheck(chipCodeOfAnotherFancier(job));
        m_chipLeftOnAntenna = jobs.ReadMultipleBands(
                                      [this, &job](const QString& code, const QString& stopNote) {
                                          return ChipCodeInUse(code, m_grid, job.host, job.text, stopNote);
                                      },
                                      m_chipLeftOnAntenna)
                                  .codeInUse;
        break;
    }
    case GenerateBandsButton:
        generateBands();
        break;
    case UpdateDatabase:
        updateDatabase(job);
        break;
    case UpdateClockButton: {
        UpdateClockRequest request;
        request.fancierId = appState().currentFancierId;
        request.modelIndex = selectedModel();
        request.fanciersPerClock = fanciersPerClock();
        request.races = m_races->isChecked();
        request.sortByBand = appState().activeSettings.sort;
        // Counted before the store, which drops the rows it cannot keep.
        auto store = [this] {
            const int leftOut = incompleteRowCount(m_grid);
            return storeGrid() ? leftOut : 0;
        };
        UpdateClock(job, db, request, {store, enable});
        break;
    }
    case ReadClockButton:
        if (!backupBeforeBulkChange(this, BackupReason::ReadClock))
            break;
        ReadClock(job, db, selectedModel(), {[this] { ShowFancier(); }, enable});
        break;
    default:
        break;
    }
}

void LinkingWindow::generateBands()
{
    if (m_shownFancierId == 0)
        return;
    GenerateBands(m_grid, m_from->text(), m_to->text(), m_editContext);
}

void LinkingWindow::updateRestoreButton()
{
    bool previousListKept = false;
    try {
        previousListKept = m_shownFancierId != 0 && backupHoldsListOf(ClubDatabase::get(), m_shownFancierId);
    } catch (const DatabaseError&) {
        // Without a readable backup there is nothing to bring back.
    }
    m_restore->setEnabled(!m_jobRunning && previousListKept);
}

// The list stored before the last store comes back; what the grid shows
// unstored is dropped, as the question says.
void LinkingWindow::restoreList()
{
    if (m_jobRunning || m_shownFancierId == 0 || m_shownFancierId != appState().currentFancierId)
        return;
    const QString title = GetText(kRestoreDesign.number);
    if (!m_host->ask(GetText(kRestoreQuestionText) + QStringLiteral(" ?"), title))
        return;
    try {
        const int restored = restorePreviousList(ClubDatabase::get(), m_shownFancierId, m_shownRevision);
        ShowFancier();
        // The lists may look alike: without a sentence the user cannot tell the swap was made.
        m_status->setText(GetText(kListRestoredText)
                              .arg(fancierLicenceAndName(ClubDatabase::get(), m_shownFancierId),
                                   QString::number(restored)));
    } catch (const DatabaseError& error) {
        m_host->warnDatabaseError(error, title);
    }
}

std::optional<int> LinkingWindow::storeGrid()
{
    const int32_t id = appState().currentFancierId;
    if (id == 0 || id != m_shownFancierId) {
        // The grid on screen is not this fancier's list: storing it would
        // replace the fancier's pigeons with another list or none.
        m_host->warn(GetText(kNoFancierText), GetText(kNoFancierTitle));
        return std::nullopt;
    }
    const std::optional<int> stored = SaveLinking(ClubDatabase::get(), id, m_shownRevision, m_grid,
                                                  m_printout->isChecked(), *m_host, &catalogueText,
                                                  [this] { printList(); });
    if (stored)
        m_gridEdits.markStored(m_grid);
    return stored;
}

// The grid is reloaded after storing, so the rows that could not be stored
// vanish from the screen; the sentence says how many, and what was stored.
void LinkingWindow::updateDatabase(JobContext& job)
{
    const JobSentence say(job.text);
    const QString jobName = GetText(kActionDesign[UpdateDatabase].number);
    const int leftOut = incompleteRowCount(m_grid);
    try {
        const std::optional<int> stored = storeGrid();
        if (!stored) {
            job.host.finished(say.stopped(jobName, GetText(kNoFancierText)));
            return;
        }
        ShowFancier();
        job.host.finished(say.listStored(fancierLicenceAndName(ClubDatabase::get(), m_shownFancierId), *stored,
                                         leftOut));
    } catch (const DatabaseError& error) {
        job.host.warnDatabaseError(error, jobName);
        job.host.finished(say.stopped(jobName, error.sentence()));
    }
}

void LinkingWindow::printList()
{
    QStringList lines;
    for (QLabel* line : m_headerLines)
        lines << line->text();
    Printout printout;
    printout.subject = linkingListSubject(ClubDatabase::get(), m_shownFancierId, &catalogueText);
    printout.print = [this, lines](QPagedPaintDevice* device) {
        PagePrinter page(device);
        printLinkingList(page, m_grid, lines, &catalogueText);
        return page.errorText();
    };
    printout.reportFailure = [this](const QString& error) { m_host->warn(error, GetText(61)); };
    m_printoutHandler(this, printout);
}

void LinkingWindow::askCancel()
{
    const QString title = GetText(kRowTitleText) + QString::number(m_grid.currentRow());
    if (m_host->ask(GetText(kStopJobText) + QStringLiteral(" ?"), title))
        linkBuffers().CancelRequested = true;
    EnableLinkButtons();
}

QRadioButton* LinkingWindow::modelOption(int protocol) const
{
    return clockModelOption(m_models, protocol);
}

// Without a choice the jobs work as for the first model, as a fresh
// settings row does.
int LinkingWindow::selectedModel() const
{
    const int checked = m_models->checkedId();
    return checked >= 0 ? checked : clockModels().front().protocol();
}

int LinkingWindow::fanciersPerClock() const
{
    for (int i = 0; i < kFanciersPerClockChoices; ++i) {
        if (m_perClock[size_t(i)]->isChecked())
            return i + 1;
    }
    return 1;
}

bool LinkingWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && (watched == m_from || watched == m_to)) {
        auto* box = static_cast<QLineEdit*>(watched);
        // After the click has placed the cursor, so the selection stays.
        QTimer::singleShot(0, box, [box] { box->selectAll(); });
    }
    return QDialog::eventFilter(watched, event);
}

void LinkingWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape stops a running job; otherwise it closes the window, asking
    // first when the grid holds work that is not stored.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        if (m_jobRunning)
            linkBuffers().CancelRequested = true;
        else if (escapeMayClose(this, m_gridEdits.pending(m_grid)))
            reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void LinkingWindow::closeEvent(QCloseEvent* event)
{
    if (m_jobRunning) {
        // The job runs inside this window; it has to end first.
        linkBuffers().CancelRequested = true;
        event->ignore();
        return;
    }
    // Exit and the window's close box ask as Escape does.
    if (!escapeMayClose(this, m_gridEdits.pending(m_grid))) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void LinkingWindow::done(int result)
{
    if (m_jobRunning) {
        linkBuffers().CancelRequested = true;
        return;
    }
    clockLibrary().release();
    QDialog::done(result);
}

} // namespace durvek
