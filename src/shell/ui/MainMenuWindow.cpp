#include "shell/ui/MainMenuWindow.h"
#include "common/TextCatalogue.h"
#include "backup/ui/BackupMenu.h"
#include "common/ui/Captions.h"
#include "common/ui/DatabaseErrorBox.h"
#include "common/ui/Mnemonics.h"
#include "common/ui/WindowSetUp.h"
#include "clubdata/ui/ClubDataWindow.h"
#include "database/ClubDatabase.h"
#include "fanciers/ui/FancierWindow.h"
#include "languages/ui/LanguageExportWindow.h"
#include "languages/ui/ClockLanguageWindow.h"
#include "linking/ui/LinkingWindow.h"
#include "shell/ui/TextInputDialog.h"
#include "results/ui/PrintManagerWindow.h"
#include "shell/ui/PcTextsWindow.h"
#include "shell/ui/RacesWindow.h"
#include "shell/Startup.h"
#include "shell/ui/SettingsWindow.h"
#include "shell/ui/LinkButton.h"
#include "shell/ui/LogoEmblem.h"
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace durvek {

namespace {

using WindowOpener = void (*)(QWidget* menu);

QString askText(QWidget* parent, const QString& title)
{
    return TextInputDialog::ask(parent, title);
}

void openFancierRecords(QWidget* menu)
{
    openFancierWindow(menu, askText);
}

void openClubData(QWidget* menu)
{
    openClubDataWindow(menu, askText);
}

void openRestore(QWidget* menu)
{
    openRestoreWindow(menu, &reopenClubDatabase);
}

template <class Window>
void openModal(QWidget* menu)
{
    Window window(menu);
    window.exec();
}

struct MenuButton {
    const char* designCaption;
    int textNumber;      // 0: the design caption stays
    WindowOpener open;   // nullptr: the window is not part of the program yet, the button is disabled
};

// Index order is the order on screen. Exit (index 7) is handled apart.
const std::array<MenuButton, MainMenuWindow::kButtonCount> kMenu = {{
    {"Fancier", 1, &openFancierRecords},
    {"Linking", 2, &openLinkingWindow},
    {"Print-Manager", 0, &openPrintManager},
    {"Pc-Soft", 4, &openModal<PcTextsWindow>},
    {"Korvat", 0, &openClubData},
    {"Races", 86, &openModal<RacesWindow>},
    {"Settings", 5, &openModal<SettingsWindow>},
    {"Exit", 6, nullptr},
}};

const QSize kButtonSize(190, 34);
constexpr int kClockTextsCaption = 350;
constexpr int kExportTextsCaption = 351;
constexpr int kClockTextsHint = 352;
constexpr int kExportTextsHint = 353;

} // namespace

MainMenuWindow::MainMenuWindow(QWidget* parent) : QWidget(parent)
{
    // A club database on a CD or a write-protected stick can be looked at but
    // not changed; the title says so before a refused store does.
    const QString title = QStringLiteral("DURVEK Club - Administrator");
    setWindowTitle(ClubDatabase::isReadOnly(ClubDatabase::get()) ? title + QStringLiteral(" (read only)") : title);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(buildButtonPanel());
    layout->addWidget(buildInfoPanel(), 1);
    applyCaptions(this);
    setFixedSize(sizeHint());
    finishWindowSetUp(this);
}

QPushButton* MainMenuWindow::button(int index) const
{
    return buttons_.at(size_t(index));
}

QWidget* MainMenuWindow::buildButtonPanel()
{
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(10, 10, 10, 10);
    column->setSpacing(6);
    for (int index = 0; index < kButtonCount; ++index) {
        const MenuButton& entry = kMenu[size_t(index)];
        auto* button = new QPushButton(QString::fromLatin1(entry.designCaption), panel);
        button->setObjectName(QStringLiteral("Command1_%1").arg(index));
        button->setFixedSize(kButtonSize);
        button->setAutoDefault(false);
        if (entry.textNumber != 0)
            setCaptionNumber(button, entry.textNumber);
        button->setEnabled(index == kExitIndex || entry.open != nullptr);
        connect(button, &QPushButton::clicked, this, [this, index] { onButton(index); });
        column->addWidget(button);
        buttons_[size_t(index)] = button;
    }
    return panel;
}

QWidget* MainMenuWindow::buildInfoPanel()
{
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setObjectName(QStringLiteral("infoPanel"));
    panel->setStyleSheet(QStringLiteral("#infoPanel { background: #ffffff; }"));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(16, 16, 16, 16);

    auto* title = new QLabel(QStringLiteral("Club-Administrator"), panel);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setStyleSheet(QStringLiteral("color: #1f4e79;"));
    title->setAlignment(Qt::AlignCenter);

    auto* version = new QLabel(QStringLiteral("Version 4.0  - 02/04/2007"), panel);
    version->setAlignment(Qt::AlignCenter);

    column->addWidget(title);
    column->addWidget(new LogoEmblem(panel), 1, Qt::AlignCenter);
    column->addWidget(version);
    column->addLayout(buildLanguageTools(panel));
    column->addLayout(buildBackupTools(panel));
    status_ = new QLabel(panel);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    status_->setStyleSheet(QStringLiteral("color: #a00000;"));
    status_->hide();
    column->addWidget(status_);
    return panel;
}

QLayout* MainMenuWindow::buildLanguageTools(QWidget* panel)
{
    auto* row = new QHBoxLayout;
    clockLanguage_ = new LinkButton(QStringLiteral("Clock texts..."), panel);
    clockLanguage_->setObjectName(QStringLiteral("clockLanguage"));
    setCaptionNumber(clockLanguage_, kClockTextsCaption);
    clockLanguage_->setToolTip(GetText(kClockTextsHint));
    languageExport_ = new LinkButton(QStringLiteral("Export texts..."), panel);
    languageExport_->setObjectName(QStringLiteral("languageExport"));
    setCaptionNumber(languageExport_, kExportTextsCaption);
    languageExport_->setToolTip(GetText(kExportTextsHint));
    row->addWidget(clockLanguage_);
    row->addWidget(languageExport_);
    connect(clockLanguage_, &QPushButton::clicked, this, [this] { openTool(&openClockLanguageWindow); });
    connect(languageExport_, &QPushButton::clicked, this, [this] { openTool(&openLanguageExportWindow); });
    return row;
}

// The club's safety net, apart from the race-night buttons like the clock tools.
QLayout* MainMenuWindow::buildBackupTools(QWidget* panel)
{
    auto* row = new QHBoxLayout;
    backUpNow_ = new LinkButton(QStringLiteral("Back up now..."), panel);
    backUpNow_->setObjectName(QStringLiteral("backUpNow"));
    setCaptionNumber(backUpNow_, 250);
    restore_ = new LinkButton(QStringLiteral("Restore..."), panel);
    restore_->setObjectName(QStringLiteral("restore"));
    setCaptionNumber(restore_, 251);
    row->addWidget(backUpNow_);
    row->addWidget(restore_);
    connect(backUpNow_, &QPushButton::clicked, this, [this] { openTool(&backUpNow); });
    connect(restore_, &QPushButton::clicked, this, [this] { openTool(&openRestore); });
    return row;
}

void MainMenuWindow::showStatus(const QString& text)
{
    status_->setText(text);
    status_->setVisible(!text.isEmpty());
}

// A window that cannot read its data does not open; the run goes on.
void MainMenuWindow::openTool(void (*open)(QWidget*))
{
    try {
        open(this);
    } catch (const DatabaseError& error) {
        showDatabaseError(this, windowTitle(), error, QStringLiteral("The window could not be opened:"));
    }
    refreshCaptions();
    repaint();
}

void MainMenuWindow::refreshCaptions()
{
    // Every control's key is chosen again for the texts of the language now
    // chosen, so that Exit keeps the letter it has in every window.
    applyCaptions(this);
    clockLanguage_->setToolTip(GetText(kClockTextsHint));
    languageExport_->setToolTip(GetText(kExportTextsHint));
    assignMnemonics(this);
    setFixedSize(sizeHint());
}

void MainMenuWindow::onButton(int index)
{
    if (index == kExitIndex) {
        close();
        QCoreApplication::quit();
        return;
    }
    if (const WindowOpener open = kMenu[size_t(index)].open)
        openTool(open);
}

} // namespace durvek
