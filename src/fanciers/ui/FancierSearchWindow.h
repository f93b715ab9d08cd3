#pragma once
#include "fanciers/FancierSearchQuery.h"
#include <QDialog>
#include <QStringList>
#include <cstdint>

class QLabel;
class QPushButton;
class QTableView;

namespace durvek {

class FancierSearchResults;
class FilteredLineEdit;

// Opens the search window modally (fancierSearchMode 0 by licence, 1 by name,
// 2 by record number) and returns the id of the fancier chosen with Select,
// 0 when none was. Like the window itself it leaves the choice in
// appState().currentFancierId and linkBuffers().CancelRequested (false only
// when a fancier was chosen).
int32_t runFancierSearch(QWidget* parent, int fancierSearchMode);

// The search window: a query box that narrows a grid of fanciers with every
// key, and the buttons Exit and Select. It only reads the database.
class FancierSearchWindow : public QDialog {
    Q_OBJECT

public:
    FancierSearchWindow(QWidget* parent, FancierSearchMode mode);

    FilteredLineEdit* queryBox() const { return queryBox_; }
    QTableView* grid() const { return grid_; }
    QPushButton* exitButton() const { return exitButton_; }
    QPushButton* selectButton() const { return selectButton_; }
    // The query text the grid shows the result of.
    QString shownQuery() const { return shownQuery_; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setColumnCaptions();
    void requery(const QString& text);
    void chooseCurrentRow();

    FancierSearchMode mode_;
    QLabel* promptLabel_ = nullptr;
    QLabel* hintLabel_ = nullptr;
    FilteredLineEdit* queryBox_ = nullptr;
    FancierSearchResults* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QPushButton* selectButton_ = nullptr;
    QString shownQuery_;
    bool columnsSized_ = false;
    bool chosen_ = false;
    bool made_ = false; // the first search, in the constructor, is over
};

} // namespace durvek
