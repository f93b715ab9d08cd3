#pragma once
#include "clocklink/ClubDataTransfer.h"
#include "clocklink/ClubDataWindowAccess.h"
#include "clocklink/DirectLine.h"
#include "clocklink/ui/JobProgress.h"
#include "clocklink/ui/WidgetJobHost.h"
#include "clubdata/BadgeStore.h"
#include "clubdata/ClubFancierStore.h"
#include "clubdata/ClubPigeonStore.h"
#include "clubdata/CombineStore.h"
#include "clubdata/FancierBrowser.h"
#include "common/ui/TextPrompt.h"
#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace durvek {

class FilteredLineEdit;
class RecordGridModel;

// The club's editor of what travels between the PC and a clock in the club
// data transfer: one fancier at a time with the fancier's pigeons, the badge
// list and the combines, and the two transfer buttons. It keeps its own
// current fancier, apart from the linking screen's.
class ClubDataWindow : public QDialog, public ClubDataWindowAccess {
    Q_OBJECT
public:
    enum Box { NameBox, AdressBox, CityBox, LicenceBox, BoxCount };
    enum FancierButton { PreviousButton, NextButton, NewButton, SaveButton, ExitButton, SearchButton,
                         DeleteButton, FancierButtonCount };
    enum CombineButton { AddCombineButton, AddFancierButton, DeleteCombineButton, CombineButtonCount };
    enum TransferButton { FromClockButton, ToClockButton, CancelButton, TransferExitButton, TransferButtonCount };
    enum CsvButton { ExportMembersButton, ExportPigeonsButton, ImportMembersButton, ImportPigeonsButton,
                     CsvButtonCount };
    // Asks for the file a list is written to (save) or read from, starting
    // at proposed; "" when none was chosen.
    using CsvFileChooser = std::function<QString(QWidget* parent, bool save, const QString& title,
                                                 const QString& proposed)>;
    enum LabelIndex { NameLabel, AdressLabel, CityLabel, FourthLabel, LicenceLabel, IdLabel, CountLabel,
                      LabelCount };

    // Search and Add Combine ask for their text with prompt.
    ClubDataWindow(QWidget* parent, TextPrompt prompt);
    ~ClubDataWindow() override;

    FilteredLineEdit* box(Box which) const { return m_boxes[which]; }
    QPushButton* fancierButton(FancierButton which) const { return m_fancierButtons[which]; }
    QPushButton* combineButton(CombineButton which) const { return m_combineButtons[which]; }
    QPushButton* transferButton(TransferButton which) const { return m_transferButtons[which]; }
    QPushButton* csvButton(CsvButton which) const { return m_csvButtons[which]; }
    void setCsvFileChooser(CsvFileChooser chooser) { m_chooseCsvFile = std::move(chooser); }
    QLabel* label(LabelIndex which) const { return m_labels[which]; }
    QTableView* badgeGrid() const { return m_badgeGrid; }
    QTableView* pigeonGrid() const { return m_pigeonGrid; }
    QTableView* combineGrid() const { return m_combineGrid; }
    RecordGridModel* pigeonModel() const { return m_pigeonModel; }
    RecordGridModel* badgeModel() const { return m_badgeModel; }
    RecordGridModel* combineModel() const { return m_combineModel; }
    QListWidget* memberList() const { return m_members; }
    QCheckBox* combineCheck() const { return m_combineCheck; }
    JobProgress* progressBar() const { return m_progress; }
    QLabel* transferStatus() const { return m_transferStatus; }
    QString clubDataFancierName() const { return m_fancierName; }
    bool transferRunning() const { return m_transferRunning; }

    // How long the transfer leaves the clock after a header (tests shorten it).
    void setSettlePause(int milliseconds) { m_settlePauseMs = milliseconds; }

    // ClubDataWindowAccess
    int32_t clubDataFancierId() const override { return m_fancierId; }
    qint64 clubDataFancierRevision() const override { return m_fancierRevision; }
    QString licenceText() const override;
    QString nameText() const override;
    void setLicenceText(const QString& text) override;
    void setNameText(const QString& text) override;
    bool saveFancier() override;
    bool combineChecked() const override;
    QString selectedCombineName() const override;
    void reloadPigeons() override;
    void enterTransferState() override;
    bool transferAborted() const override { return m_transferAborted; }
    void clearTransferAborted() override { m_transferAborted = false; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFancierPanel(QGroupBox* frame);
    void buildBadgePanel(QGroupBox* frame);
    void buildPigeonPanel(QGroupBox* frame);
    void buildCombinePanel(QGroupBox* frame);
    QWidget* buildTransferRow();
    QWidget* buildCsvRow();
    void setUpModels();
    void load();

    // The fancier panel
    void showFancier();
    void takeCurrentFancier();
    // After a store of this window's own that raised the fancier's revision.
    void takeStoredRevision();
    void loadPigeons(int32_t id);
    void showPigeonCount();
    void clearBoxes();
    void previousFancier();
    void nextFancier();
    void stepFancier(bool forward);
    void newFancier();
    void searchFancier();
    void deleteFancier();
    void leaveDeletedFancier();
    void rebindFanciers();
    void afterFancierButton();

    // The grids
    void pigeonCellLeft(const QModelIndex& previous);
    void combineCellChanged();
    void addCombine();
    void addFancierToCombine();
    void deleteCombine();
    qint64 selectedCombineRow() const;

    // The member and pigeon lists
    void exportCsv(CsvButton which);
    void importCsv(CsvButton which);
    void showImportedFanciers();

    // The transfers
    void runTransfer(TransferOutcome (ClubDataTransfer::*run)());
    void enterReadyState();
    void cancelTransfer();
    void exitWindow();

    void warn(const QString& message);
    void reportFailure(const QString& message);
    void reportFailure(const DatabaseError& error);
    void focusName();

    QSqlDatabase m_db;
    ClubFancierStore m_fanciers;
    ClubPigeonStore m_pigeons;
    BadgeStore m_badges;
    CombineStore m_combines;
    FancierBrowser m_browser;

    int32_t m_fancierId = 0;
    // The fancier's revision when taken: the window's stores refuse once
    // another PC has stored the fancier since.
    qint64 m_fancierRevision = 0;
    QString m_fancierName = QStringLiteral(" ");
    // Set once the window has loaded what it opens with.
    bool m_made = false;
    bool m_transferAborted = false;
    bool m_transferRunning = false;
    int m_settlePauseMs = ClubDataTransfer::kSettlePauseMs;

    std::array<QGroupBox*, 4> m_frames {};
    std::array<FilteredLineEdit*, BoxCount> m_boxes {};
    std::array<QLabel*, LabelCount> m_labels {};
    std::array<QPushButton*, FancierButtonCount> m_fancierButtons {};
    std::array<QPushButton*, CombineButtonCount> m_combineButtons {};
    std::array<QPushButton*, TransferButtonCount> m_transferButtons {};
    std::array<QPushButton*, CsvButtonCount> m_csvButtons {};
    QTableView* m_badgeGrid = nullptr;
    QTableView* m_pigeonGrid = nullptr;
    QTableView* m_combineGrid = nullptr;
    RecordGridModel* m_badgeModel = nullptr;
    RecordGridModel* m_pigeonModel = nullptr;
    RecordGridModel* m_combineModel = nullptr;
    QListWidget* m_members = nullptr;
    QCheckBox* m_combineCheck = nullptr;
    QLabel* m_holdLabel = nullptr;
    JobProgress* m_progress = nullptr;
    QLabel* m_transferStatus = nullptr; // the sentence the last transfer ended with

    TextPrompt m_prompt;
    CsvFileChooser m_chooseCsvFile;
    WidgetJobHost m_host;
    DirectLine m_line;
};

// Opens the club data window modally over the menu; its texts are asked for
// with prompt.
void openClubDataWindow(QWidget* parent, const TextPrompt& prompt);

} // namespace durvek
