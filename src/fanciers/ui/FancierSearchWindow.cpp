#include "fanciers/ui/FancierSearchWindow.h"
#include "clocklink/Frames.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include "common/ui/Captions.h"
#include "common/ui/DatabaseErrorBox.h"
#include "common/ui/FilteredLineEdit.h"
#include "common/ui/WindowSetUp.h"
#include "database/ClubDatabase.h"
#include "fanciers/FancierSearchResults.h"
#include "fanciers/ui/OneLineCellDelegate.h"
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace durvek {

namespace {

int promptCaptionNumber(FancierSearchMode mode)
{
    switch (mode) {
    case FancierSearchMode::ByName:
        return 32;
    case FancierSearchMode::ByRecordNumber:
        return 33;
    case FancierSearchMode::ByLicence:
        break;
    }
    return 31;
}

} // namespace

int32_t runFancierSearch(QWidget* parent, int fancierSearchMode)
{
    FancierSearchWindow window(parent, fancierSearchModeFromNumber(fancierSearchMode));
    window.exec();
    return linkBuffers().CancelRequested ? 0 : appState().currentFancierId;
}

FancierSearchWindow::FancierSearchWindow(QWidget* parent, FancierSearchMode mode)
    : QDialog(parent), mode_(mode)
{
    setObjectName(QStringLiteral("frmzoekliefhebber"));
    setWindowTitle(QStringLiteral("Searh Fancier-data"));
    setModal(true);
    buildControls();
    applyCaptions(this);
    setColumnCaptions();
    requery(QString());
    made_ = true;
    queryBox_->setFocus();
    finishWindowSetUp(this);
}

void FancierSearchWindow::buildControls()
{
    promptLabel_ = new QLabel(this);
    setCaptionNumber(promptLabel_, promptCaptionNumber(mode_));
    hintLabel_ = new QLabel(this);
    setCaptionNumber(hintLabel_, 34);

    queryBox_ = new FilteredLineEdit(fancierSearchMask(mode_), this);
    queryBox_->setObjectName(QStringLiteral("Text1"));
    queryBox_->installEventFilter(this);
    // Every change of the box, typed, deleted or pasted, narrows the list.
    connect(queryBox_, &QLineEdit::textChanged, this, &FancierSearchWindow::requery);

    model_ = new FancierSearchResults(this);
    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    // A list to choose from: Tab goes on to Select rather than from cell to cell.
    grid_->setTabKeyNavigation(false);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->verticalHeader()->hide();
    grid_->setItemDelegate(new OneLineCellDelegate(grid_));
    // A double click is the quickest way to pick the fancier seen.
    connect(grid_, &QTableView::doubleClicked, this, &FancierSearchWindow::chooseCurrentRow);

    exitButton_ = new QPushButton(this);
    setCaptionNumber(exitButton_, 6);
    exitButton_->setAutoDefault(false);
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::reject);
    selectButton_ = new QPushButton(this);
    setCaptionNumber(selectButton_, 30);
    connect(selectButton_, &QPushButton::clicked, this, &FancierSearchWindow::chooseCurrentRow);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(selectButton_);
    buttons->addWidget(exitButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(promptLabel_);
    layout->addWidget(hintLabel_);
    layout->addWidget(queryBox_);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);
    resize(900, 480);
}

void FancierSearchWindow::setColumnCaptions()
{
    QStringList captions;
    for (int number : kFancierSearchCaptions)
        captions.append(GetText(number));
    model_->setCaptions(captions);
}

void FancierSearchWindow::requery(const QString& text)
{
    try {
        model_->search(ClubDatabase::get(), mode_, text);
    } catch (const DatabaseError& error) {
        if (!made_)
            keepWindowUnmadeIfConnectionLost(error);
        showDatabaseError(this, windowTitle(), error);
    }
    shownQuery_ = text;
    // Sized once, by the first rows there are: sizing on every key cost more
    // than the search itself.
    if (!columnsSized_ && model_->rowCount() > 0) {
        grid_->resizeColumnsToContents();
        columnsSized_ = true;
    }
    if (model_->rowCount() > 0)
        grid_->setCurrentIndex(model_->index(0, 0));
}

bool FancierSearchWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == queryBox_ && event->type() == QEvent::KeyPress) {
        auto* press = static_cast<QKeyEvent*>(event);
        const int key = press->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The list already shows the first match: Enter takes it at once.
            chooseCurrentRow();
            return true;
        }
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            // The list moves under the typing, so a near match is taken
            // without leaving the box.
            QCoreApplication::sendEvent(grid_, press);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FancierSearchWindow::chooseCurrentRow()
{
    const QModelIndex current = grid_->currentIndex();
    if (model_->rowCount() > 0 && current.isValid()) {
        appState().currentFancierId = int32_t(model_->data(model_->index(current.row(), SearchId)).toLongLong());
        chosen_ = true;
    }
    // Nothing to choose: the window closes as if Exit had been pressed.
    done(chosen_ ? Accepted : Rejected);
}

void FancierSearchWindow::done(int result)
{
    // Exit, Escape and the window frame all hand back no fancier.
    if (!chosen_ || result != Accepted) {
        chosen_ = false;
        appState().currentFancierId = 0;
    }
    linkBuffers().CancelRequested = !chosen_;
    QDialog::done(result);
}

} // namespace durvek
