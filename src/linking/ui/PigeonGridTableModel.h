#pragma once
#include "linking/PigeonGrid.h"
#include <QAbstractTableModel>

namespace durvek {

// The pigeon grid as a table for a view: view row i is grid row i + 1, the
// grid's header row being the view's column headers.
class PigeonGridTableModel : public QAbstractTableModel, public PigeonGridObserver {
    Q_OBJECT
public:
    explicit PigeonGridTableModel(PigeonGrid& grid, QObject* parent = nullptr);
    ~PigeonGridTableModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static int gridRowOf(const QModelIndex& index) { return index.row() + 1; }

signals:
    void currentMovedByProgram(int gridRow, int column, bool toTop);
    void repaintRequested();

private:
    void gridReset() override;
    void rowsAppended(int firstRow, int lastRow) override;
    void cellChanged(int row, int column) override;
    void rowColourChanged(int row) override;
    void currentMoved(int row, int column, bool toTop) override;
    void refreshRequested() override;

    PigeonGrid& m_grid;
    int m_shownRows = 0; // data rows the view knows of
};

} // namespace durvek
