#include "support/ModalAnswers.h"
#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

namespace durvek::testing {

ModalAnswers::ModalAnswers(Unscripted unscripted, QWidget* windowUnderTest)
    : m_window(windowUnderTest), m_unscripted(unscripted)
{
    // Polled rather than hooked: the boxes come from exec() calls deep inside
    // the window, and the timer runs in their local event loops too.
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswers::poll);
    m_timer.start();
}

void ModalAnswers::answerMessage(QMessageBox::StandardButton button, std::function<QString()> probe)
{
    answer([this, button, probe](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            press(box, button, probe);
            return;
        }
        // Written down so that the test's comparison of seen() shows what came instead.
        SeenMessage other;
        other.title = QStringLiteral("<not a message box: %1>").arg(modal->metaObject()->className());
        m_seen.append(other);
        modal->close();
    });
}

void ModalAnswers::answer(Answer answer)
{
    m_answers.append(std::move(answer));
}

QStringList ModalAnswers::titlesAndTexts() const
{
    QStringList lines;
    for (const SeenMessage& message : m_seen)
        lines.append(message.titleAndText());
    return lines;
}

void ModalAnswers::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == m_window || !modal->isVisible())
        return;
    if (!m_answers.isEmpty()) {
        const Answer next = m_answers.takeFirst();
        next(modal);
        return;
    }
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box && m_unscripted == Decline)
        press(box, box->icon() == QMessageBox::Question ? QMessageBox::No : QMessageBox::Ok, {});
}

void ModalAnswers::press(QMessageBox* box, QMessageBox::StandardButton button, const std::function<QString()>& probe)
{
    SeenMessage seen;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.details = box->detailedText();
    seen.icon = box->icon();
    if (QPushButton* defaultButton = box->defaultButton())
        seen.defaultButton = box->standardButton(defaultButton);
    if (probe)
        seen.whileOpen = probe();
    m_seen.append(seen);
    if (onMessage)
        onMessage(seen);
    // reject(), not close(): a box without an escape button ignores close.
    if (QAbstractButton* chosen = box->button(button))
        chosen->click();
    else
        box->reject();
}

} // namespace durvek::testing
