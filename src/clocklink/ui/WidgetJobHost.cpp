#include "clocklink/ui/WidgetJobHost.h"
#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

namespace durvek {

WidgetJobHost::WidgetJobHost(QWidget* window, QLabel* statusLabel)
    : m_window(window)
    , m_status(statusLabel)
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

} // namespace durvek
