#include "shell/ui/GridView.h"
#include "common/ui/GridTabKeys.h"
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>

namespace durvek {

GridView::GridView(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setHighlightSections(false);
    useTabBetweenCells(this);
}

void GridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // Tab typed in the last cell's editor goes on to the next control, as Tab
    // on that cell does, instead of round to the first cell.
    const bool backwards = hint == QAbstractItemDelegate::EditPreviousItem;
    const bool leaves = (backwards || hint == QAbstractItemDelegate::EditNextItem) && tabLeavesGrid(this, backwards);
    QTableView::closeEditor(editor, leaves ? QAbstractItemDelegate::NoHint : hint);
    if (leaves) {
        QKeyEvent tab(QEvent::KeyPress, backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                      backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QCoreApplication::sendEvent(this, &tab);
    }
}

void GridView::commitOpenEditor()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    QWidget* editor = indexWidget(currentIndex());
    if (!editor)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

} // namespace durvek
