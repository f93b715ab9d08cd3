#pragma once
#include <QHash>
#include <QStyledItemDelegate>

namespace durvek {

// Cell editor that holds a column's text to the field size of the table, so
// typing or pasting can never put more characters in than the clocks take.
class MaxLengthDelegate : public QStyledItemDelegate {
public:
    explicit MaxLengthDelegate(QObject* parent = nullptr);

    void setMaxLength(int column, int maxLength);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

private:
    QHash<int, int> maxLengths_;
};

} // namespace durvek
