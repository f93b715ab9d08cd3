#include "fanciers/ui/FancierWindow.h"
#include "backup/ui/BackupBeforeBulkChange.h"
#include "clocklink/Frames.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include "common/ValueHelpers.h"
#include "common/ui/Captions.h"
#include "common/ui/DatabaseErrorBox.h"
#include "common/ui/FilteredLineEdit.h"
#include "common/ui/UnsavedEdits.h"
#include "common/ui/WindowSetUp.h"
#include "database/ClubDatabase.h"
#include "database/FancierRevision.h"
#include "database/FancierStore.h"
#include "database/LicenceClaim.h"
#include "fanciers/CoordinateEntry.h"
#include "fanciers/LicenceCheck.h"
#include "fanciers/SortKeySearch.h"
#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace durvek {

namespace {

constexpr int kLabelCaptions[FancierWindow::BoxCount] = {7, 8, 9, 10, 11, 16, 12, 13, 14, 15, 122, 123};
constexpr int kActionCaptions[FancierWindow::ActionCount] = {6, 19, 20, 18, 21};
// The widths the club database declares for the fields (0: no limit); a
// coordinate is typed as the federation writes it and stored shorter.
constexpr int kBoxWidths[FancierWindow::BoxCount] = {0, kLicenceLength, 40, 50, 10, 30, 30, 20, 20, 60, 30, 30};

constexpr int kTitleText = 23;
constexpr int kLicenceFaultText = 24;
constexpr int kLicenceTakenText = 22;
constexpr int kStoreFailedText = 98;
constexpr int kLatitudeFaultText = 124;
constexpr int kLongitudeFaultText = 125;

bool userMovedFocus(Qt::FocusReason reason)
{
    // A message box or a menu taking the focus is not the user leaving the box.
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason;
}

} // namespace

void openFancierWindow(QWidget* parent, const SearchTextPrompt& prompt)
{
    FancierWindow window(parent, prompt);
    window.exec();
}

FancierWindow::FancierWindow(QWidget* parent, SearchTextPrompt prompt)
    : QDialog(parent), prompt_(std::move(prompt))
{
    setObjectName(QStringLiteral("Frmfancier"));
    setModal(true);
    setCaptionNumber(this, 1);
    buildControls();
    applyCaptions(this);
    leaveRoomForLabelInk();
    openActiveFanciers(appState().currentFancierId);
    ownerLabel_->hide();
    clearFancierFields();
    showFancierRecord();
    focusLicence();
    // Enter stores the fancier shown; Escape and Exit ask before typing is lost.
    actions_[UpdateAction]->setDefault(true);
    askBeforeEscapeCloses(this, [this] { return hasUnsavedEdits(this); });
    finishWindowSetUp(this);
    made_ = true;
}

void FancierWindow::buildControls()
{
    ownerLabel_ = new QLabel(this);
    ownerLabel_->setObjectName(QStringLiteral("Label3"));
    ownerLabel_->setFixedWidth(300);
    ownerLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ownerLabel_->setWordWrap(true);
    ownerLabel_->setFrameShape(QFrame::StyledPanel);
    ownerLabel_->setAutoFillBackground(true);

    // The holder of a taken licence shows over the boxes (placeOwnerLabel)
    // for as long as the refusal is on screen: a place of its own in the
    // layout would stay an empty strip beside the boxes all the other time.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildBoxes());
    layout->addStretch();
    layout->addLayout(buildButtonRow());
    resize(820, sizeHint().height());
}

QWidget* FancierWindow::buildBoxes()
{
    auto* area = new QWidget(this);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < BoxCount; ++i) {
        labels_[i] = new QLabel(area);
        labels_[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        setCaptionNumber(labels_[i], kLabelCaptions[i]);
        // Only the licence carries a mask, and it is "/N" without its blank,
        // which filters nothing: every box still turns the apostrophe into
        // the acute accent.
        boxes_[i] = new FilteredLineEdit(i == LicenceBox ? QStringLiteral("/N") : QString(), area);
        boxes_[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        if (kBoxWidths[i] > 0)
            boxes_[i]->setMaxLength(kBoxWidths[i]);
        boxes_[i]->installEventFilter(this);
        labels_[i]->setBuddy(boxes_[i]);
    }
    // The id is the engine's: typing one would make Update and Delete act on
    // a fancier other than the one shown.
    boxes_[IdBox]->setReadOnly(true);
    boxes_[IdBox]->setFocusPolicy(Qt::ClickFocus);
    boxes_[IdBox]->setMaximumWidth(120);
    boxes_[LicenceBox]->setMaximumWidth(120);
    boxes_[ZipBox]->setMaximumWidth(120);
    boxes_[LatitudeBox]->setMaximumWidth(200);

    int row = 0;
    for (int i = 0; i < BoxCount; ++i) {
        if (i == CityBox || i == LongitudeBox)
            continue;
        grid->addWidget(labels_[i], row, 0);
        // Zip and city share one line, the city to the right; so do the
        // latitude and the longitude, in the order federations give them.
        if (i == ZipBox)
            grid->addLayout(sharedLine(ZipBox, CityBox), row, 1);
        else if (i == LatitudeBox)
            grid->addLayout(sharedLine(LatitudeBox, LongitudeBox), row, 1);
        else
            grid->addWidget(boxes_[i], row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    for (int i = 1; i < BoxCount; ++i)
        setTabOrder(boxes_[i - 1], boxes_[i]);
    return area;
}

// A label asks for the advance of its letters and clips its text to its
// width, but a last letter drawn between two pixels ("Telephone") inks one
// more: the widest label of the column would lose it.
void FancierWindow::leaveRoomForLabelInk()
{
    constexpr int kInkBeyondAdvance = 2;
    for (QLabel* label : labels_)
        label->setMinimumWidth(label->sizeHint().width() + kInkBeyondAdvance);
}

QLayout* FancierWindow::sharedLine(Box left, Box right)
{
    auto* line = new QHBoxLayout;
    line->addWidget(boxes_[left]);
    line->addWidget(labels_[right]);
    line->addWidget(boxes_[right], 1);
    return line;
}

QLayout* FancierWindow::buildButtonRow()
{
    previousButton_ = new QToolButton(this);
    previousButton_->setObjectName(QStringLiteral("cmdPrevious"));
    previousButton_->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    previousButton_->setToolTip(GetText(75));
    connect(previousButton_, &QToolButton::clicked, this, &FancierWindow::movePrevious);
    nextButton_ = new QToolButton(this);
    nextButton_->setObjectName(QStringLiteral("cmdNext"));
    nextButton_->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    nextButton_->setToolTip(GetText(76));
    connect(nextButton_, &QToolButton::clicked, this, &FancierWindow::moveNext);

    for (int i = 0; i < ActionCount; ++i) {
        actions_[i] = new QPushButton(this);
        actions_[i]->setObjectName(QStringLiteral("cmdAction_%1").arg(i));
        setCaptionNumber(actions_[i], kActionCaptions[i]);
        connect(actions_[i], &QPushButton::clicked, this, [this, i] { runAction(Action(i)); });
    }

    auto* row = new QHBoxLayout;
    row->addWidget(previousButton_);
    row->addWidget(nextButton_);
    row->addStretch();
    for (Action action : {DeleteAction, SearchAction, NewAction, UpdateAction, ExitAction})
        row->addWidget(actions_[action]);
    return row;
}

void FancierWindow::runAction(Action action)
{
    if (licenceRefusalPending_)
        return;
    switch (action) {
    case ExitAction:
        // Through the close request, so that typing not stored is asked about.
        close();
        break;
    case NewAction:
        newFancier();
        break;
    case UpdateAction:
        updateFancier();
        break;
    case SearchAction:
        searchFancier();
        break;
    case DeleteAction:
        deleteFancier();
        break;
    case ActionCount:
        break;
    }
}

void FancierWindow::openActiveFanciers(int32_t id)
{
    try {
        fanciers_.open(ClubDatabase::get(), id);
    } catch (const DatabaseError& error) {
        fanciers_ = ActiveFancierCursor();
        reportDatabaseError(error);
    }
}

void FancierWindow::showFancierRecord()
{
    if (fanciers_.isEmpty())
        return;
    std::optional<FancierRecord> record;
    try {
        record = readFancier(ClubDatabase::get(), fanciers_.currentId());
    } catch (const DatabaseError& error) {
        reportDatabaseError(error);
    }
    if (!record)
        return;
    const QString texts[BoxCount] = {QString::number(record->id), record->licence, record->name,
                                     record->adress, record->zip, record->city, record->district,
                                     record->telephone, record->fax, record->email,
                                     coordinateShown(record->kyt), coordinateShown(record->kxt)};
    for (int i = 0; i < BoxCount; ++i)
        boxes_[i]->setText(texts[i]);
    storedLatitude_ = record->kyt;
    storedLongitude_ = record->kxt;
    storedRevision_ = record->revision;
}

void FancierWindow::clearFancierFields()
{
    for (FilteredLineEdit* box : boxes_)
        box->clear();
    storedLatitude_.clear();
    storedLongitude_.clear();
    storedRevision_ = 0;
    markEditsStored(this);
}

FancierRecord FancierWindow::recordFromBoxes() const
{
    FancierRecord record;
    record.id = idInBox();
    record.revision = storedRevision_;
    record.licence = boxes_[LicenceBox]->text();
    record.name = boxes_[NameBox]->text();
    record.adress = boxes_[AdressBox]->text();
    record.zip = boxes_[ZipBox]->text();
    record.city = boxes_[CityBox]->text();
    record.district = boxes_[DistrictBox]->text();
    record.telephone = boxes_[TelephoneBox]->text();
    record.fax = boxes_[FaxBox]->text();
    record.email = boxes_[EmailBox]->text();
    // Checked before storing; a box that cannot be read keeps what was stored.
    record.kyt = coordinateToStore(boxes_[LatitudeBox]->text(), storedLatitude_, CoordinateAxis::Latitude)
                     .value_or(storedLatitude_);
    record.kxt = coordinateToStore(boxes_[LongitudeBox]->text(), storedLongitude_, CoordinateAxis::Longitude)
                     .value_or(storedLongitude_);
    return record;
}

bool FancierWindow::coordinatesReadable()
{
    struct Check {
        Box box;
        const QString& stored;
        CoordinateAxis axis;
        int faultText;
    };
    for (const Check& check : {Check{LatitudeBox, storedLatitude_, CoordinateAxis::Latitude, kLatitudeFaultText},
                               Check{LongitudeBox, storedLongitude_, CoordinateAxis::Longitude, kLongitudeFaultText}}) {
        if (!coordinateToStore(boxes_[check.box]->text(), check.stored, check.axis)) {
            warn(GetText(check.faultText), GetText(kTitleText));
            boxes_[check.box]->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

int32_t FancierWindow::idInBox() const
{
    const double number = std::round(FieldNumber(boxes_[IdBox]->text()));
    return number >= 1 && number <= 2147483647.0 ? int32_t(number) : 0;
}

void FancierWindow::movePrevious()
{
    if (licenceRefusalPending_)
        return;
    nextButton_->setEnabled(true);
    if (fanciers_.movePrevious())
        previousButton_->setEnabled(false);
    showFancierRecord();
    focusLicence();
}

void FancierWindow::moveNext()
{
    if (licenceRefusalPending_)
        return;
    previousButton_->setEnabled(true);
    if (fanciers_.moveNext())
        nextButton_->setEnabled(false);
    showFancierRecord();
    focusLicence();
}

void FancierWindow::newFancier()
{
    // With the id box empty, the next Update adds a fancier.
    clearFancierFields();
    focusLicence();
}

void FancierWindow::updateFancier()
{
    if (licenceFault(boxes_[LicenceBox]->text()) != LicenceFault::None) {
        warn(GetText(kLicenceFaultText), GetText(kTitleText));
        focusLicence();
        return;
    }
    if (!coordinatesReadable())
        return;
    bool mayStore = false;
    try {
        mayStore = licenceFreeFor(ClubDatabase::get(), boxes_[LicenceBox]->text().trimmed(), idInBox());
    } catch (const DatabaseError& error) {
        reportDatabaseError(error);
        return;
    }
    if (!mayStore) {
        showLicenceOwner();
        placeOwnerLabel();
        ownerLabel_->show();
        warn(GetText(kLicenceTakenText), GetText(kTitleText));
        ownerLabel_->hide();
        focusLicence();
        return;
    }
    const int32_t id = saveFancier();
    // A failed store keeps what was typed, so nothing is lost.
    if (id > 0) {
        openActiveFanciers(id);
        showFancierRecord();
    }
    focusLicence();
}

int32_t FancierWindow::saveFancier()
{
    const FancierRecord record = recordFromBoxes();
    try {
        const QSqlDatabase db = ClubDatabase::get();
        if (!licenceFreeFor(db, TextOrDefault(record.licence), record.id))
            return 0;
        return storeFancier(db, record);
    } catch (const DatabaseError& error) {
        reportDatabaseError(error);
        return 0;
    }
}

void FancierWindow::showLicenceOwner()
{
    std::optional<FancierRecord> owner;
    try {
        owner = licenceOwner(ClubDatabase::get(), boxes_[LicenceBox]->text().trimmed());
    } catch (const DatabaseError& error) {
        reportDatabaseError(error);
    }
    if (!owner) {
        ownerLabel_->setText(GetText(17));
        return;
    }
    ownerLabel_->setText(GetText(kLicenceTakenText) + QStringLiteral(" !\n") + owner->licence + u'\n' + owner->name +
                         u'\n' + owner->adress + u' ' + owner->zip + u' ' + owner->city);
}

// Beside the short id and licence boxes, at the top right, where it covers
// nothing typed in the licence.
void FancierWindow::placeOwnerLabel()
{
    const QWidget* licence = boxes_[LicenceBox];
    const int left = licence->mapTo(this, QPoint(licence->width(), 0)).x() + licence->height() / 2;
    ownerLabel_->adjustSize();
    ownerLabel_->move(left, boxes_[IdBox]->mapTo(this, QPoint(0, 0)).y());
    ownerLabel_->raise();
}

void FancierWindow::searchFancier()
{
    linkBuffers().CancelRequested = true;
    const QString typed = prompt_ ? prompt_(this, GetText(18)) : QString();
    repaint();
    if (linkBuffers().CancelRequested)
        return;
    const QString key = RemoveSpaces(typed);
    int32_t id = 0;
    try {
        id = FindFancierBySortKey(ClubDatabase::get(), key);
    } catch (const DatabaseError& error) {
        reportDatabaseError(error);
        return;
    }
    if (id == 0) {
        warn(GetText(25) + QStringLiteral(" '") + key + QStringLiteral("' ") + GetText(26) + QStringLiteral(" !"),
             QStringLiteral("Fancier-data"));
        return;
    }
    clearFancierFields();
    openActiveFanciers(id);
    showFancierRecord();
    focusLicence();
}

void FancierWindow::deleteFancier()
{
    const int32_t id = idInBox();
    if (id <= 0) {
        // Nothing stored to delete; a new fancier typed in but not stored yet is asked about, as on Exit.
        close();
        return;
    }
    const auto ask = [this](const QString& message, const QString& title) {
        return QMessageBox::question(this, title, message, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes
            && backupBeforeBulkChange(this, BackupReason::FancierDelete);
    };
    try {
        // The linking window must not go on working on a fancier that is gone.
        if (DeleteFancier(ClubDatabase::get(), id, storedRevision_, ask) && appState().currentFancierId == id)
            appState().currentFancierId = 0;
    } catch (const DatabaseError& error) {
        reportDatabaseError(error);
    }
    reject();
}

bool FancierWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<FilteredLineEdit*>(watched))
            // Deferred: a mouse click that brings the focus would undo the selection.
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
    } else if (event->type() == QEvent::FocusOut && watched == boxes_[LicenceBox]) {
        if (userMovedFocus(static_cast<QFocusEvent*>(event)->reason()) && isVisible()) {
            QString licence = boxes_[LicenceBox]->text();
            if (HasNonNumeric(licence)) {
                licenceRefusalPending_ = true;
                QTimer::singleShot(0, this, &FancierWindow::checkLicenceOnLeaving);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FancierWindow::checkLicenceOnLeaving()
{
    if (isVisible())
        warn(GetText(kLicenceFaultText), GetText(kTitleText));
    licenceRefusalPending_ = false;
    if (isVisible())
        focusLicence();
}

void FancierWindow::warn(const QString& message, const QString& title)
{
    QApplication::beep();
    QMessageBox::warning(this, title, message);
}

void FancierWindow::focusLicence()
{
    boxes_[LicenceBox]->setFocus(Qt::OtherFocusReason);
}

bool FancierWindow::reportDatabaseError(const DatabaseError& error)
{
    if (!made_)
        keepWindowUnmadeIfConnectionLost(error);
    // A store refused because another PC stored the fancier, or a fancier
    // with its licence, is no error of the database, and its sentence says
    // what was not stored.
    const bool storedElsewhere = dynamic_cast<const FancierChangedElsewhere*>(&error) != nullptr
        || dynamic_cast<const LicenceTakenElsewhere*>(&error) != nullptr;
    showDatabaseError(this, GetText(kTitleText), error, storedElsewhere ? QString() : GetText(kStoreFailedText));
    return false;
}

} // namespace durvek
