#pragma once
#include <QTableView>

namespace durvek {

// The data grid of the table windows.
class GridView : public QTableView {
public:
    explicit GridView(QWidget* parent = nullptr);

    // Writes what is typed in a cell that is still being edited, as leaving
    // the cell would; windows call it when they close so the last edit is kept.
    void commitOpenEditor();

protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
};

} // namespace durvek
