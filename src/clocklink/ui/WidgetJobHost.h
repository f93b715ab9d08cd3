#pragma once
#include "clocklink/JobHost.h"
#include "clocklink/PauseSchedule.h"
#include <QPointer>

class QLabel;
class QWidget;

namespace durvek {

// JobHost of a window: its status label, its message boxes and the event
// loop, so the window paints and its Cancel button works during a job.
class WidgetJobHost : public JobHost {
public:
    WidgetJobHost(QWidget* window, QLabel* statusLabel);

    void showStatus(const QString& text) override;
    void warn(const QString& message, const QString& title) override;
    bool ask(const QString& message, const QString& title) override;
    void pumpEvents() override;
    void pause(int milliseconds) override;
    void beep() override;

private:
    QPointer<QWidget> m_window;
    QPointer<QLabel> m_status;
    PauseSchedule m_pauses;
};

} // namespace durvek
