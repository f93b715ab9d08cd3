#pragma once
#include <QWidget>
#include <array>

class QLabel;
class QLayout;
class QPushButton;

namespace durvek {

// The main menu: eight buttons, stacked in index order, from which every
// task window is opened modally, and an information panel.
class MainMenuWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kButtonCount = 8;
    static constexpr int kExitIndex = 7;

    explicit MainMenuWindow(QWidget* parent = nullptr);

    QPushButton* button(int index) const;
    // The clock language tools sit in the information panel, apart from the
    // eight task buttons: they are for the club's clock keeper, not for race night.
    QPushButton* clockLanguageButton() const { return clockLanguage_; }
    QPushButton* languageExportButton() const { return languageExport_; }
    QPushButton* backUpNowButton() const { return backUpNow_; }
    QPushButton* restoreButton() const { return restore_; }

    // A line under the information panel: what start-up could not do (the
    // start's backup) and the user should know.
    void showStatus(const QString& text);

private:
    QWidget* buildButtonPanel();
    QWidget* buildInfoPanel();
    QLayout* buildLanguageTools(QWidget* panel);
    QLayout* buildBackupTools(QWidget* panel);
    void openTool(void (*open)(QWidget*));
    // Captions and keys anew, for texts changed in Settings or Pc-Soft.
    void refreshCaptions();
    void onButton(int index);

    std::array<QPushButton*, kButtonCount> buttons_{};
    QPushButton* clockLanguage_ = nullptr;
    QPushButton* languageExport_ = nullptr;
    QPushButton* backUpNow_ = nullptr;
    QPushButton* restore_ = nullptr;
    QLabel* status_ = nullptr;
};

} // namespace durvek
