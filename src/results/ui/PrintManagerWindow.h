#pragma once
#include "common/ui/PrintPreviewWindow.h"
#include "results/RaceReadoutView.h"
#include "results/ReportSelection.h"
#include <QDialog>
#include <array>
#include <functional>
#include <memory>

class QButtonGroup;
class QLabel;
class QTableWidget;
class QPushButton;
class QRadioButton;

namespace durvek {

class JobProgress;

// The print manager: reads a fancier's clock after a flight, shows the
// clock's fancier and its flights, and prints the overview, race, training
// or not-arrived report for one flight or all. Its hidden "Linking" button
// carries the read pigeons into the club database.
class PrintManagerWindow : public QDialog, public RaceReadoutView {
    Q_OBJECT

public:
    // Command1 indexes.
    enum Button { ReadClock = 0, Print = 1, Save = 2, Cancel = 3, Linking = 4, Exit = 5 };
    static constexpr int kButtonCount = 6;
    static constexpr int kKindCount = 4;

    // pigeonFilePath: the pigeon file the read-out writes and the import reads.
    explicit PrintManagerWindow(QWidget* parent = nullptr, QString pigeonFilePath = QString());

    // Where the reports go: the print preview unless a test says otherwise.
    void setPrintoutHandler(PrintoutHandler handler) { m_printoutHandler = std::move(handler); }

    QPushButton* button(int index) const { return m_buttons.at(size_t(index)); }
    QRadioButton* kindButton(int index) const { return m_kindButtons.at(size_t(index)); }
    QRadioButton* raceScopeButton(int index) const { return m_raceScope.at(size_t(index)); }
    QRadioButton* notArrivedScopeButton(int index) const { return m_notArrivedScope.at(size_t(index)); }
    // The flights read: race, number, date, time and arrivals, one row each.
    QTableWidget* flightList() const { return m_flights; }
    QLabel* statusLine() const { return m_labels[0]; }
    QLabel* fancierLine() const { return m_labels[1]; }
    QLabel* addressLine() const { return m_labels[2]; }
    bool isReading() const { return m_reading; }

    // The report the controls select now.
    ReportSelection selection() const;

    // RaceReadoutView
    void showFancierLine(const QString& text) override;
    void showAddressLine(const QString& text) override;
    void clearFlightList() override;
    void addFlightItem(const QString& text, int flightIndex) override;

public slots:
    // Exit, Escape and the window's close box. During a read-out the window
    // cannot go at once: after the user agrees, the clock job is cancelled,
    // so the clock still gets its end request, and the window closes when
    // the read-out has ended.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildKindFrame();
    QWidget* buildScopeFrame(std::array<QRadioButton*, 2>& buttons, QButtonGroup*& group);
    QWidget* buildButtonRow();
    void onButton(int index);
    void runButton(int index);
    void setButtonsBusy(bool busy);
    void readClock();
    void printReport();
    void showArrivals();
    void linkPigeons();
    void showClubResult();
    void addReadClockToClubResult();
    void cancelReadout();
    bool askToStopReading();
    void showError(const QString& description);
    void warn(const QString& message, const QString& title);

    QString m_pigeonFilePath;
    PrintoutHandler m_printoutHandler;
    std::array<QPushButton*, kButtonCount> m_buttons{};
    // Beside the buttons above, off like them while a read-out runs.
    std::array<QPushButton*, 2> m_clubResultButtons{};
    std::array<QRadioButton*, kKindCount> m_kindButtons{};
    std::array<QRadioButton*, 2> m_raceScope{};
    std::array<QRadioButton*, 2> m_notArrivedScope{};
    QButtonGroup* m_kindGroup = nullptr;
    QButtonGroup* m_raceScopeGroup = nullptr;
    QButtonGroup* m_notArrivedScopeGroup = nullptr;
    QTableWidget* m_flights = nullptr;
    std::array<QLabel*, 3> m_labels{};
    JobProgress* m_jobProgress = nullptr;
    bool m_reading = false;
    bool m_closeAfterReading = false;
};

// Opens the print manager modally over the menu.
void openPrintManager(QWidget* parent);

} // namespace durvek
