#include "shell/ui/GridWindow.h"
#include "common/ui/Captions.h"
#include "database/ClubDatabase.h"
#include "shell/GridTableModel.h"
#include "shell/ui/GridView.h"
#include "shell/ui/TableWindowWarnings.h"
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace durvek {

GridWindow::GridWindow(QWidget* parent, const QString& title) : QDialog(parent)
{
    setWindowTitle(title);
    setModal(true);

    grid_ = new GridView(this);
    model_ = new GridTableModel(this, ClubDatabase::get());
    model_->setWriteFailedHandler(warnWriteFailed(this));

    exitButton_ = new QPushButton(QStringLiteral("Exit"), this);
    exitButton_->setObjectName(QStringLiteral("Command1"));
    exitButton_->setAutoDefault(false);
    exitButton_->setMinimumWidth(110);
    setCaptionNumber(exitButton_, 6);
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::accept);

    buttons_ = new QHBoxLayout;
    buttons_->addStretch(1);
    buttons_->addWidget(exitButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons_);
}

void GridWindow::addCommandButton(QPushButton* button)
{
    button->setAutoDefault(false);
    button->setMinimumWidth(110);
    buttons_->insertWidget(buttons_->indexOf(exitButton_), button);
}

bool GridWindow::bindTable(const QString& table, const QString& orderColumn)
{
    if (!model_->selectOrderedBy(table, orderColumn)) {
        warnReadFailed(this, model_->database(), model_->lastError());
        return false;
    }
    grid_->setModel(model_);
    return true;
}

void GridWindow::showColumns(int keyColumn, const QList<int>& editableColumns)
{
    model_->setKeyColumn(keyColumn);
    for (int column = 0; column < model_->columnCount(); ++column)
        grid_->setColumnHidden(column, column != keyColumn && !editableColumns.contains(column));
    grid_->setColumnWidth(keyColumn, 60);
}

void GridWindow::done(int result)
{
    grid_->commitOpenEditor();
    QDialog::done(result);
}

} // namespace durvek
