#pragma once
#include "linking/GridEditContext.h"
#include <QTableView>
#include <functional>

namespace durvek {

class PigeonGrid;
class PigeonGridTableModel;

// The pigeon grid on screen. It never edits a cell itself: keys go to the
// grid editing rules, arrow keys and clicks move the current cell (the cell
// left is completed by its rule), and a click on a sex or delete cell
// toggles its mark.
class PigeonGridView : public QTableView {
    Q_OBJECT
public:
    // fancierShown tells whether typed keys may change the grid.
    PigeonGridView(PigeonGrid& grid, GridEditContext& context, std::function<bool()> fancierShown,
                   QWidget* parent = nullptr);

    PigeonGrid& grid() { return m_grid; }
    // Column widths in twips, as the layout gives them.
    static int columnWidthTwips(int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void followProgramMove(int gridRow, int column, bool toTop);
    void typeKey(QChar key);
    void applyColumnLayout();

    PigeonGrid& m_grid;
    GridEditContext& m_context;
    std::function<bool()> m_fancierShown;
    PigeonGridTableModel* m_model;
    bool m_programMove = false;
};

} // namespace durvek
