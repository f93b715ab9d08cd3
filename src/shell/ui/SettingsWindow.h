#pragma once
#include "common/ClubSettings.h"
#include <QDialog>
#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace durvek {

// The settings row: serial port and the device each COM port stands for,
// clock model, club identity, the two options and the club result's prize
// fraction and nominated pigeons, how many automatic backups are kept, and
// the language of the program's texts; besides, where the club database is to
// be found at the next start (kept for this user on this computer, not in the
// club database). "Update" stores the row
// and reloads the active settings at once; "Exit" stores nothing.
class SettingsWindow : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClubIdLength = 10;
    static constexpr int kClubLength = 40;
    // What the club result gives when the prize fraction is left blank.
    static constexpr int kDefaultPrizeEvery = 4;
    static constexpr int kMostPrizeEvery = 99;
    static constexpr int kMostBackupsKept = 999;
    static constexpr int kMostBackupMonths = 120;

    explicit SettingsWindow(QWidget* parent = nullptr);

    QRadioButton* comButton(int index) const { return comButtons_.at(size_t(index)); }
    // The option of the model with this protocol number; null when no model has it.
    QRadioButton* modelButton(int protocol) const;
    QComboBox* deviceBox(int index) const { return deviceBoxes_.at(size_t(index)); }
    QCheckBox* antennaCheck() const { return antennaCheck_; }
    QCheckBox* sortCheck() const { return sortCheck_; }
    QLineEdit* clubIdEdit() const { return clubIdEdit_; }
    QLineEdit* clubEdit() const { return clubEdit_; }
    QLineEdit* prizeEveryEdit() const { return prizeEveryEdit_; }
    QCheckBox* nominatedCheck() const { return nominatedCheck_; }
    QLineEdit* backupsKeptEdit() const { return backupsKeptEdit_; }
    QLineEdit* backupMonthsEdit() const { return backupMonthsEdit_; }
    QComboBox* languageBox() const { return languageBox_; }
    // The server club database to start on next time; empty: the file.
    QLineEdit* databaseEdit() const { return databaseEdit_; }
    QPushButton* fileButton() const { return fileButton_; }
    QPushButton* exitButton() const { return exitButton_; }
    QPushButton* updateButton() const { return updateButton_; }

private:
    QGroupBox* buildPortFrame();
    QGroupBox* buildModelFrame();
    QWidget* buildClubFields();
    QComboBox* buildLanguageBox(QWidget* panel);
    void addDatabaseField(QWidget* panel, QFormLayout* form);
    bool databaseChanged() const;
    // Remembers the typed server; false (after saying so) when it is none.
    bool rememberTypedDatabase();
    void showSettings(const ClubSettings& settings);
    ClubSettings editedSettings() const;
    // The typed prize fraction: 0 when blank, -1 when it is not a number the
    // club result can use.
    int editedPrizeEvery() const;
    // A typed retention number: unset when blank, -2 when out of range.
    static int editedNumber(const QLineEdit* edit, int least, int most, int unset);
    // Shows the refusal and returns false when a typed number cannot be stored.
    bool typedNumbersFit();
    void storeAndClose();

    ClubSettings stored_;
    std::array<QRadioButton*, 4> comButtons_{};
    std::array<QComboBox*, 4> deviceBoxes_{};
    QButtonGroup* comGroup_ = nullptr;
    QButtonGroup* modelGroup_ = nullptr;
    QCheckBox* antennaCheck_ = nullptr;
    QCheckBox* sortCheck_ = nullptr;
    QLineEdit* clubIdEdit_ = nullptr;
    QLineEdit* clubEdit_ = nullptr;
    QLineEdit* prizeEveryEdit_ = nullptr;
    QCheckBox* nominatedCheck_ = nullptr;
    QLineEdit* backupsKeptEdit_ = nullptr;
    QLineEdit* backupMonthsEdit_ = nullptr;
    QComboBox* languageBox_ = nullptr;
    QLineEdit* databaseEdit_ = nullptr;
    QPushButton* fileButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QPushButton* updateButton_ = nullptr;
};

} // namespace durvek
