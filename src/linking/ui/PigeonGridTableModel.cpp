#include "linking/ui/PigeonGridTableModel.h"
#include <QBrush>

namespace durvek {

PigeonGridTableModel::PigeonGridTableModel(PigeonGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), m_grid(grid), m_shownRows(grid.rowCount() - 1)
{
    m_grid.setObserver(this);
}

PigeonGridTableModel::~PigeonGridTableModel()
{
    m_grid.setObserver(nullptr);
}

int PigeonGridTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shownRows;
}

int PigeonGridTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : PigeonGrid::kColumns;
}

QVariant PigeonGridTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = gridRowOf(index);
    switch (role) {
    case Qt::DisplayRole:
        return m_grid.cellText(row, index.column());
    case Qt::TextAlignmentRole:
        if (index.column() == PigeonGrid::kNumberColumn)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (index.column() == PigeonGrid::kDeleteColumn)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        return int(Qt::AlignCenter);
    case Qt::BackgroundRole:
        if (m_grid.rowColour(row) == PigeonGridAccess::RowColour::Yellow)
            return QBrush(Qt::yellow);
        return {};
    default:
        return {};
    }
}

QVariant PigeonGridTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_grid.cellText(0, section);
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return QAbstractTableModel::headerData(section, orientation, role);
}

void PigeonGridTableModel::gridReset()
{
    beginResetModel();
    m_shownRows = m_grid.rowCount() - 1;
    endResetModel();
}

void PigeonGridTableModel::rowsAppended(int firstRow, int lastRow)
{
    beginInsertRows(QModelIndex(), firstRow - 1, lastRow - 1);
    m_shownRows = m_grid.rowCount() - 1;
    endInsertRows();
}

void PigeonGridTableModel::cellChanged(int row, int column)
{
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, column, column);
        return;
    }
    const QModelIndex changed = index(row - 1, column);
    emit dataChanged(changed, changed);
}

void PigeonGridTableModel::rowColourChanged(int row)
{
    if (row < 1)
        return;
    emit dataChanged(index(row - 1, 0), index(row - 1, PigeonGrid::kColumns - 1), {Qt::BackgroundRole});
}

void PigeonGridTableModel::currentMoved(int row, int column, bool toTop)
{
    emit currentMovedByProgram(row, column, toTop);
}

void PigeonGridTableModel::refreshRequested()
{
    emit repaintRequested();
}

} // namespace durvek
