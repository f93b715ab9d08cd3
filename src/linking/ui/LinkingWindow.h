#pragma once
#include "clocklink/BandReadingJobs.h"
#include "clocklink/ui/WidgetJobHost.h"
#include "common/ui/PrintPreviewWindow.h"
#include "linking/GridEditContext.h"
#include "linking/PigeonGrid.h"
#include "linking/UnsavedGridEdits.h"
#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace durvek {

class FilteredLineEdit;
class JobProgress;
class PigeonGridView;
struct JobContext;

// Opens the linking window modally over the menu.
void openLinkingWindow(QWidget* parent);

// The linking window: one fancier at a time, chosen through the search
// window; the fancier's pigeons in the grid, chip codes from the antenna,
// storing with an optional printout, and the fancier's clock written or read.
class LinkingWindow : public QDialog {
    Q_OBJECT
public:
    enum LinkButton {
        SingleBand = 0,
        MultipleBands,
        GenerateBandsButton,
        UpdateDatabase,
        Cancel,
        UpdateClockButton,
        ReadClockButton,
        Exit,
        kLinkButtonCount
    };
    static constexpr int kSearchButtonCount = 3;
    static constexpr int kFanciersPerClockChoices = 3;

    // The search window: mode 0 licence, 1 name, 2 record number. It leaves
    // the choice in the shared state as the search window does.
    using FancierSearch = std::function<int32_t(QWidget* parent, int mode)>;
    // When the run already has a fancier, the window opens showing it, so
    // the grid on screen is always the one of CurrentFancierId.
    explicit LinkingWindow(QWidget* parent = nullptr);
    ~LinkingWindow() override;

    void setFancierSearch(FancierSearch search) { m_search = std::move(search); }
    // Where the pigeon list printout goes: the print preview unless a test says otherwise.
    void setPrintoutHandler(PrintoutHandler handler) { m_printoutHandler = std::move(handler); }

    // Shows CurrentFancierId's header lines and pigeons; an empty grid
    // without a fancier or when no fanciers row has the id. What it shows
    // counts as stored.
    void ShowFancier();
    void LinkButtonDispatch(int index);
    void searchFancier(int mode);
    void DisableLinkButtons();
    void EnableLinkButtons();

    bool isJobRunning() const { return m_jobRunning; }
    int32_t shownFancierId() const { return m_shownFancierId; }
    PigeonGrid& grid() { return m_grid; }
    PigeonGridView* gridView() const { return m_gridView.get(); }
    QPushButton* searchButton(int index) const { return m_searchButtons[size_t(index)]; }
    QPushButton* actionButton(int index) const { return m_actionButtons[size_t(index)]; }
    QPushButton* restoreButton() const { return m_restore; }
    QLabel* headerLine(int index) const { return m_headerLines[size_t(index)]; }
    QLabel* statusLabel() const { return m_status; }
    JobProgress* jobProgress() const { return m_jobProgress; }
    QLabel* titleLabel() const { return m_title; }
    QCheckBox* printoutBox() const { return m_printout; }
    QCheckBox* racesBox() const { return m_races; }
    FilteredLineEdit* fromBox() const { return m_from; }
    FilteredLineEdit* toBox() const { return m_to; }
    // The option of the model with this protocol number; null when no model has it.
    QRadioButton* modelOption(int protocol) const;
    QRadioButton* fanciersPerClockOption(int index) const { return m_perClock[size_t(index)]; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    QWidget* buildRightColumn();
    QWidget* buildLeftColumn();
    void applyTexts();
    void runOperation(int index, JobContext& job);
    // Whether a chip code read is taken by a pigeon of another fancier than
    // the one shown.
    ChipCodeCheck chipCodeOfAnotherFancier(JobContext& job);
    void askCancel();
    // The number of pigeons stored; nothing when the grid on screen is not
    // CurrentFancierId's (the user was warned).
    std::optional<int> storeGrid();
    void updateDatabase(JobContext& job);
    void clearJobStatus();
    void printList();
    void generateBands();
    void restoreList();
    void updateRestoreButton();
    int selectedModel() const;
    int fanciersPerClock() const;
    bool fancierShown() const;
    void clearHeader();
    void loadFancier();

    PigeonGrid m_grid;
    UnsavedGridEdits m_gridEdits;
    std::unique_ptr<WidgetJobHost> m_host; // made once the status label exists
    GridEditContext m_editContext;
    // The view watches m_grid and uses m_editContext, so it is deleted as a
    // member, before them, rather than with the window's other widgets after
    // them: also when a load in the constructor stops the window half-made.
    std::unique_ptr<PigeonGridView> m_gridView;
    FancierSearch m_search;
    PrintoutHandler m_printoutHandler;
    int32_t m_shownFancierId = 0;
    // The shown fancier's revision when the grid was loaded or last stored:
    // a store finds out with it whether another PC stored the fancier since.
    qint64 m_shownRevision = 0;
    // The chip that stopped Multiple-bands, passed over once by the next run.
    QString m_chipLeftOnAntenna;
    bool m_jobRunning = false;

    QLabel* m_title = nullptr;
    std::array<QLabel*, 3> m_headerLines{};
    QLabel* m_status = nullptr;
    JobProgress* m_jobProgress = nullptr;
    std::array<QPushButton*, kSearchButtonCount> m_searchButtons{};
    std::array<QRadioButton*, kFanciersPerClockChoices> m_perClock{};
    std::array<QPushButton*, kLinkButtonCount> m_actionButtons{};
    QPushButton* m_restore = nullptr; // live only while the backup holds the shown fancier's previous list
    QCheckBox* m_printout = nullptr;
    QCheckBox* m_races = nullptr;
    QLabel* m_fromLabel = nullptr;
    QLabel* m_toLabel = nullptr;
    FilteredLineEdit* m_from = nullptr;
    FilteredLineEdit* m_to = nullptr;
    QButtonGroup* m_models = nullptr;
};

} // namespace durvek
