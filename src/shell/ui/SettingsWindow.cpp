#include "shell/ui/SettingsWindow.h"
#include "backup/BackupRetention.h"
#include "clocklink/ui/ClockModelOptions.h"
#include "common/AppState.h"
#include "common/ui/DatabaseErrorBox.h"
#include "common/StrictNumber.h"
#include "common/TextCatalogue.h"
#include "common/ValueHelpers.h"
#include "database/ClubDatabase.h"
#include "database/PcLineSettings.h"
#include "database/SettingsStore.h"
#include "database/ShippedTranslations.h"
#include "database/SqlUtil.h"
#include "common/ui/UnsavedEdits.h"
#include "common/ui/WindowSetUp.h"
#include "shell/QtOwnTexts.h"
#include "shell/RememberedDatabase.h"
#include "shell/ClubDatabaseLocation.h"
#include "shell/SerialDeviceChoices.h"
#include "shell/Startup.h"
#include <QButtonGroup>
#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace durvek {

namespace {

constexpr int kSettingsText = 5;
constexpr int kExitText = 6;
constexpr int kLanguageText = 340;
constexpr int kPortFrameText = 341;
constexpr int kModelFrameText = 342;
constexpr int kSerialDeviceText = 343;
constexpr int kAntennaText = 344;
constexpr int kOwnLineText = 322;
constexpr int kSortText = 345;
constexpr int kClubIdText = 346;
constexpr int kClubText = 347;
constexpr int kUpdateText = 348;
constexpr int kLanguageHintText = 349;

// The demo clock's link sits next to the database file, in the program
// folder; a club on a server has no file, so there it is the program's folder.
QString programFolder()
{
    if (engineOf(ClubDatabase::get()) == SqlEngine::Postgres)
        return QCoreApplication::applicationDirPath();
    return QFileInfo(appState().databasePath).absolutePath();
}

// A number no button has (a COM index outside 0..3, a model number this
// program does not know) selects no button, so "Update" leaves the stored
// value alone.
void selectIndex(QButtonGroup* group, int index)
{
    if (QAbstractButton* button = group->button(index))
        button->setChecked(true);
}

} // namespace

SettingsWindow::SettingsWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(GetText(kSettingsText));
    setModal(true);

    auto* frames = new QHBoxLayout;
    frames->addWidget(buildPortFrame(), 3);
    frames->addWidget(buildModelFrame(), 1);

    exitButton_ = new QPushButton(GetText(kExitText), this);
    updateButton_ = new QPushButton(GetText(kUpdateText), this);
    exitButton_->setObjectName(QStringLiteral("Command1_0"));
    updateButton_->setObjectName(QStringLiteral("Command1_1"));
    for (QPushButton* button : {exitButton_, updateButton_}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(110);
    }
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(updateButton_, &QPushButton::clicked, this, &SettingsWindow::storeAndClose);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(exitButton_);
    buttons->addWidget(updateButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addWidget(buildClubFields());
    layout->addStretch(1);
    layout->addLayout(buttons);

    stored_ = loadSettings(ClubDatabase::get());
    showSettings(stored_);
    setMinimumWidth(640);
    updateButton_->setDefault(true);
    askBeforeEscapeCloses(this, [this] { return editedSettings() != stored_ || databaseChanged(); });
    finishWindowSetUp(this);
}

QGroupBox* SettingsWindow::buildPortFrame()
{
    auto* frame = new QGroupBox(GetText(kPortFrameText), this);
    auto* grid = new QGridLayout(frame);
    grid->setColumnStretch(1, 1);
    grid->addWidget(new QLabel(GetText(kSerialDeviceText), frame), 0, 1);
    comGroup_ = new QButtonGroup(this);
    const QStringList choices = serialDeviceChoices(programFolder());
    for (int index = 0; index < 4; ++index) {
        auto* button = new QRadioButton(QStringLiteral("COM%1").arg(index + 1), frame);
        comGroup_->addButton(button, index);
        comButtons_[size_t(index)] = button;

        auto* box = new QComboBox(frame);
        box->setEditable(true);
        box->addItems(choices);
        box->setInsertPolicy(QComboBox::NoInsert);
        // Empty means the platform's own device for this port.
        box->lineEdit()->setPlaceholderText(defaultPortDevice(index));
        deviceBoxes_[size_t(index)] = box;

        grid->addWidget(button, index + 1, 0);
        grid->addWidget(box, index + 1, 1);
    }
    if (lineKeptOnThisPc(ClubDatabase::get())) {
        auto* ownLine = new QLabel(GetText(kOwnLineText).arg(GetText(kAntennaText)), frame);
        ownLine->setObjectName(QStringLiteral("ownLine"));
        ownLine->setWordWrap(true);
        grid->addWidget(ownLine, 5, 0, 1, 2);
    }
    return frame;
}

QGroupBox* SettingsWindow::buildModelFrame()
{
    auto* frame = new QGroupBox(GetText(kModelFrameText), this);
    auto* column = new QVBoxLayout(frame);
    modelGroup_ = addClockModelOptions(frame, column);
    column->addStretch(1);
    return frame;
}

QRadioButton* SettingsWindow::modelButton(int protocol) const
{
    return clockModelOption(modelGroup_, protocol);
}

QWidget* SettingsWindow::buildClubFields()
{
    auto* panel = new QWidget(this);
    auto* options = new QHBoxLayout;
    antennaCheck_ = new QCheckBox(GetText(kAntennaText), panel);
    sortCheck_ = new QCheckBox(GetText(kSortText), panel);
    options->addWidget(antennaCheck_);
    options->addSpacing(24);
    options->addWidget(sortCheck_);
    options->addStretch(1);

    clubIdEdit_ = new QLineEdit(panel);
    clubEdit_ = new QLineEdit(panel);
    clubIdEdit_->setObjectName(QStringLiteral("Text1"));
    clubEdit_->setObjectName(QStringLiteral("Text2"));
    // The field sizes of the delivered settings table; the engine itself
    // would store longer texts that the clocks and reports cannot hold.
    clubIdEdit_->setMaxLength(kClubIdLength);
    clubEdit_->setMaxLength(kClubLength);

    prizeEveryEdit_ = new QLineEdit(panel);
    prizeEveryEdit_->setMaxLength(2);
    prizeEveryEdit_->setPlaceholderText(QString::number(kDefaultPrizeEvery));
    nominatedCheck_ = new QCheckBox(GetText(188), panel);
    auto* result = new QHBoxLayout;
    result->addWidget(prizeEveryEdit_);
    result->addSpacing(24);
    result->addWidget(nominatedCheck_);
    result->addStretch(1);

    backupsKeptEdit_ = new QLineEdit(panel);
    backupsKeptEdit_->setMaxLength(3);
    backupsKeptEdit_->setPlaceholderText(QString::number(RetentionRule::kDefaultLast));
    backupMonthsEdit_ = new QLineEdit(panel);
    backupMonthsEdit_->setMaxLength(3);
    backupMonthsEdit_->setPlaceholderText(QString::number(RetentionRule::kDefaultMonths));
    auto* backups = new QHBoxLayout;
    backups->addWidget(backupsKeptEdit_);
    backups->addSpacing(24);
    auto* monthsLabel = new QLabel(GetText(266), panel);
    monthsLabel->setBuddy(backupMonthsEdit_);
    backups->addWidget(monthsLabel);
    backups->addWidget(backupMonthsEdit_);
    backups->addStretch(1);

    auto* form = new QFormLayout;
    form->addRow(GetText(kClubIdText), clubIdEdit_);
    form->addRow(GetText(kClubText), clubEdit_);
    form->addRow(GetText(187), result);
    form->addRow(GetText(265), backups);
    form->addRow(GetText(kLanguageText), buildLanguageBox(panel));
    // These rows hold layouts, so the form cannot tell which field a label names.
    if (auto* prizeLabel = qobject_cast<QLabel*>(form->labelForField(result)))
        prizeLabel->setBuddy(prizeEveryEdit_);
    if (auto* backupsLabel = qobject_cast<QLabel*>(form->labelForField(backups)))
        backupsLabel->setBuddy(backupsKeptEdit_);
    addDatabaseField(panel, form);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->addLayout(options);
    layout->addLayout(form);
    return panel;
}

QComboBox* SettingsWindow::buildLanguageBox(QWidget* panel)
{
    languageBox_ = new QComboBox(panel);
    languageBox_->setObjectName(QStringLiteral("language"));
    for (const ShippedTranslations::Language& language : ShippedTranslations::languages())
        languageBox_->addItem(language.name, language.code);
    languageBox_->setToolTip(GetText(kLanguageHintText));
    // As wide as the longest name, not as the club's name field.
    languageBox_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return languageBox_;
}

void SettingsWindow::addDatabaseField(QWidget* panel, QFormLayout* form)
{
    databaseEdit_ = new QLineEdit(rememberedServer(), panel);
    // What an empty field means: the file this program starts on without a server.
    databaseEdit_->setPlaceholderText(
        QDir::toNativeSeparators(clubDatabasePath(ClubDatabaseLocation::ofThisProgram().folder())));
    fileButton_ = new QPushButton(GetText(327), panel);
    fileButton_->setAutoDefault(false);
    connect(fileButton_, &QPushButton::clicked, databaseEdit_, &QLineEdit::clear);
    auto* field = new QHBoxLayout;
    field->addWidget(databaseEdit_, 1);
    field->addWidget(fileButton_);

    auto* label = new QLabel(GetText(313), panel);
    label->setBuddy(databaseEdit_);
    auto* inUse = new QLabel(GetText(326).arg(QDir::toNativeSeparators(databaseFile(ClubDatabase::get()))), panel);
    inUse->setWordWrap(true);
    form->addRow(label, field);
    form->addRow(inUse);
}

bool SettingsWindow::databaseChanged() const
{
    return databaseEdit_->text().trimmed() != rememberedServer();
}

bool SettingsWindow::rememberTypedDatabase()
{
    const std::optional<QString> server = serverToRemember(databaseEdit_->text());
    if (!server) {
        QMessageBox::warning(this, windowTitle(), GetText(328));
        databaseEdit_->setFocus();
        return false;
    }
    rememberServer(*server);
    return true;
}

void SettingsWindow::showSettings(const ClubSettings& settings)
{
    selectIndex(comGroup_, settings.com);
    selectIndex(modelGroup_, settings.protocol);
    antennaCheck_->setChecked(settings.converter);
    sortCheck_->setChecked(settings.sort);
    clubIdEdit_->setText(settings.clubId);
    clubEdit_->setText(settings.club);
    prizeEveryEdit_->setText(settings.prizeEvery > 0 ? QString::number(settings.prizeEvery) : QString());
    nominatedCheck_->setChecked(settings.nominated);
    backupsKeptEdit_->setText(settings.backupsKept > 0 ? QString::number(settings.backupsKept) : QString());
    backupMonthsEdit_->setText(settings.backupMonths >= 0 ? QString::number(settings.backupMonths) : QString());
    // A code no shipped language has shows as English, which "Update" keeps.
    languageBox_->setCurrentIndex(qMax(0, languageBox_->findData(settings.language)));
    for (size_t index = 0; index < deviceBoxes_.size(); ++index) {
        deviceBoxes_[index]->setCurrentIndex(-1);
        deviceBoxes_[index]->setEditText(settings.portDevices[index]);
    }
}

ClubSettings SettingsWindow::editedSettings() const
{
    ClubSettings settings = stored_;
    settings.clubId = TextOrDefault(clubIdEdit_->text(), QStringLiteral(" "));
    settings.club = TextOrDefault(clubEdit_->text(), QStringLiteral(" "));
    if (comGroup_->checkedId() >= 0)
        settings.com = comGroup_->checkedId();
    if (modelGroup_->checkedId() >= 0)
        settings.protocol = modelGroup_->checkedId();
    settings.converter = antennaCheck_->isChecked();
    settings.sort = sortCheck_->isChecked();
    for (size_t index = 0; index < deviceBoxes_.size(); ++index)
        settings.portDevices[index] = deviceBoxes_[index]->currentText().trimmed();
    settings.prizeEvery = editedPrizeEvery();
    settings.nominated = nominatedCheck_->isChecked();
    settings.backupsKept = editedNumber(backupsKeptEdit_, 1, kMostBackupsKept, 0);
    settings.backupMonths = editedNumber(backupMonthsEdit_, 0, kMostBackupMonths, -1);
    const QString language = languageBox_->currentData().toString();
    if (!language.isEmpty() || languageBox_->findData(stored_.language) >= 0)
        settings.language = language;
    return settings;
}

int SettingsWindow::editedPrizeEvery() const
{
    const QString text = prizeEveryEdit_->text().trimmed();
    if (text.isEmpty())
        return 0;
    const StrictNumber every = ReadStrictNumber(text, 1, kMostPrizeEvery);
    return every ? int(every.value) : -1;
}

int SettingsWindow::editedNumber(const QLineEdit* edit, int least, int most, int unset)
{
    const QString text = edit->text().trimmed();
    if (text.isEmpty())
        return unset;
    const StrictNumber number = ReadStrictNumber(text, least, most);
    return number ? int(number.value) : -2;
}

bool SettingsWindow::typedNumbersFit()
{
    if (editedPrizeEvery() < 0) {
        QMessageBox::warning(this, windowTitle(), GetText(189));
        prizeEveryEdit_->setFocus();
        return false;
    }
    const ClubSettings edited = editedSettings();
    QLineEdit* refused = edited.backupsKept == -2 ? backupsKeptEdit_
        : edited.backupMonths == -2               ? backupMonthsEdit_
                                                  : nullptr;
    if (refused) {
        QMessageBox::warning(this, windowTitle(), GetText(267));
        refused->setFocus();
        return false;
    }
    return true;
}

void SettingsWindow::storeAndClose()
{
    if (!typedNumbersFit() || (databaseChanged() && !rememberTypedDatabase()))
        return;
    const ClubSettings edited = editedSettings();
    try {
        const QSqlDatabase db = ClubDatabase::get();
        inTransaction(db, [&] {
            saveSettings(db, edited, stored_);
            if (edited.language != stored_.language)
                ShippedTranslations::apply(db, edited.language);
        });
    } catch (const DatabaseError& error) {
        // The window stays open with the user's values, so nothing is lost.
        showDatabaseError(this, windowTitle(), error, QStringLiteral("The settings were not stored:"));
        return;
    }
    LoadSettings();
    // Windows opened from now on show the chosen language.
    TextCatalogue::invalidate();
    useQtOwnTexts(appState().activeSettings.language);
    accept();
}

} // namespace durvek
