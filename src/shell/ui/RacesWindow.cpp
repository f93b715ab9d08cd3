#include "shell/ui/RacesWindow.h"
#include "clubresult/ui/ReleaseDialog.h"
#include "common/TextCatalogue.h"
#include "common/ui/Captions.h"
#include "common/ui/DatabaseErrorBox.h"
#include "common/ui/WindowSetUp.h"
#include "shell/GridTableModel.h"
#include "shell/ui/GridView.h"
#include "shell/ui/MaxLengthDelegate.h"
#include <QHeaderView>
#include <QPushButton>

namespace durvek {

RacesWindow::RacesWindow(QWidget* parent) : GridWindow(parent, GetText(86))
{
    resize(520, 620);
    applyCaptions(this);
    if (bindTable(QStringLiteral("races"), QStringLiteral("id"))) {
        layOutColumns();
        releaseButton_ = new QPushButton(GetText(190), this);
        releaseButton_->setObjectName(QStringLiteral("cmdRelease"));
        addCommandButton(releaseButton_);
        connect(releaseButton_, &QPushButton::clicked, this, &RacesWindow::editRelease);
    }
    finishWindowSetUp(this);
}

void RacesWindow::editRelease()
{
    const int row = qMax(0, grid()->currentIndex().row());
    GridTableModel* m = model();
    const int race = m->index(row, m->fieldIndex(QStringLiteral("id"))).data().toInt();
    const QString name = m->index(row, m->fieldIndex(QStringLiteral("lossing"))).data().toString().trimmed();
    try {
        ReleaseDialog dialog(m->database(), race, name, this);
        dialog.exec();
    } catch (const DatabaseError& error) {
        showDatabaseError(this, ReleaseDialog::titleFor(name), error);
    }
}

void RacesWindow::layOutColumns()
{
    GridTableModel* m = model();
    const int id = m->fieldIndex(QStringLiteral("id"));
    const int name = m->fieldIndex(QStringLiteral("lossing"));
    const int abbreviation = m->fieldIndex(QStringLiteral("afkort"));
    m->setHeaderData(id, Qt::Horizontal, QStringLiteral("ID"));
    m->setHeaderData(name, Qt::Horizontal, GetText(87));
    m->setHeaderData(abbreviation, Qt::Horizontal, GetText(88));

    auto* delegate = new MaxLengthDelegate(grid());
    delegate->setMaxLength(name, kNameLength);
    delegate->setMaxLength(abbreviation, kAbbreviationLength);
    grid()->setItemDelegate(delegate);

    showColumns(id, {name, abbreviation});
    grid()->setColumnWidth(abbreviation, 120);
    grid()->horizontalHeader()->setSectionResizeMode(name, QHeaderView::Stretch);
}

} // namespace durvek
