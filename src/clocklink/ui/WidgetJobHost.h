#pragma once
#include "clocklink/JobHost.h"
#include <QElapsedTimer>
#include "clocklink/PauseSchedule.h"
#include <QPointer>

class QLabel;
class QWidget;

namespace durvek {

class JobProgress;

// JobHost of a window: its status label, its progress widget, its message
// boxes and the event loop, so the window paints and its Cancel button works
// during a job. The job's closing sentence stays in the status label.
class WidgetJobHost : public JobHost {
public:
    WidgetJobHost(QWidget* window, QLabel* statusLabel, JobProgress* progress = nullptr);

    void showStatus(const QString& text) override;
    void warn(const QString& message, const QString& title) override;
    void warnDatabaseError(const DatabaseError& error, const QString& title) override;
    bool ask(const QString& message, const QString& title) override;
    void pumpEvents() override;
    void pause(int milliseconds) override;
    void beep() override;
    void progress(int done, int total) override;
    int elapsedSeconds() const override;
    void finished(const QString& sentence) override;

private:
    QPointer<QWidget> m_window;
    QPointer<QLabel> m_status;
    QPointer<JobProgress> m_progress;
    QElapsedTimer m_clock; // valid while a job runs
    PauseSchedule m_pauses;
};

} // namespace durvek
