#pragma once
#include <QWidget>
#include <array>

class QPushButton;

namespace durvek {

// The main menu: eight buttons, stacked in index order, from which every
// task window is opened modally, and an information panel.
class FrmLogo : public QWidget {
    Q_OBJECT

public:
    static constexpr int kButtonCount = 8;
    static constexpr int kExitIndex = 7;

    explicit FrmLogo(QWidget* parent = nullptr);

    QPushButton* button(int index) const;

private:
    QWidget* buildButtonPanel();
    QWidget* buildInfoPanel();
    void onButton(int index);

    std::array<QPushButton*, kButtonCount> buttons_{};
};

} // namespace durvek
