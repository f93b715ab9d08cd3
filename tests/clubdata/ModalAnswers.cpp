#include "ModalAnswers.h"
#include "clubdata/ui/TextPrompt.h"
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace durvek::test {

ModalAnswers::ModalAnswers()
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswers::look);
    m_timer.start();
}

void ModalAnswers::look()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || m_answers.isEmpty())
        return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        const Answer answer = m_answers.takeFirst();
        seen << box->windowTitle() + u'|' + box->text();
        icons << int(box->icon());
        defaultIsNo << int(box->defaultButton() == box->button(QMessageBox::No));
        if (answer.kind == Kind::Yes)
            box->button(QMessageBox::Yes)->click();
        else if (answer.kind == Kind::No)
            box->button(QMessageBox::No)->click();
        else
            box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
        return;
    }
    if (auto* prompt = qobject_cast<TextPrompt*>(modal)) {
        const Answer answer = m_answers.takeFirst();
        seen << QStringLiteral("prompt|") + prompt->windowTitle();
        QLineEdit* box = prompt->textBox();
        switch (answer.kind) {
        case Kind::Type:
            QTest::keyClicks(box, answer.text);
            QTest::keyClick(box, Qt::Key_Return);
            break;
        case Kind::Escape:
            QTest::keyClick(box, Qt::Key_Escape);
            break;
        default:
            prompt->close();
            break;
        }
    }
}

} // namespace durvek::test
