#include "clubdata/ui/ClubDataWindow.h"
#include "backup/ui/BackupBeforeBulkChange.h"
#include "clocklink/ClubDataTransferStore.h"
#include "clubdata/MemberCsv.h"
#include "clubdata/PigeonCsv.h"
#include "clubdata/PigeonEntryRules.h"
#include "clubdata/ui/CellLengthDelegate.h"
#include "clubdata/ui/CsvImportPreview.h"
#include "clubdata/ui/RecordGridModel.h"
#include "clocklink/Frames.h"
#include "common/AppState.h"
#include "common/Printout.h"
#include "common/TextCatalogue.h"
#include "common/ValueHelpers.h"
#include "common/ui/Captions.h"
#include "common/ui/DatabaseErrorBox.h"
#include "common/ui/FilteredLineEdit.h"
#include "common/ui/GridTabKeys.h"
#include "common/ui/UnsavedEdits.h"
#include "common/ui/WindowSetUp.h"
#include "database/ClubDatabase.h"
#include "database/FancierRevision.h"
#include "database/FancierStore.h"
#include "fanciers/LicenceCheck.h"
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QSaveFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <utility>

namespace durvek {

namespace {

const QString kTitle = QStringLiteral("Durvek");
const QString kBlank = QStringLiteral(" ");

// Catalogue numbers of the window's messages.
constexpr int kNoNameText = 97;
// The fancier window refuses a licence that is taken with the same words.
constexpr int kLicenceTakenText = 22;
constexpr int kLicenceTakenTitleText = 23;
constexpr int kNotFoundBeforeText = 25;
constexpr int kNotFoundAfterText = 26;
constexpr int kChippedCountText = 82;
constexpr int kCombineFullText = 83;

// Field widths of the fanciers table; the licence box takes the twelve digits
// a clock may send.
constexpr int kNameWidth = 40;
constexpr int kAdressWidth = 50;
constexpr int kCityWidth = 30;
constexpr int kLicenceWidth = 12;

constexpr int kFancierCaption = 1;
constexpr int kPigeonDataCaption = 66;
// Export members, export pigeons, import members, import pigeons.
constexpr std::array<int, ClubDataWindow::CsvButtonCount> kCsvCaptions {270, 271, 272, 273};
constexpr int kFileWrittenText = 301;

constexpr int kBandWidth = 10;
constexpr int kElcodeWidth = 10;

QPushButton* captionedButton(int captionNumber, const QString& objectName, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    setCaptionNumber(button, captionNumber);
    return button;
}

QTableView* dataGrid(const QString& objectName, QWidget* parent)
{
    auto* grid = new QTableView(parent);
    grid->setObjectName(objectName);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                          | QAbstractItemView::AnyKeyPressed);
    grid->setItemDelegate(new CellLengthDelegate(grid));
    useTabBetweenCells(grid);
    grid->verticalHeader()->setDefaultSectionSize(22);
    grid->verticalHeader()->setFixedWidth(20);
    return grid;
}

QString chooseCsvFile(QWidget* parent, bool save, const QString& title, const QString& proposed)
{
    const QString filter = QStringLiteral("CSV (*.csv *.txt)");
    return save ? QFileDialog::getSaveFileName(parent, title, proposed, filter)
                : QFileDialog::getOpenFileName(parent, title, proposed, filter);
}

} // namespace

ClubDataWindow::ClubDataWindow(QWidget* parent, TextPrompt prompt)
    : QDialog(parent)
    , m_db(ClubDatabase::get())
    , m_fanciers(m_db)
    , m_pigeons(m_db)
    , m_badges(m_db)
    , m_combines(m_db)
    , m_prompt(std::move(prompt))
    , m_chooseCsvFile(&chooseCsvFile)
    , m_host(this, nullptr)
{
    setObjectName(QStringLiteral("ClubDataWindow"));
    setWindowTitle(QStringLiteral("Durvek   Club - Software"));
    setModal(true);

    static const std::array<int, 4> frameCaptions {1, 73, 66, 74};
    static const std::array<const char*, 4> frameNames {"Frame1_0", "Frame1_1", "Frame1_2", "Frame1_3"};
    for (int i = 0; i < 4; ++i) {
        m_frames[i] = new QGroupBox(this);
        m_frames[i]->setObjectName(QString::fromLatin1(frameNames[i]));
        setCaptionNumber(m_frames[i], frameCaptions[i]);
    }
    buildFancierPanel(m_frames[0]);
    buildBadgePanel(m_frames[1]);
    buildPigeonPanel(m_frames[2]);
    buildCombinePanel(m_frames[3]);

    auto* top = new QHBoxLayout;
    top->addWidget(m_frames[0], 3);
    top->addWidget(m_frames[1], 2);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_frames[2], 3);
    middle->addWidget(m_frames[3], 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addWidget(buildCsvRow());
    layout->addWidget(buildTransferRow());
    m_transferStatus = new QLabel(this);
    m_transferStatus->setTextFormat(Qt::PlainText);
    m_transferStatus->setWordWrap(true);
    layout->addWidget(m_transferStatus);
    m_host = WidgetJobHost(this, m_transferStatus, m_progress);
    resize(980, 680);

    setUpModels();
    load();
    finishWindowSetUp(this);
    m_made = true;
}

ClubDataWindow::~ClubDataWindow() = default;

// ---- building ----

void ClubDataWindow::buildFancierPanel(QGroupBox* frame)
{
    static const std::array<int, BoxCount> widths {kNameWidth, kAdressWidth, kCityWidth, kLicenceWidth};
    static const std::array<const char*, BoxCount> boxNames {"Text1_0", "Text1_1", "Text1_2", "Text1_3"};
    for (int i = 0; i < BoxCount; ++i) {
        m_boxes[i] = new FilteredLineEdit(frame);
        m_boxes[i]->setObjectName(QString::fromLatin1(boxNames[i]));
        m_boxes[i]->setMaxLength(widths[i]);
    }
    // Labels 0..4 are captions; the fourth carries catalogue number 0 by design.
    static const std::array<int, 5> labelCaptions {9, 10, 16, 0, 8};
    for (int i = 0; i < LabelCount; ++i) {
        m_labels[i] = new QLabel(frame);
        m_labels[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        if (i < int(labelCaptions.size()))
            setCaptionNumber(m_labels[i], labelCaptions[i]);
    }
    // A label that leads to its field gets a key that takes the user there.
    m_labels[NameLabel]->setBuddy(m_boxes[NameBox]);
    m_labels[AdressLabel]->setBuddy(m_boxes[AdressBox]);
    m_labels[CityLabel]->setBuddy(m_boxes[CityBox]);
    m_labels[LicenceLabel]->setBuddy(m_boxes[LicenceBox]);
    static const std::array<int, FancierButtonCount> captions {75, 76, 19, 20, 6, 77, 21};
    for (int i = 0; i < FancierButtonCount; ++i)
        m_fancierButtons[i] = captionedButton(captions[i], QStringLiteral("Command1_%1").arg(i), frame);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(m_labels[NameLabel], 0, 0);
    grid->addWidget(m_boxes[NameBox], 0, 1, 1, 3);
    grid->addWidget(m_labels[AdressLabel], 1, 0);
    grid->addWidget(m_boxes[AdressBox], 1, 1, 1, 3);
    grid->addWidget(m_labels[CityLabel], 2, 0);
    grid->addWidget(m_boxes[CityBox], 2, 1, 1, 3);
    grid->addWidget(m_labels[LicenceLabel], 3, 0);
    grid->addWidget(m_boxes[LicenceBox], 3, 1);
    grid->addWidget(m_labels[FourthLabel], 3, 2);
    grid->addWidget(m_labels[IdLabel], 3, 3, Qt::AlignRight);
    grid->addWidget(m_labels[CountLabel], 4, 0, 1, 4);
    auto* buttons = new QGridLayout;
    buttons->addWidget(m_fancierButtons[PreviousButton], 0, 0);
    buttons->addWidget(m_fancierButtons[NextButton], 0, 1);
    buttons->addWidget(m_fancierButtons[SearchButton], 0, 2);
    buttons->addWidget(m_fancierButtons[NewButton], 1, 0);
    buttons->addWidget(m_fancierButtons[SaveButton], 1, 1);
    buttons->addWidget(m_fancierButtons[DeleteButton], 1, 2);
    buttons->addWidget(m_fancierButtons[ExitButton], 1, 3);
    grid->addLayout(buttons, 5, 0, 1, 4);
    grid->setColumnStretch(1, 1);

    connect(m_fancierButtons[PreviousButton], &QPushButton::clicked, this, &ClubDataWindow::previousFancier);
    connect(m_fancierButtons[NextButton], &QPushButton::clicked, this, &ClubDataWindow::nextFancier);
    connect(m_fancierButtons[NewButton], &QPushButton::clicked, this, &ClubDataWindow::newFancier);
    connect(m_fancierButtons[SaveButton], &QPushButton::clicked, this, [this] {
        saveFancier();
        afterFancierButton();
    });
    connect(m_fancierButtons[ExitButton], &QPushButton::clicked, this, &ClubDataWindow::exitWindow);
    connect(m_fancierButtons[SearchButton], &QPushButton::clicked, this, &ClubDataWindow::searchFancier);
    connect(m_fancierButtons[DeleteButton], &QPushButton::clicked, this, &ClubDataWindow::deleteFancier);
}

void ClubDataWindow::buildBadgePanel(QGroupBox* frame)
{
    m_badgeGrid = dataGrid(QStringLiteral("DBGrid1_0"), frame);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(m_badgeGrid);
}

void ClubDataWindow::buildPigeonPanel(QGroupBox* frame)
{
    m_pigeonGrid = dataGrid(QStringLiteral("DBGrid2"), frame);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(m_pigeonGrid);
}

void ClubDataWindow::buildCombinePanel(QGroupBox* frame)
{
    m_combineGrid = dataGrid(QStringLiteral("DBGrid1_1"), frame);
    m_members = new QListWidget(frame);
    m_members->setObjectName(QStringLiteral("List1"));
    m_combineCheck = new QCheckBox(frame);
    m_combineCheck->setObjectName(QStringLiteral("Check1"));
    setCaptionNumber(m_combineCheck, 74);
    static const std::array<int, CombineButtonCount> captions {78, 79, 80};
    for (int i = 0; i < CombineButtonCount; ++i)
        m_combineButtons[i] = captionedButton(captions[i], QStringLiteral("Command4_%1").arg(i), frame);

    auto* layout = new QGridLayout(frame);
    layout->addWidget(m_combineGrid, 0, 0);
    layout->addWidget(m_members, 0, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : m_combineButtons)
        buttons->addWidget(button);
    layout->addWidget(m_combineCheck, 1, 0, 1, 2);
    layout->addLayout(buttons, 2, 0, 1, 2);

    connect(m_combineButtons[AddCombineButton], &QPushButton::clicked, this, &ClubDataWindow::addCombine);
    connect(m_combineButtons[AddFancierButton], &QPushButton::clicked, this, &ClubDataWindow::addFancierToCombine);
    connect(m_combineButtons[DeleteCombineButton], &QPushButton::clicked, this, &ClubDataWindow::deleteCombine);
}

QWidget* ClubDataWindow::buildTransferRow()
{
    auto* row = new QWidget(this);
    static const std::array<int, TransferButtonCount> captions {49, 48, 27, 6};
    for (int i = 0; i < TransferButtonCount; ++i)
        m_transferButtons[i] = captionedButton(captions[i], QStringLiteral("Command2_%1").arg(i), row);
    m_holdLabel = new QLabel(row);
    m_holdLabel->setObjectName(QStringLiteral("Label3"));
    setCaptionNumber(m_holdLabel, 100);
    // Its caption comes from the catalogue, but the window has no use for it.
    m_holdLabel->hide();
    m_progress = new JobProgress(row);
    m_progress->bar()->setObjectName(QStringLiteral("Pbar"));

    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_transferButtons[FromClockButton]);
    layout->addWidget(m_transferButtons[ToClockButton]);
    layout->addWidget(m_transferButtons[CancelButton]);
    layout->addWidget(m_progress, 1);
    layout->addWidget(m_holdLabel);
    layout->addStretch();
    layout->addWidget(m_transferButtons[TransferExitButton]);

    connect(m_transferButtons[FromClockButton], &QPushButton::clicked, this,
            [this] {
                if (backupBeforeBulkChange(this, BackupReason::Receive))
                    runTransfer(&ClubDataTransfer::ReceiveFromClock);
            });
    connect(m_transferButtons[ToClockButton], &QPushButton::clicked, this,
            [this] { runTransfer(&ClubDataTransfer::SendToClock); });
    connect(m_transferButtons[CancelButton], &QPushButton::clicked, this, &ClubDataWindow::cancelTransfer);
    connect(m_transferButtons[TransferExitButton], &QPushButton::clicked, this, &ClubDataWindow::exitWindow);
    return row;
}

QWidget* ClubDataWindow::buildCsvRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < CsvButtonCount; ++i) {
        m_csvButtons[i] = captionedButton(kCsvCaptions[i], QStringLiteral("CsvButton_%1").arg(i), row);
        layout->addWidget(m_csvButtons[i]);
        const auto which = CsvButton(i);
        const bool exports = which == ExportMembersButton || which == ExportPigeonsButton;
        connect(m_csvButtons[i], &QPushButton::clicked, this,
                [this, which, exports] { exports ? exportCsv(which) : importCsv(which); });
    }
    layout->addStretch();
    return row;
}

void ClubDataWindow::setUpModels()
{
    // A refusal of the club database shows its plain sentence, the engine's
    // lines wait under the box's details.
    const auto failed = [this](const std::exception& error) {
        if (const auto* refused = dynamic_cast<const DatabaseError*>(&error))
            reportFailure(*refused);
        else
            reportFailure(QString::fromUtf8(error.what()));
    };

    m_badgeModel = new RecordGridModel({{QStringLiteral("id"), false, 0}, {QStringLiteral("Badge"), true,
                                                                           BadgeStore::kNameLength}},
                                       this);
    m_badgeModel->setLoader([this] { return m_badges.badges(); });
    m_badgeModel->setWriter([this](qint64 rowid, int, const QString& text) { m_badges.rename(rowid, text); });
    m_badgeModel->setFailureHandler(failed);
    m_badgeGrid->setModel(m_badgeModel);
    m_badgeGrid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_badgeGrid->setColumnWidth(0, 40);

    // The owner column shows whose pigeon it is; moving a pigeon to another
    // fancier is the linking screen's business, not a typing slip's.
    m_pigeonModel = new RecordGridModel({{QStringLiteral("owner"), false, 0},
                                         {QStringLiteral("Country"), true, 3},
                                         {QStringLiteral("Year"), true, 4},
                                         {QStringLiteral("Fed.-Band"), true, kBandWidth},
                                         {QStringLiteral("El. Badge"), true, kElcodeWidth},
                                         {QStringLiteral("Sex"), true, 1}},
                                        this);
    m_pigeonModel->setLoader([this] { return m_pigeons.pigeonsOf(m_fancierId); });
    m_pigeonModel->setWriter([this](qint64 rowid, int column, const QString& text) {
        m_pigeons.setValue(m_fancierId, m_fancierRevision, rowid, PigeonColumn(column), text);
    });
    m_pigeonModel->setAdder([this](int column, const QString& text) {
        return m_pigeons.addPigeon(m_fancierId, m_fancierRevision, PigeonColumn(column), text);
    });
    m_pigeonModel->setFailureHandler(failed);
    m_pigeonGrid->setModel(m_pigeonModel);
    m_pigeonGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(m_pigeonGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex&, const QModelIndex& previous) { pigeonCellLeft(previous); });

    m_combineModel = new RecordGridModel({{QStringLiteral("Name"), true, CombineStore::kNameLength}}, this);
    m_combineModel->setLoader([this] { return m_combines.combines(); });
    m_combineModel->setWriter([this](qint64 rowid, int, const QString& text) { m_combines.rename(rowid, text); });
    m_combineModel->setFailureHandler(failed);
    m_combineGrid->setModel(m_combineModel);
    m_combineGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(m_combineGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ClubDataWindow::combineCellChanged);
    connect(m_combineModel, &QAbstractItemModel::dataChanged, this, &ClubDataWindow::combineCellChanged);
}

// ---- loading ----

void ClubDataWindow::load()
{
    m_transferAborted = false;
    clearBoxes();
    applyCaptions(this);
    m_badgeModel->setHeaderText(1, GetText(73));
    static const std::array<int, 5> pigeonHeaders {35, 36, 37, 39, 38};
    for (int i = 0; i < int(pigeonHeaders.size()); ++i)
        m_pigeonModel->setHeaderText(i + 1, GetText(pigeonHeaders[i]));
    m_combineModel->setHeaderText(0, GetText(9));
    setWindowTitle(QStringLiteral("Durvek - Club Administrator"));

    // What cannot be read is left out; the window shows the rest.
    m_badgeModel->reload();
    if (m_badgeModel->recordCount() > 0)
        m_badgeGrid->setCurrentIndex(m_badgeModel->index(0, 1));
    m_combineModel->reload();
    if (m_combineModel->recordCount() > 0)
        m_combineGrid->setCurrentIndex(m_combineModel->index(0, 0));

    m_fancierId = 0;
    m_fancierName = kBlank;
    m_pigeonGrid->hide();
    try {
        m_browser.setIds(m_fanciers.idsInSortOrder());
        if (m_browser.isEmpty())
            return;
        takeCurrentFancier();
        showFancier();
        loadPigeons(m_fancierId);
        showPigeonCount();
    } catch (const DatabaseError&) {
        // Loading goes as far as it can; the window shows what it got.
    }
}

// ---- the fancier panel ----

void ClubDataWindow::clearBoxes()
{
    for (FilteredLineEdit* box : m_boxes)
        box->clear();
}

void ClubDataWindow::takeCurrentFancier()
{
    m_fancierId = m_browser.currentId();
    takeStoredRevision();
    m_fancierName = m_fancierId ? m_fanciers.nameOf(m_fancierId) : kBlank;
}

void ClubDataWindow::takeStoredRevision()
{
    m_fancierRevision = m_fancierId ? fancierRevision(m_db, m_fancierId) : 0;
}

void ClubDataWindow::showFancier()
{
    const std::optional<ClubFancier> f = m_fanciers.fancier(m_browser.currentId());
    if (!f)
        return;
    m_boxes[NameBox]->setText(f->name);
    m_boxes[AdressBox]->setText(f->adress);
    m_boxes[CityBox]->setText(f->city);
    m_boxes[LicenceBox]->setText(f->licence);
    m_labels[IdLabel]->setText(QString::number(f->id));
}

void ClubDataWindow::loadPigeons(int32_t id)
{
    m_pigeonGrid->setCurrentIndex({});
    m_pigeonModel->reload();
    // The first pigeon in the owner column: it has no entry rule, so leaving
    // it never rewrites a cell the user did not touch.
    if (m_pigeonModel->recordCount() > 0)
        m_pigeonGrid->setCurrentIndex(m_pigeonModel->index(0, int(PigeonColumn::Owner)));
    m_pigeonGrid->setVisible(id != 0);
}

void ClubDataWindow::showPigeonCount()
{
    m_labels[CountLabel]->setText(GetText(kChippedCountText) + QStringLiteral(" :  ")
                                  + QString::number(m_fanciers.chippedPigeonCount(m_fancierId)));
}

void ClubDataWindow::afterFancierButton()
{
    try {
        showPigeonCount();
    } catch (const DatabaseError& error) {
        reportFailure(error);
    }
}

void ClubDataWindow::previousFancier() { stepFancier(false); }

void ClubDataWindow::nextFancier() { stepFancier(true); }

// Previous and Next mirror each other: the button of the way back is enabled,
// and the one of the way on is disabled once there is no further fancier.
void ClubDataWindow::stepFancier(bool forward)
{
    try {
        if (!m_browser.isEmpty()) {
            m_fancierButtons[forward ? PreviousButton : NextButton]->setEnabled(true);
            if (!(forward ? m_browser.next() : m_browser.previous()))
                m_fancierButtons[forward ? NextButton : PreviousButton]->setEnabled(false);
            showFancier();
            takeCurrentFancier();
            loadPigeons(m_fancierId);
            focusName();
        }
    } catch (const DatabaseError& error) {
        reportFailure(error);
    }
    afterFancierButton();
}

void ClubDataWindow::newFancier()
{
    clearBoxes();
    m_labels[IdLabel]->clear();
    m_fancierId = 0;
    m_fancierRevision = 0;
    m_fancierName = kBlank;
    loadPigeons(0);
    focusName();
    afterFancierButton();
}

bool ClubDataWindow::saveFancier()
{
    if (m_boxes[NameBox]->text().trimmed().isEmpty()) {
        warn(GetText(kNoNameText));
        focusName();
        return false;
    }
    try {
        if (!licenceFreeFor(m_db, TextOrDefault(m_boxes[LicenceBox]->text()), m_fancierId)) {
            QApplication::beep();
            m_host.warn(GetText(kLicenceTakenText), GetText(kLicenceTakenTitleText));
            m_boxes[LicenceBox]->setFocus();
            return false;
        }
        ClubFancier f;
        f.id = m_fancierId;
        f.name = m_boxes[NameBox]->text();
        f.adress = m_boxes[AdressBox]->text();
        f.city = m_boxes[CityBox]->text();
        f.licence = m_boxes[LicenceBox]->text();
        m_fancierId = m_fanciers.save(f, m_fancierRevision);
        m_fancierName = TextOrDefault(f.name, kBlank);
        rebindFanciers();
        showFancier();
        loadPigeons(m_fancierId);
        return true;
    } catch (const DatabaseError& error) {
        reportFailure(error);
        return false;
    }
}

void ClubDataWindow::rebindFanciers()
{
    m_browser.setIds(m_fanciers.idsInSortOrder());
    m_browser.moveTo(m_fancierId);
}

void ClubDataWindow::searchFancier()
{
    const QString text = m_prompt(this, GetText(77));
    if (linkBuffers().CancelRequested) {
        focusName();
        afterFancierButton();
        return;
    }
    try {
        const int32_t found = m_fanciers.findByNamePrefix(text);
        if (found == 0) {
            warn(GetText(kNotFoundBeforeText) + kBlank + text + kBlank + GetText(kNotFoundAfterText));
        } else {
            rebindFanciers();
            m_browser.moveTo(found);
            takeCurrentFancier();
            showFancier();
            loadPigeons(m_fancierId);
        }
    } catch (const DatabaseError& error) {
        reportFailure(error);
    }
    afterFancierButton();
}

void ClubDataWindow::deleteFancier()
{
    // The window's questions all carry its own title.
    const auto ask = [this](const QString& message, const QString&) {
        return m_host.ask(message, kTitle) && backupBeforeBulkChange(this, BackupReason::FancierDelete);
    };
    try {
        if (m_fancierId != 0 && DeleteFancier(m_db, m_fancierId, m_fancierRevision, ask))
            leaveDeletedFancier();
    } catch (const DatabaseError& error) {
        reportFailure(error);
    }
    afterFancierButton();
}

void ClubDataWindow::leaveDeletedFancier()
{
    // The linking window must not go on working on a fancier that is gone.
    if (appState().currentFancierId == m_fancierId)
        appState().currentFancierId = 0;
    combineCellChanged();
    // The fancier that followed in sort order takes the place.
    m_browser.moveTo(m_fancierId);
    m_browser.removeCurrent();
    if (m_browser.currentId() != 0) {
        showFancier();
        takeCurrentFancier();
        loadPigeons(m_fancierId);
        return;
    }
    clearBoxes();
    m_labels[IdLabel]->clear();
    m_fancierId = 0;
    m_fancierRevision = 0;
    m_fancierName = kBlank;
    m_pigeonModel->clear();
    m_pigeonGrid->hide();
}

// ---- the grids ----

void ClubDataWindow::pigeonCellLeft(const QModelIndex& previous)
{
    // Nothing was typed into the empty last row: leaving it starts no pigeon.
    if (!previous.isValid() || previous.model() != m_pigeonModel || m_pigeonModel->isNewRow(previous.row()))
        return;
    const QString typed = m_pigeonModel->textAt(previous.row(), previous.column());
    PigeonEntryMemory& memory = pigeonEntryMemory();
    QString normalised;
    switch (PigeonColumn(previous.column())) {
    case PigeonColumn::Country: normalised = memory.country(typed); break;
    case PigeonColumn::Year: normalised = memory.year(typed); break;
    case PigeonColumn::Band: normalised = memory.band(typed); break;
    case PigeonColumn::Sex: normalised = normalisedSex(typed); break;
    case PigeonColumn::Elcode:
        // The chip code has no entry rule, but the count of chipped pigeons follows it.
        afterFancierButton();
        return;
    case PigeonColumn::Owner: return;
    }
    m_pigeonModel->setData(previous, normalised);
}

qint64 ClubDataWindow::selectedCombineRow() const
{
    const QModelIndex current = m_combineGrid->currentIndex();
    return current.isValid() ? m_combineModel->rowidAt(current.row()) : 0;
}

void ClubDataWindow::combineCellChanged()
{
    try {
        const std::optional<Combine> combine = m_combines.combine(selectedCombineRow());
        if (!combine)
            return;
        m_members->clear();
        m_members->addItems(m_combines.memberNames(*combine));
    } catch (const DatabaseError& error) {
        reportFailure(error);
    }
}

QString ClubDataWindow::selectedCombineName() const
{
    const QModelIndex current = m_combineGrid->currentIndex();
    return current.isValid() ? m_combineModel->textAt(current.row(), 0).trimmed() : QString();
}

void ClubDataWindow::addCombine()
{
    const QString text = m_prompt(this, GetText(78));
    // A cancelled prompt still adds the combine, under its numbered name.
    try {
        m_combines.addCombine(text);
        m_combineModel->reload();
        m_combineGrid->setCurrentIndex(m_combineModel->index(m_combineModel->recordCount() - 1, 0));
    } catch (const DatabaseError& error) {
        reportFailure(error);
    }
}

void ClubDataWindow::addFancierToCombine()
{
    const qint64 row = selectedCombineRow();
    if (row == 0 || m_fancierId == 0)
        return;
    try {
        if (m_combines.addMember(row, m_fancierId) == AddMemberResult::Full)
            warn(GetText(kCombineFullText));
        combineCellChanged();
    } catch (const DatabaseError& error) {
        reportFailure(error);
    }
}

void ClubDataWindow::deleteCombine()
{
    const qint64 row = selectedCombineRow();
    if (row == 0)
        return;
    try {
        m_combines.remove(row);
        m_combineModel->reload();
        if (m_combineModel->recordCount() > 0)
            m_combineGrid->setCurrentIndex(m_combineModel->index(0, 0));
    } catch (const DatabaseError& error) {
        reportFailure(error);
    }
}

// ---- the member and pigeon lists ----

void ClubDataWindow::exportCsv(CsvButton which)
{
    const bool members = which == ExportMembersButton;
    const QString title = GetText(kCsvCaptions[which]);
    const QString proposed = QDir(documentsFolder())
                                 .filePath(QStringLiteral("%1 %2.csv")
                                               .arg(GetText(members ? kFancierCaption : kPigeonDataCaption),
                                                    QDate::currentDate().toString(Qt::ISODate)));
    const QString path = m_chooseCsvFile(this, true, title, proposed);
    if (path.isEmpty())
        return;
    try {
        const QByteArray csv = members ? membersCsv(m_db) : pigeonsCsv(m_db);
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(csv) < 0 || !file.commit())
            m_host.warn(QStringLiteral("%1: %2").arg(path, file.errorString()), title);
        else
            // Nothing else on screen changes: without it the user cannot tell the file was written.
            m_host.showStatus(GetText(kFileWrittenText).arg(QDir::toNativeSeparators(path)));
    } catch (const DatabaseError& error) {
        reportFailure(error);
    }
}

// The list is checked whole and shown line by line; only what the user then
// stores reaches the database.
void ClubDataWindow::importCsv(CsvButton which)
{
    const QString title = GetText(kCsvCaptions[which]);
    const QString path = m_chooseCsvFile(this, false, title, documentsFolder());
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_host.warn(QStringLiteral("%1: %2").arg(path, file.errorString()), title);
        return;
    }
    const QByteArray bytes = file.readAll();
    const TextLookup text = [](int number) { return GetText(number); };
    try {
        std::unique_ptr<CsvImport> import;
        if (which == ImportMembersButton)
            import = std::make_unique<MemberImport>(m_db, bytes, text);
        else
            import = std::make_unique<PigeonImport>(m_db, bytes, text);
        if (!import->fault().isEmpty()) {
            m_host.warn(import->fault(), title);
            return;
        }
        const int subject = which == ImportMembersButton ? kFancierCaption : kPigeonDataCaption;
        CsvImportPreview preview(title, subject, import->lines(), this);
        if (preview.exec() != QDialog::Accepted)
            return;
        import->store();
        showImportedFanciers();
    } catch (const DatabaseError& error) {
        reportFailure(error);
    }
}

void ClubDataWindow::showImportedFanciers()
{
    rebindFanciers();
    // The import may have stored the current fancier's pigeons or record.
    if (m_fancierId == 0)
        takeCurrentFancier();
    else
        takeStoredRevision();
    showFancier();
    loadPigeons(m_fancierId);
    showPigeonCount();
}

// ---- the transfers ----

QString ClubDataWindow::licenceText() const { return m_boxes[LicenceBox]->text(); }

QString ClubDataWindow::nameText() const { return m_boxes[NameBox]->text(); }

void ClubDataWindow::setLicenceText(const QString& text) { m_boxes[LicenceBox]->setText(text); }

void ClubDataWindow::setNameText(const QString& text) { m_boxes[NameBox]->setText(text); }

bool ClubDataWindow::combineChecked() const { return m_combineCheck->isChecked(); }

void ClubDataWindow::reloadPigeons()
{
    try {
        // The transfer stored the pigeons it received.
        takeStoredRevision();
        loadPigeons(m_fancierId);
        showPigeonCount();
    } catch (const DatabaseError& error) {
        reportFailure(error);
    }
}

void ClubDataWindow::enterTransferState()
{
    for (FilteredLineEdit* box : m_boxes)
        box->setEnabled(false);
    for (QPushButton* button : m_fancierButtons)
        button->setEnabled(false);
    for (QPushButton* button : m_transferButtons)
        button->setEnabled(false);
    // The grids and the combine controls hold what the transfer is reading
    // or writing; they wait as well.
    for (QPushButton* button : m_combineButtons)
        button->setEnabled(false);
    for (QPushButton* button : m_csvButtons)
        button->setEnabled(false);
    m_combineCheck->setEnabled(false);
    m_badgeGrid->setEnabled(false);
    m_pigeonGrid->setEnabled(false);
    m_combineGrid->setEnabled(false);
    QPushButton* cancel = m_transferButtons[CancelButton];
    cancel->setEnabled(true);
    cancel->setVisible(true);
    cancel->setFocus();
}

void ClubDataWindow::enterReadyState()
{
    for (FilteredLineEdit* box : m_boxes)
        box->setEnabled(true);
    for (QPushButton* button : m_fancierButtons)
        button->setEnabled(true);
    for (QPushButton* button : m_transferButtons)
        button->setEnabled(true);
    for (QPushButton* button : m_combineButtons)
        button->setEnabled(true);
    for (QPushButton* button : m_csvButtons)
        button->setEnabled(true);
    m_combineCheck->setEnabled(true);
    m_progress->hide();
    m_badgeGrid->setEnabled(true);
    m_pigeonGrid->setEnabled(true);
    m_combineGrid->setEnabled(true);
    focusName();
}

void ClubDataWindow::runTransfer(TransferOutcome (ClubDataTransfer::*run)())
{
    if (m_transferRunning)
        return;
    // A cell still being typed in belongs to what is sent.
    for (QTableView* grid : {m_badgeGrid, m_pigeonGrid, m_combineGrid})
        if (QWidget* editor = grid->indexWidget(grid->currentIndex()))
            editor->clearFocus();
    m_transferRunning = true;
    const ClubSettings& settings = appState().activeSettings;
    ClubDataTransferStore store(m_db);
    ClubDataTransfer transfer(m_host, *this, store, m_line, portDevice(settings, settings.com));
    transfer.setSettlePause(m_settlePauseMs);
    (transfer.*run)();
    m_transferRunning = false;
    enterReadyState();
    afterFancierButton();
}

void ClubDataWindow::cancelTransfer()
{
    m_transferAborted = true;
    if (!m_transferRunning)
        enterReadyState();
}

void ClubDataWindow::exitWindow()
{
    if (m_transferRunning)
        return;
    m_line.close();
    accept();
}

void ClubDataWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape anywhere in the window stops a transfer; without one it closes
    // the window, asking first when a typed field is not stored.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        m_transferAborted = true;
        if (!m_transferRunning && escapeMayClose(this, hasUnsavedEdits(this)))
            exitWindow();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ClubDataWindow::closeEvent(QCloseEvent* event)
{
    // The transfer runs inside this window's button: closing now would pull
    // the window from under it. Closing asks it to stop instead.
    if (m_transferRunning) {
        m_transferAborted = true;
        event->ignore();
        return;
    }
    m_line.close();
    QDialog::closeEvent(event);
}

// ---- small helpers ----

void ClubDataWindow::warn(const QString& message) { m_host.warn(message, kTitle); }

void ClubDataWindow::reportFailure(const QString& message) { m_host.warn(message, kTitle); }

void ClubDataWindow::reportFailure(const DatabaseError& error)
{
    if (!m_made)
        keepWindowUnmadeIfConnectionLost(error);
    m_host.warnDatabaseError(error, kTitle);
}

void ClubDataWindow::focusName() { m_boxes[NameBox]->setFocus(); }

void openClubDataWindow(QWidget* parent, const TextPrompt& prompt)
{
    ClubDataWindow window(parent, prompt);
    window.exec();
}

} // namespace durvek
