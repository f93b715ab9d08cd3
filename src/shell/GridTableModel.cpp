#include "shell/GridTableModel.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlRecord>

namespace durvek {

GridTableModel::GridTableModel(QObject* parent, const QSqlDatabase& db)
    : QSqlTableModel(parent, db)
{
    setEditStrategy(QSqlTableModel::OnFieldChange);
}

bool GridTableModel::selectOrderedBy(const QString& table, const QString& orderColumn)
{
    // Quoted as the engine spells it: the model quotes what it is given, and
    // the server keeps the club's unquoted names in lower case.
    setTable(quoteName(database(), table));
    const int column = fieldIndex(orderColumn);
    if (column < 0)
        return false;
    setSort(column, Qt::AscendingOrder);
    return select();
}

void GridTableModel::setReadOnlyColumn(int column)
{
    readOnlyColumns_.insert(column);
}

void GridTableModel::setKeyColumn(int column)
{
    setReadOnlyColumn(column);
    if (!primaryKey().isEmpty())
        return;
    QSqlIndex key(tableName(), QStringLiteral("grid_key"));
    key.append(record().field(column));
    setPrimaryKey(key);
}

void GridTableModel::setWriteFailedHandler(WriteFailed handler)
{
    writeFailed_ = std::move(handler);
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QSqlTableModel::flags(index);
    if (readOnlyColumns_.contains(index.column()))
        f &= ~Qt::ItemIsEditable;
    return f;
}

bool GridTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (readOnlyColumns_.contains(index.column()))
        return false;
    if (QSqlTableModel::setData(index, value, role))
        return true;
    // A refused write leaves the cell marked dirty; drop it so the grid shows
    // what the table really holds.
    const QSqlError error = lastError();
    revertAll();
    if (writeFailed_ && !error.text().trimmed().isEmpty())
        writeFailed_(engineFailure(database(), error));
    return false;
}

} // namespace durvek
