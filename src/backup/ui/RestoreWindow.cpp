#include "backup/ui/RestoreWindow.h"
#include "backup/AutomaticBackup.h"
#include "backup/BackupMaker.h"
#include "backup/DamagedDatabaseRestore.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include "common/ui/Captions.h"
#include "common/ui/DatabaseErrorBox.h"
#include "common/ui/WindowSetUp.h"
#include "database/ClubDatabase.h"
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace durvek {

namespace {

enum Column { WhenColumn, ReasonColumn, FanciersColumn, PigeonsColumn, kColumnCount };

QString countText(int count)
{
    return count < 0 ? QStringLiteral("?") : QString::number(count);
}

QString reasonText(const BackupName& name)
{
    const std::optional<BackupReason> reason = backupReasonFromWord(name.reasonWord);
    return reason ? GetText(backupReasonTextNumber(*reason)) : name.reasonWord;
}

QString problemText(const RestoreVerdict& verdict)
{
    return verdict.problem == RestoreVerdict::MissingTable ? GetText(258).arg(verdict.table) : GetText(257);
}

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

RestoreWindow::RestoreWindow(ReopenDatabase reopen, QWidget* parent, Replacing replacing)
    : QDialog(parent), reopen_(std::move(reopen)), replacing_(replacing)
{
    setWindowTitle(GetText(263));
    setModal(true);
    folderLabel_ = new QLabel(this);
    table_ = new QTableWidget(0, kColumnCount, this);
    table_->setHorizontalHeaderLabels({GetText(134), GetText(259), GetText(260), GetText(261)});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(ReasonColumn, QHeaderView::Stretch);
    connect(table_, &QTableWidget::cellDoubleClicked, this, &RestoreWindow::restoreChosen);

    restoreButton_ = new QPushButton(this);
    setCaptionNumber(restoreButton_, 263);
    auto* otherFolder = new QPushButton(this);
    setCaptionNumber(otherFolder, 268);
    auto* exitButton = new QPushButton(this);
    setCaptionNumber(exitButton, 6);
    for (QPushButton* button : {restoreButton_, otherFolder, exitButton})
        button->setAutoDefault(false);
    connect(restoreButton_, &QPushButton::clicked, this, &RestoreWindow::restoreChosen);
    connect(otherFolder, &QPushButton::clicked, this, &RestoreWindow::chooseFolder);
    connect(exitButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(otherFolder);
    buttons->addStretch(1);
    buttons->addWidget(exitButton);
    buttons->addWidget(restoreButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(folderLabel_);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);

    applyCaptions(this);
    restoreButton_->setDefault(true);
    resize(620, 420);
    // A damaged file stopped the start, so no connection says where it is.
    showFolder(replacing == Replacing::DamagedDatabase ? backupFolderOf(appState().databasePath)
                                                       : clubBackupFolder(ClubDatabase::get()));
    finishWindowSetUp(this);
}

void RestoreWindow::showFolder(const QString& folder)
{
    folder_ = folder;
    folderLabel_->setText(QDir::toNativeSeparators(folder));
    backups_ = listBackups(folder);
    table_->setRowCount(int(backups_.size()));
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    for (int row = 0; row < backups_.size(); ++row) {
        const ListedBackup& backup = backups_.at(row);
        table_->setItem(row, WhenColumn, cell(backup.name.made.toString(QStringLiteral("dd-MM-yyyy HH:mm:ss"))));
        table_->setItem(row, ReasonColumn, cell(reasonText(backup.name)));
        table_->setItem(row, FanciersColumn, cell(countText(backup.fanciers), right));
        table_->setItem(row, PigeonsColumn, cell(countText(backup.pigeons), right));
    }
    table_->resizeColumnToContents(WhenColumn);
    if (!backups_.isEmpty())
        table_->selectRow(0);
    table_->setFocus();
}

void RestoreWindow::chooseFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(this, windowTitle(), folder_);
    if (!folder.isEmpty())
        showFolder(folder);
}

QString RestoreWindow::describe(const ListedBackup& backup) const
{
    return backup.name.made.toString(QStringLiteral("dd-MM-yyyy HH:mm:ss")) + QStringLiteral(" (")
        + reasonText(backup.name) + u')';
}

RestoreOutcome RestoreWindow::restore(const QString& source) const
{
    if (replacing_ == Replacing::DamagedDatabase)
        return restoreDamagedDatabase(source, appState().databasePath, reopen_);
    return restoreDatabase(source, retentionRuleOf(appState().activeSettings), reopen_);
}

void RestoreWindow::restoreChosen()
{
    const int row = table_->currentRow();
    if (row < 0 || row >= backups_.size())
        return;
    const ListedBackup chosen = backups_.at(row);
    const QString when = describe(chosen);
    const bool damaged = replacing_ == Replacing::DamagedDatabase;
    if (QMessageBox::question(this, windowTitle(), GetText(damaged ? 290 : 255).arg(when) + QStringLiteral(" ?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    RestoreOutcome outcome;
    try {
        outcome = restore(chosen.path);
        if (!outcome.verdict.restorable()) {
            QMessageBox::warning(this, windowTitle(), GetText(256).arg(problemText(outcome.verdict)));
            return;
        }
    } catch (const DatabaseError& error) {
        showDatabaseError(this, windowTitle(), error, GetText(256).arg(QString()));
        showFolder(folder_);
        return;
    }
    const QString done = damaged
        ? GetText(291).arg(when, QDir::toNativeSeparators(outcome.safetyBackup))
        : GetText(269).arg(when);
    QMessageBox::information(this, windowTitle(), done);
    accept();
}

} // namespace durvek
