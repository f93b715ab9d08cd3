#pragma once
#include "clocklink/ui/WidgetJobHost.h"
#include "languages/LanguageUpload.h"
#include <QDialog>
#include <array>

class QLabel;
class QPushButton;
class QTableView;

namespace durvek {

class JobProgress;

// "Language Module Zefira": shows the clock display texts of table language
// and loads them into a clock with "Update Zefira". The texts are edited
// elsewhere; the grid only shows them.
class ClockLanguageWindow : public QDialog {
    Q_OBJECT

public:
    // Command1 indexes.
    enum Button { Exit = 0, UpdateZefira = 1, Cancel = 2 };
    static constexpr int kButtonCount = 3;

    explicit ClockLanguageWindow(QWidget* parent = nullptr);
    ~ClockLanguageWindow() override;

    QPushButton* button(int index) const { return m_buttons.at(size_t(index)); }
    QTableView* grid() const { return m_grid; }
    QLabel* progressLine() const { return m_progress; }
    JobProgress* jobProgress() const { return m_jobProgress; }
    // The window's upload job (it keeps the direct line open between uploads).
    LanguageUpload& upload() { return m_upload; }

public slots:
    // Exit, Escape and the close box. While an upload runs the window cannot
    // go at once: the job is stopped (a wait for the clock ends, a transfer
    // ends after the text on the line) and the window closes when it has.
    void done(int result) override;

private:
    QWidget* buildButtonRow();
    void showTable();
    void updateZefira();

    QTableView* m_grid = nullptr;
    QLabel* m_progress = nullptr;
    JobProgress* m_jobProgress = nullptr;
    std::array<QPushButton*, kButtonCount> m_buttons{};
    WidgetJobHost m_host;
    LanguageUpload m_upload;
    bool m_closeAfterUpload = false;
};

// Opens the window modally over parent.
void openClockLanguageWindow(QWidget* parent);

} // namespace durvek
