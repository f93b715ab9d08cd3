#include "clubdata/ui/CellLengthDelegate.h"
#include "clubdata/ui/RecordGridModel.h"
#include <QLineEdit>

namespace durvek {

QWidget* CellLengthDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    const int maxLength = index.data(RecordGridModel::kMaxLengthRole).toInt();
    if (auto* line = qobject_cast<QLineEdit*>(editor); line && maxLength > 0)
        line->setMaxLength(maxLength);
    return editor;
}

} // namespace durvek
