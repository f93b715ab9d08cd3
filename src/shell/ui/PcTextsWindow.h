#pragma once
#include "shell/ui/GridWindow.h"

namespace durvek {

// The program's own captions and messages (table PcLanguage). Texts changed
// here show in every window opened after this one closes.
class PcTextsWindow : public GridWindow {
    Q_OBJECT

public:
    explicit PcTextsWindow(QWidget* parent = nullptr);

    void done(int result) override;

private:
    void layOutColumns();
};

} // namespace durvek
