#include "common/ui/LayoutTabOrder.h"
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>

namespace durvek {

namespace {

void collectWidget(QWidget* widget, QWidgetList& order);

bool takesTabFocus(const QWidget* widget)
{
    return (widget->focusPolicy() & Qt::TabFocus) && !widget->isWindow();
}

// Widgets that move the focus among their own parts themselves.
bool isCompound(const QWidget* widget)
{
    return qobject_cast<const QAbstractItemView*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget)
        || qobject_cast<const QComboBox*>(widget);
}

QList<QLayoutItem*> itemsInReadingOrder(QLayout* layout)
{
    QList<QLayoutItem*> items;
    for (int i = 0; i < layout->count(); ++i)
        items << layout->itemAt(i);
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        QList<std::pair<std::pair<int, int>, QLayoutItem*>> cells;
        for (int i = 0; i < grid->count(); ++i) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
            cells.append({{row, column}, grid->itemAt(i)});
        }
        std::stable_sort(cells.begin(), cells.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        items.clear();
        for (const auto& cell : cells)
            items << cell.second;
    } else if (auto* box = qobject_cast<QBoxLayout*>(layout)) {
        if (box->direction() == QBoxLayout::RightToLeft || box->direction() == QBoxLayout::BottomToTop)
            std::reverse(items.begin(), items.end());
    }
    return items;
}

void collectLayout(QLayout* layout, QWidgetList& order)
{
    for (QLayoutItem* item : itemsInReadingOrder(layout)) {
        if (QWidget* widget = item->widget())
            collectWidget(widget, order);
        else if (QLayout* inner = item->layout())
            collectLayout(inner, order);
    }
}

void collectChildren(QWidget* parent, QWidgetList& order)
{
    if (auto* tabs = qobject_cast<QTabWidget*>(parent)) {
        collectWidget(tabs->tabBar(), order);
        for (int i = 0; i < tabs->count(); ++i)
            collectWidget(tabs->widget(i), order);
        return;
    }
    if (auto* stack = qobject_cast<QStackedWidget*>(parent)) {
        for (int i = 0; i < stack->count(); ++i)
            collectWidget(stack->widget(i), order);
        return;
    }
    if (parent->layout())
        collectLayout(parent->layout(), order);
    // Children the layout does not hold, in the order they were made.
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!order.contains(child) && !child->isWindow())
            collectWidget(child, order);
    }
}

void collectWidget(QWidget* widget, QWidgetList& order)
{
    if (order.contains(widget))
        return;
    // Every widget is kept as visited; only those taking Tab get an order.
    order << widget;
    if (!isCompound(widget))
        collectChildren(widget, order);
}

} // namespace

void orderTabsByLayout(QWidget* window)
{
    if (!window)
        return;
    QWidgetList visited;
    collectChildren(window, visited);
    QWidget* previous = nullptr;
    for (QWidget* widget : visited) {
        if (!takesTabFocus(widget) || widget->focusProxy())
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace durvek
