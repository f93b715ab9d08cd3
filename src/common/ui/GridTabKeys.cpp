#include "common/ui/GridTabKeys.h"
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTableView>

namespace durvek {

namespace {

bool isHidden(const QAbstractItemView* grid, int column)
{
    const auto* table = qobject_cast<const QTableView*>(grid);
    return table && table->isColumnHidden(column);
}

int firstColumn(const QAbstractItemView* grid)
{
    const int columns = grid->model()->columnCount();
    int column = 0;
    while (column < columns - 1 && isHidden(grid, column))
        ++column;
    return column;
}

int lastColumn(const QAbstractItemView* grid)
{
    int column = grid->model()->columnCount() - 1;
    while (column > 0 && isHidden(grid, column))
        --column;
    return column;
}

class TabLeavesGridAtItsEnds : public QObject {
public:
    explicit TabLeavesGridAtItsEnds(QAbstractItemView* grid) : QObject(grid), grid_(grid) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The plain Tab that leave() sends passes untouched.
        if (watched != grid_ || event->type() != QEvent::KeyPress || !grid_->tabKeyNavigation())
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab)
            return false;
        const bool backwards = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
        const bool ctrl = key->modifiers() & Qt::ControlModifier;
        if (!ctrl && !tabLeavesGrid(grid_, backwards))
            return false;
        leave(key->key(), key->modifiers() & ~Qt::ControlModifier);
        return true;
    }

private:
    void leave(int key, Qt::KeyboardModifiers modifiers)
    {
        // Without cell navigation the grid hands a plain Tab to the window's
        // focus chain.
        grid_->setTabKeyNavigation(false);
        QKeyEvent plain(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(grid_, &plain);
        grid_->setTabKeyNavigation(true);
    }

    QAbstractItemView* grid_;
};

} // namespace

// Tab past the last cell or Shift+Tab before the first: the grid has no
// further cell, and wrapping round would trap the keyboard in it.
bool tabLeavesGrid(const QAbstractItemView* grid, bool backwards)
{
    const QAbstractItemModel* model = grid->model();
    const QModelIndex current = grid->currentIndex();
    if (!model || !current.isValid())
        return true;
    if (backwards)
        return current.row() == 0 && current.column() == firstColumn(grid);
    return current.row() == model->rowCount() - 1 && current.column() == lastColumn(grid);
}

void useTabBetweenCells(QAbstractItemView* grid)
{
    grid->setTabKeyNavigation(true);
    grid->installEventFilter(new TabLeavesGridAtItsEnds(grid));
}

} // namespace durvek
