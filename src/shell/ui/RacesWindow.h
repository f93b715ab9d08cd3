#pragma once
#include "shell/ui/GridWindow.h"

namespace durvek {

// Names and abbreviations of the club's 25 fixed races (table races). The
// grid neither adds nor deletes rows; the race number is not editable.
class RacesWindow : public GridWindow {
    Q_OBJECT

public:
    // Field sizes of races.lossing and races.afkort; the clocks take no more.
    static constexpr int kNameLength = 20;
    static constexpr int kAbbreviationLength = 4;

    explicit RacesWindow(QWidget* parent = nullptr);

private:
    void layOutColumns();
};

} // namespace durvek
