#pragma once
// Answers the message boxes a window shows while a test drives it: records
// each box as "title|text" and presses the button the script names next
// (for boxes beyond the script: No for a question, OK for a warning).
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace durvek::test {

class DialogAnswerer : public QObject {
public:
    QStringList seen;
    QList<QMessageBox::StandardButton> answers;
    // Called whenever a box is answered, with its "title|text".
    std::function<void(const QString&)> onBox;

    DialogAnswerer()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { answer(); });
        m_timer.start();
    }

private:
    void answer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box == m_last)
            return;
        m_last = box;
        const QString shown = box->windowTitle() + u'|' + box->text();
        seen << shown;
        QMessageBox::StandardButton choice = box->icon() == QMessageBox::Question ? QMessageBox::No : QMessageBox::Ok;
        if (!answers.isEmpty())
            choice = answers.takeFirst();
        if (onBox)
            onBox(shown);
        QAbstractButton* button = box->button(choice);
        if (button)
            button->click();
        else
            box->reject();
    }

    QTimer m_timer;
    QPointer<QMessageBox> m_last;
};

} // namespace durvek::test
