#include "fanciers/ui/OneLineCellDelegate.h"
#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <cmath>
#include <utility>

namespace durvek {

namespace {

QPalette::ColorGroup colourGroup(const QStyleOptionViewItem& item)
{
    const QPalette::ColorGroup group = item.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    return group == QPalette::Normal && !(item.state & QStyle::State_Active) ? QPalette::Inactive : group;
}

QColor textColour(const QStyleOptionViewItem& item)
{
    return item.palette.color(colourGroup(item),
                              item.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text);
}

// The focus frame goes over the text, as the style draws it.
void drawFocusFrame(QPainter* painter, const QStyleOptionViewItem& item, const QStyle* style)
{
    QStyleOptionFocusRect frame;
    frame.QStyleOption::operator=(item);
    frame.rect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &item, item.widget);
    frame.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
    frame.backgroundColor =
        item.palette.color(colourGroup(item), item.state & QStyle::State_Selected ? QPalette::Highlight : QPalette::Window);
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, painter, item.widget);
}

// Placed where the style places a line of text: the cell's text area less
// its margins, aligned as the item asks.
void drawCellText(QPainter* painter, const QStyleOptionViewItem& item, const QString& text, const QStyle* style)
{
    const QWidget* widget = item.widget;
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect =
        style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).adjusted(margin, 0, -margin, 0);
    const QFontMetricsF metrics(item.font);
    const QString shown = metrics.elidedText(text, item.textElideMode, textRect.width());
    const bool leftAligned =
        QStyle::visualAlignment(item.direction, item.displayAlignment) & Qt::AlignLeft;
    const QSize size(leftAligned ? 0 : int(std::ceil(metrics.horizontalAdvance(shown))),
                     int(std::ceil(metrics.height())));
    const QRect at = QStyle::alignedRect(item.direction, item.displayAlignment, size, textRect);

    painter->save();
    painter->setClipRect(item.rect);
    painter->setFont(item.font);
    painter->setPen(textColour(item));
    painter->drawText(QPointF(at.left(), at.top() + metrics.ascent()), shown);
    painter->restore();
}

} // namespace

void OneLineCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QWidget* widget = item.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    // Background and selection as ever; the text and the focus frame come after.
    const QString text = std::exchange(item.text, QString());
    const bool focused = item.state & QStyle::State_HasFocus;
    item.state &= ~QStyle::State_HasFocus;
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    if (focused)
        item.state |= QStyle::State_HasFocus;

    if (!text.isEmpty())
        drawCellText(painter, item, text, style);
    if (focused)
        drawFocusFrame(painter, item, style);
}

} // namespace durvek
