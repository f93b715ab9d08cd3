#pragma once
#include <QStyledItemDelegate>

namespace durvek {

// Paints a grid cell as the style does, but its text as one line, elided to
// the cell and laid out once: the style lays a cell's text out three times
// (size, eliding, drawing), which is most of what repainting a grid of
// short texts costs on every keystroke.
class OneLineCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace durvek
