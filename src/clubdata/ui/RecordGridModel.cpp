#include "clubdata/ui/RecordGridModel.h"
#include <exception>

namespace durvek {

RecordGridModel::RecordGridModel(QList<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent)
    , m_columns(std::move(columns))
{
}

void RecordGridModel::setAdder(Adder adder)
{
    beginResetModel();
    m_adder = std::move(adder);
    endResetModel();
}

void RecordGridModel::setHeaderText(int column, const QString& text)
{
    if (column < 0 || column >= m_columns.size())
        return;
    m_columns[column].header = text;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void RecordGridModel::reload()
{
    beginResetModel();
    m_rows.clear();
    try {
        if (m_loader)
            m_rows = m_loader();
    } catch (const std::exception& error) {
        // Reset done first: the report may open a box or leave the window unmade.
        endResetModel();
        report(error);
        return;
    }
    endResetModel();
}

void RecordGridModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

qint64 RecordGridModel::rowidAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows[row].rowid : 0;
}

QString RecordGridModel::textAt(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_rows[row].values.size())
        return QString();
    return m_rows[row].values[column].toString();
}

int RecordGridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return int(m_rows.size()) + (m_adder ? 1 : 0);
}

int RecordGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant RecordGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == kMaxLengthRole)
        return m_columns[index.column()].maxLength;
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return textAt(index.row(), index.column());
}

QVariant RecordGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return isNewRow(section) ? QStringLiteral("*") : QString();
    return section >= 0 && section < m_columns.size() ? m_columns[section].header : QVariant();
}

Qt::ItemFlags RecordGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_columns[index.column()].editable)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool RecordGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !m_columns[index.column()].editable)
        return false;
    QString text = value.toString();
    const int maxLength = m_columns[index.column()].maxLength;
    if (maxLength > 0)
        text.truncate(maxLength);
    return store(index.row(), index.column(), text);
}

bool RecordGridModel::store(int row, int column, const QString& text)
{
    try {
        if (isNewRow(row)) {
            // Walking through the empty row starts no record.
            if (text.isEmpty())
                return false;
            const StoredRow added = m_adder(column, text);
            beginInsertRows({}, row + 1, row + 1);
            m_rows.append(added);
            endInsertRows();
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
            emit headerDataChanged(Qt::Vertical, row, row + 1);
            return true;
        }
        if (row >= m_rows.size() || textAt(row, column) == text)
            return false;
        if (m_writer)
            m_writer(m_rows[row].rowid, column, text);
        m_rows[row].values[column] = text;
        emit dataChanged(index(row, column), index(row, column));
        return true;
    } catch (const std::exception& error) {
        report(error);
        return false;
    }
}

void RecordGridModel::report(const std::exception& error) const
{
    if (m_failed)
        m_failed(error);
}

} // namespace durvek
