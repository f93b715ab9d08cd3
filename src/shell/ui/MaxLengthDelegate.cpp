#include "shell/ui/MaxLengthDelegate.h"
#include <QLineEdit>

namespace durvek {

MaxLengthDelegate::MaxLengthDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void MaxLengthDelegate::setMaxLength(int column, int maxLength)
{
    maxLengths_.insert(column, maxLength);
}

QWidget* MaxLengthDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto* line = qobject_cast<QLineEdit*>(editor);
    const auto limit = maxLengths_.constFind(index.column());
    if (line && limit != maxLengths_.constEnd())
        line->setMaxLength(*limit);
    return editor;
}

} // namespace durvek
