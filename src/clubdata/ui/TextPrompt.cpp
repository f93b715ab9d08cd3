#include "clubdata/ui/TextPrompt.h"
#include "clocklink/Frames.h"
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace durvek {

QString TextPrompt::ask(QWidget* parent, const QString& title)
{
    linkBuffers().CancelRequested = true;
    TextPrompt prompt(parent, title);
    prompt.exec();
    return prompt.confirmedText();
}

TextPrompt::TextPrompt(QWidget* parent, const QString& title)
    : QDialog(parent)
{
    setWindowTitle(title);
    setModal(true);
    m_box = new QLineEdit(this);
    m_box->setObjectName(QStringLiteral("promptText"));
    m_box->setMinimumWidth(320);
    m_box->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_box);
    setFixedHeight(sizeHint().height());
}

bool TextPrompt::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_box)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // Deferred: a mouse click that brings the focus would undo the selection.
        QTimer::singleShot(0, m_box, &QLineEdit::selectAll);
    } else if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (const QString text = m_box->text().trimmed(); !text.isEmpty()) {
                m_text = text;
                linkBuffers().CancelRequested = false;
                accept();
            }
            return true;
        case Qt::Key_Escape:
            linkBuffers().CancelRequested = true;
            reject();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace durvek
