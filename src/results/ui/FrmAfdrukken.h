#pragma once
#include "results/RaceReadoutView.h"
#include "results/ReportSelection.h"
#include <QDialog>
#include <QPrinter>
#include <array>
#include <functional>
#include <memory>

class QButtonGroup;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace durvek {

class JobProgress;

// The print manager: reads a fancier's clock after a flight, shows the
// clock's fancier and its flights, and prints the overview, race, training
// or not-arrived report for one flight or all. Its hidden "Linking" button
// carries the read pigeons into the club database.
class FrmAfdrukken : public QDialog, public RaceReadoutView {
    Q_OBJECT

public:
    // Command1 indexes.
    enum Button { ReadClock = 0, Print = 1, Save = 2, Cancel = 3, Linking = 4, Exit = 5 };
    static constexpr int kButtonCount = 6;
    static constexpr int kKindCount = 4;

    // Where a report goes; null means the user chose not to print.
    using PrinterSource = std::function<std::unique_ptr<QPrinter>(QWidget* parent)>;

    // pigeonFilePath: the pigeon file the read-out writes and the import reads.
    explicit FrmAfdrukken(QWidget* parent = nullptr, QString pigeonFilePath = QString());

    void setPrinterSource(PrinterSource source) { m_printerSource = std::move(source); }

    QPushButton* button(int index) const { return m_buttons.at(size_t(index)); }
    QRadioButton* kindButton(int index) const { return m_kindButtons.at(size_t(index)); }
    QRadioButton* raceScopeButton(int index) const { return m_raceScope.at(size_t(index)); }
    QRadioButton* notArrivedScopeButton(int index) const { return m_notArrivedScope.at(size_t(index)); }
    QListWidget* flightList() const { return m_flights; }
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
    // cannot go at once: the clock job is cancelled, so the clock still gets
    // its end request, and the window closes when the read-out has ended.
    void reject() override;

private:
    QWidget* buildKindFrame();
    QWidget* buildScopeFrame(std::array<QRadioButton*, 2>& buttons, QButtonGroup*& group);
    QWidget* buildButtonRow();
    void onButton(int index);
    void runButton(int index);
    void setButtonsBusy(bool busy);
    void readClock();
    void printReport();
    void linkPigeons();
    void cancelReadout();
    void showError(const QString& description);
    void warn(const QString& message, const QString& title);

    QString m_pigeonFilePath;
    PrinterSource m_printerSource;
    std::array<QPushButton*, kButtonCount> m_buttons{};
    std::array<QRadioButton*, kKindCount> m_kindButtons{};
    std::array<QRadioButton*, 2> m_raceScope{};
    std::array<QRadioButton*, 2> m_notArrivedScope{};
    QButtonGroup* m_kindGroup = nullptr;
    QButtonGroup* m_raceScopeGroup = nullptr;
    QButtonGroup* m_notArrivedScopeGroup = nullptr;
    QListWidget* m_flights = nullptr;
    std::array<QLabel*, 3> m_labels{};
    JobProgress* m_jobProgress = nullptr;
    bool m_reading = false;
    bool m_closeAfterReading = false;
};

// Opens the print manager modally over the menu.
void openPrintManager(QWidget* parent);

} // namespace durvek
