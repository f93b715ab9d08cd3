#include "shell/ui/PcTextsWindow.h"
#include "common/TextCatalogue.h"
#include "common/ui/Captions.h"
#include "common/ui/WindowSetUp.h"
#include "shell/GridTableModel.h"
#include "shell/ui/GridView.h"
#include <QHeaderView>

namespace durvek {

PcTextsWindow::PcTextsWindow(QWidget* parent) : GridWindow(parent, QStringLiteral("Language PC-Soft"))
{
    resize(760, 540);
    applyCaptions(this);
    if (bindTable(QStringLiteral("PcLanguage"), QStringLiteral("id")))
        layOutColumns();
    finishWindowSetUp(this);
}

void PcTextsWindow::layOutColumns()
{
    GridTableModel* m = model();
    const int id = m->fieldIndex(QStringLiteral("id"));
    const int base = m->fieldIndex(QStringLiteral("default"));
    const int other = m->fieldIndex(QStringLiteral("other"));
    m->setHeaderData(id, Qt::Horizontal, QStringLiteral("id"));
    m->setHeaderData(base, Qt::Horizontal, QStringLiteral("Default"));
    m->setHeaderData(other, Qt::Horizontal, QStringLiteral("Other"));

    showColumns(id, {base, other});
    grid()->horizontalHeader()->setSectionResizeMode(base, QHeaderView::Stretch);
    grid()->horizontalHeader()->setSectionResizeMode(other, QHeaderView::Stretch);
}

void PcTextsWindow::done(int result)
{
    GridWindow::done(result);
    // Every window opened from now on must show the texts as edited here.
    TextCatalogue::invalidate();
}

} // namespace durvek
