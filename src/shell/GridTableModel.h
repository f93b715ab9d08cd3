#pragma once
#include "database/DatabaseError.h"
#include <QSet>
#include <QSqlTableModel>
#include <functional>

namespace durvek {

// A table of the club database edited in a grid: each edited cell is written
// to the table as soon as the editor closes, key columns can be made
// read-only, and a write the engine refuses is reported instead of the grid
// silently showing the old value again.
class GridTableModel : public QSqlTableModel {
public:
    using WriteFailed = std::function<void(const DatabaseError& error)>;

    GridTableModel(QObject* parent, const QSqlDatabase& db);

    // Shows the table's rows ordered by the named column. False when the
    // table cannot be read (lastError() tells why).
    bool selectOrderedBy(const QString& table, const QString& orderColumn);

    void setReadOnlyColumn(int column);

    // The read-only column that tells the rows apart (a race's number). A
    // table without a key of its own is written by it: an edit then changes
    // its one field of that row also when another PC changed another field
    // meanwhile, where matching the row by all its old values would find
    // none and store nothing.
    void setKeyColumn(int column);
    void setWriteFailedHandler(WriteFailed handler);

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    QSet<int> readOnlyColumns_;
    WriteFailed writeFailed_;
};

} // namespace durvek
