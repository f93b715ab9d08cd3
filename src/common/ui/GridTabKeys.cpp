#include "common/ui/GridTabKeys.h"
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTableView>

namespace durvek {

namespace {

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
        if (!ctrl && !atEnd(backwards))
            return false;
        leave(key->key(), key->modifiers() & ~Qt::ControlModifier);
        return true;
    }

private:
    // Tab past the last cell or Shift+Tab before the first: the grid has no
    // further cell, and wrapping round would trap the keyboard in it.
    bool atEnd(bool backwards) const
    {
        const QAbstractItemModel* model = grid_->model();
        const QModelIndex current = grid_->currentIndex();
        if (!model || !current.isValid())
            return true;
        if (backwards)
            return current.row() == 0 && current.column() == firstColumn(*model);
        return current.row() == model->rowCount() - 1 && current.column() == lastColumn(*model);
    }

    int firstColumn(const QAbstractItemModel& model) const
    {
        int column = 0;
        while (column < model.columnCount() - 1 && isHidden(column))
            ++column;
        return column;
    }

    int lastColumn(const QAbstractItemModel& model) const
    {
        int column = model.columnCount() - 1;
        while (column > 0 && isHidden(column))
            --column;
        return column;
    }

    bool isHidden(int column) const
    {
        const auto* table = qobject_cast<const QTableView*>(grid_);
        return table && table->isColumnHidden(column);
    }

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

void useTabBetweenCells(QAbstractItemView* grid)
{
    grid->setTabKeyNavigation(true);
    grid->installEventFilter(new TabLeavesGridAtItsEnds(grid));
}

} // namespace durvek
