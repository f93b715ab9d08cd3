#pragma once
#include <QDialog>

class QHBoxLayout;
class QPushButton;

namespace durvek {

class GridTableModel;
class GridView;

// A modal window that shows one table of the club database in a grid with
// an Exit button (catalogue text 6) beneath it. Cell edits are stored as
// each cell is left, and the cell still being edited is stored on close.
class GridWindow : public QDialog {
    Q_OBJECT

public:
    GridWindow(QWidget* parent, const QString& title);

    GridView* grid() const { return grid_; }
    GridTableModel* model() const { return model_; }
    QPushButton* exitButton() const { return exitButton_; }

    void done(int result) override;

protected:
    // Shows the table ordered by the column; false (after telling the user)
    // when the table cannot be read.
    bool bindTable(const QString& table, const QString& orderColumn);

    // Shows the key column (narrow, not editable) and the given columns;
    // any other column of the table stays out of sight.
    void showColumns(int keyColumn, const QList<int>& editableColumns);

    // A window's own command, placed left of Exit.
    void addCommandButton(QPushButton* button);

private:
    GridTableModel* model_ = nullptr;
    GridView* grid_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
};

} // namespace durvek
