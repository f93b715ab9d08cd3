#pragma once
#include "shell/ui/GridWindow.h"

namespace durvek {

// Names and abbreviations of the club's 25 fixed races (table races). The
// grid neither adds nor deletes rows; the race number is not editable.
// "Release..." enters the release point and times of the chosen race.
class RacesWindow : public GridWindow {
    Q_OBJECT

public:
    // Field sizes of races.lossing and races.afkort; the clocks take no more.
    static constexpr int kNameLength = 20;
    static constexpr int kAbbreviationLength = 4;

    explicit RacesWindow(QWidget* parent = nullptr);

    QPushButton* releaseButton() const { return releaseButton_; }

private:
    void layOutColumns();
    // The release data of the race in the current row.
    void editRelease();

    QPushButton* releaseButton_ = nullptr;
};

} // namespace durvek
