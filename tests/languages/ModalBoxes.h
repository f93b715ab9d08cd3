#pragma once
// Test helper: answers the message boxes a window opens while a test drives
// it, and keeps what each one said.
#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace durvek::test {

struct ShownBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

class ModalBoxes : public QObject {
public:
    ModalBoxes()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, this, &ModalBoxes::answer);
        m_timer.start();
    }

    QList<ShownBox> shown;

private:
    void answer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        shown.append({box->windowTitle(), box->text(), box->icon()});
        box->done(QMessageBox::Ok);
    }

    QTimer m_timer;
};

} // namespace durvek::test
