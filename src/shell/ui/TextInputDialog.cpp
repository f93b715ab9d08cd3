#include "shell/ui/TextInputDialog.h"
#include "common/ui/WindowSetUp.h"
#include "clocklink/Frames.h"
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace durvek {

QString TextInputDialog::ask(QWidget* parent, const QString& title, bool& cancelled)
{
    TextInputDialog dialog(parent, title, cancelled);
    dialog.exec();
    return dialog.inputText();
}

QString TextInputDialog::ask(QWidget* parent, const QString& title)
{
    bool& cancelRequested = linkBuffers().CancelRequested;
    cancelRequested = true;
    return ask(parent, title, cancelRequested);
}

TextInputDialog::TextInputDialog(QWidget* parent, const QString& title, bool& cancelled)
    : QDialog(parent), cancelled_(cancelled)
{
    setWindowTitle(title);
    setModal(true);
    textBox_ = new QLineEdit(this);
    textBox_->setObjectName(QStringLiteral("txtRacepoint"));
    textBox_->setMinimumWidth(320);
    textBox_->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textBox_);
    setFixedHeight(sizeHint().height());
    finishWindowSetUp(this);
}

bool TextInputDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != textBox_)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // Deferred: a mouse click that brings the focus would undo the selection.
        QTimer::singleShot(0, textBox_, &QLineEdit::selectAll);
    } else if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            confirm();
            return true;
        case Qt::Key_Escape:
            cancel();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TextInputDialog::confirm()
{
    const QString text = textBox_->text().trimmed();
    if (text.isEmpty())
        return;
    inputText_ = text;
    cancelled_ = false;
    accept();
}

void TextInputDialog::cancel()
{
    cancelled_ = true;
    reject();
}

} // namespace durvek
