#include "common/ui/GridTabKeys.h"
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>

namespace durvek {

namespace {

class CtrlTabLeavesGrid : public QObject {
public:
    explicit CtrlTabLeavesGrid(QAbstractItemView* grid) : QObject(grid), grid_(grid) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != grid_ || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (!tab || !(key->modifiers() & Qt::ControlModifier))
            return false;
        // Without cell navigation the grid hands a plain Tab to the window's
        // focus chain.
        grid_->setTabKeyNavigation(false);
        QKeyEvent plain(QEvent::KeyPress, key->key(), key->modifiers() & ~Qt::ControlModifier);
        QCoreApplication::sendEvent(grid_, &plain);
        grid_->setTabKeyNavigation(true);
        return true;
    }

private:
    QAbstractItemView* grid_;
};

} // namespace

void useTabBetweenCells(QAbstractItemView* grid)
{
    grid->setTabKeyNavigation(true);
    grid->installEventFilter(new CtrlTabLeavesGrid(grid));
}

} // namespace durvek
