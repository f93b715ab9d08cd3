#pragma once
#include <QStyledItemDelegate>

namespace durvek {

// Cell editor that holds the text to the column's field width (the model's
// RecordGridModel::kMaxLengthRole), so typing or pasting cannot put in more
// than the table and the clocks take.
class CellLengthDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};

} // namespace durvek
