#include "ModalAnswers.h"
#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

namespace durvek::testing {

ModalAnswers::ModalAnswers(QWidget* windowUnderTest) : window_(windowUnderTest)
{
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &ModalAnswers::poll);
    timer_.start();
}

void ModalAnswers::answerMessage(QMessageBox::StandardButton button, std::function<QString()> probe)
{
    answer([this, button, probe](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            SeenMessage other;
            other.title = QStringLiteral("<not a message box: %1>").arg(modal->metaObject()->className());
            seen_.append(other);
            modal->close();
            return;
        }
        SeenMessage seen;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        if (QPushButton* defaultButton = box->defaultButton())
            seen.defaultButton = box->standardButton(defaultButton);
        if (probe)
            seen.whileOpen = probe();
        seen_.append(seen);
        QAbstractButton* chosen = box->button(button);
        if (chosen)
            chosen->click();
        else
            box->close();
    });
}

void ModalAnswers::answer(Answer answer)
{
    answers_.append(std::move(answer));
}

void ModalAnswers::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == window_ || answers_.isEmpty() || !modal->isVisible())
        return;
    Answer next = answers_.takeFirst();
    next(modal);
}

} // namespace durvek::testing
