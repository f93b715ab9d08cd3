#include "clocklink/ui/WidgetJobHost.h"
#include "common/ui/DatabaseErrorBox.h"
#include "clocklink/ui/JobProgress.h"
#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

namespace durvek {

WidgetJobHost::WidgetJobHost(QWidget* window, QLabel* statusLabel, JobProgress* progress)
    : m_window(window)
    , m_status(statusLabel)
    , m_progress(progress)
{
}

void WidgetJobHost::showStatus(const QString& text)
{
    if (m_status)
        m_status->setText(text);
}

void WidgetJobHost::warn(const QString& message, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, m_window);
    box.exec();
}

void WidgetJobHost::warnDatabaseError(const DatabaseError& error, const QString& title)
{
    showDatabaseError(m_window, title, error);
}

bool WidgetJobHost::ask(const QString& message, const QString& title)
{
    QMessageBox box(QMessageBox::Question, title, message, QMessageBox::Yes | QMessageBox::No, m_window);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void WidgetJobHost::pumpEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void WidgetJobHost::pause(int milliseconds)
{
    if (milliseconds <= 0) {
        pumpEvents();
        return;
    }
    // A nested loop rather than a sleep: the Cancel click must get through.
    const int waitMs = m_pauses.begin(milliseconds);
    QEventLoop loop;
    QTimer::singleShot(waitMs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    m_pauses.end();
}

void WidgetJobHost::beep() { QApplication::beep(); }

void WidgetJobHost::progress(int done, int total)
{
    if (!m_clock.isValid()) {
        m_clock.start();
        if (m_progress)
            m_progress->start();
    }
    if (m_progress)
        m_progress->setProgress(done, total);
}

int WidgetJobHost::elapsedSeconds() const
{
    return m_clock.isValid() ? int((m_clock.elapsed() + 500) / 1000) : 0;
}

void WidgetJobHost::finished(const QString& sentence)
{
    m_clock.invalidate();
    if (m_progress)
        m_progress->finish();
    showStatus(sentence);
}

} // namespace durvek
